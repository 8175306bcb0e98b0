// The start folder of a run: the folder of the configuration file, of the
// work-file folder and of the industrial applications' files, which the main
// menu takes as the current folder when it is created.
//
// A program run from a build tree keeps the folder it was started in. An
// installed program, started from a desktop menu or a file manager in any
// folder, works in a folder of its user's own (~/.local/share/orvane), made
// on its first start (whose window then writes the configuration); a folder that holds a
// configuration file is still kept as the start folder when the program is
// started there.
#pragma once

#include <QString>

namespace orvane {

// The per-user start folder of an installed program: "orvane" in the user's
// data folder ($XDG_DATA_HOME, by default ~/.local/share).
QString DossierPersonnel();
// The start folder for a program started in `courant`: that folder when it
// holds a configuration file or when the program is not installed, else
// `personnel`.
QString ChoisirDossierDepart(const QString& courant, bool installe, const QString& personnel);
// Makes the per-user start folder when it does not exist. False when the
// folder is not there and cannot be made.
bool PreparerDossierPersonnel(const QString& dossier);
// Chooses the start folder of this run, prepares it and makes it the current
// folder. Falls back to the current folder when the per-user one cannot be
// made. Returns the folder.
QString EntrerDossierDepart();
// The work-file folder `nom` of the start folder `depart`, made when it is
// missing; `depart` itself when the folder cannot be made there (a file of
// that name, a folder that refuses it). An existing folder is left as it is.
QString PreparerDossierFichiers(const QString& depart, const QString& nom);

}  // namespace orvane
