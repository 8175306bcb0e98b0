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

// Every machine, at rest and under half torque (T = K at 50 %, or the
// constant-torque law), gives quantities that agree with one another.
TEST(BancPasserelle, QuantitesCoherentesPourChaqueTypeDeMachine) {
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSimulation;
    ReglagesCourants[MotCalibre] = 0;
    int64_t maintenant = 1000000;
    struct Retablir {
        FonctionHorloge horloge;
        FonctionPause pause;
        ~Retablir() {
            DefinirFabriqueSimulation({}), DefinirHorloge(horloge), DefinirPause(pause);
            ConfigGenerale = ConfigDefaut;
        }
    } retablir{DefinirHorloge([&] { return maintenant; }),
               DefinirPause([&](int ms) { maintenant += ms; })};
    sim::InstallerBancSimule();
    std::unique_ptr<TPasserelleCom> com;
    // `ms` of measurement steps 50 ms apart, as the acquisition timers run them.
    const auto Mesurer = [&](int ms) {
        for (int t = 0; t < ms; t += 50) {
            Pause(50);
            com->LectureValeurs();
            ASSERT_EQ(ValeursCourantes[GNumero], 0);
        }
    };
    for (const LigneMachine& l : LignesMachines)
        for (int32_t caract : TypesChargeDemiEchelle) {
            SCOPED_TRACE(::testing::Message() << "machine " << l.type << ", type " << caract);
            ReglagesCourants[MotTypeMachine] = l.type;
            ReglagesCourants[MotTypeCaract] = caract;
            com = std::make_unique<TPasserelleCom>();
            com->Initialise();
            ASSERT_TRUE(com->LiaisonOuverte());
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
