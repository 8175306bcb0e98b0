// The tracing window in the current language: captions, hints and menu
// items from the text table, followed by the texts built at run time.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>

#include "dialogs/Habillage.h"
#include "dialogs/TitreFenetre.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

// ------------------------------------------------------------- language --

void TFormTraceCaract::TextesLangue() {
    setWindowTitle(TitreFenetre(T(67)));
    Fichier1->setTitle(T(68));
    Edition1->setTitle(T(69));
    Configuration1->setTitle(T(70));
    Ouvrir->setText(T(71));
    Enregistrer1->setText(T(72));
    Enregistrersous1->setText(T(73));
    Nouveautravail1->setText(T(74));
    Configurationimprimante1->setText(T(75));
    Imprimer1->setText(T(76));
    ExporterPdf1->setText(T(TexteExporterPdf));
    CompteRendu1->setText(T(TexteCompteRendu));
    ExporterValeurs1->setText(T(TexteExporterValeurs));
    Quitter1->setText(T(77));
    Nouvellecaracteristique1->setText(T(78));
    Modificationdunecaracteristique1->setTitle(T(79));
    Suppressiondunecaracteristique1->setTitle(T(80));
    Nouvellecourbe1->setText(T(81));
    Suppressioncourbe1->setTitle(T(82));
    Copierlescaractristiques1->setText(T(83));
    Copierlesvaleurs1->setText(T(84));
    Copierlesvaleurs2->setText(T(85));
    Trierlespoints1->setTitle(T(86));
    delacourbeselectionne1->setText(T(87));
    detouteslescourbes1->setText(T(88));
    Interpolation->setTitle(T(89));
    for (int i = 0; i < 6; ++i) interpolation[static_cast<size_t>(i)]->setText(T(90 + i));
    Couleurdesgraphes1->setTitle(T(96));
    CalibreCourant1->setText(T(97));
    Configurationmatrielle1->setText(T(98));
    Aide1->setText(T(99));
    Apropos1->setText(T(100));
    ButtonClose->setToolTip(T(101));
    ButtonClose->setAccessibleName(T(101));
    ButtonChargeDynamique->setText(T(119));
    ButtonChargeDynamique->setToolTip(T(120));
    ButtonChargeManu->setText(T(121));
    ButtonChargeManu->setToolTip(T(122));
    ButtonChargeAuto->setText(T(123));
    ButtonChargeAuto->setToolTip(T(124));
    ButtonManu->setText(T(125));
    ButtonManu->setToolTip(T(126));
    ButtonAuto->setText(T(127));
    ButtonAuto->setToolTip(T(128));
    ButtonModifCharge->setText(T(129));
    ButtonModifCharge->setToolTip(T(130));
    ButtonAffichage->setText(T(131));
    ButtonAffichage->setToolTip(T(132));
    ButtonTitre->setText(T(133));
    ButtonTitre->setToolTip(T(134));
    StaticTextModeOscillo->setText(T(119));
    ButtonAcquiPointCaract->setText(T(135));
    ButtonAcquiPointCaract->setToolTip(T(136));
    ButtonAcquiPointStatique->setText(T(137));
    ButtonAcquiPointStatique->setToolTip(T(138));
    ButtonAcquiAutoStatique->setText(T(139));
    ButtonAcquiAutoStatique->setToolTip(T(140));
    ButtonAutoCroissant->setToolTip(T(TexteBulleCroissant));
    ButtonAutoCroissant->setAccessibleName(T(TexteNomCroissant));
    ButtonAutoDecroissant->setToolTip(T(TexteBulleDecroissant));
    ButtonAutoDecroissant->setAccessibleName(T(TexteNomDecroissant));
    SpeedButtonOscillo->setText(T(141));
    SpeedButtonOscillo->setToolTip(T(142));
    for (int k = 0; k < NbVues; ++k)
        ButtonCar[static_cast<size_t>(k)]->setToolTip(T(TexteAffichageCaract) +
                                                      QStringLiteral(" %1").arg(k + 1));
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Buttoncourbe[i]->setText(T(TexteEssai) + QStringLiteral(" %1").arg(k + 1));
        Buttoncourbe[i]->setToolTip(T(TexteSelectionEssai) + QStringLiteral(" %1").arg(k + 1));
        Editcourbe[i]->setToolTip(T(TexteCommentaireEssai) + QString::number(k + 1));
        Editcourbe[i]->setAccessibleName(Editcourbe[i]->toolTip());
        // The pop-up items name their trial as the deletion questions do.
        MenuItem[i][0]->setText(T(TexteMenuSupprimerPoints) + QString::number(k + 1));
        MenuItem[i][1]->setText(T(TexteMenuSupprimerEssai) + QString::number(k + 1));
    }
    StaticTextCourbes->setText(T(TexteEssai));
    StaticTextCommentaire->setText(T(146));
    StaticTextTitreessai->setText(T(147));
    for (QToolButton* b : {ButtonStopManu, ButtonStopAuto, ButtonStopChargeManu,
                           ButtonStopChargeAuto, ButtonStopDynamique})
        b->setToolTip(T(148));
    StaticTextDuree->setText(T(158));
    ScrollBarK->setToolTip(T(149));
    ScrollBarT->setToolTip(T(150));
    TextT->setToolTip(T(151));
    TextK->setToolTip(T(152));
    ComboBoxVariable->setToolTip(T(153));
    ScrollBarDureeOscillo->setToolTip(T(154));
    TextDureeSynchro->setToolTip(T(155));
    // Controls that show no text of their own are named by their hint.
    for (QWidget* w : std::initializer_list<QWidget*>{ScrollBarK, ScrollBarT, ComboBoxVariable,
                                                      ScrollBarDureeOscillo})
        w->setAccessibleName(w->toolTip());
    NommerDefilement(ComboBoxVariable->view(), T(153));
    // The menu bar's one tool button: the menus that do not fit.
    for (QToolButton* b : menuBar()->findChildren<QToolButton*>())
        b->setAccessibleName(T(TexteAutresMenus));

    const std::array<std::pair<QLabel*, int>, 11> boites = {{{StaticTextVitesse, 1},
                                                             {StaticTextCouple, 2},
                                                             {StaticTextPmeca, 3},
                                                             {StaticTextTension, 4},
                                                             {StaticTextCourant, 5},
                                                             {StaticTextPelec, 6},
                                                             {StaticTextIexc, 7},
                                                             {StaticTextRend, 8},
                                                             {StaticTextFP, 9},
                                                             {StaticTextPertes, 10},
                                                             {StaticTextTemps, 11}}};
    for (const auto& [etiquette, q] : boites) etiquette->setText(NomGrandeur(q, " : "));
    for (TCaractMachine* c : CaractMachine) c->setmenu();
    EtatAcquisition(etatAcquisition_);
    LargeursEssais();
}

void TFormTraceCaract::Langue() {
    TextesLangue();
    // The texts built at run time (group caption, current range, value
    // boxes, synchronisation) follow at once.
    if (isVisible())
        Action();
    else
        Settitre();
}

}  // namespace orvane
