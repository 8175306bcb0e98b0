// Acquisitions on an emulated static load through the tracing window on the
// simulated bench: the words of a start, the automatic points spaced by the
// distance test, the fresh-reading rule and the "Charge" button during an
// automatic acquisition.
#include "BancEspion.h"
#include "load/ChoixCaract.h"
#include "study/Fichiers.h"

using namespace orvane;

namespace {
constexpr int TypeQuadratique = 8;  // "T = a.n²+b", static
// The run (5) or select (1) word of the law's mode: mode code 7 × 256 + low bits.
QString Mot(int bas) { return QStringLiteral("W20.29=%1").arg(7 * 256 + bas); }
// The law's parameter block on the 300 W bench (Tscale 300) at 50 Hz, worked
// out by hand: torque at N0 (word 6) 300 × 50 / 150 = 100, standstill torque
// (word 7) 300 × 20 / 150 = 40, N0 = 1500; the sixth word untouched. With
// word 6 at 100: 300 × 100 / 150 = 200.
const QString Loi50 = QStringLiteral("W19.20=100,40,1500,0,0,0");
const QString Loi100 = QStringLiteral("W19.20=200,40,1500,0,0,0");
}  // namespace

class TstCharge : public essai::FenetreSurBanc {
    Q_OBJECT

