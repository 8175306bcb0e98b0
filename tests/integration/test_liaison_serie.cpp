// The serial link against a libmodbus RTU slave on a pseudo-terminal: the
// bytes that go out, the values that come back, the result codes when the
// slave misbehaves, a vanishing device, and orvanectl link on it.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "tests/integration/PairsModbus.h"
#include "tools/orvanectl/Orvanectl.h"

using namespace orvane;
using namespace orvane::essai;
using Horloge = std::chrono::steady_clock;

namespace {

class RapportMuet : public Rapport {
public:
    void Avertissement(const std::string& t) override { messages.push_back(t); }
    std::vector<std::string> messages;
};

class Serie_ : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pair.Nom().empty());
        InitEtude();
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSerie;
        ConfigGenerale.PortSerie.Ecrire(pair.Nom());
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotCalibre] = 0;
        precedent_ = DefinirRapport(&rapport);
        // The drive: rating 750, a status word and a running asynchronous machine.
        pair.DefinirRegistre(1131, 750);
        const uint16_t bloc[10] = {0x0104, 1500, 1200, 0, 0, 4000, 0, 2300, 0xFFFE, 700};
        for (int i = 0; i < 10; ++i) pair.DefinirRegistre(2001 + i, bloc[i]);
    }
    void TearDown() override {
        DefinirRapport(precedent_);
        ConfigGenerale = ConfigDefaut;
    }
    PairRtu pair;
    RapportMuet rapport;

private:
    Rapport* precedent_ = nullptr;
};

Octets Hex(const std::string& texte) {
    Octets o;
    std::istringstream in(texte);
    unsigned v;
    while (in >> std::hex >> v) o.push_back(static_cast<uint8_t>(v));
    return o;
}

}  // namespace

TEST_F(Serie_, ConnectMeasureAndCloseAgainstTheSlave) {
    TPasserelleCom com;
    com.Initialise();
    ASSERT_TRUE(com.LiaisonOuverte()) << (rapport.messages.empty() ? "" : rapport.messages[0]);
    EXPECT_EQ(com.CalibreVariateur(), 750);
    EXPECT_EQ(ConfigGenerale.GammePuissance, 2);
    EXPECT_EQ(pair.Registre(2028), 1);  // control word 1

    com.LectureValeurs();
    EXPECT_EQ(ValeursCourantes[GNumero], 0);
    EXPECT_EQ(ValeursCourantes[GVitesse], 1500);
    EXPECT_EQ(ValeursCourantes[GPuissanceMeca], 18852);
    EXPECT_EQ(ValeursCourantes[GPuissanceElec], 21000);
    EXPECT_EQ(ValeursCourantes[GFacteurPuissance], 760);
    EXPECT_EQ(com.R[10], -2);                // 20.10 read signed
    EXPECT_EQ(pair.Registre(1829), 0x0105);  // status echo with bit 0

    com.P = {100, 200, -1, 0, 0, 7};
    com.EmissionParam();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(pair.Registre(1919 + i), static_cast<uint16_t>(com.P[static_cast<size_t>(i)]));
    com.Ferme();
    EXPECT_EQ(pair.Registre(2028), 0);

    const std::vector<Octets> r = pair.Requetes();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], Hex("01 03 04 6B 00 01 F4 E6"));           // 11.32
    EXPECT_EQ(r[1], Hex("01 10 07 EC 00 01 02 00 01 07 FC"));  // 20.29 := 1
    EXPECT_EQ(r[2], Hex("01 03 07 D1 00 0A 94 80"));           // 20.02..20.11
    EXPECT_EQ(Octets(r[3].begin(), r[3].begin() + 9), Hex("01 10 07 25 00 01 02 01 05"));
    EXPECT_EQ(r[4].size(), 21u);
    EXPECT_EQ(Octets(r[4].begin(), r[4].begin() + 7), Hex("01 10 07 7F 00 06 0C"));
}

