// The choices of a first start (a start folder without a configuration file)
// and the configuration they make. No Qt.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "study/Records.h"

namespace orvane {

struct ChoixDemarrage {
    int32_t Langue = 1;                       // 1 French, 2 English, 3 Spanish
    int32_t TypeLiaison = LiaisonSimulation;  // simulated bench, serial or network
    std::string Port;                         // serial port, as the settings list it
    std::string Adresse;                      // network address as typed, "a.b.c.d"
    int32_t Frequence = 50;                   // mains frequency, Hz
};

// The language of a locale name ("fr_FR.UTF-8", "en", "es_MX"): 1 French,
// 2 English, 3 Spanish; 0 for any other.
int32_t LangueDeLocale(std::string_view locale);

// The four fields of a dotted address, each 0..255 written with 1 to 3
// digits, spaces around the whole allowed; false for anything else.
bool ChampsAdresse(std::string_view texte, std::array<std::string, 4>& champs);

// OK can be taken: a serial link names a port, a network link a whole
// address; the simulated bench needs nothing.
bool ChoixComplet(const ChoixDemarrage& c);

// The default record with the choices made: language, link type with its
// port or address, mains frequency. An incomplete choice gives no link (type
// 2), never the default record's port or address.
TConfigGenerale ConfigDeChoix(const ChoixDemarrage& c);

}  // namespace orvane
