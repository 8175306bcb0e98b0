// Text tables: shape of the three tables, language choice, encodings.
#include <gtest/gtest.h>

#include "study/Cp1252.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const TTextesOrvane* const Tables[] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};

TEST(Textes, EveryTableIsComplete) {
    for (const TTextesOrvane* t : Tables) {
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
}

// Text 37 in French and Spanish shows in the file tests' messages.
TEST(Textes, NumberedTextsAreInTheirPlaces) {
    EXPECT_EQ(TexteFrancais.Texte(1), "OK");
    EXPECT_EQ(TexteAnglais.Texte(37), "File reading error");
    EXPECT_EQ(TexteEspagnol.Texte(177), "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"");
    EXPECT_EQ(TexteFrancais.Texte(178), "Dans l'automatisme de la commande du frein de sécurité.");
    EXPECT_EQ(TexteEspagnol.Texte(160), "Visualización");
    EXPECT_EQ(TexteFrancais.TitreMachine[1], " Machine courant continu : excitation indépendante");
    EXPECT_EQ(TexteEspagnol.NomLoi[18], "Levanatamiento");
    EXPECT_EQ(TexteEspagnol.TitreColonne2[5], "Par maxim0");
    EXPECT_EQ(TexteFrancais.EtatAcquisition[2], "Attente");
    EXPECT_EQ(TexteEspagnol.ListeApplications[5][1], "salida de humos.swf");
    EXPECT_EQ(TexteAnglais.DossierFichiers, "Files");
    EXPECT_EQ(TexteAnglais.FichierApplications, "CFGAPPUK.cfg");
}

TEST(Textes, LanguageChoice) {
    for (int code : {0, 1, 4, -3, 99}) {
        ChoixLangue(code);
        EXPECT_EQ(Textes.MotEssai, "Essai") << code;
    }
    ChoixLangue(2);
    EXPECT_EQ(Textes.MotEssai, "Test");
    ChoixLangue(3);
    EXPECT_EQ(Textes.DossierFichiers, "Ficheros");
    ChoixLangue(1);
}

TEST(Cp1252, ConvertsBothWays) {
    EXPECT_EQ(VersCp1252("N°"), "N\xB0");
    EXPECT_EQ(VersCp1252("Vitesse décollage €"),
              "Vitesse d\xE9"
              "collage \x80");
    EXPECT_EQ(VersCp1252("a\xE2\x82"), "a??");         // each byte of a cut sequence
    EXPECT_EQ(VersCp1252("\xF0\x9F\x98\x80!"), "?!");  // no code for it
    EXPECT_EQ(VersCp1252("\xFF"), "?");
    EXPECT_EQ(DepuisCp1252("\x80\x9F\xE9\x81"), "€Ÿé\xC2\x81");
    for (int b = 0; b < 256; ++b) {
        const std::string octet(1, static_cast<char>(b));
        EXPECT_EQ(VersCp1252(DepuisCp1252(octet)), octet) << b;
    }
}

}  // namespace
