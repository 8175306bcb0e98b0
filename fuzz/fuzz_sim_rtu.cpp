// libFuzzer target: the simulated drive's serial side, fed whatever a peer
// sends: the RTU stream framer with its silence rule, then the slave.
//
// Input: one byte choosing an injected fault and how often, then chunks:
// [gap in ms][length 0..63][bytes]. The chunks arrive on a clock of their
// own and the framer is driven as the server drives it: drained at each
// arrival, and at each wake-up until the next (every 10 ms at most, and at
// the framer's deadline).
//
// The framer: every frame is the next bytes of the stream; a request of
// known length comes out as soon as its bytes are there and is as long as
// its function says; a frame of unknown length only after 20 ms of silence
// and with every byte received; bytes are dropped only after 100 ms of
// silence or beyond 256; its deadline is always ahead of the present, so
// that the server never spins. After 100 ms of silence, a sound request is
// framed alone and answered correctly, whatever came before.
// The slave: no reply and no write to a frame with a bad CRC or for another
// slave; a reply is a sound frame (CRC wrong only when that fault is
// injected) of at most 256 bytes answering the request's function.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "comm/Crc.h"
#include "comm/Trames.h"
#include "fuzz/DefautAttendu.h"
#include "fuzz/Verifier.h"
#include "sim/Modbus.h"
#include "sim/Variateur.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

bool CrcJuste(const std::vector<uint8_t>& t) {
    if (t.size() < 3) return false;
    const uint16_t c = calculcrc(static_cast<int>(t.size() - 2), t.data());
    return t[t.size() - 2] == (c & 0xFF) && t[t.size() - 1] == (c >> 8);
}

// Length the framer must find in a frame's own bytes (0: unknown).
size_t LongueurConnue(const uint8_t* o, size_t n) {
    if (n < 2) return 0;
    if (o[1] >= 1 && o[1] <= 6) return 8;
    if ((o[1] == 15 || o[1] == 16) && n >= 7) return 9 + size_t{o[6]};
    return 0;
}

bool FonctionConnue(uint8_t f) { return (f >= 1 && f <= 6) || f == 15 || f == 16; }

struct Banc {
    explicit Banc(Injection injection) : esclave(variateur, injection), injection(injection) {}
    Variateur variateur{7};
    EsclaveModbus esclave;
    Injection injection;
    DecoupeurRtu decoupeur;
    std::vector<uint8_t> flux;  // every byte received
    size_t tete = 0;            // where the framer's bytes start in `flux`
    int64_t maintenant = 0, dernierOctet = 0;
    std::vector<std::vector<uint8_t>> reponses;

    void Recevoir(const uint8_t* o, size_t n) {
        decoupeur.Ajouter(o, n, maintenant);
        if (n == 0) return;
        flux.insert(flux.end(), o, o + n);
        dernierOctet = maintenant;
    }

    void Servir(const std::vector<uint8_t>& trame) {
        const uint64_t ecritures = variateur.NbEcritures();
        const int requetes = esclave.Requetes();
        const Reponse r = esclave.TraiterRtu(trame);
        const bool recevable =
            trame.size() >= 4 && trame.size() <= 256 && CrcJuste(trame) && trame[0] <= 1;
        if (!recevable) {
            Verifier(r.octets.empty() && !r.deconnexion && r.delaiMs == 0);
            Verifier(variateur.NbEcritures() == ecritures && esclave.Requetes() == requetes);
            return;
        }
        if (trame[0] == 0) {  // broadcast: executed, never answered
            Verifier(r.octets.empty() && !r.deconnexion && esclave.Requetes() == requetes);
            return;
        }
        Verifier(esclave.Requetes() == requetes + 1);
        const Defaut d = VerifierDefaut(r, injection, esclave.Requetes());
        if (d == Defaut::Silence || d == Defaut::Deconnexion) return;
        const std::vector<uint8_t>& o = r.octets;
        Verifier(o.size() >= 5 && o.size() <= 256 && o[0] == 1);
        Verifier(CrcJuste(o) == (d != Defaut::MauvaisCrc));
        Verifier((o[1] & 0x7F) == (trame[1] & 0x7F));
        if (o[1] & 0x80) {
            Verifier(o.size() == 5 && o[2] >= 1 && o[2] <= 4);
            Verifier((o[2] == DefautEsclave) == (d == Defaut::Exception));
            return;
        }
        Verifier(o[1] == 3 || o[1] == 6 || o[1] == 16);
        if (o[1] == 3) Verifier(o[2] == 2 * (trame[4] << 8 | trame[5]) && o.size() == 5u + o[2]);
        if (o[1] == 6)  // the request echoed (its CRC too, unless broken on purpose)
            Verifier(o.size() == trame.size() && std::equal(o.begin(), o.end() - 2, trame.begin()));
        if (o[1] == 16)
            Verifier(o.size() == 8 && std::equal(o.begin() + 2, o.end() - 2, trame.begin() + 2));
        reponses.push_back(o);
    }

