#pragma once
// Measuring and drawing a text in the current stroke font. Both read the font
// file when the buffer is not marked loaded; measuring then marks it, drawing
// does not, so a drawing alone always reads the file afresh.
#include "fonts/Zeichensatz.h"
#include "graphics/Leinwand.h"
#include "state/Bediener.h"

#include <string_view>

namespace korvx {

struct Ausdehnung {
    int breite = 0; // pixels
    int hoehe = 0;
};

// Width and height of `text` (Windows-1252, at most 255 characters count) at a
// cap height of `hoehe` pixels. `fehler` is set when the font cannot be used.
void TextAusmessen(Zeichensatz& zeichensatz, Bediener& bediener, Leinwand& leinwand, int hoehe,
                   std::string_view text, Ausdehnung& ausdehnung, bool& fehler);

// Draws `text` in black with the top of its box at (x, y): the baseline lies at
// y + hoehe. Characters the font lacks are skipped.
void TextZeichnen(Zeichensatz& zeichensatz, Bediener& bediener, Leinwand& leinwand, int x, int y,
                  int hoehe, std::string_view text, bool& fehler);

} // namespace korvx
