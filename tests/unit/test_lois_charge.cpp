// The load laws: slider constraints, damaged headers and drive parameter words.
#include <gtest/gtest.h>

#include <cstring>

#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

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

TEST(LoisCharge, DriveParametersPerLaw) {
    EnteteCaract r = EnteteCaractDefaut;
    r[MotInertie] = 250;
    const EchellesCharge e = EchellesDe(0, 50);
    const std::pair<int, std::array<int32_t, 5>> cas[] = {
        {9, {500, 0, 382, 0, 0}},  // P × 956 / Tm = 1500 × 20 × 956 / 50 / 1500
        {14, {500, 200, 90, 10, 250}},
        {17, {130, 85, 10, 0, 0}},
        {3, {0, 0, 0, 0, 0}},
    };
    for (const auto& [type, p] : cas) EXPECT_EQ(ParametresCharge(type, r, e), p) << type;
    EXPECT_EQ(ParametresCharge(17, r, EchellesDe(3, 60))[0], 3000 * 130 / 1800);
}

}  // namespace
