// The fault the simulated drive injects into its reply to the request it has
// just counted, shared by the RTU and TCP targets.
#pragma once

#include <algorithm>
#include <cstdint>

#include "fuzz/Verifier.h"
#include "sim/Modbus.h"

// The fault injection an input chooses by its first byte: none on three
// codes out of eight, else one fault kind, due every 1 to 4 requests.
inline orvane::sim::Injection InjectionDe(uint8_t premier) {
    using orvane::sim::Defaut;
    static const Defaut defauts[8] = {Defaut::Aucun,      Defaut::Aucun,      Defaut::Aucun,
                                      Defaut::MauvaisCrc, Defaut::Silence,    Defaut::Exception,
                                      Defaut::Lent,       Defaut::Deconnexion};
    orvane::sim::Injection injection;
    injection.defaut = defauts[premier & 7];
    injection.chaque = 1 + (premier >> 3 & 3);
    injection.delaiMs = 50;
    return injection;
}

// Checks what the reply says of the fault due on the `requetes`-th request
// (the disconnection, the delay, nothing sent when silent or cut) and gives
// that fault, for the checks of the reply's bytes.
inline orvane::sim::Defaut VerifierDefaut(const orvane::sim::Reponse& r,
                                          const orvane::sim::Injection& injection, int requetes) {
    using orvane::sim::Defaut;
    const bool fautive =
        injection.defaut != Defaut::Aucun && requetes % std::max(injection.chaque, 1) == 0;
    const Defaut d = fautive ? injection.defaut : Defaut::Aucun;
    Verifier(r.deconnexion == (d == Defaut::Deconnexion));
    Verifier(r.delaiMs == (d == Defaut::Lent ? injection.delaiMs : 0));
    if (d == Defaut::Silence || d == Defaut::Deconnexion) Verifier(r.octets.empty());
    return d;
}
