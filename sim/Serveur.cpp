#include "sim/Serveur.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace orvane::sim {

namespace {

constexpr int ClientsMax = 16;
constexpr int64_t LigneCoupeeMs = 3000;  // a disconnected serial line stays dead this long
constexpr int AttenteMaxMs = 10;

std::string Systeme(const std::string& quoi) { return quoi + ": " + std::strerror(errno); }

void NonBloquant(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

bool Brut(int fd, bool vitesse) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    // no flow control of any kind, whatever a previous user left set
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    if (vitesse) {
        cfsetispeed(&t, B19200);
        cfsetospeed(&t, B19200);
    }
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

// Writes everything that the descriptor accepts; false on a hard failure.
bool EcrireTout(int fd, const std::vector<uint8_t>& octets, bool socket) {
    size_t fait = 0;
    for (int essais = 0; fait < octets.size() && essais < 100; ++essais) {
        ssize_t n = socket ? send(fd, octets.data() + fait, octets.size() - fait, MSG_NOSIGNAL)
                           : write(fd, octets.data() + fait, octets.size() - fait);
        if (n > 0) {
            fait += static_cast<size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        } else {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 10);
        }
    }
    return fait == octets.size();
}

}  // namespace

ServeurBanc::ServeurBanc(Variateur& variateur, Injection injection)
    : variateur_(variateur), esclave_(variateur, injection) {
    DefinirAttente({});
}

void ServeurBanc::DefinirAttente(Attente attente) {
    attente_ = attente ? std::move(attente) : Attente([](pollfd* p, size_t n, int delaiMs) {
        return ::poll(p, static_cast<nfds_t>(n), delaiMs);
    });
}

ServeurBanc::~ServeurBanc() { Fermer(); }

void ServeurBanc::DefinirInjection(Injection injection) {
    const std::lock_guard<std::mutex> verrou(verrouEsclave_);
    esclave_.DefinirInjection(injection);
}

int ServeurBanc::Fautes() const {
    const std::lock_guard<std::mutex> verrou(verrouEsclave_);
    return esclave_.Fautes();
}

void ServeurBanc::Fermer() {
    for (int* fd : {&fdSerie_, &fdEsclavePty_, &fdEcoute_})
        if (*fd >= 0) close(std::exchange(*fd, -1));
    for (Connexion& c : clients_)
        if (c.fd >= 0) close(c.fd);
    clients_.clear();
}

bool ServeurBanc::OuvrirPty(std::string& nom, std::string& erreur) {
    Fermer();
    int maitre = -1, esclave = -1;
    if (openpty(&maitre, &esclave, nullptr, nullptr, nullptr) != 0) {
        erreur = Systeme("cannot create a pseudo-terminal");
        return false;
    }
    const char* chemin = ttyname(esclave);
    if (!chemin || !Brut(esclave, false)) {
        erreur = Systeme("cannot set up the pseudo-terminal");
        close(maitre);
        close(esclave);
        return false;
    }
    nom = chemin;
    if (nom.starts_with("/dev/")) nom.erase(0, 5);
    NonBloquant(maitre);
    fcntl(esclave, F_SETFD, FD_CLOEXEC);
    fdSerie_ = maitre;
    fdEsclavePty_ = esclave;
    return true;
}

bool ServeurBanc::OuvrirSerie(const std::string& chemin, std::string& erreur) {
    Fermer();
    int fd = open(chemin.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        erreur = Systeme("cannot open " + chemin);
        return false;
    }
    if (!Brut(fd, true)) {
        erreur = Systeme("cannot set up " + chemin);
        close(fd);
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    fdSerie_ = fd;
    return true;
}

bool ServeurBanc::OuvrirTcp(const std::string& adresse, int port, std::string& erreur) {
    Fermer();
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (port < 0 || port > 65535 || inet_pton(AF_INET, adresse.c_str(), &a.sin_addr) != 1) {
        erreur = "bad address " + adresse;
        return false;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        erreur = Systeme("cannot create a socket");
        return false;
    }
    int oui = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &oui, sizeof oui);
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, 8) != 0) {
        erreur = Systeme("cannot listen on " + adresse + ":" + std::to_string(port));
        close(fd);
        return false;
    }
    socklen_t taille = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &taille);
    port_ = ntohs(a.sin_port);
    fdEcoute_ = fd;
    return true;
}

int64_t ServeurBanc::DureeLigneMs(size_t octets) const {
    if (debit_ <= 0) return 0;
    const int64_t bitsParMs = debit_;  // bits in 1000 ms
    return (static_cast<int64_t>(octets) * 10 * 1000 + bitsParMs - 1) / bitsParMs;
}

void ServeurBanc::Repondre(Connexion& c, Reponse r, int64_t maintenant) {
    if (r.octets.empty() && !r.deconnexion) return;
    c.envois.push_back({maintenant + r.delaiMs, std::move(r.octets), r.deconnexion});
}

