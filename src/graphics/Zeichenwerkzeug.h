#pragma once
// Small drawing steps on a canvas shared by the graphic, the fonts and the
// font viewer.
#include "graphics/Leinwand.h"
#include "state/Bediener.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace korvx {

// Pen style by number (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 clear, 6 inside-frame) and pen width. An unknown style is reported with
// "Unbekannter Linienstil!" and only the width is set.
void LinienStil(Leinwand& leinwand, Bediener& bediener, int stil, int breite);

// Circle of radius r around (x, y): outlined with the pen, filled with the brush.
// A centre at the edge of the 32-bit range (a point mapped far outside the
// picture) keeps its box inside that range.
inline void Kreis(Leinwand& leinwand, int x, int y, int r) {
    const auto rand = [](std::int64_t wert) {
        return static_cast<int>(std::clamp<std::int64_t>(wert, std::numeric_limits<int>::min(),
                                                         std::numeric_limits<int>::max()));
    };
    const std::int64_t mx = x;
    const std::int64_t my = y;
    leinwand.Ellipse(rand(mx - r), rand(my - r), rand(mx + r), rand(my + r));
}

} // namespace korvx
