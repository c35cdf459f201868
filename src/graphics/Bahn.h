#pragma once
// Drawing the tool path: one straight move or arc chord at a time, in the x-y
// projection, in the tool's colour, with a tool cursor at its end.
#include "graphics/Grafikzustand.h"
#include "graphics/Leinwand.h"
#include "state/Punkt3D.h"
#include "state/Werkzeug.h"

#include <cstdint>

namespace korvx {

// Display modes of the path (BahnDarstellung).
inline constexpr std::uint8_t kMittelpunktbahn = 0;     // centre line of the cutter
inline constexpr std::uint8_t kFraeserbahn = 1;         // outline of the band the cutter sweeps
inline constexpr std::uint8_t kFraeserbahnGefuellt = 2; // filled band

// Lightens a colour for a segment ending at depth z of a program spanning
// zOben … zUnten: with d = |(zOben − z) / range × 255| (at most 255, a range
// of 0 counting as 0.1 mm), every component moves d / 255 × 0.6 of its way
// to 255, so the deepest cut is still clearly seen on white. A segment that
// goes below zUnten makes it the new bottom of the range.
Farbe TiefenFarbe(Farbe farbe, double z, double zOben, double zUnten);

// Corners of the band of half-width w around the segment S → E, in world
// coordinates: the two "minus" corners form one side, the two "plus" corners
// the other.
struct TBandEcken {
    TPunkt3D sMinus, sPlus, eMinus, ePlus;
};
TBandEcken BandEcken(const TPunkt3D& s, const TPunkt3D& e, double w);

// Draws one move from `start` to `ende` (drawing coordinates) on the graphic's
// canvas with the current mapping. Uses the tool's diameter and colour number;
// `darstellung` is the display mode, `eilgang` marks a rapid move (dashed
// centre line). `ersterPunkt` is the first-point flag: while false the move
// starts at its own mapped start point, otherwise at the last end pixel; it is
// set afterwards. A rapid move without x-y extent draws nothing; a feed move
// only downwards in z is marked as a hole, a ring of the tool's diameter.
// Every move drawn is kept in the graphic's path list.
void BahnZeichnen(GrafikZugang anlage, const TPunkt3D& start, const TPunkt3D& ende,
                  const TWerkzeug& werkzeug, bool& ersterPunkt, std::uint8_t darstellung,
                  bool eilgang);

// Draws the graphic anew from its kept path: clears it, sets it up with axes
// for the current view and size, and draws every kept segment in display
// mode `darstellung`; the tool cursor goes to the last end point while a path
// is under way.
void BahnNeuZeichnen(GrafikZugang anlage, std::uint8_t darstellung);

} // namespace korvx
