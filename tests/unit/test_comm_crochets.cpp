// What the gateway tells the window that owns it: the moment the link is
// ready (after the idle control word) and the status word of every
// measurement step whose block read succeeded -- and nothing else.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

// A drive whose block read fails for the result codes queued in `lectures`
// (0 when none is left); the status word is `statut`.
class DriveScripte : public ITransportModbus {
public:
    bool Ouvrir() override { return ouvert = ouvrirOk; }
    void Fermer() override { ouvert = false; }
    bool EstOuvert() const override { return ouvert; }
    int32_t LireRegistre(int, int, int32_t& v) override {
        v = 750;
        return 0;
    }
    int32_t LireRegistres(int, int, int n, int32_t* v) override {
        int32_t c = 0;
        if (!lectures.empty()) {
            c = lectures.front();
            lectures.pop_front();
        }
        if (c == 0)
            for (int i = 0; i < n; ++i) v[i] = i == 0 ? statut : 0;
        return c;
    }
    int32_t EcrireRegistre(int m, int p, int32_t v) override {
        journal.push_back("W" + std::to_string(m) + "." + std::to_string(p) + "=" +
                          std::to_string(v));
        return 0;
    }
    int32_t EcrireRegistres(int, int, int, const int32_t*) override { return 0; }

    bool ouvrirOk = true, ouvert = false;
    int32_t statut = 0x0102;
    std::deque<int32_t> lectures;
    std::vector<std::string>& journal;
    explicit DriveScripte(std::vector<std::string>& j) : journal(j) {}
};

// Records the hooks into the same journal as the drive's writes, so their
// order against the exchanges shows.
class PasserelleEcoutee : public TPasserelleCom {
public:
    explicit PasserelleEcoutee(std::vector<std::string>& j) : journal(j) {}
    std::vector<std::string>& journal;

protected:
    void LiaisonPrete() override { journal.push_back("pret"); }
    void StatutLu(int32_t s) override { journal.push_back("statut " + std::to_string(s)); }
};

class Crochets_ : public ::testing::Test {
protected:
    void SetUp() override {
        InitEtude();
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        pause_ = DefinirPause([](int) {});
        fabrique_ = DefinirFabriqueSimulation([this] {
            auto t = std::make_unique<DriveScripte>(journal);
            drive = t.get();
            return t;
        });
        com = std::make_unique<PasserelleEcoutee>(journal);
        com->Transport(LiaisonSimulation);
    }
    void TearDown() override {
        com.reset();
        DefinirPause(pause_);
        DefinirFabriqueSimulation(fabrique_);
        ConfigGenerale = ConfigDefaut;
    }

    std::vector<std::string> journal;
    DriveScripte* drive = nullptr;
    std::unique_ptr<PasserelleEcoutee> com;
    RapportEnregistre rapport;

private:
    FonctionPause pause_;
    FabriqueTransport fabrique_;
};

TEST_F(Crochets_, LinkReadyComesAfterTheIdleControlWordAtEachInitialise) {
    com->Initialise();
    com->Initialise();  // already open: ready again
    EXPECT_EQ(journal, (std::vector<std::string>{"W20.29=1", "pret", "W20.29=1", "pret"}));
}

TEST_F(Crochets_, NoReadyWhenTheLinkDoesNotOpen) {
    drive->ouvrirOk = false;
    com->Initialise();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(rapport.messages.size(), 1u);
}

TEST_F(Crochets_, EachGoodBlockReadGivesItsStatusWord) {
    com->Initialise();
    journal.clear();
    drive->lectures = {0, 4, 0};  // good, failed, good
    com->LectureValeurs();
    drive->statut = 0x0305;
    com->LectureValeurs();  // failed read: no word reported
    com->LectureValeurs();
    EXPECT_EQ(journal, (std::vector<std::string>{"statut 258", "W18.30=259", "W18.30=259",
                                                 "statut 773", "W18.30=773"}));
}

TEST_F(Crochets_, AStepOnAClosedLinkReportsNothing) {
    com->LectureValeurs();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(ValeursCourantes[GNumero], -1);
}

}  // namespace
