// The oscilloscope mode on the simulated bench, driven through the tracing
// window: the settings written only by the user, the arming (reference read
// at arming), the time held at 0 until the strict trigger, the trigger tick
// stored at t = 0, each point stored before the strict end test, a capture
// without synchronisation, kept readings never stored twice and the full
// trial.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "BancEspion.h"
#include "OutilsEssai.h"
#include "dialogs/FormCom.h"
#include "study/Acquisition.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

constexpr int TypeDynamique = 12;  // "T = a.n²+b", dynamic
constexpr int Machine = 3;

std::array<int32_t, 10> Bloc(int32_t n) { return {2, n, 100, 0, 0, 0, 0, 0, 0, 0}; }

void Essai(int32_t duree, int32_t grandeur, int32_t seuil) {
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = Machine;
    ReglagesCourants[MotTypeCaract] = TypeDynamique;
    ReglagesCourants[MotInertie] = 200;  // added inertia
    ReglagesCourants[MotDureeOscillo] = duree;
    ReglagesCourants[MotGrandeurSynchro] = grandeur;
    ReglagesCourants[MotSeuilSynchro] = seuil;
    NouvelleCaract();
}

}  // namespace

class TstOscillo : public essai::FenetreSurBanc {
    Q_OBJECT

    const Caracteristique& C() const { return Caracts[CaractCourante]; }
    int Points() const { return C().Dernier() + 1; }
    void tick() {
        banc->maintenant += 50;
        F().TimerOscilloTimer();
    }
    void mesure(int32_t n) {
        L().bloc = Bloc(n);
        tick();
    }
    QString Etat(int k) const { return QString::fromUtf8(Textes.EtatAcquisition[k].data()); }
    void Demarrer() {
        F().ButtonChargeDynamique->click();
        QVERIFY(F().ButtonChargeDynamique->isChecked());
        QVERIFY(F().TimerOscillo->isActive());
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
        Etude.Vues[0] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
        AcquisitionEnCours = 0;
        Essai(0, GVitesse, 15);  // 5 s, speed, 15 tr/min
        OuvrirFenetre();         // the 300 W bench: torque weight 100
    }
    void cleanup() { FermerFenetre(); }

