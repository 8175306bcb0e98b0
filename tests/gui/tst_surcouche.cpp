// Over a plot frame's view: the load line chosen in its dialog, drawn dashed
// with the operating point it makes with a DC machine's characteristic; the
// fit to the points from the frame's menu; the two time cursors on a capture
// and the step measurements of its dialog.
#include <QtTest>
#include <QtWidgets>
#include <cmath>

#include "dialogs/DroiteCharge.h"
#include "dialogs/MesuresReponse.h"
#include "graph/Ajustement.h"
#include "graph/CaractMachine.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// The tracing window's part: the load line dialog, filled by `remplir`.
class TraceDouble : public ITraceCaract {
public:
    void curseur() override {}
    void Action() override {}
    void SupprimePoint() override {}
    void SupprimeTousPoints() override {}
    void Nouvellecourbe1Click() override {}
    void NouvelCaractVue(int) override {}
    void DroiteDeCharge(int vue) override {
        TDroiteCharge d(vue);
        remplir(d);
        if (d.result() == QDialog::Accepted) d.Enregistrer(vue);
    }
    void MesuresReponseVue(int) override {}
    std::function<void(TDroiteCharge&)> remplir;
};

void Essai(int machine, int type, const std::vector<std::pair<int, int>>& points, int qX, int qY) {
    ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = type;
    NouvelleCaract();
    for (auto [x, y] : points) {
        ValeursCourantes = {};
        ValeursCourantes[static_cast<size_t>(qX)] = x,
        ValeursCourantes[static_cast<size_t>(qY)] = y;
        AjouterPoint();
    }
}

}  // namespace

class TstSurcouche : public QObject {
    Q_OBJECT

    std::unique_ptr<TCaractMachine> cadre;
    TraceDouble trace;

    void Montrer() {
        cadre = std::make_unique<TCaractMachine>();
        FenetreTrace = &trace;
        cadre->resize(620, 520), cadre->show();
        QVERIFY(QTest::qWaitForWindowExposed(cadre.get()));
        cadre->tracecaract(), cadre->PaintBox1->repaint();
    }
    // A pixel of colour `c` within `r` pixels of `ici` on the frame's picture.
    bool Trouve(QPointF ici, TCouleur c, int r) const {
        const QImage image = cadre->PaintBox1->grab().toImage();
        for (int dx = -r; dx <= r; ++dx)
            for (int dy = -r; dy <= r; ++dy)
                if ((image.pixel(ici.toPoint() + QPoint(dx, dy)) & 0xFFFFFF) ==
                    (VersQColor(c).rgb() & 0xFFFFFF))
                    return true;
        return false;
    }

private slots:
    void init() {
        ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
        ValeursCourantes[0] = -1;
    }
    void cleanup() { FenetreTrace = nullptr, cadre.reset(); }

    // A DC machine's line T = 30 − 0.02·n (N·m, from 1000 to 1500 tr/min)
    // and the law T = 4e-6·n² + 1: 4e-6·n² + 0.02·n − 29 = 0 gives
    // n* = (−0.02 + √0.000864) / 8e-6 = 1174.2 tr/min, T* = 6.52 N·m,
    // P* = 1174.2 × 6.515 × π/30 = 801 W; the load rises, the machine
    // falls: stable. The fit then shows the points in quadrant 1.
    void loadLineAndItsOperatingPoint() {
        Essai(MccIndependante, 1, {{1000, 1000}, {1250, 500}, {1500, 0}}, GVitesse, GCouple);
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 0};
        Montrer();
        cadre->PopupMenu1Popup();
        QVERIFY(cadre->DroiteCharge1->isEnabled() && !cadre->Curseurs1->isEnabled());
        trace.remplir = [](TDroiteCharge& d) {
            d.ListeLois->setCurrentIndex(3);  // T = a.n²+b
            QVERIFY(d.EditA->isVisibleTo(&d) && d.EditB->isVisibleTo(&d) &&
                    !d.EditP->isVisibleTo(&d));
            d.EditA->setValue(4e-6), d.EditB->setValue(1);
            QVERIFY(d.BoutonOK->isEnabled());
            d.BoutonOK->click();
        };
        EtudeEnregistree = 1;
        cadre->DroiteCharge1->trigger();
        QCOMPARE(EtudeEnregistree, 0);  // kept with the view
        cadre->PaintBox1->repaint();
        QCOMPARE(cadre->PointsVus.size(), size_t(1));
        const Croisement c = cadre->PointsVus[0].point;
        QVERIFY(std::fabs(c.n - 1174.24) < 0.05 && std::fabs(c.T - 6.515) < 0.005 && c.stable);
        QCOMPARE(cadre->TextesSurcouche,
                 QStringList{"n* = 1174,2 tr/min   T* = 6,52 Nm   P* = 801 W   stable"});
        // The mark, in the trial's colour, at its place on the plot.
        const TGraphe& g = cadre->GrapheEcran;
        QVERIFY(Trouve(QPointF(pixelx(g, 1174), pixely(g, 652)), g.Palette[1], 2));
        // The dashed law, in the axes' colour: T(600) = 2.44 N·m, not 8 N·m.
        QVERIFY(Trouve(QPointF(pixelx(g, 600), pixely(g, 244)), g.Palette[0], 3));
        QVERIFY(!Trouve(QPointF(pixelx(g, 600), pixely(g, 800)), g.Palette[0], 3));

