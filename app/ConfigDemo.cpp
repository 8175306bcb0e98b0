// Writes the configuration of a demonstration start folder: the defaults of
// the program with the simulated bench as link (type 3), or with --serial
// the serial link (type 1) on the port NAME (as stored: "pts/4", "ttyUSB0"),
// for a drive served by `orvanectl bench`.
//   orvane-config-demo FOLDER [--serial NAME]
#include <cstdio>
#include <string>

#include "study/Fichiers.h"
#include "study/Study.h"

int main(int argc, char** argv) {
    const bool serie = argc == 4 && std::string(argv[2]) == "--serial";
    if (argc != 2 && !serie) {
        std::fprintf(stderr, "usage: orvane-config-demo FOLDER [--serial NAME]\n");
        return 1;
    }
    orvane::RepertoireDepart = argv[1];
    orvane::ConfigGenerale = orvane::ConfigDefaut;
    orvane::ConfigGenerale.TypeLiaison = orvane::LiaisonSimulation;
    if (serie) {
        orvane::ConfigGenerale.TypeLiaison = orvane::LiaisonSerie;
        orvane::ConfigGenerale.PortSerie.Ecrire(argv[3]);
    }
    return orvane::EcrireConfig() ? 0 : 2;
}
