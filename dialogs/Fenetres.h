// What the windows ask of the windows above them (the tracing window, the
// main menu, the application animation window). Those windows implement
// these faces and register themselves at start; a window below never
// includes their headers. Until a window registers, its pointer is null and
// the callers do without it.
#pragma once

class QWidget;

namespace orvane {

class IFenetreTrace {
public:
    virtual ~IFenetreTrace() = default;
    // Makes the current trial take ReglagesCourants (the choice window's
    // confirmed choice), or appends a new trial when its points would not fit.
    // False when no trial could take it (five trials, none compatible): the
    // user has been told, and the caller stays where it is.
    virtual bool Setcourbe() = 0;
    virtual void Montrer() = 0;
    virtual bool EstVisible() const = 0;
    // Re-captions the window after a language change.
    virtual void Langue() = 0;
    // The unsaved-work question: true when the caller may go on (the study
    // is saved, saved now, or the user gives it up).
    virtual bool Avertissement() = 0;
};

class IFenetreVisuApp {
public:
    virtual ~IFenetreVisuApp() = default;
    // Application group 1..7 shown at the next display.
    virtual void DefinirGroupe(int groupe) = 0;
    virtual void Montrer() = 0;
    // Closes the window when it is open (the choice window it belongs to
    // closes).
    virtual void Fermer() = 0;
};

// The choice of a machine and characteristic, or of an industrial load.
class IFenetreChoix {
public:
    virtual ~IFenetreChoix() = default;
    // Shows the window on page 0 (characteristic study), 1 (static loads)
    // or 2 (dynamic loads), without waiting for it to close.
    // With `appelant` (the tracing window's "Charge"), the window is modal to
    // it, and closing without "ETUDE" gives ReglagesCourants back as it was.
    virtual void Ouvrir(int page, QWidget* appelant = nullptr) = 0;
    // For the next opening only: the machine and the load type stay as they
    // are (only the load's settings may change), as during an automatic
    // acquisition on a static load, whose points must stay valid.
    virtual void FigerChoix(bool fige) { (void)fige; }
};

// The process-wide references, set once by the program at start.
extern QWidget* FormMachine2;  // the main menu
extern IFenetreTrace* FormTraceCaract;
extern IFenetreVisuApp* FormVisuApp;
extern IFenetreChoix* FenetreChoix;  // the choice window

}  // namespace orvane
