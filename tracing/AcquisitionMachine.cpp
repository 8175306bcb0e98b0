// Point acquisition on the machine under study: the manual mode (K set by
// the user, points taken one by one) and the automatic sweep of K by the
// drive, with the stop and reset that every acquisition mode shares.
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

#include "comm/Registres.h"
#include "dialogs/FormCom.h"
#include "study/Acquisition.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

namespace {

// Low bits of the control word that select a mode (ControleMarche runs it).
constexpr int32_t ControleSelection = 1;

// The speed from which a speed-imposing law starts its sweep at the far end.
constexpr int32_t VitesseEnRotation = 51;

bool LoiVitesseImposee(int32_t type) { return type == 2 || type == 3; }

}  // namespace

// The same weights as the load acquisition's (see PoidsCoupleCharge).
int64_t TFormTraceCaract::PoidsCoupleAuto(int32_t gamme) { return PoidsCoupleCharge(gamme); }

void TFormTraceCaract::LierAcquisitionMachine() {
    connect(ScrollBarK, &QScrollBar::valueChanged, this, [this] { ScrollBarKChange(); });
    connect(ScrollBarT, &QScrollBar::valueChanged, this, [this] { ScrollBarTChange(); });
    connect(TimerManu, &QTimer::timeout, this, [this] { TimerManuTimer(); });
    connect(TimerAuto, &QTimer::timeout, this, [this] { TimerAutoTimer(); });
    connect(ButtonAutoCroissant, &QToolButton::clicked, this,
            [this] { ButtonAutoCroissantClick(); });
    connect(ButtonAutoDecroissant, &QToolButton::clicked, this,
            [this] { ButtonAutoDecroissantClick(); });
    // A toggle button with the focus would be popped up by the space bar,
    // which would stop the acquisition instead of taking a point.
    for (QToolButton* b :
         {ButtonManu, ButtonAuto, ButtonChargeManu, ButtonChargeAuto, ButtonChargeDynamique,
          ButtonAutoCroissant, ButtonAutoDecroissant, ButtonAcquiAutoStatique, ButtonSynchro,
          SpeedButtonOscillo, ButtonAcquiPointCaract, ButtonAcquiPointStatique})
        b->setFocusPolicy(Qt::NoFocus);
}

// ------------------------------------------------------------ manual mode --

void TFormTraceCaract::ButtonManuClick() {
    ExclusifAcquisition(ButtonManu);
    if (ButtonManu->isChecked()) {
        if (FormCom != nullptr && !FormCom->LiaisonOuverte()) FormCom->Initialise();
        if (FormCom == nullptr || !FormCom->LiaisonOuverte()) {
            // Initialise has said so; nothing else happens.
            Cocher(ButtonManu, false);
            return;
        }
    }
    if (!ButtonManu->isChecked()) {
        ButtonStopManuClick();
        return;
    }
    resetMenu();
    ButtonAuto->setEnabled(false);
    {
        const QSignalBlocker bloque(ScrollBarK);
        ScrollBarK->setValue(ReglagesCourants[MotTypeCaract] == 5 ? 50 : 0);
    }
    ScrollBarKChange();
    MesureFraiche = false;
    if (!setAcquisitionManu()) return;
    AcquisitionEnCours = 1;
    Settitre();
    TextModechargeManu->setText(windowTitle());
    Action();
}

bool TFormTraceCaract::setAcquisitionManu() {
    bool ok = FormCom->LiaisonOuverte() && !FormCom->DerniereErreur();  // K just sent
    FormCom->setParam0();
    ok = ok && !FormCom->DerniereErreur();
    // The zero block also zeroes 19.20, the constant K: a K other than 0
    // (the coupling aid starts at 50 %) is sent again.
    if (ok && ScrollBarK->value() != 0) {
        FormCom->EmissionConstanteK(ScrollBarK->value() * 10);
        ok = !FormCom->DerniereErreur();
    }
    if (ok) {
        FormCom->EmissionControle(MotControle(ReglagesCourants[MotTypeCaract], ControleMarche));
        ok = !FormCom->DerniereErreur();
    }
    if (!ok) {
        EchecDemarrage();
        return false;
    }
    TimerManu->start();
    return true;
}

void TFormTraceCaract::ScrollBarKChange() {
    const int p = ScrollBarK->value();
    if (FormCom != nullptr) FormCom->EmissionConstanteK(p * 10);
    TextK->setText(QStringLiteral("K = %1%").arg(p));
    curseur();
}

void TFormTraceCaract::TimerManuTimer() {
    FormCom->LectureValeurs();
    MesureFraiche = FormCom->LectureValide();
    if (LiaisonPerdue()) {
        ArretLiaisonPerdue();
        return;
    }
    if (FormCom->NbEchecs() == 0) {
        ValeursCourantes[GTemps] = 0;
        curseur();
    }
}

