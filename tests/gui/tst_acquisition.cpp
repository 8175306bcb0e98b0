// Points taken on the machine under study, in process on the simulated bench
// (link type 3, the clock moved by the test): the words sent at a start and
// a stop, the manual points, the automatic sweep and its phases, the checked
// start and stop writes and the link lost mid-acquisition.
#include "BancEspion.h"

using namespace orvane;

namespace {
const QString Zero = QStringLiteral("W19.20=0,0,0,0,0,0");
std::vector<std::string> ErreurLiaison() { return {std::string(Textes.Texte(168))}; }
}  // namespace

class TstAcquisition : public essai::FenetreSurBanc {
    Q_OBJECT

    // A study of one empty trial of this machine and law, window shown.
    void Ouvrir(int machine, int type, int gamme = ConfigDefaut.GammePuissance) {
        ReglagesCourants = EnteteCaractDefaut, ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        NouvelleCaract(), OuvrirFenetre(gamme);
    }
    const Caracteristique& C() const { return Caracts[CaractCourante]; }
    void TicksManu(int n) {
        for (int i = 0; i < n && F().TimerManu->isActive(); ++i)
            banc->maintenant += 100, F().TimerManuTimer();
    }

private slots:
    void initTestCase() { Installer(); }
    void cleanupTestCase() { Desinstaller(); }
    void init() { NouvelleEtude(); }
    void cleanup() { FermerFenetre(); }

    // Coupling aid: K = 50 %, zero block, K again, mode 10 run. Stop: the
    // rest word (sent again once when it fails, silently), the zero block,
    // then K = 0, sent and shown.
    void manualStartAndStopWords() {
        Ouvrir(5, 5), F().ButtonManu->click();
        QCOMPARE(L().Ecritures(), (QStringList{"W19.20=500", Zero, "W19.20=500", "W20.29=2565"}));
        QVERIFY(F().ButtonManu->isChecked() && F().TimerManu->isActive() &&
                !F().ButtonAuto->isEnabled());
        TicksManu(5);
        QVERIFY(F().MesureFraiche);
        L().journal.clear(), L().echecs = 1, F().ButtonStopManu->click();
        QCOMPARE(L().Ecritures(), (QStringList{"W20.29=1", "W20.29=1", Zero, "W19.20=0"}));
        QVERIFY(!F().ButtonManu->isChecked() && !F().TimerManu->isActive() && !AcquisitionEnCours);
        QCOMPARE(F().TextK->text(), QStringLiteral("K = 0%"));
        QVERIFY(F().ButtonAuto->isEnabled() && rapport->messages.empty());
    }

    // A point only from a fresh reading, never the values of a selected
    // point stored again; a space typed in a comment is text; Escape stops.
    void manualPoints() {
        Ouvrir(MccIndependante, 1), F().ButtonManu->click(), F().ButtonAcquiPointCaract->click();
        QTest::keyClick(fenetre.get(), Qt::Key_Space);
        QCOMPARE(Points(), 0);
        F().ScrollBarK->setValue(60), TicksManu(30), QTest::keyClick(fenetre.get(), Qt::Key_Space);
        F().ScrollBarK->setValue(10), TicksManu(30);
        const ValeursPoint vives = ValeursCourantes;
        SelectionnerPoint(0);
        QCOMPARE(ValeursCourantes[GCouple], vives[GCouple]);
        QTest::mouseClick(F().ButtonAcquiPointCaract, Qt::LeftButton);
        QVERIFY(Points() == 2 && C().Point(GCouple, 1) < C().Point(GCouple, 0));
        F().EditTitre->show(), F().Editcourbe[0]->setFocus();
        QTest::keyClick(F().Editcourbe[0], Qt::Key_Space);
        QCOMPARE(Points(), 2);
        QTest::keyClick(fenetre.get(), Qt::Key_Escape);
        QVERIFY(AcquisitionEnCours == 0 && Points() == 2);
    }

