#include "tools/orvanectl/Json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvane::ctl {

std::string JsonTexte(std::string_view utf8) {
    std::string o = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': o += "\\\""; break;
            case '\\': o += "\\\\"; break;
            case '\n': o += "\\n"; break;
            case '\r': o += "\\r"; break;
            case '\t': o += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    o += buf;
                } else {
                    o += ch;
                }
        }
    }
    return o + "\"";
}

std::string JsonNombre(double v, int decimales) {
    if (!std::isfinite(v)) return "null";
    decimales = std::clamp(decimales, 0, 18);
    if (std::abs(v) < 0.5 * std::pow(10.0, -decimales)) v = 0;
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimales);
    if (r.ec != std::errc()) return "null";
    return std::string(buf, r.ptr);
}

}  // namespace orvane::ctl
