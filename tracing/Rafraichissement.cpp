// The tracing window's controls and its refresh: the faces other windows
// call, what shows and hides with the current trial and the acquisition
// buttons, the layout of the views, the value boxes and the keys.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"
#include "dialogs/TitreFenetre.h"
#include "graph/Vue.h"
#include "study/Acquisition.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

namespace {

// "Tu(n)": the caption of view slot k (0..3) as its frame writes it.
QString NomVue(int k) {
    const VueBornee v = BornerVue(Etude.Vues[k]);
    return DeLEtude(Etude.Grandeurs[v.qY].Symbole.Lire()) + QLatin1Char('(') +
           DeLEtude(Etude.Grandeurs[v.qX].Symbole.Lire()) + QLatin1Char(')');
}

}  // namespace

// ----------------------------------------------------------------- faces --

bool TFormTraceCaract::Setcourbe() {
    // The current trial takes the settings only when it belongs to the
    // study: a current number beyond the count (the last trial deleted, a
    // file with views and no trial) would fill a record that is never saved.
    if (CaractCourante >= 1 && CaractCourante <= NbEssais() && CaractCompatible(CaractCourante)) {
        Caracts[CaractCourante].Entete = ReglagesCourants;
    } else if (NbEssais() < NbCaractMax) {
        NouvelleCaract();
    } else {
        // Five trials: the choice is not taken, and the user is told so
        // rather than left believing it was.
        Avertir(std::string(Textes.Texte(TexteCinqEssais)));
        ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
        return false;
    }
    if (isVisible()) Action();
    return true;
}

void TFormTraceCaract::Montrer() {
    showMaximized();
    raise();
    activateWindow();
}

bool TFormTraceCaract::EstVisible() const { return isVisible(); }

// --------------------------------------------------------------- refresh --

void TFormTraceCaract::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFormTraceCaract::FormShow() {
    TextesLangue();
    PanelAcquisitionCarMachine->hide();
    PanelAcqusitionChargeStatique->hide();
    PanelAcqusitionChargeDynamique->hide();
    for (int k = 0; k < NbVues; ++k) CaractMachine[static_cast<size_t>(k)]->NumeroVue = k + 1;
    DefinirTexte(EditTitre, DeLEtude(Etude.Titre.Lire()));
    Action();
}

void TFormTraceCaract::Settitre() {
    const EnteteCaract& e = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    const GroupeCaract groupe = GroupeDeType(e[MotTypeCaract]);
    if (groupe != GroupeCaract::Aucun) {
        setWindowTitle(TitreFenetre(TitreGroupe(Borner(e[MotTypeMachine], NbTypesMachine),
                                                Borner(e[MotTypeCaract], NbTypesCaract))));
        PanelAcquisitionCarMachine->setVisible(groupe == GroupeCaract::Machine);
        PanelAcqusitionChargeStatique->setVisible(groupe == GroupeCaract::Statique);
        PanelAcqusitionChargeDynamique->setVisible(groupe == GroupeCaract::Dynamique);
        if (groupe == GroupeCaract::Machine)
            ButtonAuto->setVisible(e[MotTypeCaract] != 3 && e[MotTypeCaract] != 5);
    } else {
        // Type 0 has no acquisition: nothing may be started with mode code 0.
        PanelAcquisitionCarMachine->hide();
        PanelAcqusitionChargeStatique->hide();
        PanelAcqusitionChargeDynamique->hide();
    }
    const int32_t calibre = ReglagesCourants[MotCalibre];
    if (calibre == 0 || calibre == 1)
        StaticTextCourant->setText(NomGrandeur(GCourant, ":") + (calibre == 0
                                                                     ? QStringLiteral(" (20A)")
                                                                     : QStringLiteral(" (2A)")));
}

