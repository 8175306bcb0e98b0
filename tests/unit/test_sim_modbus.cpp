// The simulated drive as a Modbus slave and its server's line handling.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>

#include <atomic>

#include "OutilsEssai.h"
#include "sim/Modbus.h"

using namespace orvane;
using namespace orvane::sim;
using namespace orvane::essai;

namespace {

const Octets LectureBloc = Hex("01 03 07 D1 00 0A 94 80");
const Octets EcritureControle = Hex("01 10 07 EC 00 01 02 00 01 07 FC");

bool CrcValide(const Octets& t) { return t.size() >= 4 && AvecCrc({t.begin(), t.end() - 2}) == t; }

Injection Injecter(const char* texte, int chaque) {
    Injection injection;
    EXPECT_TRUE(LireDefaut(texte, injection)) << texte;
    injection.chaque = chaque;
    return injection;
}

}  // namespace

TEST(SimModbus, TramesDeReferenceExceptionsEtSilences) {
    Variateur v;
    v.SetTypeMachine(MasTriphasee);
    EsclaveModbus esclave(v);
    Octets r = esclave.TraiterRtu(LectureBloc).octets;
    ASSERT_TRUE(r.size() == 25 && CrcValide(r) &&
                Octets(r.begin(), r.begin() + 3) == Hex("01 03 14"));
    EXPECT_NEAR(r[5] << 8 | r[6], 1498, 2);  // R3 of the asynchronous machine at no load
    EXPECT_EQ(esclave.TraiterRtu(EcritureControle).octets, AvecCrc(Hex("01 10 07 EC 00 01")));
    EXPECT_EQ(v.Statut() & StatutActive, StatutActive);
    // Function 6 writes one register and echoes the request: K = 50 % at 19.20.
    const Octets ecritureK = AvecCrc(Hex("01 06 07 7F 01 F4"));
    EXPECT_EQ(esclave.TraiterRtu(ecritureK).octets, ecritureK);
    EXPECT_EQ(v.KCourant(), 500);

    const auto reponse = [&](const char* requete) {
        return esclave.TraiterRtu(AvecCrc(Hex(requete))).octets;
    };
    EXPECT_EQ(reponse("01 05 00 00 FF 00"), AvecCrc(Hex("01 85 01")));
    EXPECT_EQ(reponse("01 03 27 10 00 01"), AvecCrc(Hex("01 83 02")));
    EXPECT_EQ(reponse("01 10 07 EC 00 01 04 00 01 00 00"), AvecCrc(Hex("01 90 03")));
    EXPECT_EQ(reponse("01 06 07 D2 00 01"), AvecCrc(Hex("01 86 02")));  // 20.03, read only
    EXPECT_EQ(v.KCourant(), 500);
    EXPECT_TRUE(esclave.TraiterRtu(Hex("01 03 07 D1 00 0A 94 81")).octets.empty());  // bad CRC
    EXPECT_TRUE(reponse("02 03 07 D1 00 01").empty());  // another slave
    v.EcrireRegistre(20, 29, 0);
    EXPECT_TRUE(reponse("00 10 07 EC 00 01 02 00 01").empty());  // broadcast: done, no reply
    EXPECT_EQ(v.Statut() & StatutActive, StatutActive);
}

TEST(SimModbus, DefautsInjectes) {
    // {fault, reply size, valid CRC, delay, disconnection}
    const std::tuple<const char*, size_t, bool, int, bool> cas[] = {
        {"badcrc", 25, false, 0, false},
        {"silent", 0, false, 0, false},
        {"exception", 5, true, 0, false},
        {"slow:250", 25, true, 250, false},
        {"disconnect", 0, false, 0, true}};
    for (const auto& [defaut, longueur, crcValide, delai, coupure] : cas) {
        Variateur v;
        EsclaveModbus esclave(v, Injecter(defaut, 2));
        const Reponse normale = esclave.TraiterRtu(LectureBloc);
        EXPECT_TRUE(normale.octets.size() == 25 && CrcValide(normale.octets)) << defaut;
        const Reponse r = esclave.TraiterRtu(LectureBloc);
        EXPECT_EQ(std::tuple(r.octets.size(), CrcValide(r.octets), r.delaiMs, r.deconnexion),
                  std::tuple(longueur, crcValide, delai, coupure))
            << defaut;
        EXPECT_TRUE(longueur != 5 || r.octets == AvecCrc(Hex("01 83 04"))) << defaut;
    }
}

TEST(SimModbus, DecoupageDesFluxRtuEtTcp) {
    DecoupeurRtu d;
    Octets flux = EcritureControle;
    flux.insert(flux.end(), LectureBloc.begin(), LectureBloc.end());
    Octets trame;
    for (size_t i = 0; i < flux.size(); ++i) {
        d.Ajouter(&flux[i], 1, 0);
        EXPECT_TRUE(i + 1 >= EcritureControle.size() || !d.Extraire(trame, 0)) << i;
    }
    EXPECT_TRUE(d.Extraire(trame, 0) && trame == EcritureControle);
    EXPECT_TRUE(d.Extraire(trame, 0) && trame == LectureBloc);
    // A stray half frame is dropped.
    d.Ajouter(LectureBloc.data(), 5, 200);
    EXPECT_EQ(d.Echeance(), 300);  // nothing to do before it is dropped
    EXPECT_FALSE(d.Extraire(trame, 299));
    EXPECT_FALSE(d.Extraire(trame, 400));
    EXPECT_EQ(d.Echeance(), -1);
    d.Ajouter(LectureBloc.data(), LectureBloc.size(), 400);
    EXPECT_TRUE(d.Extraire(trame, 400) && trame == LectureBloc);

    // TCP: the MBAP header gives the length; a faulted reply answers another transaction.
    Variateur v;
    EsclaveModbus esclave(v, Injecter("badcrc", 2));
    const Octets requete = Hex("12 34 00 00 00 06 FF 03 07 D1 00 0A");
    EXPECT_EQ(LongueurAdu(requete), 12);
    const Octets r = esclave.TraiterTcp(requete).octets;
    ASSERT_EQ(r.size(), 9u + 20);
    EXPECT_EQ(Octets(r.begin(), r.begin() + 9), Hex("12 34 00 00 00 17 FF 03 14"));
    const Octets faute = esclave.TraiterTcp(requete).octets;
    EXPECT_EQ(Octets(faute.begin(), faute.begin() + 2), Hex("ED CB"));
}

