// The load line: laws, their crossings with a machine characteristic, the
// laws of static-load trials and the view words that keep them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "study/PointFonctionnement.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

constexpr double Pi = 3.14159265358979323846;

LoiCharge Constant(double t0) { return {GenreLoi::CoupleConstant, 0, t0}; }
LoiCharge Lineaire(double a, double b) { return {GenreLoi::Lineaire, a, b}; }
LoiCharge Quadratique(double a, double b) { return {GenreLoi::Quadratique, a, b}; }
LoiCharge Puissance(double p, double tmax = 0) {
    LoiCharge l{GenreLoi::PuissanceConstante};
    l.P = p, l.Tmax = tmax;
    return l;
}
LoiCharge Decollage(double tc, double tr, double nd) {
    LoiCharge l{GenreLoi::Decollage};
    l.Tc = tc, l.Tr = tr, l.Nd = nd;
    return l;
}

// The straight machine line T = 20 − 0,01·n from standstill to 2000 tr/min.
const std::vector<PointMachine> Droite = {{0, 20}, {2000, 0}};

struct Attendu {
    double n, T;
    bool stable;
};

void Verifier(const std::vector<Croisement>& c, const std::vector<Attendu>& a) {
    ASSERT_EQ(c.size(), a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(c[i].n, a[i].n, 1e-6) << i;
        EXPECT_NEAR(c[i].T, a[i].T, 1e-9) << i;
        EXPECT_NEAR(c[i].P, a[i].n * a[i].T * Pi / 30, 1e-6) << i;
        EXPECT_EQ(c[i].stable, a[i].stable) << i;
    }
}

TEST(PointFonctionnement, EachLawAgainstAStraightMachineLine) {
    // 20 − 0,01·n = 5: n = 1500; the load's slope 0 exceeds −0,01: stable.
    Verifier(Croisements(Droite, Constant(5)), {{1500, 5, true}});
    // 20 − 0,01·n = 0,005·n + 2: 18 = 0,015·n, n = 1200, T = 8.
    Verifier(Croisements(Droite, Lineaire(0.005, 2)), {{1200, 8, true}});
    // 8e-6·n² + 0,01·n − 18 = 0: n = 1000 (T = 10) or −2250, off the line;
    // the load's slope 2·8e-6·1000 = 0,016.
    Verifier(Croisements(Droite, Quadratique(8e-6, 2)), {{1000, 10, true}});
    // P = 250·π W: T = 7500 / n. 20·n − 0,01·n² = 7500: n² − 2000·n + 750000
    // = 0, n = 1000 ± 500. Load slope −7500 / n²: −0,03 at 500 (below the
    // machine's −0,01: unstable), −0,0033 at 1500 (stable).
    Verifier(Croisements(Droite, Puissance(250 * Pi)), {{500, 15, false}, {1500, 5, true}});
    // Capped at 12 N·m up to 7500 / 12 = 625 tr/min: 20 − 0,01·n = 12 at
    // 800, beyond the corner; on the hyperbola 500 is below it.
    Verifier(Croisements(Droite, Puissance(250 * Pi, 12)), {{1500, 5, true}});
    // Capped at 16 up to 468,75: crosses the cap at 400 (slope 0), then
    // the hyperbola at 500 and 1500.
    Verifier(Croisements(Droite, Puissance(250 * Pi, 16)),
             {{400, 16, true}, {500, 15, false}, {1500, 5, true}});
    // Break-away 23 → 7 N·m over 400 tr/min: 23 − 0,04·n = 20 − 0,01·n at
    // n = 100 (T = 19, slope −0,04: unstable), then 7 = 20 − 0,01·n at 1300.
    Verifier(Croisements(Droite, Decollage(23, 7, 400)), {{100, 19, false}, {1300, 7, true}});
}

