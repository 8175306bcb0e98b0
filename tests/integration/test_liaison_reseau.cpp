// The network link against libmodbus TCP servers on 127.0.0.x (one per test).
#include <gtest/gtest.h>

#include "OutilsEssai.h"
#include "PairsModbus.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "comm/knr/Knr.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

int32_t Reponse(int32_t h) {
    int32_t r = 0;
    while ((r = KNR_PollForResponse(h)) == 0) {
    }
    return r;
}

int32_t Statut(int32_t r) { return static_cast<int32_t>(static_cast<uint32_t>(r) >> 16); }

}  // namespace

TEST(Reseau_, LibraryReportsEachKindOfFailureAndReopensAClosedConnectionOnce) {
    PairModbus pair("127.0.0.22");
    pair.Remplir(1800, 0x0200);
    const int32_t parametres[5] = {4, 100000, -1, 254, pair.Port()};
    EXPECT_EQ(KNR_SetParameters(parametres), 0);
    const int32_t h = KNR_RegisterUser(1, 0, 0, 0);
    ASSERT_GE(h, 0);
    const char* noeud = "(127.0.0.22)";
    int32_t o[8] = {1, 20, 10, 0, 0, 0, 0, 0};
    ASSERT_EQ(KNR_ReadObject(h, noeud, o), 0);
    EXPECT_EQ(KNR_ReadObject(h, noeud, o), KNR_ERR_OCCUPE);  // one request at a time
    EXPECT_EQ(Reponse(h), 0x10000 | KNR_LECTURE);
    EXPECT_EQ(o[4], 65534);  // single read: as sent
    int32_t liste[10][8] = {};
    for (int i = 0; i < 10; ++i)
        liste[i][0] = 1, liste[i][1] = 20, liste[i][2] = 2 + i, liste[i][4] = 99;
    ASSERT_EQ(KNR_ReadObjectList(h, noeud, &liste[0][0], 9), 0);
    EXPECT_EQ(Reponse(h), 0x10000 | KNR_LECTURE_LISTE);
    // A list read is signed; the entry beyond the count is untouched.
    EXPECT_EQ(std::tuple(liste[0][4], liste[8][4], liste[9][4]), std::tuple(0x0200, -2, 99));

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

    // An idle connection closed by the drive: the next exchange is retried once
    // on a new connection; one broken after part of its reply is not.
    const int connexions = pair.Connexions();
    const size_t requetes = pair.Requetes().size();
    o[1] = 11, o[2] = 32;
    const struct {
        int32_t genre;
        int32_t (*demande)(int32_t, const char*, int32_t*);
    } fermetures[] = {{KNR_LECTURE, KNR_ReadObject}, {KNR_ECRITURE, KNR_WriteObject}};
    for (const auto& c : fermetures) {
        SCOPED_TRACE(c.genre);
        ASSERT_TRUE(pair.FermerConnexion());
        o[4] = c.genre == KNR_ECRITURE ? 42 : 0;
        ASSERT_EQ(c.demande(h, noeud, o), 0);
        EXPECT_EQ(Reponse(h), 0x10000 | c.genre);
        EXPECT_EQ(o[4], c.genre == KNR_ECRITURE ? 42 : 1800);
    }
    EXPECT_EQ(pair.Registre(1131), 42);
    EXPECT_EQ(pair.Connexions(), connexions + 2);
    EXPECT_EQ(pair.Requetes().size(), requetes + 2);  // each request reached the drive once
    pair.panne = Panne::Courte;
    ASSERT_EQ(KNR_ReadObject(h, noeud, o), 0);
    EXPECT_EQ(Statut(Reponse(h)), KNR_CONNEXION);
    EXPECT_EQ(pair.Requetes().size(), requetes + 3);
    EXPECT_EQ(KNR_DeleteUser(h), 0);
}

// An exchange given up by the link's guard is cancelled, not left busy.
TEST(Reseau_, ExchangeGivenUpByTheGuardLeavesTheLinkUsable) {
    PairModbus pair("127.0.0.27");
    pair.Remplir(1800, 0x0200);
    pair.panne = Panne::Silence;
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonReseau;
    AdresseReseau = "(127.0.0.27)";
    TLiaisonReseau reseau;
    reseau.PortTcp = pair.Port();
    ASSERT_TRUE(reseau.Ouvrir());
    // Each clock reading moves it 1 s on: the guard trips within a few polls.
    int64_t t = 0;
    int lectures = 0;
    const FonctionHorloge reelle = DefinirHorloge([&] {
        ++lectures;
        return t += 1000;
    });
    int32_t v = 0;
    EXPECT_EQ(reseau.LireRegistre(11, 32, v), TLiaisonReseau::SansFin);
    DefinirHorloge(reelle);
    EXPECT_EQ(v, -1);
    EXPECT_LE(lectures, 5);

    pair.panne = Panne::Aucune;
    EXPECT_TRUE(reseau.EstOuvert());
    EXPECT_EQ(reseau.LireRegistre(11, 32, v), 0);
    EXPECT_EQ(v, 1800);
    ConfigGenerale = ConfigDefaut;
}

TEST(Reseau_, OrvanectlReadsTheServer) {
    PairModbus pair("127.0.0.25");
    pair.Remplir(1800, 0x0200);
    const std::string adresse = "127.0.0.25:" + std::to_string(pair.Port());
    const Sortie j = Ctl({"link", "--tcp", adresse, "--machine", "3", "read", "--json"});
    ASSERT_EQ(j.statut, 0) << j.err;
    const std::vector<Octets> r = pair.Requetes();
    ASSERT_EQ(r.size(), 5u);
    // MBAP: transaction, protocol 0, length, unit 1, then the PDU.
    EXPECT_EQ(Octets(r[2].begin() + 2, r[2].end()), Hex("00 00 00 06 01 03 07 D1 00 0A"));
    EXPECT_NE(r[2][1], r[3][1]);
    EXPECT_EQ(pair.Connexions(), 1);
    EXPECT_EQ(j.out.rfind("{\"rating\": 1800, \"range\": 3, \"status\": 512, ", 0), 0u) << j.out;
}
