// Texts of the values: the copied tab-separated text and the CSV form.
#include <gtest/gtest.h>

#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const char* const Entetes =
    "N\xB0\tn\tTu\tPm\tU\tI\tPe\tIe\tRd\tFp\tPertes\tt\r\n"
    "\t(tr/min)\t(Nm)\t(W)\t(V)\t(A)\t(W)\t(A)\t\t\t(W)\t(s)\r\n";

class Valeurs_ : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        InitEtude();
        for (int k = 1; k <= 4; ++k) NouvelleCaract();
        CaractCourante = 2;
        ValeursCourantes = {0, 1450, -1234, 5, 2300, 5, 0, 0, 875, 1000, 0, 0};
        AjouterPoint();
        CaractCourante = 4;
        ValeursCourantes = {0, -3, 5, 0, 0, 0, 0, 0, 0, 0, 123456, 7};
        AjouterPoint();
        AjouterPoint();
        Caracts[4].Entete.Commentaire.Ecrire("charge \xE0 vide");
    }
};

TEST_F(Valeurs_, AllRecordsWithPointsEachUnderItsTitle) {
    const std::string attendu =
        std::string("Essai 2\t\r\n") + Entetes +
        "0\t1450\t-12,34\t0,5\t230,0\t0,005\t0,0\t0,000\t0,875\t1,000\t0,0\t0,00\r\n"
        "Essai 4\tcharge \xE0 vide\r\n" +
        Entetes +
        "0\t-3\t0,05\t0,0\t0,0\t0,000\t0,0\t0,000\t0,000\t0,000\t12345,6\t0,07\r\n"
        "1\t-3\t0,05\t0,0\t0,0\t0,000\t0,0\t0,000\t0,000\t0,000\t12345,6\t0,07\r\n";
    EXPECT_EQ(TexteValeurs(-1), attendu);
    EXPECT_EQ(TexteValeurs(0), attendu);
}

TEST_F(Valeurs_, OneRecordIsItsBlockAlone) {
    EXPECT_EQ(TexteValeurs(1), Entetes);  // empty: the two heading lines
    const std::string quatre = TexteValeurs(4);
    EXPECT_EQ(quatre.rfind(Entetes, 0), 0u);
    EXPECT_EQ(quatre.find("Essai"), std::string::npos);
    EXPECT_EQ(TexteValeurs(6), "");
    ChoixLangue(LangueEspagnol);
    EXPECT_EQ(TexteValeurs(-1).rfind("prueba 2\t", 0), 0u);
}

TEST_F(Valeurs_, CsvWithPointOrComma) {
    const std::string csv = CsvValeurs(-1, false);
    EXPECT_EQ(
        csv.substr(0, csv.find("\r\n")),
        "Essai,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie (A),Rd,Fp,Pertes (W),t (s)");
    EXPECT_NE(csv.find("\r\n2,0,1450,-12.34,0.5,230.0,0.005,0.0,0.000,0.875,1.000,0.0,0.00\r\n"),
              std::string::npos);
    const std::string fr = CsvValeurs(4, true);
    EXPECT_NE(fr.find("\r\n4;1;-3;0,05;0,0;0,0;0,000;0,0;0,000;0,000;0,000;12345,6;0,07\r\n"),
              std::string::npos);
    EXPECT_EQ(fr.find("\r\n2;"), std::string::npos);
    // A unit holding the separator is quoted.
    Etude.Grandeurs[GVitesse].Unite.Ecrire("tr,min");
    EXPECT_NE(CsvValeurs(-1, false).find(",\"n (tr,min)\","), std::string::npos);
}

}  // namespace