    void mesure(int32_t n, int32_t t) {  // one tick reading this speed and torque
        L().bloc = std::array<int32_t, 10>{2, n, t, 0, 0, 0, 0, 0, 0, 0};
        banc->maintenant += 50, F().TimerChargeAutoTimer();
    }
    void Auto(bool points = true) {
        F().ButtonChargeAuto->click(), F().ButtonAcquiAutoStatique->setChecked(points);
    }

private slots:
    void initTestCase() { Installer(); }
    void cleanupTestCase() { Desinstaller(); }
    void init() {
        NouvelleEtude(), ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotTypeCaract] = TypeQuadratique;
        NouvelleCaract();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        OuvrirFenetre();  // the 300 W bench: torque weight 100
    }
    void cleanup() { FermerFenetre(); }

    // A start sends the zero block, the mode selected, the law, the mode run;
    // the other static button waits meanwhile. Manual points only from a
    // reading of this acquisition, one per press.
    void startSendsLawInOrder() {
        F().ButtonChargeManu->click();
        QVERIFY(F().ButtonChargeManu->isChecked() && AcquisitionEnCours == 1);
        QCOMPARE(L().Ecritures(),
                 (QStringList{QStringLiteral("W19.20=0,0,0,0,0,0"), Mot(1), Loi50, Mot(5)}));
        QVERIFY(F().TimerManu->isActive() && !F().ButtonChargeAuto->isEnabled());
        F().ButtonAcquiPointStatique->click();  // no reading yet
        QCOMPARE(Points(), 0);
        L().bloc = std::array<int32_t, 10>{2, 1200, 450, 0, 0, 0, 0, 0, 0, 0};
        banc->maintenant += 250, F().TimerManuTimer();
        for (int i = 0; i < 2; ++i) F().ButtonAcquiPointStatique->click();
        QVERIFY(Points() == 2 && Caracts[CaractCourante].Point(GVitesse, 0) == 1200);
        F().ButtonStopManuClick();
        QVERIFY(F().ButtonChargeAuto->isEnabled() && F().ButtonChargeManu->isEnabled());
    }

    // The distance test (d² ≤ 2000 takes nothing) comes before the toggle:
    // the reference moves only with a stored point.
    void automaticPointsSpacedByDistance() {
        Auto(false);
        mesure(300, 0);  // toggle up: far from (0, 0) yet nothing stored
        QVERIFY(Points() == 0 && DernierPointN == 0);
        F().ButtonAcquiAutoStatique->setChecked(true);
        mesure(40, 2);  // 40² + 100 × 2² = 2000 exactly: no point
        QCOMPARE(Points(), 0);
        mesure(41, 2);  // 2081
        QVERIFY(Points() == 1 && Caracts[CaractCourante].Point(GCouple, 0) == 2);
        mesure(41 + 44, 2 + 1);  // 1936 + 100 = 2036
        mesure(85 - 40, 3 + 2);  // 1600 + 400 = 2000 from the last stored point
        QVERIFY(Points() == 2 && DernierPointN == 85 && DernierPointT == 3 &&
                F().TimerChargeAuto->isActive());
    }

    // A reading kept after one failed exchange is shown, never stored (even
    // on the first tick).
    void failedReadingStoresNothing() {
        Auto();
        L().echecs = 1, mesure(500, 0);
        QCOMPARE(Points(), 0);
        mesure(500, 0);  // stored
        L().echecs = 1, mesure(900, 0);
        QVERIFY(Points() == 1 && F().ButtonChargeAuto->isChecked());
    }

    // "Charge" during an automatic acquisition: machine and type fixed; a
    // new law makes a new trial, the first keeps its point, the law is sent
    // at the next tick until the drive has it. Outside an acquisition the choice is free again.
    void chargeDuringAutomaticKeepsPoints() {
        TFormChoixCaract choix;
        FormTraceCaract = fenetre.get();
        Auto(), mesure(400, 0);
        F().ButtonModifCharge->click();
        QVERIFY(choix.isVisible() && choix.ChoixFige && choix.PageControl->currentIndex() == 1 &&
                !choix.PageControl->isTabEnabled(0) && !choix.ButtonTcstS->isEnabled());
        QCOMPARE(ReglagesCourants[6], 50);
        ReglagesCourants[6] = 100;  // torque at N0
        choix.ButtonEtudeStatique->click();
        QVERIFY(!choix.isVisible() && !choix.ChoixFige && Etude.NbCaract == 2 &&
                CaractCourante == 2 && F().ButtonChargeAuto->isChecked() &&
                Caracts[2].Entete[6] == ReglagesCourants[6]);
        // The new law's first write fails: no point under its label while the
        // drive keeps the old law, and the next tick sends it again.
        L().journal.clear(), L().echecs = 1, mesure(900, 0);
        QVERIFY(Caracts[2].Dernier() == -1 && F().ButtonChargeAuto->isChecked());
        mesure(1300, 0);
        QCOMPARE(L().Ecritures(), QStringList(2, Loi100));
        QVERIFY(Caracts[1].Dernier() == 0 && Caracts[2].Dernier() == 0);
        F().ButtonStopManuClick(), F().ButtonModifCharge->click();
        QVERIFY(!choix.ChoixFige && choix.ButtonTcstS->isEnabled());
        choix.close(), FormTraceCaract = nullptr;
    }

    // "Ouvrir" during an acquisition: given up in the file dialog, the
    // acquisition goes on; with a file chosen it stops before the study is
    // replaced.
    void openStopsTheAcquisitionOnlyForAChosenFile() {
        const essai::DossierTemporaire dossier;
        const QString fichier = QString::fromStdString((dossier.racine / "e.OVX2").string());
        QVERIFY(EnregistrerEtude(fichier.toStdString()));
        Auto(), mesure(400, 0);
        rapport->reponses = {ReponseQuestion::Non, ReponseQuestion::Non};
        bool choisi = false;
        TFormCom::DefinirChoixFichier([&](bool, QString& nom) { return nom = fichier, choisi; });
        F().Ouvrir->trigger();
        QVERIFY(F().TimerChargeAuto->isActive() && AcquisitionEnCours == 1 && Points() == 1);
        choisi = true, F().Ouvrir->trigger();
        TFormCom::DefinirChoixFichier({});
        QVERIFY(!F().TimerChargeAuto->isActive() && AcquisitionEnCours == 0 && Points() == 0 &&
                EtudeEnregistree == 1 && rapport->questions.size() == 2);
    }
};

QTEST_MAIN(TstCharge)
#include "tst_charge.moc"
