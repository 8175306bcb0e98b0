// Writes the configuration of a demonstration start folder: the defaults of
// the program with the simulated bench as link (type 3).
//   orvane-config-demo FOLDER
#include <cstdio>
#include <string>

#include "study/Fichiers.h"
#include "study/Study.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-config-demo FOLDER\n");
        return 1;
    }
    orvane::RepertoireDepart = argv[1];
    orvane::ConfigGenerale = orvane::ConfigDefaut;
    orvane::ConfigGenerale.TypeLiaison = orvane::LiaisonSimulation;
    return orvane::EcrireConfig() ? 0 : 2;
}
