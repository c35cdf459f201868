#pragma once
// The isel controller's command texts, reply shapes and time-outs, in one
// place for the program's protocol code and for korvx-ctlsim, which plays the
// controller. Header only, no dependencies: the simulator stands apart from
// the logic library and includes nothing else of it. docs/ISEL-PROTOKOLL.md
// explains each item.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvx::isel {

// --- Commands the program sends (device number 0) ---

// Sent alone when the port opens; the controller ignores it (no reply).
inline constexpr std::string_view kEinrichten = "setup0";
// Initialise the axes of mask 7 (x, y, z).
inline constexpr std::string_view kAchsenInitialisieren = "@07";
// Reference run speeds of x, y and z, steps per second.
inline constexpr std::int32_t kReferenzRate = 1000;
inline constexpr std::string_view kReferenzGeschwindigkeit = "@0d 1000, 1000, 1000";
// Interpolation plane xy, xz, yz and 3D interpolation.
inline constexpr std::string_view kEbeneXY = "@0e0";
inline constexpr std::string_view kEbeneXZ = "@0e1";
inline constexpr std::string_view kEbeneYZ = "@0e2";
inline constexpr std::string_view kEbene3D = "@0z1";
// Reference run of the axes of mask 7.
inline constexpr std::string_view kReferenzfahrt = "@0R7";
// Position query; answered by kQuittung and three six-digit hex counters.
inline constexpr std::string_view kPositionAbfrage = "@0P";
// Start of the relative move: "@0A " then steps and rate of x, y, z and the
// second z, all eight separated by ", ".
inline constexpr std::string_view kFahrBefehl = "@0A ";
inline constexpr std::string_view kFahrTrenner = ", ";
// The stop bytes: sent alone, they end a move at once. 0xFF once the
// reference run was made, 0xFE before it.
inline constexpr char kStoppNachReferenz = '\xFF';
inline constexpr char kStoppVorReferenz = '\xFE';

// Line ends: a command awaiting its reply is followed by two carriage
// returns, the position query and kEinrichten by one.
inline constexpr std::string_view kBefehlsende = "\r\r";
inline constexpr std::string_view kZeilenende = "\r";

// --- Replies ---

// The command was carried out. Anything else is an error code, its first
// character one of "1"…"9", "A"…"F", "=" (no terminator follows a reply).
inline constexpr char kQuittung = '0';
// Reply to kPositionAbfrage: kQuittung and 3 × 6 hex digits (x, y, z), each
// the two's complement of a 24-bit step counter.
inline constexpr std::size_t kPositionsfeldLaenge = 6;
inline constexpr std::size_t kPositionsAntwortLaenge = 1 + 3 * kPositionsfeldLaenge;

// --- Steps and rates ---

// Step rates the controller accepts, steps per second (error "C" outside).
inline constexpr std::int32_t kRateMin = 21;
inline constexpr std::int32_t kRateMax = 10000;
// The controller counts steps in 24 bits: larger counts would wrap.
inline constexpr std::int64_t kSchrittzahlGrenze = 8388607;

// How long a move takes when its axes alone would take `t` (x, y, z, second
// z): the two axes of the interpolation plane `ebene` (0 x-y, 1 x-z, 2 y-z,
// any other: 3D) move together and the third after them, all three together
// in 3D, the second z last.
constexpr std::int64_t Fahrdauer(const std::array<std::int64_t, 4>& t, int ebene) {
    std::int64_t dauer = 0;
    switch (ebene) {
    case 0:
        dauer = std::max(t[0], t[1]) + t[2];
        break;
    case 1:
        dauer = std::max(t[0], t[2]) + t[1];
        break;
    case 2:
        dauer = std::max(t[1], t[2]) + t[0];
        break;
    default:
        dauer = std::max({t[0], t[1], t[2]});
        break;
    }
    return dauer + t[3];
}

// --- Time-outs (ms) ---

// A reply is awaited for kAntwortFaktor × the expected duration (at least
// kAntwortMindestdauerMs) plus kAntwortZuschlagMs, never beyond
// kAntwortHoechstMs.
inline constexpr double kAntwortMindestdauerMs = 200.0;
inline constexpr double kAntwortFaktor = 1.5;
inline constexpr double kAntwortZuschlagMs = 2000.0;
inline constexpr double kAntwortHoechstMs = 86'400'000.0;
// Expected durations the program gives the short commands.
inline constexpr double kDauerEinstellungMs = 100.0;   // kAchsenInitialisieren, speeds, plane
inline constexpr double kDauerEbeneReferenzMs = 400.0; // the plane inside the reference run
inline constexpr double kDauerEbeneM30Ms = 200.0;      // the plane at M30
inline constexpr double kDauerStoppMs = 200.0;         // a stop byte
// The complete position reply is awaited this long.
inline constexpr int kPositionsGrenzeMs = 500;
// The reply waits look at the line (and process events) this often.
inline constexpr int kLeseScheibeMs = 5;

} // namespace korvx::isel
