// Step-response measurements of sampled responses whose measures are
// known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "study/Reponse.h"

using namespace orvane;

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Capture {
    std::vector<double> t, y;
};

// y0 until t0, then y0 + h·(1 − e^(−(t − t0)/τ)); n samples every dt from 0.
Capture PremierOrdre(double y0, double h, double t0, double tau, double dt, int n) {
    Capture c;
    for (int i = 0; i < n; ++i) {
        const double t = i * dt;
        c.t.push_back(t);
        c.y.push_back(t <= t0 ? y0 : y0 + h * (1 - std::exp(-(t - t0) / tau)));
    }
    return c;
}

TEST(Reponse, FirstOrderStep) {
    // τ = 0,5 s from t0 = 1 s, sampled every 20 ms for 10 s: 500 samples,
    // the last 50 (9 to 10 s, e^(−16) from the end) average the final value.
    const double tau = 0.5, dt = 0.02;
    const Capture c = PremierOrdre(2, 8, 1, tau, dt, 500);
    const MesuresReponse m = MesurerReponse(c.t, c.y);
    ASSERT_TRUE(m.initiale && m.finale && m.debut && m.montee && m.constante && m.depassement &&
                m.etablissement);
    EXPECT_DOUBLE_EQ(*m.initiale, 2);
    EXPECT_NEAR(*m.finale, 10, 1e-5);
    // The sample at 1 s is the last one inside the 2 % band: the next one
    // has moved 8·(1 − e^(−0,04)) = 0,31, beyond 0,16.
    EXPECT_NEAR(*m.debut, 1, 1e-9);
    // 63,2 % after τ, 10 % → 90 % in τ·ln 9, ±5 % after τ·ln 20.
    EXPECT_NEAR(*m.constante, tau, dt);
    EXPECT_NEAR(*m.montee, tau * std::log(9.0), dt);
    EXPECT_NEAR(*m.etablissement, tau * std::log(20.0), dt);
    EXPECT_NEAR(*m.depassement, 0, 1e-3);

    // A falling step measures the same times; values in its own direction.
    const Capture d = PremierOrdre(10, -8, 1, tau, dt, 500);
    const MesuresReponse f = MesurerReponse(d.t, d.y);
    ASSERT_TRUE(f.constante && f.montee && f.initiale && f.finale);
    EXPECT_NEAR(*f.constante, tau, dt);
    EXPECT_NEAR(*f.montee, tau * std::log(9.0), dt);
    EXPECT_DOUBLE_EQ(*f.initiale, 10);
    EXPECT_NEAR(*f.finale, 2, 1e-5);
}

TEST(Reponse, UnderdampedSecondOrderOvershoot) {
    // ζ = 0,3, ωn = 10 rad/s from t0 = 0,5 s, every ms for 5 s:
    // y = 1 − e^(−ζωn·s)/√(1 − ζ²)·sin(ωd·s + acos ζ), s = t − t0.
    // Overshoot e^(−ζπ/√(1 − ζ²)) = 37,2 %.
    const double zeta = 0.3, wn = 10, t0 = 0.5;
    const double wd = wn * std::sqrt(1 - zeta * zeta);
    Capture c;
    for (int i = 0; i < 5000; ++i) {
        const double t = i * 1e-3, s = t - t0;
        c.t.push_back(t);
        c.y.push_back(s <= 0 ? 0
                             : 1 - std::exp(-zeta * wn * s) / std::sqrt(1 - zeta * zeta) *
                                       std::sin(wd * s + std::acos(zeta)));
    }
    const MesuresReponse m = MesurerReponse(c.t, c.y);
    ASSERT_TRUE(m.depassement && m.debut && m.etablissement && m.finale);
    const double attendu = 100 * std::exp(-zeta * Pi / std::sqrt(1 - zeta * zeta));
    EXPECT_NEAR(*m.depassement, attendu, 0.01 * attendu);
    EXPECT_NEAR(*m.finale, 1, 1e-4);
    // It starts with zero slope, y ≈ (ωn·s)²/2: 2 % about 20 ms after t0.
    EXPECT_GT(*m.debut, t0);
    EXPECT_LT(*m.debut, t0 + 0.03);
    // The extrema at s = kπ/ωd lie e^(−ζωn·s) from 1: the third one 5,2 %
    // off, still outside ±5 %; the envelope e^(−ζωn·s)/√(1 − ζ²) is inside
    // from ln(1/(0,05·√(1 − ζ²)))/(ζωn) = 1,014 s on.
    const double fin = *m.debut + *m.etablissement;
    EXPECT_GT(fin, t0 + 3 * Pi / wd);
    EXPECT_LT(fin, t0 + std::log(1 / (0.05 * std::sqrt(1 - zeta * zeta))) / (zeta * wn));
}

