#pragma once
// The machining cycles: drilling, the bolt-hole circle, the circular pocket
// (with an optional round island) and the rectangular pocket, the engraving
// of a text line (Gravur.h), and drilling at the tool position for the
// window's key. Every move goes through the straight move, so it is
// range-checked, drawn and sent; after a stopped move (Abbruch) nothing more
// is moved or sent and the reference counts as lost.
#include "interpreter/Laufzustand.h"
#include "interpreter/Zyklen.h"
#include "state/Punkt3D.h"

namespace korvx {

// The cycles the block end runs; the owning object holds one.
class Bearbeitungszyklen : public Zyklen {
public:
    void Ausfuehren(Laufumgebung& umgebung, Zyklusart art, const TPunkt3D& ziel) override;
};

// Drilling at `punkt` (x, y and the retract z): rapid to the approach height
// R2, feed to Bohrtiefe, rapid back to the point.
void Bohren(Laufumgebung u, const TPunkt3D& punkt);

// R24 holes evenly on a circle of diameter R1 about the current position,
// the first at R23 degrees counter-clockwise from +x, each drilled as above.
void Lochkreis(Laufumgebung u);

// Circular pocket of radius R24 about the x, y of `ziel`, around an island of
// radius R23 when that is greater than 0, down to Bohrtiefe in steps of R1;
// `ziel`.z is the retract height, and the tool ends at `ziel`.
void Kreistasche(Laufumgebung u, const TPunkt3D& ziel);

// Rectangular pocket between the corner where G84 was read and the X, Y read
// while it is active, down to Bohrtiefe in steps of R1; the tool ends at `ziel`.
void Rechtecktasche(Laufumgebung u, const TPunkt3D& ziel);

// The operator function "Bohren": after a confirmation, feed down by
// Bohrtiefe (relative to the current z) and rapid back up the same way.
void BohrenAnWerkzeugposition(Laufumgebung u);

} // namespace korvx
