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
#include <QStringList>

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
// The folders where the industrial applications' description files are
// looked for, in this order: the start folder `depart`, the executable's
// folder (a build tree), the shared-data folder. A start folder may so hold
// its own applications, and otherwise uses those that come with the program.
QStringList DossiersApplications(const QString& depart);
// The first of `dossiers` that holds the file `nom`; empty when none does.
QString DossierContenant(const QStringList& dossiers, const QString& nom);

}  // namespace orvane
