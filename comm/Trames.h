// Modbus RTU frames of the four requests the program makes of the drive, and
// the checks and extraction of their replies. Pure functions: no I/O, no
// state, so every byte can be tested.
//
// Drive parameters are named menu.parameter (20.02); the register address of
// m.p is m × 100 + p − 1. The slave is always 1. Values are 16-bit, high byte
// first; the CRC is appended low byte first.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "comm/Registres.h"

namespace orvane {

inline constexpr uint8_t EsclaveVariateur = 1;
inline constexpr uint8_t FonctionLecture = 3;
inline constexpr uint8_t FonctionEcriture = 16;
inline constexpr int TailleTrameMax = 50;  // bounds a block to 10 registers
inline constexpr int NbRegistresMax = 10;

// A request or reply, at most 50 bytes.
struct TTrame {
    std::array<uint8_t, TailleTrameMax> Octets{};
    int Longueur = 0;

    std::span<const uint8_t> Vue() const { return {Octets.data(), static_cast<size_t>(Longueur)}; }
};

// Length of the reply to a read of n registers (2n + 5) and to any write (8).
constexpr int LongueurReponseLecture(int n) { return 2 * n + 5; }
inline constexpr int LongueurReponseEcriture = 8;

// An exception reply: slave, function | 0x80, exception code, CRC.
inline constexpr uint8_t BitException = 0x80;
inline constexpr int LongueurException = 5;

// Length of the reply whose second byte (its function code) is `fonction`
// when the reply to the request is `attendue` bytes long: an exception reply
// is shorter.
constexpr int LongueurAnnoncee(uint8_t fonction, int attendue) {
    return fonction & BitException ? LongueurException : attendue;
}

// What a reply is to the request it follows.
enum class Verdict {
    Bonne,        // the reply to this request
    Incomplete,   // missing or short
    MauvaisCrc,   // complete, but its CRC is wrong
    Exception,    // the slave's exception reply to this request (code in byte 2)
    Discordante,  // a sound frame that does not answer this request: another
                  // slave, function, byte count, or echoed address or count
};

// The reply to a read of n registers (function 3): slave, function, byte
// count 2n, the values, CRC.
Verdict JugerReponseLecture(std::span<const uint8_t> reponse, int n);
// The reply to a write of n registers from register `adresse` (function 16):
// slave, function, the echo of the address and of the count, CRC.
Verdict JugerReponseEcriture(std::span<const uint8_t> reponse, int adresse, int n);

// True when exactly `longueur` bytes were received and the CRC of the first
// longueur − 2 bytes equals the last two, low byte first.
bool testcrcstr(int longueur, std::span<const uint8_t> recus);

// Read of n registers (1..10) from menu.parametre: 8 bytes.
TTrame TrameLecture(int menu, int parametre, int n);
// Write of one register (function 16): 11 bytes; the low 16 bits of valeur.
TTrame TrameEcriture(int menu, int parametre, int32_t valeur);
// Write of n registers (1..10): 2n + 9 bytes; the low 16 bits of each value.
TTrame TrameEcritureBloc(int menu, int parametre, int n, const int32_t* valeurs);

// Word i of a read reply (after address, function and byte count), as sent
// (0..65535) or as a signed 16-bit value (a word above 32767 less 65536).
// The reply must hold at least 2(i + 1) + 3 bytes.
uint16_t MotReponse(std::span<const uint8_t> reponse, int i);
inline int32_t MotSigne(uint16_t mot) { return static_cast<int16_t>(mot); }

}  // namespace orvane