// Sends the replies whose time has come; false when the link must close.
bool ServeurBanc::EnvoyerDus(Connexion& c, int64_t maintenant) {
    bool socket = &c != &serie_;
    while (!c.envois.empty() && c.envois.front().instantMs <= maintenant) {
        Envoi e = std::move(c.envois.front());
        c.envois.pop_front();
        if (!e.octets.empty() && !EcrireTout(c.fd, e.octets, socket)) return false;
        if (e.fermer) {
            if (socket) {
                // dropped as a failing drive does: a reset, not an orderly close
                const linger sec{1, 0};
                setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &sec, sizeof sec);
                return false;
            }
            muetJusquaMs_ = maintenant + LigneCoupeeMs;
            decoupeur_.Vider();
        }
    }
    return true;
}

bool ServeurBanc::LireSerie(int64_t maintenant, std::string& erreur) {
    uint8_t octets[512];
    for (;;) {
        ssize_t n = read(fdSerie_, octets, sizeof octets);
        if (n > 0) {
            if (maintenant >= muetJusquaMs_)
                decoupeur_.Ajouter(octets, static_cast<size_t>(n), maintenant);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return true;
        // a pseudo-terminal whose other side is closed reads EIO: nothing came
        if (n < 0 && errno == EIO && fdEsclavePty_ >= 0) return true;
        if (n == 0) return true;
        erreur = Systeme("serial read failed");
        return false;
    }
}

void ServeurBanc::LireTcp(Connexion& c, int64_t maintenant) {
    uint8_t octets[512];
    for (;;) {
        ssize_t n = recv(c.fd, octets, sizeof octets, 0);
        if (n > 0) {
            c.tampon.insert(c.tampon.end(), octets, octets + n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) break;
        c.fermee = true;  // end of stream or failure
        break;
    }
    while (!c.fermee) {
        long longueur = LongueurAdu(c.tampon);
        if (longueur < 0) c.fermee = true;
        if (longueur <= 0) break;
        std::vector<uint8_t> adu(c.tampon.begin(), c.tampon.begin() + longueur);
        c.tampon.erase(c.tampon.begin(), c.tampon.begin() + longueur);
        temps_.Rattraper(variateur_);
        Repondre(c, Traiter([&] { return esclave_.TraiterTcp(adu); }), maintenant);
    }
}

bool ServeurBanc::Servir(const std::atomic<bool>& arret, std::string& erreur) {
    serie_.fd = fdSerie_;
    while (!arret.load()) {
        temps_.Rattraper(variateur_);
        int64_t maintenant = horloge_.Maintenant();

        // replies due and frames complete by silence
        if (fdSerie_ >= 0) {
            std::vector<uint8_t> trame;
            while (decoupeur_.Extraire(trame, maintenant)) {
                Reponse r = Traiter([&] { return esclave_.TraiterRtu(trame); });
                // the request and the reply each cross the line at its rate
                if (!r.octets.empty())
                    r.delaiMs += static_cast<int>(DureeLigneMs(trame.size() + r.octets.size()));
                Repondre(serie_, std::move(r), maintenant);
            }
            if (!EnvoyerDus(serie_, maintenant)) {
                erreur = Systeme("serial write failed");
                return false;
            }
        }
        for (Connexion& c : clients_)
            if (!EnvoyerDus(c, maintenant)) c.fermee = true;
        std::erase_if(clients_, [](Connexion& c) {
            if (c.fermee) close(c.fd);
            return c.fermee;
        });

        // wait for bytes, a connection or the next due time
        int64_t echeance = maintenant + AttenteMaxMs;
        auto plusTot = [&](int64_t t) {
            if (t >= 0) echeance = std::min(echeance, t);
        };
        plusTot(decoupeur_.Echeance());
        if (!serie_.envois.empty()) plusTot(serie_.envois.front().instantMs);
        for (const Connexion& c : clients_)
            if (!c.envois.empty()) plusTot(c.envois.front().instantMs);
        std::vector<pollfd> attente;
        if (fdSerie_ >= 0) attente.push_back({fdSerie_, POLLIN, 0});
        if (fdEcoute_ >= 0) attente.push_back({fdEcoute_, POLLIN, 0});
        for (const Connexion& c : clients_) attente.push_back({c.fd, POLLIN, 0});
        int delai = static_cast<int>(std::clamp<int64_t>(echeance - maintenant, 0, AttenteMaxMs));
        int n = attente_(attente.data(), attente.size(), delai);
        if (n < 0 && errno != EINTR) {
            erreur = Systeme("poll failed");
            return false;
        }
        if (n <= 0) continue;

        maintenant = horloge_.Maintenant();
        size_t k = 0;
        if (fdSerie_ >= 0) {
            if (attente[k].revents && !LireSerie(maintenant, erreur)) return false;
            ++k;
            // a pty without a client reports a hang-up: do not spin on it
            if (attente[k - 1].revents & POLLHUP) attente_(nullptr, 0, AttenteMaxMs);
        }
        if (fdEcoute_ >= 0) {
            if (attente[k].revents & POLLIN) {
                int fd = accept4(fdEcoute_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (fd >= 0 && static_cast<int>(clients_.size()) < ClientsMax) {
                    Connexion c;
                    c.fd = fd;
                    clients_.push_back(std::move(c));
                } else if (fd >= 0) {
                    close(fd);
                }
            }
            ++k;
        }
        for (size_t i = 0; k < attente.size(); ++i, ++k)
            if (attente[k].revents) LireTcp(clients_[i], maintenant);
    }
    return true;
}

}  // namespace orvane::sim
