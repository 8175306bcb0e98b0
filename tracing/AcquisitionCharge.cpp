// Acquisitions on an emulated static load: the load law sent to the drive,
// the manual and automatic load acquisitions, and the automatic points taken
// each time the operating point has moved far enough.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "graph/CaractMachine.h"
#include "study/Acquisition.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

namespace {

int Dans(int32_t v, int n) { return v >= 0 && v < n ? v : 0; }

}  // namespace

void TFormTraceCaract::ConnecterAcquisitionsCharge() {
    connect(TimerChargeAuto, &QTimer::timeout, this, [this] { TimerChargeAutoTimer(); });
    connect(TimerOscillo, &QTimer::timeout, this, [this] { TimerOscilloTimer(); });
    connect(ButtonAcquiPointStatique, &QToolButton::clicked, this,
            [this] { ButtonAcquiPointCaractClick(); });
    connect(SpeedButtonOscillo, &QToolButton::clicked, this, [this] { SpeedButtonOscilloClick(); });
    // The program sets these two with their signals blocked: only the user
    // changes the duration, the trigger quantity and its threshold.
    connect(ScrollBarDureeOscillo, &QScrollBar::valueChanged, this,
            [this] { ComboBoxDureeChange(); });
    connect(ComboBoxVariable, &QComboBox::currentIndexChanged, this,
            [this] { ComboBoxDureeChange(); });
}

QString TFormTraceCaract::TitreAcquisitionCharge() const {
    return TitreGroupe(Dans(ReglagesCourants[MotTypeMachine], NbTypesMachine),
                       Dans(ReglagesCourants[MotTypeCaract], NbTypesCaract));
}

bool TFormTraceCaract::setAcquisitionChargeManu() {
    if (FormCom == nullptr) return false;
    TPasserelleCom& com = *FormCom;
    bool bon = true;
    com.setParam0();
    bon = bon && !com.DerniereErreur();
    const int32_t type = ReglagesCourants[MotTypeCaract];
    const std::array<int32_t, 5> p = ParametresDeCharge(
        type, ReglagesCourants, ConfigGenerale.GammePuissance, ConfigGenerale.FrequenceReseau);
    for (size_t i = 0; i < p.size(); ++i) com.P[i] = p[i];
    if (bon) {
        com.EmissionControle(MotControle(type, ControleRepos));
        bon = !com.DerniereErreur();
    }
    if (bon) {
        com.EmissionParam();
        bon = !com.DerniereErreur();
    }
    if (bon) {
        com.EmissionControle(MotControle(type, ControleMarche));
        bon = !com.DerniereErreur();
    }
    DernierPointN = 0;
    DernierPointT = 0;
    // A drive that took part of the start is put back at rest.
    if (!bon) com.EmissionControle(ControleRepos);
    return bon;
}

void TFormTraceCaract::ButtonChargeManuClick() {
    ExclusifAcquisition(ButtonChargeManu);
    if (ButtonChargeManu->isChecked() && FormCom != nullptr && !FormCom->LiaisonOuverte())
        FormCom->Initialise();
    if (ButtonChargeManu->isChecked() && (FormCom == nullptr || !FormCom->LiaisonOuverte()))
        ButtonChargeManu->setChecked(false);
    if (!ButtonChargeManu->isChecked()) {
        ButtonStopManuClick();
        return;
    }
    TextModeChargestatiqueManu->setText(TitreAcquisitionCharge());
    Action();
    AcquisitionEnCours = 1;
    if (!setAcquisitionChargeManu()) {
        EchecDemarrage();
        return;
    }
    TimerManu->start();
}

void TFormTraceCaract::ButtonChargeAutoClick() {
    ExclusifAcquisition(ButtonChargeAuto);
    if (ButtonChargeAuto->isChecked() && FormCom != nullptr && !FormCom->LiaisonOuverte())
        FormCom->Initialise();
    if (ButtonChargeAuto->isChecked() && (FormCom == nullptr || !FormCom->LiaisonOuverte()))
        ButtonChargeAuto->setChecked(false);
    if (!ButtonChargeAuto->isChecked()) {
        ButtonStopManuClick();
        return;
    }
    TextModeChargestatiqueAuto->setText(TitreAcquisitionCharge());
    ButtonAcquiAutoStatique->setChecked(false);
    Action();
    AcquisitionEnCours = 1;
    if (!setAcquisitionChargeManu()) {
        EchecDemarrage();
        return;
    }
    TimerChargeAuto->start();
}

bool TFormTraceCaract::StockerPointCharge() {
    if (!AjouterPoint()) {
        ButtonStopManuClick();
        return false;
    }
    const int dernier = Caracts[CaractCourante].Dernier();
    for (TCaractMachine* c : CaractMachine) c->tracepoint(CaractCourante, dernier);
    if (dernier >= DernierPointMax) {
        // The trial is full: the acquisition ends with every point kept.
        ArretEssaiPlein();
        return false;
    }
    return true;
}

void TFormTraceCaract::TimerChargeAutoTimer() {
    if (FormCom == nullptr) return;
    // The load's settings changed through "Charge": the drive takes the new
    // law at once, the points taken so far stay. FormCom->P is the block the
    // drive holds: a write that failed leaves it as it was, so that the next
    // tick sends the law again, and no point is stored under the new law
    // while the drive still runs the old one.
    bool loiEnPlace = true;
    {
        const EnteteCaract& e = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
        const std::array<int32_t, 5> p = ParametresDeCharge(
            e[MotTypeCaract], e, ConfigGenerale.GammePuissance, ConfigGenerale.FrequenceReseau);
        if (!std::equal(p.begin(), p.end(), FormCom->P.begin())) {
            const auto avant = FormCom->P;
            std::copy(p.begin(), p.end(), FormCom->P.begin());
            FormCom->EmissionParam();
            if (FormCom->DerniereErreur()) {
                FormCom->P = avant;
                loiEnPlace = false;
            }
        }
    }
    FormCom->LectureValeurs();
    if (LiaisonPerdue()) {
        ArretLiaisonPerdue();
        return;
    }
    // Values never read since the start and one failed exchange: the next
    // tick decides (two failures in a row end the acquisition).
    if (ValeursCourantes[0] < 0) return;
    ValeursCourantes[GTemps] = 0;
    const int32_t n = ValeursCourantes[GVitesse];
    const int32_t t = ValeursCourantes[GCouple];
    const int64_t d2 = DistanceCarree(n, t, DernierPointN, DernierPointT,
                                      PoidsCoupleCharge(ConfigGenerale.GammePuissance));
    curseur();
    if (!loiEnPlace || !AssezLoin(d2)) return;
    // A kept reading (one failed exchange) is no new operating point.
    if (!FormCom->LectureValide()) return;
    if (!ButtonAcquiAutoStatique->isChecked()) return;
    DernierPointN = n;
    DernierPointT = t;
    StockerPointCharge();
}

}  // namespace orvane
