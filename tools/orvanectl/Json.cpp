#include "tools/orvanectl/Json.h"

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

}  // namespace orvane::ctl
