#pragma once
// What the execution of a compensated path needs from the interpreter: the
// straight move and the few pieces of run state around it. The interpreter
// implements it; tests record the calls.
#include "state/Punkt3D.h"

#include <cstdint>
#include <string_view>

namespace korvx {

class Bahnausgabe {
public:
    virtual ~Bahnausgabe() = default;

    // The block's kind (1 line, 2 and 3 arc, 4 and 5 zero shift) becomes the
    // current motion kind.
    virtual void BewegungsartSetzen(std::uint8_t art) = 0;
    // Rapid (true) or working velocities for the following moves.
    virtual void GeschwindigkeitWaehlen(bool eilgang) = 0;
    // Shows the block text in the main window's block display.
    virtual void SatzZeigen(std::string_view satz) = 0;
    // Straight move in workpiece coordinates from `aktuell` to `ziel`; on
    // success `aktuell` becomes the target. Failures set `Abbruch` or
    // `Abgebrochen` in the machine state.
    virtual void Verfahren(TPunkt3D& aktuell, const TPunkt3D& ziel) = 0;
    // Shows a point with the caption "Zielpunkt (W)".
    virtual void ZielpunktZeigen(const TPunkt3D& punkt) = 0;
    // Cancels the zero shift as G53 does, from the current point (which it
    // corrects).
    virtual void NullpunktverschiebungAufheben(TPunkt3D& aktuell) = 0;
};

} // namespace korvx
