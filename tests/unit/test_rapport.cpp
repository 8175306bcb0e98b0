// Reporters: installed ones record and answer in turn; the default cannot ask.
#include <gtest/gtest.h>

#include "OutilsEssai.h"
#include "study/Rapport.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

constexpr const char* Question = "Fichier modifié. Voulez-vous l'enregistrer?";

TEST(Rapport, InstalledReportersAnswerInTurnOthersCancel) {
    {
        RapportEnregistre rapport;
        rapport.reponses = {ReponseQuestion::Oui, ReponseQuestion::Non};
        EXPECT_EQ(Demander("a"), ReponseQuestion::Oui);
        EXPECT_EQ(Demander("c"), ReponseQuestion::Non);
        EXPECT_EQ(Demander("d"), ReponseQuestion::Annuler);  // no answer left
        EXPECT_EQ(rapport.questions, (std::vector<std::string>{"a", "c", "d"}));
    }
    // The default prints and answers Cancel, so the asking command stops.
    testing::internal::CaptureStderr();
    EXPECT_EQ(Demander(Question), ReponseQuestion::Annuler);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(Question) + "\n");
}

}  // namespace
