#include "state/Text.h"

#include <array>
#include <cstdint>

namespace korvx {

namespace {

// Code points of the bytes 0x80 … 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kOberes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void Anhaengen(std::string& aus, char32_t cp) {
    if (cp < 0x80) {
        aus.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        aus.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        aus.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        aus.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        aus.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        aus.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int ByteFuer(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kOberes.size(); ++i) {
        if (kOberes[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

std::string NachUtf8(std::string_view cp1252) {
    std::string aus;
    aus.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80) {
            aus.push_back(c);
        } else if (b < 0xA0) {
            Anhaengen(aus, kOberes[b - 0x80]);
        } else {
            Anhaengen(aus, b);
        }
    }
    return aus;
}

std::string NachCp1252(std::string_view utf8) {
    std::string aus;
    aus.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<std::uint8_t>(utf8[i]);
        int laenge = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            laenge = 1;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            laenge = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            laenge = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            laenge = 4;
            cp = b & 0x07;
        }
        bool gueltig = laenge > 0 && i + static_cast<std::size_t>(laenge) <= utf8.size();
        for (int k = 1; gueltig && k < laenge; ++k) {
            const auto f = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
            if ((f & 0xC0) != 0x80) {
                gueltig = false;
            } else {
                cp = (cp << 6) | (f & 0x3F);
            }
        }
        if (!gueltig) {
            aus.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        aus.push_back(static_cast<char>(static_cast<std::uint8_t>(ByteFuer(cp))));
        i += static_cast<std::size_t>(laenge);
    }
    return aus;
}

std::string Grossbuchstaben(std::string_view cp1252) {
    std::string aus(cp1252);
    for (char& c : aus) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b >= 'a' && b <= 'z') {
            c = static_cast<char>(b - 32);
        } else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {
            c = static_cast<char>(b - 32);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {
            c = static_cast<char>(b - 16); // š œ ž
        } else if (b == 0xFF) {
            c = static_cast<char>(0x9F); // ÿ
        }
    }
    return aus;
}

} // namespace korvx
