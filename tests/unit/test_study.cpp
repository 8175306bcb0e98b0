// Study operations: reset, characteristics, points, sorting, formats.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;
using V = std::vector<int32_t>;

namespace {

bool EnteteParDefaut(int k) {
    return std::memcmp(&Caracts[k].Entete, &EnteteCaractDefaut, sizeof(EnteteCaract)) == 0;
}

class Etude_ : public ::testing::Test {
protected:
    void SetUp() override { ChoixLangue(LangueFrancais), InitEtude(); }
    // A new characteristic whose points take the given speeds, torque
    // 100 × acquisition order.
    static int Nouvelle(int machine, int type, const V& vitesses) {
        ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        NouvelleCaract();
        for (size_t i = 0; i < vitesses.size(); ++i) {
            ValeursCourantes[GVitesse] = vitesses[i];
            ValeursCourantes[GCouple] = static_cast<int32_t>(100 * i);
            EXPECT_TRUE(AjouterPoint());
        }
        return CaractCourante;
    }

    static V Colonne(int k, int q) {
        V v;
        for (int p = 0; p <= Caracts[k].Dernier(); ++p) v.push_back(Caracts[k].Point(q, p));
        return v;
    }
};

TEST_F(Etude_, ResetAndTrialsUpToFiveDeletedInPlace) {
    Etude.Titre.Ecrire("old"), CaractCourante = 3, NomFichierEtude = "x.OVX2";
    InitEtude();
    EXPECT_EQ(Etude.Signature.Lire() + std::to_string(Etude.Version), "MACHINE21020");
    EXPECT_EQ(Etude.Titre.Longueur + Etude.NbCaract + NbVuesGraphe() + CaractCourante, 0);
    EXPECT_TRUE(EtudeEnregistree == 1 && NomFichierEtude.empty() && EnteteParDefaut(3));

    for (int i = 1; i <= 6; ++i) {
        ReglagesCourants[MotDernierPoint] = 7;  // reset by NouvelleCaract
        EtudeEnregistree = 1;
        Nouvelle(i, 1, {});
        EXPECT_EQ(Caracts[CaractCourante].Dernier(), -1);
    }
    // The sixth is refused quietly; deleting leaves the current index as it was.
    EXPECT_EQ(Etude.NbCaract * 100 + CaractCourante * 10 + EtudeEnregistree, 551);
    SupprimerCaract(2);
    EXPECT_EQ(Caracts[2].Entete[MotTypeMachine] * 10 + Caracts[4].Entete[MotTypeMachine], 35);
    EXPECT_TRUE(EnteteParDefaut(5));
    EXPECT_EQ(Etude.NbCaract * 100 + CaractCourante * 10 + EtudeEnregistree, 450);
}

TEST_F(Etude_, PointsAreNumberedSelectedAndAFullTrialTakesNoMore) {
    ValeursCourantes[GVitesse] = 1500;
    EXPECT_FALSE(AjouterPoint());  // no current characteristic
    const int k = Nouvelle(3, 1, {});
    for (int p = 0; p < NbPointsMax; ++p) {
        ValeursCourantes[GVitesse] = p, ValeursCourantes[GCouple] = -p;
        ASSERT_TRUE(AjouterPoint());
    }
    EXPECT_FALSE(AjouterPoint());
    EXPECT_EQ(Caracts[k].Point(GNumero, 2000), 2000);
    // Deleting in a full trial never reads past the last point.
    SupprimerPoint(2000, k);
    SupprimerPoint(0, k);
    EXPECT_EQ(Caracts[k].Dernier() * 10000 + Caracts[k].Point(GNumero, 1998), 19981998);
}

// Deleting the current trial leaves `CaractCourante` beyond the count: the
// record there is no longer the study's and takes no point.
TEST_F(Etude_, NoPointGoesToATrialThatNoLongerExists) {
    Nouvelle(3, 1, {100});
    SupprimerCaract(Nouvelle(3, 1, {200, 300}));
    ASSERT_EQ(CaractCourante, 2);
    EtudeEnregistree = 1;
    ValeursCourantes[GVitesse] = 999;
    EXPECT_FALSE(AjouterPoint());
    // The old values stay untouched.
    EXPECT_EQ(std::pair(Caracts[2].Point(GVitesse, 0), int{EtudeEnregistree}), std::pair(200, 1));
    SupprimerCaract(1);  // no trial left at all
    CaractCourante = 1;
    EXPECT_FALSE(AjouterPoint());
    NouvelleCaract();  // a new trial takes points again
    EXPECT_TRUE(AjouterPoint());
    EXPECT_EQ(Caracts[1].Point(GVitesse, 0), 999);
}

TEST_F(Etude_, SortingTerminatesOnAnyValuesAndDeletingRenumbers) {
    const int k = Nouvelle(3, 1, {3, 1, 3, 5, 1, 1});
    TrierPoints(0, GVitesse, k);
    // Rows travel whole; equal speeds come out in the order the partition
    // around the middle point leaves them (not stable).
    EXPECT_EQ(Colonne(k, GCouple), (V{400, 100, 500, 0, 200, 300}));
    const int egaux = Nouvelle(1, 1, V(2001, 7));
    TrierPoints(1, GVitesse, egaux);
    EXPECT_EQ(Colonne(egaux, GVitesse), V(2001, 7));
    const int bornes = Nouvelle(1, 1, {INT32_MAX, INT32_MIN, 0, -1, INT32_MAX, INT32_MIN});
    TrierPoints(0, GVitesse, bornes);
    EXPECT_EQ(Colonne(bornes, GVitesse), (V{INT32_MIN, INT32_MIN, -1, 0, INT32_MAX, INT32_MAX}));

    InitEtude();
    const int t = Nouvelle(3, 1, {900, 1400, 1100, 1300, 1000});
    Caracts[t].Entete[MotGrandeurTri] = GVitesse, Caracts[t].Entete[MotOrdreTri] = 0;
    const int autre = Nouvelle(3, 11, {3, 1, 2});  // dynamic load: not sorted again
    Caracts[autre].Entete[MotGrandeurTri] = GVitesse;
    RetrierCaracts();
    EXPECT_EQ(Colonne(autre, GVitesse), (V{3, 1, 2}));
    EtudeEnregistree = 1;
    SupprimerPoint(2, t);  // speed 1100, acquired as point 2
    EXPECT_EQ(EtudeEnregistree, 0);
    EXPECT_EQ(Colonne(t, GVitesse), (V{900, 1000, 1300, 1400}));
    EXPECT_EQ(Colonne(t, GNumero), (V{0, 3, 2, 1}));  // 0..last in acquisition order
    // Point numbers that are not 0..last (as a foreign file may hold).
    const int f = Nouvelle(1, 1, {10, 20, 30});
    Caracts[f].Point(GNumero, 0) = 50, Caracts[f].Point(GNumero, 1) = -7;
    SupprimerPoint(0, f);  // the point numbered 50
    EXPECT_EQ(Colonne(f, GVitesse), (V{20, 30}));
}

TEST_F(Etude_, CompatibilityViewsAndTexts) {
    const int k = Nouvelle(3, 1, {1});
    ReglagesCourants[MotTypeCaract] = 4;  // laboratory types mix on one machine
    EXPECT_TRUE(CaractCompatible(k));
    const int d = Nouvelle(3, 16, {1});
    ReglagesCourants[MotInertie] = 3;  // inertia matters for dynamic loads
    EXPECT_FALSE(CaractCompatible(d));
    EXPECT_FALSE(CaractCompatible(Nouvelle(3, 5, {1})));  // coupling aid takes no more

    for (int v = 0; v < 3; ++v) Etude.Vues[v] = VueGraphe{1, 0, {}, v + 1, 0, {}, 0, 0, {}, 0};
    SupprimerVueGraphe(1);
    EXPECT_EQ(NbVuesGraphe(), 2);
    EXPECT_EQ(Etude.Vues[0].GrandeurX * 10 + Etude.Vues[1].GrandeurX, 23);

    EXPECT_EQ(FormatFixe(5, 3) + FormatFixe(-7, 1) + FormatFixe(INT32_MIN, 3),
              "0,005-0,7-2147483,648");
}

}  // namespace
