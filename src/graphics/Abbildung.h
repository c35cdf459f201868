#pragma once
// The mapping from world millimetres (x-y projection) to pixels of the
// simulation graphic and back. The mapping itself takes a scale per axis;
// the graphic fits its world window with `Eingepasst` first, so that both
// axes get one scale and a circle is drawn as a circle.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace korvx {

namespace detail {

// Truncates towards zero after limiting to the 32-bit range; a value that is
// not a number (from a scale that overflowed) counts as 0. The extended value
// goes through the nearest double, whose truncation needs no change of the
// x87 rounding mode (that switch cost more than the rest of drawing a move);
// where rounding to the double crossed an integer, one step back towards zero
// gives the exact result.
inline std::int32_t Begrenzt32(long double wert) {
    constexpr long double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr long double kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(wert)) {
        return 0;
    }
    const long double v = std::clamp(wert, kMin, kMax);
    std::int32_t n = static_cast<std::int32_t>(static_cast<double>(v));
    if (v >= 0.0L) {
        if (static_cast<long double>(n) > v) {
            --n;
        }
    } else if (static_cast<long double>(n) < v) {
        ++n;
    }
    return n;
}

} // namespace detail

// A world window in mm: the x-y rectangle shown on the graphic.
struct Weltfenster {
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;

    friend bool operator==(const Weltfenster&, const Weltfenster&) = default;
};

// The window widened along one axis so that a viewport of `spalten` ×
// `zeilen` pixels shows it with one scale for x and y: the smaller of the two
// scales wins, so the whole window stays visible, and the other axis grows
// about its centre. A mirrored axis (min > max) stays mirrored. An axis whose
// limits are equal takes the other's scale; when both are equal, or a value is
// not finite, the window comes back unchanged.
Weltfenster Eingepasst(long long spalten, long long zeilen, const Weltfenster& w);

class TAbbildung {
public:
    // Maps the world window [xmin, xmax] × [ymin, ymax] onto the viewport.
    // Column 0 stands for xmin and column right − left + 1 for xmax (likewise
    // rows); an axis whose limits are equal keeps its previous scale.
    void AbbildungSetzen(int links, int oben, int rechts, int unten, double xmin, double ymin,
                         double xmax, double ymax);

    // Pixel column of x, limited to the 32-bit range.
    std::int32_t WeltZuBildX(long double x) const { return detail::Begrenzt32(x * sx_ + ox_); }
    // Pixel row of y counted upwards from the bottom, limited to the 32-bit range.
    std::int32_t WeltZuBildY(long double y) const { return detail::Begrenzt32(y * sy_ + oy_); }
    // Image row (counted from the top) of an upward row; rows above the top become 0.
    std::int32_t BildZeile(std::int64_t zeile) const;
    // A length r in pixels: across, the column of r minus that of 0; down, the
    // distance of the rows of r and 0. Remembered for the last r, since a run
    // draws thousands of moves with one tool.
    struct Pixellaengen {
        std::int64_t x;
        std::int64_t y;
    };
    Pixellaengen Laengen(double r) const;
    // World coordinates of a column and of an upward row.
    long double BildZuWeltX(std::int64_t spalte) const;
    long double BildZuWeltY(std::int64_t zeile) const;

    bool Definiert() const { return definiert_; }
    long double Sx() const { return sx_; }
    long double Ox() const { return ox_; }
    long double Sy() const { return sy_; }
    long double Oy() const { return oy_; }
    // World size of one pixel, mm.
    long double PixelBreite() const { return pixelBreite_; }
    long double PixelHoehe() const { return pixelHoehe_; }
    int Links() const { return links_; }
    int Oben() const { return oben_; }
    int Rechts() const { return rechts_; }
    int Unten() const { return unten_; }

private:
    std::int16_t links_ = 0;
    std::int16_t oben_ = 0;
    std::int16_t rechts_ = 0;
    std::int16_t unten_ = 0;
    long double sx_ = 0.0L;
    long double ox_ = 0.0L;
    long double sy_ = 0.0L;
    long double oy_ = 0.0L;
    long double pixelBreite_ = 0.0L;
    long double pixelHoehe_ = 0.0L;
    bool definiert_ = false;
    // The last length asked for and its pixels; cleared with every new mapping.
    mutable double laengeWelt_ = -1.0;
    mutable Pixellaengen laengePixel_{0, 0};
    mutable bool laengeGueltig_ = false;
};

} // namespace korvx
