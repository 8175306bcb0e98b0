// Acquisitions end to end in real time: the simulated drive on a pseudo-terminal
// (link type 1), the window driven through its controls, the drive's journal read.
#include "BancEspion.h"
#include "study/Acquisition.h"

using namespace orvane;

class TstBancSerie : public essai::FenetreSurServeur {
    Q_OBJECT

    sim::Variateur& V() { return serveur->variateur; }
    // The drive's writes from the `depuis`-th on, as "19.20 0,0,..." texts.
    QStringList Journal(size_t depuis) {
        QStringList l;
        const auto e = V().JournalEcritures();
        for (size_t i = depuis; i < e.size(); ++i) l << sim::TexteEcriture(e[i]).c_str();
        return l;
    }
    // The drive with this machine (at rest when asked), a trial of `type`, a view of x, y.
    bool Preparer(int machine, int type, int x, int y, bool auRepos = false) {
        Essai(machine, type);
        Etude.Vues[0] = {1, 1, {0, 0}, x, 18, {0, 0}, y, 18, {0, 0}, 1};
        if (type == 12)  // 5 s, triggered at 15 tr/min on the speed, added inertia
            ReglagesCourants[MotInertie] = 200, ReglagesCourants[MotDureeOscillo] = 0,
            ReglagesCourants[MotGrandeurSynchro] = GVitesse, ReglagesCourants[MotSeuilSynchro] = 15;
        const bool servi = Servir(machine, false, auRepos);
        return Montrer(), servi;
    }
    static void Clic(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

private slots:
    void cleanup() {
        const bool muet = !rapport || rapport->messages.empty();
        Liberer();
        QVERIFY(muet);
    }

    // K 0 -> 100 %, a point at each step with the button or the space bar;
    // the words at the start (on a link already open) and at the stop.
    void manualCharacteristicOfTheDcMachine() {
        QVERIFY(Preparer(MccIndependante, 1, GVitesse, GCouple));
        com->Initialise();
        size_t debut = V().JournalEcritures().size();
        Clic(f->ButtonManu);
        QCOMPARE(Journal(debut), (QStringList{"19.20 0", "19.20 0,0,0,0,0,0", "20.29 517"}));
        int32_t precedent = -1;
        for (int k = 0; k <= 100; k += 50) {
            f->ScrollBarK->setValue(k), QTest::qWait(1500);
            QVERIFY(Attendre([&] { return f->MesureFraiche; }, 2000));
            k == 50 ? QTest::keyClick(f.get(), Qt::Key_Space) : Clic(f->ButtonAcquiPointCaract);
            QVERIFY(Points() == k / 50 + 1 && C().Point(GCouple, k / 50) > precedent);
            precedent = C().Point(GCouple, k / 50);
        }
        debut = V().JournalEcritures().size(), Clic(f->ButtonStopManu);
        QCOMPARE(Journal(debut), (QStringList{"20.29 1", "19.20 0,0,0,0,0,0", "19.20 0"}));
    }

    // The asynchronous machine's sweeps take their points in their own phase
    // only (status 0x0004 with 0x0100 for the first, 0x0200 for the second),
    // each far enough from the one before, and end by themselves. A falling
    // command first rises in 0.5 s (first phase) and falls over T (second);
    // under an imposed speed with the shaft already turning the drive starts
    // from the top, so a rising command rises in the second phase.
    void automaticSweepTakesItsPointsInItsPhase_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("croissant");
        QTest::addColumn<int>("phase");
        QTest::newRow("rising") << 1 << true << 0x0100;
        QTest::newRow("falling") << 1 << false << 0x0200;
        QTest::newRow("rising on a turning shaft, imposed speed") << 2 << true << 0x0200;
    }
    void automaticSweepTakesItsPointsInItsPhase() {
        QFETCH(int, type);
        QFETCH(bool, croissant);
        QFETCH(int, phase);
        QVERIFY(Preparer(MasTriphasee, type, GVitesse, GCouple));
        Clic(f->ButtonAuto);
        QVERIFY(Attendre([&] { return f->MesureFraiche; }, 3000));
        QVERIFY(std::abs(ValeursCourantes[GVitesse]) > 1000);  // turning, unloaded
        QCOMPARE(ConfigGenerale.GammePuissance, 2);  // the bench's 1500 W: torque weight 10
        int horsPhase = 0, tropPres = 0, avant = 0, dansPhase = 0;
        connect(f->TimerAuto, &QTimer::timeout, f.get(), [&] {  // after the window's own tick
            const int32_t s = com->StatusCopie();
            dansPhase += (s & (phase | 0x0004)) == (phase | 0x0004);
            for (int p = std::max(avant, 1); p < Points(); ++p) {
                const int64_t dn = C().Point(GVitesse, p) - C().Point(GVitesse, p - 1);
                const int64_t dt = C().Point(GCouple, p) - C().Point(GCouple, p - 1);
                tropPres += dn * dn + 10 * dt * dt <= 2000;
            }
            horsPhase += Points() > avant && (s & (phase | 0x0004)) != (phase | 0x0004);
            avant = Points();
        });
        Clic(croissant ? f->ButtonAutoCroissant : f->ButtonAutoDecroissant);
        QVERIFY(Attendre([&] { return !f->TimerAuto->isActive(); }, 20000));
        QCOMPARE(horsPhase, 0);
        QCOMPARE(tropPres, 0);
        QVERIFY2(Points() > 10 && dansPhase > 50,
                 qPrintable(QStringLiteral("%1 points, %2 ticks").arg(Points()).arg(dansPhase)));
        QVERIFY(!f->ButtonAuto->isChecked() && AcquisitionEnCours == 0);
    }

