#pragma once
// The geometry of cutter radius compensation: a programmed line or arc moved
// by the tool radius to one side of the contour, and the points where two
// such offset elements meet. Points are x-y pairs in TPunkt3D (z unused).
#include "state/Punkt3D.h"

#include <cstdint>

namespace korvx {

// Side of the contour the cutter keeps to.
enum : std::uint8_t { kKorrekturAus = 0, kKorrekturLinks = 1, kKorrekturRechts = 2 };

// Direction classes of a line. x class: 0 to the right, 1 to the left,
// 2 vertical upwards, 3 vertical downwards. y class: 0 vertical,
// 1 horizontal, 2 upwards, 3 downwards.
enum : std::uint8_t { kNachRechts = 0, kNachLinks = 1, kSenkrechtAuf = 2, kSenkrechtAb = 3 };
enum : std::uint8_t { kSenkrecht = 0, kWaagerecht = 1, kSteigend = 2, kFallend = 3 };

// y = steigung · x + abschnitt; for a vertical line `steigung` holds its x.
struct TKorrekturGerade {
    std::uint8_t xKlasse = kNachRechts;
    std::uint8_t yKlasse = kWaagerecht;
    double steigung = 0.0;
    double abschnitt = 0.0;

    bool Senkrecht() const { return yKlasse == kSenkrecht; }
};

struct TKorrekturKreis {
    double mx = 0.0; // centre, mm
    double my = 0.0;
    double radius = 0.0;
    std::uint8_t richtung = 0; // 0 clockwise, 1 counter-clockwise
    double bogen = 0.0;        // sweep and end angle of the programmed arc, degrees
    double endwinkel = 0.0;
};

// The line through s and e with its direction classes.
TKorrekturGerade GeradeEinordnen(const TPunkt3D& s, const TPunkt3D& e);
// p moved by r perpendicular to the line, to the given side of its direction.
TPunkt3D SeitlichVersetzen(const TKorrekturGerade& g, const TPunkt3D& p, double r,
                           std::uint8_t seite);
// The line moved by r to the given side (through the foot of the perpendicular
// from the origin, or the start point for a vertical line).
TKorrekturGerade GeradeVersetzen(const TKorrekturGerade& g, const TPunkt3D& start, double r,
                                 std::uint8_t seite);

// Radius of an arc's offset: a clockwise arc grows on the left and shrinks on
// the right, a counter-clockwise arc the other way round. A rounding residue
// of the programmed radius is snapped away with `nachkommastellen` decimals,
// one of the result with one more.
double KreisradiusVersetzen(double radius, bool imUhrzeigersinn, double r, std::uint8_t seite,
                            int nachkommastellen);

// Intersection of two lines that are not parallel.
TPunkt3D GeradenSchnitt(const TKorrekturGerade& a, const TKorrekturGerade& b);
// Intersections of a line and a circle (a point for radius 0); false when they
// do not meet or the radius is negative. For a non-vertical line p1 has the
// larger x, for a vertical line p1 is the upper point. A line that misses by
// no more than `toleranz` mm touches the circle at its point nearest the line
// (p1 = p2).
bool GeradeKreisSchnitt(const TKorrekturGerade& g, const TKorrekturKreis& k, double toleranz,
                        TPunkt3D& p1, TPunkt3D& p2);
// Intersections of two circles with different centres; false when they do not
// meet. p1 has the larger x, on equal x the larger y. Circles that miss by no
// more than `toleranz` mm touch at the first circle's point nearest the second.
bool KreisKreisSchnitt(const TKorrekturKreis& a, const TKorrekturKreis& b, double toleranz,
                       TPunkt3D& p1, TPunkt3D& p2);

} // namespace korvx
