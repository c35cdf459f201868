#pragma once
// Choosing the tool in use and showing it: the logic behind the tool choice
// dialog and the main window's three tool labels.
#include "state/Maschinenzustand.h"
#include "state/Punkt3D.h"
#include "state/Werkzeug.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace korvx {

// Shows the tool in the main window's tool labels: "Werkzeug T<n> Benennung:
// <name>", "Länge: <l>", "Durchmesser: <d>" (two decimals). Only while the tool
// display is enabled.
void WkzAnzeigen(WkzZugang anlage, const TWerkzeug& werkzeug);

// The six cells of a tool's row in the choice and entry grids: number, name,
// length, diameter, useful length (two decimals) and colour number.
std::array<std::string, 6> WkzZellen(const Zahlenformat& format, const TWerkzeug& werkzeug);

enum class WkzWahl {
    Unveraendert,  // number 0: the tool in use stays
    Gewaehlt,      // the tool became the tool in use
    NichtGelistet, // no such tool; the operator was told, the dialog stays open
    NichtGefahren, // the compensating move failed; the old tool stays in use
};

// Makes tool `nummer` the tool in use ("Übernehmen" of the choice dialog).
// With the reference known, the spindle is first raised or lowered by the
// difference of the two lengths through `positionieren` (the positioning move
// to a point in workpiece coordinates, true when it arrived), and the tool
// position is then kept as it was, since the new tool's tip is where the old
// one's was; the length offset follows the new tool. When the move fails the
// old tool stays in use. Without the reference the tool is taken over with no
// move. Except for a number not in the list, the tool in use is shown
// afterwards.
WkzWahl WkzWaehlen(WkzZugang anlage, std::uint8_t nummer,
                   const std::function<bool(const TPunkt3D&)>& positionieren);

} // namespace korvx
