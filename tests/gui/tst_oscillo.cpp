// The oscilloscope mode through the tracing window on the simulated bench:
// the settings written only by the user, the arming (reference read at
// arming), the time held at 0 until the strict trigger, the trigger tick
// stored at t = 0, each point stored before the strict end test, kept
// readings never stored twice, a trial per capture and a capture longer
// than a trial.
#include "BancEspion.h"

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
        // Voltage full scale 5000 × 10 per mille (range 1) / 1000 = 50.
        QCOMPARE(C().Entete[MotSeuilSynchro], 50);
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

    // A second capture starts in a trial of its own, its time from 0, the
    // first trial untouched; at five trials none starts, and the user is told.
    void eachCaptureInATrialOfItsOwn() {
        Demarrer(false), F().SpeedButtonOscillo->click(), JusquALaFin(200);
        const int premiers = Points();
        QVERIFY(premiers > 60 && CaractCourante == 1);
        Demarrer(), F().SpeedButtonOscillo->click(), JusquALaFin(200);  // synchro still off
        QVERIFY(Etude.NbCaract == 2 && CaractCourante == 2 && Caracts[1].Dernier() + 1 == premiers);
        QVERIFY(Points() > 60 && C().Point(GTemps, 0) <= 5 && C().Entete[MotTypeCaract] == 12);
        TempsCroissants();
        for (int k = 3; k <= NbCaractMax; ++k) NouvelleCaract(), AjouterPoint();
        F().Action(), Demarrer(), F().SpeedButtonOscillo->click();
        QVERIFY(Etude.NbCaract == NbCaractMax && F().SpeedButtonOscillo->isEnabled() &&
                !F().OscilloArme && Points() == 1);
        QCOMPARE(rapport->messages, std::vector<std::string>{std::string(Textes.Texte(196))});
    }

    // 100 s fits a trial (2001 readings at 20 a second) and starts at once;
    // 110 s does not: the user is asked first. Declined, nothing starts;
    // accepted, the capture ends with the trial full, every point kept, and
    // the status bar says so.
    void aCaptureLongerThanATrialIsAskedFirst() {
        Caracts[1].Entete[MotDureeOscillo] = 22;  // 100 s
        Demarrer(false), F().SpeedButtonOscillo->click();
        QVERIFY(rapport->questions.empty() && FinOscillo == 10000 && F().OscilloArme);
        F().ButtonStopManuClick();
        Caracts[1].Entete[MotDureeOscillo] = 23;  // 110 s
        rapport->reponses = {ReponseQuestion::Non, ReponseQuestion::Oui};
        Demarrer(), F().SpeedButtonOscillo->click();
        QVERIFY(rapport->questions.size() == 1 && F().SpeedButtonOscillo->isEnabled() &&
                !F().OscilloArme && Points() == 0);
        F().SpeedButtonOscillo->click();
        QVERIFY(FinOscillo == 11000 && JusquALaFin(2100, 700) == NbPointsMax);
        QVERIFY(C().Dernier() == DernierPointMax && C().Point(GVitesse, DernierPointMax) == 2700 &&
                AcquisitionEnCours == 0 && !F().ButtonChargeDynamique->isChecked());
        QCOMPARE(F().TextEtatAcquisition->text(),
                 QStringLiteral("Essai plein : l'acquisition s'est arrêtée à 2001 points"));
    }
};

QTEST_MAIN(TstOscillo)
#include "tst_oscillo.moc"
