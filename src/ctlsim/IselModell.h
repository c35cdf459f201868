#pragma once
// The controller model of korvx-ctlsim: what an isel step-motor controller in
// ASCII command mode answers to each command line, how long the motion takes
// and where the axes stand. No I/O and no clock of its own: the caller hands
// in the time and sends the replies.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx::ctlsim {

struct Ergebnis {
    bool antworten = false;   // false: the line gets no reply (stop bytes, foreign text)
    std::string antwort;      // "0" or an error code, "0" + 18 hex digits for "@0P"
    std::int64_t dauerUs = 0; // motion time before the reply is due
};

class IselModell {
public:
    // Travel range per axis in steps (0 … limit after the reference run) and
    // the position the axes stand at before the first reference run.
    IselModell(std::array<std::int64_t, 3> verfahrweg, std::array<std::int64_t, 3> start);

    // One command line without its carriage return, received at `jetztUs`.
    // Motion durations are multiplied by `zeitfaktor`.
    Ergebnis Befehl(std::string_view zeile, std::int64_t jetztUs, double zeitfaktor);

    // A stop byte (0xFF or 0xFE) at `jetztUs`: a move in progress ends where
    // the axes stand; true when one was in progress.
    bool Stopp(std::int64_t jetztUs);

    // Position in steps (x, y, z) at time `jetztUs`, a move in progress
    // counted up to that instant.
    std::array<std::int64_t, 3> Position(std::int64_t jetztUs) const;

    bool Referenziert() const { return referenziert_; }

    // Six upper-case hexadecimal digits, two's complement of 24 bits.
    static std::string Hex6(std::int64_t schritte);

private:
    void BewegungAbschliessen(std::int64_t jetztUs);

    std::array<std::int64_t, 3> weg_;
    std::array<std::int64_t, 3> pos_;
    std::array<std::int64_t, 3> refGeschw_ = {1000, 1000, 1000};
    int achsen_ = 0; // axis mask of "@0n"; 0 before initialisation
    bool referenziert_ = false;
    int ebene_ = 0; // 0 xy, 1 xz, 2 yz, 3 3D

    // The move in progress: from `von` by `um` steps between start and end.
    bool faehrt_ = false;
    std::array<std::int64_t, 3> von_{};
    std::array<std::int64_t, 3> um_{};
    std::int64_t startUs_ = 0;
    std::int64_t endeUs_ = 0;
};

} // namespace korvx::ctlsim
