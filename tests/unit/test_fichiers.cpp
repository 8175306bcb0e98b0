// Work files and the configuration file: byte images, refusals, failures.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;
namespace fs = std::filesystem;

namespace {

class Fichiers_ : public ::testing::Test, public Rapport {
protected:
    void SetUp() override {
        precedent_ = DefinirRapport(this);
        dossier_ = fs::temp_directory_path() /
                   ("orvane-fichiers-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dossier_);
        fs::create_directories(dossier_);
        RepertoireDepart = dossier_.string();
        ChoixLangue(LangueFrancais);
        InitEtude();
    }
    void TearDown() override {
        DefinirRapport(precedent_);
        RepertoireDepart.clear();
        ChoixLangue(LangueFrancais);
        fs::remove_all(dossier_);
    }
    void Avertissement(const std::string& texte) override { messages.push_back(texte); }

    std::string Chemin(const char* nom) const { return (dossier_ / nom).string(); }

    static std::vector<uint8_t> Lire(const std::string& chemin) {
        std::ifstream f(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    static void Ecrire(const std::string& chemin, const std::vector<uint8_t>& o) {
        std::ofstream f(chemin, std::ios::binary);
        f.write(reinterpret_cast<const char*>(o.data()), static_cast<std::streamsize>(o.size()));
    }
    static void AjouterCaract(int points, int machine = 3) {
        ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < points; ++p) {
            for (int q = 1; q < NbGrandeurs; ++q) ValeursCourantes[q] = 1000 * q + p;
            AjouterPoint();
        }
    }

    std::vector<std::string> messages;
    fs::path dossier_;
    Rapport* precedent_ = nullptr;
};

TEST_F(Fichiers_, DefaultConfigurationBytes) {
    ConfigGenerale = ConfigDefaut;
    ASSERT_TRUE(EcrireConfig());
    const std::vector<uint8_t> attendu = {
        0x02, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x04,
        0x43, 0x4F, 0x4D, 0x32, 0,    0,    0,    0,    0,    0,    0x03, 0x31, 0x39,
        0x32, 0,    0,    0,    0,    0,    0,    0,    0x03, 0x31, 0x36, 0x38, 0,
        0,    0,    0,    0,    0,    0,    0x01, 0x31, 0,    0,    0,    0,    0,
        0,    0,    0,    0,    0x03, 0x31, 0x30, 0x30, 0,    0,    0,    0,    0,
        0,    0,    0x00, 0x01, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00};
    ASSERT_EQ(attendu.size(), 76u);
    EXPECT_EQ(Lire(Chemin(NomFichierConfig)), attendu);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Fichiers_, MissingConfigurationGivesDefaultsAndOneMessage) {
    ConfigGenerale.GammePuissance = 0;
    EXPECT_FALSE(LireConfig());
    EXPECT_EQ(std::memcmp(&ConfigGenerale, &ConfigDefaut, sizeof ConfigDefaut), 0);
    EXPECT_EQ(ConfigGenerale.TypeLiaison, LiaisonAucune);
    EXPECT_EQ(ConfigGenerale.PortSerie.Lire(), "COM2");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Erreur de lecture du fichier");
}

TEST_F(Fichiers_, ShortConfigurationKeepsWhatWasRead) {
    // Power range 1, colours 5, link type 1, then the file ends.
    Ecrire(Chemin(NomFichierConfig), {1, 0, 0, 0, 5, 1, 0, 0, 1, 0, 0, 0, 3, 'p'});
    EXPECT_FALSE(LireConfig());
    EXPECT_EQ(ConfigGenerale.GammePuissance, 1);
    EXPECT_EQ(ConfigGenerale.Couleurs, 5);
    EXPECT_EQ(ConfigGenerale.TypeLiaison, LiaisonSerie);
    EXPECT_EQ(ConfigGenerale.PortSerie.Longueur, 3);  // read bytes over the defaults
    EXPECT_EQ(ConfigGenerale.PortSerie.Lire(), "pOM");
    EXPECT_EQ(ConfigGenerale.FrequenceReseau, 50);
    ASSERT_EQ(messages.size(), 1u);
}

TEST_F(Fichiers_, SpanishConfigurationStartsInSpanishEvenWhenShort) {
    TConfigGenerale c = ConfigDefaut;
    c.Langue = LangueEspagnol;
    c.FrequenceReseau = 60;
    std::vector<uint8_t> o(reinterpret_cast<uint8_t*>(&c), reinterpret_cast<uint8_t*>(&c) + 76);
    Ecrire(Chemin(NomFichierConfig), o);
    EXPECT_TRUE(LireConfig());
    EXPECT_EQ(Textes.MotEssai, "prueba");
    EXPECT_EQ(ConfigGenerale.FrequenceReseau, 60);
    EXPECT_TRUE(messages.empty());

    // Cut in the mains frequency: the language was read, so the read error
    // is already in Spanish, and the frequency keeps the bytes read.
    o.resize(73);
    Ecrire(Chemin(NomFichierConfig), o);
    EXPECT_FALSE(LireConfig());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error  de lectura del fichero");
    EXPECT_EQ(ConfigGenerale.FrequenceReseau, 60);
}

TEST_F(Fichiers_, ConfigurationFieldsOutOfRangeFallBack) {
    TConfigGenerale c = ConfigDefaut;
    c.GammePuissance = 7;
    c.Couleurs = 8;
    c.Langue = 4;
    c.FrequenceReseau = 55;
    c.TypeLiaison = 9;  // any link type is kept: others mean no link
    c.PortSerie.Longueur = 11;
    c.Adresse[2].Longueur = 200;
    c.Reserve[1] = 0x5A;  // reserved bytes are carried unchanged
    Ecrire(Chemin(NomFichierConfig), std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&c),
                                                          reinterpret_cast<uint8_t*>(&c) + 76));
    EXPECT_TRUE(LireConfig());
    EXPECT_EQ(ConfigGenerale.GammePuissance, 2);
    EXPECT_EQ(ConfigGenerale.Couleurs, 0);
    EXPECT_EQ(ConfigGenerale.Langue, 1);
    EXPECT_EQ(ConfigGenerale.FrequenceReseau, 50);
    EXPECT_EQ(ConfigGenerale.TypeLiaison, 9);
    EXPECT_EQ(ConfigGenerale.PortSerie.Lire(), "COM2");
    EXPECT_EQ(ConfigGenerale.Adresse[2].Lire(), "1");
    EXPECT_EQ(ConfigGenerale.Reserve[1], 0x5A);
    EXPECT_EQ(Textes.MotEssai, "Essai");
}

TEST_F(Fichiers_, WorkFileSizesFollowThePoints) {
    const std::string f = Chemin("etude.OVX2");
    ASSERT_TRUE(EnregistrerEtude(f));
    EXPECT_EQ(fs::file_size(f), 1640u);

    AjouterCaract(3);
    AjouterCaract(0);
    EXPECT_EQ(EtudeEnregistree, 0);
    ASSERT_TRUE(EnregistrerEtude(f));
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_EQ(NomFichierEtude, f);
    const auto octets = Lire(f);
    ASSERT_EQ(octets.size(), 2208u);
    // The empty second characteristic's header closes the file.
    int32_t dernier;
    std::memcpy(&dernier, octets.data() + 2208 - 212 + 8, 4);
    EXPECT_EQ(dernier, -1);
    // Array by array: the speeds of the first characteristic follow its numbers.
    int32_t v;
    std::memcpy(&v, octets.data() + 1640 + 212 + 12 + 4, 4);
    EXPECT_EQ(v, 1001);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Fichiers_, RoundTripIsByteIdentical) {
    Etude.Titre.Ecrire("Essai de la MAS 1,5 kW \xE9t\xE9");
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 15, {0, 0}, GCouple, 18, {0, 0}, 2};
    AjouterCaract(2001, 3);
    AjouterCaract(17, 4);
    Caracts[2].Entete.Commentaire.Ecrire("sous 220 V");
    AjouterCaract(0, 1);
    const std::string a = Chemin("a.OVX2"), b = Chemin("b.OVX2");
    ASSERT_TRUE(EnregistrerEtude(a));
    ASSERT_TRUE(OuvrirEtude(a));
    EXPECT_EQ(Caracts[1].Dernier(), 2000);
    EXPECT_EQ(Caracts[2].Entete.Commentaire.Lire(), "sous 220 V");
    EXPECT_EQ(CaractCourante, 0);
    ASSERT_TRUE(EnregistrerEtude(b));
    EXPECT_EQ(Lire(a), Lire(b));
    EXPECT_EQ(Lire(a).size(), 1640u + 3 * 212 + 48u * (2001 + 17));
}

