#pragma once
// Small drawing steps on a canvas shared by the graphic, the fonts and the
// font viewer.
#include "graphics/Leinwand.h"
#include "state/Bediener.h"

namespace korvx {

// Pen style by number (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 clear, 6 inside-frame) and pen width. An unknown style is reported with
// "Unbekannter Linienstil!" and only the width is set.
void LinienStil(Leinwand& leinwand, Bediener& bediener, int stil, int breite);

// Circle of radius r around (x, y): outlined with the pen, filled with the brush.
inline void Kreis(Leinwand& leinwand, int x, int y, int r) {
    leinwand.Ellipse(x - r, y - r, x + r, y + r);
}

} // namespace korvx
