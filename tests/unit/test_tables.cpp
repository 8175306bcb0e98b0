// The constant tables of the program, checked entry by entry against values
// written out here by hand, independently of the source that defines them:
// a wrong entry in any of them must fail a test.
#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "comm/Passerelle.h"
#include "graph/Echelle.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

TEST(Tables, ZoomStepsAndPowersOfTen) {
    const int zoom[51] = {10,  11,  12,  13,  14,  15,  16,  18,  20,  22,  24,  26,  28,
                          30,  34,  38,  42,  46,  50,  55,  60,  68,  75,  82,  90,  100,
                          110, 120, 130, 140, 150, 160, 180, 200, 220, 240, 260, 280, 300,
                          340, 380, 420, 460, 500, 550, 600, 680, 750, 820, 900, 1000};
    ASSERT_EQ(TableZoom.size(), 51u);
    for (int i = 0; i < 51; ++i) EXPECT_EQ(TableZoom[static_cast<size_t>(i)], zoom[i]) << i;
    int32_t p = 1;
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
    EXPECT_EQ(InertieDeIndex(50), 1000);
    EXPECT_EQ(InertieDeIndex(-1), 0);
    EXPECT_EQ(InertieDeIndex(62), 0);
    // Reverse: the first step at or above the value.
    EXPECT_EQ(IndexDeInertie(17), 17);    // 18
    EXPECT_EQ(IndexDeInertie(1000), 50);  // exact
    EXPECT_EQ(IndexDeInertie(2900), 61);  // 3000
    EXPECT_EQ(IndexDeInertie(0), 0);
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
    const TTextesOrvane* langues[3] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};
    for (int m = 0; m < 8; ++m)
        for (int l = 0; l < 3; ++l)
            EXPECT_EQ(langues[l]->NomMachine[static_cast<size_t>(m)],
                      noms[static_cast<size_t>(m)][static_cast<size_t>(l)])
                << m << " " << l;
    EXPECT_EQ(TexteEspagnol.TitreMachine[4], " Maquina sincrona trifásica");
    EXPECT_EQ(TexteAnglais.TitreMachine[6], " Three-phase supplied drive");
    EXPECT_EQ(TexteAnglais.TitreCharge[1], "Mechanical load: T = K");
    // The lifting law's columns: descending torque, lifting torque, mass.
    const std::array<std::array<std::string_view, 3>, 3> levage = {{
        {"Couple de descente", "Couple de montée", "Masse"},
        {"Down torque", "Up torque", "Weight"},
        {"par de bajada", "Par de subida", "Masa"},
    }};
    for (int l = 0; l < 3; ++l) {
        const auto& c = levage[static_cast<size_t>(l)];
        EXPECT_EQ(langues[l]->TitreColonne1[7], c[0]);
        EXPECT_EQ(langues[l]->TitreColonne2[7], c[1]);
        EXPECT_EQ(langues[l]->TitreColonne3[7], c[2]);
    }

    const std::string_view dossiers[3] = {"Fichiers", "Files", "Ficheros"};
    const std::string_view fichiers[3] = {"CFGAPPFR.cfg", "CFGAPPUK.cfg", "CFGAPPSP.cfg"};
    const std::string_view essais[3] = {"Essai", "Test", "prueba"};
    for (int l = 0; l < 3; ++l) {
        EXPECT_EQ(langues[l]->DossierFichiers, dossiers[l]);
        EXPECT_EQ(langues[l]->FichierApplications, fichiers[l]);
        EXPECT_EQ(langues[l]->MotEssai, essais[l]);
    }
}

}  // namespace
