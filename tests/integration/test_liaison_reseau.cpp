// The network link library and the network link against a libmodbus TCP
// server on a loopback address of its own (127.0.0.x, one per test) and a
// port the system picks, so that the tests run in parallel and without
// privileges.
#include <gtest/gtest.h>

#include <sstream>

#include "comm/Passerelle.h"
#include "comm/knr/Knr.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "tests/integration/PairsModbus.h"
#include "tools/orvanectl/Orvanectl.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

Octets Hex(const std::string& texte) {
    Octets o;
    std::istringstream in(texte);
    unsigned v;
    while (in >> std::hex >> v) o.push_back(static_cast<uint8_t>(v));
    return o;
}

void Drive(PairModbus& pair) {
    pair.DefinirRegistre(1131, 1800);
    const uint16_t bloc[10] = {0x0200, 1500, 1200, 0, 0, 4000, 0, 2300, 0xFFFE, 700};
    for (int i = 0; i < 10; ++i) pair.DefinirRegistre(2001 + i, bloc[i]);
}

// Polls until the library answers; the library bounds every exchange.
int32_t Reponse(int32_t h) {
    int32_t r = 0;
    while ((r = KNR_PollForResponse(h)) == 0) {
    }
    return r;
}

int32_t Statut(int32_t reponse) {
    return static_cast<int32_t>(static_cast<uint32_t>(reponse) >> 16);
}

// A user of the library with a short response time-out.
int32_t Utilisateur(int port, int32_t delaiUs = 100000) {
    const int32_t p[5] = {4, delaiUs, -1, 254, port};
    EXPECT_EQ(KNR_SetParameters(p), 0);
    return KNR_RegisterUser(1, 0, 0, 0);
}

}  // namespace

TEST(Reseau_, GatewayMeasuresOverTcp) {
    PairTcp pair("127.0.0.21");
    ASSERT_TRUE(pair.Ecoute());
    Drive(pair);
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonReseau;
    AdresseReseau = "(127.0.0.21)";
    ReglagesCourants[MotTypeMachine] = 3;
    ReglagesCourants[MotCalibre] = 0;
    {
        TPasserelleCom com;
        com.Reseau().PortTcp = pair.Port();
        com.Initialise();
        ASSERT_TRUE(com.LiaisonOuverte());
        EXPECT_EQ(com.Reseau().Noeud(), "(127.0.0.21)");
        EXPECT_EQ(com.CalibreVariateur(), 1800);
        EXPECT_EQ(ConfigGenerale.GammePuissance, 3);
        EXPECT_EQ(pair.Registre(2028), 1);
        com.LectureValeurs();
        EXPECT_EQ(ValeursCourantes[GNumero], 0);
        EXPECT_EQ(ValeursCourantes[GPuissanceElec], 21000);
        EXPECT_EQ(ValeursCourantes[GFacteurPuissance], 760);
        EXPECT_EQ(com.R[10], -2);
        EXPECT_EQ(pair.Registre(1829), 0x0201);
        com.P = {1, 2, 3, 4, 5, -6};
        com.EmissionParam();
        EXPECT_EQ(pair.Registre(1924), 0xFFFA);
        com.Ferme();
        EXPECT_EQ(pair.Registre(2028), 0);
    }
    const std::vector<Octets> r = pair.Requetes();
    ASSERT_EQ(r.size(), 6u);
    // MBAP: transaction, protocol 0, length, unit 1, then the PDU.
    EXPECT_EQ(Octets(r[2].begin() + 2, r[2].end()), Hex("00 00 00 06 01 03 07 D1 00 0A"));
    EXPECT_EQ(Octets(r[3].begin() + 2, r[3].end()), Hex("00 00 00 09 01 10 07 25 00 01 02 02 01"));
    EXPECT_NE(r[2][1], r[3][1]);  // a new transaction each time
    EXPECT_EQ(pair.Connexions(), 1);
    ConfigGenerale = ConfigDefaut;
}

