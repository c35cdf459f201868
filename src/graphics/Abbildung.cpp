#include "graphics/Abbildung.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

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
