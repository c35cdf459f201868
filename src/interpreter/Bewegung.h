#pragma once
// The one straight-move operation every movement goes through (program
// blocks, arc chords, compensated contours, cycles, tool changes, manual
// positioning), the speed arithmetic of F and S, and the displays around it.
#include "interpreter/Laufzustand.h"
#include "state/Punkt3D.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace korvx {

// Straight move in workpiece coordinates from `aktuell` to `ziel`: range
// check against the protection zone, the distances corrected by the
// read-back position (machine modes), step counts and duration; then the move
// goes to the output of the graphic mode (Fahrausgabe.h), which draws, sends
// and waits as the mode says. On success `aktuell` becomes the target and the
// machine position follows; true then. False when nothing was moved or the
// move was stopped: a protection-zone violation sets Abgebrochen and Abbruch,
// a stop during the move marks the reference lost.
bool Geradeverfahren(Laufumgebung u, TPunkt3D& aktuell, const TPunkt3D& ziel);

// Options of the machine-coordinate form.
struct MFahrt {
    std::int32_t mindestDauerMs = 0; // the reply wait allows at least this long
    bool zHochAlsZweitesZ = false;   // a z move upwards goes in the second-z slot
};

// The same in machine coordinates for manual positioning: `aktuellM` to
// `zielM`, nothing drawn, the W position follows.
bool GeradeverfahrenM(Laufumgebung u, TPunkt3D& aktuellM, const TPunkt3D& zielM,
                      MFahrt optionen = {});

// A straight move from the tool position to `ziel` for the cycles and the
// engraving: false when the work must stop (a stopped move marks the
// reference lost and ends the run).
bool Weiterfahren(Laufumgebung u, const TPunkt3D& ziel);

// Marks the reference as lost: ReferenzAngefahren false, "999,99" (with the
// locale's separator) in the
// coordinate fields, the target caption emptied, "Referenzgeschwindigkeit" in
// the velocity label.
void ReferenzVerloren(Laufumgebung u);

// Writes the caption and the point (two decimals) into the coordinate fields.
void PunktZeigen(Laufumgebung u, std::string_view titel, const TPunkt3D& punkt);
// Shows PositionM as x/y/z in the hint line.
void PositionMZeigen(Laufumgebung u);
// "Verfahrgeschwindigkeit: G00" or "…: G01" by EilgangAktiv.
void GeschwindigkeitZeigen(Laufumgebung u);

// F word and S word (feed and spindle speed) as the modal state says; false
// when the run must end (an S with cutting speed and a tool without diameter).
void VorschubSetzen(Laufumgebung u, double f);
bool DrehzahlSetzen(Laufumgebung u, double s);
// Spindle speed level for an S word in G97: the first of 750, 1500, 3000, …
// that is greater than s / 2.
double DrehzahlAusS(double s);
// x, y and z1 of the working velocities := v.
void BahnvorschubSetzen(Laufumgebung u, double v);

// Feed override: one step up (richtung > 0) or down (richtung < 0) from
// `prozent`, kept within kVorschubMin … kVorschubMax.
std::int32_t VorschubSchritt(std::int32_t prozent, int richtung);
// Whether `prozent` is a valid override (in range, a multiple of the step).
bool VorschubGueltig(std::int32_t prozent);
// The step rates `raten` scaled by `prozent` and limited to the controller's
// 21 … 10000; 100 leaves them as they are.
std::array<std::int32_t, 4> RatenSkaliert(const std::array<std::int32_t, 4>& raten,
                                          std::int32_t prozent);

} // namespace korvx
