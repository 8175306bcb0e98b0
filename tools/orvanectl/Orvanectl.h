// The command-line companion's commands, callable in process.
#pragma once

#include <charconv>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study/Rapport.h"

namespace orvane::ctl {

// Exit statuses.
inline constexpr int Succes = 0;
inline constexpr int ErreurUsage = 1;
inline constexpr int ErreurFichier = 2;
// study fit, operating-point and step refuse a bad argument with status 2.
inline constexpr int ErreurArgument = 2;

// Runs one command line (without the program name). Output goes to `out`,
// the one-line failure message to `err`.
int Executer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// ---- used by the command groups ----

// The whole text as an integer of type T, or nothing.
template <class T>
std::optional<T> Nombre(std::string_view s) {
    T v{};
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

// While it lives, gathers what the core code reports (a file or link error)
// into the one line a failing command prints.
class RapportLigne : public Rapport {
public:
    RapportLigne() : precedent_(DefinirRapport(this)) {}
    ~RapportLigne() override { DefinirRapport(precedent_); }
    RapportLigne(const RapportLigne&) = delete;
    RapportLigne& operator=(const RapportLigne&) = delete;
    void Avertissement(const std::string& texte) override {
        if (!ligne.empty()) ligne += " / ";
        ligne += texte;
    }
    // No one to answer on a command line: the question joins the line and is
    // cancelled.
    ReponseQuestion Question(const std::string& texte) override {
        Avertissement(texte);
        return ReponseQuestion::Annuler;
    }
    std::string ligne;

private:
    Rapport* precedent_;
};

// The one-line usage error: "PREFIX: message (see AIDE)"; returns ErreurUsage.
int ErreurDUsage(std::ostream& err, std::string_view prefixe, const std::string& message,
                 std::string_view aide);

// Reads the configuration file of the current folder when there is one
// (power range, language, mains frequency); defaults otherwise. Never writes.
void ChargerConfigLocale();

int CommandeEtude(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// link (read, watch, write) and bench: the drive link and the simulated drive.
int CommandeLiaison(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CommandeBanc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// study fit, operating-point and step: fit to points, the operating point on
// a load line, step-response measurements.
int CommandeAjuster(const std::vector<std::string>& args, std::ostream& err);
int CommandePointFonctionnement(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);
int CommandeReponse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// study plot and report; only in builds with the windows.
int CommandePlot(const std::vector<std::string>& args, std::ostream& err);
int CommandeRapport(const std::vector<std::string>& args, std::ostream& err);

// Opens a work file; on failure writes the one-line message and returns false.
bool OuvrirEtudeOuDire(const std::string& fichier, std::ostream& err);

std::string Aide();

}  // namespace orvane::ctl
