// The tracing window: the main work window of a study. It shows up to four
// graph views of the study side by side, the trials with their comments, the
// values of the quantities, and holds the commands that acquire points, edit
// the study, copy, print and save it.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <array>

#include "dialogs/Fenetres.h"
#include "graph/CaractMachine.h"
#include "tracing/PositionTrace.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class QToolButton;

namespace orvane {

class TMicroTimer;

class TFormTraceCaract : public QMainWindow, public IFenetreTrace, public ITraceCaract {
    Q_OBJECT

public:
    explicit TFormTraceCaract(QWidget* parent = nullptr);
    ~TFormTraceCaract() override;

    // ---- faces ----
    // Makes the current trial take ReglagesCourants when its points stay
    // valid, otherwise appends a new trial from them.
    bool Setcourbe() override;
    void Montrer() override;
    bool EstVisible() const override;
    void Langue() override;
    // "Fichier modifié. Voulez-vous l'enregistrer?": Yes saves through the
    // save dialog (a cancelled dialog or a failed save forbids), No allows,
    // Cancel forbids. A saved study allows at once.
    bool Avertissement() override;
    void curseur() override;
    void Action() override;
    void SupprimePoint() override;
    void SupprimeTousPoints() override;
    void Nouvellecourbe1Click() override;
    void NouvelCaractVue(int vue) override;
    void DroiteDeCharge(int vue) override;
    void MesuresReponseVue(int vue) override;

    // ---- state ----
    PlacesTrace RectTrace{};
    int32_t SensAuto = 0;
    int32_t PhaseAuto = 0;
    bool OscilloArme = true;
    bool OscilloDeclenche = true;
    int32_t ValeurReference = 0;
    TMicroTimer* MicroTimer1 = nullptr;

    // ---- bar of the views and functions ----
    QFrame* PanelCarcteristique;
    std::array<QToolButton*, 4> ButtonCar{};  // ButtonCar1..4
    QFrame* PanelFonction;
    QToolButton* ButtonClose;
    QToolButton* ButtonTitre;
    QToolButton* ButtonAffichage;
    QToolButton* ButtonModifCharge;
    QToolButton* ButtonEspion;
    QFrame* PanelAcquisitionCarMachine;
    QToolButton* ButtonManu;
    QToolButton* ButtonAuto;
    QFrame* PanelAcqusitionChargeStatique;
    QToolButton* ButtonChargeManu;
    QToolButton* ButtonChargeAuto;
    QFrame* PanelAcqusitionChargeDynamique;
    QToolButton* ButtonChargeDynamique;

    // ---- title bar ----
    QFrame* ToolBarTitre;
    QLabel* StaticTextTitreessai;
    QLineEdit* EditTitre;

    // ---- trials ----
    QFrame* PanelANALYSE;
    QFrame* ToolBar1;
    QLabel* StaticTextCourbes;
    std::array<QToolButton*, 5> Buttoncourbe{};  // Buttoncourbe1..5
    QButtonGroup* GroupeCourbes;
    std::array<QMenu*, 5> PopupMenu{};  // PopupMenu1..5
    // MenuItem1..10: [k][0] deletes the points of trial k + 1, [k][1] the trial.
    std::array<std::array<QAction*, 2>, 5> MenuItem{};
    QFrame* ToolBar2;
    QLabel* StaticTextCommentaire;
    std::array<QLineEdit*, 5> Editcourbe{};  // Editcourbe1..5

    // ---- acquisition panels ----
    QFrame* PanelAcquiManu;
    QLabel* TextModechargeManu;
    QScrollBar* ScrollBarK;
    QLabel* TextK;
    QToolButton* ButtonAcquiPointCaract;
    QToolButton* ButtonStopManu;
    QFrame* PanelAcquiAuto;
    QLabel* TextModechargeAuto;
    QScrollBar* ScrollBarT;
    QLabel* TextT;
    QToolButton* ButtonAutoCroissant;
    QToolButton* ButtonAutoDecroissant;
    QToolButton* ButtonStopAuto;
    QFrame* PanelChargeStatiqueManu;
    QLabel* TextModeChargestatiqueManu;
    QToolButton* ButtonAcquiPointStatique;
    QToolButton* ButtonStopChargeManu;
    QFrame* PanelChargeStatiqueAuto;
    QLabel* TextModeChargestatiqueAuto;
    QToolButton* ButtonAcquiAutoStatique;
    QToolButton* ButtonStopChargeAuto;
    QFrame* PanelChargeDynamique;
    QLabel* TextModeChargeDynamique;
    QLabel* StaticTextModeOscillo;
    QFrame* PanelConfOscillo;
    QToolButton* ButtonSynchro;
    QLabel* TextSynchro;
    QComboBox* ComboBoxVariable;
    QLabel* StaticTextDuree;
    QScrollBar* ScrollBarDureeOscillo;
    QLabel* TextDureeSynchro;
    QToolButton* SpeedButtonOscillo;
    QToolButton* ButtonStopDynamique;

