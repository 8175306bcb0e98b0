#include "study/Fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

void Message(int numero) { Avertir(std::string(Textes.Texte(numero))); }

bool VueValide(const VueGraphe& v) {
    return v.GrandeurX >= 0 && v.GrandeurX < NbGrandeurs && v.GrandeurY >= 0 &&
           v.GrandeurY < NbGrandeurs;
}

bool EnteteEtudeValide(const EnteteEtude& e) {
    if (!e.Signature.Valide() || !e.Titre.Valide()) return false;
    if (e.NbCaract < 0 || e.NbCaract > NbCaractMax) return false;
    for (const auto& v : e.Vues)
        if (!VueValide(v)) return false;
    for (const auto& g : e.Grandeurs)
        if (!g.Nom.Valide() || !g.Symbole.Valide() || !g.Unite.Valide()) return false;
    return true;
}

bool EnteteCaractValide(const EnteteCaract& c) {
    return c[MotTypeMachine] >= 0 && c[MotTypeMachine] < NbTypesMachine && c[MotTypeCaract] >= 0 &&
           c[MotTypeCaract] < NbTypesCaract && c[MotDernierPoint] >= -1 &&
           c[MotDernierPoint] <= DernierPointMax && c.Commentaire.Valide();
}

bool EcrireTout(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

mode_t ModeNouveauFichier() {
    mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

ChangeurMode changeurMode;  // empty: fchmod

int ChangerMode(int fd, mode_t mode) {
    return changeurMode ? changeurMode(fd, mode) : ::fchmod(fd, mode);
}

// The file that a path designates once its symbolic links are followed, so
// that a save replaces the target and keeps the link. A link whose target
// does not exist yet designates that target. A loop of links fails.
bool SuivreLiens(const std::string& chemin, std::string& cible, std::error_code& ec) {
    namespace fs = std::filesystem;
    constexpr int LiensMax = 40;  // the system's own limit for one path
    fs::path p = chemin;
    for (int n = 0; n < LiensMax; ++n) {
        const fs::file_status etat = fs::symlink_status(p, ec);
        if (ec && ec != std::errc::no_such_file_or_directory) return false;
        ec.clear();
        if (!fs::is_symlink(etat)) {
            cible = p.string();
            return true;
        }
        const fs::path suivant = fs::read_symlink(p, ec);
        if (ec) return false;
        p = suivant.is_absolute() ? suivant : p.parent_path() / suivant;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return false;
}

// The pattern of the temporary file beside `cible` for mkstemp: the target's
// name and a random suffix, the name cut short when both would exceed the
// longest name a folder takes (so that any name that can be saved to can
// also be saved through a temporary file).
std::string ModeleTemporaire(const std::string& cible) {
    constexpr const char* Suffixe = ".XXXXXX";
    constexpr size_t LongueurSuffixe = 7;
    const size_t barre = cible.rfind('/');
    const size_t debut = barre == std::string::npos ? 0 : barre + 1;
    std::string nom = cible.substr(debut);
    if (nom.size() + LongueurSuffixe > NAME_MAX) nom.resize(NAME_MAX - LongueurSuffixe);
    return cible.substr(0, debut) + nom + Suffixe;
}

// Makes the rename in the folder of `chemin` durable. Done once the new file
// is in place: a refusal (some file systems cannot sync a folder) changes
// nothing to a save that has already succeeded.
void SynchroniserDossier(const std::string& chemin) {
    const std::string dossier = std::filesystem::path(chemin).parent_path().string();
    const int fd =
        ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ChangeurMode DefinirChangeurMode(ChangeurMode f) {
    return std::exchange(changeurMode, std::move(f));
}

bool EcrireFichierEntier(const std::string& chemin, const void* data, size_t taille,
                         std::string* raison) {
    auto echec = [&](int err) {
        if (raison) *raison = std::strerror(err);
        return false;
    };
    std::string cible;
    std::error_code ec;
    if (!SuivreLiens(chemin, cible, ec)) return echec(ec.value());
    struct stat ancien {};
    const bool existe = ::stat(cible.c_str(), &ancien) == 0;
    std::string temporaire = ModeleTemporaire(cible);
    int fd = ::mkstemp(temporaire.data());
    if (fd < 0) return echec(errno);
    // The new file takes the old one's group and mode where the system allows
    // it. A refusal (the old file belongs to someone else, a file system
    // without modes) leaves the temporary file's own and does not stop the
    // save: the data matter more.
    if (existe && ancien.st_gid != ::getegid() &&
        ::fchown(fd, static_cast<uid_t>(-1), ancien.st_gid) != 0) {
        // kept in the group of the one who saves
    }
    const mode_t mode = existe ? ancien.st_mode & 07777 : ModeNouveauFichier();
    if (ChangerMode(fd, mode) != 0 && (mode & 07000) != 0) ChangerMode(fd, mode & 0777);
    bool ok = EcrireTout(fd, static_cast<const uint8_t*>(data), taille) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(temporaire.c_str(), cible.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temporaire.c_str());
        return echec(err);
    }
    SynchroniserDossier(cible);
    return true;
}

bool LireFichier(const std::string& chemin, size_t maximum, std::vector<uint8_t>& octets) {
    octets.clear();
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return false;
    octets.resize(maximum);
    size_t n = std::fread(octets.data(), 1, maximum, f);
    bool ok = !std::ferror(f);
    std::fclose(f);
    octets.resize(n);
    return ok;
}

std::string CheminConfig() {
    if (RepertoireDepart.empty()) return NomFichierConfig;
    return RepertoireDepart + "/" + NomFichierConfig;
}

void CorrigerConfig(TConfigGenerale& c) {
    if (c.GammePuissance < 0 || c.GammePuissance > 3)
        c.GammePuissance = ConfigDefaut.GammePuissance;
    if (c.Couleurs > 7) c.Couleurs = ConfigDefaut.Couleurs;
    if (c.Langue < LangueFrancais || c.Langue > LangueEspagnol) c.Langue = ConfigDefaut.Langue;
    if (c.FrequenceReseau != 50 && c.FrequenceReseau != 60)
        c.FrequenceReseau = ConfigDefaut.FrequenceReseau;
    if (!c.PortSerie.Valide()) c.PortSerie = ConfigDefaut.PortSerie;
    for (int i = 0; i < 4; ++i)
        if (!c.Adresse[i].Valide()) c.Adresse[i] = ConfigDefaut.Adresse[i];
}

bool ChargerConfig(const std::string& chemin) {
    ConfigGenerale = ConfigDefaut;
    std::vector<uint8_t> octets;
    const bool lu = LireFichier(chemin, sizeof(TConfigGenerale), octets);
    if (lu) std::memcpy(&ConfigGenerale, octets.data(), octets.size());
    CorrigerConfig(ConfigGenerale);
    ChoixLangue(ConfigGenerale.Langue);
    return lu && octets.size() == sizeof(TConfigGenerale);
}

bool LireConfig() {
    const bool complet = ChargerConfig(CheminConfig());
    if (!complet) Message(TexteErreurLecture);
    return complet;
}

bool EcrireConfig() {
    if (EcrireFichierEntier(CheminConfig(), &ConfigGenerale, sizeof ConfigGenerale)) return true;
    Message(TexteErreurEcriture);
    return false;
}

std::vector<uint8_t> ImageEtude() {
    const int n = std::min(std::max(Etude.NbCaract, 0), NbCaractMax);
    size_t taille = sizeof Etude;
    for (int k = 1; k <= n; ++k)
        taille += sizeof(EnteteCaract) +
                  48u * static_cast<size_t>(
                            std::max(std::min(Caracts[k].Dernier(), DernierPointMax) + 1, 0));
    // Sized first and filled in place (GCC's -O3 takes appends to a vector
    // reserved this way for overflows).
    std::vector<uint8_t> o(taille);
    size_t place = 0;
    auto ajouter = [&o, &place](const void* p, size_t nb) {
        std::memcpy(o.data() + place, p, nb);
        place += nb;
    };
    ajouter(&Etude, sizeof Etude);
    for (int k = 1; k <= n; ++k) {
        const Caracteristique& c = Caracts[k];
        ajouter(&c.Entete, sizeof c.Entete);
        const int nb = std::min(c.Dernier(), DernierPointMax) + 1;
        if (nb <= 0) continue;
        for (int q = 0; q < NbGrandeurs; ++q) ajouter(&c.Point(q, 0), 4u * static_cast<size_t>(nb));
    }
    return o;
}

bool ChargerImageEtude(const uint8_t* data, size_t taille) {
    // Everything is checked before anything is copied: an invalid file never
    // leaves a half-read study behind.
    if (taille < sizeof(EnteteEtude)) return false;
    EnteteEtude entete;
    std::memcpy(&entete, data, sizeof entete);
    if (!EnteteEtudeValide(entete)) return false;
    struct Bloc {
        EnteteCaract entete;
        size_t valeurs;  // offset of the values in data
    } blocs[NbCaractMax];
    size_t pos = sizeof entete;
    for (int k = 0; k < entete.NbCaract; ++k) {
        if (taille - pos < sizeof(EnteteCaract)) return false;
        std::memcpy(&blocs[k].entete, data + pos, sizeof(EnteteCaract));
        pos += sizeof(EnteteCaract);
        if (!EnteteCaractValide(blocs[k].entete)) return false;
        const size_t nb = static_cast<size_t>(blocs[k].entete[MotDernierPoint] + 1);
        if (taille - pos < 4u * NbGrandeurs * nb) return false;
        blocs[k].valeurs = pos;
        pos += 4u * NbGrandeurs * nb;
    }
    InitEtude();
    Etude = entete;
    for (int k = 1; k <= entete.NbCaract; ++k) {
        Caracteristique& c = Caracts[k];
        c.Entete = blocs[k - 1].entete;
        const size_t nb = static_cast<size_t>(c.Dernier() + 1);
        for (int q = 0; q < NbGrandeurs; ++q)
            if (nb) std::memcpy(&c.Point(q, 0), data + blocs[k - 1].valeurs + 4u * nb * q, 4u * nb);
    }
    return true;
}

bool EnregistrerEtude(const std::string& nom) {
    const std::string ancienNom = NomFichierEtude;
    NomFichierEtude = nom;
    const std::vector<uint8_t> image = ImageEtude();
    if (EcrireFichierEntier(nom, image.data(), image.size())) {
        EtudeEnregistree = 1;
        return true;
    }
    NomFichierEtude = ancienNom;
    Message(TexteErreurEcriture);
    return false;
}

bool OuvrirEtude(const std::string& nom) {
    InitEtude();
    std::vector<uint8_t> octets;
    if (LireFichier(nom, TailleMaxEtude, octets) &&
        ChargerImageEtude(octets.data(), octets.size())) {
        NomFichierEtude = nom;
        EtudeEnregistree = 1;
        return true;
    }
    Message(TexteErreurLecture);
    InitEtude();
    return false;
}

}  // namespace orvane
