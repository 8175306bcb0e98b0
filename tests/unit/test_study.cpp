// Study operations: reset, characteristics, points, sorting, tables, formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

class Etude_ : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
    }

    // Starts a new characteristic of the given types and fills it with
    // points whose speed (quantity 1) takes the given values.
    static int Nouvelle(int machine, int type, const std::vector<int32_t>& vitesses) {
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

    static std::vector<int32_t> Colonne(int k, int q) {
        std::vector<int32_t> v;
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
    EXPECT_EQ(Etude.Signature.Lire(), "MACHINE2");
    EXPECT_EQ(Etude.Version, 1020);
    EXPECT_EQ(Etude.Titre.Longueur, 0);
    EXPECT_EQ(Etude.NbCaract, 0);
    EXPECT_EQ(Etude.Lissage, -1);
    EXPECT_EQ(NbVuesGraphe(), 0);
    EXPECT_EQ(CaractCourante, 0);
    EXPECT_EQ(EtudeEnregistree, 1);
    EXPECT_EQ(ValeursCourantes[0], -1);
    EXPECT_TRUE(NomFichierEtude.empty());
    // Defaults of a characteristic header.
    const int32_t attendus[] = {0, 0, -1, 20, 50, 20, 50, 20, 50, 20, 50, 20,  100, 1,  0,
                                0, 0, 10, 2,  5,  0,  2,  0,  50, 20, 10, 130, 10,  85, 0};
    for (int w = 0; w < 30; ++w) EXPECT_EQ(ReglagesCourants[w], attendus[w]) << "word " << w;
    for (int k = 0; k < NbRecords; ++k)
        EXPECT_EQ(std::memcmp(&Caracts[k].Entete, &EnteteCaractDefaut, sizeof(EnteteCaract)), 0);
    // Descriptors come from the current language.
    EXPECT_EQ(Etude.Grandeurs[2].Symbole.Lire(), "Tu");
    EXPECT_EQ(Etude.Grandeurs[2].Unite.Lire(), "Nm");
    EXPECT_EQ(Etude.Grandeurs[2].Decimales, 2);
    EXPECT_EQ(Etude.Grandeurs[2].Reserve1, 1);
    EXPECT_EQ(Etude.Grandeurs[0].Symbole.Lire(), "N\xB0");  // Windows-1252 degree sign
}

TEST_F(Etude_, SpanishDescriptorIsCutAtTwentyCharacters) {
    ChoixLangue(LangueEspagnol);
    InitEtude();
    EXPECT_EQ(Etude.Grandeurs[1].Nom.Lire(), "Velocidad de rotaci\xF3");
    EXPECT_EQ(Etude.Grandeurs[1].Nom.Longueur, 20);
    ChoixLangue(LangueAnglais);
    InitEtude();
    EXPECT_EQ(Etude.Grandeurs[10].Symbole.Lire(), "Los.");
}

TEST_F(Etude_, CharacteristicsAreAddedUpToFiveAndDeletedInPlace) {
    for (int i = 1; i <= 5; ++i) {
        ReglagesCourants[MotDernierPoint] = 7;  // reset by NouvelleCaract
        ReglagesCourants[MotTypeMachine] = i;
        NouvelleCaract();
        EXPECT_EQ(CaractCourante, i);
        EXPECT_EQ(Caracts[i].Dernier(), -1);
        EXPECT_EQ(Caracts[i].Entete[MotTypeMachine], i);
    }
    EtudeEnregistree = 1;
    NouvelleCaract();
    EXPECT_EQ(Etude.NbCaract, 5);
    EXPECT_EQ(CaractCourante, 5);
    EXPECT_EQ(EtudeEnregistree, 1);

    SupprimerCaract(2);
    EXPECT_EQ(Etude.NbCaract, 4);
    EXPECT_EQ(Caracts[2].Entete[MotTypeMachine], 3);
    EXPECT_EQ(Caracts[4].Entete[MotTypeMachine], 5);
    EXPECT_EQ(std::memcmp(&Caracts[5].Entete, &EnteteCaractDefaut, sizeof(EnteteCaract)), 0);
    EXPECT_EQ(CaractCourante, 5);  // left as it was
    EXPECT_EQ(EtudeEnregistree, 0);

    SupprimerCaract(0);
    SupprimerCaract(5);
    EXPECT_EQ(Etude.NbCaract, 4);
}

TEST_F(Etude_, PointsAreNumberedAndAFullTrialTakesNoMore) {
    ValeursCourantes[GVitesse] = 1500;
    EXPECT_FALSE(AjouterPoint());  // no current characteristic
    const int k = Nouvelle(3, 1, {});
    for (int p = 0; p < NbPointsMax; ++p) {
        ValeursCourantes[GVitesse] = p;
        ASSERT_TRUE(AjouterPoint());
    }
    EXPECT_EQ(Caracts[k].Dernier(), 2000);
    ValeursCourantes[GVitesse] = -5;
    EXPECT_FALSE(AjouterPoint());
    EXPECT_EQ(Caracts[k].Dernier(), 2000);
    EXPECT_EQ(Caracts[k].Point(GVitesse, 2000), 2000);
    EXPECT_EQ(Caracts[k].Point(GNumero, 2000), 2000);

    // Deleting in a full trial never reads past the last point.
    SupprimerPoint(2000, k);
    EXPECT_EQ(Caracts[k].Dernier(), 1999);
    SupprimerPoint(0, k);
    EXPECT_EQ(Caracts[k].Dernier(), 1998);
    EXPECT_EQ(Caracts[k].Point(GVitesse, 0), 1);
    EXPECT_EQ(Caracts[k].Point(GNumero, 1998), 1998);
}

TEST_F(Etude_, SelectingPoints) {
    const int k = Nouvelle(1, 1, {10, 20, 30});
    (void)k;
    ValeursCourantes[GCouple] = 4321;
    SelectionnerPoint(1);
    EXPECT_EQ(PointSelectionne, 1);
    EXPECT_EQ(ValeursCourantes[0], 1);
    EXPECT_EQ(ValeursCourantes[GVitesse], 20);
    EXPECT_EQ(ValeursCourantes[GCouple], 100);
    ValeursCourantes[GCouple] = 4321;
    SelectionnerPoint(-1);
    EXPECT_EQ(PointSelectionne, -1);
    EXPECT_EQ(ValeursCourantes[0], -1);
    EXPECT_EQ(ValeursCourantes[GCouple], 4321);
}

TEST_F(Etude_, SortingFollowsTheQuicksortAndIsNotStable) {
    const int k = Nouvelle(3, 1, {5, 3, 5, 1, 5, 3});
    TrierPoints(0, GVitesse, k);
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{1, 3, 3, 5, 5, 5}));
    // Rows travel whole: numbers follow their speeds. Equal speeds come out
    // in the order the partition leaves them, not in acquisition order.
    EXPECT_EQ(Colonne(k, GNumero), (std::vector<int32_t>{3, 1, 5, 4, 0, 2}));
    for (int p = 0; p <= 5; ++p)
        EXPECT_EQ(Caracts[k].Point(GCouple, p), 100 * Caracts[k].Point(GNumero, p));

    TrierPoints(1, GVitesse, k);
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{5, 5, 5, 3, 3, 1}));

    const auto avant = Colonne(k, GVitesse);
    TrierPoints(2, GNumero, k);  // neither ascending nor descending
    EXPECT_EQ(Colonne(k, GVitesse), avant);

    TrierParNumero();
    EXPECT_EQ(Colonne(k, GNumero), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{5, 3, 5, 1, 5, 3}));
}

