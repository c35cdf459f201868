#pragma once
// Builds collected contours for the compensation tests.
#include "anlage/Anlage.h"
#include "geometry/Korrektur.h"
#include "state/Werkzeug.h"
#include "support/FakeBediener.h"

#include <cmath>
#include <string>

namespace korvx::test {

// "N<n>", the block text the contour builder gives block n. Appended, not
// "N" + std::to_string(n): that makes GCC 12 at -O3 warn falsely about
// overlapping copies (-Wrestrict).
inline std::string Satzname(std::size_t n) {
    std::string s = "N";
    s += std::to_string(n);
    return s;
}

struct KonturBau {
    FakeBediener bediener;
    Anlage anlage{bediener, Zahlenformat('.')};
    TKorrekturListe programm;
    TKorrekturListe korrigiert;
    TPunkt3D aktuell; // end of the collected contour
    TPunkt3D anfang;  // where compensation was switched on
    TPunkt3D ende;    // end of the compensated path
    bool stop = false;
    int nummer = 0;

    explicit KonturBau(TPunkt3D start = {}) : aktuell(start), anfang(start) {}

    std::string Naechste() { return Satzname(nummer += 10); }
    bool Satz(std::uint8_t art, TPunkt3D ziel, double i = 0, double j = 0, std::uint8_t eil = 0) {
        return KorrekturSatzAnhaengen(programm, art, ziel, i, j, eil, Naechste(), aktuell);
    }
    void G1(double x, double y, double z = 0) { Satz(kSatzGerade, {x, y, z}); }
    void G2(double x, double y, double i, double j) {
        Satz(kSatzKreisUhr, {x, y, aktuell.z}, i, j);
    }
    void G3(double x, double y, double i, double j) {
        Satz(kSatzKreisGegenUhr, {x, y, aktuell.z}, i, j);
    }
    bool Berechnen(double durchmesser, std::uint8_t seite) {
        TWerkzeug w = KeinWerkzeug();
        w.Durchmesser = durchmesser;
        ende = anfang;
        stop = !KorrekturBerechnen(anlage, programm, korrigiert, w, seite, ende);
        return !stop;
    }
};

// Signed distance of p from the directed line a → b: positive on the left.
inline double Seitenabstand(const TPunkt3D& a, const TPunkt3D& b, const TPunkt3D& p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return (dx * (p.y - a.y) - dy * (p.x - a.x)) / std::hypot(dx, dy);
}

} // namespace korvx::test