TEST_F(Serie_, MisbehavingSlaveGivesTheFailureCodes) {
    DefinirPause([](int) {});
    TLiaisonRtu rtu;
    ASSERT_TRUE(rtu.Port().Ouvrir(pair.Nom()));
    int32_t erreur = 0, v[10] = {};
    const struct {
        Panne panne;
        int32_t lecture, ecriture;
    } cas[] = {{Panne::Aucune, 0, 0},
               {Panne::MauvaisCrc, 3, 3},
               {Panne::Exception, 3, 4},
               {Panne::Courte, 3, 4},
               {Panne::Silence, 3, 4}};
    for (const auto& c : cas) {
        pair.panne = c.panne;
        ValeursCourantes[GNumero] = -1;
        const auto debut = Horloge::now();
        rtu.Read10RegRS232(20, 2, erreur, 10, v);
        EXPECT_EQ(erreur, c.lecture) << static_cast<int>(c.panne);
        // Word 0 follows a reply of the expected length, whatever its CRC.
        const bool complete = c.panne == Panne::Aucune || c.panne == Panne::MauvaisCrc;
        EXPECT_EQ(ValeursCourantes[GNumero], complete ? 0 : -1) << static_cast<int>(c.panne);
        if (complete) {
            EXPECT_EQ(v[0], 0x0104);
        }
        EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), c.ecriture) << static_cast<int>(c.panne);
        // Bounded by the time-outs: 10 ms per byte + 100 ms at most.
        EXPECT_LT(Horloge::now() - debut, std::chrono::milliseconds(1000));
    }
    pair.panne = Panne::Aucune;
    EXPECT_EQ(rtu.ReadRegRS232(20, 10, erreur), 0xFFFE);
    EXPECT_EQ(erreur, 0);
    DefinirPause(nullptr);
}

TEST_F(Serie_, ShortReadDeliversNothing) {
    TPortCom port;
    ASSERT_TRUE(port.Ouvrir(pair.Nom()));
    pair.panne = Panne::Silence;
    pair.Envoyer(Octets(20, 0x55));
    TTrame t;
    const auto debut = Horloge::now();
    EXPECT_FALSE(port.Lire(25, t));
    EXPECT_EQ(t.Longueur, 0);
    // Gives up 100 ms after the last byte, well before the 350 ms total.
    EXPECT_LT(Horloge::now() - debut, std::chrono::milliseconds(340));
    EXPECT_TRUE(port.EstOuvert());
}

TEST_F(Serie_, VanishedDeviceFailsEveryExchangeAndInitialiseTriesAgain) {
    DefinirPause([](int) {});
    TPasserelleCom com;
    com.Initialise();
    com.LectureValeurs();
    ASSERT_EQ(ValeursCourantes[GNumero], 0);
    pair.Debrancher();
    com.LectureValeurs();
    EXPECT_EQ(ValeursCourantes[GNumero], -1);
    EXPECT_EQ(com.NbEchecs(), 2);
    EXPECT_TRUE(com.Serie().Port().Perdu());
    EXPECT_FALSE(com.Serie().EstOuvert());
    com.Ferme();
    rapport.messages.clear();
    com.Initialise();  // the device is gone for good: the port error, then the link error
    EXPECT_FALSE(com.LiaisonOuverte());
    ASSERT_EQ(rapport.messages.size(), 2u);
    EXPECT_EQ(rapport.messages[0].rfind("Erreur de communication : - Port : " + pair.Nom(), 0), 0u);
    EXPECT_EQ(rapport.messages[1], "Erreur de liaison");
    DefinirPause(nullptr);
}

TEST_F(Serie_, OrvanectlReadsTheSlave) {
    std::ostringstream out, err;
    const int r = ctl::Executer(
        {"link", "--serial", pair.Nom(), "--machine", "3", "--range", "2A", "read", "--json"}, out,
        err);
    ASSERT_EQ(r, 0) << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find("\"values\"")),
              "{\"rating\": 750, \"range\": 2, \"status\": 260, ");
    EXPECT_NE(out.str().find(", \"values\": [0, 1500, 1200, 18852, 2300, 400, 2100, 0, 111, 760, "
                             "16752, "),
              std::string::npos)
        << out.str();

    std::ostringstream out2, err2;
    EXPECT_EQ(ctl::Executer({"link", "--serial", pair.Nom(), "write", "19.20", "-5"}, out2, err2),
              0)
        << err2.str();
    EXPECT_EQ(pair.Registre(1919), 0xFFFB);

    std::ostringstream texte, err4;
    ASSERT_EQ(ctl::Executer({"link", "--serial", pair.Nom(), "read"}, texte, err4), 0);
    EXPECT_NE(texte.str().find("rating: 750\nrange: 2\nstatus: 260\n"), std::string::npos);
    EXPECT_NE(texte.str().find("n (tr/min): 1500\n"), std::string::npos) << texte.str();

    pair.panne = Panne::Silence;
    std::ostringstream out3, err3;
    EXPECT_EQ(ctl::Executer({"link", "--serial", pair.Nom(), "read"}, out3, err3), 2);
    EXPECT_EQ(err3.str(), "orvanectl: link: no valid reply from the drive\n");
}
