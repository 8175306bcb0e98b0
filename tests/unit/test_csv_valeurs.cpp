// The values of the study as a CSV file, in the separators of each language.
#include <gtest/gtest.h>

#include <string>

#include "study/Cp1252.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// English rows; the other languages take ';' between fields and ',' in numbers.
const std::string EnteteAnglais =
    "Test,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie (A),Ef,Pf,Los. (W),t (s)";
const std::string Reste = ",-12.34,0.0,0.0,0.005,0.0,0.000,0.000,0.000,0.0,123.45\r\n";

std::string Separateurs(std::string s, bool virgule) {
    if (virgule)
        for (char& c : s) c = c == ',' ? ';' : c == '.' ? ',' : c;
    return s;
}

class CsvLangue : public ::testing::TestWithParam<int32_t> {
protected:
    // Four trials; only trials 2 and 4 hold points (two each).
    void SetUp() override {
        ChoixLangue(GetParam());
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        for (int k = 1; k <= 4; ++k) {
            NouvelleCaract();
            for (int p = 0; p < 2 && k % 2 == 0; ++p) {
                ValeursCourantes.fill(0);
                ValeursCourantes[GVitesse] = 1000 * k + p;
                ValeursCourantes[GCouple] = -1234;
                ValeursCourantes[GCourant] = 5;
                ValeursCourantes[GTemps] = 12345;
                AjouterPoint();
            }
        }
    }
    void TearDown() override { ChoixLangue(LangueFrancais); }
};

TEST_P(CsvLangue, SeparatorsFollowTheLanguageAndEmptyTrialsGiveNoRow) {
    const int32_t langue = GetParam();
    const bool virgule = langue != LangueAnglais;
    const std::string premier = langue == LangueAnglais    ? "Test"
                                : langue == LangueEspagnol ? "prueba"
                                                           : "Essai";
    // Outside English the efficiency, power factor and losses keep their
    // French symbols.
    std::string entete = premier + EnteteAnglais.substr(4);
    if (virgule) entete.replace(entete.find("Ef,Pf,Los."), 10, "Rd,Fp,Pertes");
    entete = Separateurs(entete, virgule) + "\r\n";
    // Trial, point, speed 1000 × trial + point.
    const auto lignes = [&](int essai) {
        std::string l;
        for (int p = 0; p < 2; ++p)
            l += std::to_string(essai) + "," + std::to_string(p) + "," +
                 std::to_string(1000 * essai + p) + Reste;
        return Separateurs(l, virgule);
    };
    const std::string csv = CsvValeursLangue(-1, langue);
    EXPECT_EQ(csv, entete + lignes(2) + lignes(4));
    EXPECT_EQ(csv, CsvValeurs(-1, virgule));  // the language's rule, whatever table is current
    EXPECT_EQ(CsvValeursLangue(4, langue), entete + lignes(4));
    EXPECT_EQ(CsvValeursLangue(3, langue), entete);
}

// A code outside the table counts as French.
INSTANTIATE_TEST_SUITE_P(TroisLangues, CsvLangue,
                         ::testing::Values(LangueFrancais, LangueAnglais, LangueEspagnol, 7));

}  // namespace
