// Graph arithmetic: axis scales, tick labels, read-outs, smoothing, spline
// and the nearest point.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "graph/Echelle.h"

using namespace orvane;
using Textes = std::vector<std::string>;
using Entiers = std::vector<int64_t>;

namespace {

TaxeC Config(int32_t decimales, int32_t exposant, const std::string& unite = "") {
    TaxeC c;
    std::tie(c.Decimales, c.Exposant, c.Unite) = std::tuple(decimales, exposant, unite);
    return c;
}

TEchelleAxe Axe(int32_t min, int32_t max, int32_t decimales = 0, int32_t exposant = 0,
                int64_t debut = 0, int64_t fin = 1000, bool vertical = false) {
    TaxeC c = Config(decimales, exposant);
    c.Min = min;
    c.Max = max;
    TEchelleAxe e;
    PreparerEchelle(e, c);
    std::tie(e.Debut, e.Fin, e.Longueur) = std::tuple(debut, fin, fin - debut);
    calculechelle(e, vertical);
    return e;
}

Textes Libelles(const std::vector<Graduation>& g) {
    Textes r;
    for (const Graduation& t : g) r.push_back(t.Libelle);
    return r;
}

// Horizontal labels, six pixels a character as a narrow font would give.
Textes LibellesX(const TEchelleAxe& x) {
    return Libelles(GraduationsX(x, 3, [](const std::string& s) { return 6 * int64_t(s.size()); }));
}

}  // namespace

TEST(Echelle, StepOriginLabelsAndPixels) {
    for (const auto& c : {std::array<int64_t, 4>{-1500, 1500, 400, 0}, {-1000, -150, 100, -200}}) {
        const TEchelleAxe e = Axe(int32_t(c[0]), int32_t(c[1]));
        EXPECT_EQ((std::array{e.Pas, e.PasLibelle, e.Origine}), (std::array{c[2], c[2], c[3]}))
            << c[0];
    }
    // Tick labels from the origin outward; the value at the origin is not labelled.
    EXPECT_EQ(LibellesX(Axe(-1500, 1500)), (Textes{"400", "800", "1200", "-400", "-800", "-1200"}));
    // No label at the arrow end, whether the last tick falls exactly on it or just before.
    for (int64_t fin : {1000, 1009})
        EXPECT_EQ(LibellesX(Axe(0, 2000, 2, -2, 0, fin)).back(), "18,00");

    // A one-count range on a wide axis: the far values stop at the int32 ends.
    const TEchelleAxe z = Axe(0, 0, 0, 0, 0, 100000);
    EXPECT_EQ((std::array{PixelX(z, INT32_MAX), PixelX(z, INT32_MIN), PixelY(z, INT32_MAX)}),
              (std::array<int32_t, 3>{INT32_MAX, INT32_MIN, INT32_MIN}));
}

TEST(Echelle, EngineeringLabelsAndReadOuts) {
    const TEchelleAxe x = Axe(0, 2000, -1, 0);
    EXPECT_EQ(LibellesX(x).front(), "0,2");
    EXPECT_EQ(TexteUnite(Config(-1, 0, "W"), x) + TexteUnite(Config(-1, 0), x), "(kW)");
    // Decimals -1: engineering notation, five significant digits at most.
    const std::tuple<int32_t, TaxeC, const char*> cas[] = {
        {123456, Config(-1, 0, "W"), "123,45 kW"}, {INT32_MIN, Config(-1, 0, "W"), "-2,1474 GW"}};
    for (const auto& [v, config, texte] : cas) EXPECT_EQ(textevaleur(v, config), texte);
}

TEST(Courbe, ModesWeightsAndTheSpline) {
    // A single point: its marker only; 6 points: the 5-point filter.
    const int modes[][3] = {{5, 0, -1}, {5, 1, 2}, {5, 7, 5}, {6, 9, -1}};
    for (const auto& c : modes) EXPECT_EQ(ModeEffectif(c[0], c[1]), c[2]) << c[0] << " " << c[1];
    for (int k = 0; k <= 8; ++k)
        for (const PoidsSpline& w : {PoidsDebut(k), PoidsMilieu(k), PoidsFin(k)})
            EXPECT_EQ(w.Poids[0] + w.Poids[1] + w.Poids[2] + w.Poids[3], w.Denominateur) << k;

    const Entiers px = {10, 50, 90, 130, 170, 210, 250, 290};
    const Entiers py = {300, 120, 260, 80, 310, 40, 200, 190};
    const std::vector<PointPixel> r = PointsSpline(px, py, 0, 7, 7);
    ASSERT_EQ(r.size(), 1u + 8 * 7);
    for (size_t i = 0; i <= 7; ++i) EXPECT_TRUE(r[8 * i].x == px[i] && r[8 * i].y == py[i]) << i;

    // Three points are two parabolas; truncated toward zero: -335/128 gives -2.
    const std::vector<PointPixel> p =
        PointsLigne(ModeEffectif(2, 2), {0, 10, 20}, {0, -10, 5}, 0, 2, 2);
    ASSERT_EQ(p.size(), 17u);
    EXPECT_EQ(p[1].y, -2);
    EXPECT_EQ(p[9].y, (-7 * 0 + 126 * -10 + 9 * 5) / 128);  // the last parabola from P1
    // Two points in the spline modes are a straight segment.
    const std::vector<PointPixel> d = PointsLigne(ModeEffectif(4, 1), {5, 80}, {60, 7}, 0, 1, 1);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_TRUE(d[0].x == 5 && d[0].y == 60 && d[1].x == 80 && d[1].y == 7);
    EXPECT_TRUE(PointsLigne(0, {0, 10}, {0, 40}, 0, 1, 1).empty());
}

TEST(Courbe, FiltersAndTheNearestPoint) {
    // An impulse of 64 shows the 7-point weights, which are not binomial.
    Entiers a(13, 0);
    a[6] = 64;
    const Entiers b = Filtrer(a, 12, 7);
    EXPECT_EQ(Entiers(b.begin() + 3, b.begin() + 10), (Entiers{1, 8, 12, 22, 12, 8, 1}));
    // The ends stay and the window narrows near them.
    EXPECT_EQ(Filtrer({100, 0, 0, 0, 0, 0, 100}, 6, 5), (Entiers{100, 25, 6, 0, 6, 25, 100}));
    EXPECT_EQ(Filtrer({7, 9}, 1, 7), (Entiers{7, 9}));  // fewer points than the window
    // The nearest point keeps the lower index on a tie, within the drawn range.
    const Entiers px = {100, 0, 20, 20, 10}, py = {100, 0, 0, 0, 10};
    EXPECT_EQ(PointProche(px, py, 0, 4, 10, 0), 1);  // 1, 2 and 3 at 100
    EXPECT_EQ(PointProche(px, py, 0, -1, 0, 0), -1);
}