TEST(PointFonctionnement, MachineCurvesOfSeveralSegments) {
    // An induction-machine-like curve given out of order: 10 → 20 (slope
    // 0,01) → 25 → 0 (slope −0,25 from 1400 to 1500). A constant 15 N·m:
    // 10 + 0,01·n = 15 at 500, slope 0 below 0,01: unstable; 25 − 0,25·(n −
    // 1400) = 15 at 1440: stable.
    const std::vector<PointMachine> asynchrone = {{1400, 25}, {0, 10}, {1500, 0}, {1000, 20}};
    Verifier(Croisements(asynchrone, Constant(15)), {{500, 15, false}, {1440, 15, true}});
    // The same load above the whole curve, and a quadratic one above it too
    // (1e-5·n² + 26 > 25): no crossing.
    EXPECT_TRUE(Croisements(asynchrone, Constant(30)).empty());
    EXPECT_TRUE(Croisements(asynchrone, Quadratique(1e-5, 26)).empty());

    // Two points at 1000 tr/min make one at their mean 12; the law crosses
    // exactly there, at the end of two segments: once, with the left
    // segment's slope −0,008.
    const std::vector<PointMachine> doubles = {{0, 20}, {1000, 10}, {1000, 14}, {2000, 0}};
    Verifier(Croisements(doubles, Constant(12)), {{1000, 12, true}});
    // A segment lying on the law gives its two ends.
    const auto long_ = Croisements({{0, 5}, {1000, 5}, {2000, 0}}, Constant(5));
    ASSERT_EQ(long_.size(), 2u);
    EXPECT_TRUE(long_[0].n == 0 && long_[1].n == 1000);
    // There the load is no steeper than the machine: not stable.
    EXPECT_FALSE(long_[0].stable || long_[1].stable);

    // Negative speeds: a·n·|n| + b with a = 2e-6, b = 1 is −2e-6·n² + 1
    // there. Against T = 0,003·n + 2 from −2000 to 0: 2e-6·n² + 0,003·n + 1
    // = 0, n² + 1500·n + 500000 = 0, n = −1000 (T = −1) or −500 (T = 0,5).
    // The load's slope 2·a·|n|: 0,004 above the line's 0,003 at −1000
    // (stable), 0,002 below it at −500.
    Verifier(Croisements({{-2000, -4}, {0, 2}}, Quadratique(2e-6, 1)),
             {{-1000, -1, true}, {-500, 0.5, false}});
    // T = 0,002·n + 1,5 from −2000 to 0: n² + 1000·n + 250000 = (n + 500)²,
    // tangent at −500 (T = 0,5): one crossing.
    const auto tangente = Croisements({{-2000, -2.5}, {0, 1.5}}, Quadratique(2e-6, 1));
    ASSERT_EQ(tangente.size(), 1u);
    EXPECT_NEAR(tangente[0].n, -500, 1e-3);
    EXPECT_NEAR(tangente[0].T, 0.5, 1e-6);
}

TEST(PointFonctionnement, NoCurveOrNoLawNoCrossing) {
    EXPECT_TRUE(Croisements({}, Constant(5)).empty());
    EXPECT_TRUE(Croisements({{1000, 10}}, Constant(10)).empty());
    // All at one speed: one point once merged.
    EXPECT_TRUE(Croisements({{1000, 5}, {1000, 15}}, Constant(10)).empty());
    // Points that are not numbers are left out.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Verifier(Croisements({{0, 20}, {nan, 3}, {2000, 0}, {500, nan}}, Constant(5)),
             {{1500, 5, true}});

    // Laws that are refused: a negative power or torque limit, no
    // break-away speed, a parameter that is not finite, no kind.
    const LoiCharge refusees[] = {
        Puissance(-10),     Puissance(100, -1),
        Decollage(5, 2, 0), Lineaire(std::numeric_limits<double>::infinity(), 0),
        LoiCharge{},        LoiCharge{static_cast<GenreLoi>(6)}};
    for (const LoiCharge& l : refusees) {
        EXPECT_FALSE(LoiValide(l));
        EXPECT_FALSE(CoupleLoi(l, 1000));
        EXPECT_TRUE(Croisements(Droite, l).empty());
    }
    // Huge parameters: whatever comes out is finite.
    for (const auto& c : Croisements({{-1e300, -1e300}, {1e300, 1e300}}, Quadratique(1e300, 1e300)))
        EXPECT_TRUE(std::isfinite(c.n) && std::isfinite(c.T) && std::isfinite(c.P));
}

