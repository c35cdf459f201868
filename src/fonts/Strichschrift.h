#pragma once
// Reading a stroke font (".FNT", the classic stroked-font layout) from its
// bytes. Every offset and count taken from the file is checked against the
// buffer, so a damaged file can make a glyph empty or the font unusable, but
// never makes the reader leave the buffer.
//
// Layout (little-endian): free text ended by 0x1A within the first 128 bytes,
// then the 2-byte offset H of the header. At H: signature, count n (2 bytes, low
// byte used), unused, first code, stroke data offset (2 bytes, from H), unused,
// top (unsigned), unused, bottom (signed), 5 unused; then n 2-byte stroke
// offsets (from the stroke data) and n advance widths. A stroke command is two
// bytes: bit 7 of each forms the opcode, the low 7 bits are x and y as 7-bit
// two's complement, y upwards from the baseline.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvx {

struct Schriftkopf {
    std::size_t kopf = 0;           // H
    std::uint8_t anzahl = 0;        // glyphs in the font
    std::uint8_t erstesZeichen = 0; // code of the first glyph
    std::size_t strichdaten = 0;    // absolute offset of the stroke data
    std::uint8_t oben = 0;          // baseline to the top of capitals, font units
    std::int8_t unten = 0;          // baseline to the bottom of descenders (negative)

    // Top minus bottom, as an 8-bit value; never 0 in a header that was read.
    std::uint8_t Zeichenhoehe() const { return static_cast<std::uint8_t>(oben - unten); }
};

// The header; none when there is no 0x1A in the first 128 bytes, when the
// header or its two tables do not lie inside the buffer, or when top or the
// cap height is 0 (nothing could be scaled to it).
std::optional<Schriftkopf> KopfLesen(std::span<const std::uint8_t> puffer);

enum class Strichart : std::uint8_t { Ende = 0, Nichts = 1, Bewegen = 2, Zeichnen = 3 };

struct Strichbefehl {
    Strichart art;
    int x; // font units, -64 … 63
    int y;
};

// Decodes one two-byte stroke command.
Strichbefehl StrichDekodieren(std::uint8_t b1, std::uint8_t b2);

struct Glyphe {
    std::uint8_t breite = 0;           // advance width, font units
    std::vector<Strichbefehl> striche; // up to, without, the end command
};

// The glyph of a font code; none when the code lies outside the font. Strokes
// that would run past the buffer end the glyph there.
std::optional<Glyphe> GlypheLesen(std::span<const std::uint8_t> puffer, const Schriftkopf& kopf,
                                  std::uint8_t schriftcode);

// Windows-1252 character → the font's DOS code page.
std::uint8_t Schriftcode(std::uint8_t ansi);

} // namespace korvx
