// Acquisitions on an emulated static load, driven through the tracing
// window on the simulated bench: what the drive receives at a start, the
// automatic points spaced by the distance test, the fresh-reading rule, the
// full trial, a failed start, one static acquisition at a time and the
// "Charge" button during an automatic acquisition.
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "BancEspion.h"
#include "OutilsEssai.h"
#include "dialogs/FormCom.h"
#include "load/ChoixCaract.h"
#include "study/Acquisition.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

constexpr int TypeQuadratique = 8;  // "T = a.n²+b", static
constexpr int Machine = 3;

// Block 20.02..20.11 with the given speed and torque.
std::array<int32_t, 10> Bloc(int32_t n, int32_t t) { return {2, n, t, 0, 0, 0, 0, 0, 0, 0}; }

}  // namespace

class TstCharge : public essai::FenetreSurBanc {
    Q_OBJECT

    int Points() const { return Caracts[CaractCourante].Dernier() + 1; }
    void tick() {
        banc->maintenant += 50;
        F().TimerChargeAutoTimer();
    }
    void mesure(int32_t n, int32_t t) {
        L().bloc = Bloc(n, t);
        tick();
    }

private slots:
    void initTestCase() {
        Installer();
        QVERIFY(banc->lien);
    }
    void cleanupTestCase() { Desinstaller(); }
    void init() {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        InitEtude();
        AcquisitionEnCours = 0;
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = Machine;
        ReglagesCourants[MotTypeCaract] = TypeQuadratique;
        NouvelleCaract();
        // One view, n and T.
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        OuvrirFenetre();  // the 300 W bench: torque weight 100
    }
    void cleanup() { FermerFenetre(); }

    // Manual points on a load: the point button stores a point only from a
    // reading of this acquisition, one per press.
    void manualPointsFromTheButton() {
        F().ButtonChargeManu->click();
        QVERIFY(F().ButtonChargeManu->isChecked());
        const int avant = Points();
        F().ButtonAcquiPointStatique->click();  // no reading yet
        QCOMPARE(Points(), avant);
        L().bloc = Bloc(1200, 450);
        banc->maintenant += 250;
        F().TimerManuTimer();
        F().ButtonAcquiPointStatique->click();
        QCOMPARE(Points(), avant + 1);
        QCOMPARE(Caracts[CaractCourante].Point(GVitesse, avant), 1200);
        F().ButtonAcquiPointStatique->click();
        QCOMPARE(Points(), avant + 2);
    }

    // A start sends the zero block, the mode selected, the law, the mode run.
    void startSendsLawInOrder_data() {
        QTest::addColumn<bool>("automatique");
        QTest::newRow("manual") << false;
        QTest::newRow("automatic") << true;
    }
    void startSendsLawInOrder() {
        QFETCH(bool, automatique);
        QToolButton* b = automatique ? F().ButtonChargeAuto : F().ButtonChargeManu;
        b->click();
        QVERIFY(b->isChecked());
        QCOMPARE(AcquisitionEnCours, 1);
        const std::array<int32_t, 5> p =
            ParametresDeCharge(TypeQuadratique, Caracts[1].Entete, ConfigGenerale.GammePuissance,
                               ConfigGenerale.FrequenceReseau);
        QVERIFY(p[0] != 0 || p[1] != 0);
        const int32_t c = CodeModeCharge[TypeQuadratique] * 256;
        const QStringList attendu{QStringLiteral("W19.20=0,0,0,0,0,0"),
                                  QStringLiteral("W20.29=%1").arg(c + 1),
                                  QStringLiteral("W19.20=%1,%2,%3,%4,%5,0")
                                      .arg(p[0])
                                      .arg(p[1])
                                      .arg(p[2])
                                      .arg(p[3])
                                      .arg(p[4]),
                                  QStringLiteral("W20.29=%1").arg(c + 5)};
        QCOMPARE(L().Ecritures(), attendu);
        QCOMPARE((automatique ? F().TimerChargeAuto : F().TimerManu)->isActive(), true);
        // The other static button waits while this one runs.
        QToolButton* autre = automatique ? F().ButtonChargeManu : F().ButtonChargeAuto;
        QVERIFY(!autre->isEnabled());
        F().ButtonStopManuClick();
        QVERIFY(autre->isEnabled());
        QVERIFY(b->isEnabled());
    }