    // ---- client area ----
    QWidget* ZoneTrace;  // holds ImageFond; the frames are placed over it
    QLabel* ImageFond;
    std::array<TCaractMachine*, 4> CaractMachine{};  // CaractMachine1..4
    QFrame* PanelAffichageValeur;
    QFrame* PanelVitesse;
    QFrame* PanelCouple;
    QFrame* PanelPmeca;
    QFrame* PanelTension;
    QFrame* PanelCourant;
    QFrame* PanelPelec;
    QFrame* Paneliexc;
    QFrame* PanelFp;
    QFrame* PanelPertes;
    QFrame* PanelRendement;
    QFrame* PanelTemps;
    QLabel* StaticTextVitesse;
    QLabel* StaticTextCouple;
    QLabel* StaticTextPmeca;
    QLabel* StaticTextTension;
    QLabel* StaticTextCourant;
    QLabel* StaticTextPelec;
    QLabel* StaticTextIexc;
    QLabel* StaticTextFP;
    QLabel* StaticTextPertes;
    QLabel* StaticTextRend;
    QLabel* StaticTextTemps;
    QLabel* TextVitesse;
    QLabel* TextCouple;
    QLabel* TextPmeca;
    QLabel* TextTension;
    QLabel* TextCourant;
    QLabel* TextPelec;
    QLabel* TextIexc;
    QLabel* TextFp;
    QLabel* TextPertes;
    QLabel* TextRend;
    QLabel* TextTemps;
    // Why the last acquisition ended when it ended by itself (a full trial,
    // the link lost), in the status bar until the next start.
    QLabel* TextEtatAcquisition;

    // ---- timers ----
    QTimer* TimerManu;
    QTimer* TimerAuto;
    QTimer* TimerChargeAuto;
    QTimer* TimerOscillo;

    // ---- main menu ----
    QMenu* Fichier1;
    QAction* Ouvrir;
    QAction* Enregistrer1;
    QAction* Enregistrersous1;
    QAction* Nouveautravail1;
    QAction* Configurationimprimante1;
    QAction* Imprimer1;
    QAction* ExporterPdf1;
    QAction* CompteRendu1;
    QAction* ExporterValeurs1;
    QAction* Quitter1;
    QMenu* Edition1;
    QAction* Nouvellecaracteristique1;
    QMenu* Modificationdunecaracteristique1;
    std::array<QAction*, 4> MCar{};
    QMenu* Suppressiondunecaracteristique1;
    std::array<QAction*, 4> SCar{};
    QAction* Nouvellecourbe1;
    QMenu* Suppressioncourbe1;
    std::array<QAction*, 5> Ncb{};
    QAction* Copierlescaractristiques1;
    QAction* Copierlesvaleurs1;
    QAction* Copierlesvaleurs2;
    QMenu* Configuration1;
    QMenu* Trierlespoints1;
    QAction* delacourbeselectionne1;
    QAction* detouteslescourbes1;
    QMenu* Interpolation;
    std::array<QAction*, 6> interpolation{};  // interpolation1..6
    QActionGroup* GroupeInterpolation;
    QMenu* Couleurdesgraphes1;
    // Cblanc, CbleuClair, CJaune, Cgris, CBrun, CVert, CBleu, CNoir.
    std::array<QAction*, 8> CouleurGraphe{};
    QAction* CalibreCourant1;
    QAction* Configurationmatrielle1;
    QMenu* N1;
    QAction* Aide1;
    QAction* Apropos1;

    // ---- refresh ----
    void FormShow();
    void Settitre();
    void ButtoncourbeClick();
    void ButtonCararactClick(QObject* sender);
    int NbPanelTrace() const;
    void calculposition(int32_t L, int32_t T, int32_t W, int32_t H);
    void TraceTout();
    void setMenu();
    void resetMenu();
    void FormResize();
    // Escape and Space; true when the key is consumed.
    bool FormKeyPress(int touche);
    void FormClose();

