// The tracing window's study-editing commands: views and trials added,
// changed and deleted, points deleted and sorted, comments and title,
// smoothing, colours, current range, the load and the settings.
#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "dialogs/AboutBox.h"
#include "dialogs/Aide.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/DroiteCharge.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/MesuresReponse.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "graph/Ajustement.h"
#include "graph/Vue.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

void TFormTraceCaract::NouvelCaractVue(int vue) {
    if (NouvelCaract == nullptr || vue < 1 || vue > NbVues) return;
    NouvelCaract->Mode = 1;
    NouvelCaract->NumeroVue = vue;
    NouvelCaract->exec();
}

void TFormTraceCaract::DroiteDeCharge(int vue) {
    TDroiteCharge dialogue(vue, this);
    if (dialogue.exec() == QDialog::Accepted) dialogue.Enregistrer(vue);
}

void TFormTraceCaract::MesuresReponseVue(int vue) {
    TMesuresReponse dialogue(vue, this);
    dialogue.exec();
}

// --------------------------------------------------------- study editing --

void TFormTraceCaract::Edition1Click() {
    for (int k = 0; k < NbVues; ++k) {
        const size_t i = static_cast<size_t>(k);
        const bool present = Etude.Vues[k].Presente != 0;
        MCar[i]->setVisible(present);
        SCar[i]->setVisible(present);
        MCar[i]->setText(ButtonCar[i]->text());
        SCar[i]->setText(ButtonCar[i]->text());
    }
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Ncb[i]->setVisible(NbEssais() >= k + 1);
        Ncb[i]->setText(Buttoncourbe[i]->text());
    }
    // Record place 0 never holds points: no trial, no new trial.
    const int n = NbEssais();
    Nouvellecourbe1->setEnabled(n < NbCaractMax && n >= 1 && Caracts[n].Dernier() >= 0);
    Suppressioncourbe1->menuAction()->setEnabled(n > 1);
}

void TFormTraceCaract::Nouvellecaracteristique1Click() {
    if (NbVuesGraphe() < NbVues && NouvelCaract != nullptr) {
        const int avant = NbVuesGraphe();
        NouvelCaract->Mode = 0;
        NouvelCaract->NumeroVue = avant + 1;
        NouvelCaract->exec();
        // A view added to a study that holds points opens fitted to them.
        if (NbVuesGraphe() > avant) {
            VueGraphe& v = Etude.Vues[avant];
            v = VueAjusteeDe(v);
        }
    }
    Action();
}

void TFormTraceCaract::ModifCarClick(int k) {
    NouvelCaractVue(k);
    Action();
}

void TFormTraceCaract::SupprimeCarClick(int k) {
    if (Demander(std::string(Textes.Texte(TexteSupprimerVue))) != ReponseQuestion::Oui) return;
    SupprimerVueGraphe(k);
    Action();
}

void TFormTraceCaract::Nouvellecourbe1Click() {
    NouvelleCaract();
    Action();
}

void TFormTraceCaract::SuppCourbeClick(int k) {
    if (k < 1 || k > NbEssais()) return;
    const std::string question = std::string(Textes.Texte(TexteSupprimerEssai)) + std::to_string(k);
    if (Demander(question) != ReponseQuestion::Oui) return;
    ArreterAcquisition();
    const int courante = CaractCourante;
    SupprimerCaract(k);
    // A real trial stays current: the same one, shifted by the deletion,
    // or the last one.
    int nouvelle = courante > k ? courante - 1 : courante;
    nouvelle = std::min(nouvelle, NbEssais());
    CaractCourante = std::max(nouvelle, 1);
    for (int j = 0; j < NbCaractMax; ++j)
        Cocher(Buttoncourbe[static_cast<size_t>(j)], j + 1 == CaractCourante);
}

void TFormTraceCaract::SupprimeCourbeClick(int k) {
    SuppCourbeClick(k);
    Action();
}

void TFormTraceCaract::SupprimePoints(int k) {
    if (k < 1 || k > NbCaractMax || Caracts[k].Dernier() < 0) return;
    const std::string question =
        std::string(Textes.Texte(TexteSupprimerPoints)) + std::to_string(k);
    if (Demander(question) != ReponseQuestion::Oui) return;
    Caracts[k].Entete[MotDernierPoint] = -1;
    EtudeEnregistree = 0;
}

void TFormTraceCaract::SupprimeTousPoints() {
    if (CaractCourante < 1 || CaractCourante > NbCaractMax) return;
    const std::string question =
        std::string(Textes.Texte(TexteSupprimerPoints)) + std::to_string(CaractCourante);
    if (Demander(question) != ReponseQuestion::Oui) return;
    Caracts[CaractCourante].Entete[MotDernierPoint] = -1;
    EtudeEnregistree = 0;
    Action();
}

