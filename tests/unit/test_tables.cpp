// The text tables' shape and the Windows-1252 conversions.
#include <gtest/gtest.h>

#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const TTextesOrvane* const langues[3] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};

TEST(Textes, EveryTableIsCompleteAndSharesTheNumbers) {
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
        for (size_t q = 0; q < 12; ++q) {
            const auto &g = t->Grandeurs[q], &fr = TexteFrancais.Grandeurs[q];
            EXPECT_LE(VersCp1252(g.Nom).size(), 20u) << g.Nom;
            EXPECT_EQ(std::tie(g.Unite, g.PleineEchelle, g.Exposant, g.Decimales),
                      std::tie(fr.Unite, fr.PleineEchelle, fr.Exposant, fr.Decimales))
                << q;
        }
    }
}

TEST(Textes, Cp1252Conversions) {
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
