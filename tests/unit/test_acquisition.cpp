// The rules of the load acquisitions: thresholds written out by hand, the
// strict trigger, the spacing test of the automatic points and the end of a
// capture.
#include <gtest/gtest.h>

#include "study/Acquisition.h"

using namespace orvane;

TEST(Acquisition, TableSeuilsParGamme) {
    // Columns 0..11 of each range, as the table of thresholds reads.
    const int32_t attendu[4][12] = {{10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
                                    {10, 10, 2, 2, 10, 2, 2, 10, 10, 10, 2, 10},
                                    {10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
                                    {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}};
    for (int g = 0; g < 4; ++g)
        for (int q = 0; q < 12; ++q) EXPECT_EQ(TableSeuils[g][q], attendu[g][q]) << g << " " << q;
}

TEST(Acquisition, SeuilDeclenchement) {
    struct Cas {
        int32_t echelle, gamme, grandeur, seuil;
    } cas[] = {
        {1500, 1, 1, 15},  // speed, range 1: 15 tr/min
        {2000, 1, 2, 4},   // torque 20,00 N·m, range 1: 0,04 N·m
        {2000, 2, 2, 10}, {2000, 3, 2, 20}, {999, 1, 2, 1},  // 1,998 truncated
        {400, 0, 4, 4},   {1500, 4, 1, 0},  {1500, -1, 1, 0}, {1500, 1, 12, 0},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(SeuilDeclenchement(c.echelle, c.gamme, c.grandeur), c.seuil)
            << c.echelle << " " << c.gamme << " " << c.grandeur;
}

TEST(Acquisition, DeclencheStrictement) {
    EXPECT_FALSE(Declenche(115, 100, 15));  // exactly the threshold
    EXPECT_TRUE(Declenche(116, 100, 15));
    EXPECT_FALSE(Declenche(85, 100, 15));
    EXPECT_TRUE(Declenche(84, 100, 15));
    EXPECT_FALSE(Declenche(0, 0, 0));
    EXPECT_TRUE(Declenche(1, 0, 0));
    EXPECT_TRUE(Declenche(INT32_MAX, INT32_MIN, 10));  // no overflow
}

TEST(Acquisition, DistanceDesPoints) {
    struct Cas {
        int32_t n, t, nRef, tRef, w;
        int64_t d2;
        bool loin;
    } cas[] = {
        {0, 0, 0, 0, 100, 0, false},
        {44, 2, 0, 0, 10, 1936 + 40, false},    // 1976
        {40, 2, 0, 0, 100, 1600 + 400, false},  // exactly 2000: no point
        {40, 2, 0, 1, 100, 1600 + 100, false},
        {1, 0, 0, 0, 2001, 1, false},
        {0, 1, 0, 0, 2001, 2001, true},  // 2001: a point
        {-40, -2, 0, 0, 100, 2000, false},
        {1500, 3000, -1500, -3000, 100, 9000000LL + 100LL * 36000000LL, true},
        {32767, -32768, -32768, 32767, 100, 65535LL * 65535 * 101, true},  // 16-bit extremes
    };
    for (const Cas& c : cas) {
        const int64_t d2 = DistanceCarree(c.n, c.t, c.nRef, c.tRef, c.w);
        EXPECT_EQ(d2, c.d2) << c.n << " " << c.t;
        EXPECT_EQ(AssezLoin(d2), c.loin) << c.n << " " << c.t;
    }
}

TEST(Acquisition, PoidsCoupleParGamme) {
    EXPECT_EQ(PoidsCoupleCharge(0), 10);
    EXPECT_EQ(PoidsCoupleCharge(1), 100);
    EXPECT_EQ(PoidsCoupleCharge(2), 10);
    EXPECT_EQ(PoidsCoupleCharge(3), 3);
}

TEST(Acquisition, FinDeCapture) {
    EXPECT_FALSE(CaptureFinie(500, 500));
    EXPECT_TRUE(CaptureFinie(501, 500));
    EXPECT_FALSE(CaptureFinie(12000, 12000));  // duration index 24
    EXPECT_TRUE(CaptureFinie(12001, 12000));
}

TEST(Acquisition, ItemsDeSynchronisation) {
    // Speed, torque, voltage and current; word 18 keeps quantity numbers.
    const int32_t grandeur[4] = {GVitesse, GCouple, GTension, GCourant};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GrandeurSynchroDeItem(i), grandeur[i]);
        EXPECT_EQ(ItemDeGrandeurSynchro(grandeur[i]), i);
    }
    EXPECT_EQ(GrandeurSynchroDeItem(-1), 0);
    EXPECT_EQ(GrandeurSynchroDeItem(4), 0);
    EXPECT_EQ(ItemDeGrandeurSynchro(0), -1);
    EXPECT_EQ(ItemDeGrandeurSynchro(GPuissanceMeca), -1);
    EXPECT_EQ(ItemDeGrandeurSynchro(6), -1);
}
