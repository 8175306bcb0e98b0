// The constant tables: spot checks plus invariants, the text tables' shape,
// the language choice and the Windows-1252 conversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "comm/Passerelle.h"
#include "graph/Echelle.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const TTextesOrvane* const langues[3] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};

TEST(Tables, NumericTablesSpotChecksAndInvariants) {
    ASSERT_EQ(TableZoom.size(), 51u);
    EXPECT_TRUE(std::is_sorted(TableZoom.begin(), TableZoom.end()));
    EXPECT_EQ(std::pair(TableZoom[7], TableZoom[50]), std::pair(18, 1000));
    int64_t p = 1;  // the step after the last entry leaves the 32-bit range
    for (int i = 0; i < 10; ++i, p *= 10) EXPECT_EQ(Puissances10[static_cast<size_t>(i)], p) << i;

    for (int i = 0; i < 62; ++i) {
        EXPECT_EQ(InertieDeIndex(i), TableInertie[i]) << i;
        EXPECT_TRUE(i > 16 || TableInertie[i] == i) << i;
        EXPECT_TRUE(i == 0 || TableInertie[i - 1] < TableInertie[i]) << i;
    }
    EXPECT_EQ((std::array{TableInertie[38], TableInertie[61], IndexDeInertie(1000),
                          IndexDeInertie(2900)}),
              (std::array{200, 3000, 50, 61}));

    // Quantities per machine (efficiency, power factor, losses) and the axis lists.
    const char* dispo[8] = {"111111111110", "111111111010", "111111101010", "111111101110",
                            "111111111110", "111111101010", "111111101110", "111111101110"};
    for (int m = 0; m < 8; ++m)
        for (int q = 0; q < 12; ++q)
            EXPECT_EQ(DisponibiliteGrandeurs[m][q], dispo[m][q] - '0') << m << " " << q;
    EXPECT_EQ((std::array{ChoixAxes[2][7], ChoixAxes[2][10], ZoomDefaut[1][2], ZoomDefaut[0][1]}),
              (std::array{8, 0, 27, 15}));

    const int codes[19] = {0, 2, 1, 4, 3, 10, 11, 11, 7, 8, 11, 11, 7, 8, 9, 12, 12, 13, 13};
    for (int t = 0; t < 19; ++t) EXPECT_EQ(MotControle(t, 5), codes[t] * 256 + 5) << t;
}

TEST(Tables, QuantityDescriptorsAndMachineNames) {
    EXPECT_EQ(TexteFrancais.Grandeurs[1].Nom, "Vitesse de rotation");
    EXPECT_EQ(TexteEspagnol.Grandeurs[1].Nom, "Velocidad de rotació");
    // The numbers and units are the same in every language (the French ones
    // are checked through the exported values).
    for (const auto* t : langues)
        for (size_t q = 0; q < 12; ++q) {
            const auto &g = t->Grandeurs[q], &fr = TexteFrancais.Grandeurs[q];
            EXPECT_EQ(std::tie(g.Unite, g.PleineEchelle, g.Exposant, g.Decimales),
                      std::tie(fr.Unite, fr.PleineEchelle, fr.Exposant, fr.Decimales))
                << q;
        }
    const auto& g = TexteFrancais.Grandeurs;
    EXPECT_EQ(
        (std::array{g[1].PleineEchelle, g[5].PleineEchelle, g[5].Exposant, g[11].PleineEchelle}),
        (std::array{1500, 20000, -3, 6000}));
    EXPECT_EQ(TexteEspagnol.TitreMachine[4], " Maquina sincrona trifásica");
    using Ligne = std::array<std::string_view, 6>;
    const Ligne parLangue[3] = {
        {"Couple de descente", "Couple de montée", "Masse", "Fichiers", "CFGAPPFR.cfg", "Essai"},
        {"Down torque", "Up torque", "Weight", "Files", "CFGAPPUK.cfg", "Test"},
        {"par de bajada", "Par de subida", "Masa", "Ficheros", "CFGAPPSP.cfg", "prueba"},
    };
    for (int l = 0; l < 3; ++l) {
        const TTextesOrvane& t = *langues[l];
        EXPECT_EQ((Ligne{t.TitreColonne1[7], t.TitreColonne2[7], t.TitreColonne3[7],
                         t.DossierFichiers, t.FichierApplications, t.MotEssai}),
                  parLangue[l]);
    }
}

TEST(Textes, EveryTableIsComplete) {
    for (const TTextesOrvane* t : langues) {
        // Texts that every language fills; 159 is empty in English only.
        for (int n = 1; n <= DernierTexte; ++n)
            EXPECT_EQ(t->Texte(n).empty(), n == 159 && t == &TexteAnglais) << t->MotEssai << n;
        EXPECT_TRUE(t->Texte(0).empty() && t->Texte(DernierTexte + 1).empty());
        for (int i = 1; i < NbNomMachine; ++i)
            EXPECT_FALSE(t->NomMachine[i].empty() || t->TitreMachine[i].empty()) << i;
        for (int i = 1; i < NbTypeCaract; ++i)
            EXPECT_FALSE(t->TitreCharge[i].empty() || t->NomLoi[i].empty() ||
                         t->DescriptionLoi[i].empty())
                << i;
        EXPECT_TRUE(t->NomMachine[0].empty() && t->NomLoi[0].empty());
        for (const auto& g : t->Grandeurs) EXPECT_LE(VersCp1252(g.Nom).size(), 20u) << g.Nom;
    }
    EXPECT_EQ(TexteEspagnol.Texte(177), "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"");
    EXPECT_EQ(TexteEspagnol.ListeApplications[5][1], "salida de humos.swf");
}

TEST(Textes, LanguageChoiceAndCp1252) {
    for (auto [code, mot] : {std::pair{0, "Essai"},
                             {4, "Essai"},
                             {-3, "Essai"},
                             {2, "Test"},
                             {3, "prueba"},
                             {1, "Essai"}}) {
        ChoixLangue(code);
        EXPECT_EQ(Textes.MotEssai, mot) << code;
    }

    EXPECT_EQ(VersCp1252("Vitesse décollage €"),
              "Vitesse d\xE9"
              "collage \x80");
    EXPECT_EQ(VersCp1252("a\xE2\x82"), "a??");         // each byte of a cut sequence
    EXPECT_EQ(VersCp1252("\xF0\x9F\x98\x80!"), "?!");  // no code for it
    EXPECT_EQ(DepuisCp1252("\x80\x9F\xE9\x81"), "€Ÿé\xC2\x81");
    for (int b = 0; b < 256; ++b) {
        const std::string octet(1, static_cast<char>(b));
        EXPECT_EQ(VersCp1252(DepuisCp1252(octet)), octet) << b;
    }
}

}  // namespace
