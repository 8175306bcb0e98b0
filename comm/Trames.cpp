#include "comm/Trames.h"

#include "comm/Crc.h"

namespace orvane {

namespace {

void Mot(TTrame& t, uint16_t v) {
    t.Octets[static_cast<size_t>(t.Longueur++)] = static_cast<uint8_t>(v >> 8);
    t.Octets[static_cast<size_t>(t.Longueur++)] = static_cast<uint8_t>(v & 0xFF);
}

void Octet(TTrame& t, uint8_t v) { t.Octets[static_cast<size_t>(t.Longueur++)] = v; }

void AjouterCrc(TTrame& t) {
    const uint16_t crc = calculcrc(t.Longueur, t.Octets.data());
    Octet(t, static_cast<uint8_t>(crc & 0xFF));
    Octet(t, static_cast<uint8_t>(crc >> 8));
}

uint16_t Bas16(int32_t v) { return static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFF); }

int Borne(int n) { return n < 1 ? 1 : (n > NbRegistresMax ? NbRegistresMax : n); }

uint16_t Mot16(std::span<const uint8_t> r, size_t i) {
    return static_cast<uint16_t>(r[i] << 8 | r[i + 1]);
}

// Length, CRC, slave and function, then what the request expects of the rest.
template <class Contenu>
Verdict Juger(std::span<const uint8_t> r, uint8_t fonction, int attendue, Contenu contenu) {
    const int l = static_cast<int>(r.size());
    if (l == LongueurException && (r[1] & BitException)) {
        if (!testcrcstr(l, r)) return Verdict::MauvaisCrc;
        const bool notre = r[0] == EsclaveVariateur && r[1] == (fonction | BitException);
        return notre ? Verdict::Exception : Verdict::Discordante;
    }
    if (l != attendue) return Verdict::Incomplete;
    if (!testcrcstr(l, r)) return Verdict::MauvaisCrc;
    if (r[0] != EsclaveVariateur || r[1] != fonction || !contenu(r)) return Verdict::Discordante;
    return Verdict::Bonne;
}

}  // namespace

Verdict JugerReponseLecture(std::span<const uint8_t> reponse, int n) {
    n = Borne(n);
    return Juger(reponse, FonctionLecture, LongueurReponseLecture(n),
                 [n](std::span<const uint8_t> r) { return r[2] == 2 * n; });
}

Verdict JugerReponseEcriture(std::span<const uint8_t> reponse, int adresse, int n) {
    n = Borne(n);
    return Juger(reponse, FonctionEcriture, LongueurReponseEcriture,
                 [adresse, n](std::span<const uint8_t> r) {
                     return Mot16(r, 2) == static_cast<uint16_t>(adresse) && Mot16(r, 4) == n;
                 });
}

bool testcrcstr(int longueur, std::span<const uint8_t> recus) {
    if (longueur < 3 || recus.size() != static_cast<size_t>(longueur)) return false;
    const uint16_t crc = calculcrc(longueur - 2, recus.data());
    const size_t l = static_cast<size_t>(longueur);
    return recus[l - 2] == (crc & 0xFF) && recus[l - 1] == (crc >> 8);
}

TTrame TrameLecture(int menu, int parametre, int n) {
    TTrame t;
    Octet(t, EsclaveVariateur);
    Octet(t, FonctionLecture);
    Mot(t, static_cast<uint16_t>(AdresseRegistre(menu, parametre)));
    Mot(t, static_cast<uint16_t>(Borne(n)));
    AjouterCrc(t);
    return t;
}

TTrame TrameEcriture(int menu, int parametre, int32_t valeur) {
    return TrameEcritureBloc(menu, parametre, 1, &valeur);
}

TTrame TrameEcritureBloc(int menu, int parametre, int n, const int32_t* valeurs) {
    n = Borne(n);
    TTrame t;
    Octet(t, EsclaveVariateur);
    Octet(t, FonctionEcriture);
    Mot(t, static_cast<uint16_t>(AdresseRegistre(menu, parametre)));
    Mot(t, static_cast<uint16_t>(n));
    Octet(t, static_cast<uint8_t>(2 * n));
    for (int i = 0; i < n; ++i) Mot(t, Bas16(valeurs[i]));
    AjouterCrc(t);
    return t;
}

uint16_t MotReponse(std::span<const uint8_t> reponse, int i) {
    const size_t k = 3 + 2 * static_cast<size_t>(i);
    return static_cast<uint16_t>(reponse[k] << 8 | reponse[k + 1]);
}

}  // namespace orvane
