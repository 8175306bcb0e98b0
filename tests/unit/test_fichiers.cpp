// Work files and the configuration file: byte images, refusals, links, modes
// and saves that fail.
#include <gtest/gtest.h>
#include <limits.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <memory>

#include "OutilsEssai.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;
using namespace orvane::essai;
namespace fs = std::filesystem;

namespace {

// As root, mounts of this process's own, unseen by the rest of the machine.
bool MontagesPrives() {
    static const bool prive = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                              ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return prive;
}

// Makes a folder refuse writes while it lives: by its mode, or as root by a
// read-only bind mount in a mount namespace of this process's own.
struct LectureSeule {
    explicit LectureSeule(const fs::path& d) : dossier(d) {
        monte = MontagesPrives() && ::mount(d.c_str(), d.c_str(), nullptr, MS_BIND, nullptr) == 0;
        ok = ::geteuid() != 0 ? ::chmod(d.c_str(), 0555) == 0
                              : monte && ::mount(nullptr, d.c_str(), nullptr,
                                                 MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~LectureSeule() {
        monte ? ::umount2(dossier.c_str(), MNT_DETACH) : ::chmod(dossier.c_str(), 0755);
    }
    fs::path dossier;
    bool ok = false, monte = false;
};

// A full disk while it lives (root only): the folder becomes a tmpfs of two
// pages holding the file alone, which takes one.
struct DisquePlein {
    DisquePlein(const fs::path& d, const fs::path& fichier) : dossier(d) {
        const std::string octets = Contenu(fichier.string());
        ok = MontagesPrives() && ::mount("tmpfs", d.c_str(), "tmpfs", 0, "size=8k") == 0;
        if (ok) std::ofstream(fichier, std::ios::binary) << octets;
        ok = ok && Contenu(fichier.string()) == octets;
    }
    ~DisquePlein() { ::umount2(dossier.c_str(), MNT_DETACH); }
    fs::path dossier;
    bool ok = false;
};

// A file size limit while it lives: writes stop half-way.
struct LimiteTaille {
    explicit LimiteTaille(rlim_t octets) {
        ::getrlimit(RLIMIT_FSIZE, &avant);
        ok = ::setrlimit(RLIMIT_FSIZE, std::array{rlimit{octets, avant.rlim_max}}.data()) == 0;
    }
    ~LimiteTaille() { ::setrlimit(RLIMIT_FSIZE, &avant), std::signal(SIGXFSZ, signal); }
    void (*signal)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit avant{};
    bool ok = false;
};

std::vector<std::string> Entrees(const fs::path& d) {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(d)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

class Fichiers_ : public ::testing::Test {
protected:
    void SetUp() override {
        RepertoireDepart = dossier.racine.string(), ChoixLangue(LangueFrancais), InitEtude();
    }
    void TearDown() override { RepertoireDepart.clear(), ChoixLangue(LangueFrancais); }
    static void Ecrire(const std::string& chemin, const void* o, size_t n) {
        std::ofstream(chemin, std::ios::binary).write(static_cast<const char*>(o), long(n));
    }
    static void AjouterCaract(int points, int machine = 3) {
        ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < points; ++p) {
            for (int q = 1; q < NbGrandeurs; ++q) ValeursCourantes[q] = 1000 * q + p;
            AjouterPoint();
        }
    }
    DossierTemporaire dossier;
    RapportEnregistre rapport;
    std::vector<std::string>& messages = rapport.messages;
};

// The study header, then per characteristic its header and, quantity by
// quantity, the values of its points.
size_t Taille(std::initializer_list<int> points) {
    size_t t = 1640;
    for (int p : points) t += 212 + 48u * static_cast<size_t>(p);
    return t;
}

TEST_F(Fichiers_, ConfigurationBytesShortAndOutOfRangeFiles) {
    ConfigGenerale = ConfigDefaut;
    ASSERT_TRUE(::orvane::EcrireConfig());
    const Octets octets =
        Hex("02 00 00 00 00 01 00 00 02 00 00 00 04 43 4F 4D 32 00 00 00 00 00 00"
            " 03 31 39 32 00 00 00 00 00 00 00 03 31 36 38 00 00 00 00 00 00 00"
            " 01 31 00 00 00 00 00 00 00 00 00 03 31 30 30 00 00 00 00 00 00 00"
            " 00 01 00 00 00 32 00 00 00");
    EXPECT_EQ(Contenu(dossier / NomFichierConfig), std::string(octets.begin(), octets.end()));
    // Spanish from a file cut in the mains frequency: the read error is
    // already in Spanish and the frequency keeps the bytes read.
    TConfigGenerale c = ConfigDefaut;
    c.Langue = LangueEspagnol, c.FrequenceReseau = 60;
    const std::string config = dossier / NomFichierConfig;
    Ecrire(config, &c, 73), messages.clear();
    EXPECT_FALSE(LireConfig());
    EXPECT_EQ(messages, std::vector<std::string>{"Error  de lectura del fichero"});
    EXPECT_EQ(ConfigGenerale.FrequenceReseau, 60);
    // Out-of-range fields fall back; any link type and the reserved bytes are kept.
    TConfigGenerale attendu = ConfigDefaut;
    attendu.TypeLiaison = 9, attendu.Reserve[1] = 0x5A;
    c = attendu;
    c.GammePuissance = 7, c.Langue = 4, c.FrequenceReseau = 55, c.Adresse[2].Longueur = 200;
    Ecrire(config, &c, 76);
    EXPECT_TRUE(LireConfig());
    EXPECT_EQ(std::memcmp(&ConfigGenerale, &attendu, sizeof attendu), 0);
    EXPECT_EQ(Textes.MotEssai, "Essai");
}

TEST_F(Fichiers_, RoundTripIsByteIdenticalSizesFollowThePointsACutFileIsRefused) {
    const std::string a = dossier / "a.OVX2", b = dossier / "b.OVX2";
    ASSERT_TRUE(EnregistrerEtude(a));
    EXPECT_EQ(fs::file_size(a), Taille({}));
    Etude.Titre.Ecrire("Essai de la MAS 1,5 kW \xE9t\xE9");
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 15, {0, 0}, GCouple, 18, {0, 0}, 2};
    AjouterCaract(2001, 3), AjouterCaract(17, 4);
    Caracts[2].Entete.Commentaire.Ecrire("sous 220 V"), AjouterCaract(0, 1);
    ASSERT_TRUE(EnregistrerEtude(a));
    EXPECT_EQ(EtudeEnregistree, 1);
    const std::string octets = Contenu(a);
    ASSERT_EQ(octets.size(), Taille({2001, 17, 0}));
    // The empty last characteristic's header closes the file (last point
    // -1); the speeds of the first follow its numbers.
    int32_t mots[2];
    std::memcpy(&mots[0], octets.data() + octets.size() - 212 + 8, 4);
    std::memcpy(&mots[1], octets.data() + Taille({}) + 212 + 4 * 2001 + 4, 4);
    EXPECT_EQ(std::pair(mots[0], mots[1]), std::pair(-1, 1001));
    ASSERT_TRUE(OuvrirEtude(a));
    EXPECT_TRUE(Caracts[1].Dernier() == 2000 &&
                Caracts[2].Entete.Commentaire.Lire() == "sous 220 V");
    ASSERT_TRUE(EnregistrerEtude(b));
    EXPECT_EQ(Contenu(b), octets);
    // The longest name the system takes saves too: the temporary file beside
    // it must not need a longer one.
    const std::string long_ = dossier / (std::string(NAME_MAX - 5, 'n') + ".OVX2");
    ASSERT_TRUE(EnregistrerEtude(long_) && EnregistrerEtude(long_));
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.racine), {}), 3);
    EXPECT_TRUE(messages.empty());
    // A file cut short is refused with one message and leaves an empty study.
    Ecrire(b, octets.data(), Taille({2001, 17}));
    NomFichierEtude = "avant.OVX2";
    EXPECT_FALSE(OuvrirEtude(b));
    EXPECT_EQ(messages, std::vector<std::string>{"Erreur de lecture du fichier"});
    EXPECT_TRUE(Etude.NbCaract == 0 && Caracts[1].Dernier() == -1 && NomFichierEtude.empty() &&
                EtudeEnregistree == 1);
}

