// Study operations: reset, characteristics, points, sorting, formats.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
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
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
    }

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

TEST_F(Etude_, ResetGivesTheDocumentedDefaults) {
    Etude.Titre.Ecrire("old");
    Etude.Vues[2].Presente = 1;
    CaractCourante = 3;
    EtudeEnregistree = 0;
    NomFichierEtude = "x.OVX2";
    InitEtude();
    EXPECT_EQ(Etude.Signature.Lire() + std::to_string(Etude.Version), "MACHINE21020");
    EXPECT_EQ(Etude.Titre.Longueur + Etude.NbCaract + NbVuesGraphe() + CaractCourante, 0);
    EXPECT_EQ(Etude.Lissage + ValeursCourantes[0], -2);  // both -1
    EXPECT_TRUE(EtudeEnregistree == 1 && NomFichierEtude.empty());
    const int32_t attendus[] = {0, 0, -1, 20, 50, 20, 50, 20, 50, 20, 50, 20,  100, 1,  0,
                                0, 0, 10, 2,  5,  0,  2,  0,  50, 20, 10, 130, 10,  85, 0};
    for (int w = 0; w < 30; ++w) EXPECT_EQ(ReglagesCourants[w], attendus[w]) << "word " << w;
    for (int k = 0; k < NbRecords; ++k) EXPECT_TRUE(EnteteParDefaut(k));
    // Descriptors of the current language, the Spanish name cut at twenty.
    ChoixLangue(LangueEspagnol);
    InitEtude();
    EXPECT_EQ(Etude.Grandeurs[1].Nom.Lire(), "Velocidad de rotaci\xF3");
    EXPECT_EQ(Etude.Grandeurs[1].Nom.Longueur, 20);
}

TEST_F(Etude_, CharacteristicsAreAddedUpToFiveAndDeletedInPlace) {
    for (int i = 1; i <= 6; ++i) {
        ReglagesCourants[MotDernierPoint] = 7;  // reset by NouvelleCaract
        EtudeEnregistree = 1;
        Nouvelle(i, 1, {});
        EXPECT_EQ(Caracts[CaractCourante].Dernier(), -1);
    }
    EXPECT_EQ(Etude.NbCaract, 5);  // the sixth is refused quietly
    EXPECT_EQ(CaractCourante, 5);
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_EQ(Caracts[5].Entete[MotTypeMachine], 5);

    SupprimerCaract(2);
    EXPECT_EQ(Etude.NbCaract, 4);
    EXPECT_EQ(Caracts[2].Entete[MotTypeMachine], 3);
    EXPECT_EQ(Caracts[4].Entete[MotTypeMachine], 5);
    EXPECT_TRUE(EnteteParDefaut(5));
    EXPECT_EQ(CaractCourante, 5);  // left as it was
    EXPECT_EQ(EtudeEnregistree, 0);
    SupprimerCaract(0);
    SupprimerCaract(5);
    EXPECT_EQ(Etude.NbCaract, 4);
}

TEST_F(Etude_, PointsAreNumberedSelectedAndAFullTrialTakesNoMore) {
    ValeursCourantes[GVitesse] = 1500;
    EXPECT_FALSE(AjouterPoint());  // no current characteristic
    const int k = Nouvelle(3, 1, {});
    for (int p = 0; p < NbPointsMax; ++p) {
        ValeursCourantes[GVitesse] = p;
        ValeursCourantes[GCouple] = -p;
        ASSERT_TRUE(AjouterPoint());
    }
    EXPECT_FALSE(AjouterPoint());
    EXPECT_EQ(Caracts[k].Dernier(), 2000);
    EXPECT_EQ(Caracts[k].Point(GNumero, 2000), 2000);

    // Selecting copies the point into the current values; -1 clears word 0 only.
    ValeursCourantes[GCouple] = 4321;
    SelectionnerPoint(20);
    EXPECT_EQ(std::pair(PointSelectionne, ValeursCourantes[0]), std::pair(20, 20));
    EXPECT_EQ(ValeursCourantes[GCouple], -20);
    ValeursCourantes[GCouple] = 4321;
    SelectionnerPoint(-1);
    EXPECT_EQ(std::pair(PointSelectionne, ValeursCourantes[0]), std::pair(-1, -1));
    EXPECT_EQ(ValeursCourantes[GCouple], 4321);

    // Deleting in a full trial never reads past the last point.
    SupprimerPoint(2000, k);
    SupprimerPoint(0, k);
    EXPECT_EQ(Caracts[k].Dernier(), 1998);
    EXPECT_EQ(Caracts[k].Point(GVitesse, 0), 1);
    EXPECT_EQ(Caracts[k].Point(GNumero, 1998), 1998);
}

