// libFuzzer target: what the network link library makes of any reply to its
// four requests, through a real connection to a server on 127.0.0.1 that
// this target starts itself.
//
// Input: one byte choosing the request (and whether the transaction and
// length fields of the reply are set right, so that the checks behind them
// are reached), one for the count of a list, two for menu and parameter, then
// the reply. The server accepts the library's connection, sends the reply and
// closes its side, so that every exchange ends at once: with the reply's
// verdict, or with a lost connection when the reply is short.
//
// The request sent must be the right Modbus TCP frame, and nothing more; the
// exchange ends within a few polls with the request's kind and one of the
// documented statuses (never a time-out: the server has closed); a success
// only comes from the one correct reply and delivers its words (unsigned for
// a single read, signed for a list), an exception reply gives its own code,
// and anything else leaves the objects as they were.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "comm/knr/Knr.h"
#include "fuzz/Verifier.h"

namespace {

int Mot(const uint8_t* p) { return p[0] << 8 | p[1]; }

void AjouterMot(std::vector<uint8_t>& v, int mot) {
    v.push_back(static_cast<uint8_t>(mot >> 8));
    v.push_back(static_cast<uint8_t>(mot));
}

int ecoute = -1;

bool Ecouter() {
    ecoute = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (ecoute < 0) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t l = sizeof a;
    if (::bind(ecoute, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(ecoute, 16) != 0 || ::getsockname(ecoute, reinterpret_cast<sockaddr*>(&a), &l))
        return false;
    // Short time-out: an exchange that hangs shows as a time-out, not as a
    // stuck target.
    const int32_t parametres[KNR_TAILLE_PARAMETRES] = {4, 200000, -1, 254, ntohs(a.sin_port)};
    return KNR_SetParameters(parametres) == 0;
}

// The bytes the server has received, once the library has stopped sending.
std::vector<uint8_t> Recus(int fd) {
    std::vector<uint8_t> o;
    uint8_t tampon[512];
    for (int k = 0; k < 8; ++k) {
        const ssize_t n = ::recv(fd, tampon, sizeof tampon, MSG_DONTWAIT);
        if (n <= 0) break;
        o.insert(o.end(), tampon, tampon + n);
    }
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static const bool pret = Ecouter();
    Verifier(pret);
    if (taille < 4 || taille > 4 + 300) return 0;
    static const int32_t genres[4] = {KNR_LECTURE, KNR_LECTURE_LISTE, KNR_ECRITURE,
                                      KNR_ECRITURE_LISTE};
    const int32_t genre = genres[data[0] & 3];
    const bool lecture = genre == KNR_LECTURE || genre == KNR_LECTURE_LISTE;
    const bool liste = genre == KNR_LECTURE_LISTE || genre == KNR_ECRITURE_LISTE;
    const int n = liste ? 1 + data[1] % KNR_OBJETS_LISTE : 1;
    const int menu = data[2] % 100, parametre = 1 + data[3] % 99;
    const int adresse = menu * 100 + parametre - 1;
    std::vector<uint8_t> reponse(data + 4, data + taille);
    if ((data[0] & 4) && reponse.size() >= 2) reponse[0] = 0, reponse[1] = 1;  // transaction 1
    if ((data[0] & 8) && reponse.size() >= 6) {
        reponse[2] = reponse[3] = 0;
        reponse[4] = static_cast<uint8_t>((reponse.size() - 6) >> 8);
        reponse[5] = static_cast<uint8_t>(reponse.size() - 6);
    }

    std::array<int32_t, KNR_OBJETS_LISTE * KNR_TAILLE_OBJET> objets;
    for (size_t i = 0; i < objets.size(); ++i) objets[i] = 0x5EED0000 + static_cast<int32_t>(i);
    for (int i = 0; i < n; ++i) {
        int32_t* o = &objets[static_cast<size_t>(i * KNR_TAILLE_OBJET)];
        o[0] = 1;
        o[1] = menu;
        o[2] = parametre + i;
    }
    const auto avant = objets;

    const int32_t h = KNR_RegisterUser(0, 0, 0, 0);
    Verifier(h >= 0);
    const char* noeud = "(127.0.0.1)";
    int32_t e = 0;
    switch (genre) {
        case KNR_LECTURE: e = KNR_ReadObject(h, noeud, objets.data()); break;
        case KNR_LECTURE_LISTE: e = KNR_ReadObjectList(h, noeud, objets.data(), n); break;
        case KNR_ECRITURE: e = KNR_WriteObject(h, noeud, objets.data()); break;
        default: e = KNR_WriteObjectList(h, noeud, objets.data(), n); break;
    }
    Verifier(e == 0);

    // The server's side: the connection, the reply, the end of the stream.
    pollfd p{ecoute, POLLIN, 0};
    Verifier(::poll(&p, 1, 2000) == 1);
    const int fd = ::accept4(ecoute, nullptr, nullptr, SOCK_CLOEXEC);
    Verifier(fd >= 0);
    if (!reponse.empty())
        Verifier(::send(fd, reponse.data(), reponse.size(), MSG_NOSIGNAL) ==
                 static_cast<ssize_t>(reponse.size()));
    ::shutdown(fd, SHUT_WR);

    int32_t r = 0;
    for (int k = 0; k < 20 && r == 0; ++k) r = KNR_PollForResponse(h);
    const std::vector<uint8_t> requete = Recus(fd);
    const linger sec{1, 0};  // reset: no connection left waiting
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &sec, sizeof sec);
    ::close(fd);
    Verifier(KNR_DeleteUser(h) == 0);

    // The request: MBAP header, unit 1, function, address, count, values.
    std::vector<uint8_t> attendue;
    AjouterMot(attendue, 1);
    AjouterMot(attendue, 0);
    AjouterMot(attendue, lecture ? 6 : 7 + 2 * n);
    attendue.push_back(1);
    attendue.push_back(lecture ? 3 : 16);
    AjouterMot(attendue, adresse);
    AjouterMot(attendue, n);
    if (!lecture) {
        attendue.push_back(static_cast<uint8_t>(2 * n));
        for (int i = 0; i < n; ++i)
            AjouterMot(attendue, objets[static_cast<size_t>(i * KNR_TAILLE_OBJET + 4)] & 0xFFFF);
    }
    Verifier(requete == attendue);

    // Over at once, with the request's kind and a documented status.
    Verifier(r != 0 && (r & 0xFFFF) == genre);
    const int statut = static_cast<int>(static_cast<uint32_t>(r) >> 16);
    Verifier(statut == KNR_SUCCES || statut == KNR_CONNEXION || statut == KNR_REPONSE_INVALIDE ||
             (statut >= KNR_EXCEPTION && statut <= KNR_EXCEPTION + 255));

    // The one correct reply, whatever follows it and whatever its unit.
    const uint8_t fonction = lecture ? 3 : 16;
    bool juste = false;
    const size_t total = lecture ? 9u + 2u * static_cast<size_t>(n) : 12u;
    if (reponse.size() >= total) {
        const uint8_t* o = reponse.data();
        juste = Mot(o) == 1 && Mot(o + 2) == 0 && Mot(o + 4) == static_cast<int>(total) - 6 &&
                o[7] == fonction;
        if (lecture)
            juste = juste && o[8] == 2 * n;
        else
            juste = juste && Mot(o + 8) == adresse && Mot(o + 10) == n;
    }
    Verifier((statut == KNR_SUCCES) == juste);
    // An exception reply of this function: the header right, at least 9 bytes.
    bool exception = false;
    if (reponse.size() >= 9) {
        const uint8_t* o = reponse.data();
        const size_t annonce = 6u + static_cast<size_t>(Mot(o + 4));
        exception = Mot(o) == 1 && Mot(o + 2) == 0 && annonce >= 9 && annonce <= 260 &&
                    reponse.size() >= annonce && o[7] == (fonction | 0x80);
    }
    Verifier((statut >= KNR_EXCEPTION) == exception);
    if (exception) Verifier(statut == KNR_EXCEPTION + reponse[8]);

    // The values: the reply's words on success, nothing touched otherwise.
    for (size_t i = 0; i < objets.size(); ++i) {
        const size_t k = i / KNR_TAILLE_OBJET;
        const bool valeur = statut == KNR_SUCCES && lecture && k < static_cast<size_t>(n) &&
                            i % KNR_TAILLE_OBJET == 4;
        if (!valeur) {
            Verifier(objets[i] == avant[i]);
            continue;
        }
        const int mot = Mot(reponse.data() + 9 + 2 * k);
        Verifier(objets[i] == (liste ? static_cast<int16_t>(mot) : mot));
    }
    return 0;
}
