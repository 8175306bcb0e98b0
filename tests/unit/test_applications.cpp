// The application description files: the readable source compiled per
// language into the fixed layout, and the reading of any file's first 4060
// bytes with its counts and lengths bounded.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "OutilsEssai.h"
#include "study/Applications.h"
#include "study/Fichiers.h"

using namespace orvane;

TEST(Applications, SourceCompiledForOneLanguageAndReadBack) {
    const std::string fichier30 = "applications/" + std::string(17, 'f');
    const std::string source =
        "# two groups\ngroupe 1\napplication 2 applications/pont.svg\nfr Pont roulant\n"
        "en Bridge crane\nes Puente grúa\napplication 1 a.jpg\nes Taller\nfr Atelier\n"
        "en Workshop\n\ngroupe 3\napplication 2 " +
        fichier30 + "\nfr x\nen é\nes x\n";
    essai::DossierTemporaire dossier;
    const std::string chemin = (dossier.racine / "CFGAPP.cfg").string();
    TableApplications t{}, lue{};
    std::string erreur;
    ASSERT_TRUE(CompilerApplications(source, LangueSource::Anglais, t, erreur)) << erreur;
    ASSERT_TRUE(EcrireFichierEntier(chemin, &t, sizeof t));
    ASSERT_TRUE(LireApplications(chemin, lue));
    EXPECT_EQ(std::memcmp(&lue, &t, sizeof t), 0);
    EXPECT_EQ(NombreApplications(lue, 1) * 10 + NombreApplications(lue, 2), 20);
    EXPECT_EQ(ApplicationDe(lue, 1, 1).titre, "Bridge crane");
    EXPECT_EQ(ApplicationDe(lue, 3, 1).fichier + ApplicationDe(lue, 3, 1).titre,
              fichier30 + "\xE9");
    // Entry 2 of group 1 starts 4 + 96 bytes in: kind, then the title's length byte.
    const auto* o = reinterpret_cast<const uint8_t*>(&t);
    EXPECT_EQ(std::tuple(o[0], o[4 + 96], o[4 + 96 + 4], o[2 * 580]), std::tuple(2, 1, 8, 1));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(o + 4 + 96 + 5), 8), "Workshop");
}

TEST(Applications, MalformedSourcesRefusedWithTheirLine) {
    TableApplications t{};
    t.Groupes[0].Nombre = 5;
    std::string erreur;
    EXPECT_FALSE(
        CompilerApplications("groupe 1\napplication 2 applications/a-name-of-31-chars.svg\n",
                             LangueSource::Francais, t, erreur));
    EXPECT_EQ(erreur, "line 2: file name longer than 30 characters");
    EXPECT_EQ(t.Groupes[0].Nombre, 5);  // untouched
    // Over-long titles count Windows-1252 characters, not UTF-8 bytes.
    const std::string titre = "groupe 1\napplication 2 a.svg\nfr " + std::string(59, 'e');
    EXPECT_TRUE(CompilerApplications(titre + "é\nen a\nes a\n", LangueSource::Francais, t, erreur));
    EXPECT_FALSE(CompilerApplications(titre + "ee", LangueSource::Francais, t, erreur));
}

TEST(Applications, AnyFileIsReadSafely) {
    essai::DossierTemporaire dossier;
    const std::string chemin = (dossier.racine / "CFGAPPFR.cfg").string();
    TableApplications t{};
    t.Groupes[0].Nombre = 3;
    // Missing, then one byte short: refused, the table kept.
    EXPECT_FALSE(LireApplications(chemin, t));
    std::vector<uint8_t> octets(TailleFichierApplications + 100, 0xFF);
    ASSERT_TRUE(EcrireFichierEntier(chemin, octets.data(), TailleFichierApplications - 1));
    EXPECT_FALSE(LireApplications(chemin, t) || t.Groupes[0].Nombre != 3);
    // Longer and full of 0xFF: counts and lengths bounded.
    ASSERT_TRUE(EcrireFichierEntier(chemin, octets.data(), octets.size()));
    ASSERT_TRUE(LireApplications(chemin, t));
    EXPECT_EQ(NombreApplications(t, 1), 0);  // -1
    t.Groupes[1].Nombre = 1000;
    EXPECT_EQ(NombreApplications(t, 2), 6);
    EXPECT_EQ(ApplicationDe(t, 2, 6).titre.size() * 100 + ApplicationDe(t, 2, 6).fichier.size(),
              6030u);
    EXPECT_EQ(NombreApplications(t, 8) + ApplicationDe(t, 2, 7).genre, 0);
}
