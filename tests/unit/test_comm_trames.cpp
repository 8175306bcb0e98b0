// Modbus RTU frames byte for byte, and the serial requests over a scripted
// port: result codes, value extraction, the pause before a read.
#include <gtest/gtest.h>

#include <deque>

#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "comm/LiaisonRtu.h"
#include "comm/Trames.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

Octets DeTrame(const TTrame& t) { return {t.Octets.begin(), t.Octets.begin() + t.Longueur}; }

// A port that records what goes out and answers from a script; a reply not
// of the length asked delivers nothing, as a real port on a short read.
class PortScripte : public IPortSerie {
public:
    bool EstOuvert() const override { return ouvert; }
    void Purger() override { ++purges; }
    bool Ecrire(std::span<const uint8_t> o) override {
        envoyes.emplace_back(o.begin(), o.end());
        return ecritureOk;
    }
    bool Lire(int n, TTrame& recus) override {
        recus.Longueur = 0;
        if (reponses.empty()) return false;
        const Octets r = reponses.front();
        reponses.pop_front();
        if (static_cast<int>(r.size()) != n) return false;
        std::copy(r.begin(), r.end(), recus.Octets.begin());
        recus.Longueur = n;
        return true;
    }
    bool ouvert = true, ecritureOk = true;
    int purges = 0;
    std::vector<Octets> envoyes;
    std::deque<Octets> reponses;
};

class LiaisonRtu_ : public ::testing::Test {
protected:
    void SetUp() override {
        precedente_ = DefinirPause([this](int ms) { pauses.push_back(ms); });
    }
    void TearDown() override { DefinirPause(precedente_); }
    std::vector<int> pauses;
    PortScripte port;
    TLiaisonRtu rtu{&port};

private:
    FonctionPause precedente_;
};

}  // namespace

// The register table against the addresses and bits written out by hand.
TEST(Trames_, RegisterTableGivesTheDriveAddressesAndBits) {
    const std::pair<Parametre, int> adresses[] = {
        {ParamStatut, 2001},          {ParamConstanteK, 1919},
        {ParamControle, 2028},        {ParamEchoStatut, 1829},
        {ParamCalibre, 1131},         {ParamVitesse, 2002},
        {ParamPuissanceActive, 2010}, {ParamBlocCharge.Suivant(5), 1924}};
    for (auto [p, a] : adresses) EXPECT_EQ(p.Adresse(), a) << p.menu << "." << p.parametre;
    EXPECT_EQ(ParamBlocCharge, ParamConstanteK);  // K is P0
    EXPECT_EQ(ParamStatut.Suivant(NbMesures - 1), ParamPuissanceActive);
    EXPECT_EQ((std::array{StatutBalayage, StatutPhase1, StatutPhase2}),
              (std::array<int32_t, 3>{0x0004, 0x0100, 0x0200}));
    EXPECT_EQ((std::array{ControleRepos, ControleMarche, ControleMontee, ControleDescente}),
              (std::array<int32_t, 4>{1, 5, 0x4000, 0x8000}));
    for (const DescRegistre& d : TableRegistres) {
        const bool ecrit =
            d.param == ParamEchoStatut || d.param == ParamControle ||
            (d.param.menu == 19 && d.param.parametre >= 20 && d.param.parametre <= 25);
        EXPECT_EQ(d.acces == Acces::Ecriture, ecrit) << d.nom;
    }
}

TEST(Trames_, RequestsGoOutByteForByteAndRepliesAreChecked) {
    const int32_t six[6] = {1, 2, -1, 0x1234, 0, 70000};
    EXPECT_EQ(DeTrame(TrameLecture(20, 2, 10)), Hex("01 03 07 D1 00 0A 94 80"));
    EXPECT_EQ(DeTrame(TrameEcriture(20, 29, 1)), Hex("01 10 07 EC 00 01 02 00 01 07 FC"));
    EXPECT_EQ(DeTrame(TrameEcriture(20, 29, -1)), AvecCrc(Hex("01 10 07 EC 00 01 02 FF FF")));
    const TTrame bloc = TrameEcritureBloc(19, 20, 6, six);
    EXPECT_EQ(bloc.Longueur, 21);
    EXPECT_EQ(DeTrame(bloc),
              AvecCrc(Hex("01 10 07 7F 00 06 0C 00 01 00 02 FF FF 12 34 00 00 11 70")));

    const Octets bon = AvecCrc(Hex("01 03 02 FF FE"));
    EXPECT_TRUE(testcrcstr(7, bon));
    EXPECT_FALSE(testcrcstr(8, bon));
    EXPECT_FALSE(testcrcstr(7, {}));
    Octets faux = bon;
    faux[6] ^= 1;
    EXPECT_FALSE(testcrcstr(7, faux));
    EXPECT_EQ(calculcrc(0, bon.data()), 0xFFFF);
    EXPECT_EQ(MotReponse(bon, 0), 65534);
    EXPECT_EQ(MotSigne(MotReponse(bon, 0)), -2);
}

