// The simulated bench through the gateway (link type 3) on one simulated clock.
#include <gtest/gtest.h>

#include <memory>

#include "CoherenceBanc.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "sim/LiaisonSimulee.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

class BancPasserelle : public ::testing::Test {
protected:
    void SetUp() override {
        InitEtude();
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ReglagesCourants[MotCalibre] = 0;
        horloge_ = DefinirHorloge([this] { return maintenant_; });
        pause_ = DefinirPause([this](int ms) { maintenant_ += ms; });
        sim::InstallerBancSimule();
    }
    void TearDown() override {
        com.reset();
        DefinirFabriqueSimulation({});
        DefinirHorloge(horloge_);
        DefinirPause(pause_);
        ConfigGenerale = ConfigDefaut;
    }
    // `ms` of measurement steps 50 ms apart, as the acquisition timers run them.
    void Mesurer(int ms) {
        for (int t = 0; t < ms; t += 50) {
            Pause(50);
            com->LectureValeurs();
            ASSERT_EQ(ValeursCourantes[GNumero], 0);
        }
    }

    std::unique_ptr<TPasserelleCom> com;

private:
    int64_t maintenant_ = 1000000;
    FonctionHorloge horloge_;
    FonctionPause pause_;
};

}  // namespace

// Every machine, at rest and under half torque (T = K at 50 %, or the
// constant-torque law), gives quantities that agree with one another.
TEST_F(BancPasserelle, QuantitesCoherentesPourChaqueTypeDeMachine) {
    for (const LigneMachine& l : LignesMachines)
        for (int32_t caract : TypesChargeDemiEchelle) {
            SCOPED_TRACE(::testing::Message() << "machine " << l.type << ", type " << caract);
            ReglagesCourants[MotTypeMachine] = l.type;
            ReglagesCourants[MotTypeCaract] = caract;
            com = std::make_unique<TPasserelleCom>();
            com->Initialise();
            ASSERT_TRUE(com->LiaisonOuverte());
            // The 1.5 kW bench: power range 2.
            EXPECT_EQ(std::pair(com->CalibreVariateur(), ConfigGenerale.GammePuissance),
                      std::pair(1500, 2));
            com->initime();
            Mesurer(500);
            const ValeursPoint repos = ValeursCourantes;
            VerifierGrandeurs(repos, l);

            com->setParam0();
            if (caract == TypeCoupleK) {
                com->EmissionControle(MotControle(caract, ControleMarche));
                com->EmissionConstanteK(KDemi);
            } else {
                com->EmissionControle(MotControle(caract, ControleRepos));
                std::copy(BlocCoupleConstant.begin(), BlocCoupleConstant.end(), com->P.begin());
                com->EmissionParam();
                com->EmissionControle(MotControle(caract, ControleMarche));
            }
            Mesurer(3000);
            VerifierEnCharge(ValeursCourantes, repos, l);
            com->Ferme();
        }
}
