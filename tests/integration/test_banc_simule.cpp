// The simulated bench seen by the program's own gateway: in process (link
// type 3) and through the real serial path over a pseudo-terminal.
#include <gtest/gtest.h>

#include "OutilsEssai.h"
#include "comm/Passerelle.h"
#include "sim/LiaisonSimulee.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

void Attendre(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class BancSimule : public ::testing::Test {
protected:
    void SetUp() override {
        InitEtude();
        ConfigGenerale = ConfigDefaut;
        ReglagesCourants[MotTypeMachine] = 3;  // asynchronous machine
        ReglagesCourants[MotTypeCaract] = 1;   // T = K
    }
    void TearDown() override {
        DefinirFabriqueSimulation({});
        ConfigGenerale = ConfigDefaut;
    }
};

TEST_F(BancSimule, InProcessLinkMeasuresAndFollowsTheLoad) {
    sim::InstallerBancSimule();
    ConfigGenerale.TypeLiaison = LiaisonSimulation;
    ConfigGenerale.GammePuissance = 0;
    TPasserelleCom com;
    com.Initialise();
    ASSERT_TRUE(com.LiaisonOuverte());
    EXPECT_EQ(com.CalibreVariateur(), 1500);
    EXPECT_EQ(ConfigGenerale.GammePuissance, 2);
    com.initime();
    com.LectureValeurs();
    ASSERT_EQ(ValeursCourantes[0], 0);
    const int32_t aVide = ValeursCourantes[GVitesse];
    EXPECT_GT(aVide, 1450);
    EXPECT_LE(aVide, 1500);  // below synchronous speed

    // Constant torque at half the scale: the machine slows and draws power.
    com.setParam0();
    com.EmissionControle(MotControle(1, ControleRepos));
    com.EmissionConstanteK(500);
    com.EmissionControle(MotControle(1, ControleMarche));
    for (int i = 0; i < 10; ++i) {
        Attendre(50);
        com.LectureValeurs();
    }
    ASSERT_EQ(ValeursCourantes[0], 0);
    EXPECT_LT(ValeursCourantes[GVitesse], aVide);
    EXPECT_GT(ValeursCourantes[GCouple], 300);
    EXPECT_GT(ValeursCourantes[GRendement], 500);
    EXPECT_LT(ValeursCourantes[GRendement], 1000);
    com.Ferme();
    EXPECT_FALSE(com.LiaisonOuverte());

    const Sortie j = Ctl({"link", "--sim", "--machine", "3", "read", "--json"});
    ASSERT_EQ(j.statut, 0) << j.err;
    EXPECT_EQ(j.out.rfind("{\"rating\": 1500, \"range\": 2, ", 0), 0u) << j.out;
    EXPECT_NE(j.out.find("\"values\": [0, 14"), std::string::npos) << j.out;
}

TEST_F(BancSimule, AutomaticSweepOverThePseudoTerminalShowsItsPhasesInOrder) {
    ServeurEnFond serveur;
    serveur.variateur.SetTypeMachine(3);
    const std::string nom = serveur.Pty();
    ASSERT_FALSE(nom.empty());
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(nom);
    TPasserelleCom com;
    com.Initialise();
    ASSERT_TRUE(com.LiaisonOuverte()) << nom;

    // A rising sweep of half a second, as the automatic acquisition sends it.
    com.setParam0();
    com.P = {1000, 0, 5, 5, 0, 0};
    com.EmissionControle(MotControle(1, ControleMontee | ControleRepos));
    com.EmissionParam();
    com.EmissionControle(MotControle(1, ControleMontee | ControleMarche));

    std::vector<int32_t> phases;  // 0x0100 or 0x0200 while the sweep runs, 0 after
    int32_t couplePrecedent = -1000000;
    bool montee = true;
    for (int i = 0; i < 60; ++i) {
        Attendre(50);
        com.LectureValeurs();
        ASSERT_EQ(ValeursCourantes[0], 0) << "step " << i;
        const int32_t s = com.StatusCopie();
        const int32_t phase = (s & StatutBalayage) ? (s & (StatutPhase1 | StatutPhase2)) : 0;
        if (phases.empty() && phase == 0) continue;  // not started yet
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
        if (phase == StatutPhase1) {
            // K rises: so does the torque the load applies.
            montee = montee && ValeursCourantes[GCouple] + 20 >= couplePrecedent;
            couplePrecedent = ValeursCourantes[GCouple];
        }
        if (phase == 0) break;
    }
    EXPECT_EQ(phases, (std::vector<int32_t>{StatutPhase1, StatutPhase2, 0}));
    EXPECT_TRUE(montee);
    EXPECT_GT(couplePrecedent, 1000);
    com.Ferme();
}

}  // namespace