TEST_F(LiaisonRtu_, ReadsExtractUnsignedSingleAndSignedBlock) {
    port.reponses.push_back(AvecCrc(Hex("01 03 02 FF FE")));
    int32_t erreur = -5;
    EXPECT_EQ(rtu.ReadRegRS232(11, 32, erreur), 65534);
    EXPECT_EQ(erreur, 0);

    Octets bloc = Hex("01 03 14");
    for (int i = 0; i < 10; ++i) bloc.insert(bloc.end(), {0xFF, static_cast<uint8_t>(0xFE - i)});
    port.reponses.push_back(AvecCrc(bloc));
    int32_t v[10] = {};
    rtu.Read10RegRS232(20, 2, erreur, 10, v);
    EXPECT_EQ(erreur, 0);
    EXPECT_EQ(v[0], -2);
    EXPECT_EQ(v[9], -11);
    ASSERT_EQ(port.envoyes.size(), 2u);
    EXPECT_EQ(port.envoyes[1], Hex("01 03 07 D1 00 0A 94 80"));
    EXPECT_EQ(port.purges, 2);
    // The 10 ms wait comes before each read, and only there.
    rtu.WriteRegRS232(20, 29, 1);
    EXPECT_EQ(pauses, (std::vector<int>{10, 10}));
}

TEST_F(LiaisonRtu_, BlockReadWithBadCrcFillsValuesAndWordZeroButFails) {
    Octets r = Hex("01 03 14 00 07 00 08");
    r.resize(23);
    r = AvecCrc(r);
    r.back() ^= 0x55;
    port.reponses.push_back(r);
    ValeursCourantes[GNumero] = -1;
    int32_t erreur = 0, v[10] = {};
    rtu.Read10RegRS232(20, 2, erreur, 10, v);
    EXPECT_EQ(erreur, 3);
    EXPECT_EQ(ValeursCourantes[GNumero], 0);
    EXPECT_EQ(v[1], 8);

    // An exception reply (5 bytes), then none: 3, word 0 untouched.
    ValeursCourantes[GNumero] = -1;
    port.reponses.push_back(AvecCrc(Hex("01 83 02")));
    for (int k = 0; k < 2; ++k) {
        rtu.Read10RegRS232(20, 2, erreur, 10, v);
        EXPECT_EQ(erreur, 3);
        EXPECT_EQ(ValeursCourantes[GNumero], -1);
    }
    port.ouvert = false;
    rtu.Read10RegRS232(20, 2, erreur, 10, v);
    EXPECT_EQ(erreur, 1);
}

TEST_F(LiaisonRtu_, WriteResultCodes) {
    const Octets echo = AvecCrc(Hex("01 10 07 EC 00 01"));
    Octets echoFaux = echo;
    echoFaux[7] ^= 1;
    port.reponses = {echo, echoFaux, Hex("01 10 07")};
    EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), 0);
    EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), 3);  // complete, bad CRC
    EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), 4);  // short
    EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), 4);  // missing
    port.ecritureOk = false;
    port.reponses = {echo};
    EXPECT_EQ(rtu.WriteRegRS232(20, 29, 1), 4);  // not sent

    port.ecritureOk = true;
    const int32_t p[6] = {};
    port.reponses = {AvecCrc(Hex("01 10 07 7F 00 06")), echoFaux};
    EXPECT_EQ(rtu.Write10RegRS232(19, 20, 6, p), 0);
    EXPECT_EQ(rtu.Write10RegRS232(19, 20, 6, p), 1);
    EXPECT_EQ(rtu.Write10RegRS232(19, 20, 6, p), 1);

    // A port that is not open (or whose device went away) sends nothing and
    // every request fails.
    port.ouvert = false;
    const size_t envoyes = port.envoyes.size();
    int32_t erreur = 0;
    EXPECT_NE(rtu.WriteRegRS232(20, 29, 1), 0);
    EXPECT_NE(rtu.Write10RegRS232(19, 20, 6, p), 0);
    EXPECT_EQ(rtu.ReadRegRS232(11, 32, erreur), 0);
    EXPECT_EQ(erreur, 1);
    EXPECT_EQ(port.envoyes.size(), envoyes);
}
