// Modbus RTU frames byte for byte; serial requests over a scripted port.
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

// Each frame written brings the next reply; a short read delivers nothing.
class PortScripte : public IPortSerie {
public:
    bool EstOuvert() const override { return ouvert; }
    void Purger() override { entree.clear(); }
    bool Ecrire(std::span<const uint8_t> o) override {
        envoyes.emplace_back(o.begin(), o.end());
        if (ecritureOk && !reponses.empty())
            entree.insert(entree.end(), reponses.front().begin(), reponses.front().end()),
                reponses.pop_front();
        return ecritureOk;
    }
    bool Lire(int n, TTrame& recus) override {
        demandes.push_back(n);
        const size_t k = std::min(entree.size(), size_t(n));
        const bool complet = int(k) == n;
        if (complet) std::copy_n(entree.begin(), k, recus.Octets.begin());
        entree.erase(entree.begin(), entree.begin() + std::ptrdiff_t(k));
        return recus.Longueur = complet ? n : 0, complet;
    }
    bool ouvert = true, ecritureOk = true;
    std::vector<Octets> envoyes;
    std::deque<Octets> reponses;
    std::deque<uint8_t> entree;
    std::vector<int> demandes;  // the byte counts asked of each read
};

// The echo of a write of n registers from p, without and with its CRC.
Octets EchoSansCrc(Parametre p, int n) {
    const int a = p.Adresse();
    return {EsclaveVariateur, FonctionEcriture, uint8_t(a >> 8), uint8_t(a), 0, uint8_t(n)};
}
Octets Echo(Parametre p, int n) { return AvecCrc(EchoSansCrc(p, n)); }

Octets Change(Octets o, size_t i, uint8_t v) { return o[i] = v, o; }

constexpr int32_t Discordante = TLiaisonRtu::ReponseDiscordante;
constexpr int32_t Exception = TLiaisonRtu::ReponseException;

class LiaisonRtu_ : public ::testing::Test {
protected:
    void TearDown() override { DefinirPause(precedente_); }
    std::vector<int> pauses;
    FonctionPause precedente_ = DefinirPause([this](int ms) { pauses.push_back(ms); });
    PortScripte port;
    TLiaisonRtu rtu{&port};
};

}  // namespace

TEST(Trames_, RequestsGoOutByteForByte) {
    const int32_t six[6] = {1, 2, -1, 0x1234, 0, 70000};
    EXPECT_EQ(DeTrame(TrameLecture(20, 2, 10)), Hex("01 03 07 D1 00 0A 94 80"));
    EXPECT_EQ(DeTrame(TrameEcriture(20, 29, 1)), Hex("01 10 07 EC 00 01 02 00 01 07 FC"));
    EXPECT_EQ(DeTrame(TrameEcritureBloc(19, 20, 6, six)),
              AvecCrc(Hex("01 10 07 7F 00 06 0C 00 01 00 02 FF FF 12 34 00 00 11 70")));
}

TEST_F(LiaisonRtu_, BlockReadAcceptsOnlyTheReplyOfItsSlaveFunctionAndCount) {
    // Values are signed; the 10 ms wait comes before each read, and only there.
    const Octets bloc = Hex("01 03 14 00 07 FF F8 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    const std::tuple<const char*, Octets, int32_t> cas[] = {
        {"good", AvecCrc(bloc), 0},
        {"bad CRC", Change(AvecCrc(bloc), 24, AvecCrc(bloc)[24] ^ 0x55),
         TLiaisonRtu::ReponseFausse},
        {"none", {}, TLiaisonRtu::ReponseFausse},
        {"byte count 18", AvecCrc(Change(bloc, 2, 18)), Discordante},
        {"exception", AvecCrc(Hex("01 83 02")), Exception + 2},
        {"exception with a bad CRC", Hex("01 83 02 00 00"), TLiaisonRtu::ReponseFausse},
    };
    const int total = LongueurReponseLecture(NbMesures);
    for (const auto& [quoi, reponse, code] : cas) {
        SCOPED_TRACE(quoi);
        port.reponses = {reponse}, port.demandes.clear(), pauses.clear();
        ValeursCourantes[GNumero] = -1;
        int32_t erreur = -9, v[NbRegistresMax] = {};
        rtu.Read10RegRS232(ParamStatut.menu, ParamStatut.parametre, erreur, NbMesures, v);
        // Values follow a reply of the expected length, whatever its CRC.
        const bool complet = code == 0 || (code == 3 && reponse.size() == size_t(total));
        EXPECT_EQ(std::tuple(erreur, ValeursCourantes[GNumero], v[1], pauses),
                  std::tuple(code, complet ? 0 : -1, complet ? -8 : 0, std::vector<int>{10}));
        // An exception reply is read as soon as its first two bytes show it.
        const int reste = reponse.size() > 1 && reponse[1] & 0x80 ? 3 : total - 2;
        EXPECT_EQ(port.demandes,
                  reponse.empty() ? std::vector<int>{2} : (std::vector<int>{2, reste}));
    }
}

