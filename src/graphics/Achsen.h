#pragma once
// Coordinate axes of the simulation graphic and its preparation for a run.
#include "graphics/Abbildung.h"
#include "graphics/Grafikzustand.h"
#include "graphics/Leinwand.h"
#include "state/Zahlenformat.h"

namespace korvx {

struct AchsenEinstellung {
    // Displayed world window, mm.
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;
    // Tick spacing, mm; 0 draws that axis without ticks and labels.
    double weiteX = 0.0;
    double weiteY = 0.0;
    // Dotted grid lines across the image at every tick.
    bool raster = true;
    // Tick labels: fixed-point with this precision and these decimals.
    Zahlenformat format;
    int praezision = 10;
    int nachkommastellen = 2;
};

// Most ticks drawn per axis. Ticks closer than a pixel would otherwise let a
// tiny spacing keep the drawing busy for hours.
inline constexpr int kMaxTeilstriche = 65536;

// Defines the mapping from the world window, fitted with one scale for x and
// y and centred, onto the whole canvas and draws
// both axes with arrow heads, ticks, labels, grid, captions "x" and "y" and a
// frame around the image, in black on a white brush.
void AchsenZeichnen(Leinwand& leinwand, TAbbildung& abbildung, const AchsenEinstellung& e);

// Prepares the graphic for a run from the view the operator chose, or else
// the display limits: with axes as above,
// without them only the mapping (the same one). Afterwards the pen is solid,
// width 1, blue, and the brush white. Does nothing without a canvas.
void GrafikEinrichten(GrafikZugang anlage, bool mitAchsen);

// Clears the graphic to white and starts a new path: the next segment starts
// at its own start point and erases no cursor; the kept path is emptied.
void GrafikLoeschen(GrafikZugang anlage);

} // namespace korvx