// Deleting the current trial leaves `CaractCourante` beyond the count: the
// record there is no longer the study's and takes no point.
TEST_F(Etude_, NoPointGoesToATrialThatNoLongerExists) {
    Nouvelle(3, 1, {100});
    const int k = Nouvelle(3, 1, {200, 300});
    SupprimerCaract(k);
    ASSERT_EQ(CaractCourante, 2);
    ASSERT_EQ(Etude.NbCaract, 1);
    EtudeEnregistree = 1;
    ValeursCourantes[GVitesse] = 999;
    EXPECT_FALSE(AjouterPoint());
    EXPECT_TRUE(EnteteParDefaut(2));
    EXPECT_EQ(Caracts[2].Point(GVitesse, 0), 200);  // the old values stay untouched
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_EQ(Caracts[1].Dernier(), 0);

    SupprimerCaract(1);  // no trial left at all
    CaractCourante = 1;
    EXPECT_FALSE(AjouterPoint());
    EXPECT_TRUE(EnteteParDefaut(1));
    NouvelleCaract();  // a new trial takes points again
    EXPECT_TRUE(AjouterPoint());
    EXPECT_EQ(Caracts[1].Point(GVitesse, 0), 999);
}

TEST_F(Etude_, SortingFollowsTheQuicksortAndTerminatesOnAnyValues) {
    const int k = Nouvelle(3, 1, {3, 1, 3, 5, 1, 1});
    TrierPoints(0, GVitesse, k);
    EXPECT_EQ(Colonne(k, GVitesse), (V{1, 1, 1, 3, 3, 5}));
    // Rows travel whole; equal speeds come out in the order the partition
    // around the middle point leaves them (not stable).
    EXPECT_EQ(Colonne(k, GNumero), (V{4, 1, 5, 0, 2, 3}));
    EXPECT_EQ(Colonne(k, GCouple), (V{400, 100, 500, 0, 200, 300}));
    TrierPoints(1, GVitesse, k);
    EXPECT_EQ(Colonne(k, GVitesse), (V{5, 3, 3, 1, 1, 1}));
    TrierPoints(2, GNumero, k);  // neither ascending nor descending
    EXPECT_EQ(Colonne(k, GVitesse), (V{5, 3, 3, 1, 1, 1}));
    TrierParNumero();
    EXPECT_EQ(Colonne(k, GVitesse), (V{3, 1, 3, 5, 1, 1}));

    const int vide = Nouvelle(1, 1, {});
    TrierPoints(0, GVitesse, vide);
    EXPECT_EQ(Caracts[vide].Dernier(), -1);
    const int egaux = Nouvelle(1, 1, V(2001, 7));
    TrierPoints(0, GVitesse, egaux);
    TrierPoints(1, GVitesse, egaux);
    EXPECT_EQ(Colonne(egaux, GVitesse), V(2001, 7));
    const int bornes = Nouvelle(1, 1, {INT32_MAX, INT32_MIN, 0, -1, INT32_MAX, INT32_MIN});
    TrierPoints(0, GVitesse, bornes);
    EXPECT_EQ(Colonne(bornes, GVitesse), (V{INT32_MIN, INT32_MIN, -1, 0, INT32_MAX, INT32_MAX}));
    TrierPoints(0, 12, bornes);   // no such quantity: nothing
    TrierPoints(0, GVitesse, 6);  // no such record: nothing
}

TEST_F(Etude_, DeletingAPointRenumbersAndSortsAgain) {
    const int k = Nouvelle(3, 1, {900, 1400, 1100, 1300, 1000});
    Caracts[k].Entete[MotGrandeurTri] = GVitesse;
    Caracts[k].Entete[MotOrdreTri] = 0;
    const int autre = Nouvelle(3, 11, {3, 1, 2});  // dynamic load: not sorted again
    Caracts[autre].Entete[MotGrandeurTri] = GVitesse;
    RetrierCaracts();
    EXPECT_EQ(Colonne(k, GVitesse), (V{900, 1000, 1100, 1300, 1400}));
    EXPECT_EQ(Colonne(autre, GVitesse), (V{3, 1, 2}));

    EtudeEnregistree = 1;
    SupprimerPoint(2, k);  // speed 1100, acquired as point 2
    EXPECT_EQ(EtudeEnregistree, 0);
    EXPECT_EQ(Colonne(k, GVitesse), (V{900, 1000, 1300, 1400}));
    EXPECT_EQ(Colonne(k, GNumero), (V{0, 3, 2, 1}));  // 0..last in acquisition order
    EXPECT_EQ(Colonne(k, GCouple), (V{0, 400, 300, 100}));
    SupprimerPoint(4, k);   // above the last point
    SupprimerPoint(-1, k);  // negative
    SupprimerPoint(0, 3);   // no such characteristic
    EXPECT_EQ(Caracts[k].Dernier(), 3);

    // Point numbers that are not 0..last (as a foreign file may hold).
    const int f = Nouvelle(1, 1, {10, 20, 30});
    Caracts[f].Point(GNumero, 0) = 50;
    Caracts[f].Point(GNumero, 1) = -7;
    Caracts[f].Point(GNumero, 2) = 9;
    SupprimerPoint(0, f);  // the point numbered 50
    EXPECT_EQ(Colonne(f, GVitesse), (V{20, 30}));
    const int seul = Nouvelle(1, 1, {42});
    SupprimerPoint(0, seul);
    EXPECT_EQ(Caracts[seul].Dernier(), -1);
}

