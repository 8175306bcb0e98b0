#include "study/Cp1252.h"

#include <array>
#include <cstdint>

namespace orvane {

namespace {

// Code points of bytes 0x80..0x9F; the other bytes are their own code point.
constexpr std::array<char32_t, 32> Plage80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodeDe(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return Plage80[b - 0x80];
    return b;
}

int OctetDe(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (size_t i = 0; i < Plage80.size(); ++i)
        if (Plage80[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

void AjouterUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string VersCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        char32_t c;
        size_t n;
        if (b < 0x80) {
            c = b;
            n = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            n = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            n = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool ok = i + n <= utf8.size();
        for (size_t k = 1; ok && k < n; ++k) {
            auto s = static_cast<unsigned char>(utf8[i + k]);
            if ((s & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (s & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        int o = OctetDe(c);
        out += o < 0 ? '?' : static_cast<char>(o);
        i += n;
    }
    return out;
}

std::string DepuisCp1252(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char ch : cp1252) AjouterUtf8(out, CodeDe(static_cast<unsigned char>(ch)));
    return out;
}

}  // namespace orvane