    // What the server does at each wake-up: every frame out, then sleep.
    void Vider() {
        std::vector<uint8_t> trame;
        for (int k = 0; k < 64 && decoupeur.Extraire(trame, maintenant); ++k) {
            Verifier(trame.size() >= 2 && tete + trame.size() <= flux.size());
            Verifier(
                std::equal(trame.begin(), trame.end(), flux.begin() + static_cast<long>(tete)));
            const size_t connue = LongueurConnue(trame.data(), trame.size());
            if (FonctionConnue(trame[1])) {
                Verifier(connue == trame.size());
            } else {
                // taken whole, after the silence
                Verifier(tete + trame.size() == flux.size() && maintenant - dernierOctet >= 20);
            }
            tete += trame.size();
            Servir(trame);
        }
        const int64_t echeance = decoupeur.Echeance();
        if (echeance < 0) {
            // anything left was dropped, and only when it had to be
            if (tete < flux.size())
                Verifier(maintenant - dernierOctet >= 100 || flux.size() - tete > 256);
            tete = flux.size();
            return;
        }
        Verifier(echeance > maintenant);
        Verifier(tete < flux.size());
        // nothing complete is kept waiting
        const size_t connue = LongueurConnue(flux.data() + tete, flux.size() - tete);
        Verifier(connue == 0 || flux.size() - tete < connue);
    }

    // Wake-ups until `instant`, as the server's waits end.
    void Attendre(int64_t instant) {
        for (int k = 0; k < 1000; ++k) {
            Vider();
            int64_t reveil = maintenant + 10;
            if (decoupeur.Echeance() >= 0) reveil = std::min(reveil, decoupeur.Echeance());
            if (reveil >= instant) break;
            maintenant = reveil;
        }
        maintenant = instant;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    if (taille < 1 || taille > 4096) return 0;
    const Injection injection = InjectionDe(data[0]);
    Banc banc(injection);

    size_t i = 1;
    while (i + 2 <= taille) {
        const int ecart = data[i];
        const size_t n = std::min<size_t>(data[i + 1] & 63, taille - i - 2);
        banc.Attendre(banc.maintenant + ecart);
        banc.Recevoir(data + i + 2, n);
        i += 2 + n;
    }
    banc.Vider();

    // After 100 ms of silence the line is back in step: a sound request is
    // framed alone and gets its right reply (unless a fault is injected).
    banc.Attendre(banc.maintenant + 100);
    banc.Vider();
    Verifier(banc.decoupeur.Echeance() < 0);
    const TTrame requete = TrameLecture(20, 2, 10);
    const size_t avant = banc.reponses.size();
    const int requetes = banc.esclave.Requetes();
    banc.Recevoir(requete.Octets.data(), static_cast<size_t>(requete.Longueur));
    banc.Vider();
    Verifier(banc.esclave.Requetes() == requetes + 1 && banc.decoupeur.Echeance() < 0);
    const bool fautive = injection.defaut != Defaut::Aucun &&
                         banc.esclave.Requetes() % std::max(injection.chaque, 1) == 0;
    if (!fautive || injection.defaut == Defaut::Lent) {
        Verifier(banc.reponses.size() == avant + 1);
        Verifier(JugerReponseLecture(banc.reponses.back(), 10) == Verdict::Bonne);
    }
    return 0;
}