    // The automatic mode: the zero block, no point from the space bar; a
    // failed first tick of the sweep keeps it going (its status is the one
    // from before the start); the sweep ends by itself, the last point kept
    // as the reference.
    void automaticSweepGoesOnAfterAFailedFirstTick() {
        Ouvrir(MasTriphasee, 1), F().ButtonAuto->click();
        QCOMPARE(L().Ecritures(), QStringList{Zero});
        TicksManu(20), QTest::keyClick(fenetre.get(), Qt::Key_Space);
        QCOMPARE(Points(), 0);
        F().ButtonAutoCroissant->click();
        QVERIFY(F().PhaseAuto == 1 && !F().TimerManu->isActive() && F().TimerAuto->isActive());
        L().echecs = 1;
        for (int i = 0; i < 600 && (i == 0 || F().TimerAuto->isActive()); ++i) {
            banc->maintenant += 50, F().TimerAutoTimer();
            if (i == 0) QVERIFY(F().TimerAuto->isActive());
        }
        QVERIFY(!F().TimerAuto->isActive() && Points() > 10 && !AcquisitionEnCours);
        QVERIFY(!F().ButtonAuto->isChecked() && F().ButtonManu->isEnabled());
        QCOMPARE(DernierPointN, C().Point(GVitesse, Points() - 1));
    }

    // The sweep's point rule, reading by reading: the running bit with the
    // bit of the sweep's own phase, and a squared distance strictly above
    // 2000 from the last point (the 300 W bench: torque weight 100), the
    // first from (0, 0); a reading without the running bit ends the sweep.
    void sweepPointNeedsItsPhaseAndADistanceAbove2000() {
        const auto lecture = [&](int32_t statut, int32_t n, int32_t t) {
            L().bloc = std::array<int32_t, 10>{statut, n, t, 0, 0, 0, 0, 0, 0, 0};
            banc->maintenant += 50, F().TimerAutoTimer();
            return Points();
        };
        Ouvrir(MasTriphasee, 1, 1), F().ButtonAuto->click(), TicksManu(2);
        F().ButtonAutoCroissant->click();
        QCOMPARE(lecture(0x0104, 40, 2), 0);    // 40² + 100 × 2² = 2000
        QCOMPARE(lecture(0x0104, -40, -2), 0);  // the same the other way
        QCOMPARE(lecture(0x0104, 41, 2), 1);    // 1681 + 400 = 2081
        QCOMPARE(lecture(0x0104, 81, 0), 1);    // 1600 + 400 = 2000 from (41, 2)
        QCOMPARE(lecture(0x0204, 300, 2), 1);   // far, in the other phase
        QCOMPARE(lecture(0x0100, 300, 2), 1);   // the drive no longer sweeps
        QVERIFY(!F().TimerAuto->isActive() && !AcquisitionEnCours);
        cleanup(), init();
        Ouvrir(MasTriphasee, 1, 1), F().ButtonAuto->click(), TicksManu(2);
        F().ButtonAutoDecroissant->click();  // falling: the second phase
        QCOMPARE(lecture(0x0104, 300, 0), 0);
        QCOMPARE(lecture(0x0204, 300, 0), 1);
        QCOMPARE(lecture(0x0304, 300, 50), 2);  // either bit with it: 100 × 50²
    }

    // Type 2 with the shaft turning (51 tr/min or more): the rising command
    // takes its points in the second phase.
    void speedImposingLawsSwapThePhases() {
        // speed, direction (1 rising, 3 falling), phase
        for (const QList<int>& c : {QList{-51, 1, 3}, {60, 3, 1}, {50, 1, 1}}) {
            if (fenetre) cleanup(), init();
            Ouvrir(MasTriphasee, 2), F().ButtonManu->click(), TicksManu(2), L().vitesse = c[0];
            QCOMPARE(F().setmode(c[1]), c[2]);
        }
    }