TEST(Reseau_, LibraryReportsEachKindOfFailure) {
    PairTcp pair("127.0.0.22");
    ASSERT_TRUE(pair.Ecoute());
    Drive(pair);
    const int32_t h = Utilisateur(pair.Port());
    ASSERT_GE(h, 0);
    int32_t o[8] = {1, 20, 10, 0, 0, 0, 0, 0};
    int32_t liste[10][8] = {};
    for (int i = 0; i < 10; ++i) {
        liste[i][0] = 1;
        liste[i][1] = 20;
        liste[i][2] = 2 + i;
        liste[i][4] = 99;
    }
    const char* noeud = "(127.0.0.22)";

    ASSERT_EQ(KNR_ReadObject(h, noeud, o), 0);
    EXPECT_EQ(KNR_ReadObject(h, noeud, o), KNR_ERR_OCCUPE);  // one request at a time
    EXPECT_EQ(Reponse(h), 0x10000 | KNR_LECTURE);
    EXPECT_EQ(o[4], 65534);  // single read: as sent
    ASSERT_EQ(KNR_ReadObjectList(h, noeud, &liste[0][0], 9), 0);
    EXPECT_EQ(Reponse(h), 0x10000 | KNR_LECTURE_LISTE);
    EXPECT_EQ(liste[0][4], 0x0200);
    EXPECT_EQ(liste[8][4], -2);  // list read: signed
    EXPECT_EQ(liste[9][4], 99);  // beyond the count: untouched

    const struct {
        Panne panne;
        int32_t statut;
    } cas[] = {{Panne::Exception, KNR_EXCEPTION + 2},
               {Panne::Silence, KNR_DELAI},
               {Panne::MauvaisCrc, KNR_REPONSE_INVALIDE},  // wrong transaction id
               {Panne::Courte, KNR_CONNEXION},             // part of a reply, then closed
               {Panne::Aucune, KNR_SUCCES}};
    for (const auto& c : cas) {
        pair.panne = c.panne;
        o[4] = 7;
        ASSERT_EQ(KNR_WriteObject(h, noeud, o), 0);
        const int32_t r = Reponse(h);
        EXPECT_EQ(r & 0xFFFF, KNR_ECRITURE) << static_cast<int>(c.panne);
        EXPECT_EQ(Statut(r), c.statut) << static_cast<int>(c.panne);
    }
    EXPECT_EQ(pair.Registre(2009), 7);
    EXPECT_GE(pair.Connexions(), 3);  // reconnected after each broken exchange
    EXPECT_EQ(KNR_DeleteUser(h), 0);
}

TEST(Reseau_, RefusedConnectionAndSilentPeerAreFailedExchanges) {
    int port = 0;
    {
        PairTcp libre("127.0.0.23");
        port = libre.Port();
    }
    const int32_t h = Utilisateur(port);
    int32_t o[8] = {1, 11, 32, 0, 0, 0, 0, 0};
    ASSERT_EQ(KNR_ReadObject(h, "(127.0.0.23)", o), 0);
    EXPECT_EQ(Statut(Reponse(h)), KNR_CONNEXION);
    KNR_DeleteUser(h);

    // Through the gateway: the failed read gives -1 and counts.
    PairTcp pair("127.0.0.24");
    pair.panne = Panne::Silence;
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonReseau;
    AdresseReseau = "(127.0.0.24)";
    TLiaisonReseau reseau;
    reseau.PortTcp = pair.Port();
    ASSERT_TRUE(reseau.Ouvrir());
    int32_t v = 0;
    EXPECT_NE(reseau.LireRegistre(11, 32, v), 0);
    EXPECT_EQ(v, -1);
    ConfigGenerale = ConfigDefaut;
}

TEST(Reseau_, OrvanectlReadsTheServer) {
    PairTcp pair("127.0.0.25");
    Drive(pair);
    std::ostringstream out, err;
    const std::string adresse = "127.0.0.25:" + std::to_string(pair.Port());
    ASSERT_EQ(
        ctl::Executer({"link", "--tcp", adresse, "--machine", "3", "read", "--json"}, out, err), 0)
        << err.str();
    EXPECT_EQ(out.str().rfind("{\"rating\": 1800, \"range\": 3, \"status\": 512, \"values\": [0, "
                              "1500, 1200, 18852, 2300, 4000, 21000, 0, 897, 760, 2148, ",
                              0),
              0u)
        << out.str();

    std::ostringstream out2, err2;
    EXPECT_EQ(ctl::Executer(
                  {"link", "--tcp", adresse, "watch", "--interval", "1", "--count", "3", "--csv"},
                  out2, err2),
              0)
        << err2.str();
    std::istringstream lignes(out2.str());
    std::string ligne;
    std::vector<std::string> l;
    while (std::getline(lignes, ligne)) l.push_back(ligne);
    ASSERT_EQ(l.size(), 4u) << out2.str();
    EXPECT_EQ(l[0].rfind("status,\"n (tr/min)\",", 0), 0u) << l[0];
    EXPECT_EQ(l[1].rfind("512,1500,12.00,", 0), 0u) << l[1];

    std::ostringstream out3, err3;
    EXPECT_EQ(ctl::Executer({"link", "--tcp", "127.0.0.300", "read"}, out3, err3), 1);
    EXPECT_EQ(ctl::Executer({"link", "--tcp", adresse, "--noise", "read"}, out3, err3), 1);
    EXPECT_EQ(ctl::Executer({"link", "--tcp", adresse, "watch", "--count", "2"}, out3, err3), 1);
}
