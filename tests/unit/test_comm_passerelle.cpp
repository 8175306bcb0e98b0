// The gateway over a scripted drive installed as the simulated link (type 3).
#include <gtest/gtest.h>

#include <deque>

#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

using Journal = std::vector<std::string>;

// r3 speed, r4 torque, r5 excitation, r6/r7 DC/AC current, r8/r9 DC/AC voltage, r11 power.
std::array<int32_t, 12> Bloc(int32_t r3, int32_t r4, int32_t r5, int32_t r6, int32_t r7, int32_t r8,
                             int32_t r9, int32_t r11) {
    return {0, 0, 0, r3, r4, r5, r6, r7, r8, r9, 0, r11};
}

// Each exchange takes the next of `codes` (0 when none); writes are journalled.
class TransportScripte : public ITransportModbus {
public:
    explicit TransportScripte(Journal& j) : journal(j) {}
    bool Ouvrir() override { return ouvert = ouvrirOk; }
    void Fermer() override { ouvert = false; }
    bool EstOuvert() const override { return ouvert; }
    int32_t LireRegistre(int, int, int32_t& v) override { return v = calibre, Code(); }
    int32_t LireRegistres(int, int, int n, int32_t* v) override {
        const int32_t c = (++lectures, Code());
        if (c == 0) std::copy(bloc.begin(), bloc.begin() + n, v);
        return c;
    }
    int32_t EcrireRegistre(int m, int p, int32_t v) override {
        return EcrireRegistres(m, p, 1, &v);
    }
    int32_t EcrireRegistres(int m, int p, int n, const int32_t* v) override {
        std::string e = std::to_string(m) + "." + std::to_string(p) + "=";
        for (int i = 0; i < n; ++i) e += (i ? "," : "") + std::to_string(v[i]);
        return journal.push_back(e), Code();
    }
    int32_t Code() {
        if (!ouvert || codes.empty()) return ouvert ? 0 : 4;
        const int32_t c = codes.front();
        return codes.pop_front(), c;
    }

    Journal& journal;
    bool ouvrirOk = true, ouvert = false;
    int32_t calibre = 750;
    std::array<int32_t, 10> bloc{0x0104, 1500, 1200, 0, 0, 4000, 0, 2300, 0, 700};
    std::deque<int32_t> codes;
    int lectures = 0;
};

struct PasserelleEcoutee : TPasserelleCom {
    explicit PasserelleEcoutee(Journal& j) : journal(j) {}
    void LiaisonPrete() override { journal.push_back("pret"); }
    void StatutLu(int32_t s) override { journal.push_back("statut " + std::to_string(s)); }
    Journal& journal;
};

class Passerelle_ : public ::testing::Test {
protected:
    void SetUp() override {
        InitEtude(), ConfigGenerale = ConfigDefaut, ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotCalibre] = 0;
        com->Transport(LiaisonSimulation);
    }
    void TearDown() override {
        com.reset(), DefinirPause(pause_), DefinirHorloge(horloge_);
        DefinirFabriqueSimulation(fabrique_), ConfigGenerale = ConfigDefaut;
    }
    void Ouvrir() {
        com->Initialise(), com->LectureValeurs();
        ASSERT_TRUE(com->LiaisonOuverte() && ValeursCourantes[GNumero] == 0);
    }

    Journal journal;
    TransportScripte* drive = nullptr;
    std::unique_ptr<PasserelleEcoutee> com = std::make_unique<PasserelleEcoutee>(journal);
    RapportEnregistre rapport;
    std::vector<int> pauses;
    int64_t maintenant = 1000;
    FonctionPause pause_ = DefinirPause([this](int ms) { pauses.push_back(ms); });
    FonctionHorloge horloge_ = DefinirHorloge([this] { return maintenant; });
    FabriqueTransport fabrique_ = DefinirFabriqueSimulation([this] {
        auto t = std::make_unique<TransportScripte>(journal);
        drive = t.get();
        return t;
    });
};

}  // namespace

TEST(Calcul_, QuantitiesMachineTableEfficiencyAndPowerRange) {
    auto r = Bloc(1500, 1200, 0, 0, 4000, 0, 2300, 700);
    ValeursPoint v{};
    CalculerValeurs(r, 3, 0, 12345, v);
    EXPECT_EQ(v, (ValeursPoint{0, 1500, 1200, 18852, 2300, 4000, 21000, 0, 897, 760, 2148, 1234}));
    // 2 A range: currents and power in tenths, the power factor unchanged.
    CalculerValeurs(r, 3, 1, 0, v);
    EXPECT_EQ(v, (ValeursPoint{0, 1500, 1200, 18852, 2300, 400, 2100, 0, 111, 760, 16752, 0}));

    // A DC machine with field has no power factor.
    CalculerValeurs(Bloc(0, 0, 12345, 600, 700, 800, 900, 10), 0, 0, 0, v = {});
    EXPECT_EQ(v, (ValeursPoint{0, 0, 0, 0, 800, 600, 100, 1234, 0, 0, 100, 0}));

    const auto calcul = [&](std::array<int32_t, 12> r, int machine, int q) {
        return CalculerValeurs(r, machine, 0, 0, v = {}), v[size_t(q)];
    };
    // 200 × -191 tr/min·cN·m gives Pm = -400 (tenths of a watt); DC machine: Pe = r11 × 10.
    EXPECT_EQ(calcul(Bloc(200, -191, 0, 0, 0, 0, 0, -50), 0, GRendement), 800);
    EXPECT_EQ(calcul(Bloc(200, -191, 0, 0, 0, 0, 0, 50), 0, GRendement), 0);
    // At rest (S ≤ 1000) no power factor; never above 1000.
    EXPECT_EQ(calcul(Bloc(0, 0, 0, 0, 10, 0, 100, 5), 3, GFacteurPuissance), 0);
    EXPECT_EQ(calcul(Bloc(0, 0, 0, 0, 100, 0, 100, -2000), 3, GFacteurPuissance), 1000);

    // Out of every range (7 here) the range stays as it was.
    for (const auto& [calibre, gamme] : {std::pair{-11, 7}, {-10, 0}, {1, 7}, {501, 2}, {5001, 7}})
        EXPECT_EQ(GammeDeCalibre(calibre, 7), gamme) << calibre;
    EXPECT_EQ(MotControle(19, ControleRepos), ControleRepos);  // beyond the types: no mode
}

