// The load laws: tables written out by hand, the panel's captions and values
// with the worked examples, the slider constraints of every law, the inertia
// steps, the plot geometry and the drive parameter words.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

using Points = std::vector<PointCharge>;

EnteteCaract Defaut() { return EnteteCaractDefaut; }

AffichageCharge Afficher(int type, EnteteCaract& r, int gamme = 0, int frequence = 50,
                         const TTextesOrvane& t = TexteFrancais) {
    const BornesCurseurs& b = BornesDe(type);
    return CalculerAffichage(type, r, EchellesDe(gamme, frequence), b.MaxA, b.MaxB, 100, t);
}

TEST(LoisCharge, PowerRangeAndSliderTables) {
    const int32_t gammes[4][5] = {{1500, 1500, 1500, 1000, 1500},
                                  {1500, 300, 500, 200, 300},
                                  {1500, 1500, 2000, 1000, 1500},
                                  {1500, 3000, 4500, 1000, 3000}};
    for (int g = 0; g < 4; ++g) {
        const LigneGamme& l = TableGammes[static_cast<size_t>(g)];
        EXPECT_EQ(l.VitesseNominale, gammes[g][0]) << g;
        EXPECT_EQ(l.EchelleCouple, gammes[g][1]) << g;
        EXPECT_EQ(l.EchellePuissance, gammes[g][2]) << g;
        EXPECT_EQ(l.EchelleInertie, gammes[g][3]) << g;
        EXPECT_EQ(l.PuissanceMachine, gammes[g][4]) << g;
        EXPECT_EQ(PuissanceMachine(g), gammes[g][4]) << g;
    }
    EXPECT_EQ(PuissanceMachine(-1), 1500);
    EXPECT_EQ(PuissanceMachine(4), 1500);

    for (int type = 0; type < 19; ++type) {
        const bool levage = type == 17 || type == 18;
        const BornesCurseurs& b = TableBornesCurseurs[static_cast<size_t>(type)];
        EXPECT_EQ(b.MinA, levage ? 50 : 0) << type;
        EXPECT_EQ(b.MaxA, levage ? 250 : 150) << type;
        EXPECT_EQ(b.MinB, 0) << type;
        EXPECT_EQ(b.MaxB, 150) << type;
    }
    const int codes[19] = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 1, 2, 3, 4, 5, 2, 2, 6, 6};
    const int index[19] = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 6, 7, 7};
    for (int type = 0; type < 19; ++type) {
        EXPECT_EQ(CodeTrace(type), codes[type]) << type;
        EXPECT_EQ(IndexTexteColonnes(type), index[type]) << type;
    }
}

TEST(LoisCharge, ScalesFromRangeAndMains) {
    const EchellesCharge e50 = EchellesDe(1, 50);
    EXPECT_EQ(e50.N0, 1500);
    EXPECT_EQ(e50.W10, 1570);
    EXPECT_EQ(e50.Tscale, 300);
    EXPECT_EQ(e50.Pscale, 500);
    EXPECT_EQ(e50.Jscale, 200);
    const EchellesCharge e60 = EchellesDe(3, 60);
    EXPECT_EQ(e60.N0, 1800);
    EXPECT_EQ(e60.W10, 1884);
    EXPECT_EQ(e60.Tscale, 3000);
}

TEST(LoisCharge, ConstantTorqueExample) {
    EnteteCaract r = Defaut();
    const AffichageCharge a = Afficher(6, r);
    EXPECT_EQ(a.C1, "Couple constant");
    EXPECT_EQ(a.C3, "Puissance à 1500tr/min");
    EXPECT_EQ(a.B1, "2,00 Nm");
    EXPECT_EQ(a.B3, "314 W");
    EXPECT_EQ(a.Points, (Points{{0, 0}, {0, 200}, {1500, 200}}));
    EXPECT_FALSE(a.Colonne2);
    EXPECT_FALSE(a.CurseurA);
    EXPECT_FALSE(a.PanneauInertie);
    EXPECT_EQ(a.J, "J = 0,000 kg.m²");
}