void TFormTraceCaract::Action() {
    if (enAction_) return;
    enAction_ = true;
    // 1
    if (CaractCourante < 1) CaractCourante = 1;
    Settitre();
    const int courante = std::clamp(CaractCourante, 1, NbCaractMax);
    const EnteteCaract& e = Caracts[courante].Entete;
    const int machine = Borner(e[MotTypeMachine], NbTypesMachine);
    // 2
    ToolBarTitre->setVisible(ButtonTitre->isChecked());
    Paneliexc->setVisible(DisponibiliteGrandeurs[machine][GCourantExcitation] != 0);
    PanelFp->setVisible(DisponibiliteGrandeurs[machine][GFacteurPuissance] != 0);
    PanelTemps->setVisible(TypeAvecTemps(e[MotTypeCaract]));
    PanelAffichageValeur->setVisible(ButtonAffichage->isChecked());
    // 3
    PanelANALYSE->setVisible(!ButtonManu->isChecked() && !ButtonAuto->isChecked() &&
                             !ButtonChargeManu->isChecked() && !ButtonChargeAuto->isChecked() &&
                             !ButtonChargeDynamique->isChecked());
    PanelAcquiManu->setVisible(ButtonManu->isChecked());
    PanelAcquiAuto->setVisible(ButtonAuto->isChecked());
    PanelChargeStatiqueManu->setVisible(ButtonChargeManu->isChecked());
    PanelChargeStatiqueAuto->setVisible(ButtonChargeAuto->isChecked());
    PanelChargeDynamique->setVisible(ButtonChargeDynamique->isChecked());
    // 4: a running capture keeps its own state (a resize or a display
    // button must not end it).
    if (!(ButtonChargeDynamique->isChecked() && TimerOscillo->isActive())) {
        OscilloArme = !ButtonChargeDynamique->isChecked();
        OscilloDeclenche = !ButtonChargeDynamique->isChecked();
    }
    // 5
    TextSynchro->setText(T(ButtonSynchro->isChecked() ? TexteSynchroSur : TexteSansSynchro));
    ComboBoxVariable->setVisible(ButtonSynchro->isChecked());
    {
        const QSignalBlocker bloque(ComboBoxVariable);
        ComboBoxVariable->setCurrentIndex(ItemDeGrandeurSynchro(e[MotGrandeurSynchro]));
    }
    // 6
    const int vues = NbVuesGraphe();
    Nouvellecaracteristique1->setEnabled(vues < NbVues);
    Modificationdunecaracteristique1->setEnabled(vues >= 1);
    Suppressiondunecaracteristique1->setEnabled(vues >= 1);
    // 7
    Settitre();
    // 8
    ValeursCourantes[0] = -1;
    // 9
    for (int k = 0; k < NbVues; ++k) {
        QToolButton* b = ButtonCar[static_cast<size_t>(k)];
        b->setVisible(Etude.Vues[k].Presente != 0);
        Cocher(b, Etude.Vues[k].Affichee != 0);
    }
    // 10
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Buttoncourbe[i]->setVisible(NbEssais() >= k + 1);
        Editcourbe[i]->setVisible(NbEssais() >= k + 1);
    }
    if (CaractCourante < 1) CaractCourante = 1;
    Cocher(Buttoncourbe[static_cast<size_t>(courante - 1)], true);
    for (int k = 0; k < NbCaractMax; ++k)
        DefinirTexte(Editcourbe[static_cast<size_t>(k)],
                     DeLEtude(Caracts[k + 1].Entete.Commentaire.Lire()));
    // 11
    ButtoncourbeClick();
    // 12
    ButtonModifCharge->setEnabled(!ButtonManu->isChecked() && !ButtonAuto->isChecked() &&
                                  !ButtonChargeManu->isChecked() &&
                                  !ButtonChargeDynamique->isChecked());
    // One static acquisition at a time: the other static button waits.
    ButtonChargeManu->setEnabled(!ButtonChargeAuto->isChecked());
    ButtonChargeAuto->setEnabled(!ButtonChargeManu->isChecked());
    // 13
    TraceTout();
    // 14
    for (int k = 0; k < NbVues; ++k) {
        const TCaractMachine* c = CaractMachine[static_cast<size_t>(k)];
        ButtonCar[static_cast<size_t>(k)]->setText(c->isVisibleTo(ZoneTrace) ? c->TextCaract->text()
                                                                             : NomVue(k));
    }
    // 15
    {
        const EnteteCaract& c = Caracts[std::clamp(CaractCourante, 1, NbCaractMax)].Entete;
        const QSignalBlocker bloque(ScrollBarDureeOscillo);
        ScrollBarDureeOscillo->setValue(c[MotDureeOscillo]);
        TextDureeSynchro->setText(
            QStringLiteral("T = %1 s")
                .arg(TableDurees[static_cast<size_t>(ScrollBarDureeOscillo->value())]));
    }
    // 16
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 1, NbCaractMax)].Entete;
    enAction_ = false;
}