TEST_F(Etude_, SortingEmptyEqualAndExtremeValuesTerminates) {
    const int vide = Nouvelle(1, 1, {});
    TrierPoints(0, GVitesse, vide);
    EXPECT_EQ(Caracts[vide].Dernier(), -1);

    const int egaux = Nouvelle(1, 1, std::vector<int32_t>(2001, 7));
    TrierPoints(0, GVitesse, egaux);
    TrierPoints(1, GVitesse, egaux);
    EXPECT_EQ(Colonne(egaux, GVitesse), std::vector<int32_t>(2001, 7));

    const int extremes = Nouvelle(1, 1, {INT32_MAX, INT32_MIN, 0, -1, INT32_MAX, INT32_MIN});
    TrierPoints(0, GVitesse, extremes);
    EXPECT_EQ(Colonne(extremes, GVitesse),
              (std::vector<int32_t>{INT32_MIN, INT32_MIN, -1, 0, INT32_MAX, INT32_MAX}));
    TrierPoints(0, 12, extremes);  // no such quantity: nothing
    TrierPoints(0, GVitesse, 6);   // no such record: nothing
}

TEST_F(Etude_, DeletingAPointRenumbersAndSortsAgain) {
    const int k = Nouvelle(3, 1, {900, 1400, 1100, 1300, 1000});
    Caracts[k].Entete[MotGrandeurTri] = GVitesse;
    Caracts[k].Entete[MotOrdreTri] = 0;
    const int autre = Nouvelle(3, 11, {3, 1, 2});  // dynamic load: not sorted again
    Caracts[autre].Entete[MotGrandeurTri] = GVitesse;
    RetrierCaracts();
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{900, 1000, 1100, 1300, 1400}));
    EXPECT_EQ(Colonne(autre, GVitesse), (std::vector<int32_t>{3, 1, 2}));

    EtudeEnregistree = 1;
    SupprimerPoint(2, k);  // speed 1100, acquired as point 2
    EXPECT_EQ(EtudeEnregistree, 0);
    EXPECT_EQ(Caracts[k].Dernier(), 3);
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{900, 1000, 1300, 1400}));
    // Numbers 0..last, given in acquisition order.
    EXPECT_EQ(Colonne(k, GNumero), (std::vector<int32_t>{0, 3, 2, 1}));
    EXPECT_EQ(Colonne(k, GCouple), (std::vector<int32_t>{0, 400, 300, 100}));

    SupprimerPoint(4, k);   // above the last point: ignored
    SupprimerPoint(-1, k);  // negative: ignored
    SupprimerPoint(0, 3);   // no such characteristic
    EXPECT_EQ(Caracts[k].Dernier(), 3);

    const int seul = Nouvelle(1, 1, {42});
    SupprimerPoint(0, seul);
    EXPECT_EQ(Caracts[seul].Dernier(), -1);
    EXPECT_EQ(Etude.NbCaract, 3);
}

