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
// on the 1.5 kW bench: P1 = Tscale × 75 / 150; and the laboratory law T = K
// (type 1) with K at 50 % (0.1 % steps): the same torque.
inline constexpr int32_t TypeCoupleConstant = 6, TypeCoupleK = 1, KDemi = 500;
inline constexpr int32_t CoupleDemiEchelle = 1500 * 75 / 150;  // 0.01 N·m
inline constexpr std::array<int32_t, NbParamCharge> BlocCoupleConstant{
    0, CoupleDemiEchelle, 0, 0, 0, 0};
inline constexpr std::array<int32_t, 2> TypesChargeDemiEchelle{TypeCoupleK, TypeCoupleConstant};

// Checks shared by rest and load: the supply is seen, the machine takes more
// power than it gives, and the ratios are ratios.
inline void VerifierGrandeurs(const ValeursPoint& v, const LigneMachine& l) {
    SCOPED_TRACE(::testing::Message() << "machine type " << l.type);
    EXPECT_TRUE(v[GVitesse] > 0 && v[GTension] > 0 && v[GCourant] > 0);
    EXPECT_GT(v[GPuissanceElec], v[GPuissanceMeca]);
    EXPECT_TRUE(v[GRendement] >= 0 && v[GRendement] <= 1000);
    EXPECT_TRUE(v[GFacteurPuissance] >= 0 && v[GFacteurPuissance] <= 1000);
    EXPECT_TRUE(!l.continu || v[GFacteurPuissance] == 0);
    EXPECT_EQ(v[GCourantExcitation] > 0, l.excitation);
}

// Under half the scale's torque: the shaft carries it, the machine motors
// with a plausible efficiency, an AC supply shows its power factor, and the
// load has not sped the machine up.
inline void VerifierEnCharge(const ValeursPoint& v, const ValeursPoint& repos,
                             const LigneMachine& l) {
    SCOPED_TRACE(::testing::Message() << "machine type " << l.type << " under load");
    VerifierGrandeurs(v, l);
    EXPECT_NEAR(v[GCouple], CoupleDemiEchelle, 15);
    EXPECT_TRUE(v[GPuissanceMeca] > 0 && v[GRendement] > 400 && v[GRendement] < 1000);
    EXPECT_TRUE(l.continu || v[GFacteurPuissance] > 0);
    EXPECT_LE(v[GVitesse], repos[GVitesse]);
    EXPECT_GT(v[GPuissanceElec], repos[GPuissanceElec]);
}

}  // namespace orvane::essai
