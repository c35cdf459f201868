#pragma once
// Thin lines and circle outlines set straight into 32-bit pixels (0xffRRGGBB),
// for the figures the tool path draws by the million: a move's line and the
// tool cursor. Each figure touches every pixel of it exactly once, so drawing
// a not-xor figure twice gives the picture back. Coordinates may lie anywhere
// in the 32-bit range; only the part inside the image is visited.
#include "graphics/Leinwand.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvx::raster {

// The pixels: `zeilenLaenge` pixels from one row's start to the next.
struct Ziel {
    std::uint32_t* pixel = nullptr;
    int breite = 0;
    int hoehe = 0;
    std::ptrdiff_t zeilenLaenge = 0;
};

struct Stift {
    Farbe farbe = kSchwarz;
    // Not-xor: a pixel becomes NOT (pen XOR pixel); a black pen inverts.
    bool nichtXor = false;
    // Dash pattern in pixels, on and off in turn from the line's start; empty
    // for a solid line.
    std::span<const int> muster;
    // Gaps of a dashed line are painted in `grund` when set.
    bool deckend = false;
    Farbe grund = kWeiss;
};

// The pixel (x, y) in the colour, when it lies inside the image.
void Punkt(const Ziel& ziel, int x, int y, Farbe farbe);

// The line from (x0, y0) to (x1, y1) one pixel wide. Along its longer axis
// it covers the pixels from the lower coordinate up to, not including, the
// higher one, whichever way it is drawn, and the dash pattern starts at the
// lower end; a line of length 0 draws nothing.
void Linie(const Ziel& ziel, int x0, int y0, int x1, int y1, const Stift& stift);

// The outline of the circle of radius r around (mx, my), one pixel wide,
// reaching from mx − r to mx + r; a radius below 1 draws nothing. The time
// grows with r (about r steps), so callers keep r to a few image sizes.
void Kreis(const Ziel& ziel, int mx, int my, int r, const Stift& stift);

} // namespace korvx::raster
