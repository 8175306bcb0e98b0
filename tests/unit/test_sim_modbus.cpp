// The simulated drive as a Modbus slave: golden RTU frames, exceptions,
// injected faults, TCP framing, and real round trips over a pseudo-terminal
// and a loopback socket.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "comm/Crc.h"
#include "sim/Modbus.h"
#include "sim/Serveur.h"
#include "tools/orvanectl/Orvanectl.h"

using namespace orvane::sim;
using Octets = std::vector<uint8_t>;

namespace {

const Octets LectureBloc = {0x01, 0x03, 0x07, 0xD1, 0x00, 0x0A, 0x94, 0x80};
const Octets EcritureControle = {0x01, 0x10, 0x07, 0xEC, 0x00, 0x01, 0x02, 0x00, 0x01, 0x07, 0xFC};

Octets AvecCrc(Octets t) {
    uint16_t crc = orvane::calculcrc(static_cast<int>(t.size()), t.data());
    t.push_back(static_cast<uint8_t>(crc));
    t.push_back(static_cast<uint8_t>(crc >> 8));
    return t;
}

bool CrcValide(const Octets& t) { return t.size() >= 4 && AvecCrc({t.begin(), t.end() - 2}) == t; }

// Reads up to `n` bytes from `fd` within `ms` milliseconds.
Octets Recevoir(int fd, size_t n, int ms) {
    Octets recu;
    auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (recu.size() < n && std::chrono::steady_clock::now() < fin) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        uint8_t b[256];
        ssize_t k = read(fd, b, std::min(sizeof b, n - recu.size()));
        if (k <= 0) break;
        recu.insert(recu.end(), b, b + k);
    }
    return recu;
}

// A server on its own thread for the life of the object.
class ServeurEnFond {
public:
    explicit ServeurEnFond(Injection injection = {}) : serveur(variateur, injection) {}
    void Demarrer() {
        fil_ = std::thread([this] {
            std::string erreur;
            serveur.Servir(arret_, erreur);
        });
    }
    ~ServeurEnFond() {
        arret_ = true;
        if (fil_.joinable()) fil_.join();
    }
    Variateur variateur;
    ServeurBanc serveur;

private:
    std::atomic<bool> arret_{false};
    std::thread fil_;
};

}  // namespace

TEST(SimModbus, TramesDeReference) {
    Variateur v;
    EsclaveModbus esclave(v);
    Reponse r = esclave.TraiterRtu(LectureBloc);
    ASSERT_EQ(r.octets.size(), 25u);
    EXPECT_EQ(Octets(r.octets.begin(), r.octets.begin() + 3), (Octets{0x01, 0x03, 0x14}));
    EXPECT_TRUE(CrcValide(r.octets));
    int vitesse = (r.octets[5] << 8) | r.octets[6];
    EXPECT_NEAR(vitesse, 1498, 2);  // R3 of the asynchronous machine at no load

    r = esclave.TraiterRtu(EcritureControle);
    EXPECT_EQ(r.octets, AvecCrc({0x01, 0x10, 0x07, 0xEC, 0x00, 0x01}));
    EXPECT_EQ(v.Statut() & StatutActive, StatutActive);
}

TEST(SimModbus, ExceptionsEtSilences) {
    Variateur v;
    EsclaveModbus esclave(v);
    auto reponse = [&](const Octets& requete) {
        return esclave.TraiterRtu(AvecCrc(requete)).octets;
    };
    EXPECT_EQ(reponse({1, 5, 0, 0, 0xFF, 0}), AvecCrc({1, 0x85, 1}));
    EXPECT_EQ(reponse({1, 3, 0x07, 0xD1, 0, 0}), AvecCrc({1, 0x83, 3}));
    EXPECT_EQ(reponse({1, 3, 0x07, 0xD1, 0, 126}), AvecCrc({1, 0x83, 3}));
    EXPECT_EQ(reponse({1, 3, 0x27, 0x10, 0, 1}), AvecCrc({1, 0x83, 2}));
    EXPECT_EQ(reponse({1, 16, 0x07, 0xD2, 0, 1, 2, 0, 1}), AvecCrc({1, 0x90, 2}));  // 20.03
    EXPECT_EQ(reponse({1, 16, 0x07, 0xEC, 0, 1, 4, 0, 1, 0, 0}), AvecCrc({1, 0x90, 3}));

    Octets corrompu = LectureBloc;
    corrompu[7] ^= 1;
    EXPECT_TRUE(esclave.TraiterRtu(corrompu).octets.empty());
    EXPECT_TRUE(reponse({2, 3, 0x07, 0xD1, 0, 1}).empty());            // another slave
    EXPECT_TRUE(reponse({0, 16, 0x07, 0xEC, 0, 1, 2, 0, 1}).empty());  // broadcast: done, no reply
    EXPECT_EQ(v.Statut() & StatutActive, StatutActive);
}

