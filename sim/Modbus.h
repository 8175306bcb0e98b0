// The simulated drive as a Modbus slave: request bytes in, reply bytes out.
//
// Functions 3 (read holding registers, 1..125), 6 (write single register,
// the request echoed) and 16 (write multiple registers, 1..123) at slave
// address 1. Over RTU a frame with a bad CRC or
// for another slave gets no reply; address 0 (broadcast) writes without
// replying. Over TCP every unit identifier is served and echoed. Exceptions:
// 01 unknown function, 02 address outside the drive's parameters or not
// writable, 03 bad count or byte count.
//
// Faults can be injected into every Nth reply, for tests and teaching:
//   badcrc     the reply's CRC is wrong (over TCP: its transaction
//              identifier no longer matches the request's)
//   silent     no reply
//   exception  exception 04 (slave device failure) instead of the reply
//   slow:MS    the reply leaves MS milliseconds late
//   disconnect no reply, and the link drops: the TCP connection is reset,
//              a serial line stays dead for 3 s
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Variateur.h"

namespace orvane::sim {

enum class Defaut { Aucun, MauvaisCrc, Silence, Exception, Lent, Deconnexion };

struct Injection {
    Defaut defaut = Defaut::Aucun;
    int delaiMs = 0;  // for Lent
    int chaque = 1;   // every Nth request (1 = all)
};

// Reads "badcrc", "silent", "exception", "slow:MS" or "disconnect".
bool LireDefaut(const std::string& texte, Injection& injection);

struct Reponse {
    std::vector<uint8_t> octets;  // empty: no reply
    int delaiMs = 0;              // send that much later
    bool deconnexion = false;     // then drop the link
};

// Executes one request PDU (function code and data); returns the reply PDU.
std::vector<uint8_t> ExecuterPdu(Variateur& variateur, const uint8_t* pdu, size_t n);

class EsclaveModbus {
public:
    explicit EsclaveModbus(Variateur& variateur, Injection injection = {})
        : variateur_(variateur), injection_(injection) {}

    // One complete RTU frame: slave address, PDU, CRC.
    Reponse TraiterRtu(const std::vector<uint8_t>& trame);
    // One complete Modbus TCP ADU: MBAP header and PDU.
    Reponse TraiterTcp(const std::vector<uint8_t>& adu);

    // Requests answered or faulted so far.
    int Requetes() const { return requetes_; }
    // Requests faulted so far.
    int Fautes() const { return fautes_; }
    // Replaces the fault; the count of requests starts again, so that the
    // Nth request from now is the first one faulted.
    void DefinirInjection(Injection injection) {
        injection_ = injection;
        requetes_ = 0;
    }

private:
    bool Fautive() {
        ++requetes_;
        const bool fautive =
            injection_.defaut != Defaut::Aucun && requetes_ % std::max(injection_.chaque, 1) == 0;
        if (fautive) ++fautes_;
        return fautive;
    }

    Variateur& variateur_;
    Injection injection_;
    int requetes_ = 0;
    int fautes_ = 0;
};

// Cuts an RTU byte stream into frames. Requests of functions 1 to 6 are 8
// bytes, those of 15 and 16 announce their length; anything else is taken
// whole after 20 ms of silence. Bytes left incomplete for 100 ms are dropped.
// A server waits on its line until `Echeance`, not less: that is when a
// frame ends by silence, or when a half frame is dropped.
class DecoupeurRtu {
public:
    void Ajouter(const uint8_t* octets, size_t n, int64_t instantMs);
    bool Extraire(std::vector<uint8_t>& trame, int64_t instantMs);
    // Time at which `Extraire` may have something new without more bytes (-1: none).
    int64_t Echeance() const;
    void Vider() { tampon_.clear(); }

private:
    std::vector<uint8_t> tampon_;
    int64_t dernierOctetMs_ = 0;
};

// Length of the MBAP-framed ADU at the head of a TCP stream: 0 while
// incomplete, -1 when the header is not Modbus.
long LongueurAdu(const std::vector<uint8_t>& tampon);

}  // namespace orvane::sim
