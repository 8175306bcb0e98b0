// Helpers shared by the unit and integration tests: byte frames, a warning
// recorder, a temporary folder, orvanectl run in process, and the simulated
// drive served from a thread.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "comm/Crc.h"
#include "sim/Serveur.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tools/orvanectl/Orvanectl.h"

namespace orvane::essai {

using Octets = std::vector<uint8_t>;

// "01 03 07 D1" → {0x01, 0x03, 0x07, 0xD1}.
inline Octets Hex(const std::string& texte) {
    Octets o;
    std::istringstream in(texte);
    for (unsigned v; in >> std::hex >> v;) o.push_back(static_cast<uint8_t>(v));
    return o;
}

// Appends the Modbus CRC, low byte first.
inline Octets AvecCrc(Octets o) {
    const uint16_t crc = calculcrc(static_cast<int>(o.size()), o.data());
    o.push_back(static_cast<uint8_t>(crc));
    o.push_back(static_cast<uint8_t>(crc >> 8));
    return o;
}

// Records the warnings and the questions while it lives; answers the
// questions from `reponses` in turn, then Cancel.
class RapportEnregistre : public Rapport {
public:
    RapportEnregistre() : precedent_(DefinirRapport(this)) {}
    ~RapportEnregistre() override { DefinirRapport(precedent_); }
    RapportEnregistre(const RapportEnregistre&) = delete;
    RapportEnregistre& operator=(const RapportEnregistre&) = delete;
    void Avertissement(const std::string& t) override { messages.push_back(t); }
    ReponseQuestion Question(const std::string& t) override {
        questions.push_back(t);
        if (reponses.empty()) return ReponseQuestion::Annuler;
        const ReponseQuestion r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<ReponseQuestion> reponses;

private:
    Rapport* precedent_;
};

// Replaces the call that gives a saved file its mode while it lives.
class ChangeurModeRemplace {
public:
    explicit ChangeurModeRemplace(ChangeurMode f) : precedent_(DefinirChangeurMode(std::move(f))) {}
    ~ChangeurModeRemplace() { DefinirChangeurMode(std::move(precedent_)); }
    ChangeurModeRemplace(const ChangeurModeRemplace&) = delete;
    ChangeurModeRemplace& operator=(const ChangeurModeRemplace&) = delete;

private:
    ChangeurMode precedent_;
};

// A new empty folder, removed with the object.
struct DossierTemporaire {
    DossierTemporaire() {
        std::string modele = (std::filesystem::temp_directory_path() / "orvane-XXXXXX").string();
        if (::mkdtemp(modele.data())) racine = modele;
    }
    ~DossierTemporaire() {
        std::error_code ec;
        if (!racine.empty()) std::filesystem::remove_all(racine, ec);
    }
    std::string operator/(const std::string& nom) const { return (racine / nom).string(); }
    std::filesystem::path racine;
};

// A temporary folder made the current one while it lives; then the folder
// the test started in again, and the default settings, French and an empty
// study.
struct DossierCourant {
    DossierCourant() : depart(std::filesystem::current_path()) {
        std::filesystem::current_path(dossier.racine);
    }
    ~DossierCourant() {
        std::filesystem::current_path(depart);
        ConfigGenerale = ConfigDefaut;
        ChoixLangue(LangueFrancais);
        InitEtude();
    }
    DossierTemporaire dossier;
    std::filesystem::path depart;
};

// Adds a trial of this machine and characteristic type, with the default
// settings (`mots` written over them: word, value), `commentaire` and these
// points; false when a point could not be added.
inline bool AjouterEssai(int machine, int type, const std::string& commentaire,
                         const std::vector<ValeursPoint>& points,
                         std::initializer_list<std::pair<int, int32_t>> mots = {}) {
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = machine;
    ReglagesCourants[MotTypeCaract] = type;
    for (const auto& [mot, valeur] : mots) ReglagesCourants[mot] = valeur;
    ReglagesCourants.Commentaire.Ecrire(commentaire);
    NouvelleCaract();
    for (const ValeursPoint& p : points) {
        ValeursCourantes = p;
        if (!AjouterPoint()) return false;
    }
    return true;
}

inline std::string Contenu(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct Sortie {
    int statut;
    std::string out, err;
};

// One orvanectl command line, run in process.
inline Sortie Ctl(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int statut = ctl::Executer(args, out, err);
    return {statut, out.str(), err.str()};
}

// A simulated drive served from its own thread for the life of the object.
class ServeurEnFond {
public:
    explicit ServeurEnFond(sim::Injection injection = {}) : serveur(variateur, injection) {}
    ~ServeurEnFond() {
        arret_ = true;
        if (fil_.joinable()) fil_.join();
    }
    // Serves a new pseudo-terminal: its name under /dev ("pts/4"), empty on failure.
    std::string Pty() {
        std::string nom, erreur;
        return serveur.OuvrirPty(nom, erreur) && Demarrer() ? nom : "";
    }
    // Serves Modbus TCP on 127.0.0.1 and a free port (serveur.Port()).
    bool Tcp() {
        std::string erreur;
        return serveur.OuvrirTcp("127.0.0.1", 0, erreur) && Demarrer();
    }
    sim::Variateur variateur;
    sim::ServeurBanc serveur;

private:
    bool Demarrer() {
        fil_ = std::thread([this] {
            std::string erreur;
            serveur.Servir(arret_, erreur);
        });
        return true;
    }
    std::atomic<bool> arret_{false};
    std::thread fil_;
};

}  // namespace orvane::essai
