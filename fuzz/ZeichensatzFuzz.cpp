// Feeds arbitrary bytes to the stroke-font reader as if they were a font file
// already in the buffer: header, every glyph, measuring and drawing a text of
// every character at a small and a large height. Any read outside the buffer
// or undefined arithmetic stops the run.
#include "FuzzHilfe.h"
#include "fonts/Schrifttext.h"
#include "fonts/Strichschrift.h"
#include "fonts/Zeichensatz.h"
#include "state/Bediener.h"
#include "state/StillerBediener.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace korvx;

// Checks that a drawn line stays where a text box at (x, y) of this height can
// reach: 127 font units at the largest scale on either side.
class PruefLeinwand : public fuzz::ZaehlLeinwand {
public:
    PruefLeinwand() : ZaehlLeinwand(1000, 1000) {}
    long grenze = 0;
    void Linie(int x0, int y0, int x1, int y1) override {
        for (long v : {long(x0), long(y0), long(x1), long(y1)}) {
            if (v < -grenze || v > grenze) {
                std::abort();
            }
        }
    }
    int TextBreite(std::string_view) override { return 0; }
    int TextHoehe(std::string_view) override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse > kZeichensatzMaxGroesse) {
        return 0;
    }
    Zeichensatz z;
    z.Puffer.assign(daten, daten + groesse);
    z.Geladen = true;
    z.Datei = "fuzz.FNT";

    if (const auto kopf = KopfLesen(z.Puffer)) {
        for (int c = 0; c < 256; ++c) {
            (void)GlypheLesen(z.Puffer, *kopf, static_cast<std::uint8_t>(c));
        }
    }

    std::string text;
    for (int c = 1; c < 256; ++c) {
        text.push_back(static_cast<char>(c));
    }
    StillerBediener bedienung(false);
    PruefLeinwand leinwand;
    for (int hoehe : {1, 25, 400}) {
        // 255 glyphs of up to 255 units plus 127 units of reach, scaled by up
        // to `hoehe` pixels per unit.
        leinwand.grenze = 10 + long(hoehe) * (255L * 256 + 128);
        bool fehler = false;
        Ausdehnung a;
        TextAusmessen(z, bedienung, leinwand, hoehe, text, a, fehler);
        TextZeichnen(z, bedienung, leinwand, 0, 0, hoehe, text, fehler);
    }
    return 0;
}
