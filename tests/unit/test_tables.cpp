// The constant tables of the program, checked entry by entry against values
// written out here by hand (a wrong entry must fail a test); the shape of the
// three text tables, the language choice, and the Windows-1252 conversions.
#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "comm/Passerelle.h"
#include "graph/Echelle.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const TTextesOrvane* const langues[3] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};

TEST(Tables, ZoomStepsAndPowersOfTen) {
    const int zoom[51] = {10,  11,  12,  13,  14,  15,  16,  18,  20,  22,  24,  26,  28,
                          30,  34,  38,  42,  46,  50,  55,  60,  68,  75,  82,  90,  100,
                          110, 120, 130, 140, 150, 160, 180, 200, 220, 240, 260, 280, 300,
                          340, 380, 420, 460, 500, 550, 600, 680, 750, 820, 900, 1000};
    ASSERT_EQ(TableZoom.size(), 51u);
    for (int i = 0; i < 51; ++i) EXPECT_EQ(TableZoom[static_cast<size_t>(i)], zoom[i]) << i;
    int64_t p = 1;  // the step after the last entry leaves the 32-bit range
    for (int i = 0; i < 10; ++i, p *= 10) EXPECT_EQ(Puissances10[static_cast<size_t>(i)], p) << i;
}

TEST(Tables, InertiaStepsAndTheirLookups) {
    std::vector<int32_t> attendu;
    for (int v = 0; v <= 16; ++v) attendu.push_back(v);
    for (int v :
         {18,  20,  22,  25,   30,   35,   40,   45,   50,   60,   70,   80,   90,   100,  110,
          120, 130, 140, 150,  160,  180,  200,  220,  250,  300,  350,  400,  450,  500,  600,
          700, 800, 900, 1000, 1100, 1200, 1300, 1400, 1500, 1600, 1800, 2000, 2200, 2500, 3000})
        attendu.push_back(v);
    ASSERT_EQ(attendu.size(), 62u);
    for (int i = 0; i < 62; ++i) {
        EXPECT_EQ(TableInertie[i], attendu[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(InertieDeIndex(i), attendu[static_cast<size_t>(i)]) << i;
    }
    // Reverse: the first step at or above the value (other cases with the study's tests).
    EXPECT_EQ(IndexDeInertie(1000), 50);
    EXPECT_EQ(IndexDeInertie(2900), 61);
}

TEST(Tables, QuantitiesPerMachineAxisListsAndDefaultZooms) {
    // Measured quantities 0..11 per machine type.
    const char* dispo[8] = {"111111111110", "111111111010", "111111101010", "111111101110",
                            "111111111110", "111111101010", "111111101110", "111111101110"};
    // Axis list entries 0..11 per machine type.
    const int axes[4][12] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                             {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 0},
                             {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 0, 0},
                             {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 0}};
    const int ligneAxes[8] = {0, 1, 2, 3, 0, 2, 3, 3};
    for (int m = 0; m < 8; ++m)
        for (int q = 0; q < 12; ++q) {
            EXPECT_EQ(DisponibiliteGrandeurs[m][q], dispo[m][q] - '0') << m << " " << q;
            EXPECT_EQ(ChoixAxes[m][q], axes[ligneAxes[m]][q]) << m << " " << q;
        }
    const int zoom[4][12] = {{18, 15, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
                             {18, 15, 27, 27, 18, 27, 27, 18, 18, 18, 27, 18},
                             {18, 15, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
                             {18, 15, 0, 0, 18, 0, 0, 18, 18, 18, 0, 18}};
    for (int g = 0; g < 4; ++g)
        for (int q = 0; q < 12; ++q) EXPECT_EQ(ZoomDefaut[g][q], zoom[g][q]) << g << " " << q;
}

TEST(Tables, DriveModeCodeOfEachCharacteristicType) {
    const int codes[19] = {0, 2, 1, 4, 3, 10, 11, 11, 7, 8, 11, 11, 7, 8, 9, 12, 12, 13, 13};
    for (int t = 0; t < 19; ++t) {
        EXPECT_EQ(CodeModeCharge[static_cast<size_t>(t)], codes[t]) << t;
        EXPECT_EQ(MotControle(t, 5), codes[t] * 256 + 5) << t;
    }
}

struct Descripteur {
    std::string_view fr, uk, sp;
    std::string_view symFr, symUk, symSp, unite;
    int32_t pleineEchelle, exposant, decimales;
};

TEST(Tables, QuantityDescriptorsInTheThreeLanguages) {
    const Descripteur d[12] = {
        {"Numéro", "Number", "Numero", "N°", "N°", "N°", "", 4000, 0, 0},
        {"Vitesse de rotation", "Rotational speed", "Velocidad de rotació", "n", "n", "n", "tr/min",
         1500, 0, 0},
        {"Couple utile", "Effective torque", "Par ùtil", "Tu", "Tu", "Tu", "Nm", 2000, -2, 2},
        {"Puissance mécanique", "Mechanical power", "Potencia mecánica", "Pm", "Pm", "Pm", "W",
         30000, -1, 1},
        {"Tension", "Voltage", "Tensión", "U", "U", "U", "V", 5000, -1, 1},
        {"Courant", "Current", "Corriente", "I", "I", "I", "A", 20000, -3, 3},
        {"Puissance électrique", "Electrical power", "Potencia eléctrica", "Pe", "Pe", "Pe", "W",
         30000, -1, 1},
        {"Courant d'excitation", "Excitation current", "Corriente de excitac", "Ie", "Ie", "Ie",
         "A", 2000, -3, 3},
        {"Rendement", "Efficiency", "Rendimiento", "Rd", "Ef", "Rd", "", 1000, -3, 3},
        {"Facteur de puissance", "Power factor", "Factor de potencia", "Fp", "Pf", "Fp", "", 1000,
         -3, 3},
        {"Pertes", "Losses", "Perdidas", "Pertes", "Los.", "Pertes", "W", 30000, -1, 1},
        {"Temps", "Time", "Duración", "t", "t", "t", "s", 6000, -2, 2},
    };
    for (int q = 0; q < 12; ++q) {
        SCOPED_TRACE(q);
        const auto& f = TexteFrancais.Grandeurs[static_cast<size_t>(q)];
        const auto& u = TexteAnglais.Grandeurs[static_cast<size_t>(q)];
        const auto& s = TexteEspagnol.Grandeurs[static_cast<size_t>(q)];
        EXPECT_EQ(f.Nom, d[q].fr);
        EXPECT_EQ(u.Nom, d[q].uk);
        EXPECT_EQ(s.Nom, d[q].sp);
        EXPECT_EQ(f.Symbole, d[q].symFr);
        EXPECT_EQ(u.Symbole, d[q].symUk);
        EXPECT_EQ(s.Symbole, d[q].symSp);
        for (const auto* g : {&f, &u, &s}) {
            EXPECT_EQ(g->Unite, d[q].unite);
            EXPECT_EQ(g->PleineEchelle, d[q].pleineEchelle);
            EXPECT_EQ(g->Exposant, d[q].exposant);
            EXPECT_EQ(g->Decimales, d[q].decimales);
        }
    }
}

TEST(Tables, MachineNamesFoldersAndFilesInTheThreeLanguages) {
    const std::array<std::array<std::string_view, 3>, 8> noms = {{
        {"", "", ""},
        {"MCC Indépendante", "Independent DCM", "DCM Independiente"},
        {"MCC Série", "Series DCM", "DCM Series"},
        {"MAS Triphasée", "Three-phase ASM", "ASM Trifásico"},
        {"MS Triphasée", "Three-phase SM", "SM Trifásico"},
        {"Alimentation continue", "Dc supplied drive", "variador DC"},
        {"Alimentation triphasée", "Three-phase drive", "variador trifásico"},
        {"Alimentation monophasée", "Single-phase drive", "variador monofásico"},
    }};
    for (int m = 0; m < 8; ++m)
        for (int l = 0; l < 3; ++l)
            EXPECT_EQ(langues[l]->NomMachine[static_cast<size_t>(m)],
                      noms[static_cast<size_t>(m)][static_cast<size_t>(l)])
                << m << " " << l;
    EXPECT_EQ(TexteEspagnol.TitreMachine[4], " Maquina sincrona trifásica");
    EXPECT_EQ(TexteAnglais.TitreMachine[6], " Three-phase supplied drive");
    EXPECT_EQ(TexteAnglais.TitreCharge[1], "Mechanical load: T = K");
    // Per language: the lifting law's columns (descending torque, lifting
    // torque, mass), the folder, the applications file and the trial word.
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
    EXPECT_EQ(TexteFrancais.Texte(1), "OK");
    EXPECT_EQ(TexteAnglais.Texte(37), "File reading error");
    EXPECT_EQ(TexteEspagnol.Texte(177), "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"");
    EXPECT_EQ(TexteFrancais.Texte(178), "Dans l'automatisme de la commande du frein de sécurité.");
    EXPECT_EQ(TexteFrancais.TitreMachine[1], " Machine courant continu : excitation indépendante");
    EXPECT_EQ(TexteEspagnol.NomLoi[18], "Levanatamiento");
    EXPECT_EQ(TexteEspagnol.TitreColonne2[5], "Par maxim0");
    EXPECT_EQ(TexteFrancais.EtatAcquisition[2], "Attente");
    EXPECT_EQ(TexteEspagnol.ListeApplications[5][1], "salida de humos.swf");
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
