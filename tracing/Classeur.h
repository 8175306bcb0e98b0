// The study as a spreadsheet workbook (.xlsx): one sheet per trial holding
// its values as numbers, a sheet of native scatter charts (one per view of
// the study) and a sheet describing the study with the operating points and
// step measurements read off its views. No Qt: the tracing window and the
// command-line companion write the same file.
#pragma once

#include <string>

namespace orvane {

// Sheet layout of a trial: the rows of its heading (trial, comment, machine,
// load), an empty row, the header row of the table, then one row per point
// from `PremiereLigneValeurs` on; quantity q in column q.
inline constexpr int LigneEnteteValeurs = 5;
inline constexpr int PremiereLigneValeurs = LigneEnteteValeurs + 1;

// Writes the current study in the current language to `chemin`, replacing
// the file whole: the workbook is made aside, then written to a temporary
// file in the destination's folder and renamed. On failure nothing is left
// behind, an existing file is kept and `raison` says why. A study without
// trials gives a workbook that says so.
bool EcrireClasseur(const std::string& chemin, std::string* raison = nullptr);

}  // namespace orvane
