// The application description files ("CFGAPPFR.cfg", "CFGAPPUK.cfg",
// "CFGAPPSP.cfg"): for each of seven groups of industrial applications, up
// to six entries naming a still picture or an animation with its title.
// Fixed-layout records, 4060 bytes read from the start of the file; the
// static_asserts below pin the layout down.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "study/Records.h"

namespace orvane {

inline constexpr int NbGroupesApplications = 7;
inline constexpr int NbApplicationsMax = 6;

// Kind of an entry.
inline constexpr int32_t ApplicationImage = 1;      // still picture
inline constexpr int32_t ApplicationAnimation = 2;  // animation
// Any other kind: nothing shown.

struct EntreeApplication {
    int32_t Genre;
    ShortString<60> Titre;    // Windows-1252
    ShortString<30> Fichier;  // relative to the folder of the description file
};

struct GroupeApplications {
    int32_t Nombre;  // 0..6
    EntreeApplication Applications[NbApplicationsMax];
};

struct TableApplications {
    GroupeApplications Groupes[NbGroupesApplications];
};

static_assert(sizeof(EntreeApplication) == 96);
static_assert(offsetof(EntreeApplication, Genre) == 0);
static_assert(offsetof(EntreeApplication, Titre) == 4);
static_assert(offsetof(EntreeApplication, Fichier) == 65);
static_assert(sizeof(GroupeApplications) == 580);
static_assert(offsetof(GroupeApplications, Applications) == 4);
static_assert(sizeof(TableApplications) == 4060);

inline constexpr size_t TailleFichierApplications = sizeof(TableApplications);

// One application as the window uses it, from a table read from any file:
// the count bounded to 0..6, the kind as stored, the strings bounded to
// their capacities.
struct Application {
    int32_t genre = 0;
    std::string titre;    // Windows-1252
    std::string fichier;  // Windows-1252
};
// Applications of group 1..7; 0 for any other group.
int NombreApplications(const TableApplications& t, int groupe);
// Application 1..count of a group; an empty one outside.
Application ApplicationDe(const TableApplications& t, int groupe, int numero);

// Reads the first 4060 bytes of a description file into `t`. False (and `t`
// left as it was) when the file cannot be opened or is shorter.
bool LireApplications(const std::string& chemin, TableApplications& t);
// The same from the bytes of a file: false (and `t` left as it was) when
// fewer than 4060; the bytes beyond them are ignored.
bool ChargerApplications(const uint8_t* octets, size_t n, TableApplications& t);

// ---- the readable source of the description files ----
// UTF-8 text; '#' lines and blank lines ignored:
//   groupe N                      (1..7) starts a group
//   application KIND FILE         kind 1 still picture, 2 animation; FILE at
//                                 most 30 characters
//   fr TITLE / en TITLE / es TITLE   the title in each language (at most 60
//                                 Windows-1252 characters), after each entry
// At most six applications per group.
enum class LangueSource { Francais, Anglais, Espagnol };
// Builds the table of one language; false with `erreur` ("line 12: ...") on
// any malformed, missing or over-long item.
bool CompilerApplications(std::string_view source, LangueSource langue, TableApplications& t,
                          std::string& erreur);

}  // namespace orvane
