// Texts of the values of a study: the tab-separated text that the tracing
// window copies, and a CSV form for spreadsheets.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Tab-separated values, lines ended by CR LF, in Windows-1252 (the bytes
// the clipboard receives). r <= 0: every record 1..5 holding a point, each
// introduced by a line "Essai k<TAB>comment"; r = 1..5: that record's block
// alone. A block is the line of symbols, the line of units, then one line
// per point with its twelve values in fixed point.
std::string TexteValeurs(int r);

// CSV (RFC 4180, CR LF, UTF-8): a header row with the trial column and
// "symbol (unit)" for each quantity, then one row per point of every record
// (r <= 0) or of record r. With `virguleDecimale` the separator is ';' and
// the decimal separator ',', as French and Spanish spreadsheets expect;
// otherwise ',' and '.'.
std::string CsvValeurs(int r, bool virguleDecimale);

// The CSV text in the separators of a language (configuration codes):
// ';' and a decimal comma in French and Spanish, ',' and a decimal point in
// English; any other code counts as French.
std::string CsvValeursLangue(int r, int32_t langue);

}  // namespace orvane