// The serial line is set raw (19200 8N1, no flow control) whatever was left on it.
TEST(SimServeur, LigneSerieBrute) {
    int maitre = -1, esclave = -1;
    ASSERT_EQ(openpty(&maitre, &esclave, nullptr, nullptr, nullptr), 0);
    termios t{};
    ASSERT_EQ(tcgetattr(esclave, &t), 0);
    t.c_iflag |= IXON | IXOFF | IXANY | ICRNL | ISTRIP, t.c_oflag |= OPOST | ONLCR;
    t.c_lflag |= ICANON | ECHO | ISIG | IEXTEN, t.c_cflag |= CRTSCTS | PARENB | CSTOPB;
    t.c_cc[VMIN] = 1;
    ASSERT_EQ(tcsetattr(esclave, TCSANOW, &t), 0);
    Variateur v;
    ServeurBanc serveur(v);
    std::string erreur;
    ASSERT_TRUE(serveur.OuvrirSerie(ttyname(esclave), erreur)) << erreur;
    ASSERT_EQ(tcgetattr(esclave, &t), 0);
    EXPECT_EQ((t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | ISTRIP | INPCK | BRKINT)) |
                  (t.c_oflag & OPOST) | (t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)),
              0u);
    EXPECT_EQ(t.c_cflag & (CRTSCTS | CSIZE | PARENB | CSTOPB | CLOCAL | CREAD),
              static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
    EXPECT_TRUE(cfgetispeed(&t) == B19200 && cfgetospeed(&t) == B19200 &&
                t.c_cc[VMIN] + t.c_cc[VTIME] == 0);
    close(esclave), close(maitre);
}

// With an emulated baud rate a reply leaves in one piece once request and reply
// would have crossed the line; on half a request the server waits, never spins.
TEST(SimServeur, TempsDeLigneEmuleEtTrameIncompleteSansBoucleActive) {
    // {baud, bytes sent, arrival ms}: 33 bytes take 17.19 ms at 19200 baud, 34.38 ms at 9600.
    for (const auto& [baud, envoyes, attenduMs] :
         {std::tuple{0, size_t{8}, int64_t{0}}, {19200, 8, 18}, {9600, 8, 35}, {19200, 5, -1}}) {
        SCOPED_TRACE(::testing::Message() << baud << " baud, " << envoyes << " bytes");
        Variateur v;
        ServeurBanc serveur{v};
        int64_t ms = 0;
        std::string nom, erreur;
        serveur.DefinirDebit(baud);
        serveur.SuivreHorlogeLigne([&] { return ms; }), serveur.SuivreHorloge([&] { return ms; });
        ASSERT_TRUE(serveur.OuvrirPty(nom, erreur)) << erreur;
        const int fd = open(("/dev/" + nom).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        ASSERT_TRUE(fd >= 0 && tcgetattr(fd, &t) == 0);
        cfmakeraw(&t), cfsetspeed(&t, B19200), tcsetattr(fd, TCSANOW, &t);
        ASSERT_EQ(write(fd, LectureBloc.data(), envoyes), ssize_t(envoyes));
        tcdrain(fd);
        std::atomic<bool> arret{false};
        Octets recu;
        int64_t arriveeMs = -1;
        int morceaux = 0, tours = 0, sansDelai = 0;
        serveur.DefinirAttente([&](pollfd* p, size_t k, int delaiMs) {
            uint8_t tampon[64];
            const ssize_t n = read(fd, tampon, sizeof tampon);
            if (n > 0) {
                arriveeMs = arriveeMs < 0 ? ms : arriveeMs, ++morceaux;
                recu.insert(recu.end(), tampon, tampon + n);
            }
            const int pret = ::poll(p, k, 0);
            if (pret == 0) sansDelai += delaiMs == 0, ms += delaiMs;
            arret = ++tours >= 2000 || ms >= 1000 || recu.size() >= 25;
            return pret;
        });
        ASSERT_TRUE(serveur.Servir(arret, erreur)) << erreur;
        const bool complet = envoyes == 8;
        EXPECT_EQ(std::tuple(arriveeMs, recu.size(), morceaux),
                  std::tuple(attenduMs, complet ? 25u : 0u, complet ? 1 : 0));
        EXPECT_TRUE(complet || (ms >= 1000 && tours <= 120 && sansDelai == 0))
            << ms << " " << tours;
        EXPECT_EQ(serveur.DureeLigneMs(8 + 25), complet ? attenduMs : 18);
        close(fd);
    }
}
