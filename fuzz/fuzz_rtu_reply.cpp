// libFuzzer target: what the serial link makes of any reply to its four
// requests.
//
// Input: one byte choosing the request (and whether the reply gets a correct
// CRC put over its last two bytes, so that the checks behind the CRC are
// reached), one byte for the register count, two for menu and parameter, then
// the bytes the port delivers. The request goes through the link over a port
// that delivers those bytes; the same bytes, whole, also go to the reply
// checks themselves with any register count.
//
// The request sent must be the right frame; the port is never asked for more
// than the longest reply; a success only comes from the one correct reply
// (checked against a CRC computed here by another method), its values are
// the reply's words, and a failure leaves the values as they were; an
// exception reply gives its own code.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "comm/Horloge.h"
#include "comm/LiaisonRtu.h"
#include "comm/Trames.h"
#include "fuzz/Verifier.h"
#include "study/Study.h"

using namespace orvane;

namespace {

// CRC-16/Modbus by table, independent of the program's bitwise one.
uint16_t Crc(std::span<const uint8_t> o) {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int b = 0; b < 8; ++b) c = c & 1 ? (c >> 1) ^ 0xA001 : c >> 1;
            t[i] = static_cast<uint16_t>(c);
        }
        return t;
    }();
    unsigned crc = 0xFFFF;
    for (uint8_t b : o) crc = (crc >> 8) ^ table[(crc ^ b) & 0xFF];
    return static_cast<uint16_t>(crc);
}

bool CrcJuste(std::span<const uint8_t> o) {
    if (o.size() < 3) return false;
    const uint16_t c = Crc(o.first(o.size() - 2));
    return o[o.size() - 2] == (c & 0xFF) && o[o.size() - 1] == (c >> 8);
}

// A port delivering the input bytes once, in the order asked, after the
// request is written.
class PortFuzz : public IPortSerie {
public:
    std::span<const uint8_t> reponse;
    size_t lus = 0;
    std::vector<uint8_t> ecrit;
    int ecritures = 0;
    bool ecritureOk = true;

    bool EstOuvert() const override { return true; }
    void Purger() override {}
    bool Ecrire(std::span<const uint8_t> o) override {
        ++ecritures;
        ecrit.assign(o.begin(), o.end());
        return ecritureOk;
    }
    bool Lire(int n, TTrame& recus) override {
        recus.Longueur = 0;
        Verifier(n >= 1 && n <= TailleTrameMax);
        if (lus + static_cast<size_t>(n) > reponse.size()) {
            lus = reponse.size();
            return false;
        }
        std::copy_n(reponse.begin() + static_cast<std::ptrdiff_t>(lus), n, recus.Octets.begin());
        lus += static_cast<size_t>(n);
        recus.Longueur = n;
        return true;
    }
};

enum Requete { LectureSimple, LectureBloc, EcritureSimple, EcritureBloc };

// The reply the drive gives to a request: the only one that may succeed.
std::vector<uint8_t> BonneReponse(Requete q, int adresse, int n, std::span<const uint8_t> mots) {
    std::vector<uint8_t> r{EsclaveVariateur};
    if (q == LectureSimple || q == LectureBloc) {
        r.push_back(FonctionLecture);
        r.push_back(static_cast<uint8_t>(2 * n));
        r.insert(r.end(), mots.begin(), mots.begin() + 2 * n);
    } else {
        r.insert(r.end(), {FonctionEcriture, static_cast<uint8_t>(adresse >> 8),
                           static_cast<uint8_t>(adresse), 0, static_cast<uint8_t>(n)});
    }
    const uint16_t c = Crc(r);
    r.push_back(static_cast<uint8_t>(c & 0xFF));
    r.push_back(static_cast<uint8_t>(c >> 8));
    return r;
}

