#include "graphics/Bahnspeicher.h"

#include "graphics/Abbildung.h"

#include <algorithm>
#include <cmath>

namespace korvx {

namespace {

// Distance within which a middle point counts as lying on the line, mm.
constexpr double kAufDerLinie = 0.001;

bool Fortsetzung(const Bahnsegment& a, const Bahnsegment& b) {
    constexpr std::uint8_t kVergleich =
        Bahnsegment::kEilgang | Bahnsegment::kSchattiert | Bahnsegment::kBohrung;
    constexpr std::uint8_t kNieVerschmolzen = Bahnsegment::kEilgang | Bahnsegment::kBohrung;
    if ((b.art & Bahnsegment::kAnschluss) == 0 || (a.art & kNieVerschmolzen) != 0 ||
        (b.art & kVergleich) != (a.art & kVergleich) || a.z != b.z ||
        a.farbnummer != b.farbnummer || a.durchmesserMikron != b.durchmesserMikron ||
        a.x1 != b.x0 || a.y1 != b.y0) {
        return false;
    }
    const double ux = static_cast<double>(a.x1) - a.x0;
    const double uy = static_cast<double>(a.y1) - a.y0;
    const double vx = static_cast<double>(b.x1) - a.x0;
    const double vy = static_cast<double>(b.y1) - a.y0;
    const double laenge = std::hypot(vx, vy);
    if (laenge == 0.0 || ux * vx + uy * vy <= 0.0) {
        return false;
    }
    // The middle point's distance from the line from a's start to b's end,
    // and it must lie between them (no turning back).
    const double abstand = std::fabs(ux * vy - uy * vx) / laenge;
    return abstand <= kAufDerLinie && std::hypot(ux, uy) <= laenge;
}

} // namespace

void Bahnspeicher::Anfuegen(const Bahnsegment& s) {
    const float r = static_cast<float>(s.Durchmesser() / 2.0);
    const float xa = std::min(s.x0, s.x1) - r;
    const float xb = std::max(s.x0, s.x1) + r;
    const float ya = std::min(s.y0, s.y1) - r;
    const float yb = std::max(s.y0, s.y1) + r;
    if (segmente_.empty()) {
        xmin_ = xa;
        xmax_ = xb;
        ymin_ = ya;
        ymax_ = yb;
        tiefste_ = s.z;
    } else {
        xmin_ = std::min(xmin_, xa);
        xmax_ = std::max(xmax_, xb);
        ymin_ = std::min(ymin_, ya);
        ymax_ = std::max(ymax_, yb);
        tiefste_ = std::min(tiefste_, static_cast<double>(s.z));
    }
    if (!segmente_.empty() && Fortsetzung(segmente_.back(), s)) {
        segmente_.back().x1 = s.x1;
        segmente_.back().y1 = s.y1;
        return;
    }
    segmente_.push_back(s);
}

void Bahnspeicher::Leeren() {
    segmente_.clear();
    segmente_.shrink_to_fit();
    tiefste_ = 0.0;
}

std::optional<Weltfenster> Bahnspeicher::Ausdehnung() const {
    if (segmente_.empty()) {
        return std::nullopt;
    }
    return Weltfenster{xmin_, ymin_, xmax_, ymax_};
}

} // namespace korvx
