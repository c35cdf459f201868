#pragma once
// What the simulation graphic keeps between drawing calls. One instance lives
// in the Anlage object.
#include "graphics/Abbildung.h"
#include "graphics/Bahnspeicher.h"
#include "graphics/Leinwand.h"

#include <optional>

namespace korvx {

class Bediener;
class Zahlenformat;
struct Maschinenzustand;
struct Grafikzustand;

// What drawing works on: the operator, the number format, the machine state
// and the graphic's state. Anything that holds members of these names (the
// owning object, the interpreter's run context) converts to it.
struct GrafikZugang {
    Bediener& bediener;
    const Zahlenformat& format;
    Maschinenzustand& zustand;
    Grafikzustand& grafik;

    template <class T>
    GrafikZugang(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), format(t.format), zustand(t.zustand), grafik(t.grafik) {}
};

struct Grafikzustand {
    TAbbildung abbildung;

    // The world window the operator zoomed or panned to; while empty the
    // graphic shows the display limits of the settings. Either is fitted to
    // the canvas with one scale for x and y.
    std::optional<Weltfenster> ansicht;

    // Canvas of the simulation graphic (the main window's image, or the
    // runner's image); null while there is none, and then nothing is drawn.
    Leinwand* bild = nullptr;

    // First-point flag: false until the first segment after a clear has been
    // drawn; while false a segment starts at its own start point and no old
    // tool cursor is erased.
    bool ErsterPunkt = false;
    // Pixel end point of the last segment (column, image row).
    int letzteSpalte = 0;
    int letzteZeile = 0;
    // Pixel start of the segment being drawn.
    int startSpalte = 0;
    int startZeile = 0;
    // Radius in pixels of the tool cursor now on the picture, so that it is
    // erased with the circle it was drawn with.
    int cursorRadius = 0;

    // Depth shading: segments ending at z ≤ 0 are drawn lighter the deeper
    // they end. Off while a text is engraved.
    bool Tiefenschattierung = true;
    // Highest and lowest programmed z of the loaded part program, mm.
    double zOben = 0.0;
    double zUnten = 0.0;
    // The last shaded colour worked out: the moves of a cut mostly end at
    // one depth, and the shade costs a division each time.
    struct Schattierung {
        Farbe grund = 0;
        double z = 0.0;
        double oben = 0.0;
        double unten = 0.0;
        Farbe farbe = 0;
        bool gueltig = false;
    } letzteSchattierung;

    // The graphic holds drawn path elements (cleared with the graphic).
    bool Gezeichnet = false;
    // Every segment drawn since the graphic was last cleared, for redrawing;
    // kept only where the picture can be drawn again (the window), so a
    // picture drawn once (the runner's) costs no time or memory for it.
    bool bahnBehalten = false;
    Bahnspeicher bahn;
};

} // namespace korvx
