#pragma once
// The seam to the machining cycles and text engraving. The block end runs the
// active cycles through it at the block's target; while no implementation is
// set, a cycle word is an unknown G function.
#include "state/Punkt3D.h"

namespace korvx {

struct Laufumgebung;

enum class Zyklusart { Gravur, Bohren, Kreistasche, Rechtecktasche, Lochkreis };

class Zyklen {
public:
    virtual ~Zyklen() = default;
    // Runs one cycle at `ziel` (workpiece coordinates); every move goes
    // through the straight move. Failures set Abbruch or Abgebrochen.
    virtual void Ausfuehren(Laufumgebung& umgebung, Zyklusart art, const TPunkt3D& ziel) = 0;
};

} // namespace korvx
