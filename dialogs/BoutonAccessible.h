// Toggle buttons as assistive technologies use them. The toolkit gives a
// checkable button a "Toggle" action that flips its state without a click,
// so the commands behind the program's toggle buttons (the acquisition modes,
// the machine and load choices, the views) never run from a screen reader.
// Here both "Toggle" and "Press" click the button, as the mouse does.
#pragma once

class QAbstractButton;
class QAccessibleInterface;
class QObject;
class QString;

namespace orvane {

// The accessible face of a checkable push or tool button; nullptr for any
// other object (the toolkit's own faces serve those).
QAccessibleInterface* FabriqueBoutonsBascule(const QString& classe, QObject* objet);

// Installs the factory above for the whole program (once).
void InstallerBoutonsAccessibles();

}  // namespace orvane
