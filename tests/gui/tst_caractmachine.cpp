// The plot frame driven through its handlers and controls, off screen.
#include <QtTest>
#include <QtWidgets>

#include "graph/CaractMachine.h"
#include "graph/Export.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

class TraceDouble : public ITraceCaract {
public:
    explicit TraceDouble(TCaractMachine* c) : cadre(c) {}
    void curseur() override { ++n[0], cadre->curseur(); }
    void Action() override { ++n[1]; }
    void SupprimePoint() override { ++n[2]; }
    void SupprimeTousPoints() override { ++n[3]; }
    void Nouvellecourbe1Click() override { ++n[4]; }
    void NouvelCaractVue(int vue) override { vues << vue, avantDialogue = n[1]; }
    void DroiteDeCharge(int) override {}
    void MesuresReponseVue(int) override {}
    TCaractMachine* cadre;
    int n[5] = {}, avantDialogue = -1;  // cursor, Action, point, all points, new trial
    QList<int> vues;
};

}  // namespace

class TstCaractMachine : public QObject {
    Q_OBJECT

    std::unique_ptr<TCaractMachine> cadre;
    std::unique_ptr<TraceDouble> trace;

    QPoint PixelDe(int p) const {
        return {pixelx(cadre->GrapheEcran, Caracts[1].Point(GVitesse, p)),
                pixely(cadre->GrapheEcran, Caracts[1].Point(GCouple, p))};
    }
    QString ValeurX() const { return cadre->TextValeurX->text(); }

private slots:
    void init() {
        ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotTypeCaract] = 1, NouvelleCaract();
        for (auto [n, t] : {std::pair{300, 500}, {700, 1000}, {1200, 1500}})
            ValeursCourantes[GVitesse] = n, ValeursCourantes[GCouple] = t, AjouterPoint();
        ValeursCourantes[0] = -1, cadre = std::make_unique<TCaractMachine>();
        FenetreTrace = (trace = std::make_unique<TraceDouble>(cadre.get())).get();
        cadre->resize(520, 472), cadre->show();
        QVERIFY(QTest::qWaitForWindowExposed(cadre.get()));
        cadre->tracecaract();
    }
    void cleanup() { FenetreTrace = nullptr, trace.reset(), cadre.reset(), AcquisitionEnCours = 0; }

    // Quadrant and zoom give the axis ranges (out-of-range values clamped);
    // the bars show the steps and store only the user's moves. During an
    // acquisition the curve has markers only and the cursor is a dot.
    // A new point is drawn into the buffer.
    void axesZoomBarsAndAcquisition() {
        TGraphe g;
        // quadrant, zoom, x min, x max, y min, y max
        for (const QList<int>& c : {QList{42, 18, -1500, 1500, 0, 2000}, {1, 99, 0, 75, 0, 100}}) {
            Etude.Vues[0].Quadrant = c[0], Etude.Vues[0].ZoomX = Etude.Vues[0].ZoomY = c[1];
            cadre->cfgaxe(g);
            QCOMPARE(QList<int>({g.ConfigX.Min, g.ConfigX.Max, g.ConfigY.Min, g.ConfigY.Max}),
                     c.mid(2));
        }
        QCOMPARE(cadre->ZoomX->value(), 50);  // 99 clamped to the last step
        Etude.Vues[0].ZoomX = 25, Etude.Vues[0].ZoomY = 10, cadre->tracegraphe();
        // Positioning the bars stores nothing; the thumb at the top is the strongest zoom.
        QVERIFY(cadre->ZoomY->value() == 40 && Etude.Vues[0].ZoomX == 25);
        EtudeEnregistree = 1, cadre->ZoomY->setValue(0);
        QVERIFY(Etude.Vues[0].ZoomY == 50 && EtudeEnregistree == 0);

        Etude.Lissage = 2, cadre->setCb(1);
        QCOMPARE(cadre->Courbe().Lissage, 2);
        AcquisitionEnCours = 1, cadre->setCb(1);
        QVERIFY(cadre->Courbe().Lissage == -1 && cadre->Courbe().Marque == 1);
        Etude.Vues[0].ZoomX = Etude.Vues[0].ZoomY = 18, cadre->tracegraphe();
        QCOMPARE(cadre->GrapheEcran.Curseur.Genre, 0);
        const QImage avant = cadre->PaintBox1->Tampon.copy();
        ValeursCourantes[GVitesse] = 1400, ValeursCourantes[GCouple] = 300, CaractCourante = 1;
        AjouterPoint(), cadre->tracepoint(1, 3);
        QVERIFY(cadre->PaintBox1->Tampon != avant);
    }

    // The menu's commands call the tracing window, an empty trial allows
    // neither a new trial nor the deletion; the caption button asks the
    // tracing window for this view's dialog, then refreshes.
    void menuAndCaptionButtonCallTheTracingWindow() {
        CaractCourante = 1, SelectionnerPoint(0), cadre->PopupMenu1Popup();
        for (QAction* a :
             {cadre->Suppressiondupoint1, cadre->Suppressiondetouslespoints1, cadre->Nouvelessai1})
            a->trigger();
        QCOMPARE(QList<int>(trace->n + 2, trace->n + 5), QList<int>({1, 1, 1}));
        cadre->NumeroVue = 3, cadre->ButtonCaract->click();
        QVERIFY(trace->vues == QList<int>({3}) && trace->avantDialogue == 0 && trace->n[1] == 1);

        NouvelleCaract(), cadre->PopupMenu1Popup();  // the new current trial is empty
        QVERIFY(!cadre->Nouvelessai1->isEnabled() &&
                !cadre->Suppressiondetouslespoints1->isEnabled());
        // Without a tracing window, nothing happens.
        FenetreTrace = nullptr, cadre->ButtonCaractClick();
        QCOMPARE(trace->vues.size(), 1);
    }

    // The mouse selects the nearest point, or clears all on an empty trial.
    // A picture copy leaves no painter behind; the screen still selects.
    void mouseSelectionAndCopies() {
        CaractCourante = 1;
        QTest::mousePress(cadre->PaintBox1, Qt::LeftButton, {}, PixelDe(1) + QPoint(2, -1));
        QVERIFY(PointSelectionne == 1 && ValeursCourantes[0] == 1 && ValeurX() == "700 tr/min" &&
                cadre->GrapheEcran.Curseur.Actif && trace->n[0] > 0);

        cadre->Copierlacaracteristique1Click();
        const QMimeData* d = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(d->imageData()).size(),
                 TailleCopie(cadre->PaintBox1->logicalDpiX()));
        QVERIFY(d->data("image/svg+xml").contains("<svg"));
        for (const TGraphe* g : {&cadre->GrapheCopie, &cadre->GrapheEcran})
            QVERIFY(g->Surface == nullptr && g->Curseur.Surface == nullptr);
        const QImage avant = cadre->PaintBox1->Tampon.copy();
        QTest::mousePress(cadre->PaintBox1, Qt::LeftButton, {}, PixelDe(2));
        QVERIFY(PointSelectionne == 2 && ValeurX() == "1200 tr/min");
        QVERIFY(cadre->PaintBox1->Tampon != avant && !cadre->GrapheEcran.Curseur.Surface);
        cadre->PaintBox1MouseDown(Qt::RightButton, PixelDe(1).x(), PixelDe(1).y());
        QCOMPARE(PointSelectionne, 2);  // the right button does not select

        NouvelleCaract();  // an empty second characteristic becomes current
        cadre->PaintBox1MouseDown(Qt::LeftButton, PixelDe(0).x(), PixelDe(0).y());
        QVERIFY(PointSelectionne == -1 && ValeursCourantes[0] == -1 && ValeurX() == "--" &&
                !cadre->GrapheEcran.Curseur.Actif);
    }

    // The name columns are 148 wide in a frame of the design width, names
    // whole under their hint; in a narrow frame the columns share its width
    // and a long name is cut with "…", whole at the head of its hint.
    void namesCutOnlyWhenNarrow() {
        QCOMPARE(cadre->Panel3->width(), 148);
        const QString nom = QStringLiteral("Vitesse de rotation"), bulle = "Grandeur en abscisse";
        QVERIFY(cadre->TextVariableX->text() == nom && cadre->TextVariableX->toolTip() == bulle);
        cadre->resize(300, 472);
        QCoreApplication::processEvents();
        const QString coupe = cadre->TextVariableX->text();
        QVERIFY2(
            coupe.endsWith(QChar(0x2026)) && coupe.size() > 4 && nom.startsWith(coupe.chopped(1)),
            qPrintable(coupe));
        QCOMPARE(cadre->TextVariableX->toolTip(), nom + '\n' + bulle);
        QVERIFY(cadre->Panel3->width() < 148 && cadre->TextVariableY->text() == "Couple utile");
    }
};

QTEST_MAIN(TstCaractMachine)
#include "tst_caractmachine.moc"