// The checks alone, on any bytes and any count, against their contract.
void JugerSeul(std::span<const uint8_t> r, int n, int adresse) {
    const int borne = std::clamp(n, 1, NbRegistresMax);
    for (bool lecture : {true, false}) {
        const uint8_t fonction = lecture ? FonctionLecture : FonctionEcriture;
        const size_t attendue = lecture ? LongueurReponseLecture(borne) : LongueurReponseEcriture;
        const Verdict v = lecture ? JugerReponseLecture(r, n) : JugerReponseEcriture(r, adresse, n);
        const bool exception = r.size() == LongueurException && (r[1] & BitException);
        switch (v) {
            case Verdict::Bonne:
                Verifier(r.size() == attendue && CrcJuste(r) && r[0] == EsclaveVariateur &&
                         r[1] == fonction);
                if (lecture) {
                    Verifier(r[2] == 2 * borne);
                    for (int i = 0; i < borne; ++i)
                        Verifier(MotReponse(r, i) == (r[3 + 2 * i] << 8 | r[4 + 2 * i]));
                } else {
                    Verifier(r[2] == static_cast<uint8_t>(adresse >> 8) &&
                             r[3] == static_cast<uint8_t>(adresse) && r[4] == 0 && r[5] == borne);
                }
                break;
            case Verdict::Exception:
                Verifier(exception && CrcJuste(r) && r[0] == EsclaveVariateur &&
                         r[1] == (fonction | BitException));
                break;
            case Verdict::MauvaisCrc:
                Verifier((exception || r.size() == attendue) && !CrcJuste(r));
                break;
            case Verdict::Incomplete: Verifier(!exception && r.size() != attendue); break;
            case Verdict::Discordante:
                Verifier((exception || r.size() == attendue) && CrcJuste(r));
                break;
        }
        Verifier(testcrcstr(static_cast<int>(r.size()), r) == CrcJuste(r));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static const bool prete = [] {
        DefinirPause([](int) {});
        return true;
    }();
    (void)prete;
    if (taille < 4 || taille > 4 + 64) return 0;
    const Requete q = static_cast<Requete>(data[0] & 3);
    const bool crcPose = data[0] & 4;
    const bool ecritureRatee = (data[0] & 0x38) == 0x38;
    const int nDemande = static_cast<int8_t>(data[1]);
    const int menu = data[2] % 100, parametre = data[3] % 100;
    const int adresse = AdresseRegistre(menu, parametre);
    std::vector<uint8_t> reponse(data + 4, data + taille);
    if (crcPose && reponse.size() >= 3) {
        const uint16_t c = Crc(std::span(reponse).first(reponse.size() - 2));
        reponse[reponse.size() - 2] = static_cast<uint8_t>(c & 0xFF);
        reponse[reponse.size() - 1] = static_cast<uint8_t>(c >> 8);
    }
    JugerSeul(reponse, nDemande, adresse);

    PortFuzz port;
    port.reponse = reponse;
    port.ecritureOk = !ecritureRatee;
    TLiaisonRtu rtu(&port);
    const bool bloc = q == LectureBloc || q == EcritureBloc;
    const int n = bloc ? std::clamp(nDemande, 1, NbRegistresMax) : 1;
    // The values go out as the low 16 bits; make them differ from any reply.
    std::array<int32_t, NbRegistresMax + 2> valeurs;
    for (size_t i = 0; i < valeurs.size(); ++i) valeurs[i] = 0x7BCD0000 + static_cast<int32_t>(i);
    const auto avant = valeurs;
    int32_t code = 0, valeur = -1;
    switch (q) {
        case LectureSimple: code = rtu.LireRegistre(menu, parametre, valeur); break;
        case LectureBloc:
            code = rtu.LireRegistres(menu, parametre, nDemande, valeurs.data());
            break;
        case EcritureSimple: code = rtu.EcrireRegistre(menu, parametre, valeurs[0]); break;
        case EcritureBloc:
            code = rtu.EcrireRegistres(menu, parametre, nDemande, valeurs.data());
            break;
    }

    // One request, the right frame.
    Verifier(port.ecritures == 1);
    const TTrame requete = q == LectureSimple || q == LectureBloc
                               ? TrameLecture(menu, parametre, n)
                               : TrameEcritureBloc(menu, parametre, n, valeurs.data());
    Verifier(std::ranges::equal(port.ecrit, requete.Vue()) && CrcJuste(port.ecrit));
    Verifier(port.ecrit[0] == EsclaveVariateur && port.ecrit[2] == (adresse >> 8 & 0xFF) &&
             port.ecrit[3] == (adresse & 0xFF) && port.ecrit[5] == n);
    // Never more read than the reply to this request, nothing when the
    // request did not go out.
    const bool lecture = q == LectureSimple || q == LectureBloc;
    const size_t attendue = lecture ? static_cast<size_t>(LongueurReponseLecture(n))
                                    : static_cast<size_t>(LongueurReponseEcriture);
    Verifier(port.lus <= attendue || port.lus == reponse.size());
    if (ecritureRatee) Verifier(port.lus == 0);

    // The request's own codes.
    const bool exception = code >= TLiaisonRtu::ReponseException;
    switch (q) {
        case LectureSimple: Verifier(code == 0 || code == 1 || code == 5 || exception); break;
        case LectureBloc: Verifier(code == 0 || code == 3 || code == 5 || exception); break;
        case EcritureSimple:
            Verifier(code == 0 || code == 3 || code == 4 || code == 5 || exception);
            break;
        case EcritureBloc: Verifier(code == 0 || code == 1 || code == 5 || exception); break;
    }

    // Success from the one right reply, read first.
    const std::span<const uint8_t> recue(reponse);
    bool juste = !ecritureRatee && reponse.size() >= attendue;
    if (juste) {
        const std::vector<uint8_t> bonne =
            BonneReponse(q, adresse, n, lecture ? recue.subspan(3) : recue);
        juste = std::ranges::equal(recue.first(attendue), bonne);
    }
    Verifier((code == 0) == juste);

    // An exception reply: the sound one for this function, whose code it gives.
    const bool exceptionJuste =
        !ecritureRatee && reponse.size() >= LongueurException && reponse[0] == EsclaveVariateur &&
        reponse[1] == ((lecture ? FonctionLecture : FonctionEcriture) | BitException) &&
        CrcJuste(recue.first(LongueurException));
    Verifier(exception == exceptionJuste);
    if (exception) Verifier(code == TLiaisonRtu::ReponseException + reponse[2]);
    // A sound frame that answers something else.
    if (code == TLiaisonRtu::ReponseDiscordante) {
        const size_t l = reponse[1] & BitException ? LongueurException : attendue;
        Verifier(reponse.size() >= l && CrcJuste(recue.first(l)));
    }

    // The values: the reply's words on success, as they were otherwise (a
    // block read also takes those of a whole reply with a bad CRC).
    if (q == LectureSimple) Verifier(valeur == (code == 0 ? (reponse[3] << 8 | reponse[4]) : 0));
    for (size_t i = static_cast<size_t>(q == LectureBloc ? n : 0); i < valeurs.size(); ++i)
        Verifier(valeurs[i] == avant[i]);
    if (q == LectureBloc && valeurs[0] != avant[0]) {
        Verifier(code == 0 || code == 3);
        Verifier(reponse.size() >= attendue && !(reponse[1] & BitException));
        for (int i = 0; i < n; ++i)
            Verifier(valeurs[static_cast<size_t>(i)] ==
                     static_cast<int16_t>(reponse[3 + 2 * static_cast<size_t>(i)] << 8 |
                                          reponse[4 + 2 * static_cast<size_t>(i)]));
    }
    if (q == LectureBloc && code == 0) Verifier(valeurs[0] != avant[0]);
    return 0;
}
