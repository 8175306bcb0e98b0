// The values of the study as a CSV file, in the separators of each language.
#include <gtest/gtest.h>

#include <string>

#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

// Four trials; only trials 2 and 4 hold points (two each). English takes ','
// between fields and '.' in numbers, the others ';' and ','; a language code
// outside the table counts as French.
TEST(CsvValeurs, SeparatorsFollowTheLanguageAndEmptyTrialsGiveNoRow) {
    for (const int32_t langue : {LangueAnglais, 7}) {
        SCOPED_TRACE(langue);
        ChoixLangue(langue);
        InitEtude();
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        for (int k = 1; k <= 4; ++k) {
            NouvelleCaract();
            for (int p = 0; p < 2 && k % 2 == 0; ++p) {
                ValeursCourantes = {0, 1000 * k + p, -1234, 0, 0, 5, 0, 0, 0, 0, 0, 12345};
                AjouterPoint();
            }
        }
        const bool virgule = langue != LangueAnglais;
        std::string entete = virgule ? "Essai,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie "
                                       "(A),Rd,Fp,Pertes (W),t (s)\r\n"
                                     : "Test,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie "
                                       "(A),Ef,Pf,Los. (W),t (s)\r\n";
        std::string lignes[5];
        for (int essai : {2, 4})
            for (int p = 0; p < 2; ++p)
                lignes[essai] += std::to_string(essai) + "," + std::to_string(p) + "," +
                                 std::to_string(1000 * essai + p) +
                                 ",-12.34,0.0,0.0,0.005,0.0,0.000,0.000,0.000,0.0,123.45\r\n";
        for (std::string* s : {&entete, &lignes[2], &lignes[4]})
            for (char& c : *s) c = !virgule ? c : c == ',' ? ';' : c == '.' ? ',' : c;
        const std::string csv = CsvValeursLangue(-1, langue);
        EXPECT_EQ(csv, entete + lignes[2] + lignes[4]);
        EXPECT_EQ(csv, CsvValeurs(-1, virgule));  // the language's rule, whatever table is current
        EXPECT_EQ(CsvValeursLangue(4, langue), entete + lignes[4]);
    }
    ChoixLangue(LangueFrancais);
}