    // The user's settings: duration, trigger item (speed, torque, voltage,
    // current) and the threshold from the table of thresholds.
    void settingsByUser_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("grandeur");
        QTest::addColumn<int>("seuil");
        QTest::addColumn<QString>("texte");
        // Full scales of a new study: speed 1500, torque 2000 (range 1).
        QTest::newRow("speed") << 0 << 3 << int{GVitesse} << 15 << QStringLiteral("T = 8 s");
        QTest::newRow("torque") << 1 << 24 << int{GCouple} << 4 << QStringLiteral("T = 120 s");
        QTest::newRow("voltage") << 2 << 10 << int{GTension} << -1 << QStringLiteral("T = 20 s");
        QTest::newRow("current") << 3 << 0 << int{GCourant} << -1 << QStringLiteral("T = 5 s");
    }
    void settingsByUser() {
        QFETCH(int, item);
        QFETCH(int, position);
        QFETCH(int, grandeur);
        QFETCH(int, seuil);
        QFETCH(QString, texte);
        QCOMPARE(Etude.Grandeurs[GVitesse].PleineEchelle, 1500);
        QCOMPARE(Etude.Grandeurs[GCouple].PleineEchelle, 2000);
        Demarrer();
        F().ComboBoxVariable->setCurrentIndex(item);
        F().ScrollBarDureeOscillo->setValue(position);
        QCOMPARE(C().Entete[MotGrandeurSynchro], grandeur);
        QCOMPARE(C().Entete[MotDureeOscillo], position);
        const int32_t attendu = seuil >= 0
                                    ? seuil
                                    : Etude.Grandeurs[grandeur].PleineEchelle *
                                          TableSeuils[1][static_cast<size_t>(grandeur)] / 1000;
        QCOMPARE(C().Entete[MotSeuilSynchro], attendu);
        QCOMPARE(F().TextDureeSynchro->text(), texte);
        // Shown back as the same item.
        F().Action();
        QCOMPARE(F().ComboBoxVariable->currentIndex(), item);
    }

    // Switching trials and entering the mode set the controls from the trial
    // and write nothing back into either trial.
    void programSetControlsWriteNothing() {
        Essai(7, GCouple, 9);
        QCOMPARE(Etude.NbCaract, 2);
        const EnteteCaract avant1 = Caracts[1].Entete;
        const EnteteCaract avant2 = Caracts[2].Entete;
        F().Action();
        F().Buttoncourbe[0]->click();
        QCOMPARE(CaractCourante, 1);
        F().Buttoncourbe[1]->click();
        QCOMPARE(CaractCourante, 2);
        Demarrer();
        QCOMPARE(F().ScrollBarDureeOscillo->value(), 7);
        QCOMPARE(F().ComboBoxVariable->currentIndex(), 1);
        QCOMPARE(F().StaticTextModeOscillo->text(), Etat(1));
        for (int w : {MotDureeOscillo, MotGrandeurSynchro, MotSeuilSynchro}) {
            QCOMPARE(Caracts[1].Entete[w], avant1[w]);
            QCOMPARE(Caracts[2].Entete[w], avant2[w]);
        }
    }

    // Arming reads the reference after resetting the time; the time stays 0
    // until the speed moves strictly more than the threshold; the trigger
    // tick is the point at t = 0; the point past the duration is stored, then
    // the mode ends.
    void triggerOnSpeed() {
        Demarrer();
        L().bloc = Bloc(1000);
        mesure(1000);
        QCOMPARE(Points(), 0);  // configuration: nothing stored
        L().journal.clear();
        F().SpeedButtonOscillo->click();
        QCOMPARE(L().journal, (QStringList{QStringLiteral("R20.2"), QStringLiteral("W18.30=3")}));
        QCOMPARE(F().ValeurReference, 1000);
        QCOMPARE(FinOscillo, 500);
        QVERIFY(!F().SpeedButtonOscillo->isEnabled());
        QVERIFY(!F().PanelConfOscillo->isEnabled());
        QCOMPARE(F().StaticTextModeOscillo->text(), Etat(2));
        for (int i = 0; i < 20; ++i) {
            mesure(i % 2 ? 1015 : 985);  // exactly the threshold either way
            QCOMPARE(ValeursCourantes[GTemps], 0);
        }
        QCOMPARE(Points(), 0);
        QVERIFY(!F().OscilloDeclenche);
        mesure(1016);
        QVERIFY(F().OscilloDeclenche);
        QCOMPARE(F().StaticTextModeOscillo->text(), Etat(3));
        QCOMPARE(Points(), 1);
        QCOMPARE(C().Point(GTemps, 0), 0);
        QCOMPARE(C().Point(GVitesse, 0), 1016);
        mesure(1016);
        // The time restarts at the trigger, not at the arming a second before.
        QVERIFY(C().Point(GTemps, 1) > 0);
        QVERIFY(C().Point(GTemps, 1) <= 10);
        int ticks = 0;
        while (F().TimerOscillo->isActive() && ticks < 200) {
            mesure(900);
            ++ticks;
        }
        QVERIFY(!F().ButtonChargeDynamique->isChecked());
        const int dernier = C().Dernier();
        QVERIFY(C().Point(GTemps, dernier) > 500);
        QVERIFY(C().Point(GTemps, dernier - 1) <= 500);
        for (int p = 1; p <= dernier; ++p) QVERIFY(C().Point(GTemps, p) > C().Point(GTemps, p - 1));
        QCOMPARE(AcquisitionEnCours, 0);
    }

    // Without synchronisation the first tick stores a point near t = 0; a
    // kept reading is never stored a second time. On the bench itself: the
    // load and its inertia applied at the start, the speed drops.
    void withoutSynchronisation() {
        Demarrer();
        for (int i = 0; i < 4; ++i) tick();
        F().ButtonSynchro->click();
        QVERIFY(!F().ButtonSynchro->isChecked());
        QVERIFY(!F().ComboBoxVariable->isVisible());
        F().SpeedButtonOscillo->click();
        QCOMPARE(F().StaticTextModeOscillo->text(), Etat(3));
        tick();
        QCOMPARE(Points(), 1);
        QVERIFY(C().Point(GTemps, 0) >= 0);
        QVERIFY(C().Point(GTemps, 0) <= 10);
        tick();
        QCOMPARE(Points(), 2);
        L().echecs = 1;
        tick();
        QCOMPARE(Points(), 2);  // the failed step stores nothing
        QVERIFY(F().TimerOscillo->isActive());
        int ticks = 0;
        while (F().TimerOscillo->isActive() && ticks < 200) {
            tick();
            ++ticks;
        }
        QVERIFY(!F().TimerOscillo->isActive());
        QVERIFY(C().Point(GTemps, C().Dernier()) > 500);
        // About 20 points a second over 5 s (each step also takes its
        // exchange time on the clock).
        QVERIFY(Points() > 60);
        QVERIFY(Points() <= 102);
        // No two points share a time: nothing stored twice.
        for (int p = 1; p <= C().Dernier(); ++p)
            QVERIFY(C().Point(GTemps, p) > C().Point(GTemps, p - 1));
    }

    // The drive stops answering mid-capture: the mode ends within two ticks,
    // every point kept, "----" shown; once it answers again a new capture
    // starts.
    void linkLostMidCapture() {
        Demarrer();
        F().ButtonSynchro->click();
        F().SpeedButtonOscillo->click();
        for (int i = 0; i < 5; ++i) mesure(800 + i);
        QCOMPARE(Points(), 5);
        L().echecs = 1000;
        int ticks = 0;
        while (F().TimerOscillo->isActive() && ticks < 10) {
            tick();
            ++ticks;
        }
        QVERIFY(ticks <= 2);
        QVERIFY(!F().ButtonChargeDynamique->isChecked());
        QCOMPARE(Points(), 5);
        QCOMPARE(C().Point(GVitesse, 4), 804);
        QCOMPARE(F().TextVitesse->text(), QStringLiteral("----"));
        L().echecs = 0;
        Demarrer();
        F().SpeedButtonOscillo->click();
        QVERIFY(F().TimerOscillo->isActive());
        mesure(820);
        QCOMPARE(Points(), 6);
        QCOMPARE(C().Point(GVitesse, 5), 820);
    }

    // A 120 s capture at 20 points a second would overflow the trial: it ends
    // with the trial full and every point kept.
    void longCaptureFillsTrial() {
        Caracts[1].Entete[MotDureeOscillo] = 24;
        for (int p = 0; p < DernierPointMax - 5; ++p) QVERIFY(AjouterPoint());
        Demarrer();
        F().ButtonSynchro->click();
        F().SpeedButtonOscillo->click();
        QCOMPARE(FinOscillo, 12000);
        int ticks = 0;
        while (F().TimerOscillo->isActive() && ticks < 50) {
            mesure(700 + ticks);
            ++ticks;
        }
        QCOMPARE(ticks, 6);
        QCOMPARE(C().Dernier(), DernierPointMax);
        QCOMPARE(C().Point(GVitesse, DernierPointMax), 705);
        QVERIFY(!F().ButtonChargeDynamique->isChecked());
        QCOMPARE(AcquisitionEnCours, 0);
    }
};

QTEST_MAIN(TstOscillo)
#include "tst_oscillo.moc"
