// The oscilloscope mode through the tracing window on the simulated bench:
// the settings written only by the user, the arming (reference read at
// arming), the time held at 0 until the strict trigger, the trigger tick
// stored at t = 0, each point stored before the strict end test, kept
// readings never stored twice and a capture longer than the trial.
#include "BancEspion.h"
#include "study/Acquisition.h"

using namespace orvane;

namespace {
void Essai(int32_t duree, int32_t grandeur, int32_t seuil) {
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = 3;
    ReglagesCourants[MotTypeCaract] = 12;  // "T = a.n²+b", dynamic
    ReglagesCourants[MotInertie] = 200, ReglagesCourants[MotDureeOscillo] = duree;
    ReglagesCourants[MotGrandeurSynchro] = grandeur, ReglagesCourants[MotSeuilSynchro] = seuil;
    NouvelleCaract();
}
QString Etat(int k) { return QString::fromUtf8(Textes.EtatAcquisition[k].data()); }
}  // namespace

class TstOscillo : public essai::FenetreSurBanc {
    Q_OBJECT

    const Caracteristique& C() const { return Caracts[CaractCourante]; }
    void tick(std::optional<int32_t> n = {}) {  // reading this speed when given
        if (n) L().bloc = std::array<int32_t, 10>{2, *n, 100, 0, 0, 0, 0, 0, 0, 0};
        banc->maintenant += 50, F().TimerOscilloTimer();
    }
    // Ticks (reading `n` when given) until the mode ends; the count.
    int JusquALaFin(int max, std::optional<int32_t> n = {}) {
        int i = 0;
        for (; i < max && F().TimerOscillo->isActive(); ++i) tick(n ? *n + i : n);
        return i;
    }
    void Demarrer(bool synchro = true) {
        F().ButtonChargeDynamique->click();
        QVERIFY(F().ButtonChargeDynamique->isChecked() && F().TimerOscillo->isActive());
        if (!synchro) F().ButtonSynchro->click();
    }
    void TempsCroissants() {
        for (int p = 1; p <= C().Dernier(); ++p)
            QVERIFY(C().Point(GTemps, p) > C().Point(GTemps, p - 1));
    }

private slots:
    void initTestCase() { Installer(); }
    void cleanupTestCase() { Desinstaller(); }
    void init() {
        NouvelleEtude();
        Etude.Vues[0] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
        Essai(0, GVitesse, 15), OuvrirFenetre();  // 5 s, speed, 15 tr/min
    }
    void cleanup() { FermerFenetre(); }

    // Switching trials and entering the mode set the controls from the trial
    // and write nothing back; the user's duration, trigger item and threshold
    // (from the table of thresholds and the full scale) are written and shown.
    void settingsWrittenOnlyByTheUser() {
        Essai(7, GCouple, 9);
        const EnteteCaract avant1 = Caracts[1].Entete, avant2 = Caracts[2].Entete;
        F().Action(), F().Buttoncourbe[0]->click(), F().Buttoncourbe[1]->click();
        Demarrer();
        QVERIFY(F().ScrollBarDureeOscillo->value() == 7 &&
                F().ComboBoxVariable->currentIndex() == 1);
        for (int w : {MotDureeOscillo, MotGrandeurSynchro, MotSeuilSynchro})
            QVERIFY(Caracts[1].Entete[w] == avant1[w] && Caracts[2].Entete[w] == avant2[w]);
        F().ComboBoxVariable->setCurrentIndex(2), F().ScrollBarDureeOscillo->setValue(10);
        QVERIFY(C().Entete[MotGrandeurSynchro] == GTension && C().Entete[MotDureeOscillo] == 10);
        QCOMPARE(C().Entete[MotSeuilSynchro],
                 Etude.Grandeurs[GTension].PleineEchelle * TableSeuils[1][GTension] / 1000);
        F().Action();
        QCOMPARE(F().ComboBoxVariable->currentIndex(), 2);  // kept by the trial
    }

    // Arming resets the time, then reads the reference; the time stays 0
    // until the speed moves strictly more than the threshold; the trigger
    // tick is the point at t = 0; the point past the duration is stored,
    // then the mode ends.
    void triggerOnSpeed() {
        Demarrer();
        tick(1000);
        QCOMPARE(Points(), 0);  // configuration: nothing stored
        L().journal.clear();
        F().SpeedButtonOscillo->click();
        QCOMPARE(L().journal, (QStringList{QStringLiteral("R20.2"), QStringLiteral("W18.30=3")}));
        QVERIFY(F().ValeurReference == 1000 && FinOscillo == 500 &&
                !F().SpeedButtonOscillo->isEnabled() && !F().PanelConfOscillo->isEnabled() &&
                F().StaticTextModeOscillo->text() == Etat(2));
        for (int i = 0; i < 20; ++i) {
            tick(i % 2 ? 1015 : 985);  // exactly the threshold either way
            QCOMPARE(ValeursCourantes[GTemps], 0);
        }
        QVERIFY(Points() == 0 && !F().OscilloDeclenche);
        tick(1016);
        QVERIFY(F().OscilloDeclenche && F().StaticTextModeOscillo->text() == Etat(3) &&
                Points() == 1 && C().Point(GTemps, 0) == 0 && C().Point(GVitesse, 0) == 1016);
        tick(1016);
        // The time restarts at the trigger, not at the arming a second before.
        QVERIFY(C().Point(GTemps, 1) > 0 && C().Point(GTemps, 1) <= 10);
        QVERIFY(JusquALaFin(200, 900) < 200 && !F().ButtonChargeDynamique->isChecked() &&
                AcquisitionEnCours == 0);
        QVERIFY(C().Point(GTemps, C().Dernier()) > 500 &&
                C().Point(GTemps, C().Dernier() - 1) <= 500);
        TempsCroissants();
    }

    // Without synchronisation: a failed step stores nothing and a kept
    // reading is never stored a second time (no two points share a time).
    void withoutSynchronisationKeptReadingsNotStoredTwice() {
        Demarrer(false), F().SpeedButtonOscillo->click();
        for (int i = 0; i < 2; ++i) tick();
        L().echecs = 1, tick();
        QCOMPARE(Points(), 2);
        QVERIFY(JusquALaFin(200) < 200 && Points() > 60 && Points() <= 102);  // 20 a second, 5 s
        TempsCroissants();
    }

    // A 120 s capture would overflow the trial: it ends with the trial full
    // and every point kept.
    void longCaptureFillsTrial() {
        Caracts[1].Entete[MotDureeOscillo] = 24;
        for (int p = 0; p < DernierPointMax - 5; ++p) QVERIFY(AjouterPoint());
        Demarrer(false), F().SpeedButtonOscillo->click();
        QVERIFY(FinOscillo == 12000 && JusquALaFin(50, 700) == 6 && AcquisitionEnCours == 0);
        QVERIFY(C().Dernier() == DernierPointMax && C().Point(GVitesse, DernierPointMax) == 705 &&
                !F().ButtonChargeDynamique->isChecked());
    }
};

QTEST_MAIN(TstOscillo)
#include "tst_oscillo.moc"
