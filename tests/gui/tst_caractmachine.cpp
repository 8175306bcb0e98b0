// The plot frame driven through its handlers and controls, off screen.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include "graph/CaractMachine.h"
#include "graph/Export.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// Stands in for the tracing window: counts the calls, refreshes the cursor.
class TraceDouble : public ITraceCaract {
public:
    explicit TraceDouble(TCaractMachine* c) : cadre(c) {}
    void curseur() override {
        ++curseurs;
        cadre->curseur();
    }
    void Action() override { ++actions; }
    void SupprimePoint() override { ++suppressions; }
    void SupprimeTousPoints() override { ++toutes; }
    void Nouvellecourbe1Click() override { ++nouvelles; }
    void NouvelCaractVue(int vue) override {
        vuesDemandees.push_back(vue);
        actionsAvantDialogue = actions;
    }
    TCaractMachine* cadre;
    int curseurs = 0, suppressions = 0, toutes = 0, nouvelles = 0, actions = 0;
    int actionsAvantDialogue = -1;
    QList<int> vuesDemandees;
};

QString Presse() { return QGuiApplication::clipboard()->text(); }

}  // namespace

class TstCaractMachine : public QObject {
    Q_OBJECT

    std::unique_ptr<TCaractMachine> cadre;
    std::unique_ptr<TraceDouble> trace;

    // Where point p of the first characteristic is drawn.
    QPoint PixelDe(int p) const {
        return {pixelx(cadre->GrapheEcran, Caracts[1].Point(GVitesse, p)),
                pixely(cadre->GrapheEcran, Caracts[1].Point(GCouple, p))};
    }
    QString ValeurX() const { return cadre->TextValeurX->text(); }

private slots:
    // A torque-speed view in the first quadrant and one characteristic of
    // three points, shown in a frame.
    void init() {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (auto [n, t] : {std::pair{300, 500}, {700, 1000}, {1200, 1500}}) {
            ValeursCourantes[GVitesse] = n;
            ValeursCourantes[GCouple] = t;
            AjouterPoint();
        }
        ValeursCourantes[0] = -1;
        cadre = std::make_unique<TCaractMachine>();
        trace = std::make_unique<TraceDouble>(cadre.get());
        FenetreTrace = trace.get();
        cadre->resize(520, 472);
        cadre->show();
        QVERIFY(QTest::qWaitForWindowExposed(cadre.get()));
        cadre->tracecaract();
    }
    void cleanup() {
        FenetreTrace = nullptr;
        trace.reset();
        cadre.reset();
        AcquisitionEnCours = 0;
    }

    // Quadrant and zoom give the axis ranges (out-of-range values from a
    // file clamped); the bars show the steps and store the user's moves.
    void axisRangesAndZoomBars() {
        TGraphe g;
        const QList<QList<int>> cas = {
            // quadrant, zoom, x min, x max, y min, y max
            {1, 18, 0, 1500, 0, 2000},      {1, 0, 0, 7500, 0, 10000},
            {1, 50, 0, 75, 0, 100},         {0, 18, -1500, 1500, -2000, 2000},
            {3, 18, 0, 1500, -2000, 0},     {5, 18, -1500, 0, -2000, 0},
            {7, 18, -1500, 0, 0, 2000},     {8, 18, -1500, 1500, 0, 2000},
            {42, 18, -1500, 1500, 0, 2000}, {1, 99, 0, 75, 0, 100}};
        for (const QList<int>& c : cas) {
            Etude.Vues[0].Quadrant = c[0];
            Etude.Vues[0].ZoomX = Etude.Vues[0].ZoomY = c[1];
            cadre->cfgaxe(g);
            QCOMPARE(QList<int>({g.ConfigX.Min, g.ConfigX.Max, g.ConfigY.Min, g.ConfigY.Max}),
                     c.mid(2));
        }
        QCOMPARE(QString::fromStdString(g.ConfigY.Nom + g.ConfigX.Unite), QString("Tutr/min"));
        QCOMPARE(g.ConfigY.Decimales, 2);
        QCOMPARE(cadre->ZoomX->value(), 50);  // 99 clamped to the last step

        Etude.Vues[0].ZoomX = 25;
        Etude.Vues[0].ZoomY = 10;
        cadre->tracegraphe();
        QCOMPARE(cadre->ZoomX->value(), 25);
        QCOMPARE(cadre->ZoomY->value(), 40);
        QCOMPARE(Etude.Vues[0].ZoomX, 25);  // positioning the bars stored nothing
        EtudeEnregistree = 1;
        cadre->ZoomY->setValue(0);  // thumb at the top: strongest zoom
        QCOMPARE(Etude.Vues[0].ZoomY, 50);
        QCOMPARE(EtudeEnregistree, uint8_t{0});
        cadre->ZoomX->setValue(3);
        QCOMPARE(Etude.Vues[0].ZoomX, 3);
        QCOMPARE(cadre->GrapheEcran.ConfigX.Max, 1500 * 50 / 13);
    }

