// Work files (a study) and the configuration file: raw little-endian images
// of the records, strings length-prefixed in Windows-1252.
//
// Work file: the 1640-byte study header, then for each characteristic its
// 212-byte header followed, quantity by quantity, by the values of points
// 0..last (4 bytes each).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "study/Records.h"

namespace orvane {

inline constexpr const char* NomFichierConfig = "CFGOrvane.cfg";
inline constexpr const char* ExtensionEtude = "OVX2";
// The largest work file the data model can hold.
inline constexpr size_t TailleMaxEtude =
    sizeof(EnteteEtude) + NbCaractMax * (sizeof(EnteteCaract) + 4u * NbGrandeurs * NbPointsMax);

// Reads the configuration file of the start folder into `ConfigGenerale`
// and makes its language current. A missing or short file is reported
// ("Erreur de lecture du fichier") and false returned; a short file keeps the
// bytes read over the defaults. Fields used as table indices that lie outside
// their range fall back to their defaults.
bool LireConfig();
// The same from any file, reporting nothing: true when all 76 bytes were read.
bool ChargerConfig(const std::string& chemin);
// Writes `ConfigGenerale` to the configuration file of the start folder.
bool EcrireConfig();
// Writes the study to the named work file. The file is replaced as a whole:
// a failed save keeps the old file, reports "Erreur d'ecriture du fichier"
// and leaves the study marked as it was.
bool EnregistrerEtude(const std::string& nom);
// Replaces the study by the named work file. A missing, short or invalid
// file is reported ("Erreur de lecture du fichier") and leaves an empty
// study with no file name.
bool OuvrirEtude(const std::string& nom);

// ---- the same without files ----

// Path of the configuration file in the start folder.
std::string CheminConfig();
// The bytes `EnregistrerEtude` writes for the current study.
std::vector<uint8_t> ImageEtude();
// Checks a work-file image and, only when it is whole and valid, loads it
// into the study (over a reset study). Returns false otherwise, changing
// nothing.
bool ChargerImageEtude(const uint8_t* data, size_t taille);
// Brings back to their defaults the fields that lie outside their range.
void CorrigerConfig(TConfigGenerale& c);
// Replaces a file by the given bytes through a temporary file beside it, a
// rename and a sync of the folder. A symbolic link is followed: its target is
// replaced and the link stays. The new file keeps the old one's mode where
// the system allows it (a refusal does not fail the write). On failure the
// old file is kept and `raison` says why.
bool EcrireFichierEntier(const std::string& chemin, const void* data, size_t taille,
                         std::string* raison = nullptr);
// The call that gives the temporary file the old file's mode: fchmod, unless
// replaced (to try a refusal). An empty function restores fchmod. Returns the
// previous one.
using ChangeurMode = std::function<int(int fd, unsigned mode)>;
ChangeurMode DefinirChangeurMode(ChangeurMode f);
// Reads at most `maximum` bytes of a file; false when it cannot be opened or read.
bool LireFichier(const std::string& chemin, size_t maximum, std::vector<uint8_t>& octets);

}  // namespace orvane