    // The sweep's words: type 1 has code 2; type 3 (no automatic button)
    // uses type 2's code 1.
    void automaticWordsAndBlocks() {
        const auto mots = [](int code, int bas, const QString& bloc) {
            return QStringList{Zero, QStringLiteral("W20.29=%1").arg(code << 8 | bas | 1), bloc,
                               QStringLiteral("W20.29=%1").arg(code << 8 | bas | 5)};
        };
        const QString montee = QStringLiteral("W19.20=1000,0,50,10,0,0");
        for (const auto& [type, sens, ecritures] :
             {std::tuple{1, 1, mots(2, 0x4000, montee)},
              {3, 1, mots(1, 0x4000, montee)},
              {3, 3, mots(1, 0x8000, "W19.20=1000,0,5,50,0,0")}}) {
            if (fenetre) cleanup(), init();
            Ouvrir(MasTriphasee, type), AcquisitionEnCours = 1, F().SensAuto = sens;
            QVERIFY(F().setAcquisitionAuto());
            QCOMPARE(L().Ecritures(), ecritures);
            F().ButtonStopManuClick();
        }
    }

    // A refresh ("Affich.", a view button, a resize) marks the values unread:
    // one failed exchange after it ends neither a manual acquisition nor a
    // sweep; the next good reading goes on as before.
    void oneFailureAfterARefreshGoesOn_data() {
        QTest::addColumn<bool>("balayage");
        QTest::newRow("manual") << false;
        QTest::newRow("sweep") << true;
    }
    void oneFailureAfterARefreshGoesOn() {
        QFETCH(bool, balayage);
        Ouvrir(MasTriphasee, 1);
        (balayage ? F().ButtonAuto : F().ButtonManu)->click(), TicksManu(3);
        if (balayage) F().ButtonAutoCroissant->click();
        QTimer* minuterie = balayage ? F().TimerAuto : F().TimerManu;
        const auto tick = [&] {
            banc->maintenant += 50;
            balayage ? F().TimerAutoTimer() : F().TimerManuTimer();
        };
        tick(), F().ButtonAffichage->click();
        QCOMPARE(ValeursCourantes[GNumero], -1);
        L().echecs = 1, tick();
        QVERIFY(minuterie->isActive() && AcquisitionEnCours == 1);
        tick();
        QVERIFY(minuterie->isActive() && F().MesureFraiche && ValeursCourantes[GNumero] == 0);
    }

    // One failed exchange goes on (its values are no fresh reading); the
    // link lost stops within two ticks, points kept, "----", said once, and
    // the status bar says why until the next start.
    void linkLostMidAcquisition() {
        Ouvrir(MccIndependante, 1), F().ButtonManu->click();
        const auto point = [&](int ticks) {
            TicksManu(ticks), F().ButtonAcquiPointCaractClick();
            return Points();
        };
        QCOMPARE(point(3), 1);
        L().echecs = 1;
        QCOMPARE(point(1), 1);
        QCOMPARE(point(1), 2);
        L().echecs = 1000, TicksManu(2);
        QVERIFY(!F().TimerManu->isActive() && AcquisitionEnCours == 0 && Points() == 2);
        QCOMPARE(F().TextVitesse->text(), QStringLiteral("----"));
        QCOMPARE(rapport->messages, ErreurLiaison());
        QVERIFY(F().statusBar()->isVisible());
        QCOMPARE(F().TextEtatAcquisition->text(),
                 QStringLiteral("Liaison perdue : acquisition arrêtée, les points sont conservés"));
        L().echecs = 0, F().ButtonManu->click();
        QVERIFY(AcquisitionEnCours == 1 && F().TextEtatAcquisition->text().isEmpty() &&
                !F().statusBar()->isVisible());
    }

    // A failed start write (the sweep's parameter block): the rest word next,
    // button up, said once.
    void aFailedStartWriteReturnsToRest() {
        Ouvrir(MasTriphasee, 1), F().ButtonAuto->click();
        L().journal.clear(), L().passer = 2, L().echecs = 1, F().ButtonAutoCroissant->click();
        const QStringList e = L().Ecritures();
        QVERIFY2(e.size() > 3 && e[3] == QStringLiteral("W20.29=1"), qPrintable(e.join(' ')));
        QVERIFY(!F().ButtonAuto->isChecked() && !AcquisitionEnCours && !F().TimerManu->isActive() &&
                !F().TimerAuto->isActive());
        QCOMPARE(rapport->messages, ErreurLiaison());
    }
};

QTEST_MAIN(TstAcquisition)
#include "tst_acquisition.moc"
