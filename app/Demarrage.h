// The program's windows, created once in the start-up order and reached
// through the process-wide references.
#pragma once

#include <QString>

class QObject;

namespace orvane {

// The application's title and icon; the program ends when the main menu
// closes, not when its last window does.
void PreparerApplication();

// Creates the windows in this order: main menu (whose creation reads the
// configuration before any other window exists), tracing window,
// new-characteristic dialog, communication window, live display, choice
// window, sort dialog, current-range dialog, application animation, about
// box, warnings; and sets their references.
void CreerFenetres();
// Destroys them in the reverse order and clears the references.
void DetruireFenetres();

// Runs the program from its start folder: message boxes for the warnings
// and questions, the simulated bench behind link type 3, every window, the
// main menu shown (`guet`, when given, filters its events from the start)
// and `fichier`, when given, opened in the tracing window once the menu has
// started. Returns the event loop's status, the windows destroyed.
int ExecuterProgramme(const QString& fichier = {}, QObject* guet = nullptr);

// The title the application gives itself (task bar).
inline constexpr const char* TitreApplication = "Orvane_FR_CTComs.exe";

}  // namespace orvane