// A work file reached through a symbolic link is saved into the link's
// target: the link stays, the target keeps its mode (even when giving it
// is refused), and nothing is left beside either of them.
TEST_F(Fichiers_, SavingThroughALinkUpdatesItsTargetAndKeepsTheMode) {
    fs::create_directories(dossier / "partage");
    const std::string cible = dossier / "partage/vrai.OVX2", lien = dossier / "lien.OVX2";
    AjouterCaract(1);
    ASSERT_TRUE(EnregistrerEtude(cible));
    fs::create_symlink("partage/vrai.OVX2", lien);  // relative to the link's folder
    ASSERT_EQ(::chmod(cible.c_str(), 0640), 0);
    AjouterCaract(2);
    ASSERT_TRUE(EnregistrerEtude(lien));
    EXPECT_EQ(fs::read_symlink(lien), "partage/vrai.OVX2");
    EXPECT_EQ(std::pair(fs::file_size(cible), fs::status(cible).permissions()),
              std::pair(Taille({1, 2}), fs::perms{0640}));
    EXPECT_EQ(NomFichierEtude, lien);
    EXPECT_EQ(Entrees(dossier / "partage"), std::vector<std::string>{"vrai.OVX2"});
    // In a shared folder giving the new file its mode may be refused: the
    // save goes on with the mode it has.
    int appels = 0;
    {
        const ChangeurModeRemplace refus(
            [&](int, unsigned) { return ++appels, errno = EPERM, -1; });
        AjouterCaract(3);
        EXPECT_TRUE(EnregistrerEtude(cible));
        EXPECT_TRUE(::orvane::EcrireConfig());
    }
    EXPECT_TRUE(appels >= 2 && fs::file_size(cible) == Taille({1, 2, 3}) && messages.empty());
}

