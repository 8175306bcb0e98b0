// The live display window: the present values of the measured quantities,
// four times a second, while the load runs the chosen laboratory law.
//
// It opens the link when it is closed, sends K = 0 and reads before the
// control word that starts the law, and returns the drive to rest (control
// word 1) whichever way it closes. While no valid reading is at hand the
// frames show "----" and a status line says why; no tick ever opens a dialog.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

class QButtonGroup;
class QFrame;
class QLabel;
class QScrollBar;
class QTimer;
class QToolButton;

namespace orvane {

class TAffichage;
class TPasserelleCom;

class TFormVisualisation : public QWidget {
    Q_OBJECT

public:
    explicit TFormVisualisation(QWidget* parent = nullptr);
    ~TFormVisualisation() override;

    static constexpr int NbAffichages = 10;
    static constexpr int IntervalleMs = 250;
    // The text of a frame without a valid value.
    static constexpr const char* SansValeur = "----";

    // The window that opened this one (the choice window): hidden while
    // this one is shown, shown again when it closes. Set by the opener.
    QPointer<QWidget> FenetreAppelante;

    // ---- controls ----
    QFrame* BarreHaut;
    QLabel* TextModechargeManu;
    QLabel* TextK;
    QScrollBar* ScrollBarK;
    QToolButton* ButtonClose;
    QFrame* BarreMachine;
    QLabel* TextdelaMachine;
    QLabel* TextEtatLiaison;  // why no value is shown; empty when all is well
    QLabel* LabelCourant;
    QToolButton* ButtonCalibre2A;
    QToolButton* ButtonCalibre20A;
    QButtonGroup* GroupeCalibre;
    // Affichage[k - 1] is frame k, showing quantity k.
    std::array<TAffichage*, NbAffichages> Affichage{};
    QTimer* TimerA;

    // The latest reading is valid and shown.
    bool ValeursValides() const { return valides_; }

public slots:
    void FormShow();
    void FormClose();
    void FormResize();
    void ButtonCloseClick();
    void TimerATimer();
    void ScrollBarKChange();
    void ButtonCalibre2AClick();
    void ButtonCalibre20AClick();
    // Lays the bars and the frames out on the client area.
    void Affiche();
    // Writes the values of the latest reading (or "----") and the status line.
    void AfficheValeur();
    // Writes TextK.
    void Action();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window as its close button does.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TPasserelleCom* Com() const;
    // The window's caption, from the current text table and link.
    void Legender();

    bool valides_ = false;
    bool centree_ = false;
    bool formeEnAttente_ = false;
};

extern TFormVisualisation* FormVisualisation;

}  // namespace orvane
