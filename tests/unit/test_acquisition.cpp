// The rules of the load acquisitions: thresholds and weights per range, the
// strict trigger, the spacing test of the automatic points and the end of a
// capture.
#include <gtest/gtest.h>

#include "study/Acquisition.h"

using namespace orvane;

TEST(Acquisition, ThresholdsAndTheStrictTrigger) {
    const int32_t cas[][4] = {{1500, 1, 1, 15}, {2000, 1, 2, 4}, {2000, 3, 2, 20},
                              {999, 1, 2, 1},   {1500, 4, 1, 0}, {1500, 1, 12, 0}};
    for (const auto& c : cas) EXPECT_EQ(SeuilDeclenchement(c[0], c[1], c[2]), c[3]) << c[0];
    // Beyond the threshold either way, never at it; no overflow at the ends.
    EXPECT_FALSE(Declenche(115, 100, 15) || Declenche(85, 100, 15) || Declenche(0, 0, 0));
    EXPECT_TRUE(Declenche(116, 100, 15) && Declenche(84, 100, 15) && Declenche(1, 0, 0));
    EXPECT_TRUE(Declenche(INT32_MAX, INT32_MIN, 10));
    EXPECT_TRUE(!CaptureFinie(500, 500) && CaptureFinie(501, 500));  // the end is strict too
}

TEST(Acquisition, AutomaticPointsNeedASquaredDistanceAbove2000) {
    const struct {
        int32_t n, t, nRef, tRef, w;
        int64_t d2;
        bool loin;
    } cas[] = {
        {40, 2, 0, 0, 100, 2000, false},                                   // exactly 2000: no point
        {0, 1, 0, 0, 2001, 2001, true},                                    // 2001: a point
        {32767, -32768, -32768, 32767, 100, 65535LL * 65535 * 101, true},  // 16-bit extremes
    };
    for (const auto& c : cas) {
        EXPECT_EQ(DistanceCarree(c.n, c.t, c.nRef, c.tRef, c.w), c.d2) << c.n;
        EXPECT_EQ(AssezLoin(c.d2), c.loin) << c.n;
    }
}
