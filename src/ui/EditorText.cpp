#include "ui/EditorText.h"

#include "interpreter/BlockList.h"
#include "state/Text.h"

#include <algorithm>
#include <cstdint>

namespace korvx {

namespace {

// The umlauts in Windows-1252: lower-case byte, upper-case byte.
constexpr std::uint8_t kUmlaute[3][2] = {{0xE4, 0xC4}, {0xF6, 0xD6}, {0xFC, 0xDC}};

std::uint8_t Byte(char c) {
    return static_cast<std::uint8_t>(c);
}

char KleinZeichen(char c) {
    const std::uint8_t b = Byte(c);
    if (b >= 'A' && b <= 'Z') {
        return static_cast<char>(b + 32);
    }
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) {
        return static_cast<char>(b + 32);
    }
    if (b == 0x8A || b == 0x8C || b == 0x8E) {
        return static_cast<char>(b + 16); // Š Œ Ž
    }
    if (b == 0x9F) {
        return static_cast<char>(0xFF); // Ÿ
    }
    return c;
}

char BuchstabeGross(char c) {
    const std::uint8_t b = Byte(c);
    if (b >= 'a' && b <= 'z') {
        return static_cast<char>(b - 32);
    }
    for (const auto& paar : kUmlaute) {
        if (b == paar[0]) {
            return static_cast<char>(paar[1]);
        }
    }
    return c;
}

char BuchstabeKlein(char c) {
    const std::uint8_t b = Byte(c);
    if (b >= 'A' && b <= 'Z') {
        return static_cast<char>(b + 32);
    }
    for (const auto& paar : kUmlaute) {
        if (b == paar[1]) {
            return static_cast<char>(paar[0]);
        }
    }
    return c;
}

template <class F> std::string Abbilden(std::string_view text, F zeichen) {
    std::string aus(text);
    for (char& c : aus) {
        c = zeichen(c);
    }
    return aus;
}

} // namespace

std::string GrossCp1252(std::string_view text) {
    return Grossbuchstaben(text);
}
std::string KleinCp1252(std::string_view text) {
    return Abbilden(text, KleinZeichen);
}
std::string BuchstabenGross(std::string_view text) {
    return Abbilden(text, BuchstabeGross);
}
std::string BuchstabenKlein(std::string_view text) {
    return Abbilden(text, BuchstabeKlein);
}

std::optional<Zeilenwirkung> WirkungDerTaste(bool shift, bool strg, bool andere) {
    if (andere) {
        return std::nullopt;
    }
    if (shift) {
        return Zeilenwirkung::Gross;
    }
    return strg ? Zeilenwirkung::Klein : Zeilenwirkung::Loeschen;
}

Zeilenstand Zeilenbefehl(std::string_view zeile, std::size_t spalte, Zeilenteil teil,
                         Zeilenwirkung wirkung) {
    spalte = std::min(spalte, zeile.size());
    const std::string_view vorne = zeile.substr(0, spalte);
    const std::string_view hinten = zeile.substr(spalte);
    switch (teil) {
    case Zeilenteil::Zeile:
        switch (wirkung) {
        case Zeilenwirkung::Loeschen:
            return {"", 0};
        case Zeilenwirkung::Gross:
            return {GrossCp1252(zeile), spalte};
        case Zeilenwirkung::Klein:
            return {KleinCp1252(zeile), spalte};
        }
        break;
    case Zeilenteil::BisCaret:
        switch (wirkung) {
        case Zeilenwirkung::Loeschen:
            return {std::string(hinten), 0};
        case Zeilenwirkung::Gross:
            return {BuchstabenGross(vorne) + std::string(hinten), spalte};
        case Zeilenwirkung::Klein:
            return {BuchstabenKlein(vorne) + std::string(hinten), spalte};
        }
        break;
    case Zeilenteil::AbCaret:
        switch (wirkung) {
        case Zeilenwirkung::Loeschen:
            return {std::string(vorne), spalte};
        case Zeilenwirkung::Gross:
            return {std::string(vorne) + BuchstabenGross(hinten), spalte};
        case Zeilenwirkung::Klein:
            return {std::string(vorne) + BuchstabenKlein(hinten), spalte};
        }
        break;
    }
    return {std::string(zeile), spalte};
}

std::vector<std::string> TextZeilen(std::string_view text) {
    std::vector<std::string> zeilen;
    for (std::string_view zeile : DateiZeilenTeilen(text)) {
        zeilen.emplace_back(zeile);
    }
    return zeilen;
}

void EditorNachProgramm(std::span<const std::string> zeilen, BlockList& programm) {
    programm.Leeren();
    int n = 1;
    for (const std::string& zeile : zeilen) {
        std::string_view inhalt = zeile;
        if (!inhalt.empty() && inhalt.front() == 'N') {
            const std::size_t rest = inhalt.find_first_not_of(" 0123456789", 1);
            inhalt = rest == std::string_view::npos ? std::string_view() : inhalt.substr(rest);
        }
        if (IstKommentarzeile(inhalt) || (!inhalt.empty() && inhalt.front() == '%')) {
            programm.Anhaengen(zeile);
        } else if (inhalt.empty()) {
            programm.Anhaengen("");
        } else {
            programm.Anhaengen("N" + std::to_string(n) + " " + std::string(inhalt));
            ++n;
        }
    }
}

} // namespace korvx