    void acquisitionShowsMarkersOnlyAndADot() {
        Etude.Lissage = 2;
        cadre->setCb(1);
        QCOMPARE(cadre->Courbe().Lissage, 2);
        QCOMPARE(cadre->Courbe().Marque, 1);
        cadre->tracegraphe();
        QCOMPARE(cadre->GrapheEcran.Curseur.Genre, 1);
        QCOMPARE(ValeurX(), QString("----"));

        AcquisitionEnCours = 1;
        cadre->setCb(1);
        QCOMPARE(cadre->Courbe().Lissage, -1);
        cadre->tracegraphe();
        QCOMPARE(cadre->GrapheEcran.Curseur.Genre, 0);
    }

    void aNewPointIsDrawnIntoTheBufferOfAShownFrameOnly() {
        const QImage avant = cadre->PaintBox1->Tampon.copy();
        ValeursCourantes[GVitesse] = 1400;
        ValeursCourantes[GCouple] = 300;
        CaractCourante = 1;
        AjouterPoint();
        cadre->tracepoint(1, 3);
        QVERIFY(cadre->PaintBox1->Tampon != avant);
        cadre->hide();
        const QImage cache = cadre->PaintBox1->Tampon.copy();
        cadre->tracepoint(1, 3);
        cadre->curseur();
        QCOMPARE(cadre->PaintBox1->Tampon, cache);
    }

    // The menu's items follow the point and the trial; the caption button
    // and the menu item ask the tracing window for the characteristic dialog
    // of this frame's view, then refresh everything.
    void menuAndCaptionButtonCallTheTracingWindow() {
        CaractCourante = 1;
        cadre->PopupMenu1Popup();
        QVERIFY(!cadre->Suppressiondupoint1->isEnabled());  // no point selected
        QVERIFY(cadre->Suppressiondetouslespoints1->isEnabled());
        SelectionnerPoint(0);
        cadre->PopupMenu1Popup();
        QVERIFY(cadre->Suppressiondupoint1->isEnabled());
        cadre->Suppressiondupoint1->trigger();
        cadre->Suppressiondetouslespoints1->trigger();
        cadre->Nouvelessai1->trigger();
        QCOMPARE(QList<int>({trace->suppressions, trace->toutes, trace->nouvelles}),
                 QList<int>({1, 1, 1}));
        cadre->NumeroVue = 3;
        QTest::mouseClick(cadre->ButtonCaract, Qt::LeftButton);
        QCOMPARE(trace->vuesDemandees, QList<int>({3}));
        QCOMPARE(trace->actionsAvantDialogue, 0);
        QCOMPARE(trace->actions, 1);
        cadre->NumeroVue = 2;
        cadre->Modificationdelacarcateristique1->trigger();
        QCOMPARE(trace->vuesDemandees, QList<int>({3, 2}));
        QCOMPARE(trace->actions, 2);

        NouvelleCaract();  // the new current trial is empty
        cadre->PopupMenu1Popup();
        QVERIFY(!cadre->Nouvelessai1->isEnabled());
        QVERIFY(!cadre->Suppressiondetouslespoints1->isEnabled());
        QVERIFY(cadre->Modificationdelacarcateristique1->isEnabled());
        QVERIFY(cadre->CopierlesvaleursSel->isEnabled());
        QCOMPARE(cadre->Suppressiondupoint1->text(), QString("Suppression du point"));
        // Without a tracing window, nothing happens.
        FenetreTrace = nullptr;
        cadre->ButtonCaractClick();
        QCOMPARE(trace->vuesDemandees.size(), 2);
    }