void TFormTraceCaract::ButtoncourbeClick() {
    CaractCourante = 0;
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (Buttoncourbe[i]->isChecked()) CaractCourante = k + 1;
        Editcourbe[i]->setEnabled(Buttoncourbe[i]->isChecked());
    }
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    Settitre();
    ValeursCourantes[0] = -1;
    curseur();
}

void TFormTraceCaract::ButtonCararactClick(QObject* sender) {
    for (int k = 0; k < NbVues; ++k)
        if (sender == ButtonCar[static_cast<size_t>(k)]) {
            const uint8_t montree = ButtonCar[static_cast<size_t>(k)]->isChecked() ? 1 : 0;
            // A view shown or hidden by the user is kept in the work file.
            if (Etude.Vues[k].Affichee != montree) EtudeEnregistree = 0;
            Etude.Vues[k].Affichee = montree;
        }
    Action();
}

int TFormTraceCaract::NbPanelTrace() const {
    int n = 0;
    for (const QToolButton* b : ButtonCar)
        if (b->isChecked()) ++n;
    return n;
}

void TFormTraceCaract::calculposition(int32_t L, int32_t T, int32_t W, int32_t H) {
    orvane::calculposition(RectTrace, NbPanelTrace(), L, T, W, H);
}

void TFormTraceCaract::TraceTout() {
    DefinirTexte(EditTitre, DeLEtude(Etude.Titre.Lire()));
    calculposition(0, ImageFond->y(), ImageFond->width(), ImageFond->height());
    size_t j = 0;
    for (int k = 0; k < NbVues; ++k) {
        TCaractMachine* c = CaractMachine[static_cast<size_t>(k)];
        if (ButtonCar[static_cast<size_t>(k)]->isChecked() && j < RectTrace.size()) {
            const RectangleTrace& r = RectTrace[j];
            c->setGeometry(r.Gauche, r.Haut, r.Largeur, r.Hauteur);
            c->show();
            c->raise();
            c->tracecaract();
            ++j;
        } else {
            c->hide();
        }
    }
    curseur();
}

void TFormTraceCaract::curseur() {
    for (TCaractMachine* c : CaractMachine) c->curseur();
    if (!PanelAffichageValeur->isVisibleTo(this)) return;
    const std::array<std::pair<QLabel*, int>, 11> boites = {{{TextVitesse, 1},
                                                             {TextCouple, 2},
                                                             {TextPmeca, 3},
                                                             {TextTension, 4},
                                                             {TextCourant, 5},
                                                             {TextPelec, 6},
                                                             {TextIexc, 7},
                                                             {TextRend, 8},
                                                             {TextFp, 9},
                                                             {TextPertes, 10},
                                                             {TextTemps, 11}}};
    const bool sans = ValeursCourantes[0] < 0;
    for (const auto& [texte, q] : boites)
        texte->setText(sans ? T(TexteSansValeur) : VersQString(FormatGrandeur(q)));
}

void TFormTraceCaract::setMenu() {
    for (QMenu* m : {Fichier1, Edition1, Configuration1, N1}) m->menuAction()->setEnabled(true);
}

