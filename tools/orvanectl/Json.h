// Just enough JSON writing for the companion's outputs.
#pragma once

#include <string>
#include <string_view>

namespace orvane::ctl {

// A quoted JSON string of UTF-8 text.
std::string JsonTexte(std::string_view utf8);

// A JSON number with a fixed number of decimals (0..18, a decimal point
// whatever the locale); a value that rounds to zero has no sign; "null" for
// a value that is not finite.
std::string JsonNombre(double v, int decimales);

}  // namespace orvane::ctl