void TFormTraceCaract::MicroTimer1OnTimer() {
    if (FormCom == nullptr) return;
    FormCom->LectureValeurs();
    if (LiaisonPerdue()) ArretLiaisonPerdue();
}

void TFormTraceCaract::ButtonAcquiPointCaractClick() {
    // Only from a reading of this acquisition that succeeded: never the
    // values left by a failed exchange or by a selected stored point.
    if (AcquisitionEnCours != 1 || !MesureFraiche || ValeursCourantes[GNumero] < 0) return;
    StockerPoint();
}

void TFormTraceCaract::StockerPoint() {
    if (!AjouterPoint()) {
        ButtonStopManuClick();
        return;
    }
    const int dernier = Caracts[CaractCourante].Dernier();
    for (TCaractMachine* c : CaractMachine) c->tracepoint(CaractCourante, dernier);
    if (dernier >= DernierPointMax) ArretEssaiPlein();
}

// --------------------------------------------------------- automatic mode --

void TFormTraceCaract::ButtonAutoClick() {
    ExclusifAcquisition(ButtonAuto);
    if (ButtonAuto->isChecked()) {
        if (FormCom != nullptr && !FormCom->LiaisonOuverte()) FormCom->Initialise();
        if (FormCom == nullptr || !FormCom->LiaisonOuverte()) {
            Cocher(ButtonAuto, false);
            return;
        }
    }
    if (!ButtonAuto->isChecked()) {
        ButtonStopManuClick();
        return;
    }
    resetMenu();
    ButtonManu->setEnabled(false);
    for (QToolButton* b : {ButtonAutoCroissant, ButtonAutoDecroissant}) {
        b->setEnabled(true);
        Cocher(b, false);
    }
    ScrollBarTChange();
    Settitre();
    TextModechargeAuto->setText(windowTitle());
    Action();
    AcquisitionEnCours = 1;
    MesureFraiche = false;
    FormCom->setParam0();
    if (FormCom->DerniereErreur()) {
        EchecDemarrage();
        return;
    }
    // The values are shown while the user chooses a direction.
    TimerManu->start();
}

void TFormTraceCaract::ScrollBarTChange() {
    TextT->setText(QStringLiteral("T = %1 s").arg(ScrollBarT->value()));
}

void TFormTraceCaract::ButtonAutoCroissantClick() {
    SensAuto = 1;
    PhaseAuto = setmode(1);
    setAcquisitionAuto();
}

void TFormTraceCaract::ButtonAutoDecroissantClick() {
    SensAuto = 3;
    PhaseAuto = setmode(3);
    setAcquisitionAuto();
}

int32_t TFormTraceCaract::setmode(int32_t d) {
    if (!LoiVitesseImposee(
            Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete[MotTypeCaract]))
        return d;
    FormCom->LectureValeurs();
    // A failed reading says nothing of the speed: the phases stay as asked.
    if (!FormCom->LectureValide()) return d;
    if (std::abs(ValeursCourantes[GVitesse]) < VitesseEnRotation) return d;
    // Already turning, the drive starts the sweep from the far end.
    if (d == 1) return 3;
    if (d == 3) return 1;
    return d;
}

bool TFormTraceCaract::setAcquisitionAuto() {
    ButtonAutoCroissant->setEnabled(false);
    ButtonAutoDecroissant->setEnabled(false);
    const int32_t D = ScrollBarT->value() * 10;
    int32_t type = ReglagesCourants[MotTypeCaract];
    if (type == 3) type = 2;  // the drive sweeps both speed-imposing laws in mode 2's way
    FormCom->setParam0();
    bool ok = !FormCom->DerniereErreur();
    int32_t bas1 = 0;
    int32_t bas5 = 0;
    auto& P = FormCom->P;
    switch (SensAuto) {
        case 1:
            P = {1000, 0, D, 10, 0, P[5]};
            bas1 = ControleMontee | ControleSelection;
            bas5 = ControleMontee | ControleMarche;
            break;
        case 2:
            P = {1000, 0, D, D, 0, P[5]};
            bas1 = ControleDescente | ControleSelection;
            bas5 = ControleDescente | ControleMarche;
            break;
        case 3:
            P = {1000, 0, 5, D, 0, P[5]};
            bas1 = ControleDescente | ControleSelection;
            bas5 = ControleDescente | ControleMarche;
            break;
        default: break;
    }
    if (ok && bas1 != 0) {
        FormCom->EmissionControle(MotControle(type, bas1));
        ok = !FormCom->DerniereErreur();
        if (ok) {
            FormCom->EmissionParam();
            ok = !FormCom->DerniereErreur();
        }
        if (ok) {
            FormCom->EmissionControle(MotControle(type, bas5));
            ok = !FormCom->DerniereErreur();
        }
    }
    if (!ok) {
        EchecDemarrage();
        return false;
    }
    DernierPointN = 0;
    DernierPointT = 0;
    MesureFraiche = false;
    TimerManu->stop();
    TimerAuto->start();
    return true;
}

