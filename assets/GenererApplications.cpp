// Build-time tool: compiles the readable list of industrial applications
// into the three application description files.
//   orvane_applications SOURCE.txt FOLDER [FOLDER...]
// writes CFGAPPFR.cfg, CFGAPPUK.cfg and CFGAPPSP.cfg into each folder.
#include <cstdio>
#include <string>
#include <vector>

#include "study/Applications.h"
#include "study/Fichiers.h"

int main(int argc, char** argv) {
    using namespace orvane;
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvane_applications SOURCE.txt FOLDER [FOLDER...]\n");
        return 1;
    }
    std::vector<uint8_t> octets;
    if (!LireFichier(argv[1], 1 << 20, octets)) {
        std::fprintf(stderr, "orvane_applications: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string source(octets.begin(), octets.end());
    const struct {
        LangueSource langue;
        const char* nom;
    } fichiers[] = {{LangueSource::Francais, "CFGAPPFR.cfg"},
                    {LangueSource::Anglais, "CFGAPPUK.cfg"},
                    {LangueSource::Espagnol, "CFGAPPSP.cfg"}};
    for (const auto& f : fichiers) {
        TableApplications t{};
        std::string erreur;
        if (!CompilerApplications(source, f.langue, t, erreur)) {
            std::fprintf(stderr, "%s: %s\n", argv[1], erreur.c_str());
            return 2;
        }
        for (int d = 2; d < argc; ++d) {
            const std::string chemin = std::string(argv[d]) + "/" + f.nom;
            std::string raison;
            if (!EcrireFichierEntier(chemin, &t, sizeof t, &raison)) {
                std::fprintf(stderr, "orvane_applications: %s: %s\n", chemin.c_str(),
                             raison.c_str());
                return 2;
            }
        }
    }
    return 0;
}
