// The oscilloscope mode of the dynamic loads: every tick stores the current
// values with the time counted from the start or from the trigger, until
// the chosen duration has elapsed.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "study/Acquisition.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/PositionTrace.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

namespace {

enum EtatOscillo { Configuration = 1, Attente = 2, Capture = 3 };

QString TexteEtat(int etat) {
    return VersQString(Textes.EtatAcquisition[static_cast<size_t>(etat)]);
}

int IndexDuree(int32_t mot) {
    return mot >= 0 && mot < static_cast<int32_t>(TableDurees.size()) ? mot : 0;
}

EnteteCaract& EnteteCourante() {
    return Caracts[std::clamp(CaractCourante, 1, NbCaractMax)].Entete;
}

// Current value of the trigger quantity (header word 18).
int32_t ValeurSynchro(const EnteteCaract& e) {
    const int32_t q = e[MotGrandeurSynchro];
    return q >= 1 && q < NbGrandeurs ? ValeursCourantes[static_cast<size_t>(q)] : 0;
}

}  // namespace

void TFormTraceCaract::ButtonChargeDynamiqueClick() {
    ExclusifAcquisition(ButtonChargeDynamique);
    if (ButtonChargeDynamique->isChecked() && FormCom != nullptr && !FormCom->LiaisonOuverte())
        FormCom->Initialise();
    if (ButtonChargeDynamique->isChecked() && (FormCom == nullptr || !FormCom->LiaisonOuverte()))
        ButtonChargeDynamique->setChecked(false);
    if (!ButtonChargeDynamique->isChecked()) {
        ButtonStopManuClick();
        return;
    }
    TextModeChargeDynamique->setText(TitreAcquisitionCharge());
    const EnteteCaract& e = EnteteCourante();
    {
        // Shown from the trial; nothing is written back into it.
        const QSignalBlocker duree(ScrollBarDureeOscillo);
        const QSignalBlocker variable(ComboBoxVariable);
        ScrollBarDureeOscillo->setValue(IndexDuree(e[MotDureeOscillo]));
        ComboBoxVariable->setCurrentIndex(ItemDeGrandeurSynchro(e[MotGrandeurSynchro]));
    }
    StaticTextModeOscillo->setText(TexteEtat(Configuration));
    SpeedButtonOscillo->setEnabled(true);
    PanelConfOscillo->setEnabled(true);
    Action();
    AcquisitionEnCours = 1;
    if (!setAcquisitionChargeManu()) {
        EchecDemarrage();
        return;
    }
    FormCom->initime();
    OscilloArme = false;
    OscilloDeclenche = false;
    TimerOscillo->start();
}

void TFormTraceCaract::ComboBoxDureeChange() {
    EnteteCaract& e = EnteteCourante();
    const int position = IndexDuree(ScrollBarDureeOscillo->value());
    e[MotDureeOscillo] = position;
    // An item no longer shown (a quantity no item designates) keeps the word.
    const int32_t q = GrandeurSynchroDeItem(ComboBoxVariable->currentIndex());
    if (q != 0) e[MotGrandeurSynchro] = q;
    const int32_t mot = e[MotGrandeurSynchro];
    if (mot >= 0 && mot < NbGrandeurs)
        e[MotSeuilSynchro] = SeuilDeclenchement(Etude.Grandeurs[mot].PleineEchelle,
                                                ConfigGenerale.GammePuissance, mot);
    ReglagesCourants[MotDureeOscillo] = e[MotDureeOscillo];
    ReglagesCourants[MotGrandeurSynchro] = e[MotGrandeurSynchro];
    ReglagesCourants[MotSeuilSynchro] = e[MotSeuilSynchro];
    EtudeEnregistree = 0;
    TextDureeSynchro->setText(
        QStringLiteral("T = %1 s").arg(TableDurees[static_cast<size_t>(position)]));
}

void TFormTraceCaract::SpeedButtonOscilloClick() {
    if (FormCom == nullptr || !ButtonChargeDynamique->isChecked()) return;
    // Each capture has a trial of its own, its time from 0: after a trial
    // that holds points already comes a new one with the same settings.
    const bool nouvelEssai = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Dernier() >= 0;
    if (nouvelEssai && NbEssais() >= NbCaractMax) {
        Avertir(std::string(Textes.Texte(TexteCinqEssais)));
        return;
    }
    // A capture longer than a trial's room is said before it starts.
    const int32_t duree =
        TableDurees[static_cast<size_t>(IndexDuree(EnteteCourante()[MotDureeOscillo]))];
    if (!CaptureTientDansEssai(duree) &&
        Demander(std::string(Textes.Texte(TexteCaptureTropLongue))) != ReponseQuestion::Oui)
        return;
    if (nouvelEssai) {
        ReglagesCourants = EnteteCourante();
        ReglagesCourants.Commentaire.Ecrire("");
        NouvelleCaract();
        Action();
    }
    SpeedButtonOscillo->setEnabled(false);
    PanelConfOscillo->setEnabled(false);
    OscilloDeclenche = !ButtonSynchro->isChecked();
    StaticTextModeOscillo->setText(TexteEtat(OscilloDeclenche ? Capture : Attente));
    OscilloArme = true;
    FormCom->initime();
    FormCom->LectureValeurs();
    const EnteteCaract& e = EnteteCourante();
    ValeurReference = ValeurSynchro(e);
    FinOscillo = TableDurees[static_cast<size_t>(IndexDuree(e[MotDureeOscillo]))] * 100;
    TimerOscillo->start();
}

void TFormTraceCaract::TimerOscilloTimer() {
    if (FormCom == nullptr) return;
    FormCom->LectureValeurs();
    if (LiaisonPerdue()) {
        ArretLiaisonPerdue();
        return;
    }
    // Values never read since the start and one failed exchange: the next
    // tick decides (two failures in a row end the acquisition).
    if (ValeursCourantes[0] < 0) return;
    // After one failed exchange the values are those of the previous tick:
    // they are shown, never stored or tested a second time.
    const bool frais = FormCom->LectureValide();
    const EnteteCaract& e = EnteteCourante();
    if (!OscilloDeclenche) {
        ValeursCourantes[GTemps] = 0;
        if (OscilloArme && frais &&
            Declenche(ValeurSynchro(e), ValeurReference, e[MotSeuilSynchro])) {
            OscilloDeclenche = true;
            // The time restarts at the trigger; this tick is its point at 0.
            FormCom->initime();
            StaticTextModeOscillo->setText(TexteEtat(Capture));
        }
    }
    curseur();
    if (!frais) return;
    if (OscilloDeclenche && !StockerPointCharge()) return;
    if (OscilloArme && CaptureFinie(ValeursCourantes[GTemps], FinOscillo)) {
        TimerOscillo->stop();
        ButtonStopManuClick();
    }
}

}  // namespace orvane