        // No crossing: said on the plot.
        trace.remplir = [](TDroiteCharge& d) {
            d.ListeLois->setCurrentIndex(1), d.EditB->setValue(50), d.BoutonOK->click();
        };
        cadre->DroiteCharge1->trigger(), cadre->PaintBox1->repaint();
        QCOMPARE(cadre->TextesSurcouche, QStringList{"pas de point de fonctionnement"});

        // Fitted: quadrant 1, speed up to 1500 (step 18, 1500 tr/min), torque
        // up to 10 N·m of a 20 N·m full scale (step 25: 2000 × 50 / 100).
        cadre->AjusterPoints1->trigger();
        const VueGraphe& v = Etude.Vues[0];
        QCOMPARE(QList<int>({v.Quadrant, v.ZoomX, v.ZoomY}), QList<int>({1, 18, 25}));
    }

    // A capture y = 100·t (t in hundredths of a second, 0 to 5 s): the
    // cursors at 1 s and 3 s (a click at each pixel, the second moved by
    // the keys) read Δt = 2 s and the values under them; the step
    // measurements of a first-order capture.
    void cursorsOnACapture() {
        std::vector<std::pair<int, int>> points;
        for (int t = 0; t <= 500; t += 5) points.push_back({t, t});
        Essai(MasTriphasee, 10, points, GTemps, GVitesse);
        Etude.Vues[0] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
        Etude.Vues[0] = VueAjusteeDe(Etude.Vues[0]);  // 0..5 s over the plot's width
        Montrer();
        cadre->PopupMenu1Popup();
        QVERIFY(cadre->Curseurs1->isEnabled() && !cadre->DroiteCharge1->isEnabled());
        cadre->Curseurs1->trigger();
        QVERIFY(cadre->CurseursActifs);
        const TGraphe& g = cadre->GrapheEcran;
        const int y = pixely(g, 100);
        const int x1 = pixelx(g, 100), x3 = pixelx(g, 300);
        QTest::mouseClick(cadre->PaintBox1, Qt::LeftButton, {}, QPoint(x1, y));
        cadre->CurseurChoisi = 1;
        cadre->PlacerCurseur(x3 - 5);
        for (int i = 0; i < 5; ++i) QTest::keyClick(cadre->PaintBox1, Qt::Key_Right);
        cadre->PaintBox1->repaint();
        const QStringList t = cadre->TextesSurcouche;
        QVERIFY2(t.size() == 2, qPrintable(t.join(" | ")));
        // Within a pixel (the time axis shows 0..5 s here over ~550 px).
        const QRegularExpression dt(QStringLiteral("Δt = (\\d+),(\\d\\d) s"));
        const auto m = dt.match(t[0]);
        QVERIFY2(m.hasMatch(), qPrintable(t[0]));
        QVERIFY2(std::fabs(m.captured(1).toInt() + m.captured(2).toInt() / 100.0 - 2.0) <= 0.02,
                 qPrintable(t.join(" | ")));
        QVERIFY2(t[1].startsWith(QStringLiteral("Essai 1 : ")), qPrintable(t[1]));
    }

    // First order, τ = 0.5 s, from 0 to 1000 tr/min at t = 1 s, sampled
    // every 50 ms for 5 s: the time constant within a sample, the rise time
    // τ·ln 9 = 1.099 s, no overshoot.
    void stepMeasurements() {
        std::vector<std::pair<int, int>> points;
        for (int i = 0; i <= 100; ++i) {
            const double t = i * 0.05;
            const double y = t <= 1 ? 0 : 1000 * (1 - std::exp(-(t - 1) / 0.5));
            points.push_back(
                {static_cast<int>(std::lround(t * 100)), static_cast<int>(std::lround(y))});
        }
        Essai(MasTriphasee, 10, points, GTemps, GVitesse);
        Etude.Vues[0] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
        CaractCourante = 1;
        TMesuresReponse d(1);
        QCOMPARE(d.ListeGrandeurs->currentText(), QStringLiteral("Vitesse de rotation"));
        const MesuresReponse m = MesurerEssai(1, GVitesse);
        QVERIFY(m.constante && std::fabs(*m.constante - 0.5) <= 0.05);
        QVERIFY(m.montee && std::fabs(*m.montee - 0.5 * std::log(9.0)) <= 0.05);
        QVERIFY(m.depassement && *m.depassement < 0.5);
        QCOMPARE(d.Valeurs[0]->text(), QStringLiteral("0 tr/min"));
        QVERIFY2(d.Valeurs[4]->text().startsWith(QStringLiteral("0,5")),
                 qPrintable(d.Valeurs[4]->text()));
        // The time quantity has no step: every time measurement is "—".
        d.ListeGrandeurs->setCurrentIndex(1);  // torque: all zero
        QCOMPARE(d.Valeurs[2]->text(), QStringLiteral("—"));
    }
};

QTEST_MAIN(TstSurcouche)
#include "tst_surcouche.moc"
