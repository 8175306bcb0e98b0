// The network link library over Modbus TCP. See Knr.h for the contract.
#include "comm/knr/Knr.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

namespace {

constexpr int NbUtilisateurs = 16;
constexpr int TrancheMaxUs = 10000;  // one poll waits at most this long for progress
constexpr uint8_t Unite = 1;
constexpr size_t TailleMbapMax = 260;

int64_t MaintenantUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

enum class Etat { Libre, Connexion, Envoi, Reception };

struct Utilisateur {
    bool occupe = false;
    int64_t delaiUs = 900000;
    uint16_t port = KNR_PORT_MODBUS;

    int fd = -1;
    uint32_t ip = 0;  // network order
    bool connecte = false;

    // The request in progress.
    Etat etat = Etat::Libre;
    int32_t genre = 0;
    int32_t* objets = nullptr;
    int n = 0;
    uint16_t adresse = 0;
    uint8_t fonction = 0;
    uint16_t transaction = 0;
    int32_t echecDiffere = 0;  // status found while queuing (connection refused at once)
    bool reprise = false;      // sent on a kept connection: may go again once on a new one
    int64_t limite = 0;
    std::array<uint8_t, TailleMbapMax> sortie{};
    size_t nSortie = 0, envoyes = 0;
    std::array<uint8_t, TailleMbapMax> entree{};
    size_t nEntree = 0;
};

std::mutex verrou;
int32_t parametres[KNR_TAILLE_PARAMETRES] = {4, 900000, -1, 254, 0};
std::array<Utilisateur, NbUtilisateurs> utilisateurs;

Utilisateur* Trouver(int32_t h) {
    if (h < 0 || h >= NbUtilisateurs || !utilisateurs[static_cast<size_t>(h)].occupe)
        return nullptr;
    return &utilisateurs[static_cast<size_t>(h)];
}

void Deconnecter(Utilisateur& u) {
    if (u.fd >= 0) ::close(u.fd);
    u.fd = -1;
    u.connecte = false;
}

int32_t Reponse(int32_t statut, int32_t genre) {
    return static_cast<int32_t>((static_cast<uint32_t>(statut) << 16) |
                                (static_cast<uint32_t>(genre) & 0xFFFF));
}

// Ends the request in progress with the given status.
int32_t Terminer(Utilisateur& u, int32_t statut) {
    if (statut != KNR_SUCCES && statut < KNR_EXCEPTION) Deconnecter(u);
    u.etat = Etat::Libre;
    u.objets = nullptr;
    return Reponse(statut, u.genre);
}

// "(a.b.c.d)" into an IPv4 address in network order.
bool LireNoeud(const char* noeud, uint32_t& ip) {
    const char* p = noeud;
    if (*p++ != '(') return false;
    uint32_t octets[4];
    for (int i = 0; i < 4; ++i) {
        if (*p < '0' || *p > '9') return false;
        uint32_t v = 0;
        int chiffres = 0;
        while (*p >= '0' && *p <= '9') {
            v = v * 10 + static_cast<uint32_t>(*p++ - '0');
            if (++chiffres > 3 || v > 255) return false;
        }
        octets[i] = v;
        if (*p++ != (i < 3 ? '.' : ')')) return false;
    }
    if (*p != '\0') return false;
    ip = htonl(octets[0] << 24 | octets[1] << 16 | octets[2] << 8 | octets[3]);
    return true;
}

void Mot(Utilisateur& u, uint16_t v) {
    u.sortie[u.nSortie++] = static_cast<uint8_t>(v >> 8);
    u.sortie[u.nSortie++] = static_cast<uint8_t>(v & 0xFF);
}

uint16_t MotEntree(const Utilisateur& u, size_t i) {
    return static_cast<uint16_t>(u.entree[i] << 8 | u.entree[i + 1]);
}

// Starts a connection to the node when there is none (or to another node).
int32_t Connecter(Utilisateur& u, uint32_t ip) {
    if (u.fd >= 0 && u.ip == ip) return 0;
    Deconnecter(u);
    u.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (u.fd < 0) return KNR_ERR_SYSTEME;
    const int un = 1;
    ::setsockopt(u.fd, IPPROTO_TCP, TCP_NODELAY, &un, sizeof un);
    u.ip = ip;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(u.port);
    a.sin_addr.s_addr = ip;
    if (::connect(u.fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) {
        u.connecte = true;
    } else if (errno != EINPROGRESS) {
        Deconnecter(u);
        u.echecDiffere = KNR_CONNEXION;
    }
    return 0;
}

int32_t Demander(int32_t h, const char* noeud, int32_t* objets, int32_t n, int32_t genre) {
    std::lock_guard<std::mutex> garde(verrou);
    Utilisateur* u = Trouver(h);
    if (!u) return KNR_ERR_HANDLE;
    if (!noeud || !objets) return KNR_ERR_POINTEUR;
    if (u->etat != Etat::Libre) return KNR_ERR_OCCUPE;
    uint32_t ip = 0;
    if (!LireNoeud(noeud, ip)) return KNR_ERR_NOEUD;
    const bool liste = genre == KNR_LECTURE_LISTE || genre == KNR_ECRITURE_LISTE;
    if (n < 1 || n > (liste ? KNR_OBJETS_LISTE : 1)) return KNR_ERR_OBJET;
    if (objets[0] != 1) return KNR_ERR_OBJET;
    const int32_t registre = objets[1] * 100 + objets[2] - 1;
    if (objets[1] < 0 || objets[2] < 0 || registre < 0 || registre + n > 0x10000)
        return KNR_ERR_OBJET;

    u->echecDiffere = 0;
    u->reprise = u->fd >= 0 && u->ip == ip;
    if (int32_t e = Connecter(*u, ip)) return e;

    u->genre = genre;
    u->objets = objets;
    u->n = n;
    u->adresse = static_cast<uint16_t>(registre);
    const bool lecture = genre == KNR_LECTURE || genre == KNR_LECTURE_LISTE;
    u->fonction = lecture ? 3 : 16;
    ++u->transaction;
    u->nSortie = 0;
    Mot(*u, u->transaction);
    Mot(*u, 0);  // protocol
    Mot(*u, static_cast<uint16_t>(lecture ? 6 : 7 + 2 * n));
    u->sortie[u->nSortie++] = Unite;
    u->sortie[u->nSortie++] = u->fonction;
    Mot(*u, u->adresse);
    Mot(*u, static_cast<uint16_t>(n));
    if (!lecture) {
        u->sortie[u->nSortie++] = static_cast<uint8_t>(2 * n);
        for (int i = 0; i < n; ++i)
            Mot(*u, static_cast<uint16_t>(static_cast<uint32_t>(objets[i * KNR_TAILLE_OBJET + 4])));
    }
    u->envoyes = 0;
    u->nEntree = 0;
    u->etat = u->connecte ? Etat::Envoi : Etat::Connexion;
    u->limite = MaintenantUs() + u->delaiUs;
    return 0;
}

// Checks a complete reply and delivers its values.
int32_t Depouiller(Utilisateur& u, size_t total) {
    if (MotEntree(u, 0) != u.transaction || MotEntree(u, 2) != 0 || total < 9)
        return Terminer(u, KNR_REPONSE_INVALIDE);
    const uint8_t fonction = u.entree[7];
    if (fonction == (u.fonction | 0x80)) return Terminer(u, KNR_EXCEPTION + u.entree[8]);
    if (fonction != u.fonction) return Terminer(u, KNR_REPONSE_INVALIDE);
    if (u.fonction == 3) {
        const size_t octets = u.entree[8];
        if (octets != 2 * static_cast<size_t>(u.n) || total != 9 + octets)
            return Terminer(u, KNR_REPONSE_INVALIDE);
        for (int i = 0; i < u.n; ++i) {
            const uint16_t v = MotEntree(u, 9 + 2 * static_cast<size_t>(i));
            u.objets[i * KNR_TAILLE_OBJET + 4] =
                u.genre == KNR_LECTURE ? static_cast<int32_t>(v) : static_cast<int16_t>(v);
        }
    } else if (total != 12 || MotEntree(u, 8) != u.adresse ||
               MotEntree(u, 10) != static_cast<uint16_t>(u.n)) {
        return Terminer(u, KNR_REPONSE_INVALIDE);
    }
    return Terminer(u, KNR_SUCCES);
}

// The connection broke while the request went out or its reply was awaited.
// A drive closes a connection left idle, and that is found only on the next
// exchange: when the request went out on a kept connection and no byte of
// its reply came, the drive has not answered it, so it goes again, once, on
// a new connection and within the same time-out. Otherwise it fails.
int32_t Rompu(Utilisateur& u) {
    if (!u.reprise || u.nEntree != 0) return Terminer(u, KNR_CONNEXION);
    u.reprise = false;
    Deconnecter(u);
    if (Connecter(u, u.ip) != 0 || u.echecDiffere) return Terminer(u, KNR_CONNEXION);
    u.envoyes = 0;
    u.etat = u.connecte ? Etat::Envoi : Etat::Connexion;
    return 0;
}

// Moves the exchange on without waiting; a response word when it is over.
int32_t Avancer(Utilisateur& u) {
    if (u.etat == Etat::Connexion) {
        pollfd p{u.fd, POLLOUT, 0};
        if (::poll(&p, 1, 0) <= 0) return 0;
        int erreur = 0;
        socklen_t l = sizeof erreur;
        if (::getsockopt(u.fd, SOL_SOCKET, SO_ERROR, &erreur, &l) != 0 || erreur != 0)
            return Terminer(u, KNR_CONNEXION);
        u.connecte = true;
        u.etat = Etat::Envoi;
    }
    if (u.etat == Etat::Envoi) {
        while (u.envoyes < u.nSortie) {
            const ssize_t k =
                ::send(u.fd, u.sortie.data() + u.envoyes, u.nSortie - u.envoyes, MSG_NOSIGNAL);
            if (k > 0) {
                u.envoyes += static_cast<size_t>(k);
            } else if (k < 0 && (errno == EAGAIN || errno == EINTR)) {
                return 0;
            } else {
                return Rompu(u);
            }
        }
        u.etat = Etat::Reception;
    }
    for (;;) {
        const ssize_t k =
            ::recv(u.fd, u.entree.data() + u.nEntree, u.entree.size() - u.nEntree, MSG_DONTWAIT);
        if (k == 0) return Rompu(u);
        if (k < 0) {
            if (errno == EAGAIN || errno == EINTR) return 0;
            return Rompu(u);
        }
        u.nEntree += static_cast<size_t>(k);
        if (u.nEntree < 7) continue;
        const size_t total = 6 + static_cast<size_t>(MotEntree(u, 4));
        if (total < 8 || total > TailleMbapMax) return Terminer(u, KNR_REPONSE_INVALIDE);
        if (u.nEntree >= total) {
            // Anything beyond the reply is not ours: start afresh next time.
            if (u.nEntree > total) Deconnecter(u);
            return Depouiller(u, total);
        }
    }
}

}  // namespace

extern "C" {

int32_t KNR_SetParameters(const int32_t* p) {
    if (!p) return KNR_ERR_POINTEUR;
    if (p[0] != 4) return KNR_ERR_VERSION;
    std::lock_guard<std::mutex> garde(verrou);
    std::memcpy(parametres, p, sizeof parametres);
    return 0;
}

int32_t KNR_RegisterUser(int32_t, int32_t, int32_t, int32_t) {
    std::lock_guard<std::mutex> garde(verrou);
    for (int h = 0; h < NbUtilisateurs; ++h) {
        Utilisateur& u = utilisateurs[static_cast<size_t>(h)];
        if (u.occupe) continue;
        u = Utilisateur{};
        u.occupe = true;
        const int32_t delai = parametres[1];
        u.delaiUs = delai < 1000 ? 1000 : (delai > 999999 ? 999999 : delai);
        const int32_t port = parametres[4];
        u.port = port > 0 && port <= 0xFFFF ? static_cast<uint16_t>(port) : KNR_PORT_MODBUS;
        return h;
    }
    return -KNR_ERR_UTILISATEURS;
}

int32_t KNR_DeleteUser(int32_t h) {
    std::lock_guard<std::mutex> garde(verrou);
    Utilisateur* u = Trouver(h);
    if (!u) return KNR_ERR_HANDLE;
    Deconnecter(*u);
    *u = Utilisateur{};
    return 0;
}

int32_t KNR_ReadObject(int32_t h, const char* noeud, int32_t* objet) {
    return Demander(h, noeud, objet, 1, KNR_LECTURE);
}

int32_t KNR_ReadObjectList(int32_t h, const char* noeud, int32_t* objets, int32_t n) {
    return Demander(h, noeud, objets, n, KNR_LECTURE_LISTE);
}

int32_t KNR_WriteObject(int32_t h, const char* noeud, int32_t* objet) {
    return Demander(h, noeud, objet, 1, KNR_ECRITURE);
}

int32_t KNR_WriteObjectList(int32_t h, const char* noeud, int32_t* objets, int32_t n) {
    return Demander(h, noeud, objets, n, KNR_ECRITURE_LISTE);
}

int32_t KNR_PollForResponse(int32_t h) {
    std::lock_guard<std::mutex> garde(verrou);
    Utilisateur* u = Trouver(h);
    if (!u || u->etat == Etat::Libre) return Reponse(KNR_AUCUNE_REQUETE, 0);
    if (u->echecDiffere) return Terminer(*u, u->echecDiffere);
    const int64_t fin = std::min(MaintenantUs() + TrancheMaxUs, u->limite);
    for (;;) {
        if (int32_t r = Avancer(*u)) return r;
        const int64_t maintenant = MaintenantUs();
        if (maintenant >= u->limite) return Terminer(*u, KNR_DELAI);
        if (maintenant >= fin) return 0;
        pollfd p{u->fd, static_cast<short>(u->etat == Etat::Reception ? POLLIN : POLLOUT), 0};
        ::poll(&p, 1, static_cast<int>((fin - maintenant + 999) / 1000));
    }
}

}  // extern "C"