void TFormTraceCaract::TimerAutoTimer() {
    FormCom->LectureValeurs();
    MesureFraiche = FormCom->LectureValide();
    if (LiaisonPerdue()) {
        ArretLiaisonPerdue();
        return;
    }
    // A failed exchange leaves the status of an earlier reading: neither the
    // phase nor the end of the sweep is judged on it.
    if (!MesureFraiche) return;
    ValeursCourantes[GTemps] = 0;
    const int64_t n = ValeursCourantes[GVitesse];
    const int64_t t = ValeursCourantes[GCouple];
    const int64_t dn = n - DernierPointN;
    const int64_t dt = t - DernierPointT;
    const int64_t d2 = dn * dn + PoidsCoupleAuto(ConfigGenerale.GammePuissance) * dt * dt;
    curseur();
    const int32_t s = FormCom->StatusCopie();
    bool phase = false;
    switch (PhaseAuto) {
        case 1: phase = (s & StatutPhase1) != 0; break;
        case 2: phase = (s & (StatutPhase1 | StatutPhase2)) != 0; break;
        case 3: phase = (s & StatutPhase2) != 0; break;
        default: break;
    }
    if (phase && (s & StatutBalayage) != 0 && AssezLoin(d2)) {
        DernierPointN = n;
        DernierPointT = t;
        StockerPoint();
        if (AcquisitionEnCours == 0) return;  // the trial was full
    }
    if ((s & StatutBalayage) == 0) {
        TimerAuto->stop();
        ButtonStopManuClick();
    }
}

// ------------------------------------------------------------ stop, reset --

void TFormTraceCaract::EchecDemarrage() {
    reposSignale_ = false;
    ButtonStopManuClick();
    // A rest word that failed too has been reported already.
    if (!reposSignale_) Avertir(std::string(Textes.Texte(TexteErreurLiaison)));
}

void TFormTraceCaract::ButtonStopManuClick() {
    for (QToolButton* b : {ButtonManu, ButtonAuto}) {
        b->setEnabled(true);
        Cocher(b, false);
    }
    for (QToolButton* b : {ButtonChargeManu, ButtonChargeAuto, ButtonChargeDynamique})
        Cocher(b, false);
    resetAcquisition();
    // K := 0 is sent and shown even when the bar stood at 0 already.
    {
        const QSignalBlocker bloque(ScrollBarK);
        ScrollBarK->setValue(0);
    }
    ScrollBarKChange();
    AcquisitionEnCours = 0;
    MesureFraiche = false;
    setMenu();
    Action();
}

bool TFormTraceCaract::LiaisonPerdue() const {
    // The first failure after good readings leaves word 0 as it was; it is
    // negative then only when a refresh has marked the values unread.
    const bool unSeulEchec =
        FormCom != nullptr && FormCom->LiaisonOuverte() && FormCom->NbEchecs() == 1;
    return ValeursCourantes[GNumero] < 0 && !unSeulEchec;
}

void TFormTraceCaract::ArretLiaisonPerdue() {
    ButtonStopManuClick();
    EtatAcquisition(TexteAcquisitionCoupee);
}

void TFormTraceCaract::ArretEssaiPlein() {
    ButtonStopManuClick();
    EtatAcquisition(TexteEssaiPlein);
}

void TFormTraceCaract::ArreterAcquisition() {
    if (AcquisitionEnCours != 0 || TimerManu->isActive() || TimerAuto->isActive() ||
        TimerChargeAuto->isActive() || TimerOscillo->isActive())
        ButtonStopManuClick();
}

void TFormTraceCaract::resetAcquisition() {
    for (QTimer* t : {TimerManu, TimerOscillo, TimerAuto, TimerChargeAuto}) t->stop();
    if (FormCom != nullptr) {
        const bool ouverte = FormCom->LiaisonOuverte();
        FormCom->EmissionControle(ControleRepos);
        // The drive must not go on applying a load while the window shows
        // rest: a failed rest word is sent once more, then reported.
        if (ouverte && FormCom->DerniereErreur()) FormCom->EmissionControle(ControleRepos);
        if (ouverte && FormCom->DerniereErreur()) {
            reposSignale_ = true;
            Avertir(std::string(Textes.Texte(TexteErreurLiaison)));
        }
        FormCom->setParam0();
    }
    OscilloArme = false;
    OscilloDeclenche = false;
}

}  // namespace orvane
