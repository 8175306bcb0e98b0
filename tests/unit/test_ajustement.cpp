// Fitting a view to its points: quadrant, zoom steps and axis ranges.
//
// French descriptors: speed full scale 1500 tr/min (exponent 0), torque
// 2000 × 0.01 N·m, time 6000 × 0.01 s. The extent of a step z is full scale
// × 50 / TableZoom[z] counts, so for the speed 75000 / TableZoom[z] and for
// the torque 100000 / TableZoom[z] (truncated).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "graph/Ajustement.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

struct Pt {
    int32_t n, t;  // counts of speed and torque
};

class Ajustement : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
    }
    void TearDown() override { InitEtude(); }

    // Trial k (k ≤ NbCaract after the call) holding these points.
    static void Essai(int k, const std::vector<Pt>& points) {
        Etude.NbCaract = std::max(Etude.NbCaract, k);
        Caracts[k].Entete[MotDernierPoint] = static_cast<int32_t>(points.size()) - 1;
        for (size_t p = 0; p < points.size(); ++p) {
            Caracts[k].Point(GVitesse, static_cast<int>(p)) = points[p].n;
            Caracts[k].Point(GCouple, static_cast<int>(p)) = points[p].t;
        }
    }
    static VueGraphe Vue(int qX = GVitesse, int qY = GCouple) {
        VueGraphe v{};
        v.Presente = v.Affichee = 1;
        v.GrandeurX = qX;
        v.GrandeurY = qY;
        v.ZoomX = v.ZoomY = 18;
        v.Quadrant = 1;
        return v;
    }
    // Quadrant, X step, Y step of the fit.
    static std::vector<int32_t> Fit(const VueGraphe& v) {
        const auto a = AjusterVue(v);
        if (!a) return {};
        return {a->Quadrant, a->ZoomX, a->ZoomY};
    }
};

TEST_F(Ajustement, QuadrantHoldsTheSignsOfEveryPoint) {
    // 1480 tr/min: step 18 (1500) holds it, step 19 (55: 1363) does not;
    // 12,50 N·m: step 22 (75: 1333) holds it, step 23 (82: 1219) does not.
    Essai(1, {{1000, 500}});
    Essai(2, {{1480, 1250}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{1, 18, 22}));

    // One point per quadrant of the plane: all four. 300 and 4,00: step 35
    // (240: 312 and 416) holds them, step 36 (260: 288 and 384) does not.
    Essai(1, {{-300, 400}});
    Essai(2, {{200, -150}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{0, 35, 35}));

    // Each single quadrant and each half plane (a zero is on both sides).
    const struct {
        Pt a, b;
        int32_t quadrant;
    } cas[] = {
        {{-300, 400}, {-10, 0}, 7},    {{-300, -400}, {0, -10}, 5}, {{300, -400}, {10, 0}, 3},
        {{300, 400}, {-300, 10}, 8},   {{300, 400}, {10, -400}, 2}, {{-300, 400}, {-10, -400}, 6},
        {{300, -400}, {-300, -10}, 4},
    };
    for (const auto& c : cas) {
        Essai(1, {c.a});
        Essai(2, {c.b});
        EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{c.quadrant, 35, 35}))
            << c.a.n << "," << c.a.t << " " << c.b.n << "," << c.b.t;
    }
}

TEST_F(Ajustement, ZoomStepsAtTheEdgesOfTheTable) {
    // A single point: 750 and 10,00 fill step 25 (100: 750 and 1000)
    // exactly; step 26 (110: 681 and 909) is too small.
    Essai(1, {{750, -1000}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{3, 25, 25}));
    Essai(1, {{751, -1001}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{3, 24, 24}));

    // Points on the torque axis: the speed axis gets the last step; 15,00
    // N·m: step 20 (60: 1666) holds it, step 21 (68: 1470) does not.
    Essai(1, {{0, 500}, {0, 1500}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{1, 50, 20}));
    // On the speed axis, at negative speeds: 1200 tr/min in step 20 (1250).
    Essai(1, {{-500, 0}, {-1200, 0}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{7, 20, 50}));
    // The origin alone.
    Essai(1, {{0, 0}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{1, 50, 50}));

    // Step 0 holds 7500 tr/min and 100 N·m, step 1 (11) 6818 and 9090;
    // beyond step 0 the fit stays at step 0.
    Essai(1, {{6818, 9090}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{1, 1, 1}));
    Essai(1, {{6819, 9091}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{1, 0, 0}));
    Essai(1, {{-2000000000, 2000000000}});
    EXPECT_EQ(Fit(Vue()), (std::vector<int32_t>{7, 0, 0}));

    // The view's own quantities: torque across, speed up.
    Essai(1, {{1480, 1250}});
    EXPECT_EQ(Fit(Vue(GCouple, GVitesse)), (std::vector<int32_t>{1, 22, 18}));
}

TEST_F(Ajustement, OnlyTheStudysTrialsWithPointsCount) {
    VueGraphe v = Vue();
    v.ZoomX = 7, v.ZoomY = 9, v.Quadrant = 4;
    v.ReserveX[0] = 3;
    // No trial, then two empty ones: nothing, and the view is unchanged.
    EXPECT_FALSE(AjusterVue(v));
    Essai(1, {});
    Essai(2, {});
    EXPECT_FALSE(AjusterVue(v));
    // A record beyond the study's count is not one of its trials.
    Caracts[3].Entete[MotDernierPoint] = 0;
    Caracts[3].Point(GVitesse, 0) = 5000;
    EXPECT_FALSE(AjusterVue(v));
    const VueGraphe w = VueAjusteeDe(v);
    EXPECT_TRUE(w.ZoomX == 7 && w.ZoomY == 9 && w.Quadrant == 4);

    Essai(2, {{1480, 1250}});
    const VueGraphe f = VueAjusteeDe(v);
    EXPECT_TRUE(f.ZoomX == 18 && f.ZoomY == 22 && f.Quadrant == 1);
    // Everything else of the slot is kept.
    EXPECT_TRUE(f.Presente == 1 && f.GrandeurX == GVitesse && f.GrandeurY == GCouple &&
                f.ReserveX[0] == 3);
}

TEST_F(Ajustement, RangesInTheQuantitiesUnits) {
    using P = std::pair<double, double>;
    VueGraphe v = Vue();
    EXPECT_EQ(PlageX(v), (P{0, 1500}));
    EXPECT_EQ(PlageY(v), (P{0, 20}));
    // Quadrant 0, torque step 25: ±1000 counts = ±10 N·m.
    v.Quadrant = 0, v.ZoomY = 25;
    EXPECT_EQ(PlageX(v), (P{-1500, 1500}));
    EXPECT_EQ(PlageY(v), (P{-10, 10}));
    // Quadrant 5, speed step 19: 1363 truncated, then time step 50:
    // 6000 × 50 / 1000 = 300 counts of 0,01 s.
    v.Quadrant = 5, v.ZoomX = 19;
    EXPECT_EQ(PlageX(v), (P{-1363, 0}));
    v.GrandeurX = GTemps, v.ZoomX = 50, v.Quadrant = 8;
    EXPECT_EQ(PlageX(v), (P{-3, 3}));
    EXPECT_EQ(PlageY(v), (P{0, 10}));
    // A damaged slot is read within its tables, as the frame draws it.
    v.GrandeurX = 99, v.ZoomX = -4, v.Quadrant = 12;
    // Quantity 11, step 0: 30000 × 0,01 s; quadrant 8: both sides across.
    EXPECT_EQ(PlageX(v), (P{-300, 300}));
}

}  // namespace