    // Static "T = a.n²+b", the machine switched off: automatic points while the operating
    // point moves, none at rest.
    void staticLoadAutomaticPointsAtAStop() {
        QVERIFY(Preparer(MasTriphasee, 8, GVitesse, GCouple));
        Clic(f->ButtonChargeAuto);
        QVERIFY(Attendre([&] { return com->LectureValide(); }, 3000));
        Clic(f->ButtonAcquiAutoStatique);
        QVERIFY(Attendre([&] { return Points() == 1; }, 2000));  // the first operating point
        QTest::qWait(500);
        QCOMPARE(Points(), 1);  // steady: nothing more
        V().SetMachineAlimentee(false);
        QVERIFY(Attendre([&] { return V().VitesseTrMin() < 1; }, 10000));
        QTest::qWait(500);
        const int pris = Points();
        QTest::qWait(500);
        QVERIFY(Points() == pris && pris >= 4);  // at rest: nothing more
        Clic(f->ButtonStopManu);
        for (int p = 1; p < pris; ++p)  // torque may move first
            QVERIFY(C().Point(GVitesse, p) <= C().Point(GVitesse, p - 1));
        QVERIFY(C().Point(GVitesse, pris - 1) < C().Point(GVitesse, 0) / 10);
    }

    // Triggered on the speed: the start with load and added inertia, the time from the
    // trigger; or from the first tick. Both end with the first point past the duration.
    void oscilloscopeCapture_data() {
        QTest::addColumn<bool>("synchro");
        QTest::newRow("trigger on speed at a start") << true;
        QTest::newRow("without synchronisation") << false;
    }
    void oscilloscopeCapture() {
        QFETCH(bool, synchro);
        QVERIFY(Preparer(MasTriphasee, 12, GTemps, GVitesse, synchro));  // dynamic load
        Clic(f->ButtonChargeDynamique);                                  // opens the link
        QVERIFY(f->ButtonChargeDynamique->isChecked() && com->LiaisonOuverte());
        if (!synchro) Clic(f->ButtonSynchro);
        Clic(f->SpeedButtonOscillo);
        if (synchro) {  // armed on a machine at rest: nothing stored, time held at 0
            QTest::qWait(400);
            QVERIFY(f->TimerOscillo->isActive() && !f->OscilloDeclenche && Points() == 0 &&
                    f->ValeurReference == 0);
            V().SetMachineAlimentee(true);
        }
        QVERIFY(Attendre([&] { return !f->TimerOscillo->isActive(); }, 15000));
        const int d = C().Dernier();
        QVERIFY(!f->ButtonChargeDynamique->isChecked() && d > 40 && C().Point(GVitesse, d) > 1000);
        QVERIFY(synchro ? C().Point(GTemps, 0) == 0 : C().Point(GTemps, 0) <= 20);
        QVERIFY(C().Point(GTemps, d) > 500 && C().Point(GTemps, d - 1) <= 500);
        for (int p = 1; p <= d; ++p) QVERIFY(C().Point(GTemps, p) > C().Point(GTemps, p - 1));
        const int32_t fin = C().Point(GVitesse, d);
        if (synchro) {
            // From just past the threshold up to speed, slowed by the added
            // inertia (still below 90 % after 100 ms).
            QVERIFY(C().Point(GVitesse, 0) > 15 && C().Point(GVitesse, 0) < fin / 3);
            int p = 0;
            while (p < d && C().Point(GTemps, p) < 10) ++p;
            QVERIFY(C().Point(GVitesse, p) < fin * 9 / 10);
        }
    }
};

QTEST_MAIN(TstBancSerie)
#include "tst_bancserie.moc"
