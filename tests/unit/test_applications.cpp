// The application description files: the readable source compiled per
// language into the fixed layout, and the reading of any file's first 4060
// bytes with its counts and lengths bounded.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "OutilsEssai.h"
#include "study/Applications.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"

using namespace orvane;

namespace {

const std::string Source = R"(# two groups
groupe 1
application 2 applications/pont.svg
fr Pont roulant
en Bridge crane
es Puente grúa
application 1 applications/photo.jpg
es Taller
fr Atelier
en Workshop

groupe 7
application 2 applications/levage.svg
fr Levage
en Hoist
es Elevación
)";

}  // namespace

TEST(Applications, SourceCompiledPerLanguageAndReadBack) {
    const std::string titre60(60, 'T'), fichier30 = "applications/" + std::string(17, 'f');
    const std::string source =
        Source + "groupe 3\napplication 2 " + fichier30 + "\nfr " + titre60 + "\nen é\nes x\n";
    essai::DossierTemporaire dossier;
    const struct {
        LangueSource langue;
        const char* titre1;
    } langues[] = {{LangueSource::Francais, "Pont roulant"},
                   {LangueSource::Anglais, "Bridge crane"},
                   {LangueSource::Espagnol, "Puente grúa"}};
    for (const auto& l : langues) {
        TableApplications t{};
        std::string erreur;
        ASSERT_TRUE(CompilerApplications(source, l.langue, t, erreur)) << erreur;
        const std::string chemin = (dossier.racine / "CFGAPP.cfg").string();
        ASSERT_TRUE(EcrireFichierEntier(chemin, &t, sizeof t));
        TableApplications lue{};
        ASSERT_TRUE(LireApplications(chemin, lue));
        EXPECT_EQ(std::memcmp(&lue, &t, sizeof t), 0);
        EXPECT_EQ(NombreApplications(lue, 1), 2);
        EXPECT_EQ(NombreApplications(lue, 2), 0);
        EXPECT_EQ(NombreApplications(lue, 7), 1);
        const Application a = ApplicationDe(lue, 1, 1);
        EXPECT_EQ(a.genre, ApplicationAnimation);
        EXPECT_EQ(DepuisCp1252(a.titre), l.titre1);
        EXPECT_EQ(a.fichier, "applications/pont.svg");
        EXPECT_EQ(ApplicationDe(lue, 1, 2).genre, ApplicationImage);
        EXPECT_EQ(ApplicationDe(lue, 1, 3).titre, "");  // beyond the count
        EXPECT_EQ(ApplicationDe(lue, 3, 1).fichier, fichier30);
        if (l.langue == LangueSource::Francais) {
            EXPECT_EQ(ApplicationDe(lue, 3, 1).titre, titre60);
        }
        if (l.langue == LangueSource::Anglais) {
            EXPECT_EQ(ApplicationDe(lue, 3, 1).titre, "\xE9");
        }
    }
    // Entry 2 of group 1 starts 4 + 96 bytes into the file: kind, then the
    // title's length byte.
    TableApplications t{};
    std::string erreur;
    ASSERT_TRUE(CompilerApplications(Source, LangueSource::Anglais, t, erreur));
    const auto* o = reinterpret_cast<const uint8_t*>(&t);
    EXPECT_EQ(o[0], 2);
    EXPECT_EQ(o[4 + 96], 1);
    EXPECT_EQ(o[4 + 96 + 4], 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(o + 4 + 96 + 5), 8), "Workshop");
    EXPECT_EQ(o[6 * 580], 1);  // group 7's count
}

TEST(Applications, MalformedSourcesRefusedWithTheirLine) {
    const struct {
        const char* source;
        const char* erreur;
    } cas[] = {
        {"groupe 8\n", "line 1: group out of 1..7"},
        {"application 2 a.svg\n", "line 1: application before any group"},
        {"groupe 1\napplication 2\n", "line 2: expected: application KIND FILE"},
        {"groupe 1\napplication 2 a.svg\nfr a\nen b\n", "line 5: an application lacks its titles"},
        {"groupe 1\napplication 2 a.svg\nfr a\nfr b\n",
         "line 4: title repeated or without an application"},
        {"groupe 1\nfr a\n", "line 2: title repeated or without an application"},
        {"groupe 1\napplication 2 applications/a-name-of-31-chars.svg\n",
         "line 2: file name longer than 30 characters"},
        {"groupe 1\nimage 1 a.jpg\n", "line 2: unknown word 'image'"},
    };
    for (const auto& c : cas) {
        TableApplications t{};
        t.Groupes[0].Nombre = 5;
        std::string erreur;
        EXPECT_FALSE(CompilerApplications(c.source, LangueSource::Francais, t, erreur)) << c.source;
        EXPECT_EQ(erreur, c.erreur);
        EXPECT_EQ(t.Groupes[0].Nombre, 5);  // untouched
    }
    std::string seven = "groupe 2\n";
    for (int i = 0; i < 7; ++i) seven += "application 2 a.svg\nfr a\nen a\nes a\n";
    TableApplications t{};
    std::string erreur;
    EXPECT_FALSE(CompilerApplications(seven, LangueSource::Francais, t, erreur));
    EXPECT_EQ(erreur, "line 26: more than six applications");
    // Over-long titles count Windows-1252 characters, not UTF-8 bytes.
    const std::string titre =
        "groupe 1\napplication 2 a.svg\nfr " + std::string(59, 'e') + "é" + "\nen a\nes a\n";
    EXPECT_TRUE(CompilerApplications(titre, LangueSource::Francais, t, erreur)) << erreur;
    EXPECT_FALSE(CompilerApplications("groupe 1\napplication 2 a.svg\nfr " + std::string(61, 'e'),
                                      LangueSource::Francais, t, erreur));
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
    EXPECT_FALSE(LireApplications(chemin, t));
    EXPECT_EQ(t.Groupes[0].Nombre, 3);
    // Longer and full of 0xFF: counts and lengths bounded.
    ASSERT_TRUE(EcrireFichierEntier(chemin, octets.data(), octets.size()));
    ASSERT_TRUE(LireApplications(chemin, t));
    EXPECT_EQ(NombreApplications(t, 1), 0);  // -1
    for (int g = 1; g <= 7; ++g) t.Groupes[g - 1].Nombre = g == 2 ? 1000 : 6;
    EXPECT_EQ(NombreApplications(t, 2), 6);
    EXPECT_EQ(ApplicationDe(t, 2, 6).titre.size(), 60u);
    EXPECT_EQ(ApplicationDe(t, 2, 6).fichier.size(), 30u);
    EXPECT_EQ(NombreApplications(t, 0), 0);
    EXPECT_EQ(NombreApplications(t, 8), 0);
    EXPECT_EQ(ApplicationDe(t, 2, 7).genre, 0);
}
