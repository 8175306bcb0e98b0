// Supply off: the machine coasts to rest, nothing electrical; on again it
// starts, more slowly with added inertia.
#include <gtest/gtest.h>

#include "comm/Registres.h"
#include "sim/Variateur.h"
#include "study/Records.h"

using namespace orvane;
using namespace orvane::sim;

TEST(SimAlimentation, ArretPuisDemarrageAvecEtSansInertieAjoutee) {
    int montee[2] = {-1, -1};  // ms to 90 % of 95 % of the no-load speed
    for (int j : {0, 1}) {
        Variateur v;
        v.SetTypeMachine(MasTriphasee);
        const double aVide = v.VitesseTrMin();
        ASSERT_GT(aVide, 1400);
        v.SetMachineAlimentee(false), v.Avancer(60000);
        EXPECT_TRUE(v.VitesseTrMin() == 0 && v.Electrique().courant == 0 &&
                    v.Electrique().puissance == 0);
        // A linear load of 2 N·m at the scale, with or without 0.5 kg·m² added.
        const int32_t bloc[6] = {0, 200, 0, 0, j * 500, 0};
        ASSERT_EQ(v.EcrireRegistres(ParamBlocCharge.menu, ParamBlocCharge.parametre, 6, bloc) |
                      v.EcrireRegistre(ParamControle.menu, ParamControle.parametre,
                                       ModeLineaire * 256 + ControleMarche),
                  Succes);
        v.SetMachineAlimentee(true);
        for (int t = 0; t <= 20000 && montee[j] < 0; t += 10, v.Avancer(10))
            if (v.VitesseTrMin() >= 0.9 * 0.95 * aVide) montee[j] = t;
        EXPECT_GT(montee[j], 0);
        EXPECT_GT(v.Electrique().courant, 0);
    }
    EXPECT_GT(montee[1], 3 * montee[0]);
}