TEST(LoisCharge, CaptionsPerMainsAndLanguage) {
    struct Cas {
        int type, frequence;
        const TTextesOrvane* t;
        std::string AffichageCharge::*champ;
        std::string texte;
    };
    // Defaults: word 3 = 20 (200), word 4 = 50 (500), word 6 = 50, word 9 = 20.
    const Cas cas[] = {
        {6, 60, &TexteFrancais, &AffichageCharge::C3, "Puissance à 1800tr/min"},
        {6, 60, &TexteFrancais, &AffichageCharge::B3, "376 W"},
        {7, 60, &TexteFrancais, &AffichageCharge::C2, "Couple à 1800tr/min"},
        {12, 60, &TexteFrancais, &AffichageCharge::B3, "942 W"},
        {9, 60, &TexteFrancais, &AffichageCharge::C2, "Couple à 2400tr/min"},
        {9, 60, &TexteFrancais, &AffichageCharge::B3, "200 W"},
        {16, 60, &TexteFrancais, &AffichageCharge::B3, "180 tr/min"},
        {7, 50, &TexteAnglais, &AffichageCharge::C2, "Torque at 1500tr/min"},
        {7, 50, &TexteAnglais, &AffichageCharge::C3, "Power 1500tr/min"},
        {17, 50, &TexteEspagnol, &AffichageCharge::C1, "par de bajada"},
        {14, 50, &TexteEspagnol, &AffichageCharge::Reduction, "Reducción :"},
    };
    for (const Cas& c : cas) {
        EnteteCaract r = Defaut();
        EXPECT_EQ(Afficher(c.type, r, 0, c.frequence, *c.t).*c.champ, c.texte) << c.type;
    }
}

TEST(LoisCharge, HoistExample) {
    EnteteCaract r = Defaut();
    ASSERT_EQ(r[26], 130);
    const AffichageCharge a = Afficher(18, r);
    EXPECT_EQ(a.C1, "Couple de descente");
    EXPECT_EQ(a.C2, "Couple de montée");
    EXPECT_EQ(a.C3, "Masse");
    EXPECT_EQ(a.B3, "130 kg");
    EXPECT_EQ(a.B2, "9,55 Nm");
    EXPECT_EQ(a.B1, "6,90 Nm");
    EXPECT_EQ(r[29], 5);
    EXPECT_EQ(a.J, "J = 0,005 kg.m²");
    EXPECT_EQ(a.Red, "1,0 m/s");
    EXPECT_EQ(a.Pente, "85%");
    EXPECT_EQ(a.Reduction, "Vitesse linéaire à 1500tr/min");
    EXPECT_EQ(a.Pent, "Rendement :");
    EXPECT_EQ(a.Points, (Points{{-1500, 690}, {0, 690}, {0, 955}, {1500, 955}}));
    EXPECT_FALSE(a.CurseurB);
    EXPECT_FALSE(a.CurseurJ);
    EXPECT_TRUE(a.PanneauInertie);
    EXPECT_EQ(a.Couple.Min, -300);
    EXPECT_EQ(a.Couple.Max, 3000);
}

TEST(LoisCharge, QuadraticPolylineEndsAtTorqueAtN0) {
    EnteteCaract r = Defaut();
    const AffichageCharge a = Afficher(8, r);
    ASSERT_EQ(a.Points.size(), 22u);
    EXPECT_EQ(a.Points[1], (PointCharge{0, 200}));
    EXPECT_EQ(a.Points[2], (PointCharge{75, 200 + 75 * 75 * 300 / 1500 / 1500}));
    EXPECT_EQ(a.Points[21], (PointCharge{1500, 500}));
}

TEST(LoisCharge, ConstantPowerCornerAndHyperbola) {
    EnteteCaract r = Defaut();
    r[8] = 10;
    r[9] = 10;
    const AffichageCharge a = Afficher(9, r);
    // P = 10 × 1500 / 150 = 100 W, Tm = 100: corner at 100 × 956 / 100.
    ASSERT_EQ(a.Points.size(), 22u);
    EXPECT_EQ(a.Points[0], (PointCharge{0, 100}));
    EXPECT_EQ(a.Points[1], (PointCharge{956, 100}));
    for (int i = 2; i <= 10; ++i) EXPECT_EQ(a.Points[i], a.Points[1]) << i;  // 100..900
    EXPECT_EQ(a.Points[11], (PointCharge{1000, 100 * 956 / 1000}));
    EXPECT_EQ(a.Points[21], (PointCharge{2000, 100 * 956 / 2000}));
    EXPECT_EQ(a.B2, "0,47 Nm");  // 100 × 956 / 2000
}