void TFormTraceCaract::SupprimePoint() {
    // A live reading is no stored point: nothing to delete then.
    if (!PointSupprimable()) return;
    SupprimerPoint(PointSelectionne, CaractCourante);
    ValeursCourantes[0] = -1;
    TraceTout();
}

void TFormTraceCaract::Editcourbe1Change(int k) {
    if (k < 1 || k > NbCaractMax) return;
    const QString texte = Couper(Editcourbe[static_cast<size_t>(k - 1)]->text(), 20);
    Caracts[k].Entete.Commentaire.Ecrire(VersEtude(texte));
    if (k == CaractCourante) ReglagesCourants.Commentaire = Caracts[k].Entete.Commentaire;
    // Typed by the user: the work file must keep it.
    EtudeEnregistree = 0;
}

void TFormTraceCaract::EditTitreChange() {
    Etude.Titre.Ecrire(VersEtude(Couper(EditTitre->text(), 100)));
    EtudeEnregistree = 0;
}

void TFormTraceCaract::Configuration1Click() {
    const int32_t type = ReglagesCourants[MotTypeCaract];
    if ((type >= 0 && type <= 8) || type == 15)
        delacourbeselectionne1->setEnabled(true);
    else if ((type >= 9 && type <= 14) || type == 16)
        delacourbeselectionne1->setEnabled(false);
    const int32_t lissage = Etude.Lissage;
    for (int i = 0; i < 6; ++i) {
        const int32_t mode = i == 0 ? -1 : i;
        interpolation[static_cast<size_t>(i)]->setChecked(lissage == mode);
    }
}

bool TFormTraceCaract::TrierOuvert(bool tous) {
    if (FormTrierPoints == nullptr || FormTrierPoints->exec() != QDialog::Accepted) return false;
    const int32_t grandeur = FormTrierPoints->GrandeurChoisie();
    const int32_t ordre = FormTrierPoints->Ordre();
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (!tous && k != CaractCourante) continue;
        // Time captures keep their time order.
        const int32_t type = Caracts[k].Entete[MotTypeCaract];
        if (tous && ((type >= 9 && type <= 14) || type == 16)) continue;
        Caracts[k].Entete[MotGrandeurTri] = grandeur;
        Caracts[k].Entete[MotOrdreTri] = ordre;
    }
    EtudeEnregistree = 0;
    RetrierCaracts();
    return true;
}

void TFormTraceCaract::delacourbeselectionne1Click() {
    if (CaractCourante >= 1 && CaractCourante <= NbCaractMax && TrierOuvert(false)) Action();
}

void TFormTraceCaract::detouteslescourbes1Click() {
    if (TrierOuvert(true)) Action();
}

void TFormTraceCaract::interpolationClick(int item) {
    if (item < 1 || item > 6) return;
    const int32_t mode = item == 1 ? -1 : item - 1;
    if (Etude.Lissage != mode) EtudeEnregistree = 0;
    Etude.Lissage = mode;
    TraceTout();
}

void TFormTraceCaract::FondClick(int code) {
    if (code < 0 || code >= NbPalettes) return;
    ConfigGenerale.Couleurs = static_cast<uint8_t>(code);
    Action();
}

void TFormTraceCaract::CalibreCourant1Click() {
    if (FormCalibreCourant != nullptr) {
        const int courante = std::clamp(CaractCourante, 0, NbCaractMax);
        const int32_t avant = Caracts[courante].Entete[MotCalibre];
        FormCalibreCourant->exec();
        if (Caracts[courante].Entete[MotCalibre] != avant) EtudeEnregistree = 0;
    }
    Action();
}

void TFormTraceCaract::ButtonModifChargeClick() {
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    if (FenetreChoix == nullptr) return;
    int page = 0;
    switch (GroupeDeType(ReglagesCourants[MotTypeCaract])) {
        case GroupeCaract::Statique: page = 1; break;
        case GroupeCaract::Dynamique: page = 2; break;
        default: break;
    }
    FenetreChoix->FigerChoix(ButtonChargeAuto->isChecked());
    FenetreChoix->Ouvrir(page, this);
}

void TFormTraceCaract::Configurationmatrielle1Click() {
    if (FormCom == nullptr) return;
    // The settings window may change the link: no acquisition survives it.
    ArreterAcquisition();
    FormCom->exec();
}

void TFormTraceCaract::ButtonEspionClick() {
    if (FormCom != nullptr) FormCom->Espion();
}

void TFormTraceCaract::Aide1Click() { OuvrirAide(); }

void TFormTraceCaract::Apropos1Click() {
    if (AboutBox != nullptr) AboutBox->exec();
}

}  // namespace orvane
