#pragma once
// A drawing surface of the font viewer: an image that grows downwards as lines
// of text and character tables are written on it, with its write position.
#include "graphics/qt/BildLeinwand.h"

#include <string_view>

namespace korvx {

class Bediener;
struct Zeichensatz;

class Schriftflaeche {
public:
    // The codes a character table shows.
    static constexpr int kErsterCode = 32;
    static constexpr int kLetzterCode = 255;

    Schriftflaeche(int breite, int hoehe) : leinwand_(breite, hoehe) {}

    BildLeinwand& Leinwand() { return leinwand_; }
    const QImage& Bild() { return leinwand_.Bild(); }
    int Breite() const { return leinwand_.Breite(); }
    int Hoehe() const { return leinwand_.Hoehe(); }

    // White, of the given size, writing from the top left again.
    void Neu(int breite, int hoehe);

    // Writes `text` as a new line at height `hoehe`, widening the image when
    // the text does not fit and lengthening it as lines are added. False when
    // the font could not be used (the operator was told; the position starts
    // at the top again).
    bool Zeile(Zeichensatz& zeichensatz, Bediener& bediener, int hoehe, std::string_view text);

    // Writes the header `kopf` and a table of the characters 32 to 255 at
    // height `s`: per cell a separator, the code and the character. Returns
    // the number of cells drawn.
    int Tabelle(Zeichensatz& zeichensatz, Bediener& bediener, int s, std::string_view kopf);

    // Write position.
    int x = 0;
    int y = 0;

private:
    // Lengthens the image while y comes within s + 15 pixels of its bottom.
    void Platz(int s);
    // The top and bottom lines of a table row ending at x.
    void ZeileSchliessen(int s);

    BildLeinwand leinwand_;
};

} // namespace korvx