TEST_F(Etude_, CompatibilityOfNewPointsWithATrial) {
    const int k = Nouvelle(3, 1, {1});
    ReglagesCourants[MotTypeCaract] = 4;  // laboratory types mix on one machine
    EXPECT_TRUE(CaractCompatible(k));
    ReglagesCourants[MotTypeMachine] = 4;
    EXPECT_FALSE(CaractCompatible(k));

    const int s = Nouvelle(3, 7, {1});
    ReglagesCourants[4] = 99;
    EXPECT_FALSE(CaractCompatible(s));
    ReglagesCourants[4] = Caracts[s].Entete[4];
    ReglagesCourants[MotTypeMachine] = 6;  // the machine is not compared for loads
    ReglagesCourants[MotInertie] = 9;      // inertia matters only for dynamic loads
    EXPECT_TRUE(CaractCompatible(s));

    const int d = Nouvelle(3, 16, {1});
    ReglagesCourants[MotInertie] = 3;
    EXPECT_FALSE(CaractCompatible(d));
    ReglagesCourants[MotInertie] = Caracts[d].Entete[MotInertie];
    EXPECT_TRUE(CaractCompatible(d));
    ReglagesCourants[25] += 1;
    EXPECT_FALSE(CaractCompatible(d));

    EXPECT_FALSE(CaractCompatible(Nouvelle(3, 5, {1})));  // coupling aid takes no more
    const int vide = Nouvelle(1, 2, {});
    ReglagesCourants[MotTypeCaract] = 17;
    EXPECT_TRUE(CaractCompatible(vide));
}

TEST_F(Etude_, CurrentTypesViewsAndInertiaLookupsAtTheEnds) {
    EXPECT_EQ(TypeMachineCourant(), 0);
    const int k = Nouvelle(6, 12, {});
    EXPECT_EQ(std::pair(TypeMachineCourant(), TypeCaractCourant()), std::pair(6, 12));
    Caracts[k].Entete[MotTypeCaract] = 19;
    Caracts[k].Entete[MotTypeMachine] = -1;
    EXPECT_EQ(std::pair(TypeMachineCourant(), TypeCaractCourant()), std::pair(0, 0));

    for (int v = 0; v < 3; ++v) Etude.Vues[v] = VueGraphe{1, 0, {}, v + 1, 0, {}, 0, 0, {}, 0};
    EtudeEnregistree = 1;
    SupprimerVueGraphe(5);
    EXPECT_EQ(EtudeEnregistree, 1);
    SupprimerVueGraphe(1);
    EXPECT_EQ(NbVuesGraphe(), 2);
    EXPECT_EQ(Etude.Vues[0].GrandeurX * 10 + Etude.Vues[1].GrandeurX, 23);
    EXPECT_EQ(Etude.Vues[3].Presente, 0);
    EXPECT_EQ(EtudeEnregistree, 0);

    EXPECT_EQ(IndexDeInertie(3001), 61);  // beyond the last step
    EXPECT_EQ(IndexDeInertie(-5), 0);
}

TEST_F(Etude_, FixedPointAndQuantityTexts) {
    const std::pair<int64_t, int> cas[] = {{1234, 2},  {5, 3},  {-7, 1},       {0, 0},
                                           {-1234, 2}, {7, -3}, {INT32_MIN, 3}};
    std::string t;
    for (auto [v, d] : cas) t += FormatFixe(v, d) + "|";
    EXPECT_EQ(t, "12,34|0,005|-0,7|0|-12,34|7|-2147483,648|");
    EXPECT_EQ(FormatFixe(25, 1, '.'), "2.5");

    ValeursCourantes[GCouple] = -1250;
    ValeursCourantes[GRendement] = 875;
    ValeursCourantes[GVitesse] = 1500;
    EXPECT_EQ(
        FormatGrandeur(GCouple) + "|" + FormatGrandeur(GRendement) + "|" + FormatGrandeur(GVitesse),
        "-12,50 Nm|0,875 |1500 tr/min");
    Etude.Grandeurs[GVitesse].Decimales = 1000000;  // corrupt descriptor: bounded
    EXPECT_LT(FormatGrandeur(GVitesse).size(), 40u);
}

}  // namespace
