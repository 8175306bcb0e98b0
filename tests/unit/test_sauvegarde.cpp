// Saving a study where the system stands in the way: a read-only folder, a
// full disk, names and paths too long, a folder put in the file's place, a
// link into a folder that refuses the write. Every failure keeps the old file
// as it was, says "Erreur d'ecriture du fichier" once, leaves nothing beside
// the target, and leaves the study unsaved under its former name.
//
// As root a folder's mode does not stop a write: the folder is then made
// read-only by a read-only bind mount, and a full disk is a small tmpfs, both
// in a mount namespace of this process's own (they vanish with it). Where
// neither a mode nor a mount can refuse, the case is skipped.
#include <gtest/gtest.h>
#include <limits.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "OutilsEssai.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;
using namespace orvane::essai;
namespace fs = std::filesystem;

namespace {

// A mount namespace of this process's own, where mounts stay private.
bool EspacePrive() {
    static const bool ok = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}

// Makes a folder refuse writes while it lives: by its mode, or as root by a
// read-only bind mount over it.
class LectureSeule {
public:
    explicit LectureSeule(const fs::path& d) : dossier_(d) {
        if (::geteuid() != 0) {
            ok_ = ::chmod(d.c_str(), 0555) == 0;
        } else {
            monte_ = EspacePrive() && ::mount(d.c_str(), d.c_str(), nullptr, MS_BIND, nullptr) == 0;
            ok_ = monte_ && ::mount(nullptr, d.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                                    nullptr) == 0;
        }
    }
    ~LectureSeule() {
        if (monte_)
            ::umount2(dossier_.c_str(), MNT_DETACH);
        else
            ::chmod(dossier_.c_str(), 0755);
    }
    LectureSeule(const LectureSeule&) = delete;
    LectureSeule& operator=(const LectureSeule&) = delete;
    bool Ok() const { return ok_; }

private:
    fs::path dossier_;
    bool ok_ = false;
    bool monte_ = false;
};

// A tmpfs of `ko` kilobytes mounted on a folder while it lives.
class PetitDisque {
public:
    PetitDisque(const fs::path& d, int ko) : dossier_(d) {
        const std::string options = "size=" + std::to_string(ko) + "k";
        ok_ = EspacePrive() && ::mount("tmpfs", d.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~PetitDisque() {
        if (ok_) ::umount2(dossier_.c_str(), MNT_DETACH);
    }
    PetitDisque(const PetitDisque&) = delete;
    PetitDisque& operator=(const PetitDisque&) = delete;
    bool Ok() const { return ok_; }

private:
    fs::path dossier_;
    bool ok_ = false;
};

class Sauvegarde_ : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
        fs::create_directories(dossier / "d");
    }

    static void AjouterCaract(int points) {
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < points; ++p) {
            for (int q = 1; q < NbGrandeurs; ++q) ValeursCourantes[q] = 1000 * q + p;
            AjouterPoint();
        }
    }
    // The folder's entries, names only.
    static std::vector<std::string> Entrees(const fs::path& d) {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(d)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }

    DossierTemporaire dossier;
    RapportEnregistre rapport;
};

}  // namespace