TEST(LoisCharge, CyclicTorqueSquareAndTriangle) {
    EnteteCaract r = Defaut();  // Tmax word 10 = 50, Tmin word 11 = 20, R = 100
    r[13] = 0;
    AffichageCharge a = Afficher(14, r);
    EXPECT_EQ(a.Pente, "0%");
    EXPECT_EQ(a.Red, "1/100");
    EXPECT_EQ(a.C1, "Couple minimum");
    EXPECT_EQ(a.C3, "Couple maximum");
    EXPECT_EQ(a.Reduction, "Reduction :");
    // Vertical edges at L/2, L and 3L/2 (L = 1000).
    const Points carre = {{0, 200},    {500, 200},  {500, 500},  {1000, 500}, {1000, 200},
                          {1500, 200}, {1500, 500}, {2000, 500}, {2000, 200}, {2001, 200}};
    EXPECT_EQ(a.Points, carre);
    r[13] = 10;
    a = Afficher(14, r);
    EXPECT_EQ(a.Pente, "100%");
    EXPECT_EQ(a.Points[1], (PointCharge{0, 200}));
    EXPECT_EQ(a.Points[3], (PointCharge{500, 500}));
    EXPECT_EQ(a.Points[5], (PointCharge{1000, 200}));
}

// ---- slider constraints ----

struct CasContrainte {
    int type;
    Curseur bouge;
    int32_t a, b;  // slider values after the user's move
    int32_t aFin, bFin;
    int motA, motB;  // -1: word not written
};

class Contraintes : public ::testing::TestWithParam<CasContrainte> {};

TEST_P(Contraintes, KeepTheLawAndStoreTheWords) {
    const CasContrainte& c = GetParam();
    EtatCurseurs s;
    s.DefinirBornes(c.type);
    s.PlacerA(c.a);
    s.PlacerB(c.b);
    EnteteCaract r{};
    for (int w = 0; w < NbMotsCaract - 6; ++w) r[w] = -7;
    ContraindreCurseurs(c.type, c.bouge, s, r);
    EXPECT_EQ(s.ValeurA(), c.aFin);
    EXPECT_EQ(s.ValeurB(), c.bFin);
    for (int w = 0; w < 30; ++w) {
        const int32_t attendu = w == c.motA ? c.aFin : (w == c.motB ? c.bFin : -7);
        EXPECT_EQ(r[w], attendu) << "word " << w;
    }
}

INSTANTIATE_TEST_SUITE_P(ToutesLesLois, Contraintes,
                         ::testing::Values(
                             // constant torque: A hidden, B alone
                             CasContrainte{6, Curseur::B, 0, 77, 0, 77, -1, 3},
                             CasContrainte{10, Curseur::A, 40, 77, 40, 77, -1, -1},
                             // linear: free sliders
                             CasContrainte{7, Curseur::A, 10, 90, 10, 90, 4, -1},
                             CasContrainte{11, Curseur::B, 10, 90, 10, 90, -1, 5},
                             // quadratic: B above A drags A up; A under B is put back level
                             CasContrainte{8, Curseur::B, 40, 90, 90, 90, 6, 7},
                             CasContrainte{12, Curseur::A, 30, 60, 60, 60, 6, -1},
                             CasContrainte{8, Curseur::A, 100, 60, 100, 60, 6, -1},
                             // constant power: both at least 10
                             CasContrainte{9, Curseur::A, 3, 50, 10, 50, 9, -1},
                             CasContrainte{13, Curseur::B, 3, 0, 10, 10, 9, 8},
                             CasContrainte{9, Curseur::B, 20, 40, 20, 40, -1, 8},
                             // cyclic: maximum never below minimum
                             CasContrainte{14, Curseur::B, 20, 70, 70, 70, 10, 11},
                             CasContrainte{14, Curseur::A, 90, 70, 90, 70, 10, -1},
                             // sticking: running torque never above sticking torque
                             CasContrainte{15, Curseur::A, 120, 80, 80, 80, 24, -1},
                             CasContrainte{16, Curseur::B, 60, 30, 30, 30, 24, 23},
                             CasContrainte{15, Curseur::B, 20, 30, 20, 30, -1, 23},
                             // lifting: A alone, 50..250
                             CasContrainte{17, Curseur::A, 200, 0, 200, 0, 26, -1},
                             CasContrainte{18, Curseur::B, 60, 10, 60, 10, -1, -1}));