void TFormTraceCaract::resetMenu() {
    for (QMenu* m : {Fichier1, Edition1, Configuration1, N1}) m->menuAction()->setEnabled(false);
}

void TFormTraceCaract::FormResize() {
    if (isVisible()) Action();
}

bool TFormTraceCaract::FormKeyPress(int touche) {
    if (touche == Qt::Key_Escape) {
        if (AcquisitionEnCours == 1) ButtonStopManuClick();
        ValeursCourantes[0] = -1;
        curseur();
        return true;
    }
    // Space takes a point only where a point button is shown, and never from
    // a text being typed (a title or a comment written during an acquisition).
    const bool saisie = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    const bool boutonPoint =
        ButtonAcquiPointCaract->isVisibleTo(this) || ButtonAcquiPointStatique->isVisibleTo(this);
    if (touche == Qt::Key_Space && AcquisitionEnCours == 1 && boutonPoint && !saisie) {
        ButtonAcquiPointCaractClick();
        return true;
    }
    // Outside an acquisition a space is typed into the title or a comment.
    return false;
}

void TFormTraceCaract::FormClose() {
    ButtonStopManuClick();
    if (TimerManu->isActive() || TimerOscillo->isActive() || TimerAuto->isActive())
        resetAcquisition();
    if (FormMachine2 != nullptr) FormMachine2->show();
}

void TFormTraceCaract::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

bool TFormTraceCaract::eventFilter(QObject* objet, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* touche = static_cast<QKeyEvent*>(event);
            // A space that goes to a text edit is typed text, whether or not
            // the window has the keyboard focus.
            if (touche->key() == Qt::Key_Space && qobject_cast<QLineEdit*>(objet)) break;
            if (touche->key() == Qt::Key_Escape || touche->key() == Qt::Key_Space)
                if (FormKeyPress(touche->key())) return true;
            break;
        }
        case QEvent::Resize:
            if (objet == PanelANALYSE) LargeursEssais();
            if (objet == ImageFond) {
                AjusterImageFond();
                FormResize();
            }
            break;
        case QEvent::MouseButtonPress:
            if (objet == StaticTextCourant) {
                CalibreCourant1Click();
                return true;
            }
            for (QLineEdit* e : Editcourbe)
                if (objet == e) ButtoncourbeClick();
            break;
        default: break;
    }
    return QMainWindow::eventFilter(objet, event);
}

void TFormTraceCaract::AjusterImageFond() {
    if (imageBanc_.isNull()) return;
    const QSize place = ImageFond->size();
    QImage image = imageBanc_;
    if (image.width() > place.width() || image.height() > place.height())
        image = image.scaled(place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImageFond->setPixmap(QPixmap::fromImage(image));
}

// ---------------------------------------------------------- acquisitions --

void TFormTraceCaract::ExclusifAcquisition(QToolButton* bouton) {
    // A new start: what was said of the last acquisition's end is over.
    if (bouton->isChecked()) EtatAcquisition(0);
    // One group that may be all up: pressing one puts the others up.
    for (QToolButton* b :
         {ButtonManu, ButtonAuto, ButtonChargeManu, ButtonChargeAuto, ButtonChargeDynamique})
        if (b != bouton && bouton->isChecked()) Cocher(b, false);
}

bool TFormTraceCaract::PointSupprimable() const {
    if (AcquisitionEnCours != 0 || ValeursCourantes[0] < 0) return false;
    if (CaractCourante < 1 || CaractCourante > NbEssais()) return false;
    return PointSelectionne >= 0 && PointSelectionne <= Caracts[CaractCourante].Dernier();
}

void TFormTraceCaract::EtatAcquisition(int texte) {
    etatAcquisition_ = texte;
    TextEtatAcquisition->setText(texte ? T(texte) : QString());
    TextEtatAcquisition->setToolTip(TextEtatAcquisition->text());
    statusBar()->setVisible(texte != 0);
}

}  // namespace orvane