// Saving where the system stands in the way: each failure keeps the old file,
// says so once, leaves nothing beside the target and the study unsaved.
TEST_F(Fichiers_, AFailedSaveKeepsTheOldFileAndTheUnsavedStudy) {
    const fs::path d = dossier.racine / "d", autre = dossier.racine / "autre";
    const std::string ancien = (d / "ancien.OVX2").string(), lien = (d / "lien.OVX2").string();
    std::shared_ptr<void> obstacle;
    const auto pose = [&](auto* o) { return obstacle.reset(o), o->ok; };
    const struct {
        const char* nom;
        std::string cible;            // the name saved under
        std::function<bool()> poser;  // false: not possible here
    } cas[] = {
        {"read-only folder", ancien, [&] { return pose(new LectureSeule(d)); }},
        {"write cut half-way", ancien, [&] { return pose(new LimiteTaille(2048)); }},
        {"full disk", ancien, [&] { return pose(new DisquePlein(d, ancien)); }},
        {"link into a read-only folder", lien,
         [&] {
             fs::copy_file(ancien, autre / "vrai.OVX2");
             fs::create_symlink("../autre/vrai.OVX2", lien);
             return pose(new LectureSeule(autre));
         }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        for (const fs::path& x : {d, autre}) fs::remove_all(x), fs::create_directories(x);
        InitEtude(), AjouterCaract(3);
        ASSERT_TRUE(EnregistrerEtude(ancien));
        const std::string octets = Contenu(ancien);
        AjouterCaract(40), messages.clear();
        if (!c.poser()) continue;  // neither a mode nor a mount refuses here
        EXPECT_FALSE(EnregistrerEtude(c.cible));
        EXPECT_EQ(messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
        EXPECT_TRUE(EtudeEnregistree == 0 && NomFichierEtude == ancien);
        EXPECT_EQ(Entrees(d),
                  (fs::is_symlink(lien) ? std::vector<std::string>{"ancien.OVX2", "lien.OVX2"}
                                        : std::vector<std::string>{"ancien.OVX2"}));
        EXPECT_EQ(Contenu(ancien), octets);
        obstacle.reset();
        if (!fs::exists(autre / "vrai.OVX2")) continue;
        EXPECT_EQ(std::pair(Contenu((autre / "vrai.OVX2").string()), Entrees(autre)),
                  std::pair(octets, std::vector<std::string>{"vrai.OVX2"}));
    }

    // The configuration file, written at the end of a run, keeps its bytes too.
    ConfigGenerale = ConfigDefaut;
    ASSERT_TRUE(::orvane::EcrireConfig());
    const std::string config = Contenu(CheminConfig());
    ConfigGenerale.FrequenceReseau = 60, messages.clear();
    EXPECT_FALSE((LimiteTaille(40), ::orvane::EcrireConfig()));
    EXPECT_EQ(Contenu(CheminConfig()), config);
    EXPECT_EQ(messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
}

}  // namespace