    // The distance test (d² ≤ 2000 takes nothing) comes before the toggle:
    // the reference moves only with a stored point.
    void automaticPointsSpacedByDistance() {
        F().ButtonChargeAuto->click();
        QVERIFY(!F().ButtonAcquiAutoStatique->isChecked());
        // Toggle up: far from (0, 0) yet nothing stored, the reference stays.
        mesure(300, 0);
        QCOMPARE(Points(), 0);
        QCOMPARE(DernierPointN, int64_t{0});
        F().ButtonAcquiAutoStatique->setChecked(true);
        mesure(40, 2);  // 40² + 100 × 2² = 2000 exactly: no point
        QCOMPARE(Points(), 0);
        QCOMPARE(ValeursCourantes[GTemps], 0);
        mesure(41, 2);  // 2081
        QCOMPARE(Points(), 1);
        QCOMPARE(Caracts[CaractCourante].Point(GVitesse, 0), 41);
        QCOMPARE(Caracts[CaractCourante].Point(GCouple, 0), 2);
        mesure(41 + 44, 2 + 1);  // 1936 + 100 = 2036 from (41, 2)
        QCOMPARE(Points(), 2);
        mesure(85 - 40, 3 + 2);  // 1600 + 400 = 2000 from (85, 3)
        QCOMPARE(Points(), 2);
        mesure(85, 3);  // back on the reference
        QCOMPARE(Points(), 2);
        QCOMPARE(DernierPointN, int64_t{85});
        QCOMPARE(DernierPointT, int64_t{3});
        QVERIFY(F().TimerChargeAuto->isActive());
    }

    // A kept reading after one failed exchange is shown, never stored.
    void failedReadingStoresNothing() {
        F().ButtonChargeAuto->click();
        F().ButtonAcquiAutoStatique->setChecked(true);
        // Even the first tick of the acquisition may fail once.
        L().echecs = 1;
        mesure(500, 0);
        QVERIFY(F().ButtonChargeAuto->isChecked());
        QCOMPARE(Points(), 0);
        mesure(20, 0);
        QCOMPARE(Points(), 0);
        L().echecs = 1;
        mesure(500, 0);
        QCOMPARE(ValeursCourantes[GNumero], 0);  // one failure does not stop
        QCOMPARE(Points(), 0);
        QVERIFY(F().ButtonChargeAuto->isChecked());
        mesure(500, 0);
        QCOMPARE(Points(), 1);
        // Two failures in a row stop the acquisition, the points kept.
        L().echecs = 4;
        mesure(900, 0);
        QVERIFY(!F().ButtonChargeAuto->isChecked());
        QVERIFY(!F().TimerChargeAuto->isActive());
        QCOMPARE(Points(), 1);
    }

    // A full trial ends the acquisition with its 2001 points.
    void fullTrialEndsCleanly() {
        for (int p = 0; p < DernierPointMax; ++p) QVERIFY(AjouterPoint());
        QCOMPARE(Points(), DernierPointMax);
        F().ButtonChargeAuto->click();
        F().ButtonAcquiAutoStatique->setChecked(true);
        mesure(1000, 0);
        QCOMPARE(Points(), DernierPointMax + 1);
        QVERIFY(!F().ButtonChargeAuto->isChecked());
        QVERIFY(!F().TimerChargeAuto->isActive());
        QCOMPARE(AcquisitionEnCours, 0);
        QCOMPARE(Caracts[CaractCourante].Point(GVitesse, DernierPointMax), 1000);
    }

