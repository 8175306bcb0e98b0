// Supply off: the machine coasts to rest, nothing electrical; on again it
// starts, more slowly with added inertia.
#include <gtest/gtest.h>

#include "comm/Registres.h"
#include "sim/Variateur.h"
#include "study/Records.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

// Milliseconds until the speed reaches 90 % of `cible`; -1 if not within `maxMs`.
int TempsDeMontee(Variateur& v, double cible, int maxMs) {
    for (int t = 0; t <= maxMs; t += 10, v.Avancer(10))
        if (v.VitesseTrMin() >= 0.9 * cible) return t;
    return -1;
}

TEST(SimAlimentation, ArretPuisDemarrageAvecEtSansInertieAjoutee) {
    int montee[2] = {};
    for (int j : {0, 1}) {
        Variateur v;
        v.SetTypeMachine(MasTriphasee);
        const double aVide = v.VitesseTrMin();
        ASSERT_GT(aVide, 1400);
        v.SetMachineAlimentee(false);
        v.Avancer(60000);
        EXPECT_EQ(v.VitesseTrMin(), 0);
        EXPECT_EQ(v.Electrique().courant, 0);
        EXPECT_EQ(v.Electrique().puissance, 0);
        // A linear load of 2 N·m at the scale, with or without 0.5 kg·m² added.
        const int32_t bloc[6] = {0, 200, 0, 0, j * 500, 0};
        ASSERT_EQ(v.EcrireRegistres(ParamBlocCharge.menu, ParamBlocCharge.parametre, 6, bloc),
                  Succes);
        ASSERT_EQ(v.EcrireRegistre(ParamControle.menu, ParamControle.parametre,
                                   ModeLineaire * 256 + ControleMarche),
                  Succes);
        v.SetMachineAlimentee(true);
        montee[j] = TempsDeMontee(v, aVide * 0.95, 20000);
        EXPECT_GT(montee[j], 0);
        EXPECT_GT(v.Electrique().courant, 0);
    }
    EXPECT_GT(montee[1], 3 * montee[0]);
}

}  // namespace