TEST(PointFonctionnement, TorqueAndSlopeOfEachLaw) {
    const double nul = NAN;  // not defined there
    const struct {
        LoiCharge loi;
        double n, T, pente;
    } cas[] = {
        // A signed square: 2e-6·(−1000)·1000 + 1 = −1, slope 2·2e-6·1000.
        {Quadratique(2e-6, 1), -1000, -1, 0.004},
        // Constant power 100·π W: T = 3000 / n, none at standstill or
        // backwards; with a 6 N·m limit (corner 500 tr/min) 6 from
        // standstill.
        {Puissance(100 * Pi), 1000, 3, -0.003},
        {Puissance(100 * Pi), 0, nul, nul},
        {Puissance(100 * Pi, 6), -1, nul, nul},
        {Puissance(100 * Pi, 6), 0, 6, 0},
        {Puissance(100 * Pi, 6), 400, 6, 0},
        {Puissance(100 * Pi, 6), 1000, 3, -0.003},
        // Break-away 5 → 2 over 150 tr/min, the same at negative speeds.
        {Decollage(5, 2, 150), 75, 3.5, -0.02},
        {Decollage(5, 2, 150), -75, 3.5, 0.02},
        {Decollage(5, 2, 150), 150, 2, 0},
    };
    for (const auto& c : cas) {
        if (std::isnan(c.T)) {
            EXPECT_FALSE(CoupleLoi(c.loi, c.n) || PenteLoi(c.loi, c.n)) << c.n;
            continue;
        }
        EXPECT_DOUBLE_EQ(CoupleLoi(c.loi, c.n).value_or(NAN), c.T) << c.n;
        EXPECT_DOUBLE_EQ(PenteLoi(c.loi, c.n).value_or(NAN), c.pente) << c.n;
    }
}

// Kind and parameters of a law, for comparing laws as one value.
std::vector<double> Champs(const std::optional<LoiCharge>& l) {
    if (!l) return {};
    return {static_cast<double>(l->Genre), l->A, l->B, l->P, l->Tmax, l->Tc, l->Tr, l->Nd};
}

