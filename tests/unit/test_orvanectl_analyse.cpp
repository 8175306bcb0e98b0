// orvanectl study fit, show's axis ranges, operating-point and step, in
// process, in a temporary current folder.
//
// The study: trial 1 a DC-machine line from (0 tr/min, 20 N·m) to
// (2000 tr/min, 0); trial 2 a constant static load, word 3 = 50: 50 × 1500
// / 150 = 500 × 0,01 N·m in power range 2 (the default configuration);
// trial 3 a capture, every 20 ms for 10 s, of U stepping from 0 to 100 V at
// 1 s with τ = 0,5 s, counts of 0,1 V rounded. French descriptors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "OutilsEssai.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace fs = std::filesystem;
using namespace orvane;
using namespace orvane::essai;

namespace {

constexpr double Tau = 0.5;

VueGraphe Vue(uint8_t presente, int qX, int qY, int zoom, int quadrant) {
    VueGraphe v{};
    v.Presente = v.Affichee = presente;
    v.GrandeurX = qX, v.GrandeurY = qY;
    v.ZoomX = v.ZoomY = zoom;
    v.Quadrant = quadrant;
    return v;
}

bool Commence(const std::string& texte, const std::string& debut) {
    return texte.rfind(debut, 0) == 0;
}

// The number after "key": in a JSON line.
double Valeur(const std::string& json, const std::string& cle) {
    const size_t p = json.find("\"" + cle + "\": ");
    if (p == std::string::npos) return NAN;
    return std::stod(json.substr(p + cle.size() + 4));
}

class OrvanectlAnalyse : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
        ASSERT_TRUE(AjouterEssai(
            MccIndependante, 1, "",
            {{0, 0, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
        ASSERT_TRUE(AjouterEssai(MccIndependante, 6, "", {}, {{3, 50}}));
        std::vector<ValeursPoint> capture;
        for (int i = 0; i < 500; ++i) {
            const double t = 0.02 * i;
            ValeursPoint p{};
            p[GTemps] = 2 * i;
            p[GTension] =
                t <= 1 ? 0
                       : static_cast<int32_t>(std::lround(1000 * (1 - std::exp(-(t - 1) / Tau))));
            capture.push_back(p);
        }
        ASSERT_TRUE(AjouterEssai(MccIndependante, 1, "", capture));
        Etude.Vues[0] = Vue(1, GVitesse, GCouple, 18, 1);
        Etude.Vues[1] = Vue(1, GTemps, GTension, 18, 0);
        Etude.Vues[2] = Vue(0, GVitesse, GCouple, 7, 3);
        ASSERT_TRUE(EnregistrerEtude(f));
    }

    DossierCourant courant;
    DossierTemporaire& dossier = courant.dossier;
    RapportEnregistre rapport;
    const std::string f = dossier / "banc.OVX2";
};

TEST_F(OrvanectlAnalyse, FitWritesTheFittedStudyAndShowGivesItsRanges) {
    const std::string sortie = dossier / "ajustee.OVX2";
    const Sortie s = Ctl({"study", "fit", f, "-o", sortie});
    ASSERT_EQ(s.statut, ctl::Succes) << s.err;
    EXPECT_TRUE(s.out.empty() && s.err.empty());
    ASSERT_TRUE(OuvrirEtude(sortie));
    // View 1: 2000 tr/min needs step 14 (34: 75000 / 34 = 2205; step 15,
    // 38: 1973, is short); 20 N·m step 18 (2000 counts).
    EXPECT_EQ(Etude.Vues[0].ZoomX * 1000 + Etude.Vues[0].ZoomY * 10 + Etude.Vues[0].Quadrant,
              14181);
    // View 2: 9,98 s needs step 38 (300: 300000 / 300 = 1000 counts; step
    // 39, 340: 882); 100 V step 35 (240: 250000 / 240 = 1041; 260: 961).
    EXPECT_EQ(Etude.Vues[1].ZoomX * 1000 + Etude.Vues[1].ZoomY * 10 + Etude.Vues[1].Quadrant,
              38351);
    // A view that is not there keeps its words.
    EXPECT_EQ(Etude.Vues[2].ZoomX * 10 + Etude.Vues[2].Quadrant, 73);
    // The trials came through the program's own save.
    EXPECT_EQ(Etude.NbCaract, 3);
    EXPECT_EQ(Caracts[3].Dernier(), 499);

    const Sortie j = Ctl({"study", "show", sortie, "--json"});
    ASSERT_EQ(j.statut, ctl::Succes);
    EXPECT_NE(j.out.find("\"quadrant\": 1, \"x_range\": [0, 2205], \"y_range\": [0.00, 20.00]}"),
              std::string::npos)
        << j.out;
    EXPECT_NE(j.out.find("\"quadrant\": 1, \"x_range\": [0.00, 10.00], \"y_range\": [0.0, 104.1]}"),
              std::string::npos)
        << j.out;
    // Before the fit: view 2 at step 18 in all four quadrants, ±60 s and
    // ±500 V.
    EXPECT_NE(Ctl({"study", "show", f, "--json"})
                  .out.find("\"x_range\": [-60.00, 60.00], \"y_range\": [-500.0, 500.0]"),
              std::string::npos);
}

TEST_F(OrvanectlAnalyse, OperatingPointOfTheMachineLine) {
    // 20 − 0,01·n = 5: n = 1500, P = 1500 × 5 × π / 30 = 785,4 W, stable.
    const Sortie c = Ctl({"study", "operating-point", f, "--trial", "1", "--law", "constant", "5"});
    EXPECT_EQ(c.statut, ctl::Succes);
    EXPECT_EQ(c.out, "n* = 1500.0 tr/min, T* = 5.00 N\u00b7m, P* = 785.4 W, stable\n");
    // The law of trial 2 is the same 5 N·m.
    EXPECT_EQ(Ctl({"study", "operating-point", f, "--trial", "1", "--load-trial", "2"}).out, c.out);
    // 8e-6·n² + 2: n = 1000, T = 10, P = 1047,2 W.
    EXPECT_EQ(
        Ctl({"study", "operating-point", f, "--trial", "1", "--law", "quadratic", "8e-6", "2",
             "--json"})
            .out,
        "{\"crossings\": [{\"n\": 1000.0, \"T\": 10.00, \"P\": 1047.2, \"stable\": true}]}\n");
    // 250·π W: T = 7500 / n meets the line at 500 and 1500 tr/min.
    EXPECT_EQ(Ctl({"study", "operating-point", f, "--json", "--trial", "1", "--law", "power",
                   "785.3981634"})
                  .out,
              "{\"crossings\": [{\"n\": 500.0, \"T\": 15.00, \"P\": 785.4, \"stable\": false}, "
              "{\"n\": 1500.0, \"T\": 5.00, \"P\": 785.4, \"stable\": true}]}\n");
    // 0,005·n + 2 at 1200 tr/min; a load above the line: none.
    EXPECT_EQ(
        Ctl({"study", "operating-point", f, "--trial", "1", "--law", "linear", "0.005", "2"}).out,
        "n* = 1200.0 tr/min, T* = 8.00 N\u00b7m, P* = 1005.3 W, stable\n");
    EXPECT_EQ(Ctl({"study", "operating-point", f, "--trial", "1", "--law", "constant", "25"}).out,
              "no operating point\n");
    EXPECT_EQ(
        Ctl({"study", "operating-point", f, "--trial", "1", "--law", "constant", "25", "--json"})
            .out,
        "{\"crossings\": []}\n");
}

TEST_F(OrvanectlAnalyse, StepMeasurementsOfACapture) {
    const Sortie j = Ctl({"study", "step", f, "--trial", "3", "--quantity", "U", "--json"});
    ASSERT_EQ(j.statut, ctl::Succes) << j.err;
    // Initial 0 V, final 100 V (the last 50 samples are 1000 counts), start
    // at 1 s (the next sample is at 39 counts, beyond 2 % of 1000), no
    // overshoot: written out exactly.
    EXPECT_TRUE(Commence(
        j.out, "{\"initial\": 0.00, \"final\": 100.00, \"start\": 1.0000, \"rise_time\": "))
        << j.out;
    EXPECT_NE(j.out.find("\"overshoot\": 0.0, "), std::string::npos) << j.out;
    // Times within one sample (20 ms) of τ, τ·ln 9 and τ·ln 20.
    EXPECT_NEAR(Valeur(j.out, "time_constant"), Tau, 0.02);
    EXPECT_NEAR(Valeur(j.out, "rise_time"), Tau * std::log(9.0), 0.02);
    EXPECT_NEAR(Valeur(j.out, "settling_time"), Tau * std::log(20.0), 0.02);
    // The quantity by its number, as text.
    const Sortie t = Ctl({"study", "step", f, "--trial", "3", "--quantity", "4"});
    EXPECT_TRUE(Commence(t.out, "initial value: 0.00 V\nfinal value: 100.00 V\nstart: 1.0000 s\n"))
        << t.out;

    // Two points are too few: nothing applies.
    EXPECT_EQ(Ctl({"study", "step", f, "--trial", "1", "--quantity", "n", "--json"}).out,
              "{\"initial\": null, \"final\": null, \"start\": null, \"rise_time\": null, "
              "\"time_constant\": null, \"overshoot\": null, \"settling_time\": null}\n");
    EXPECT_TRUE(Commence(Ctl({"study", "step", f, "--trial", "1", "--quantity", "Tu"}).out,
                         "initial value: \u2014\nfinal value: \u2014\n"));
}

TEST_F(OrvanectlAnalyse, BadArgumentsAreRefusedWithStatusTwoAndOneLine) {
    const std::vector<std::vector<std::string>> lignes = {
        {"study", "fit", f},  // no -o
        {"study", "operating-point", f, "--trial", "1"},
        {"study", "operating-point", f, "--trial", "1", "--law", "power", "-5"},
        {"study", "operating-point", f, "--trial", "1", "--law", "linear", "1"},
        {"study", "operating-point", f, "--trial", "1", "--law", "cubic", "1"},
        {"study", "operating-point", f, "--trial", "9", "--law", "constant", "5"},
        {"study", "operating-point", f, "--trial", "2", "--law", "constant", "5"},  // a load
        {"study", "operating-point", f, "--trial", "1", "--load-trial", "3"},       // no law
        {"study", "step", f, "--trial", "3", "--quantity", "X"},
        {"study", "step", f, "--trial", "3", "--quantity", "12"},
        {"study", "step", f, "--trial", "3", "--quantity", "U", "--csv"},
    };
    for (const auto& l : lignes) {
        const Sortie s = Ctl(l);
        std::string texte;
        for (const auto& a : l) texte += a + " ";
        EXPECT_EQ(s.statut, 2) << texte;
        EXPECT_TRUE(s.out.empty()) << texte;
        EXPECT_EQ(std::count(s.err.begin(), s.err.end(), '\n'), 1) << texte << s.err;
        EXPECT_EQ(s.err.rfind("orvanectl: ", 0), 0u) << s.err;
    }
    // A missing file is a file failure, with its own line.
    const Sortie m = Ctl({"study", "fit", dossier / "absent.OVX2", "-o", dossier / "y.OVX2"});
    EXPECT_EQ(m.statut, ctl::ErreurFichier);
    EXPECT_FALSE(fs::exists(dossier / "y.OVX2"));
}

}  // namespace
