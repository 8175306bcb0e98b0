// Writes starting corpora for the fuzz targets, one folder per target:
//   fuzz_seeds DIR [APPLICATIONS_SOURCE]  ->  DIR/fuzz_work_file/*, DIR/fuzz_config/*, ...
// Each seed is a valid input, so that the targets start past the first checks.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "comm/Crc.h"
#include "comm/Trames.h"
#include "study/Applications.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

using Octets = std::vector<uint8_t>;

std::filesystem::path dossier;

void Ecrire(const char* cible, const std::string& nom, const void* octets, size_t n) {
    std::filesystem::create_directories(dossier / cible);
    if (!EcrireFichierEntier((dossier / cible / nom).string(), octets, n)) std::exit(2);
}
void Ecrire(const char* cible, const std::string& nom, const Octets& o) {
    Ecrire(cible, nom, o.data(), o.size());
}

// A study of `n` trials of `points` points each, the last trial of the
// larger studies left empty.
void EcrireEtude(const std::string& nom, int n, int points, const char* titre) {
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
    const std::string chemin = (dossier / "fuzz_work_file" / nom).string();
    std::filesystem::create_directories(dossier / "fuzz_work_file");
    if (!EnregistrerEtude(chemin)) std::exit(2);
}

void Config(const std::string& nom, int32_t langue, int32_t frequence) {
    TConfigGenerale c = ConfigDefaut;
    c.Langue = langue;
    c.FrequenceReseau = frequence;
    Ecrire("fuzz_config", nom, &c, sizeof c);
}

void Mot(Octets& o, int v) {
    o.push_back(static_cast<uint8_t>(v >> 8));
    o.push_back(static_cast<uint8_t>(v));
}

void Crc(Octets& o) {
    const uint16_t c = calculcrc(static_cast<int>(o.size()), o.data());
    o.push_back(static_cast<uint8_t>(c));
    o.push_back(static_cast<uint8_t>(c >> 8));
}

Octets Joindre(std::initializer_list<Octets> parties) {
    Octets o;
    for (const Octets& p : parties) o.insert(o.end(), p.begin(), p.end());
    return o;
}

// ---- replies to the serial link: request byte, count, menu, parameter, reply ----
void ReponsesRtu() {
    const int menu = 20, parametre = 2, adresse = AdresseRegistre(menu, parametre);
    for (int n : {1, 10}) {
        Octets r{1, 3, static_cast<uint8_t>(2 * n)};
        for (int i = 0; i < n; ++i) Mot(r, 1000 * i - 3000);
        Crc(r);
        const uint8_t requete = n == 1 ? 0 : 1;
        Ecrire("fuzz_rtu_reply", "lecture" + std::to_string(n),
               Joindre({{requete, static_cast<uint8_t>(n), menu, parametre}, r}));
        Octets w{1, 16};
        Mot(w, adresse);
        Mot(w, n);
        Crc(w);
        Ecrire(
            "fuzz_rtu_reply", "ecriture" + std::to_string(n),
            Joindre({{static_cast<uint8_t>(requete + 2), static_cast<uint8_t>(n), menu, parametre},
                     w}));
    }
    Octets e{1, 0x83, 2};
    Crc(e);
    Ecrire("fuzz_rtu_reply", "exception", Joindre({{1, 3, menu, parametre}, e}));
}

// ---- replies to the network library: request byte, count, menu, parameter, reply ----
void ReponsesKnr() {
    const int menu = 20, parametre = 2, adresse = menu * 100 + parametre - 1;
    for (int n : {1, 10}) {
        Octets r;
        Mot(r, 1);
        Mot(r, 0);
        Mot(r, 3 + 2 * n);
        r.insert(r.end(), {1, 3, static_cast<uint8_t>(2 * n)});
        for (int i = 0; i < n; ++i) Mot(r, 1000 * i - 3000);
        const uint8_t requete = n == 1 ? 0 : 1;
        Ecrire("fuzz_knr_reply", "lecture" + std::to_string(n),
               Joindre({{requete, static_cast<uint8_t>(n - 1), menu, parametre - 1}, r}));
        Octets w;
        Mot(w, 1);
        Mot(w, 0);
        Mot(w, 6);
        w.insert(w.end(), {1, 16});
        Mot(w, adresse);
        Mot(w, n);
        Ecrire("fuzz_knr_reply", "ecriture" + std::to_string(n),
               Joindre({{static_cast<uint8_t>(requete + 2), static_cast<uint8_t>(n - 1), menu,
                         parametre - 1},
                        w}));
    }
    Octets e;
    Mot(e, 1);
    Mot(e, 0);
    Mot(e, 3);
    e.insert(e.end(), {1, 0x83, 2});
    Ecrire("fuzz_knr_reply", "exception", Joindre({{1, 4, menu, parametre - 1}, e}));
}