TEST_F(Etude_, DeletingWithForeignNumbersStaysInsideTheTrial) {
    // Point numbers that are not 0..last (as a foreign file may hold).
    const int k = Nouvelle(1, 1, {10, 20, 30});
    Caracts[k].Point(GNumero, 0) = 50;
    Caracts[k].Point(GNumero, 1) = -7;
    Caracts[k].Point(GNumero, 2) = 9;
    SupprimerPoint(0, k);  // the point numbered 50
    EXPECT_EQ(Caracts[k].Dernier(), 1);
    EXPECT_EQ(Colonne(k, GVitesse), (std::vector<int32_t>{20, 30}));
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
    EXPECT_TRUE(CaractCompatible(s));
    ReglagesCourants[MotInertie] = 9;  // inertia matters only for dynamic loads
    EXPECT_TRUE(CaractCompatible(s));

    const int d = Nouvelle(3, 16, {1});
    ReglagesCourants[MotInertie] = 3;
    EXPECT_FALSE(CaractCompatible(d));
    ReglagesCourants[MotInertie] = Caracts[d].Entete[MotInertie];
    EXPECT_TRUE(CaractCompatible(d));
    ReglagesCourants[25] += 1;
    EXPECT_FALSE(CaractCompatible(d));

    const int c = Nouvelle(3, 5, {1});
    EXPECT_FALSE(CaractCompatible(c));  // coupling aid never takes more points
    const int vide = Nouvelle(1, 2, {});
    ReglagesCourants[MotTypeCaract] = 17;
    EXPECT_TRUE(CaractCompatible(vide));
}