TEST(LoisCharge, SliderValueConventions) {
    EtatCurseurs s;
    s.DefinirBornes(7);
    s.PosB = 130;
    EXPECT_EQ(s.ValeurB(), 20);  // maximum − position
    s.PosA = 0;
    EXPECT_EQ(s.ValeurA(), 150);  // top of the slider
    s.DefinirBornes(17);
    s.PosA = 120;
    EXPECT_EQ(s.ValeurA(), 250 - 120 + 50);  // maximum − position + minimum
    s.PlacerA(130);
    EXPECT_EQ(s.PosA, 170);
    s.PlacerA(400);  // beyond the range: the top
    EXPECT_EQ(s.PosA, 50);
    EXPECT_EQ(s.ValeurA(), 250);
    s.PlacerB(-5);
    EXPECT_EQ(s.PosB, 150);
}

TEST(LoisCharge, SlidersPlacedFromTheWords) {
    EnteteCaract r = Defaut();
    EtatCurseurs s;
    s.DefinirBornes(15);
    PlacerCurseurs(15, s, r);
    EXPECT_EQ(s.ValeurB(), 50);  // word 23
    EXPECT_EQ(s.ValeurA(), 20);  // word 24
    s.DefinirBornes(18);
    PlacerCurseurs(18, s, r);
    EXPECT_EQ(s.ValeurA(), 130);  // word 26
    EXPECT_EQ(s.PosA, 170);
}

// ---- stored words ----

TEST(LoisCharge, DamagedHeaderBroughtIntoRanges) {
    const EnteteCaract r = Defaut();
    for (int type = 6; type <= 18; ++type) {
        EnteteCaract v = r;
        EXPECT_FALSE(BornerMotsCharge(type, v)) << type;  // the defaults are valid
        EXPECT_EQ(std::memcmp(&v, &r, sizeof r), 0) << type;
    }
    const struct {
        int type, mot;
        int32_t abime, borne;
    } cas[] = {{13, 8, 0, 10},        {13, 9, -40, 10}, {14, 12, 0, 10},    {14, 13, 55, 10},
               {14, 10, 100000, 150}, {16, 25, 0, 1},   {16, 23, 151, 150}, {17, 26, 7, 50},
               {17, 27, 99, 20},      {17, 28, 0, 50}};
    for (const auto& c : cas) {
        EnteteCaract d = r;
        d[c.mot] = c.abime;
        EXPECT_TRUE(BornerMotsCharge(c.type, d)) << c.type << " word " << c.mot;
        EXPECT_EQ(d[c.mot], c.borne) << c.type << " word " << c.mot;
    }
    EnteteCaract d = r;
    d[8] = 0;
    EXPECT_FALSE(BornerMotsCharge(3, d));  // not a load law: left alone
}

TEST(LoisCharge, ZeroDivisorsInAHeaderDoNotCrash) {
    EnteteCaract r{};  // every word 0, efficiency included
    for (int type = 6; type <= 18; ++type) {
        const AffichageCharge a = Afficher(type, r);
        EXPECT_TRUE(a.Valide) << type;
        ParametresCharge(type, r, EchellesDe(0, 50));
    }
}

// ---- inertia ----

TEST(LoisCharge, InertiaSliderSteps) {
    EXPECT_EQ(InertieDePosition(50, 1000), 1000);
    EXPECT_EQ(InertieDePosition(50, 200), 200);
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(InertieDePosition(p, 200), 0) << p;
    EXPECT_EQ(InertieDePosition(5, 200), 1);
    EXPECT_EQ(PositionInertie(1000, 1000), 50);
    EXPECT_EQ(PositionInertie(200, 200), 50);
    EXPECT_EQ(PositionInertie(5, 1000), 5);
    EXPECT_EQ(PositionInertie(3000, 1000), 50);  // beyond the slider: its top
    EXPECT_EQ(PositionInertie(-5, 1000), 0);
    EXPECT_EQ(PositionInertie(INT32_MAX, 200), 50);
    // A word from another range snaps to a step of this one.
    EXPECT_EQ(InertieDePosition(PositionInertie(7, 200), 200), 7);
}

