// Writes starting corpora for the fuzz targets:
//   fuzz_seeds DIR   ->  DIR/work/*.OVX2 and DIR/config/*.cfg
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// A study of `n` trials of `points` points each, the last trial of the
// larger studies left empty.
void EcrireEtude(const std::string& chemin, int n, int points, const char* titre) {
    InitEtude();
    Etude.Titre.Ecrire(titre);
    Etude.Vues[0] = VueGraphe{1, 1, {0, 0}, GVitesse, 15, {0, 0}, GCouple, 18, {0, 0}, 1};
    for (int k = 1; k <= n; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = k % NbTypesMachine;
        ReglagesCourants[MotTypeCaract] = (3 * k) % NbTypesCaract;
        ReglagesCourants.Commentaire.Ecrire("essai " + std::to_string(k));
        NouvelleCaract();
        for (int p = 0; p < (n > 2 && k == n ? 0 : points); ++p) {
            for (int q = 1; q < NbGrandeurs; ++q) ValeursCourantes[q] = (p + 1) * (q * 37 - 200);
            AjouterPoint();
        }
    }
    if (!EnregistrerEtude(chemin)) std::exit(2);
}

void Config(const std::string& chemin, int32_t langue, int32_t frequence) {
    TConfigGenerale c = ConfigDefaut;
    c.Langue = langue;
    c.FrequenceReseau = frequence;
    if (!EcrireFichierEntier(chemin, &c, sizeof c)) std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds DIR\n";
        return 1;
    }
    const std::filesystem::path dossier = argv[1];
    std::filesystem::create_directories(dossier / "work");
    std::filesystem::create_directories(dossier / "config");
    auto travail = [&](const char* nom) { return (dossier / "work" / nom).string(); };
    EcrireEtude(travail("vide.OVX2"), 0, 0, "");
    EcrireEtude(travail("un.OVX2"), 1, 3, "Un essai");
    EcrireEtude(travail("deux.OVX2"), 2, 10, "Deux essais");
    EcrireEtude(travail("cinq.OVX2"), 5, 4, "Cinq essais");
    EcrireEtude(travail("plein.OVX2"), 1, NbPointsMax, "Essai plein");
    Config((dossier / "config" / "francais.cfg").string(), LangueFrancais, 50);
    Config((dossier / "config" / "espagnol.cfg").string(), LangueEspagnol, 60);
    return 0;
}
