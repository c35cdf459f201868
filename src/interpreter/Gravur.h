#pragma once
// Engraving one text line in the current stroke font: moves between strokes
// at rapid speed with the tool raised, strokes at feed speed at Bohrtiefe.
#include "interpreter/Laufzustand.h"
#include "state/Punkt3D.h"

namespace korvx {

// Engraves the block's H text (Windows-1252) with its baseline origin at the
// x, y of `start`, raising the tool to `start`.z between strokes; B is the
// height over the engraved strokes, A the direction of the line in degrees,
// R2 the approach height. The font file is read afresh every time. A missing
// or unusable font sets Abgebrochen; an empty text engraves nothing.
void Gravieren(Laufumgebung u, const TPunkt3D& start);

} // namespace korvx