TEST(SimModbus, DefautsInjectes) {
    struct Cas {
        const char* defaut;
        size_t longueur;
        bool crcValide;
        int delai;
        bool coupure;
    };
    const Cas cas[] = {{"badcrc", 25, false, 0, false},
                       {"silent", 0, false, 0, false},
                       {"exception", 5, true, 0, false},
                       {"slow:250", 25, true, 250, false},
                       {"disconnect", 0, false, 0, true}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.defaut);
        Injection injection;
        ASSERT_TRUE(LireDefaut(c.defaut, injection));
        injection.chaque = 2;
        Variateur v;
        EsclaveModbus esclave(v, injection);
        Reponse normale = esclave.TraiterRtu(LectureBloc);
        EXPECT_EQ(normale.octets.size(), 25u);
        EXPECT_TRUE(CrcValide(normale.octets));
        Reponse r = esclave.TraiterRtu(LectureBloc);
        EXPECT_EQ(r.octets.size(), c.longueur);
        if (c.longueur) {
            EXPECT_EQ(CrcValide(r.octets), c.crcValide);
        }
        if (c.longueur == 5) {
            EXPECT_EQ(r.octets, AvecCrc({1, 0x83, 4}));
        }
        EXPECT_EQ(r.delaiMs, c.delai);
        EXPECT_EQ(r.deconnexion, c.coupure);
    }
    Injection i;
    for (const char* faux : {"slow:", "slow:-1", "slow:5x", "crc", ""})
        EXPECT_FALSE(LireDefaut(faux, i));
}

TEST(SimModbus, DecoupageDuFluxRtu) {
    DecoupeurRtu d;
    Octets flux = EcritureControle;
    flux.insert(flux.end(), LectureBloc.begin(), LectureBloc.end());
    Octets trame;
    for (size_t i = 0; i < flux.size(); ++i) {
        d.Ajouter(&flux[i], 1, 0);
        if (i + 1 < EcritureControle.size()) {
            EXPECT_FALSE(d.Extraire(trame, 0));
        }
    }
    ASSERT_TRUE(d.Extraire(trame, 0));
    EXPECT_EQ(trame, EcritureControle);
    ASSERT_TRUE(d.Extraire(trame, 0));
    EXPECT_EQ(trame, LectureBloc);
    // an unknown function is a frame once the line falls silent
    Octets inconnu = AvecCrc({1, 43, 14, 1, 0});
    d.Ajouter(inconnu.data(), inconnu.size(), 100);
    EXPECT_FALSE(d.Extraire(trame, 105));
    ASSERT_TRUE(d.Extraire(trame, 125));
    EXPECT_EQ(trame, inconnu);
    // a stray half frame is dropped
    d.Ajouter(LectureBloc.data(), 5, 200);
    EXPECT_FALSE(d.Extraire(trame, 400));
    d.Ajouter(LectureBloc.data(), LectureBloc.size(), 400);
    ASSERT_TRUE(d.Extraire(trame, 400));
    EXPECT_EQ(trame, LectureBloc);
}