// ---- requests to the simulated drive ----
Octets Pdu(int fonction, int adresse, int nombre, std::initializer_list<int> valeurs = {}) {
    Octets p{static_cast<uint8_t>(fonction)};
    Mot(p, adresse);
    Mot(p, nombre);
    if (fonction == 16) {
        p.push_back(static_cast<uint8_t>(2 * valeurs.size()));
        for (int v : valeurs) Mot(p, v);
    }
    return p;
}

Octets Rtu(uint8_t esclave, const Octets& pdu) {
    Octets o{esclave};
    o.insert(o.end(), pdu.begin(), pdu.end());
    Crc(o);
    return o;
}

// [gap ms][length][bytes]
Octets Morceau(int ecart, const Octets& o) {
    Octets m{static_cast<uint8_t>(ecart), static_cast<uint8_t>(o.size())};
    m.insert(m.end(), o.begin(), o.end());
    return m;
}

Octets Adu(int transaction, uint8_t unite, const Octets& pdu) {
    Octets o;
    Mot(o, transaction);
    Mot(o, 0);
    Mot(o, static_cast<int>(pdu.size() + 1));
    o.push_back(unite);
    o.insert(o.end(), pdu.begin(), pdu.end());
    return o;
}

void RequetesSimulees() {
    const Octets lecture = Pdu(3, AdresseRegistre(20, 2), 10);
    const Octets bloc = Pdu(16, AdresseRegistre(19, 20), 6, {100, 0, 50, 10, 10, 0});
    const Octets controle = Pdu(6, AdresseRegistre(20, 29), 1285);
    const Octets inconnue{7};
    const Octets rtuLecture = Rtu(1, lecture);
    // One request per chunk, each after a silence.
    Ecrire("fuzz_sim_rtu", "requetes",
           Joindre({{0},
                    Morceau(0, rtuLecture),
                    Morceau(30, Rtu(1, bloc)),
                    Morceau(30, Rtu(1, controle)),
                    Morceau(30, Rtu(0, bloc)),
                    Morceau(30, Rtu(1, inconnue)),
                    Morceau(30, rtuLecture)}));
    // A request cut in two, and two requests in one chunk.
    const Octets deux = Joindre({rtuLecture, Rtu(1, controle)});
    Ecrire("fuzz_sim_rtu", "morceaux",
           Joindre({{0},
                    Morceau(0, Octets(rtuLecture.begin(), rtuLecture.begin() + 3)),
                    Morceau(5, Octets(rtuLecture.begin() + 3, rtuLecture.end())),
                    Morceau(40, deux)}));
    // Every fault, every second request.
    for (int d = 3; d <= 7; ++d)
        Ecrire("fuzz_sim_rtu", "defaut" + std::to_string(d),
               Joindre({{static_cast<uint8_t>(d | 8)},
                        Morceau(0, rtuLecture),
                        Morceau(30, Rtu(1, bloc))}));

    // [length][bytes], the requests one after the other.
    const Octets flux =
        Joindre({Adu(1, 1, lecture), Adu(2, 1, bloc), Adu(3, 7, controle), Adu(4, 1, inconnue)});
    Octets tcp{0};
    for (size_t i = 0; i < flux.size(); i += 20) {
        const size_t n = std::min<size_t>(20, flux.size() - i);
        tcp.push_back(static_cast<uint8_t>(n));
        tcp.insert(tcp.end(), flux.begin() + static_cast<long>(i),
                   flux.begin() + static_cast<long>(i + n));
    }
    Ecrire("fuzz_sim_tcp", "requetes", tcp);
    for (int d = 3; d <= 7; ++d) {
        Octets f = Joindre({{static_cast<uint8_t>(d)}, {static_cast<uint8_t>(flux.size())}, flux});
        Ecrire("fuzz_sim_tcp", "defaut" + std::to_string(d), f);
    }
}

void Applications(const char* source) {
    std::ifstream f(source, std::ios::binary);
    const std::string texte{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    TableApplications t{};
    std::string erreur;
    if (texte.empty() || !CompilerApplications(texte, LangueSource::Francais, t, erreur)) {
        std::cerr << "fuzz_seeds: " << source << ": " << erreur << "\n";
        std::exit(2);
    }
    Ecrire("fuzz_applications", "source.txt", texte.data(), texte.size());
    Ecrire("fuzz_applications", "table.cfg", &t, sizeof t);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: fuzz_seeds DIR [APPLICATIONS_SOURCE]\n";
        return 1;
    }
    dossier = argv[1];
    EcrireEtude("vide.OVX2", 0, 0, "");
    EcrireEtude("un.OVX2", 1, 3, "Un essai");
    EcrireEtude("deux.OVX2", 2, 10, "Deux essais");
    EcrireEtude("cinq.OVX2", 5, 4, "Cinq essais");
    EcrireEtude("plein.OVX2", 1, NbPointsMax, "Essai plein");
    Config("francais.cfg", LangueFrancais, 50);
    Config("espagnol.cfg", LangueEspagnol, 60);
    if (argc == 3) Applications(argv[2]);
    ReponsesRtu();
    ReponsesKnr();
    RequetesSimulees();
    return 0;
}