TEST_F(Etude_, CurrentTypesAndViews) {
    EXPECT_EQ(TypeMachineCourant(), 0);
    const int k = Nouvelle(6, 12, {});
    EXPECT_EQ(TypeMachineCourant(), 6);
    EXPECT_EQ(TypeCaractCourant(), 12);
    Caracts[k].Entete[MotTypeCaract] = 19;
    Caracts[k].Entete[MotTypeMachine] = -1;
    EXPECT_EQ(TypeCaractCourant(), 0);
    EXPECT_EQ(TypeMachineCourant(), 0);

    for (int v = 0; v < 3; ++v) {
        Etude.Vues[v].Presente = 1;
        Etude.Vues[v].GrandeurX = v + 1;
    }
    EXPECT_EQ(NbVuesGraphe(), 3);
    EtudeEnregistree = 1;
    SupprimerVueGraphe(5);
    EXPECT_EQ(EtudeEnregistree, 1);
    SupprimerVueGraphe(1);
    EXPECT_EQ(NbVuesGraphe(), 2);
    EXPECT_EQ(Etude.Vues[0].GrandeurX, 2);
    EXPECT_EQ(Etude.Vues[1].GrandeurX, 3);
    EXPECT_EQ(Etude.Vues[3].Presente, 0);
    EXPECT_EQ(EtudeEnregistree, 0);
}

TEST(Format, FixedPointTexts) {
    EXPECT_EQ(FormatFixe(1234, 2), "12,34");
    EXPECT_EQ(FormatFixe(5, 3), "0,005");
    EXPECT_EQ(FormatFixe(-7, 1), "-0,7");
    EXPECT_EQ(FormatFixe(0, 0), "0");
    EXPECT_EQ(FormatFixe(-1234, 2), "-12,34");
    EXPECT_EQ(FormatFixe(5, 2), "0,05");
    EXPECT_EQ(FormatFixe(1500, 0), "1500");
    EXPECT_EQ(FormatFixe(INT32_MIN, 3), "-2147483,648");
    EXPECT_EQ(FormatFixe(25, 1, '.'), "2.5");
    EXPECT_EQ(FormatFixe(7, -3), "7");
}

TEST_F(Etude_, QuantityTextHasItsUnit) {
    ValeursCourantes[GCouple] = -1250;
    EXPECT_EQ(FormatGrandeur(GCouple), "-12,50 Nm");
    ValeursCourantes[GRendement] = 875;
    EXPECT_EQ(FormatGrandeur(GRendement), "0,875 ");
    ValeursCourantes[GVitesse] = 1500;
    EXPECT_EQ(FormatGrandeur(GVitesse), "1500 tr/min");
    Etude.Grandeurs[GVitesse].Decimales = 1000000;  // corrupt descriptor: bounded
    EXPECT_LT(FormatGrandeur(GVitesse).size(), 40u);
}

TEST(Tables, InertiaLookups) {
    EXPECT_EQ(InertieDeIndex(0), 0);
    EXPECT_EQ(InertieDeIndex(17), 18);
    EXPECT_EQ(InertieDeIndex(61), 3000);
    EXPECT_EQ(InertieDeIndex(62), 0);
    EXPECT_EQ(InertieDeIndex(-1), 0);
    EXPECT_EQ(IndexDeInertie(0), 0);
    EXPECT_EQ(IndexDeInertie(17), 17);  // first entry >= 17 is 18
    EXPECT_EQ(IndexDeInertie(2500), 60);
    EXPECT_EQ(IndexDeInertie(3000), 61);
    EXPECT_EQ(IndexDeInertie(3001), 61);
    EXPECT_EQ(IndexDeInertie(-5), 0);
    for (int i = 1; i < NbInerties; ++i) EXPECT_LT(TableInertie[i - 1], TableInertie[i]);
}

TEST(Tables, AxisChoicesOnlyOfferMeasuredQuantities) {
    for (int m = 1; m < NbTypesMachine; ++m)
        for (int p = 1; p < NbGrandeurs; ++p) {
            const int q = ChoixAxes[m][p];
            if (q == 0) continue;  // trailing entries
            EXPECT_TRUE(DisponibiliteGrandeurs[m][q] || q == GTemps) << m << " " << q;
        }
    EXPECT_EQ(ZoomDefaut[3][GCouple], 0);
    EXPECT_EQ(ZoomDefaut[1][GVitesse], 15);
}

}  // namespace
