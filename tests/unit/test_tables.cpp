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
    for (auto [i, v] : {std::pair{0, 10}, {7, 18}, {21, 68}, {25, 100}, {46, 680}, {50, 1000}})
        EXPECT_EQ(TableZoom[static_cast<size_t>(i)], v) << i;
    int64_t p = 1;  // the step after the last entry leaves the 32-bit range
    for (int i = 0; i < 10; ++i, p *= 10) EXPECT_EQ(Puissances10[static_cast<size_t>(i)], p) << i;

    for (int i = 0; i < 62; ++i) {
        EXPECT_EQ(InertieDeIndex(i), TableInertie[i]) << i;
        EXPECT_TRUE(i > 16 || TableInertie[i] == i) << i;
        EXPECT_TRUE(i == 0 || TableInertie[i - 1] < TableInertie[i]) << i;
    }
    EXPECT_EQ(TableInertie[17], 18);
    EXPECT_EQ(TableInertie[38], 200);
    EXPECT_EQ(TableInertie[61], 3000);
    EXPECT_EQ(IndexDeInertie(1000), 50);
    EXPECT_EQ(IndexDeInertie(2900), 61);

    // Quantities per machine (efficiency, power factor, losses) and the axis lists.
    const char* dispo[8] = {"111111111110", "111111111010", "111111101010", "111111101110",
                            "111111111110", "111111101010", "111111101110", "111111101110"};
    for (int m = 0; m < 8; ++m)
        for (int q = 0; q < 12; ++q)
            EXPECT_EQ(DisponibiliteGrandeurs[m][q], dispo[m][q] - '0') << m << " " << q;
    EXPECT_EQ(ChoixAxes[0][11], 11);
    EXPECT_EQ(ChoixAxes[2][7], 8);
    EXPECT_EQ(ChoixAxes[2][10], 0);
    EXPECT_EQ(ChoixAxes[6][8], 9);
    EXPECT_EQ(ZoomDefaut[1][2], 27);
    EXPECT_EQ(ZoomDefaut[3][2], 0);
    EXPECT_EQ(ZoomDefaut[0][1], 15);

    const int codes[19] = {0, 2, 1, 4, 3, 10, 11, 11, 7, 8, 11, 11, 7, 8, 9, 12, 12, 13, 13};
    for (int t = 0; t < 19; ++t) EXPECT_EQ(MotControle(t, 5), codes[t] * 256 + 5) << t;
}

TEST(Tables, QuantityDescriptorsAndMachineNames) {
    const auto& f = TexteFrancais.Grandeurs;
    const auto& u = TexteAnglais.Grandeurs;
    const auto& s = TexteEspagnol.Grandeurs;
    EXPECT_EQ(f[1].Nom, "Vitesse de rotation");
    EXPECT_EQ(u[8].Symbole, "Ef");
    EXPECT_EQ(s[1].Nom, "Velocidad de rotació");
    EXPECT_EQ(s[11].Nom, "Duración");
    EXPECT_EQ(u[10].Symbole, "Los.");
    const struct {
        std::string_view unite;
        int32_t pleineEchelle, exposant, decimales;
    } d[12] = {{"", 4000, 0, 0},   {"tr/min", 1500, 0, 0}, {"Nm", 2000, -2, 2}, {"W", 30000, -1, 1},
               {"V", 5000, -1, 1}, {"A", 20000, -3, 3},    {"W", 30000, -1, 1}, {"A", 2000, -3, 3},
               {"", 1000, -3, 3},  {"", 1000, -3, 3},      {"W", 30000, -1, 1}, {"s", 6000, -2, 2}};
    for (const auto* t : langues)
        for (size_t q = 0; q < 12; ++q) {
            const auto& g = t->Grandeurs[q];
            EXPECT_EQ(std::tie(g.Unite, g.PleineEchelle, g.Exposant, g.Decimales),
                      std::tie(d[q].unite, d[q].pleineEchelle, d[q].exposant, d[q].decimales))
                << q;
        }
    EXPECT_EQ(TexteFrancais.NomMachine[1], "MCC Indépendante");
    EXPECT_EQ(TexteAnglais.NomMachine[3], "Three-phase ASM");
    EXPECT_EQ(TexteEspagnol.NomMachine[7], "variador monofásico");
    EXPECT_EQ(TexteEspagnol.TitreMachine[4], " Maquina sincrona trifásica");
    EXPECT_EQ(TexteAnglais.TitreCharge[1], "Mechanical load: T = K");
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
    EXPECT_EQ(TexteAnglais.Texte(37), "File reading error");
    EXPECT_EQ(TexteEspagnol.Texte(177), "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"");
    EXPECT_EQ(TexteEspagnol.NomLoi[18], "Levanatamiento");
    EXPECT_EQ(TexteEspagnol.TitreColonne2[5], "Par maxim0");
    EXPECT_EQ(TexteFrancais.EtatAcquisition[2], "Attente");
    EXPECT_EQ(TexteEspagnol.ListeApplications[5][1], "salida de humos.swf");
}

TEST(Textes, LanguageChoiceAndCp1252) {
    for (int code : {0, 1, 4, -3, 99}) {
        ChoixLangue(code);
        EXPECT_EQ(Textes.MotEssai, "Essai") << code;
    }
    ChoixLangue(2);
    EXPECT_EQ(Textes.MotEssai, "Test");
    ChoixLangue(3);
    EXPECT_EQ(Textes.DossierFichiers, "Ficheros");
    ChoixLangue(1);

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