// The range follows the rating read (kept for a rating of no range, 0 when unknown).
TEST_F(Passerelle_, LinkThatDoesNotOpenIsNeverReadyThenInitialiseReadsTheRatingAndSaysReady) {
    drive->ouvrirOk = false, ConfigGenerale.GammePuissance = 3, com->Initialise();
    EXPECT_TRUE(!com->LiaisonOuverte() && ConfigGenerale.GammePuissance == 0);
    // A measurement step on a closed link sends nothing, has no values, reports nothing.
    ValeursCourantes[GNumero] = 0, com->LectureValeurs();
    EXPECT_TRUE(ValeursCourantes[GNumero] == -1 && drive->lectures == 0 && journal.empty());

    drive->ouvrirOk = true, com->Initialise();
    drive->calibre = 5, com->Initialise();  // already open: reads the rating again, ready again
    EXPECT_EQ(std::pair(ConfigGenerale.GammePuissance, pauses),
              std::pair(2, std::vector<int>{100, 100}));
    EXPECT_EQ(journal, (Journal{"20.29=1", "pret", "20.29=1", "pret"}));
    EXPECT_EQ(rapport.messages, std::vector<std::string>{"Erreur de liaison"});
}

TEST_F(Passerelle_,
       StepEchoesTheStatusOneFailureKeepsTheValuesTwoStopTheAcquisitionCloseAfterThem) {
    maintenant = 5000, com->initime(), maintenant = 7500;
    Ouvrir();
    EXPECT_EQ(
        std::tuple(ValeursCourantes[GFacteurPuissance], ValeursCourantes[GTemps], com->Status()),
        std::tuple(760, 250, 0x0105));
    // Ready after the idle word; the status word read is told before its echo (bit 0 set).
    EXPECT_EQ(journal, (Journal{"20.29=1", "pret", "statut 260", "18.30=261"}));
    const ValeursPoint avant = ValeursCourantes;
    drive->bloc[0] = 0x0300, drive->bloc[1] = 999;
    journal.clear(), drive->codes = {3, 0}, com->LectureValeurs();  // read fails, echo succeeds
    EXPECT_TRUE(com->NbEchecs() == 1 && ValeursCourantes == avant);
    // The last good status word is kept (both copies) and echoed; no status is told.
    EXPECT_EQ(std::pair(com->StatusCopie(), journal), std::pair(0x0104, Journal{"18.30=261"}));
    drive->codes = {3, 0}, com->LectureValeurs();
    EXPECT_EQ(std::pair(com->NbEchecs(), ValeursCourantes[GNumero]), std::pair(2, -1));

    // A good step clears the count.
    journal.clear(), com->LectureValeurs();
    EXPECT_EQ(std::tuple(com->NbEchecs(), ValeursCourantes[GVitesse], com->StatusCopie(), journal),
              std::tuple(0, 999, 0x0300, Journal{"statut 768", "18.30=769"}));

    // An echo that fails alone is a failed step too.
    drive->codes = {0, 4}, com->LectureValeurs();
    EXPECT_EQ(std::pair(com->NbEchecs(), ValeursCourantes[GNumero]), std::pair(1, 0));

    // Closing sends control word zero only after clean exchanges; closed, the
    // register operations do nothing at all.
    journal.clear(), com->Ferme(), com->WriteRegModbus(20, 29, 1);
    EXPECT_TRUE(journal.empty() && !drive->ouvert);
    Ouvrir();
    journal.clear(), com->Ferme();
    EXPECT_EQ(journal, Journal{"20.29=0"});
    EXPECT_FALSE(com->LiaisonOuverte() || drive->ouvert);
}

TEST_F(Passerelle_, ExchangeWithNoLinkForTheTypeIsAFailureNeverAMeasurement) {
    // The link type changes under an open link to one without transport.
    Ouvrir();
    ASSERT_TRUE(com->LectureValide());
    const ValeursPoint avant = ValeursCourantes;
    const size_t envoyes = journal.size();
    ConfigGenerale.TypeLiaison = 7, com->LectureValeurs();
    EXPECT_TRUE(!com->LectureValide() && com->DerniereErreur() && com->CodeResultat() != 0);
    // Read and echo both failed: the acquisition stops at once, the values stay.
    EXPECT_EQ(std::pair(com->NbEchecs(), ValeursCourantes[GNumero]), std::pair(2, -1));
    EXPECT_TRUE(std::equal(avant.begin() + GVitesse, avant.end(), &ValeursCourantes[GVitesse]));
    EXPECT_EQ(journal.size(), envoyes);
    EXPECT_EQ(com->ReadRegModbus(ParamCalibre.menu, ParamCalibre.parametre), 0);
    EXPECT_EQ(com->NbEchecs(), 3);

    // Closing a link whose device went away sends no control word.
    ConfigGenerale.TypeLiaison = LiaisonSimulation, Ouvrir();
    drive->ouvert = false, journal.clear();
    EXPECT_FALSE(com->LiaisonOuverte());
    com->Ferme();
    EXPECT_TRUE(journal.empty());
}
