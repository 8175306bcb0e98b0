// The study as a spreadsheet workbook, read back from the file: sheets,
// cells, number formats, charts, the study's sheet, and the failures.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "LectureClasseur.h"
#include "OutilsEssai.h"
#include "study/Cp1252.h"
#include "study/PointFonctionnement.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Classeur.h"

using namespace orvane;
using namespace orvane::essai;
namespace fs = std::filesystem;

namespace {

// Four views (torque against speed with a constant 5 N·m load, voltage
// against time, torque against current, efficiency against speed), five
// trials: two machine characteristics, a capture, a load trial, an empty one.
void RemplirEtude() {
    InitEtude();
    Etude.Titre.Ecrire(
        "Banc n\xB0"
        "3");
    Etude.Lissage = 1;
    const int32_t axes[NbVues][2] = {
        {GVitesse, GCouple}, {GTemps, GTension}, {GCourant, GCouple}, {GVitesse, GRendement}};
    for (int v = 0; v < NbVues; ++v)
        Etude.Vues[v] = {1, 1, {0, 0}, axes[v][0], 18, {0, 0}, axes[v][1], 18, {0, 0}, 0};
    EcrireLoiVue(Etude.Vues[0], LoiCharge{GenreLoi::CoupleConstant, 0, 5});
    ASSERT_TRUE(AjouterEssai(1, 1, "\xE0 vide",
                             {{0, 1000, 1000, 10472, 2300, 12345, 28394, 500, 875, 1000, 12, 0},
                              {0, 1200, 600, 7540, 2310, 8000, 18480, 500, 812, 1000, 5, 0},
                              {0, 1500, 0, 0, 2320, 1234, 2863, 500, 0, 1000, -3, 0}}));
    std::vector<ValeursPoint> capture;
    for (int32_t u : {0, 0, 0, 500, 1000, 1100, 1000, 1000, 1000, 1000})
        capture.push_back({0, 0, 0, 0, u, 0, 0, 0, 0, 0, 0, int32_t(capture.size()) * 10});
    ASSERT_TRUE(AjouterEssai(3, 10, "", capture));
    ASSERT_TRUE(AjouterEssai(
        1, 7, "charge",
        {{0, 500, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1000, 600, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
    ASSERT_TRUE(AjouterEssai(
        1, 1, "",
        {{0, 1000, 900, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1400, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
    ASSERT_TRUE(AjouterEssai(1, 1, "", {}));
    ConfigGenerale.TypeLiaison = LiaisonReseau;
    for (int i = 0; i < 4; ++i)
        ConfigGenerale.Adresse[i].Ecrire(i == 0 ? "127" : i == 3 ? "1" : "0");
}

class ClasseurEtude : public ::testing::Test {
protected:
    void SetUp() override { ChoixLangue(LangueFrancais), RemplirEtude(); }
    void TearDown() override { ConfigGenerale = ConfigDefaut, InitEtude(); }
    DossierTemporaire dossier;
    RapportEnregistre rapport;
    const std::string f = dossier / "etude.xlsx";
};

}  // namespace

// Each trial's sheet: its heading, then every value of the values text as a
// number (equal within its decimals) shown with the quantity's decimals. One
// chart a view, one series a trial with points (the empty fifth has none):
// its name, its abscissas and its ordinates in the trial's sheet.
TEST_F(ClasseurEtude, TrialSheetsHoldTheValuesTextAndChartsPlotThem) {
    std::string raison;
    ASSERT_TRUE(EcrireClasseur(f, &raison)) << raison;
    const Classeur c(f);
    EXPECT_EQ(c.feuilles, (std::vector<std::string>{"Essai 1", "Essai 2", "Essai 3", "Essai 4",
                                                    "Essai 5", "Vues", "Étude"}));
    auto s1 = c.Cellules(1);
    for (const auto& [ref, texte] : {std::pair{"A1", "Essai 1"},
                                     {"B2", "à vide"},
                                     {"B3", "Machine courant continu : excitation indépendante"},
                                     {"B4", "Charge mécanique : T = K"},
                                     {"C6", "Couple utile (Nm)"},
                                     {"L6", "Temps (s)"}})
        EXPECT_EQ(s1[ref].valeur, texte);
    // Counts scaled by 10^exponent: 1000 cN·m, 12345 mA, 10472 dW, -3 dW.
    for (const auto& [ref, valeur, format] : {std::tuple{"B7", "1000", "0"},
                                              {"C7", "10", "0.00"},
                                              {"F7", "12.345", "0.000"},
                                              {"D7", "1047.2", "0.0"},
                                              {"K9", "-0.3", "0.0"}})
        EXPECT_TRUE(s1[ref].nombre && s1[ref].valeur == valeur && s1[ref].format == format) << ref;
    EXPECT_EQ(c.Cellules(2)["L16"].valeur, "0.9");      // the capture's time column
    EXPECT_EQ(c.Cellules(5).size(), 6u + NbGrandeurs);  // heading (no comment), header

    // The values text: "Essai k" lines, symbols, units, then the points.
    std::istringstream texte(DepuisCp1252(TexteValeurs(-1)));
    std::map<std::string, Cellule> feuille;
    int points = 0, ligne = 0;
    for (std::string l; std::getline(texte, l); ++ligne) {
        if (l.rfind("Essai ", 0) == 0) {
            feuille = c.Cellules(std::atoi(l.c_str() + 6)), ligne = PremiereLigneValeurs - 2;
            continue;
        }
        if (ligne <= PremiereLigneValeurs) continue;
        std::istringstream champs(l);
        std::string t;
        for (int q = 0; std::getline(champs, t, '\t'); ++q) {
            std::replace(t.begin(), t.end(), ',', '.');
            const Cellule& cel = feuille[std::string(1, char('A' + q)) + std::to_string(ligne)];
            EXPECT_TRUE(cel.nombre);
            EXPECT_NEAR(std::stod(cel.valeur), std::stod(t),
                        0.5 * std::pow(10.0, -Etude.Grandeurs[q].Decimales))
                << l << " quantity " << q;
        }
        ++points;
    }
    EXPECT_EQ(points, 3 + 10 + 2 + 2);

    const char* colonnes[NbVues] = {"BC", "LE", "FC", "BI"};
    const int derniere[5] = {0, 9, 16, 8, 8};
    for (int v = 1; v <= NbVues; ++v) {
        std::vector<std::string> attendu;
        for (int k = 1; k <= 4; ++k) {
            const std::string essai = "Essai " + std::to_string(k);
            attendu.push_back(essai);
            for (char col : {colonnes[v - 1][0], colonnes[v - 1][1]})
                attendu.push_back("'" + essai + "'!$" + col + "$7:$" + col + "$" +
                                  std::to_string(derniere[k]));
        }
        EXPECT_EQ(c.Series(v), attendu) << "view " << v;
    }
    EXPECT_EQ(Membre(f, "xl/charts/chart5.xml"), "");
    const std::string g = Membre(f, "xl/charts/chart1.xml");
    for (const char* t : {"Vue 1", "Vitesse de rotation (tr/min)", "Couple utile (Nm)"})
        EXPECT_NE(g.find(t), std::string::npos) << t;
    // Polyline: the series are drawn with lines; markers alone: lines hidden.
    EXPECT_EQ(g.find("<a:noFill/></a:ln>"), std::string::npos);
    Etude.Lissage = -1;
    ASSERT_TRUE(EcrireClasseur(f));
    EXPECT_NE(Membre(f, "xl/charts/chart1.xml").find("<a:noFill/></a:ln>"), std::string::npos);
}

// The study's sheet: title, date, bench, then the operating points of the
// torque-speed view (T = 5 N·m meets trial 1 at 1250 tr/min, trial 4 at 1200)
// and the step of the capture's voltage.
TEST_F(ClasseurEtude, StudySheetHoldsBenchOperatingPointsAndStep) {
    ASSERT_TRUE(EcrireClasseur(f));
    auto e = Classeur(f).Cellules(7);
    EXPECT_EQ(e["A1"].valeur, "Banc n°3");
    EXPECT_EQ(e["A3"].valeur, "Date");
    EXPECT_TRUE(std::regex_match(e["B3"].valeur, std::regex("20\\d\\d-\\d\\d-\\d\\d")));
    EXPECT_EQ(e["B4"].valeur, "127.0.0.1");
    EXPECT_EQ(e["A6"].valeur, "Points de fonctionnement — Vue 1");
    EXPECT_EQ(e["B7"].valeur, "Vitesse de rotation (tr/min)");
    // P = n·T·π/30: 1250 × 5 × π / 30 = 654.50 W, 1200 × 5 × π / 30 = 628.32 W.
    const double attendus[2][3] = {{1250, 5, 654.50}, {1200, 5, 628.32}};
    for (int i = 0; i < 2; ++i) {
        const std::string l = std::to_string(8 + i);
        EXPECT_EQ(e["A" + l].valeur, i ? "Essai 4" : "Essai 1");
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(std::stod(e[std::string(1, char('B' + j)) + l].valeur), attendus[i][j],
                        0.01);
        EXPECT_EQ(e["E" + l].valeur, "stable");
    }
    EXPECT_EQ(e["A11"].valeur, "Mesures de réponse — Vue 2 — Tension");
    EXPECT_EQ(e["C12"].valeur, "Valeur finale (V)");
    EXPECT_EQ(e["A13"].valeur, "Essai 2");
    EXPECT_EQ(e.count("A14"), 0u);  // the other trials have no time base
    // 0 0 0 50 100 110 100... V every 0.1 s: starts at 0.2 s, 10 % at 0.22 s,
    // 90 % at 0.38 s, 63.2 % at 0.3264 s, back within 105 % at 0.55 s.
    const double pas[7] = {0, 100, 0.2, 0.16, 0.1264, 10, 0.35};
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR(std::stod(e[std::string(1, char('B' + i)) + "13"].valeur), pas[i], 1e-9) << i;
    EXPECT_EQ(e["E13"].format, "0.000");
    EXPECT_EQ(e["G13"].format, "0.0");
}

// No trial: the views' and the study's sheets say so, in the language in use.
TEST_F(ClasseurEtude, StudyWithoutTrialSaysSo) {
    InitEtude();
    ChoixLangue(LangueAnglais);
    ConfigGenerale.TypeLiaison = LiaisonSimulation;
    ASSERT_TRUE(EcrireClasseur(f));
    const Classeur c(f);
    ChoixLangue(LangueFrancais);
    EXPECT_EQ(c.feuilles, (std::vector<std::string>{"Views", "Study"}));
    EXPECT_EQ(c.Cellules(1)["A1"].valeur, "No trial in this study");
    auto e = c.Cellules(2);
    EXPECT_EQ(e["B4"].valeur, "Simulated bench");
    EXPECT_EQ(e["A6"].valeur, "No trial in this study");
    EXPECT_EQ(Membre(f, "xl/charts/chart1.xml"), "");
}

// A path that cannot be written, and a full disk (root only): false with a
// reason, an old file kept, nothing else left in the folder nor aside.
TEST_F(ClasseurEtude, FailureLeavesNoFileBehind) {
    const std::string aside = dossier / "aside";
    fs::create_directory(aside);
    ASSERT_EQ(::setenv("TMPDIR", aside.c_str(), 1), 0);
    std::ofstream(dossier / "plein") << "x";
    std::string raison;
    EXPECT_FALSE(EcrireClasseur(dossier / "plein/etude.xlsx", &raison));
    EXPECT_FALSE(raison.empty());
    const fs::path petit = dossier / "petit";
    fs::create_directory(petit);
    const bool prive = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                       ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                       ::mount("tmpfs", petit.c_str(), "tmpfs", 0, "size=8k") == 0;
    if (prive) {
        std::ofstream(petit / "etude.xlsx") << "ancien";
        raison.clear();
        EXPECT_FALSE(EcrireClasseur((petit / "etude.xlsx").string(), &raison));
        EXPECT_FALSE(raison.empty());
        EXPECT_EQ(Contenu((petit / "etude.xlsx").string()), "ancien");
        EXPECT_EQ(std::distance(fs::directory_iterator(petit), {}), 1);
        ::umount2(petit.c_str(), MNT_DETACH);
    }
    ::unsetenv("TMPDIR");
    EXPECT_EQ(std::distance(fs::directory_iterator(aside), {}), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.racine), {}), 3);  // aside, plein, petit
    if (!prive) GTEST_SKIP() << "full disk: needs root and a mount namespace";
}
