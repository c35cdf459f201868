#pragma once

namespace korvx {

// A point or a displacement in millimetres: positions, zero points, limits and
// move end points, in machine (M) or workpiece (W) coordinates.
struct TPunkt3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const TPunkt3D&, const TPunkt3D&) = default;
};

} // namespace korvx
