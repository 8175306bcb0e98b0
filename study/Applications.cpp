#include "study/Applications.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <vector>

#include "study/Cp1252.h"
#include "study/Fichiers.h"

namespace orvane {

int NombreApplications(const TableApplications& t, int groupe) {
    if (groupe < 1 || groupe > NbGroupesApplications) return 0;
    return std::clamp<int32_t>(t.Groupes[groupe - 1].Nombre, 0, NbApplicationsMax);
}

Application ApplicationDe(const TableApplications& t, int groupe, int numero) {
    if (numero < 1 || numero > NombreApplications(t, groupe)) return {};
    const EntreeApplication& e = t.Groupes[groupe - 1].Applications[numero - 1];
    return {e.Genre, e.Titre.Lire(), e.Fichier.Lire()};
}

bool LireApplications(const std::string& chemin, TableApplications& t) {
    std::vector<uint8_t> octets;
    if (!LireFichier(chemin, TailleFichierApplications, octets)) return false;
    return ChargerApplications(octets.data(), octets.size(), t);
}

bool ChargerApplications(const uint8_t* octets, size_t n, TableApplications& t) {
    if (n < TailleFichierApplications) return false;
    std::memcpy(&t, octets, TailleFichierApplications);
    return true;
}

namespace {

std::string_view Rogner(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool CompilerApplications(std::string_view source, LangueSource langue, TableApplications& t,
                          std::string& erreur) {
    TableApplications r{};
    static const char* const cles[3] = {"fr", "en", "es"};
    const std::string_view cle = cles[static_cast<int>(langue)];
    int groupe = 0, ligne = 0;
    int titres = 7;  // the languages whose title the current entry has, one bit each
    EntreeApplication* courante = nullptr;
    const auto echec = [&](const std::string& pourquoi) {
        erreur = "line " + std::to_string(ligne) + ": " + pourquoi;
        return false;
    };
    size_t debut = 0;
    while (debut <= source.size()) {
        size_t fin = source.find('\n', debut);
        if (fin == std::string_view::npos) fin = source.size();
        const std::string_view l = Rogner(source.substr(debut, fin - debut));
        debut = fin + 1;
        ++ligne;
        if (l.empty() || l.front() == '#') continue;
        const size_t espace = l.find_first_of(" \t");
        const std::string_view mot = l.substr(0, espace);
        const std::string_view reste =
            espace == std::string_view::npos ? std::string_view{} : Rogner(l.substr(espace));
        if (mot == "groupe") {
            if (titres != 7) return echec("an application lacks its titles");
            const int g = std::atoi(std::string(reste).c_str());
            if (g < 1 || g > NbGroupesApplications) return echec("group out of 1..7");
            groupe = g;
            courante = nullptr;
        } else if (mot == "application") {
            if (titres != 7) return echec("an application lacks its titles");
            if (groupe == 0) return echec("application before any group");
            GroupeApplications& g = r.Groupes[groupe - 1];
            if (g.Nombre >= NbApplicationsMax) return echec("more than six applications");
            std::istringstream champs{std::string(reste)};
            int genre = 0;
            std::string fichier, deTrop;
            if (!(champs >> genre >> fichier) || (champs >> deTrop))
                return echec("expected: application KIND FILE");
            if (fichier.size() > decltype(EntreeApplication::Fichier)::Capacite)
                return echec("file name longer than 30 characters");
            courante = &g.Applications[g.Nombre++];
            courante->Genre = genre;
            courante->Fichier.Ecrire(VersCp1252(fichier));
            titres = 0;
        } else if (mot == "fr" || mot == "en" || mot == "es") {
            const int bit = mot == "fr" ? 1 : mot == "en" ? 2 : 4;
            if (!courante || (titres & bit))
                return echec("title repeated or without an application");
            titres |= bit;
            if (mot != cle) continue;
            const std::string titre = VersCp1252(reste);
            if (titre.size() > decltype(EntreeApplication::Titre)::Capacite)
                return echec("title longer than 60 characters");
            courante->Titre.Ecrire(titre);
        } else {
            return echec("unknown word '" + std::string(mot) + "'");
        }
    }
    if (titres != 7) return echec("an application lacks its titles");
    t = r;
    return true;
}

}  // namespace orvane