// ---- plot geometry ----

std::vector<std::string> Textes(const std::vector<GraduationCharge>& g) {
    std::vector<std::string> t;
    for (const GraduationCharge& x : g) t.push_back(x.Texte);
    return t;
}

GeometrieTrace Trace(int type, int largeur, int hauteur) {
    EnteteCaract r = Defaut();
    const AffichageCharge a = Afficher(type, r);
    return CalculerTrace(0, 0, largeur, hauteur, a.Vitesse, a.Couple, a.Points, 14, 30);
}

TEST(LoisCharge, PlotTicks) {
    GeometrieTrace g = Trace(6, 300, 200);
    EXPECT_EQ(g.X0, 40);
    EXPECT_EQ(g.Y0, 176);
    EXPECT_EQ(g.PasX, 80);
    EXPECT_EQ(g.PasY, 52);
    EXPECT_EQ(Textes(g.GradVitesse), (std::vector<std::string>{"500", "1000", "1500"}));
    EXPECT_EQ(g.GradVitesse[2].Position, 280);
    EXPECT_EQ(Textes(g.GradCouple), (std::vector<std::string>{"5", "10", "15"}));
    EXPECT_EQ(g.GradCouple[2].Position, 20);
    EXPECT_EQ(g.Points[2], (PointCharge{280, 156}));  // (N0, 2 Nm)
    // The cyclic law's axis reads in revolutions.
    g = Trace(14, 400, 200);
    ASSERT_GE(g.GradVitesse.size(), 4u);
    EXPECT_EQ(Textes(g.GradVitesse)[3], "200");
    // The hoist ticks both ways; its axis sits a twelfth above the bottom,
    // no room for a torque tick below it.
    g = Trace(17, 300, 220);
    EXPECT_EQ(g.X0, 150);
    EXPECT_EQ(g.Y0, 200);
    EXPECT_EQ(Textes(g.GradVitesse),
              (std::vector<std::string>{"500", "1000", "1500", "-500", "-1000", "-1500"}));
    EXPECT_EQ(Textes(g.GradCouple), (std::vector<std::string>{"10", "20", "30"}));
}

TEST(LoisCharge, NoTicksOnATinyPlot) {
    for (int type : {6, 9, 14, 17})
        for (auto [l, h] : {std::pair{10, 10}, std::pair{0, 0}, std::pair{60, 45}}) {
            const GeometrieTrace g = Trace(type, l, h);
            EXPECT_TRUE(g.PasX > 0 || g.GradVitesse.empty()) << type;
            EXPECT_TRUE(g.PasY > 0 || g.GradCouple.empty()) << type;
        }
}

// ---- drive parameters ----

TEST(LoisCharge, DriveParametersPerLaw) {
    const EnteteCaract r = [] {
        EnteteCaract h = EnteteCaractDefaut;
        h[MotInertie] = 250;
        return h;
    }();
    const EchellesCharge e = EchellesDe(0, 50);
    struct Cas {
        int type;
        std::array<int32_t, 5> p;
    };
    const Cas cas[] = {
        {6, {0, 200, 0, 0, 0}},
        {10, {0, 200, 0, 0, 250}},
        {7, {500, 200, 1500, 0, 0}},
        {12, {500, 200, 1500, 0, 250}},
        // P × 956 / Tm: 1500 × 20 × 956 / 50 / 1500 = 382
        {9, {500, 0, 382, 0, 0}},
        {14, {500, 200, 90, 10, 250}},
        {15, {200, 500, 10, 0, 0}},
        {16, {200, 500, 10, 0, 250}},
        {17, {130, 85, 10, 0, 0}},
        {18, {130, 85, 10, 0, 250}},
        {3, {0, 0, 0, 0, 0}},
    };
    for (const Cas& c : cas) EXPECT_EQ(ParametresCharge(c.type, r, e), c.p) << c.type;
    EXPECT_EQ(ParametresCharge(17, r, EchellesDe(3, 60))[0], 3000 * 130 / 1800);
}

}  // namespace
