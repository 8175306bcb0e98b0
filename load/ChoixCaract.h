// The choice window: the machine under study and the kind of characteristic
// or emulated load, written at once into words 0 and 1 of ReglagesCourants,
// before tracing, the live display or the application animation.
//
// Three pages, one per main task: machine characteristics, steady-state
// behaviour on an industrial load (static loads, with PanelCaractS) and
// time-domain behaviour (dynamic loads, with PanelCaractD).
//
// Openers call `Ouvrir`: the window shows without waiting, window-modal to
// the opener when one is given, and hands its result to the tracing window
// through Setcourbe. The buttons act on the user's clicks only: putting them
// up or down from the words (SetButton) changes nothing else.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

#include "dialogs/Fenetres.h"
#include "study/Records.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace orvane {

class TPanelCaract;
class TNouvelCaract;

class TFormChoixCaract : public QDialog, public IFenetreChoix {
    Q_OBJECT

public:
    explicit TFormChoixCaract(QWidget* parent = nullptr);
    ~TFormChoixCaract() override;

    // Sets the requested page (0 characteristics, 1 static loads, 2 dynamic
    // loads) and shows the window without waiting. With `appelant` the window
    // is modal to that window only (no nested event loop).
    void Ouvrir(int page, QWidget* appelant = nullptr) override;
    void FigerChoix(bool fige) override { ChoixFige = fige; }
    // Page of a characteristic type: 1–5 → 0; 6–9, 15, 17 → 1; 10–14, 16, 18 → 2.
    static int PageDuType(int type);
    // Application group of the animation window for a type, 0 for none.
    static int GroupeApplication(int type);

    int PageDemandee = 0;  // 0, 1 or 2
    int MachineChoisie = 0;
    int TypeChoisi = 0;
    // The machine and type buttons and the other pages are disabled until
    // the window closes.
    bool ChoixFige = false;

    // The warning before an industrial-load study: true to go on. The program
    // wires it to its warning dialog; the default asks through `Demander`.
    std::function<bool(int type)> Avertissement;

    void FormShow();
    void SetButton();
    void ResetButton();
    void Action(QObject* sender);
    void ButtonEtudeCaractClick(QObject* sender);
    void ButtonVISUALISATIONClick();
    void ButtonAPPstatClick();
    void ButtonFermer1Click();
    void FormClose();

    // Machine column
    QWidget* PanelMachine;
    QLabel* TextMachine;
    QLabel* TextPuissanceMachine;
    QToolButton* ButtonMCCInd;
    QToolButton* ButtonMCCSerie;
    QToolButton* ButtonMASTri;
    QToolButton* ButtonMSynch;
    QToolButton* ButtonAlimCont;
    QToolButton* ButtonAlimTri;
    QToolButton* ButtonAlimMono;
    QButtonGroup* GroupeMachine;  // button id = machine type 1..7

    QTabWidget* PageControl;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QButtonGroup* GroupeCharge[3];  // per page; button id = characteristic type

    // Page 0
    QLabel* TextEtudeCaractMachine;
    QLabel* TextCharge;
    QToolButton* ButtonTcstC;
    QToolButton* ButtonTanC;
    QToolButton* ButtonNcste;
    QToolButton* ButtonNan;
    QToolButton* ButtonCouplage;
    QLabel* TextCaractMachine;
    QLabel* TextCaractCharge;
    QPushButton* ButtonVISUALISATION;
    QPushButton* ButtonEtudeCaract;
    QPushButton* ButtonFermer1;

    // Page 1
    QLabel* TextEtudeStatique;
    QLabel* TextChargeS;
    QToolButton* ButtonTcstS;
    QToolButton* ButtonTanbS;
    QToolButton* Buttontan2bS;
    QToolButton* ButtonPcstS;
    QToolButton* ButtonTcollageS;
    QToolButton* ButtonLevageS;
    QLabel* TextMachineS;
    QLabel* TextTitreS;
    TPanelCaract* PanelCaractS;
    QPushButton* ButtonEtudeStatique;
    QPushButton* ButtonAPPstat;
    QPushButton* ButtonFermer2;

    // Page 2
    QLabel* TextEtudeDynamique;
    QLabel* TextChargeD;
    QToolButton* ButtonTcstD;
    QToolButton* ButtonTanbD;
    QToolButton* Buttontan2bD;
    QToolButton* ButtonPcstD;
    QToolButton* ButtonTcycle;
    QToolButton* ButtonTcollageD;
    QToolButton* ButtonLevageD;
    QLabel* TextMachineD;
    QLabel* TextTitreD;
    TPanelCaract* PanelCaractD;
    QPushButton* ButtonEtudeDynamique;
    QPushButton* ButtonAPPdyn;
    QPushButton* ButtonFermer3;

public slots:
    // Escape closes the window as its close buttons do.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* BoutonMachine(int machine);
    QToolButton* BoutonCharge(int page, int type);
    void Etudier();

    QWidget* images_[3] = {};                // the pictures of the pages
    TNouvelCaract* nouvelCaract_ = nullptr;  // own dialog when the program made none
    // The settings to give back when a window that opened this one is left
    // without "ETUDE".
    bool restaurer_ = false;
    // The window this one was opened from (the tracing window), if any.
    QPointer<QWidget> appelant_;
    EnteteCaract reglagesAvant_{};
};

// The one instance of the program, set by the constructor.
extern TFormChoixCaract* FormChoixCaract;

}  // namespace orvane