TEST_F(Fichiers_, TruncatedOrMissingFileLeavesAnEmptyStudy) {
    AjouterCaract(5);
    AjouterCaract(4);
    const std::string f = Chemin("t.OVX2");
    ASSERT_TRUE(EnregistrerEtude(f));
    auto octets = Lire(f);
    octets.resize(1640 + 212 + 48 * 5);  // the header announces 2, one follows
    Ecrire(f, octets);
    AjouterCaract(1);
    EXPECT_FALSE(OuvrirEtude(f));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Erreur de lecture du fichier");
    EXPECT_EQ(Etude.NbCaract, 0);
    EXPECT_TRUE(NomFichierEtude.empty());
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_EQ(Caracts[1].Dernier(), -1);

    EXPECT_FALSE(OuvrirEtude(Chemin("absent.OVX2")));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(NomFichierEtude.empty());
}

TEST_F(Fichiers_, FilesThatOverflowTheModelAreRefused) {
    AjouterCaract(2);
    const std::string f = Chemin("v.OVX2");
    ASSERT_TRUE(EnregistrerEtude(f));
    const auto bon = Lire(f);
    struct Cas {
        const char* quoi;
        size_t offset;
        std::vector<uint8_t> octets;
    };
    const size_t c1 = 1640;  // first characteristic header
    const std::vector<Cas> cas = {
        {"six characteristics", 128, {6, 0, 0, 0}},
        {"negative count", 128, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"last point 2001", c1 + 8, {0xD1, 0x07, 0, 0}},
        {"last point -2", c1 + 8, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"machine type 8", c1 + 0, {8, 0, 0, 0}},
        {"characteristic type 19", c1 + 4, {19, 0, 0, 0}},
        {"signature length 22", 0, {22}},
        {"title length 101", 24, {101}},
        {"descriptor name length 21", 296 + 112 * 3, {21}},
        {"comment length 21", c1 + 188, {21}},
        {"view quantity 12", 136 + 40 * 2 + 4, {12, 0, 0, 0}},
        {"view quantity -1", 136 + 20, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Cas& c : cas) {
        auto o = bon;
        std::memcpy(o.data() + c.offset, c.octets.data(), c.octets.size());
        Ecrire(f, o);
        messages.clear();
        EXPECT_FALSE(OuvrirEtude(f)) << c.quoi;
        EXPECT_EQ(messages.size(), 1u) << c.quoi;
        EXPECT_EQ(Etude.NbCaract, 0) << c.quoi;
    }
    // Fields that are only clamped where they are used are accepted.
    auto o = bon;
    o[136 + 8] = 99;  // zoom step of view 1
    o.push_back(0);   // a stray byte after the last characteristic
    Ecrire(f, o);
    EXPECT_TRUE(OuvrirEtude(f));
    EXPECT_EQ(Etude.NbCaract, 1);
}

TEST_F(Fichiers_, FailedSaveKeepsTheOldFileAndTheUnsavedState) {
    AjouterCaract(1);
    const std::string f = Chemin("garde.OVX2");
    ASSERT_TRUE(EnregistrerEtude(f));
    const auto ancien = Lire(f);
    AjouterCaract(500);
    ASSERT_EQ(EtudeEnregistree, 0);

    // A file size limit makes the write fail half-way.
    rlimit avant{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    auto signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petit = avant;
    petit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petit), 0);
    const bool ok = EnregistrerEtude(Chemin("ailleurs.OVX2"));
    const bool ok2 = EnregistrerEtude(f);
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, signal);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(ok2);
    EXPECT_EQ(Lire(f), ancien);
    EXPECT_FALSE(fs::exists(Chemin("ailleurs.OVX2")));
    EXPECT_EQ(EtudeEnregistree, 0);
    EXPECT_EQ(NomFichierEtude, f);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Erreur d'ecriture du fichier");
    // No temporary file is left behind.
    int n = 0;
    for (const auto& e : fs::directory_iterator(dossier_)) n += e.is_regular_file();
    EXPECT_EQ(n, 1);

    // A folder in the way is a failure too.
    fs::create_directories(Chemin("dossier.OVX2"));
    EXPECT_FALSE(EnregistrerEtude(Chemin("dossier.OVX2")));
    EXPECT_FALSE(EnregistrerEtude(Chemin("absent/x.OVX2")));
    EXPECT_EQ(NomFichierEtude, f);
}

}  // namespace
