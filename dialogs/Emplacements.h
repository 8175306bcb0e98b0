// Where the files that come with the program are found: pictures, help
// pages and, for the industrial applications, their description files and
// animations.
//
// In a build tree (and a program unpacked in one folder) they lie beside the
// executable. An installed program finds them in its shared-data folder,
// <prefix>/share/orvane for <prefix>/bin/orvane; the place beside the
// executable is always looked at first.
#pragma once

#include <QString>

namespace orvane {

// The installed shared-data folder of the program, whether it exists or not.
QString DossierPartage();
// True when the program runs from an installation: its shared-data folder
// exists.
bool ProgrammeInstalle();
// The file or folder `relatif` (a path under the executable's folder) beside
// the executable when it is there, else in the shared-data folder when it is
// there, else beside the executable (a path that does not exist, to name in
// a message).
QString CheminFourni(const QString& relatif);
// The file `relatif` of the start folder `depart` when it is there, else the
// one of the shared-data folder when it is there, else the one of the start
// folder. A start folder may so hold its own application description files
// and pictures, and otherwise uses those installed with the program.
QString CheminDepartOuPartage(const QString& depart, const QString& relatif);

}  // namespace orvane
