#pragma once
// Arc interpolation in the x-y plane: one arc at a time is turned into points
// on the arc, one call per point, each then reached by a straight chord. The
// state of the current arc lives in a TKreis owned by the Anlage; cutter
// radius compensation also reads its sweep and end angle.
#include "state/Punkt3D.h"

#include <cstdint>
#include <string_view>

namespace korvx {

class Bediener;

// Directions of an arc, as the G word says.
enum : int { kKreisImUhrzeigersinn = 2, kKreisGegenUhrzeigersinn = 3 };

// The current arc. Angles in degrees, lengths in millimetres; "erste" and
// "zweite" are the x and y coordinates (the caller keeps z).
struct TKreis {
    double schrittwinkel = 1.0; // advanced per point; persists across arcs
    TPunkt3D start;
    double endeErste = 0.0; // end point and centre offsets as passed
    double endeZweite = 0.0;
    double I = 0.0;
    double J = 0.0;
    double radius = 0.0;
    double mitteErste = 0.0;
    double mitteZweite = 0.0;
    double startwinkel = 0.0; // 0 ≤ a < 360, seen from the centre
    double endwinkel = 0.0;
    double bogen = 0.0;         // angle to travel, 0 < bogen ≤ 360
    double zurueckgelegt = 0.0; // angle travelled so far
    bool fehler = false;        // the arc data were rejected
};

// Mode 0: coarse steps of 10 degrees; mode 1: fine steps of 1 degree; any
// other mode keeps the step.
void KreisSchrittWaehlen(TKreis& kreis, int modus);

// Sets up a new arc from `start` to (endeErste, endeZweite) around the centre
// start + (I, J), clockwise for direction 2 and counter-clockwise otherwise.
// True for a valid arc. Rejected data (radius 0, end point 0.01 mm or more
// outside the circle, end point on the centre) are reported and set the error
// flag; false then.
[[nodiscard]] bool KreisInitialisieren(TKreis& kreis, Bediener& bediener, int richtung,
                                       const TPunkt3D& start, double endeErste, double endeZweite,
                                       double I, double J);

// One point of the arc; `fertig` marks the last, which is exactly the
// programmed end point.
struct Kreispunkt {
    double erste = 0.0;
    double zweite = 0.0;
    bool fertig = false;
};

// Advances by one step and yields the next point. With the error flag set the
// block text is reported and the arc's start comes back as its last point, so
// that a loop over the points cannot run on and nothing moves.
[[nodiscard]] Kreispunkt KreisNaechsterPunkt(TKreis& kreis, Bediener& bediener,
                                             std::string_view satz, int richtung);

// Angle in degrees, 0 ≤ a < 360, of the point (d1, d2) seen from the centre, by
// quadrant; false (angle −1) for the centre itself.
bool KreisWinkel(double d1, double d2, double& winkel);
// Angle to travel from the start to the end angle in the given direction,
// 0 < result ≤ 360; equal angles make a full circle.
double KreisBogen(int richtung, double startwinkel, double endwinkel);

// v replaced by the nearest tenth when it lies within 0.01 of it.
double AufZehntelFangen(double v);

} // namespace korvx
