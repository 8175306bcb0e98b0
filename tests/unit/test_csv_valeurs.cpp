// The values of the study as a CSV file, in the separators of each language.
#include <gtest/gtest.h>

#include "study/Cp1252.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

struct CasLangue {
    int32_t langue;
    const char* entete;
    const char* premiereLigne;
    const char* derniereLigne;
};

class CsvLangue : public ::testing::TestWithParam<CasLangue> {
protected:
    // Four trials; only trials 2 and 4 hold points (two each).
    void SetUp() override {
        ChoixLangue(GetParam().langue);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        for (int k = 1; k <= 4; ++k) {
            NouvelleCaract();
            if (k % 2) continue;
            for (int p = 0; p < 2; ++p) {
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
    const CasLangue& c = GetParam();
    const std::string csv = CsvValeursLangue(-1, c.langue);
    const std::string entete = std::string(c.entete) + "\r\n";
    ASSERT_EQ(csv.substr(0, entete.size()), entete);
    // Two rows of trial 2, then two of trial 4; nothing of trials 1 and 3.
    std::vector<std::string> lignes;
    for (size_t debut = entete.size(), fin; (fin = csv.find("\r\n", debut)) != std::string::npos;
         debut = fin + 2)
        lignes.push_back(csv.substr(debut, fin - debut));
    ASSERT_EQ(lignes.size(), 4u) << csv;
    EXPECT_EQ(lignes.front(), c.premiereLigne);
    EXPECT_EQ(lignes.back(), c.derniereLigne);
    EXPECT_EQ(lignes[1].substr(0, 2), lignes[0].substr(0, 2));
    EXPECT_EQ(lignes[2][0], '4');
    // The language's rule, whatever table is current.
    EXPECT_EQ(CsvValeursLangue(-1, c.langue), CsvValeurs(-1, c.langue != LangueAnglais));
    // One trial alone.
    const std::string seul = CsvValeursLangue(4, c.langue);
    EXPECT_EQ(seul.substr(seul.size() - std::string(c.derniereLigne).size() - 2),
              std::string(c.derniereLigne) + "\r\n");
    EXPECT_EQ(CsvValeursLangue(3, c.langue), entete);
}

INSTANTIATE_TEST_SUITE_P(
    TroisLangues, CsvLangue,
    ::testing::Values(
        CasLangue{LangueFrancais,
                  "Essai;N°;n (tr/min);Tu (Nm);Pm (W);U (V);I (A);Pe (W);Ie (A);Rd;Fp;"
                  "Pertes (W);t (s)",
                  "2;0;2000;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45",
                  "4;1;4001;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45"},
        CasLangue{LangueAnglais,
                  "Test,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie (A),Ef,Pf,"
                  "Los. (W),t (s)",
                  "2,0,2000,-12.34,0.0,0.0,0.005,0.0,0.000,0.000,0.000,0.0,123.45",
                  "4,1,4001,-12.34,0.0,0.0,0.005,0.0,0.000,0.000,0.000,0.0,123.45"},
        CasLangue{LangueEspagnol,
                  "prueba;N°;n (tr/min);Tu (Nm);Pm (W);U (V);I (A);Pe (W);Ie (A);Rd;Fp;"
                  "Pertes (W);t (s)",
                  "2;0;2000;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45",
                  "4;1;4001;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45"},
        // A code outside the table counts as French.
        CasLangue{7,
                  "Essai;N°;n (tr/min);Tu (Nm);Pm (W);U (V);I (A);Pe (W);Ie (A);Rd;Fp;"
                  "Pertes (W);t (s)",
                  "2;0;2000;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45",
                  "4;1;4001;-12,34;0,0;0,0;0,005;0,0;0,000;0,000;0,000;0,0;123,45"}));

}  // namespace