TEST(SimModbus, TramesTcp) {
    Variateur v;
    Injection injection;
    LireDefaut("badcrc", injection);
    injection.chaque = 2;
    EsclaveModbus esclave(v, injection);
    const Octets requete = {0x12, 0x34, 0, 0, 0, 6, 0xFF, 3, 0x07, 0xD1, 0, 10};
    EXPECT_EQ(LongueurAdu(Octets(requete.begin(), requete.end() - 1)), 0);
    EXPECT_EQ(LongueurAdu(requete), 12);
    EXPECT_EQ(LongueurAdu({0, 0, 0, 1, 0, 6, 1, 3}), -1);
    Octets r = esclave.TraiterTcp(requete).octets;
    ASSERT_EQ(r.size(), 9u + 20);
    EXPECT_EQ(Octets(r.begin(), r.begin() + 9), (Octets{0x12, 0x34, 0, 0, 0, 23, 0xFF, 3, 20}));
    r = esclave.TraiterTcp(requete).octets;
    EXPECT_EQ(r[0], 0xED);  // the faulted reply answers another transaction
    EXPECT_EQ(r[1], 0xCB);
}

TEST(SimServeur, AllerRetourSurPseudoTerminal) {
    ServeurEnFond s;
    std::string nom, erreur;
    ASSERT_TRUE(s.serveur.OuvrirPty(nom, erreur)) << erreur;
    ASSERT_TRUE(nom.starts_with("pts/")) << nom;
    s.Demarrer();

    int fd = open(("/dev/" + nom).c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B19200);
    tcsetattr(fd, TCSANOW, &t);
    for (int essai = 0; essai < 2; ++essai) {
        ASSERT_EQ(write(fd, LectureBloc.data(), LectureBloc.size()), 8);
        Octets r = Recevoir(fd, 25, 2000);
        ASSERT_EQ(r.size(), 25u);
        EXPECT_TRUE(CrcValide(r));
    }
    ASSERT_EQ(write(fd, EcritureControle.data(), EcritureControle.size()), 11);
    EXPECT_EQ(Recevoir(fd, 8, 2000), AvecCrc({0x01, 0x10, 0x07, 0xEC, 0x00, 0x01}));
    close(fd);
}

TEST(SimServeur, AllerRetourTcpEtCoupure) {
    Injection injection;
    LireDefaut("disconnect", injection);
    injection.chaque = 2;
    ServeurEnFond s(injection);
    std::string erreur;
    ASSERT_TRUE(s.serveur.OuvrirTcp("127.0.0.1", 0, erreur)) << erreur;
    s.Demarrer();

    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(s.serveur.Port()));
    inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    const Octets requete = {0, 1, 0, 0, 0, 6, 1, 3, 0x04, 0x6B, 0, 1};  // 11.32
    ASSERT_EQ(write(fd, requete.data(), requete.size()), 12);
    EXPECT_EQ(Recevoir(fd, 11, 2000), (Octets{0, 1, 0, 0, 0, 5, 1, 3, 2, 0x05, 0xDC}));
    ASSERT_EQ(write(fd, requete.data(), requete.size()), 12);
    EXPECT_TRUE(Recevoir(fd, 11, 2000).empty());  // closed without a reply
    close(fd);
}

TEST(SimServeur, CommandeBancRefuse) {
    auto lancer = [](std::vector<std::string> args) {
        std::ostringstream out, err;
        int statut = orvane::ctl::CommandeBanc(args, out, err);
        std::string message = err.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), statut ? 1 : 0);
        return statut;
    };
    EXPECT_EQ(lancer({}), 1);
    EXPECT_EQ(lancer({"--pty", "--tcp", "127.0.0.1"}), 1);
    EXPECT_EQ(lancer({"--tcp", "127.0.0.300"}), 1);
    EXPECT_EQ(lancer({"--pty", "--current-range", "5A"}), 1);
    EXPECT_EQ(lancer({"--pty", "--machine", "8"}), 1);
    EXPECT_EQ(lancer({"--pty", "--fault", "slow:x"}), 1);
    EXPECT_EQ(lancer({"--pty", "--every", "3"}), 1);
    EXPECT_EQ(lancer({"--serial", "/nonexistent/ttyX"}), 2);
}