    // A failed write at the start: rest word, button up, "Erreur de liaison".
    void failedStartWrite_data() {
        QTest::addColumn<QString>("echec");
        const int32_t c = CodeModeCharge[TypeQuadratique] * 256;
        QTest::newRow("zero block") << QStringLiteral("W19.20=0,0,0,0,0,0");
        QTest::newRow("mode select") << QStringLiteral("W20.29=%1").arg(c + 1);
        QTest::newRow("run word") << QStringLiteral("W20.29=%1").arg(c + 5);
    }
    void failedStartWrite() {
        QFETCH(QString, echec);
        L().echouerSur = echec;
        F().ButtonChargeAuto->click();
        QVERIFY(!F().ButtonChargeAuto->isChecked());
        QVERIFY(!F().TimerChargeAuto->isActive());
        QCOMPARE(AcquisitionEnCours, 0);
        const QStringList e = L().Ecritures();
        const int i = e.indexOf(echec);
        QVERIFY(i >= 0);
        QVERIFY(e.mid(i + 1).contains(QStringLiteral("W20.29=1")));
        // Nothing after the failure runs the mode.
        QVERIFY(!e.mid(i + 1).contains(
            QStringLiteral("W20.29=%1").arg(CodeModeCharge[TypeQuadratique] * 256 + 5)));
        QCOMPARE(rapport->messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(rapport->messages[0]), QStringLiteral("Erreur de liaison"));
    }

    // "Charge" during an automatic acquisition: machine and type fixed, the
    // points kept, the new law sent at once.
    void chargeDuringAutomaticKeepsPoints() {
        TFormChoixCaract choix;
        FormTraceCaract = fenetre.get();
        F().ButtonChargeAuto->click();
        F().ButtonAcquiAutoStatique->setChecked(true);
        mesure(400, 0);
        QCOMPARE(Points(), 1);
        QVERIFY(F().ButtonModifCharge->isEnabled());
        F().ButtonModifCharge->click();
        QVERIFY(choix.isVisible());
        QVERIFY(choix.ChoixFige);
        QCOMPARE(choix.PageControl->currentIndex(), 1);
        QVERIFY(!choix.PageControl->isTabEnabled(0));
        QVERIFY(!choix.PageControl->isTabEnabled(2));
        QVERIFY(!choix.ButtonTcstS->isEnabled());
        QVERIFY(!choix.Buttontan2bS->isEnabled());
        ReglagesCourants[6] = ReglagesCourants[6] == 100 ? 90 : 100;  // torque at N0
        const int32_t mot6 = ReglagesCourants[6];
        QVERIFY(choix.ButtonEtudeStatique->isEnabled());
        choix.ButtonEtudeStatique->click();
        QVERIFY(!choix.isVisible());
        QVERIFY(!choix.ChoixFige);
        // Another law makes another trial: the first keeps its point, the
        // acquisition goes on in the new one with the new law.
        QCOMPARE(Etude.NbCaract, 2);
        QCOMPARE(Caracts[1].Dernier(), 0);
        QCOMPARE(CaractCourante, 2);
        QCOMPARE(Caracts[2].Entete[6], mot6);
        QCOMPARE(Caracts[2].Entete[MotTypeMachine], Machine);
        QCOMPARE(Caracts[2].Entete[MotTypeCaract], TypeQuadratique);
        QVERIFY(F().ButtonChargeAuto->isChecked());
        L().journal.clear();
        mesure(900, 0);
        const std::array<int32_t, 5> p =
            ParametresDeCharge(TypeQuadratique, Caracts[2].Entete, ConfigGenerale.GammePuissance,
                               ConfigGenerale.FrequenceReseau);
        QCOMPARE(L().Ecritures(), QStringList{QStringLiteral("W19.20=%1,%2,%3,%4,%5,0")
                                                  .arg(p[0])
                                                  .arg(p[1])
                                                  .arg(p[2])
                                                  .arg(p[3])
                                                  .arg(p[4])});
        QCOMPARE(Caracts[2].Dernier(), 0);
        QCOMPARE(Caracts[1].Dernier(), 0);
        QVERIFY(F().TimerChargeAuto->isActive());
        // Opened outside an acquisition, the choice is free again.
        F().ButtonStopManuClick();
        F().ButtonModifCharge->click();
        QVERIFY(!choix.ChoixFige);
        QVERIFY(choix.ButtonTcstS->isEnabled());
        QVERIFY(choix.PageControl->isTabEnabled(0));
        choix.close();
        FormTraceCaract = nullptr;
    }
};

QTEST_MAIN(TstCharge)
#include "tst_charge.moc"
