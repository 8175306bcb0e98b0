#include "comm/PortSerie.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "study/Rapport.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

int64_t Ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Raison(int e) {
    std::string r = std::strerror(e);
    if (e == EACCES || e == EPERM) r += "; is the user in the dialout group?";
    return r;
}

// The device has gone: an unplugged adapter or a pseudo-terminal whose other
// side was closed.
bool ErreurDePerte(int e) { return e == EIO || e == ENXIO || e == ENODEV || e == EBADF; }

}  // namespace

bool IPortSerie::LireReponse(int n, TTrame& recus) {
    recus.Longueur = 0;
    TTrame entete, reste;
    if (n < 3 || n > TailleTrameMax || !Lire(2, entete)) return false;
    const int total = LongueurAnnoncee(entete.Octets[1], n);
    if (!Lire(total - 2, reste)) return false;
    std::copy_n(entete.Octets.begin(), 2, recus.Octets.begin());
    std::copy_n(reste.Octets.begin(), total - 2, recus.Octets.begin() + 2);
    recus.Longueur = total;
    return true;
}

TPortCom::~TPortCom() { Fermer(); }

std::string TPortCom::Chemin(const std::string& nom) {
    return !nom.empty() && nom[0] == '/' ? nom : "/dev/" + nom;
}

bool TPortCom::Ouvrir(const std::string& nom) {
    Fermer();
    nom_ = nom;
    perdu_ = false;
    auto echec = [&](int e) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        Avertir(std::string(Textes.Texte(169)) + "- Port : " + nom + " (" + Raison(e) + ")");
        return false;
    };
    if (nom.empty()) return echec(ENOENT);
    fd_ = ::open(Chemin(nom).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return echec(errno);
    // Not shared: a second open of the device by anyone but root is refused.
    ::ioctl(fd_, TIOCEXCL);

    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return echec(errno);
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, B19200) != 0 || ::cfsetospeed(&t, B19200) != 0) return echec(errno);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return echec(errno);

    ::tcflush(fd_, TCIOFLUSH);
    // Raise DTR. A device without modem lines (a pseudo-terminal) refuses,
    // which is harmless.
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIS, &dtr);
    return true;
}

void TPortCom::Fermer() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TPortCom::Perte() {
    perdu_ = true;
    Fermer();
}

void TPortCom::Purger() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

bool TPortCom::Ecrire(std::span<const uint8_t> octets) {
    if (fd_ < 0) return false;
    const int64_t limite =
        Ms() + MultiplicateurMs * static_cast<int64_t>(octets.size()) + ConstanteMs;
    size_t envoyes = 0;
    while (envoyes < octets.size()) {
        const ssize_t k = ::write(fd_, octets.data() + envoyes, octets.size() - envoyes);
        if (k > 0) {
            envoyes += static_cast<size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR) continue;
        if (k < 0 && errno != EAGAIN) {
            if (ErreurDePerte(errno)) Perte();
            return false;
        }
        const int64_t reste = limite - Ms();
        if (reste <= 0) return false;
        pollfd p{fd_, POLLOUT, 0};
        const int r = ::poll(&p, 1, static_cast<int>(reste));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            Perte();
            return false;
        }
    }
    return true;
}

bool TPortCom::Lire(int n, TTrame& recus) { return Recevoir(n, recus, false); }

bool TPortCom::LireReponse(int n, TTrame& recus) { return Recevoir(n, recus, true); }

bool TPortCom::Recevoir(int n, TTrame& recus, bool reponse) {
    recus.Longueur = 0;
    if (fd_ < 0 || n < (reponse ? 3 : 1) || n > TailleTrameMax) return false;
    const int64_t limite = Ms() + MultiplicateurMs * n + ConstanteMs;
    const int attendus = n;
    int lus = 0;
    while (lus < n) {
        const int64_t reste = limite - Ms();
        if (reste <= 0) break;
        const int attente =
            static_cast<int>(lus > 0 && reste > IntervalleMs ? IntervalleMs : reste);
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, attente);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (r == 0) {
            if (lus > 0) break;  // more than 100 ms since the last byte
            continue;
        }
        if (p.revents & POLLIN) {
            // A reply's first two bytes tell its length: take them alone.
            const int voulus = reponse && lus < 2 ? 2 : n;
            const ssize_t k =
                ::read(fd_, recus.Octets.data() + lus, static_cast<size_t>(voulus - lus));
            if (k > 0) {
                lus += static_cast<int>(k);
                if (reponse && lus == 2) n = LongueurAnnoncee(recus.Octets[1], attendus);
                continue;
            }
            if (k < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (k < 0 && !ErreurDePerte(errno)) break;
        }
        // Hang-up, error, or end of file on a readable descriptor.
        Perte();
        break;
    }
    if (lus != n) return false;
    recus.Longueur = n;
    return true;
}

}  // namespace orvane
