#pragma once
// Cutter radius compensation: while it is on, the contour's blocks are
// collected, then the path of the cutter centre is computed (every element
// moved by the tool radius to the chosen side, each corner where neighbouring
// offset elements meet) and executed move by move.
#include "geometry/Korrekturgeometrie.h"
#include "state/Punkt3D.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvx {

class Bahnausgabe;
class Bediener;
struct Maschinenzustand;
struct TKreis;

// What computing and executing a compensated path works on. Anything that
// holds members of these names (the owning object, the interpreter's run
// context) converts to it.
struct KorrekturZugang {
    Bediener& bediener;
    Maschinenzustand& zustand;
    TKreis& kreis;

    template <class T>
    KorrekturZugang(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), zustand(t.zustand), kreis(t.kreis) {}
};
struct TWerkzeug;

// Kinds of collected blocks.
enum : std::uint8_t {
    kSatzGerade = 1,
    kSatzKreisUhr = 2,         // G02
    kSatzKreisGegenUhr = 3,    // G03
    kSatzNullpunkt = 4,        // G54 shift, carried through
    kSatzNullpunktAufheben = 5 // G53, carried through
};

struct TKorrekturSatz {
    std::uint8_t art = kSatzGerade;
    TPunkt3D start; // workpiece coordinates
    TPunkt3D ende;  // for kind 4: the new zero point in machine coordinates
    double I = 0.0; // arc centre relative to the start (arcs only)
    double J = 0.0;
    std::uint8_t vorschubart = 0; // 1 rapid, 0 working velocities
    std::string satz;             // source block, at most 80 characters
};

using TKorrekturListe = std::vector<TKorrekturSatz>;

// Appends one block and returns whether it was appended. Lines and arcs run
// from `aktuell` to `ende`, which then becomes the current point; one that
// ends where it starts (x, y and z) is dropped. Zero-shift blocks (kinds 4
// and 5) are always appended and leave the current point alone: kind 4
// carries its zero point in `ende`, kind 5 only its kind, feed mode and text.
bool KorrekturSatzAnhaengen(TKorrekturListe& liste, std::uint8_t art, const TPunkt3D& ende,
                            double I, double J, std::uint8_t vorschubart, std::string_view satz,
                            TPunkt3D& aktuell);

// Builds the compensated path from the collected blocks and empties them.
// `aktuell` is the point where compensation was switched on; afterwards it is
// the end of the compensated path. Returns false, with an empty result, when
// two offset arcs do not meet or share their centre: the run must stop then.
[[nodiscard]] bool KorrekturBerechnen(KorrekturZugang anlage, TKorrekturListe& programm,
                                      TKorrekturListe& korrigiert, const TWerkzeug& werkzeug,
                                      std::uint8_t seite, TPunkt3D& aktuell);

// Executes a compensated path from `aktuell` (workpiece coordinates, updated
// as the moves complete; the machine position follows) until its end or a
// stop (`Abgebrochen` or `Abbruch`).
void KorrekturAusfuehren(KorrekturZugang anlage, Bahnausgabe& ausgabe, const TKorrekturListe& liste,
                         TPunkt3D& aktuell);

void KorrekturListeFreigeben(TKorrekturListe& liste);

} // namespace korvx
