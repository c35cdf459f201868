#pragma once
// Arcs of the source in their plane: (a, b) are the plane's two axes in the
// order the arc's direction refers to (x-y for G17, z-x for G18, y-z for
// G19), l the third axis, which a helix moves linearly along the arc. When
// the end lies a little off the start's circle the radius changes linearly
// with the angle (a spiral), as LinuxCNC moves it.
#include <vector>

namespace korvx::rs274 {

struct Bogen {
    double a0 = 0, b0 = 0, l0 = 0; // start
    double a1 = 0, b1 = 0, l1 = 0; // end
    double ma = 0, mb = 0;         // centre
    bool gegenUhrzeiger = false;   // G3
    // Set by BogenBerechnen:
    double r0 = 0, r1 = 0; // radius at the start and at the end
    double w0 = 0;         // start angle, radians
    double bogen = 0;      // angle travelled, 0 < bogen ≤ 2π
};

// Radii and angles from start, end, centre and direction; equal start and end
// angles make a full circle.
void BogenBerechnen(Bogen& b);
// The point a fraction t (0 … 1) along the arc.
void BogenPunkt(const Bogen& b, double t, double& a, double& bb, double& l);
// Number of chords that keep every chord within `toleranz` of the arc.
int SehnenAnzahl(const Bogen& b, double toleranz);
// Distance in the plane from (a, bb) to the arc.
double AbstandZumBogen(const Bogen& b, double a, double bb);

// True when our own arc (1 degree steps, radius, centre and angles snapped to
// tenths) run from the written start (xs, ys) to (xe, ye) around
// (xs + i, ys + j) stays within `toleranz` of the source arc `b` (G17, no z
// change). Its points are appended to `punkte` (x, y pairs).
bool EigenerKreisPasst(const Bogen& b, double xs, double ys, double xe, double ye, double i,
                       double j, double toleranz, std::vector<double>& punkte);

} // namespace korvx::rs274
