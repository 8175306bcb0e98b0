// The command-line companion's commands, callable in process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane::ctl {

// Exit statuses.
inline constexpr int Succes = 0;
inline constexpr int ErreurUsage = 1;
inline constexpr int ErreurFichier = 2;

// Runs one command line (without the program name). Output goes to `out`,
// the one-line failure message to `err`.
int Executer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// ---- used by the command groups ----

// Reads the configuration file of the current folder when there is one
// (power range, language, mains frequency); defaults otherwise. Never writes.
void ChargerConfigLocale();

int CommandeEtude(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// link (read, watch, write) and bench: the drive link and the simulated drive.
int CommandeLiaison(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CommandeBanc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// study plot; only in builds with the windows.
int CommandePlot(const std::vector<std::string>& args, std::ostream& err);

// Opens a work file; on failure writes the one-line message and returns false.
bool OuvrirEtudeOuDire(const std::string& fichier, std::ostream& err);

std::string Aide();

}  // namespace orvane::ctl
