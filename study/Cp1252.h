// Conversion between UTF-8 (the program's own strings) and Windows-1252 (the
// strings held in records and files).
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Characters with no Windows-1252 code become '?'; malformed UTF-8 bytes too.
std::string VersCp1252(std::string_view utf8);

// Every byte has a meaning; the five unassigned codes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the matching C1 control characters.
std::string DepuisCp1252(std::string_view cp1252);

}  // namespace orvane
