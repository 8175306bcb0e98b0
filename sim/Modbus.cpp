#include "sim/Modbus.h"

#include <charconv>

#include "comm/Crc.h"

namespace orvane::sim {

namespace {

constexpr uint8_t Esclave = 1;
constexpr size_t TrameRtuMax = 256;
constexpr int64_t SilenceFinTrameMs = 20;
constexpr int64_t AbandonTrameMs = 100;

int Mot(const uint8_t* p) { return (p[0] << 8) | p[1]; }

void AjouterMot(std::vector<uint8_t>& v, int mot) {
    v.push_back(static_cast<uint8_t>(mot >> 8));
    v.push_back(static_cast<uint8_t>(mot));
}

std::vector<uint8_t> Exception(uint8_t fonction, int code) {
    return {static_cast<uint8_t>(fonction | 0x80), static_cast<uint8_t>(code)};
}

void AjouterCrc(std::vector<uint8_t>& trame) {
    uint16_t crc = calculcrc(static_cast<int>(trame.size()), trame.data());
    trame.push_back(static_cast<uint8_t>(crc));
    trame.push_back(static_cast<uint8_t>(crc >> 8));
}

}  // namespace

bool LireDefaut(const std::string& texte, Injection& injection) {
    if (texte == "badcrc")
        injection.defaut = Defaut::MauvaisCrc;
    else if (texte == "silent")
        injection.defaut = Defaut::Silence;
    else if (texte == "exception")
        injection.defaut = Defaut::Exception;
    else if (texte == "disconnect")
        injection.defaut = Defaut::Deconnexion;
    else if (texte.starts_with("slow:")) {
        const char* debut = texte.data() + 5;
        const char* fin = texte.data() + texte.size();
        int ms = -1;
        auto [p, ec] = std::from_chars(debut, fin, ms);
        if (ec != std::errc() || p != fin || debut == fin || ms < 0 || ms > 60000) return false;
        injection.defaut = Defaut::Lent;
        injection.delaiMs = ms;
    } else {
        return false;
    }
    return true;
}

std::vector<uint8_t> ExecuterPdu(Variateur& variateur, const uint8_t* pdu, size_t n) {
    if (n < 1) return Exception(0, FonctionIllegale);
    const uint8_t fonction = pdu[0];
    if (fonction == 3) {
        if (n != 5) return Exception(fonction, ValeurIllegale);
        int adresse = Mot(pdu + 1), nombre = Mot(pdu + 3);
        if (nombre < 1 || nombre > 125) return Exception(fonction, ValeurIllegale);
        if (adresse + nombre > 0x10000) return Exception(fonction, AdresseIllegale);
        uint16_t valeurs[125];
        if (int r = variateur.LireRegistres(adresse, nombre, valeurs))
            return Exception(fonction, r);
        std::vector<uint8_t> reponse{fonction, static_cast<uint8_t>(2 * nombre)};
        for (int k = 0; k < nombre; ++k) AjouterMot(reponse, valeurs[k]);
        return reponse;
    }
    if (fonction == 6) {
        if (n != 5) return Exception(fonction, ValeurIllegale);
        const uint16_t valeur = static_cast<uint16_t>(Mot(pdu + 3));
        if (int r = variateur.EcrireRegistres(Mot(pdu + 1), 1, &valeur))
            return Exception(fonction, r);
        return std::vector<uint8_t>(pdu, pdu + n);  // the request echoed
    }
    if (fonction == 16) {
        if (n < 6) return Exception(fonction, ValeurIllegale);
        int adresse = Mot(pdu + 1), nombre = Mot(pdu + 3);
        if (nombre < 1 || nombre > 123 || pdu[5] != 2 * nombre || n != 6u + pdu[5])
            return Exception(fonction, ValeurIllegale);
        if (adresse + nombre > 0x10000) return Exception(fonction, AdresseIllegale);
        uint16_t valeurs[123];
        for (int k = 0; k < nombre; ++k) valeurs[k] = static_cast<uint16_t>(Mot(pdu + 6 + 2 * k));
        if (int r = variateur.EcrireRegistres(adresse, nombre, valeurs))
            return Exception(fonction, r);
        std::vector<uint8_t> reponse{fonction};
        AjouterMot(reponse, adresse);
        AjouterMot(reponse, nombre);
        return reponse;
    }
    return Exception(fonction, FonctionIllegale);
}

// ---- RTU ----

Reponse EsclaveModbus::TraiterRtu(const std::vector<uint8_t>& trame) {
    Reponse r;
    const size_t n = trame.size();
    if (n < 4 || n > TrameRtuMax) return r;
    uint16_t crc = calculcrc(static_cast<int>(n - 2), trame.data());
    if (trame[n - 2] != (crc & 0xFF) || trame[n - 1] != (crc >> 8)) return r;
    if (trame[0] != Esclave && trame[0] != 0) return r;

    std::vector<uint8_t> pdu = ExecuterPdu(variateur_, trame.data() + 1, n - 3);
    if (trame[0] == 0) return r;  // broadcast: no reply

    const Defaut defaut = Fautive() ? injection_.defaut : Defaut::Aucun;
    switch (defaut) {
        case Defaut::Silence: return r;
        case Defaut::Deconnexion: r.deconnexion = true; return r;
        case Defaut::Exception: pdu = Exception(trame[1], DefautEsclave); break;
        case Defaut::Lent: r.delaiMs = injection_.delaiMs; break;
        default: break;
    }
    std::vector<uint8_t> reponse{Esclave};
    reponse.insert(reponse.end(), pdu.begin(), pdu.end());
    AjouterCrc(reponse);
    if (defaut == Defaut::MauvaisCrc) reponse.back() ^= 0xFF;
    r.octets = std::move(reponse);
    return r;
}

void DecoupeurRtu::Ajouter(const uint8_t* octets, size_t n, int64_t instantMs) {
    if (n == 0) return;
    tampon_.insert(tampon_.end(), octets, octets + n);
    dernierOctetMs_ = instantMs;
}

bool DecoupeurRtu::Extraire(std::vector<uint8_t>& trame, int64_t instantMs) {
    if (tampon_.empty()) return false;
    const int64_t silence = instantMs - dernierOctetMs_;
    size_t attendu = 0;  // 0: not known from the bytes
    if (tampon_.size() >= 2) {
        uint8_t f = tampon_[1];
        if (f >= 1 && f <= 6)
            attendu = 8;
        else if ((f == 15 || f == 16) && tampon_.size() >= 7)
            attendu = 9 + tampon_[6];
    }
    if (attendu > 0 && tampon_.size() >= attendu) {
        trame.assign(tampon_.begin(), tampon_.begin() + static_cast<long>(attendu));
        tampon_.erase(tampon_.begin(), tampon_.begin() + static_cast<long>(attendu));
        return true;
    }
    bool inconnu = tampon_.size() >= 2 && attendu == 0 && tampon_[1] != 15 && tampon_[1] != 16;
    if (inconnu && silence >= SilenceFinTrameMs) {
        trame.swap(tampon_);
        tampon_.clear();
        return true;
    }
    if (silence >= AbandonTrameMs || tampon_.size() > TrameRtuMax) tampon_.clear();
    return false;
}

int64_t DecoupeurRtu::Echeance() const {
    if (tampon_.empty()) return -1;
    // a frame of unknown length ends with the silence; one whose length is
    // known, or not yet known, waits for its bytes until it is dropped
    const bool inconnu = tampon_.size() >= 2 && !(tampon_[1] >= 1 && tampon_[1] <= 6) &&
                         tampon_[1] != 15 && tampon_[1] != 16;
    return dernierOctetMs_ + (inconnu ? SilenceFinTrameMs : AbandonTrameMs);
}

// ---- TCP ----

long LongueurAdu(const std::vector<uint8_t>& tampon) {
    if (tampon.size() < 7) return 0;
    int protocole = Mot(&tampon[2]), longueur = Mot(&tampon[4]);
    if (protocole != 0 || longueur < 2 || longueur > 254) return -1;
    size_t total = 6 + static_cast<size_t>(longueur);
    return tampon.size() >= total ? static_cast<long>(total) : 0;
}

Reponse EsclaveModbus::TraiterTcp(const std::vector<uint8_t>& adu) {
    Reponse r;
    if (adu.size() < 8 || static_cast<long>(adu.size()) != LongueurAdu(adu)) return r;
    std::vector<uint8_t> pdu = ExecuterPdu(variateur_, adu.data() + 7, adu.size() - 7);
    int transaction = Mot(&adu[0]);
    if (Fautive()) {
        switch (injection_.defaut) {
            case Defaut::Silence: return r;
            case Defaut::Deconnexion: r.deconnexion = true; return r;
            case Defaut::Exception: pdu = Exception(adu[7], DefautEsclave); break;
            case Defaut::Lent: r.delaiMs = injection_.delaiMs; break;
            case Defaut::MauvaisCrc: transaction ^= 0xFFFF; break;
            default: break;
        }
    }
    std::vector<uint8_t> reponse;
    AjouterMot(reponse, transaction);
    AjouterMot(reponse, 0);
    AjouterMot(reponse, static_cast<int>(pdu.size() + 1));
    reponse.push_back(adu[6]);
    reponse.insert(reponse.end(), pdu.begin(), pdu.end());
    r.octets = std::move(reponse);
    return r;
}

}  // namespace orvane::sim
