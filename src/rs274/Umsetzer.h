#pragma once
// Converts RS274/NGC G-code, as CAM programs write it, into a part program of
// our own dialect: absolute millimetre blocks numbered N10, N20, … that the
// interpreter runs like any hand-written program. What the conversion cannot
// reproduce exactly is refused as a whole; nothing is half converted.
#include <string>
#include <string_view>
#include <vector>

namespace korvx::rs274 {

struct Umsetzoptionen {
    // File name shown in the program's first comment block (Windows-1252).
    std::string quellname;
    // The controller interpolates x, y and z together (3D mode "@0z1"), so a
    // move in x/y and z together may stay one straight move.
    bool raum3D = false;
};

// Something the conversion dropped or changed, with its source line (from 1).
struct Hinweis {
    int zeile = 0;
    std::string text; // Windows-1252
};

// Extents of the converted path in workpiece coordinates, mm.
struct Ausdehnung {
    bool leer = true;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0, zmin = 0, zmax = 0;
};

struct Umsetzung {
    bool ok = false;
    // The blocks of the program, Windows-1252, at most 80 characters each,
    // without line ends. Empty when refused.
    std::vector<std::string> bloecke;
    std::vector<Hinweis> hinweise;
    // The refusal when !ok: a German message naming the word and its line.
    std::string ablehnung;
    int ablehnungszeile = 0;
    Ausdehnung ausdehnung;
};

[[nodiscard]] Umsetzung Umsetzen(std::string_view quelltext, const Umsetzoptionen& optionen);

// True for a name that ends in .nc, .ngc, .gcode, .gc or .tap, in any case.
[[nodiscard]] bool IstRs274Name(std::string_view dateiname);

} // namespace korvx::rs274
