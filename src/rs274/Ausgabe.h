#pragma once
// Writes the blocks of the converted program: comment lines, numbered blocks
// N10, N20, … with absolute millimetre coordinates rounded to 0.001 mm, and
// the extents of the path. Only the axes whose written value changes are
// written, so a block says exactly what the source moves.
#include "rs274/Umsetzer.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvx::rs274 {

struct P3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

// Our reader takes at most 10 characters of a number.
constexpr std::size_t kZahlZeichen = 10;
// Above this many blocks the conversion is refused: the program would not fit
// a run of reasonable length.
constexpr std::size_t kHoechstBloecke = 5'000'000;

// Appends the decimal digits of n.
void GanzzahlAnhaengen(std::string& s, long n);
// v rounded to 0.001 mm, as written.
double Gerundet(double v);
// Appends v with at most `nachkomma` decimals, trailing zeros dropped ("10",
// "-0.5", "0.254"); false when the text would not fit our reader.
bool ZahlAnhaengen(std::string& s, double v, int nachkomma);

class Ausgabe {
public:
    explicit Ausgabe(Umsetzung& u) : u_(u) {}

    // A comment line "(text)", cut to 80 characters; ")" inside becomes "]".
    void Kommentar(std::string_view text);
    // A block of the given words: "N<nr> " + woerter.
    bool Satz(std::string_view woerter);
    // A straight move to `ziel` with G00 (eilgang) or G01 and the feed text
    // (F and its value, written on every G01 block). Axes whose written value
    // does not change are left out; nothing is written when none changes. An
    // axis never written yet stands wherever the machine is: it is written
    // when the source names it (`genannt`, x y z) or moves it.
    // False when a value does not fit our number format.
    bool Gerade(bool eilgang, const P3& ziel, std::string_view vorschub, const bool genannt[3]);
    // Our arc G02 (richtung 2) or G03 to (x, y) around (x, y) of the last
    // block + (i, j); all four values are written, as our I and J are modal.
    bool Kreis(int richtung, double x, double y, double i, double j, std::string_view vorschub);
    // The last written x and y, when both have been written.
    bool XYBekannt() const { return bekannt_[0] && bekannt_[1]; }
    double X() const { return letzte_[0]; }
    double Y() const { return letzte_[1]; }
    // Widens the extents by a point of the path, on the axes written so far.
    void Punkt(double x, double y, double z);
    bool ZuLang() const { return u_.bloecke.size() >= kHoechstBloecke; }

private:
    bool Achse(char adresse, int index, double wert, bool immer);
    bool UnbekannteAchse(char adresse, int index, double wert, bool genannt);

    Umsetzung& u_;
    std::string satz_;
    int nummer_ = 0;
    double letzte_[3] = {0.0, 0.0, 0.0};
    bool bekannt_[3] = {false, false, false};
    // Where the source stands on each axis, also on those never written.
    double quelle_[3] = {0.0, 0.0, 0.0};
    // The axes that have entered the extents.
    bool erfasst_[3] = {false, false, false};
};

} // namespace korvx::rs274
