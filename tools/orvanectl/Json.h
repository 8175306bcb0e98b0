// Just enough JSON writing for the companion's outputs.
#pragma once

#include <string>
#include <string_view>

namespace orvane::ctl {

// A quoted JSON string of UTF-8 text.
std::string JsonTexte(std::string_view utf8);

}  // namespace orvane::ctl
