#pragma once
// How long the controller and the serial line take for one straight move:
// the motion as the controller runs it (each axis's steps at its rate; the
// two axes of the interpolation plane together, the third one and the
// second z after them, all three together in 3D), the bytes of the
// position query, the move command and their replies at the line's bit rate
// (10 bits per byte: start, 8 data, stop), and the PC's own time per
// command exchange.
#include <array>
#include <cstddef>
#include <cstdint>

namespace korvx {

// The PC's time per command exchange beyond the bytes on the line: the
// write, the receive thread's wake-up and the reply's evaluation. Measured
// against korvx-ctlsim (bench/schaetzung.sh).
inline constexpr std::int64_t kBefehlsZuschlagUs = 500;

// Bytes of the position query with its carriage return and of its reply.
inline constexpr std::size_t kAbfrageBytes = 4;
inline constexpr std::size_t kAbfrageAntwortBytes = 19;
// The one-byte reply to a move or setting command.
inline constexpr std::size_t kQuittungBytes = 1;

// Motion time in microseconds of a move command with these step counts
// (x, y, z, second z) and rates in the interpolation plane `ebene` (0 x-y,
// 1 x-z, 2 y-z, 3 all three).
std::int64_t BewegungsdauerUs(const std::array<std::int64_t, 4>& schritte,
                              const std::array<std::int32_t, 4>& raten, std::uint8_t ebene);

// Characters of the move command "@0A …" for these step counts and rates,
// without its carriage return (what FahrBefehlSchreiben writes).
std::size_t FahrBefehlLaenge(const std::array<std::int64_t, 4>& schritte,
                             const std::array<std::int32_t, 4>& raten);

// Line time in microseconds of `bytes` bytes at `bitrate` bits per second.
std::int64_t LeitungsdauerUs(std::size_t bytes, int bitrate);

// One command of `befehlBytes` characters (without its carriage return)
// answered with `antwortBytes`: the bytes both ways and the PC's time.
std::int64_t AustauschUs(std::size_t befehlBytes, std::size_t antwortBytes, int bitrate);

} // namespace korvx