TEST(Reponse, NoStepOrTooShort) {
    // A flat capture: no step; the level as initial and final value.
    const std::vector<double> t = {0, 1, 2, 3, 4};
    const MesuresReponse plat = MesurerReponse(t, {3, 3, 3, 3, 3});
    EXPECT_DOUBLE_EQ(plat.initiale.value_or(-1), 3);
    EXPECT_DOUBLE_EQ(plat.finale.value_or(-1), 3);
    EXPECT_FALSE(plat.debut || plat.montee || plat.constante || plat.depassement ||
                 plat.etablissement);

    // Too short, lengths that differ, times going back, no value: nothing.
    for (const MesuresReponse& m : {MesurerReponse({0, 1}, {0, 1}), MesurerReponse(t, {0, 1, 1, 1}),
                                    MesurerReponse({0, 2, 1, 3, 4}, {0, 0, 1, 1, 1}),
                                    MesurerReponse(t, {0, 0, NAN, 1, 1}), MesurerReponse({}, {})})
        EXPECT_FALSE(m.initiale || m.finale || m.debut || m.montee || m.constante ||
                     m.depassement || m.etablissement);

    // A ramp y = t over 10 samples: the last one alone makes the final
    // value 9, the first one the start and the initial value 0. Levels
    // between samples by interpolation: 10 % at 0,9 s, 90 % at 8,1 s,
    // 63,2 % at 5,688 s, inside ±5 % from 8,55 s.
    const std::vector<double> t10 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const MesuresReponse r = MesurerReponse(t10, t10);
    ASSERT_TRUE(r.debut && r.montee && r.constante && r.etablissement);
    EXPECT_DOUBLE_EQ(*r.debut, 0);
    EXPECT_NEAR(*r.montee, 8.1 - 0.9, 1e-9);
    EXPECT_NEAR(*r.constante, 5.688, 1e-9);
    EXPECT_NEAR(*r.etablissement, 8.55, 1e-9);
    // The 2 % band of a change of 8 is 0,16: 0,15 is inside, 0,17 beyond;
    // the initial value is the mean of the samples up to the start.
    const MesuresReponse b = MesurerReponse(t10, {0, 0.15, 0.17, 4, 8, 8, 8, 8, 8, 8});
    ASSERT_TRUE(b.debut && b.initiale);
    EXPECT_DOUBLE_EQ(*b.debut, 1);
    EXPECT_DOUBLE_EQ(*b.initiale, 0.075);
    // Still moving at the end: 20 samples, a step to 5 at 10 s, then 0 and
    // 10; the final value 5 (the last two), both of them outside the band.
    std::vector<double> t20, y20;
    for (int i = 0; i < 20; ++i) t20.push_back(i), y20.push_back(i < 10 ? 0 : 5);
    y20[18] = 0, y20[19] = 10;
    const MesuresReponse s = MesurerReponse(t20, y20);
    ASSERT_TRUE(s.debut && s.depassement);
    EXPECT_DOUBLE_EQ(*s.debut, 9);
    EXPECT_DOUBLE_EQ(*s.depassement, 100);
    EXPECT_FALSE(s.etablissement);
}

}  // namespace
