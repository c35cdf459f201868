#pragma once
#include "state/ShortString.h"

#include <array>
#include <cstdint>

namespace korvx {

// One tool. The record is also stored in the settings block as 56 bytes
// (number, name, 2 pad bytes, three lengths, colour, 7 pad bytes).
struct TWerkzeug {
    std::uint8_t Nummer = 0;            // 1 … 255; 0 stands for "no tool"
    ShortString<20> Benennung;          // name, Windows-1252
    std::array<std::uint8_t, 2> pad1{}; // stored as read
    double Laenge = 0.0;                // mm
    double Nutzlaenge = 0.0;            // useful length, mm
    double Durchmesser = 0.0;           // mm
    std::uint8_t Farbe = 0;             // drawing colour number 0 … 15
    std::array<std::uint8_t, 7> pad2{}; // stored as read

    friend bool operator==(const TWerkzeug&, const TWerkzeug&) = default;
};

// The record that stands for "no tool": number 0, name "kein Werkzeug", all else 0.
inline TWerkzeug KeinWerkzeug() {
    TWerkzeug w;
    w.Benennung.Setzen("kein Werkzeug");
    return w;
}

} // namespace korvx