// Each obstacle: the save fails as a whole and leaves everything as it was.
TEST_F(Sauvegarde_, AFailedSaveKeepsTheOldFileAndTheUnsavedStudy) {
    const fs::path d = dossier.racine / "d";
    const std::string ancien = (d / "ancien.OVX2").string();
    const std::string trop(NAME_MAX + 1, 'n');
    std::string profond = d.string();
    while (profond.size() <= PATH_MAX) profond += "/" + std::string(200, 'p');

    struct Obstacle {
        const char* nom;
        std::string cible;                 // the name saved under
        std::function<bool()> poser;       // false: not possible here
        std::vector<std::string> entrees;  // of d afterwards
    };
    std::unique_ptr<LectureSeule> ro;
    const std::vector<Obstacle> obstacles = {
        {"read-only folder",
         ancien,
         [&] { return (ro = std::make_unique<LectureSeule>(d))->Ok(); },
         {"ancien.OVX2"}},
        {"new file in a read-only folder",
         (d / "nouveau.OVX2").string(),
         [&] { return (ro = std::make_unique<LectureSeule>(d))->Ok(); },
         {"ancien.OVX2"}},
        {"name too long", (d / (trop + ".OVX2")).string(), [] { return true; }, {"ancien.OVX2"}},
        {"path too long", profond + "/x.OVX2", [] { return true; }, {"ancien.OVX2"}},
        {"folder in the file's place",
         ancien,
         [&] {
             fs::remove(ancien);
             fs::create_directories(d / "ancien.OVX2" / "dedans");
             return true;
         },
         {"ancien.OVX2"}},
        {"link into a read-only folder",
         (d / "lien.OVX2").string(),
         [&] {
             fs::copy_file(ancien, dossier.racine / "autre" / "vrai.OVX2",
                           fs::copy_options::overwrite_existing);
             fs::create_symlink("../autre/vrai.OVX2", d / "lien.OVX2");
             return (ro = std::make_unique<LectureSeule>(dossier.racine / "autre"))->Ok();
         },
         {"ancien.OVX2", "lien.OVX2"}},
        {"link into a missing folder",
         (d / "lien.OVX2").string(),
         [&] {
             fs::create_symlink("../absent/vrai.OVX2", d / "lien.OVX2");
             return true;
         },
         {"ancien.OVX2", "lien.OVX2"}},
    };
    for (const Obstacle& o : obstacles) {
        SCOPED_TRACE(o.nom);
        fs::remove_all(d);
        fs::remove_all(dossier.racine / "autre");
        fs::create_directories(d);
        fs::create_directories(dossier.racine / "autre");
        InitEtude();
        AjouterCaract(3);
        ASSERT_TRUE(EnregistrerEtude(ancien));
        const std::string octets = Contenu(ancien);
        AjouterCaract(40);
        ASSERT_EQ(EtudeEnregistree, 0);
        rapport.messages.clear();
        if (!o.poser()) {
            ro.reset();
            std::cout << "[  SKIPPED ] " << o.nom << ": the folder cannot be made read-only here\n";
            continue;
        }
        EXPECT_FALSE(EnregistrerEtude(o.cible));
        EXPECT_EQ(rapport.messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
        EXPECT_EQ(EtudeEnregistree, 0);
        EXPECT_EQ(NomFichierEtude, ancien);
        ro.reset();
        EXPECT_EQ(Entrees(d), o.entrees);
        if (fs::is_regular_file(ancien)) {
            EXPECT_EQ(Contenu(ancien), octets);
        } else {
            EXPECT_EQ(Entrees(ancien), std::vector<std::string>{"dedans"});
        }
        if (fs::exists(dossier.racine / "autre" / "vrai.OVX2")) {
            EXPECT_EQ(Contenu((dossier.racine / "autre" / "vrai.OVX2").string()), octets);
            EXPECT_EQ(Entrees(dossier.racine / "autre"), std::vector<std::string>{"vrai.OVX2"});
        }
    }
}

// A full disk: the write stops half-way and the old file stays whole; the
// configuration file, written at the end of a run, keeps its old bytes too.
TEST_F(Sauvegarde_, AFullDiskKeepsTheOldFiles) {
    const fs::path d = dossier.racine / "d";
    const PetitDisque disque(d, 64);
    if (!disque.Ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string ancien = (d / "ancien.OVX2").string();
    AjouterCaract(3);
    ASSERT_TRUE(EnregistrerEtude(ancien));
    const std::string octets = Contenu(ancien);
    AjouterCaract(2000);  // 96 kB: more than the disk holds
    EXPECT_FALSE(EnregistrerEtude(ancien));
    EXPECT_EQ(Contenu(ancien), octets);
    EXPECT_EQ(EtudeEnregistree, 0);
    EXPECT_EQ(Entrees(d), std::vector<std::string>{"ancien.OVX2"});

    RepertoireDepart = d.string();
    ConfigGenerale = ConfigDefaut;
    ASSERT_TRUE(::orvane::EcrireConfig());
    const std::string config = Contenu(CheminConfig());
    {
        std::ofstream remplissage(d / "remplissage", std::ios::binary);
        const std::string bloc(4096, 'x');
        for (int i = 0; i < 64 && remplissage.write(bloc.data(), 4096); ++i) {
        }
    }
    ConfigGenerale.FrequenceReseau = 60;
    EXPECT_FALSE(::orvane::EcrireConfig());
    RepertoireDepart.clear();
    EXPECT_EQ(Contenu((d / NomFichierConfig).string()), config);
    EXPECT_EQ(rapport.messages, std::vector<std::string>(2, "Erreur d'ecriture du fichier"));
}

// The longest name the system takes is a name like any other: the save's
// temporary file beside it must not need a longer one.
TEST_F(Sauvegarde_, TheLongestNameSaves) {
    const std::string nom =
        (dossier.racine / "d" / (std::string(NAME_MAX - 5, 'n') + ".OVX2")).string();
    AjouterCaract(3);
    ASSERT_TRUE(EnregistrerEtude(nom));
    AjouterCaract(4);
    ASSERT_TRUE(EnregistrerEtude(nom));
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_TRUE(rapport.messages.empty());
    EXPECT_EQ(Entrees(dossier.racine / "d").size(), 1u);
    ASSERT_TRUE(OuvrirEtude(nom));
    EXPECT_EQ(Etude.NbCaract, 2);
    EXPECT_EQ(Caracts[2].Dernier(), 3);
}
