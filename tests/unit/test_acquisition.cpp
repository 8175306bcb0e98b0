// The rules of the load acquisitions: thresholds and weights per range, the
// strict trigger, the spacing test of the automatic points and the end of a
// capture.
#include <gtest/gtest.h>

#include "study/Acquisition.h"

using namespace orvane;

TEST(Acquisition, ThresholdTableAndTorqueWeightPerRange) {
    // Ten per mille everywhere but torque, mechanical and electrical power,
    // current and losses (columns 2, 3, 5, 6, 10), which take the range's own.
    const int32_t propre[4] = {5, 2, 5, 10};
    for (int g = 0; g < 4; ++g)
        for (int q = 0; q < 12; ++q) {
            const bool p = q == 2 || q == 3 || q == 5 || q == 6 || q == 10;
            EXPECT_EQ(TableSeuils[g][q], p ? propre[g] : 10) << g << " " << q;
        }
    EXPECT_EQ((std::array{PoidsCoupleCharge(0), PoidsCoupleCharge(1), PoidsCoupleCharge(2),
                          PoidsCoupleCharge(3)}),
              (std::array<int32_t, 4>{10, 100, 10, 3}));
}

TEST(Acquisition, TriggerThresholdIsStrict) {
    const struct {
        int32_t echelle, gamme, grandeur, seuil;
    } cas[] = {
        {1500, 1, 1, 15},  // speed, range 1: 15 tr/min
        {2000, 1, 2, 4},   // torque 20,00 N·m, range 1: 0,04 N·m
        {2000, 2, 2, 10}, {2000, 3, 2, 20}, {999, 1, 2, 1},  // 1,998 truncated
        {400, 0, 4, 4},   {1500, 4, 1, 0},  {1500, -1, 1, 0}, {1500, 1, 12, 0},
    };
    for (const auto& c : cas)
        EXPECT_EQ(SeuilDeclenchement(c.echelle, c.gamme, c.grandeur), c.seuil)
            << c.echelle << " " << c.gamme << " " << c.grandeur;
    // Beyond the threshold either way, never at it; no overflow at the ends.
    EXPECT_FALSE(Declenche(115, 100, 15) || Declenche(85, 100, 15) || Declenche(0, 0, 0));
    EXPECT_TRUE(Declenche(116, 100, 15) && Declenche(84, 100, 15) && Declenche(1, 0, 0));
    EXPECT_TRUE(Declenche(INT32_MAX, INT32_MIN, 10));
}

TEST(Acquisition, AutomaticPointsNeedASquaredDistanceAbove2000) {
    const struct {
        int32_t n, t, nRef, tRef, w;
        int64_t d2;
        bool loin;
    } cas[] = {
        {0, 0, 0, 0, 100, 0, false},
        {44, 2, 0, 0, 10, 1936 + 40, false},
        {40, 2, 0, 0, 100, 1600 + 400, false},  // exactly 2000: no point
        {40, 2, 0, 1, 100, 1600 + 100, false},
        {1, 0, 0, 0, 2001, 1, false},
        {0, 1, 0, 0, 2001, 2001, true},  // 2001: a point
        {-40, -2, 0, 0, 100, 2000, false},
        {1500, 3000, -1500, -3000, 100, 9000000LL + 100LL * 36000000LL, true},
        {32767, -32768, -32768, 32767, 100, 65535LL * 65535 * 101, true},  // 16-bit extremes
    };
    for (const auto& c : cas) {
        const int64_t d2 = DistanceCarree(c.n, c.t, c.nRef, c.tRef, c.w);
        EXPECT_EQ(d2, c.d2) << c.n << " " << c.t;
        EXPECT_EQ(AssezLoin(d2), c.loin) << c.n << " " << c.t;
    }
}

TEST(Acquisition, CaptureEndAndSynchronisationItems) {
    EXPECT_FALSE(CaptureFinie(500, 500) || CaptureFinie(12000, 12000));  // strict
    EXPECT_TRUE(CaptureFinie(501, 500) && CaptureFinie(12001, 12000));
    // Speed, torque, voltage and current; word 18 keeps quantity numbers.
    const int32_t grandeur[4] = {GVitesse, GCouple, GTension, GCourant};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GrandeurSynchroDeItem(i), grandeur[i]);
        EXPECT_EQ(ItemDeGrandeurSynchro(grandeur[i]), i);
    }
    EXPECT_EQ(GrandeurSynchroDeItem(-1) + GrandeurSynchroDeItem(4), 0);
    for (int q : {0, int(GPuissanceMeca), 6}) EXPECT_EQ(ItemDeGrandeurSynchro(q), -1) << q;
}
