#pragma once
// The values that coordinate, parameter, text and name words store. The
// interpreter owns one for a whole run: I, J, K, A, B, the R parameters and
// the H text keep their values from block to block; `gegeben` tells which
// words the current block held and is cleared when a block starts.
#include <cstdint>
#include <string>

namespace korvx {

struct Satzwerte {
    double X = 0.0; // mm
    double Y = 0.0;
    double Z = 0.0;
    double I = 0.0; // arc centre, mm
    double J = 0.0;
    double K = 0.0;
    double A = 0.0; // engraving parameter
    double B = 1.0; // engraving character height, mm
    double R1 = 0.0;
    double R2 = 0.0;
    double R3 = 0.0; // drilling depth, mm; the handler keeps it as Bohrtiefe
    double R23 = 0.0;
    double R24 = 0.0; // a whole number when read in bolt-hole mode
    std::string H;    // engraving text, Windows-1252
    std::string L;    // subprogram file name, blanks removed

    struct Gegeben {
        bool X = false, Y = false, Z = false;
        bool I = false, J = false, K = false;
        bool A = false, B = false;
        bool R1 = false, R2 = false, R3 = false, R23 = false, R24 = false;
        bool H = false, L = false;
    } gegeben;

    void SatzBeginnen() { gegeben = Gegeben{}; }
};

} // namespace korvx