    // ---- acquisitions (their cycles belong to the acquisition commands) ----
    void ButtonManuClick();
    void ButtonAutoClick();
    void ButtonChargeManuClick();
    void ButtonChargeAutoClick();
    void ButtonChargeDynamiqueClick();
    void ButtonStopManuClick();
    void ButtonAcquiPointCaractClick();
    void resetAcquisition();
    // Stops a running acquisition as Stop does (commands that replace or
    // reshape the study or the link).
    void ArreterAcquisition();
    void MicroTimer1OnTimer();
    // A stored point of the current trial is selected outside an
    // acquisition: the one thing "Suppression du point" may delete.
    bool PointSupprimable() const;

    // ---- file commands ----
    void Fichier1Click();
    void OuvrirClick();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Nouveautravail1Click();
    void Configurationimprimante1Click();
    void Imprimer1Click();
    // The views whose buttons are down: those printed, exported and copied.
    std::array<bool, 4> VuesImprimees() const;
    void ExporterPdf1Click();
    void CompteRendu1Click();
    void ExporterValeurs1Click();
    void Quitter1Click();
    void ButtonCloseClick();

    // ---- study editing ----
    void Edition1Click();
    void Nouvellecaracteristique1Click();
    void ModifCarClick(int k);
    void SupprimeCarClick(int k);
    void SupprimeCourbeClick(int k);
    void SuppCourbeClick(int k);
    void SupprimePoints(int k);
    void Copierlescaractristiques1Click();
    void Copierlesvaleurs1Click(QObject* sender);
    void Editcourbe1Change(int k);
    void EditTitreChange();
    void Configuration1Click();
    void delacourbeselectionne1Click();
    void detouteslescourbes1Click();
    void interpolationClick(int item);
    void FondClick(int code);
    void CalibreCourant1Click();
    void ButtonModifChargeClick();
    void Configurationmatrielle1Click();
    void ButtonEspionClick();
    void Aide1Click();
    void Apropos1Click();

    // ---- machine-study acquisition: manual K and automatic sweep ----
    // Each returns false, having stopped the acquisition and said so, when a
    // write that starts it fails.
    bool setAcquisitionManu();
    void ScrollBarKChange();
    void TimerManuTimer();
    void ScrollBarTChange();
    void ButtonAutoCroissantClick();
    void ButtonAutoDecroissantClick();
    int32_t setmode(int32_t d);
    bool setAcquisitionAuto();
    void TimerAutoTimer();
    // Weight of the torque against the speed in the automatic spacing test,
    // by power range (0..3; any other value reads range 0).
    static int64_t PoidsCoupleAuto(int32_t gamme);
    // The latest tick of the running acquisition read the drive successfully:
    // only then may a point be stored.
    bool MesureFraiche = false;

    // ---- acquisitions on an emulated load and oscilloscope mode ----
    // (The reference point of the automatic points, DernierPointN/T, and the
    // end of the capture, FinOscillo, are the study data's.)
    // Sends the load law of the current type to the drive and runs it. Each
    // write is checked: on a failure the drive is sent the rest word and the
    // result is false.
    bool setAcquisitionChargeManu();
    void TimerChargeAutoTimer();
    void ComboBoxDureeChange();
    void SpeedButtonOscilloClick();
    void TimerOscilloTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void CreerBarres();
    void CreerPanneauxAcquisition();
    void CreerZoneClient();
    void CreerMenu();
    // Captions and hints of the current language (no refresh).
    void TextesLangue();
    void AjusterImageFond();
    void LargeursEssais();
    void ExclusifAcquisition(QToolButton* bouton);
    bool TrierOuvert(bool tous);
    // Machine-study acquisition: connections and key focus of its controls.
    void LierAcquisitionMachine();
    // A start write failed: back to rest, buttons up, "Erreur de liaison".
    void EchecDemarrage();
    // Stores the current values as a point and draws it; a trial that is
    // now full ends the acquisition.
    void StockerPoint();
    bool reposSignale_ = false;

    // ---- acquisitions on an emulated load and oscilloscope mode ----
    void ConnecterAcquisitionsCharge();
    // Caption of the running mode: group title, machine and load titles.
    QString TitreAcquisitionCharge() const;
    // Stores the current values as a new point and draws it; a full trial
    // ends the acquisition (its points are kept). False when it ended.
    bool StockerPointCharge();
    // The latest measurement step says the link is lost: word 0 of the values
    // is negative and this is not the first failure after good readings (a
    // refresh sets that word too; one failed exchange never ends anything).
    bool LiaisonPerdue() const;
    // Stops the acquisition and says why in the status bar.
    void ArretLiaisonPerdue();
    void ArretEssaiPlein();
    // Shows text `texte` in the status bar (0: none, the bar hidden).
    void EtatAcquisition(int texte);
    int etatAcquisition_ = 0;

    QImage imageBanc_;
    bool enAction_ = false;
};

}  // namespace orvane