    // The mouse selects the nearest point, or clears everything on an empty
    // trial. The painters of a picture copy end with it: neither the copy
    // graph nor its cursor keeps one, and the screen still draws and selects
    // afterwards.
    void mouseSelectionAndCopies() {
        CaractCourante = 1;
        QTest::mousePress(cadre->PaintBox1, Qt::LeftButton, {}, PixelDe(1) + QPoint(2, -1));
        QCOMPARE(PointSelectionne, 1);
        QCOMPARE(ValeursCourantes[0], 1);
        QCOMPARE(ValeurX(), QString("700 tr/min"));
        QCOMPARE(cadre->TextValeurY->text(), QString("10,00 Nm"));
        QVERIFY(cadre->GrapheEcran.Curseur.Actif && cadre->GrapheEcran.Curseur.Trace);
        QVERIFY(trace->curseurs > 0);

        cadre->Copierlacaracteristique1Click();
        const QMimeData* d = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(d->imageData()).size(),
                 TailleCopie(cadre->PaintBox1->logicalDpiX()));
        QVERIFY(d->data("image/svg+xml").contains("<svg"));
        for (const TGraphe* g : {&cadre->GrapheCopie, &cadre->GrapheEcran})
            QVERIFY(g->Surface == nullptr && g->Curseur.Surface == nullptr);
        const QImage avant = cadre->PaintBox1->Tampon.copy();
        QTest::mousePress(cadre->PaintBox1, Qt::LeftButton, {}, PixelDe(2));
        QCOMPARE(PointSelectionne, 2);
        QCOMPARE(ValeurX(), QString("1200 tr/min"));
        QVERIFY(cadre->PaintBox1->Tampon != avant);  // the cursor moved
        QVERIFY(cadre->GrapheEcran.Curseur.Surface == nullptr);
        cadre->PaintBox1MouseMove(Qt::LeftButton, PixelDe(0).x(), PixelDe(0).y());
        QCOMPARE(PointSelectionne, 0);
        cadre->PaintBox1MouseDown(Qt::RightButton, PixelDe(1).x(), PixelDe(1).y());
        QCOMPARE(PointSelectionne, 0);  // the right button does not select
        cadre->CopierlesvaleursSelClick();
        QCOMPARE(Presse(), "n\tTu\r\n(tr/min)\t(Nm)\r\n300\t5,00\r\n700\t10,00\r\n1200\t15,00\r\n");

        NouvelleCaract();  // an empty second characteristic becomes current
        cadre->PaintBox1MouseDown(Qt::LeftButton, PixelDe(0).x(), PixelDe(0).y());
        QCOMPARE(PointSelectionne, -1);
        QCOMPARE(ValeursCourantes[0], -1);
        QVERIFY(!cadre->GrapheEcran.Curseur.Actif);
        QCOMPARE(ValeurX(), QString("--"));
        QCOMPARE(cadre->TextValeurY->text(), QString("--"));
        cadre->CopierValeurs();
        QCOMPARE(Presse(), "n\tTu\r\n(tr/min)\t(Nm)\r\n");
    }
};

QTEST_MAIN(TstCaractMachine)
#include "tst_caractmachine.moc"
