// libFuzzer target: the simulated drive's network side, fed whatever a peer
// sends: Modbus TCP framing of the stream, then the slave.
//
// Input: one byte choosing an injected fault and how often, then chunks:
// [length 0..255][bytes], received one after the other as the server
// receives them on a connection: each chunk appended to the connection's
// bytes, then every complete request taken off the front.
//
// The framing: 0 while fewer than 7 bytes or the announced length is not all
// there, -1 exactly when the header is not Modbus (protocol not 0, length
// outside 2..254), otherwise 6 + the announced length; requests are taken
// off the stream in order, nothing skipped; a header that is not Modbus
// closes the connection and nothing more is served. The slave: every request
// gets a sound reply (transaction, protocol, length and unit as they should
// be, the function answered or an exception 1..4), at most 260 bytes, unless
// a fault is injected; a broken transaction only when that fault is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/DefautAttendu.h"
#include "fuzz/Verifier.h"
#include "sim/Modbus.h"
#include "sim/Variateur.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

int Mot(const uint8_t* p) { return p[0] << 8 | p[1]; }

// The framing's answer, worked out from the header alone.
long Attendue(const std::vector<uint8_t>& t) {
    if (t.size() < 7) return 0;
    const int longueur = Mot(&t[4]);
    if (Mot(&t[2]) != 0 || longueur < 2 || longueur > 254) return -1;
    return t.size() >= 6u + static_cast<size_t>(longueur) ? 6 + longueur : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    if (taille < 1 || taille > 8192) return 0;
    const Injection injection = InjectionDe(data[0]);
    Variateur variateur(7);
    EsclaveModbus esclave(variateur, injection);

    std::vector<uint8_t> flux, tampon;
    size_t servis = 0;  // bytes of `flux` taken off as requests
    bool fermee = false;
    size_t i = 1;
    while (i < taille && !fermee) {
        const size_t n = std::min<size_t>(data[i], taille - i - 1);
        flux.insert(flux.end(), data + i + 1, data + i + 1 + n);
        tampon.insert(tampon.end(), data + i + 1, data + i + 1 + n);
        i += 1 + n;
        for (int k = 0; k < 1000 && !fermee; ++k) {
            const long longueur = LongueurAdu(tampon);
            Verifier(longueur == Attendue(tampon));
            if (longueur < 0) fermee = true;
            if (longueur <= 0) break;
            Verifier(longueur >= 8 && longueur <= 260);
            const std::vector<uint8_t> adu(tampon.begin(), tampon.begin() + longueur);
            tampon.erase(tampon.begin(), tampon.begin() + longueur);
            // in order, nothing skipped
            Verifier(std::equal(adu.begin(), adu.end(), flux.begin() + static_cast<long>(servis)));
            servis += adu.size();
            Verifier(servis + tampon.size() == flux.size());

            const int requetes = esclave.Requetes();
            const Reponse r = esclave.TraiterTcp(adu);
            Verifier(esclave.Requetes() == requetes + 1);
            const Defaut d = VerifierDefaut(r, injection, esclave.Requetes());
            if (d == Defaut::Silence || d == Defaut::Deconnexion) continue;
            const std::vector<uint8_t>& o = r.octets;
            Verifier(o.size() >= 9 && o.size() <= 260);
            const bool transaction = Mot(&o[0]) == Mot(&adu[0]);
            Verifier(transaction == (d != Defaut::MauvaisCrc));
            Verifier(Mot(&o[2]) == 0 && Mot(&o[4]) == static_cast<int>(o.size()) - 6);
            Verifier(o[6] == adu[6] && (o[7] & 0x7F) == (adu[7] & 0x7F));
            if (o[7] & 0x80) {
                Verifier(o.size() == 9 && o[8] >= 1 && o[8] <= 4);
                Verifier((o[8] == DefautEsclave) == (d == Defaut::Exception));
                continue;
            }
            Verifier(o[7] == 3 || o[7] == 6 || o[7] == 16);
            if (o[7] == 3) Verifier(o[8] == 2 * Mot(&adu[10]) && o.size() == 9u + o[8]);
            if (o[7] == 6) Verifier(std::equal(o.begin() + 6, o.end(), adu.begin() + 6, adu.end()));
            if (o[7] == 16)
                Verifier(o.size() == 12 && std::equal(o.begin() + 8, o.end(), adu.begin() + 8));
        }
    }
    return 0;
}
