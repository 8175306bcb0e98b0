// The load laws: slider constraints, damaged headers and drive parameter words.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace orvane {
void PrintTo(const PointCharge& p, std::ostream* os) { *os << '(' << p.N << ", " << p.T << ')'; }
}  // namespace orvane

namespace {

AffichageCharge Afficher(int type, EnteteCaract& r) {
    const BornesCurseurs& b = BornesDe(type);
    return CalculerAffichage(type, r, EchellesDe(0, 50), b.MaxA, b.MaxB, 100, TexteFrancais);
}

// The user moves one slider: the law's constraint holds, the words of the
// sliders that moved are written and no other word.
TEST(LoisCharge, SliderConstraintsOfEveryLaw) {
    const struct {
        int type;
        Curseur bouge;
        int32_t a, b;  // slider values after the user's move
        int32_t aFin, bFin;
        int motA, motB;  // -1: word not written
    } cas[] = {
        {6, Curseur::B, 0, 77, 0, 77, -1, 3},  // constant torque: A hidden, B alone
        {10, Curseur::A, 40, 77, 40, 77, -1, -1},
        {7, Curseur::A, 10, 90, 10, 90, 4, -1},  // linear: free sliders
        {11, Curseur::B, 10, 90, 10, 90, -1, 5},
        {8, Curseur::B, 40, 90, 90, 90, 6, 7},    // quadratic: B drags A up,
        {12, Curseur::A, 30, 60, 60, 60, 6, -1},  // A under B is put back level
        {9, Curseur::A, 3, 50, 10, 50, 9, -1},    // constant power: both at least 10
        {13, Curseur::B, 3, 0, 10, 10, 9, 8},
        {14, Curseur::B, 20, 70, 70, 70, 10, 11},   // cyclic: maximum never below minimum
        {15, Curseur::A, 120, 80, 80, 80, 24, -1},  // sticking: running ≤ sticking torque
        {16, Curseur::B, 60, 30, 30, 30, 24, 23},
        {17, Curseur::A, 200, 0, 200, 0, 26, -1},  // lifting: A alone, 50..250
        {18, Curseur::B, 60, 10, 60, 10, -1, -1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.type);
        EtatCurseurs s;
        s.DefinirBornes(c.type);
        s.PlacerA(c.a);
        s.PlacerB(c.b);
        EnteteCaract r{};
        for (int w = 0; w < 30; ++w) r[w] = -7;
        ContraindreCurseurs(c.type, c.bouge, s, r);
        EXPECT_EQ(std::pair(s.ValeurA(), s.ValeurB()), std::pair(c.aFin, c.bFin));
        for (int w = 0; w < 30; ++w)
            EXPECT_EQ(r[w], w == c.motA ? c.aFin : (w == c.motB ? c.bFin : -7)) << "word " << w;
    }
}

TEST(LoisCharge, DamagedHeaderBroughtIntoRangesWithoutCrashing) {
    const EnteteCaract r = EnteteCaractDefaut;
    for (int type = 6; type <= 18; ++type) {
        EnteteCaract v = r;  // the defaults are valid
        EXPECT_TRUE(!BornerMotsCharge(type, v) && std::memcmp(&v, &r, sizeof r) == 0) << type;
    }
    const int32_t cas[][4] = {{13, 9, -40, 10}, {14, 10, 100000, 150}, {17, 28, 0, 50}};
    for (const auto& c : cas) {
        EnteteCaract d = r;
        d[c[1]] = c[2];
        EXPECT_TRUE(BornerMotsCharge(c[0], d)) << c[0] << " word " << c[1];
        EXPECT_EQ(d[c[1]], c[3]) << c[0] << " word " << c[1];
    }
    // Every word 0, efficiency included: no division by zero.
    EnteteCaract zero{};
    for (int type = 6; type <= 18; ++type) {
        EXPECT_TRUE(Afficher(type, zero).Valide) << type;
        ParametresCharge(type, zero, EchellesDe(0, 50));
    }
    // Beyond the slider: its top; below: its bottom.
    EXPECT_EQ(PositionInertie(INT32_MAX, 200) + PositionInertie(-5, 1000), 50);
    // A tiny or empty plot has no ticks rather than a zero step.
    for (int type : {6, 9, 14, 17})
        for (int l : {0, 10, 60}) {
            EnteteCaract v = EnteteCaractDefaut;
            const AffichageCharge a = Afficher(type, v);
            const GeometrieTrace g =
                CalculerTrace(0, 0, l, l, a.Vitesse, a.Couple, a.Points, 14, 30);
            EXPECT_TRUE((g.PasX > 0 || g.GradVitesse.empty()) &&
                        (g.PasY > 0 || g.GradCouple.empty()))
                << type;
        }
}

// The five drive words of every law, worked out by hand (scaled word =
// Tscale × word / 150, truncated). The defaults, inertia (word 14) set to
// 250: words 3..13 = 20, 50, 20, 50, 20, 50, 20, 50, 20, 100, 1 and 23..28 =
// 50, 20, 10, 130, 10, 85. Ranges: Tscale / Pscale 1500 / 1500 (0),
// 300 / 500 (1), 1500 / 2000 (2), 3000 / 4500 (3); N0 1500 at 50 Hz, 1800 at 60.
TEST(LoisCharge, DriveParametersPerLaw) {
    const struct {
        int type, gamme, frequence;
        std::vector<std::pair<int, int32_t>> mots;  // words changed from the defaults
        std::array<int32_t, 5> p;
    } cas[] = {
        // Defaults, range 0, 50 Hz; the dynamic twin adds word 14 as P4.
        {6, 0, 50, {}, {0, 200, 0, 0, 0}},  // 1500 × 20 / 150 = 200
        {10, 0, 50, {}, {0, 200, 0, 0, 250}},
        {7, 0, 50, {}, {500, 200, 1500, 0, 0}},  // 1500 × 50 / 150 = 500, × 20 → 200, N0
        {11, 0, 50, {}, {500, 200, 1500, 0, 250}},
        {8, 0, 50, {}, {500, 200, 1500, 0, 0}},  // words 6, 7: 50 → 500, 20 → 200, N0
        {12, 0, 50, {}, {500, 200, 1500, 0, 250}},
        {9, 0, 50, {}, {500, 0, 382, 0, 0}},  // 1500 × 20 × 956 / 50 / 1500 = 382.4
        {13, 0, 50, {}, {500, 0, 382, 0, 250}},
        {14, 0, 50, {}, {500, 200, 90, 10, 250}},  // (10 − 1) × 100 / 10 = 90; 100 × 1 / 10
        {15, 0, 50, {}, {200, 500, 10, 0, 0}},  // running (24) 20 → 200, sticking (23) 50 → 500
        {16, 0, 50, {}, {200, 500, 10, 0, 250}},
        {17, 0, 50, {}, {130, 85, 10, 0, 0}},  // 1500 × 130 / 1500 = 130 kg; efficiency; speed
        {18, 0, 50, {}, {130, 85, 10, 0, 250}},
        // Other words, ranges and frequencies.
        {6, 1, 50, {{3, 77}}, {0, 154, 0, 0, 0}},                  // 300 × 77 / 150 = 154
        {10, 3, 60, {{3, 33}, {14, 1000}}, {0, 660, 0, 0, 1000}},  // 3000 × 33 / 150 = 660
        {7, 2, 60, {{4, 120}, {5, 7}}, {1200, 70, 1800, 0, 0}},    // 1500 × 120 / 150; × 7
        {11, 1, 50, {{4, 149}, {5, 1}, {14, 40}}, {298, 2, 1500, 0, 40}},  // 300 × 149 / 150 = 298
        {8, 1, 60, {{6, 100}, {7, 30}}, {200, 60, 1800, 0, 0}},  // 300 × 100 / 150; × 30
        {12, 3, 50, {{6, 90}, {7, 45}, {14, 500}}, {1800, 900, 1500, 0, 500}},  // 3000 × 90 / 150
        {9, 1, 60, {{8, 10}, {9, 150}}, {20, 0, 23900, 0, 0}},  // 500 × 150 × 956 / 10 / 300
        // 3000 × 150 / 150 = 3000; 4500 × 10 × 956 / 150 / 3000 = 95.6
        {13, 3, 50, {{8, 150}, {9, 10}, {14, 3000}}, {3000, 0, 95, 0, 3000}},
        // 300 × 150 / 150 = 300, × 75 → 150; (10 − 7) × 30 / 10 = 9; 30 × 7 / 10 = 21
        {14, 1, 60, {{10, 150}, {11, 75}, {12, 30}, {13, 7}, {14, 200}}, {300, 150, 9, 21, 200}},
        {15, 3, 60, {{23, 100}, {24, 40}, {25, 55}}, {800, 2000, 55, 0, 0}},  // 3000 × 40 / 150
        {16, 1, 50, {{23, 150}, {24, 149}, {25, 100}, {14, 60}}, {298, 300, 100, 0, 60}},
        {17, 3, 60, {{27, 12}, {28, 70}}, {216, 70, 12, 0, 0}},  // 3000 × 130 / 1800 = 216.7 kg
        // 300 × 250 / 1800 = 41.7 kg; P4 is word 14, not word 29
        {18, 1, 60, {{26, 250}, {27, 20}, {28, 50}, {14, 77}, {29, 999}}, {41, 50, 20, 0, 77}},
        // No law: nothing.
        {3, 0, 50, {}, {0, 0, 0, 0, 0}},
        {19, 0, 50, {}, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cas) {
        EnteteCaract r = EnteteCaractDefaut;
        r[MotInertie] = 250;
        for (auto [mot, v] : c.mots) r[mot] = v;
        EXPECT_EQ(ParametresCharge(c.type, r, EchellesDe(c.gamme, c.frequence)), c.p)
            << c.type << ", range " << c.gamme << ", " << c.frequence << " Hz";
    }
}

// The panel's plot on the rectangle (0, 0, 330, 250), "M" 10 pixels high and
// the torque maximum's text 20 wide, worked out by hand from the defaults at
// range 0. Axes at x0 = 20 + 10 = 30 and y0 = 250 − 10 − 10 = 230 when the
// minima are 0; a pixel is (x0 + n × xstep × ticks / Nmax, y0 − T × ystep ×
// ticks / Tmax). Ticks read "pixel:label".
TEST(LoisCharge, PlotPixelsAndTicks) {
    auto texte = [](const std::vector<GraduationCharge>& g) {
        std::string s;
        for (const GraduationCharge& x : g)
            s += (s.empty() ? "" : " ") + std::to_string(x.Position) + ':' + x.Texte;
        return s;
    };
    const struct {
        int type, frequence;
        std::array<int, 4> axes;                             // x0, y0, xstep, ystep
        std::vector<std::pair<size_t, PointCharge>> pixels;  // polyline index, pixel
        std::string vitesse, couple;                         // ticks
    } cas[] = {
        // Constant power: P 200 W, Tm 500, corner 200 × 956 / 500 = 382; steps
        // (330 − 30 − 20) / 4 = 70 and (230 − 20) / 3 = 70; corner column
        // 30 + 382 × 280 / 1500 = 101, row 230 − 500 × 210 / 1500 = 160;
        // 400 tr/min: 478 → (30 + 74, 230 − 66); 2000: 95 → (30 + 373, 230 − 13).
        // Ticks of 1500 / 4 = 375 tr/min and 1500 / 100 / 3 = 5 N·m.
        {9,
         50,
         {30, 230, 70, 70},
         {{0, {30, 160}}, {1, {101, 160}}, {4, {101, 160}}, {5, {104, 164}}, {21, {403, 217}}},
         "100:375 170:750 240:1125 310:1500",
         "160:5 90:10 20:15"},
        // Cyclic: R 100, p 1, L 1000, Tmin 200, Tmax 500; the axis is 20 × R =
        // 2000 tenths of a revolution, 2000 / 10 / 4 = 50 revolutions a tick.
        // (450, 200) → (30 + 450 × 280 / 2000, 230 − 200 × 210 / 1500) = (93, 202).
        {14,
         50,
         {30, 230, 70, 70},
         {{1, {93, 202}}, {2, {100, 160}}},
         "100:50 170:100 240:150 310:200",
         "160:5 90:10 20:15"},
        // Lifting at 60 Hz: N0 1800, M = 130 × 1500 / 1800 = 108, Tup 108 ×
        // 6250 / 85 / 10 = 794, Tdown 108 × 6250 × 85 / 100000 = 573. Axes
        // −1800..1800 and −300..3000: y0 = 250 × −300 / 3300 + 250 = 228, x0 =
        // 1800 × 330 / 3600 = 165; steps 145 / 3 = 48 and 208 / 3 = 69; rows
        // 228 − 573 × 207 / 3000 = 189 and 228 − 794 × 207 / 3000 = 174.
        // Torque ticks of 3000 / 100 / 3 = 10 N·m; the first step down (297)
        // is past the bottom.
        {17,
         60,
         {165, 228, 48, 69},
         {{0, {21, 189}}, {1, {165, 189}}, {2, {165, 174}}, {3, {309, 174}}},
         "213:600 261:1200 309:1800 117:-600 69:-1200 21:-1800",
         "159:10 90:20 21:30"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.type);
        EnteteCaract r = EnteteCaractDefaut;
        const BornesCurseurs& b = BornesDe(c.type);
        const AffichageCharge a = CalculerAffichage(c.type, r, EchellesDe(0, c.frequence), b.MaxA,
                                                    b.MaxB, 100, TexteFrancais);
        const GeometrieTrace g =
            CalculerTrace(0, 0, 330, 250, a.Vitesse, a.Couple, a.Points, 10, 20);
        EXPECT_EQ((std::array{g.X0, g.Y0, g.PasX, g.PasY}), c.axes);
        for (const auto& [i, px] : c.pixels) {
            ASSERT_LT(i, g.Points.size());
            EXPECT_EQ(g.Points[i], px) << "point " << i;
        }
        EXPECT_EQ(texte(g.GradVitesse), c.vitesse);
        EXPECT_EQ(texte(g.GradCouple), c.couple);
    }
}

}  // namespace
