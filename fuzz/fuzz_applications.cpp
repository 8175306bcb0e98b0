// libFuzzer target: the application description files, both as the window
// reads them (a fixed-layout table) and as their readable source is compiled.
//
// The table: fewer than 4060 bytes are refused and leave the table as it
// was; more are read as the first 4060 bytes exactly, and whatever they hold
// yields counts of 0..6 and strings within their capacities.
// The source: a refusal leaves the table as it was and names a line of the
// text; an accepted source gives a table that, written back as source, is
// compiled again to the same bytes in every language.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/Verifier.h"
#include "study/Applications.h"
#include "study/Cp1252.h"

using namespace orvane;

namespace {

bool Memes(const TableApplications& a, const TableApplications& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What the window may ask of any table, asked of every group and number
// around the valid ones.
void VerifierLecture(const TableApplications& t) {
    for (int g = -1; g <= NbGroupesApplications + 1; ++g) {
        const int n = NombreApplications(t, g);
        Verifier(n >= 0 && n <= NbApplicationsMax);
        if (g < 1 || g > NbGroupesApplications) Verifier(n == 0);
        for (int k = -1; k <= NbApplicationsMax + 1; ++k) {
            const Application a = ApplicationDe(t, g, k);
            Verifier(a.titre.size() <= 60 && a.fichier.size() <= 30);
            if (k < 1 || k > n) {
                Verifier(a.genre == 0 && a.titre.empty() && a.fichier.empty());
                continue;
            }
            const EntreeApplication& e = t.Groupes[g - 1].Applications[k - 1];
            Verifier(a.genre == e.Genre);
            Verifier(a.titre == std::string(e.Titre.Car, a.titre.size()));
            Verifier(a.fichier == std::string(e.Fichier.Car, a.fichier.size()));
        }
    }
}

// The three tables of a source written back as source.
std::string Source(const TableApplications (&t)[3]) {
    std::string s;
    for (int g = 1; g <= NbGroupesApplications; ++g) {
        s += "groupe " + std::to_string(g) + "\n";
        for (int k = 1; k <= NombreApplications(t[0], g); ++k) {
            const Application a = ApplicationDe(t[0], g, k);
            s += "application " + std::to_string(a.genre) + " " + DepuisCp1252(a.fichier) + "\n";
            static const char* const cles[3] = {"fr", "en", "es"};
            for (int l = 0; l < 3; ++l)
                s += std::string(cles[l]) + " " + DepuisCp1252(ApplicationDe(t[l], g, k).titre) +
                     "\n";
        }
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    // ---- the table of a file ----
    TableApplications t;
    std::memset(&t, 0x5A, sizeof t);
    const TableApplications avant = t;
    if (!ChargerApplications(data, taille, t)) {
        Verifier(taille < TailleFichierApplications && Memes(t, avant));
    } else {
        Verifier(taille >= TailleFichierApplications);
        Verifier(std::memcmp(&t, data, TailleFichierApplications) == 0);
        VerifierLecture(t);
    }

    // ---- the readable source ----
    // A real source is a few kilobytes.
    if (taille > 16384) return 0;
    const std::string_view source(reinterpret_cast<const char*>(data), taille);
    size_t lignes = 1;
    for (char c : source) lignes += c == '\n';
    TableApplications tables[3];
    bool toutes = true;
    for (int l = 0; l < 3; ++l) {
        std::memset(&tables[l], 0xA5, sizeof tables[l]);
        const TableApplications vierge = tables[l];
        std::string erreur;
        if (CompilerApplications(source, static_cast<LangueSource>(l), tables[l], erreur)) {
            Verifier(erreur.empty());
            VerifierLecture(tables[l]);
            continue;
        }
        toutes = false;
        Verifier(Memes(tables[l], vierge));
        // "line N: why", N a line of the text.
        Verifier(erreur.starts_with("line "));
        const size_t n = std::strtoul(erreur.c_str() + 5, nullptr, 10);
        Verifier(n >= 1 && n <= lignes);
    }
    if (!toutes) return 0;
    // The languages share the entries: only the titles differ.
    for (int g = 1; g <= NbGroupesApplications; ++g)
        for (int l = 1; l < 3; ++l) {
            Verifier(NombreApplications(tables[l], g) == NombreApplications(tables[0], g));
            for (int k = 1; k <= NombreApplications(tables[0], g); ++k) {
                const Application a = ApplicationDe(tables[0], g, k),
                                  b = ApplicationDe(tables[l], g, k);
                Verifier(a.genre == b.genre && a.fichier == b.fichier);
            }
        }
    const std::string encore = Source(tables);
    for (int l = 0; l < 3; ++l) {
        TableApplications u{};
        std::string erreur;
        Verifier(CompilerApplications(encore, static_cast<LangueSource>(l), u, erreur));
        Verifier(Memes(u, tables[l]));
    }
    return 0;
}