TEST_F(LiaisonRtu_, WritesAndSingleReadCheckTheEchoAndTheExceptions) {
    const Parametre p = ParamControle, bloc = ParamBlocCharge;
    const int32_t zeros[NbParamCharge] = {};
    enum { Mot, Bloc, Lecture };
    const std::tuple<int, const char*, Octets, int32_t> cas[] = {
        {Mot, "good", Echo(p, 1), 0},
        {Mot, "bad CRC", Change(Echo(p, 1), 7, Echo(p, 1)[7] ^ 1), TLiaisonRtu::ReponseFausse},
        {Mot, "short", Hex("01 10 07"), TLiaisonRtu::EchecEnvoi},
        {Mot, "function 3", AvecCrc(Change(EchoSansCrc(p, 1), 1, FonctionLecture)), Discordante},
        {Mot, "exception", AvecCrc(Hex("01 90 04")), Exception + 4},
        {Bloc, "good", Echo(bloc, NbParamCharge), 0},
        {Bloc, "another count", Echo(bloc, NbParamCharge - 1), Discordante},
        {Lecture, "good, unsigned", AvecCrc(Hex("01 03 02 FF FE")), 0},
        {Lecture, "byte count 4", AvecCrc(Hex("01 03 04 00 05")), Discordante},
    };
    for (const auto& [genre, quoi, reponse, code] : cas) {
        SCOPED_TRACE(::testing::Message() << genre << " " << quoi);
        port.reponses = {reponse}, pauses.clear();
        int32_t erreur = -9, lu = 0;
        if (genre == Mot) erreur = rtu.WriteRegRS232(p.menu, p.parametre, ControleRepos);
        if (genre == Bloc)
            erreur = rtu.Write10RegRS232(bloc.menu, bloc.parametre, NbParamCharge, zeros);
        if (genre == Lecture)
            lu = rtu.ReadRegRS232(ParamCalibre.menu, ParamCalibre.parametre, erreur);
        EXPECT_EQ(std::tuple(erreur, lu, pauses.size()),
                  std::tuple(code, genre == Lecture && code == 0 ? 65534 : 0,
                             genre == Lecture ? 1u : 0u));
    }

    // A frame that does not go out, or a closed port: failure, nothing sent.
    port.ecritureOk = false, port.reponses = {Echo(p, 1)};
    EXPECT_EQ(rtu.WriteRegRS232(p.menu, p.parametre, ControleRepos), TLiaisonRtu::EchecEnvoi);
    port.ouvert = false;
    const size_t envoyes = port.envoyes.size();
    int32_t erreur = 0, v[NbRegistresMax] = {};
    EXPECT_NE(rtu.Write10RegRS232(bloc.menu, bloc.parametre, NbParamCharge, zeros), 0);
    rtu.Read10RegRS232(ParamStatut.menu, ParamStatut.parametre, erreur, NbMesures, v);
    EXPECT_TRUE(erreur == TLiaisonRtu::PortFerme && port.envoyes.size() == envoyes);
}

TEST_F(LiaisonRtu_, LateEchoIsNotTakenForTheReplyToTheNextWrite) {
    // The control word's echo arrives after the next request's purge.
    Octets tardif = Echo(ParamControle, 1);
    const Octets propre = Echo(ParamEchoStatut, 1);
    tardif.insert(tardif.end(), propre.begin(), propre.end());
    port.reponses = {Octets{}, tardif, propre};
    EXPECT_EQ(rtu.WriteRegRS232(ParamControle.menu, ParamControle.parametre, ControleRepos),
              TLiaisonRtu::EchecEnvoi);
    EXPECT_EQ(rtu.WriteRegRS232(ParamEchoStatut.menu, ParamEchoStatut.parametre, StatutActive),
              Discordante);
    // The next request's purge discards the rest, and its own reply is good.
    EXPECT_EQ(rtu.WriteRegRS232(ParamEchoStatut.menu, ParamEchoStatut.parametre, StatutActive), 0);
}
