// Saving where the system stands in the way. Every failure keeps the old file,
// says "Erreur d'ecriture du fichier" once, leaves nothing beside the target
// and leaves the study unsaved under its former name.
#include <gtest/gtest.h>
#include <limits.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
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

// Makes a folder refuse writes while it lives: by its mode, or as root by a
// read-only bind mount in a mount namespace of this process's own.
struct LectureSeule {
    explicit LectureSeule(const fs::path& d) : dossier(d) {
        if (::geteuid() != 0) {
            ok = ::chmod(d.c_str(), 0555) == 0;
            return;
        }
        static const bool prive = ::unshare(CLONE_NEWNS) == 0 &&
                                  ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        monte = prive && ::mount(d.c_str(), d.c_str(), nullptr, MS_BIND, nullptr) == 0;
        ok = monte &&
             ::mount(nullptr, d.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~LectureSeule() {
        monte ? ::umount2(dossier.c_str(), MNT_DETACH) : ::chmod(dossier.c_str(), 0755);
    }
    fs::path dossier;
    bool ok = false, monte = false;
};

// A file size limit while it lives: writes stop half-way.
struct LimiteTaille {
    explicit LimiteTaille(rlim_t octets) : signal(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &avant);
        rlimit petit = avant;
        petit.rlim_cur = octets;
        ok = ::setrlimit(RLIMIT_FSIZE, &petit) == 0;
    }
    ~LimiteTaille() {
        ::setrlimit(RLIMIT_FSIZE, &avant);
        std::signal(SIGXFSZ, signal);
    }
    rlimit avant{};
    void (*signal)(int);
    bool ok = false;
};

std::vector<std::string> Entrees(const fs::path& d) {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(d)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

void AjouterCaract(int points) {
    ReglagesCourants[MotTypeMachine] = MasTriphasee;
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    for (int p = 0; p < points; ++p) {
        for (int q = 1; q < NbGrandeurs; ++q) ValeursCourantes[q] = 1000 * q + p;
        AjouterPoint();
    }
}

}  // namespace

TEST(Sauvegarde, AFailedSaveKeepsTheOldFileAndTheUnsavedStudy) {
    ChoixLangue(LangueFrancais);
    const DossierTemporaire dossier;
    RapportEnregistre rapport;
    const fs::path d = dossier.racine / "d", autre = dossier.racine / "autre";
    const std::string ancien = (d / "ancien.OVX2").string(), lien = (d / "lien.OVX2").string();
    std::string profond = d.string();
    while (profond.size() <= PATH_MAX) profond += "/" + std::string(200, 'p');
    std::shared_ptr<void> obstacle;
    const auto lecture = [&](const fs::path& p) {
        auto l = std::make_shared<LectureSeule>(p);
        obstacle = l;
        return l->ok;
    };
    const auto vers = [&](const char* cible) {
        fs::copy_file(ancien, autre / "vrai.OVX2");
        fs::create_symlink(cible, lien);
        return true;
    };
    const struct {
        const char* nom;
        std::string cible;            // the name saved under
        std::function<bool()> poser;  // false: not possible here
    } cas[] = {
        {"read-only folder", ancien, [&] { return lecture(d); }},
        {"new file in a read-only folder", (d / "nouveau.OVX2").string(),
         [&] { return lecture(d); }},
        {"write cut half-way", ancien,
         [&] {
             auto l = std::make_shared<LimiteTaille>(2048);
             obstacle = l;
             return l->ok;
         }},
        {"name too long", (d / (std::string(NAME_MAX + 1, 'n') + ".OVX2")).string(),
         [] { return true; }},
        {"path too long", profond + "/x.OVX2", [] { return true; }},
        {"folder in the file's place", ancien,
         [&] {
             fs::remove(ancien);
             fs::create_directories(d / "ancien.OVX2" / "dedans");
             return true;
         }},
        {"link into a read-only folder", lien,
         [&] { return vers("../autre/vrai.OVX2") && lecture(autre); }},
        {"link into a missing folder", lien, [&] { return vers("../absent/vrai.OVX2"); }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        fs::remove_all(d);
        fs::remove_all(autre);
        fs::create_directories(d);
        fs::create_directories(autre);
        InitEtude();
        AjouterCaract(3);
        ASSERT_TRUE(EnregistrerEtude(ancien));
        const std::string octets = Contenu(ancien);
        AjouterCaract(40);
        rapport.messages.clear();
        if (!c.poser()) {
            obstacle.reset();
            std::cout << "[  SKIPPED ] " << c.nom << ": the folder cannot be made read-only here\n";
            continue;
        }
        const bool ok = EnregistrerEtude(c.cible);
        obstacle.reset();
        EXPECT_FALSE(ok);
        EXPECT_EQ(rapport.messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
        EXPECT_EQ(EtudeEnregistree, 0);
        EXPECT_EQ(NomFichierEtude, ancien);
        std::vector<std::string> entrees{"ancien.OVX2"};
        if (fs::is_symlink(lien)) entrees.push_back("lien.OVX2");
        EXPECT_EQ(Entrees(d), entrees);
        if (fs::is_regular_file(ancien))
            EXPECT_EQ(Contenu(ancien), octets);
        else
            EXPECT_EQ(Entrees(ancien), std::vector<std::string>{"dedans"});
        if (fs::exists(autre / "vrai.OVX2")) {
            EXPECT_EQ(Contenu((autre / "vrai.OVX2").string()), octets);
            EXPECT_EQ(Entrees(autre), std::vector<std::string>{"vrai.OVX2"});
        }
    }

    // The configuration file, written at the end of a run, keeps its bytes too.
    RepertoireDepart = d.string();
    ConfigGenerale = ConfigDefaut;
    ASSERT_TRUE(::orvane::EcrireConfig());
    const std::string config = Contenu(CheminConfig());
    ConfigGenerale.FrequenceReseau = 60;
    rapport.messages.clear();
    {
        const LimiteTaille limite(40);
        EXPECT_FALSE(::orvane::EcrireConfig());
    }
    RepertoireDepart.clear();
    EXPECT_EQ(Contenu((d / NomFichierConfig).string()), config);
    EXPECT_EQ(rapport.messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
    EXPECT_EQ(Entrees(d).size(), 3u);  // the old file, the link and the configuration
}
