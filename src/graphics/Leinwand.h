#pragma once
// The canvas the logic draws on. The Qt part implements it on a QImage; tests
// use a recording canvas that logs every call.
#include "state/Farbe.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace korvx {

inline constexpr Farbe kSchwarz = 0x000000;
inline constexpr Farbe kWeiss = 0xFFFFFF;
inline constexpr Farbe kBlau = 0x0000FF;

enum class StiftStil : std::uint8_t {
    Durchgezogen = 0,
    Strich = 1,
    Punktiert = 2,
    StrichPunkt = 3,
    StrichPunktPunkt = 4,
    Unsichtbar = 5,
    InnenRahmen = 6,
};

// Copy paints the pen colour; NichtXor sets each pixel to NOT (pen XOR pixel),
// so a black pen inverts and drawing the same figure twice restores the picture.
enum class RasterModus : std::uint8_t { Kopieren, NichtXor };

// A solid brush fills ellipses, polygons and the background of text; a clear
// one leaves them transparent.
enum class PinselStil : std::uint8_t { Voll, Leer };

// Everything the pen holds, so that a drawing step can put it back.
struct StiftZustand {
    Farbe farbe = kSchwarz;
    StiftStil stil = StiftStil::Durchgezogen;
    int breite = 1; // pixels
    RasterModus modus = RasterModus::Kopieren;

    friend bool operator==(const StiftZustand&, const StiftZustand&) = default;
};

class Leinwand {
public:
    virtual ~Leinwand() = default;

    virtual int Breite() const = 0;
    virtual int Hoehe() const = 0;

    // One pixel in the given colour; the pen takes that colour too.
    virtual void Punkt(int x, int y, Farbe farbe) = 0;
    // Line from (x0, y0) to (x1, y1) with the pen; the end pixel is not set.
    virtual void Linie(int x0, int y0, int x1, int y1) = 0;
    virtual void StiftFarbe(Farbe farbe) = 0;
    virtual void StiftArt(StiftStil stil, int breite) = 0;
    virtual void StiftModus(RasterModus modus) = 0;
    virtual StiftZustand StiftLesen() const = 0;
    virtual void PinselFarbe(Farbe farbe) = 0;
    virtual Farbe PinselFarbeLesen() const = 0;
    virtual void PinselArt(PinselStil stil) = 0;
    virtual PinselStil PinselArtLesen() const = 0;
    // Ellipse through the box (x0, y0)–(x1, y1): outlined with the pen, filled
    // with the brush.
    virtual void Ellipse(int x0, int y0, int x1, int y1) = 0;
    // Closed polygon: outlined with the pen, filled with the brush.
    virtual void Polygon(std::span<const std::pair<int, int>> punkte) = 0;
    // Text (Windows-1252) in black with its top-left corner at (x, y), on the
    // brush colour when the brush is solid; and its extents in pixels.
    virtual void Text(int x, int y, std::string_view text) = 0;
    virtual int TextBreite(std::string_view text) = 0;
    virtual int TextHoehe(std::string_view text) = 0;
    // Fills the whole canvas with the brush colour.
    virtual void Loeschen() = 0;
    // Makes what was drawn visible (a window repaints; an image does nothing).
    virtual void Aktualisieren() = 0;
    // The picture as the bytes of a Windows bitmap file; empty when it cannot
    // be encoded.
    virtual std::vector<std::uint8_t> Bitmap() = 0;
};

} // namespace korvx
