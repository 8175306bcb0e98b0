// The rules of the load acquisitions: thresholds and weights per range, the
// strict trigger, the spacing test of the automatic points and the end and
// room of a capture.
#include <gtest/gtest.h>

#include "study/Acquisition.h"

using namespace orvane;

// The trigger thresholds, per mille of the full scale, written out by hand:
// rows by power range 0..3, columns by quantity 0..11.
constexpr int32_t Seuils[4][12] = {
    {10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
    {10, 10, 2, 2, 10, 2, 2, 10, 10, 10, 2, 10},
    {10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
    {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10},
};

TEST(Acquisition, ThresholdsAndTheStrictTrigger) {
    // With a full scale of 1000 the threshold is the table's entry itself.
    for (int g = 0; g < 4; ++g)
        for (int q = 0; q < 12; ++q)
            EXPECT_EQ(SeuilDeclenchement(1000, g, q), Seuils[g][q]) << "range " << g << " q" << q;
    // Full scale × entry / 1000, truncated; nothing outside the table.
    const int32_t cas[][4] = {{1500, 1, 1, 15}, {2000, 1, 2, 4}, {2000, 3, 2, 20},
                              {999, 1, 2, 1},   {1500, 4, 1, 0}, {1500, 1, 12, 0}};
    for (const auto& c : cas) EXPECT_EQ(SeuilDeclenchement(c[0], c[1], c[2]), c[3]) << c[0];
    // Beyond the threshold either way, never at it; no overflow at the ends.
    EXPECT_FALSE(Declenche(115, 100, 15) || Declenche(85, 100, 15) || Declenche(0, 0, 0));
    EXPECT_TRUE(Declenche(116, 100, 15) && Declenche(84, 100, 15) && Declenche(1, 0, 0));
    EXPECT_TRUE(Declenche(INT32_MAX, INT32_MIN, 10));
    EXPECT_TRUE(!CaptureFinie(500, 500) && CaptureFinie(501, 500));  // the end is strict too
    // 20 readings a second from 0 to the duration: 100 s is 2001, 101 s 2021.
    EXPECT_TRUE(CaptureTientDansEssai(5) && CaptureTientDansEssai(100));
    EXPECT_FALSE(CaptureTientDansEssai(101) || CaptureTientDansEssai(110) ||
                 CaptureTientDansEssai(-1));
}

TEST(Acquisition, AutomaticPointsNeedASquaredDistanceAbove2000) {
    // Torque weights by power range: 100 and 10 for ranges 1 and 2; range 0
    // has range 2's torque scale (10), range 3 twice it (10 / 4, rounded up: 3).
    const int32_t poids[] = {10, 100, 10, 3};
    for (int g = 0; g < 4; ++g) EXPECT_EQ(PoidsCoupleCharge(g), poids[g]) << "range " << g;
    EXPECT_EQ(DistanceCarree(40, 2, 0, 0, 100), 2000);  // exactly 2000: no point
    EXPECT_FALSE(AssezLoin(2000));
    EXPECT_EQ(DistanceCarree(0, 1, 0, 0, 2001), 2001);  // 2001: a point
    EXPECT_TRUE(AssezLoin(2001));
    EXPECT_EQ(DistanceCarree(32767, -32768, -32768, 32767, 100), 65535LL * 65535 * 101);
    EXPECT_TRUE(AssezLoin(65535LL * 65535 * 101));
}
