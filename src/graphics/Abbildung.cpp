#include "graphics/Abbildung.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <utility>

namespace korvx {

namespace {

std::int16_t Als16Bit(int wert) {
    return static_cast<std::int16_t>(std::clamp(wert, -32768, 32767));
}

// Stands in for a scale that was never defined, so the inverse stays defined.
constexpr long double kWinzig = 1e-30L;

long double Teiler(long double skala) {
    return skala == 0.0L ? kWinzig : skala;
}

} // namespace

Weltfenster Eingepasst(long long spalten, long long zeilen, const Weltfenster& w) {
    const long double dx = static_cast<long double>(w.xmax) - w.xmin;
    const long double dy = static_cast<long double>(w.ymax) - w.ymin;
    if (spalten <= 0 || zeilen <= 0 || !std::isfinite(dx) || !std::isfinite(dy) ||
        (dx == 0.0L && dy == 0.0L)) {
        return w;
    }
    // Pixels per mm each axis would need; an axis without extent needs none.
    const long double sx = dx == 0.0L ? 0.0L : static_cast<long double>(spalten) / std::fabs(dx);
    const long double sy = dy == 0.0L ? 0.0L : static_cast<long double>(zeilen) / std::fabs(dy);
    long double s;
    if (sx == 0.0L) {
        s = sy;
    } else if (sy == 0.0L) {
        s = sx;
    } else {
        s = std::min(sx, sy);
    }
    const auto strecke = [s](long double pixel, long double d, double lo, double hi) {
        const long double breite = pixel / s * (d < 0.0L ? -1.0L : 1.0L);
        const long double mitte = (static_cast<long double>(lo) + hi) / 2.0L;
        return std::pair<double, double>{static_cast<double>(mitte - breite / 2.0L),
                                         static_cast<double>(mitte + breite / 2.0L)};
    };
    // A window that already has the viewport's shape (to rounding) is kept as
    // it is, and the axis that sets the scale always keeps its limits.
    constexpr long double kGleich = 1e-12L;
    if (sx != 0.0L && sy != 0.0L && std::fabs(sx - sy) <= kGleich * std::max(sx, sy)) {
        return w;
    }
    Weltfenster r = w;
    if (s != sx) {
        std::tie(r.xmin, r.xmax) = strecke(static_cast<long double>(spalten), dx, w.xmin, w.xmax);
    }
    if (s != sy) {
        std::tie(r.ymin, r.ymax) = strecke(static_cast<long double>(zeilen), dy, w.ymin, w.ymax);
    }
    if (!std::isfinite(r.xmin) || !std::isfinite(r.xmax) || !std::isfinite(r.ymin) ||
        !std::isfinite(r.ymax) || r.xmin == r.xmax || r.ymin == r.ymax) {
        return w;
    }
    return r;
}

void TAbbildung::AbbildungSetzen(int links, int oben, int rechts, int unten, double xmin,
                                 double ymin, double xmax, double ymax) {
    if (xmax != xmin) {
        sx_ = static_cast<long double>(rechts - links + 1) /
              (static_cast<long double>(xmax) - static_cast<long double>(xmin));
        ox_ = -static_cast<long double>(xmin) * sx_;
    }
    if (ymax != ymin) {
        sy_ = static_cast<long double>(unten - oben + 1) /
              (static_cast<long double>(ymax) - static_cast<long double>(ymin));
        oy_ = -static_cast<long double>(ymin) * sy_;
    }
    links_ = Als16Bit(links);
    oben_ = Als16Bit(oben);
    rechts_ = Als16Bit(rechts);
    unten_ = Als16Bit(unten);
    const std::int64_t x0 = WeltZuBildX(0.0L);
    pixelBreite_ = BildZuWeltX(x0 + 1) - BildZuWeltX(x0);
    const std::int64_t y0 = WeltZuBildY(0.0L);
    pixelHoehe_ = BildZuWeltY(y0 + 1) - BildZuWeltY(y0);
    definiert_ = true;
    laengeGueltig_ = false;
}

TAbbildung::Pixellaengen TAbbildung::Laengen(double r) const {
    if (!laengeGueltig_ || laengeWelt_ != r) {
        laengeWelt_ = r;
        laengePixel_ = {static_cast<std::int64_t>(WeltZuBildX(r)) - WeltZuBildX(0.0L),
                        std::llabs(static_cast<std::int64_t>(WeltZuBildY(r)) - WeltZuBildY(0.0L))};
        laengeGueltig_ = true;
    }
    return laengePixel_;
}

std::int32_t TAbbildung::BildZeile(std::int64_t zeile) const {
    zeile = std::clamp<std::int64_t>(zeile, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    const std::int64_t bild = static_cast<std::int64_t>(unten_) - oben_ - zeile;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bild, 0, std::numeric_limits<std::int32_t>::max()));
}

long double TAbbildung::BildZuWeltX(std::int64_t spalte) const {
    const long double s = Teiler(sx_);
    return static_cast<long double>(spalte) / s - ox_ / s;
}

long double TAbbildung::BildZuWeltY(std::int64_t zeile) const {
    const long double s = Teiler(sy_);
    return static_cast<long double>(zeile) / s - oy_ / s;
}

} // namespace korvx
