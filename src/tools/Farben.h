#pragma once
// The 16 drawing colours a tool's colour number stands for, their names in the
// colour dialog and the reverse lookup.
#include "state/Farbe.h"

#include <array>
#include <string_view>

namespace korvx {

inline constexpr int FarbAnzahl = 16;

// Screen colour (0xRRGGBB) of colour number 0 … 15. The values stand as the
// operators know them: number 3 is named "Fuchsia" but shows cyan, and 5 and
// 13 share one colour.
inline constexpr std::array<Farbe, FarbAnzahl> Farbtabelle = {
    0x000000, // 0 Black
    0x0000FF, // 1 Blue
    0x00A800, // 2 Green
    0x00FFFF, // 3 Fuchsia
    0xFF0000, // 4 Red
    0xFF00FF, // 5 Magenta
    0x54A800, // 6 Brown
    0xA8A8A8, // 7 Gray
    0xC0C0C0, // 8 Light Gray
    0x0000A8, // 9 Light Blue
    0x54FE54, // 10 Light Green
    0x54FEFE, // 11 Light Cyan
    0x7F0000, // 12 Light Red
    0xFF00FF, // 13 Light Magenta
    0xFEFE54, // 14 Yellow
    0xFFFFFF, // 15 White
};

// Names shown in the colour dialog (at most 15 characters, ASCII).
inline constexpr std::array<std::string_view, FarbAnzahl> Farbnamen = {
    "Black",     "Blue",          "Green",      "Fuchsia",    "Red",         "Magenta",
    "Brown",     "Gray",          "Light Gray", "Light Blue", "Light Green", "Light Cyan",
    "Light Red", "Light Magenta", "Yellow",     "White",
};

// The first colour number whose table colour equals `farbe`, or −1. Because
// the search stops at the first match, the colour of 13 yields 5.
int FarbNummer(Farbe farbe);

} // namespace korvx
