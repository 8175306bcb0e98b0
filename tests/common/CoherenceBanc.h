// What the quantities of the simulated bench must satisfy for every machine
// type, whichever way the bench is reached: one row per machine type, the
// load the checks assume, and the checks themselves on the quantities
// computed from a measurement block.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "comm/Passerelle.h"
#include "comm/Registres.h"
#include "study/Records.h"

namespace orvane::essai {

struct LigneMachine {
    int32_t type;
    bool continu;     // DC supply: power factor 0
    bool excitation;  // field current measured
};

inline constexpr std::array<LigneMachine, NbTypesMachine> LignesMachines{{
    {MachineAucune, true, true},  // none chosen: measured as the DC machine it simulates
    {MccIndependante, true, true},
    {MccSerie, true, false},
    {MasTriphasee, false, false},
    {MsTriphasee, false, true},
    {VariateurContinu, true, false},
    {VariateurTriphase, false, false},
    {VariateurMonophase, false, false},
}};

// The constant-torque law (type 6) with its constant at half the slider,
// on the 1.5 kW bench: P1 = Tscale × 75 / 150.
inline constexpr int32_t TypeCoupleConstant = 6;
inline constexpr int32_t CoupleDemiEchelle = 1500 * 75 / 150;  // 0.01 N·m
inline constexpr std::array<int32_t, NbParamCharge> BlocCoupleConstant{
    0, CoupleDemiEchelle, 0, 0, 0, 0};
inline int32_t ControleCoupleConstant(int32_t bits) {
    return MotControle(TypeCoupleConstant, bits);
}
// The laboratory law T = K (type 1) with K at 50 %: the same torque.
inline constexpr int32_t TypeCoupleK = 1;
inline constexpr int32_t KDemi = 500;  // 0.1 %

// The two ways of loading the machine with half the scale's torque.
inline constexpr std::array<int32_t, 2> TypesChargeDemiEchelle{TypeCoupleK, TypeCoupleConstant};

// Quantities 1..11 of the measurement block 20.02..20.11 (bloc[0] is 20.02).
inline ValeursPoint Grandeurs(const int32_t* bloc, int32_t machine, int32_t calibre = 0) {
    std::array<int32_t, 12> r{};
    for (int i = 3; i <= 11; ++i) r[static_cast<size_t>(i)] = bloc[i - 2];
    ValeursPoint v{};
    CalculerValeurs(r, machine, calibre, 0, v);
    return v;
}

// Checks shared by rest and load: the supply is seen, the machine takes more
// power than it gives, and the ratios are ratios.
inline void VerifierGrandeurs(const ValeursPoint& v, const LigneMachine& l) {
    SCOPED_TRACE(::testing::Message() << "machine type " << l.type);
    EXPECT_GT(v[GVitesse], 0);
    EXPECT_GT(v[GTension], 0);
    EXPECT_GT(v[GCourant], 0);
    EXPECT_GT(v[GPuissanceElec], v[GPuissanceMeca]);
    EXPECT_GE(v[GRendement], 0);
    EXPECT_LE(v[GRendement], 1000);
    EXPECT_GE(v[GFacteurPuissance], 0);
    EXPECT_LE(v[GFacteurPuissance], 1000);
    if (l.continu) {
        EXPECT_EQ(v[GFacteurPuissance], 0);
    }
    EXPECT_EQ(v[GCourantExcitation] > 0, l.excitation);
}

// Under half the scale's torque: the shaft carries it, the machine
// motors with a plausible efficiency, an AC supply shows its power factor,
// and the load has not sped the machine up.
inline void VerifierEnCharge(const ValeursPoint& v, const ValeursPoint& repos,
                             const LigneMachine& l) {
    SCOPED_TRACE(::testing::Message() << "machine type " << l.type << " under load");
    VerifierGrandeurs(v, l);
    EXPECT_NEAR(v[GCouple], CoupleDemiEchelle, 15);
    EXPECT_GT(v[GPuissanceMeca], 0);
    EXPECT_GT(v[GRendement], 400);
    EXPECT_LT(v[GRendement], 1000);
    if (!l.continu) {
        EXPECT_GT(v[GFacteurPuissance], 0);
    }
    EXPECT_LE(v[GVitesse], repos[GVitesse]);
    EXPECT_GT(v[GPuissanceElec], repos[GPuissanceElec]);
}

}  // namespace orvane::essai