TEST(PointFonctionnement, LawsOfTheDefaultStaticTrials) {
    // Default words: 3 = 20; 4, 5 = 50, 20; 6, 7 = 50, 20; 8, 9 = 50, 20;
    // 23, 24, 25 = 50, 20, 10. Power range 2: Tscale 1500 (0,01 N·m),
    // Pscale 2000 W; 50 Hz: N0 = 1500 tr/min. A torque word w stands for
    // w × 1500 / 150 = 10·w hundredths of N·m.
    EnteteCaract e = EnteteCaractDefaut;
    auto loi = [&](int type, int gamme = 2, int frequence = 50) {
        e[MotTypeCaract] = type;
        return Champs(LoiDeEssai(e, gamme, frequence));
    };
    using C = std::vector<double>;
    EXPECT_EQ(loi(6), (C{1, 0, 2, 0, 0, 0, 0, 0}));
    // Linear: b = 2, T(1500) = 5: a = 3 / 1500; quadratic: a = 3 / 1500².
    EXPECT_EQ(loi(7), (C{2, 0.002, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(loi(8), (C{3, 3.0 / 2250000, 2, 0, 0, 0, 0, 0}));
    // Constant power: 20 × 2000 / 150 = 266 W (truncated, as the panel
    // shows it), limit 5 N·m.
    EXPECT_EQ(loi(9), (C{4, 0, 0, 266, 5, 0, 0, 0}));
    // Break-away: 5 N·m down to 2 at 10 % of 1500.
    EXPECT_EQ(loi(15), (C{5, 0, 0, 0, 0, 5, 2, 150}));
    // The dynamic twins read the same words; 60 Hz: N0 = 1800.
    EXPECT_EQ(loi(11), loi(7));
    EXPECT_EQ(loi(12, 2, 60), (C{3, 3.0 / 3240000, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(loi(16, 2, 60), (C{5, 0, 0, 0, 0, 5, 2, 180}));
    // Power range 1: Tscale 300, Pscale 500. 20 × 300 / 150 = 40 (0,40 N·m);
    // 20 × 500 / 150 = 66 W; 7 × 300 / 150 = 14.
    EXPECT_EQ(loi(6, 1), (C{1, 0, 0.4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(loi(13, 1), (C{4, 0, 0, 66, 1, 0, 0, 0}));
    e[3] = 7;
    EXPECT_EQ(loi(10, 1), (C{1, 0, 0.14, 0, 0, 0, 0, 0}));

    // No static law: machine trials, the cyclic and lifting loads, none;
    // words a damaged file made senseless (a negative power, no break-away
    // speed).
    for (int type : {0, 1, 5, 14, 17, 18, 19, -1}) EXPECT_TRUE(loi(type).empty()) << type;
    e[9] = -20, e[25] = 0;
    EXPECT_TRUE(loi(9).empty() && loi(15).empty());

    EXPECT_TRUE(EstCaracteristiqueMachine(1) && EstCaracteristiqueMachine(5));
    EXPECT_FALSE(EstCaracteristiqueMachine(0) || EstCaracteristiqueMachine(6));
}

class LoiEnregistree : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
    }
    void TearDown() override {
        ConfigGenerale = ConfigDefaut;
        InitEtude();
    }
    static std::vector<int32_t> Mots(const VueGraphe& v) {
        return {v.ReserveX[0], v.ReserveX[1], v.ReserveY[0], v.ReserveY[1]};
    }
};

TEST_F(LoiEnregistree, EachLawInTheViewsReservedWords) {
    VueGraphe v{};
    const struct {
        LoiCharge loi;
        std::vector<int32_t> mots;
    } cas[] = {
        {Constant(2.5), {1, 2500, 0, 0}},                        // 0,001 N·m
        {Lineaire(0.002, 2), {2, 2000000, 2000, 0}},             // 1e-9 N·m per tr/min
        {Quadratique(4.0 / 3e6, -1.5), {3, 1333333, -1500, 0}},  // 1e-12 per (tr/min)²
        {Puissance(266.5, 5), {4, 26650, 5000, 0}},              // 0,01 W
        {Decollage(5, 2, 150.5), {5, 5000, 2000, 150500}},       // nd in 0,001 tr/min
    };
    for (const auto& c : cas) {
        EcrireLoiVue(v, c.loi);
        EXPECT_EQ(Mots(v), c.mots);
        const auto lu = LireLoiVue(v);
        ASSERT_TRUE(lu);
        EXPECT_EQ(lu->essaiCharge, 0);
        EXPECT_EQ(lu->loi.Genre, c.loi.Genre);
        EXPECT_NEAR(lu->loi.A, c.loi.A, 1e-12);
        for (double n : {-700.0, 100.0, 1500.0})
            EXPECT_NEAR(CoupleLoi(lu->loi, n).value_or(0), CoupleLoi(c.loi, n).value_or(0), 1e-3);
    }
    // The rest of the slot is not touched.
    v.ZoomX = 12;
    EcrireLoiVue(v, std::nullopt);
    EXPECT_EQ(Mots(v), (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(v.ZoomX, 12);
}

TEST_F(LoiEnregistree, WordsThatHoldNoLawReadAsNone) {
    // Today's files: zeros.
    VueGraphe v{};
    EXPECT_FALSE(LireLoiVue(v));
    const std::vector<std::vector<int32_t>> sansLoi = {
        {6, 1, 1, 1},                         // no such kind
        {-3, 1, 1, 1},      {4, -100, 0, 0},  // a negative power
        {4, 100, -5, 0},                      // a negative torque limit
        {5, 5000, 2000, 0},                   // no break-away speed
        {99, 0, 0, 0},      {100, 0, 0, 0},
        {106, 0, 0, 0},     {102, 0, 0, 0},  // trial 2 is not in the study
    };
    for (const auto& m : sansLoi) {
        v.ReserveX[0] = m[0], v.ReserveX[1] = m[1], v.ReserveY[0] = m[2], v.ReserveY[1] = m[3];
        EXPECT_FALSE(LireLoiVue(v)) << m[0] << " " << m[1] << " " << m[2] << " " << m[3];
    }
    // Laws that cannot be held are not stored: a torque beyond 2^31 mN·m, an
    // invalid law, a break-away speed under one step.
    v.ReserveX[0] = 7;
    EcrireLoiVue(v, Constant(3e6));
    EXPECT_EQ(Mots(v), (std::vector<int32_t>{0, 0, 0, 0}));
    EcrireLoiVue(v, Puissance(-1));
    EXPECT_EQ(Mots(v), (std::vector<int32_t>{0, 0, 0, 0}));
    EcrireLoiVue(v, Decollage(5, 2, 0.0004));
    EXPECT_EQ(Mots(v), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST_F(LoiEnregistree, TheLawOfALoadTrialIsReadFromIt) {
    // Trial 2: a quadratic load, default words; trial 1 a machine trial.
    Etude.NbCaract = 2;
    Caracts[1].Entete[MotTypeCaract] = 1;
    Caracts[2].Entete[MotTypeCaract] = 8;
    VueGraphe v{};
    EcrireLoiVue(v, Constant(5), 2);
    EXPECT_EQ(Mots(v), (std::vector<int32_t>{102, 0, 0, 0}));
    // Power range 2 at 50 Hz (the default configuration): b = 2, a = 3 /
    // 1500²; at 60 Hz a = 3 / 1800².
    auto lu = LireLoiVue(v);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->essaiCharge, 2);
    EXPECT_EQ(lu->loi.Genre, GenreLoi::Quadratique);
    EXPECT_DOUBLE_EQ(lu->loi.A, 3.0 / 2250000);
    ConfigGenerale.FrequenceReseau = 60;
    EXPECT_DOUBLE_EQ(LireLoiVue(v)->loi.A, 3.0 / 3240000);
    // A machine trial has no law.
    EcrireLoiVue(v, std::nullopt, 1);
    EXPECT_FALSE(LireLoiVue(v));
}

class PointsDeLEtude : public LoiEnregistree {};

TEST_F(PointsDeLEtude, PointsInPhysicalUnitsAndTheNearestMeasuredPoint) {
    Etude.NbCaract = 1;
    Caracts[1].Entete[MotDernierPoint] = 1;
    Caracts[1].Point(GVitesse, 0) = 1500, Caracts[1].Point(GCouple, 0) = 1000;
    Caracts[1].Point(GVitesse, 1) = 1800, Caracts[1].Point(GCouple, 1) = 500;
    // Counts × 10^exponent: 0,01 N·m.
    const auto p = PointsEssai(1);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_TRUE(p[0].n == 1500 && p[0].T == 10 && p[1].n == 1800 && p[1].T == 5);
    EXPECT_TRUE(PointsEssai(2).empty() && PointsEssai(0).empty());

    // Predicted (1500, 5). Point 0 is 5 N·m off (a quarter of the 20 N·m
    // full scale), point 1 300 tr/min off (a fifth of 1500): point 1 is the
    // nearer one in shares of full scale, though farther in raw numbers.
    const auto e = EcartMesure(1, {1500, 5, 0, true});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->point, 1);
    EXPECT_DOUBLE_EQ(e->dn, 300);
    EXPECT_DOUBLE_EQ(e->dT, 0);
    // With a 60 N·m torque scale point 0 (1/12) beats point 1.
    Etude.Grandeurs[GCouple].PleineEchelle = 6000;
    EXPECT_EQ(EcartMesure(1, {1500, 5, 0, true})->point, 0);
    // A trial without points, or none at all.
    Caracts[1].Entete[MotDernierPoint] = -1;
    EXPECT_FALSE(EcartMesure(1, {1500, 5, 0, true}));
    EXPECT_FALSE(EcartMesure(4, {1500, 5, 0, true}));
}

}  // namespace
