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
    constexpr std::uint8_t kNieVerschmolzen =
        Bahnsegment::kEilgang | Bahnsegment::kBohrung | Bahnsegment::kBogen | Bahnsegment::kMitte;
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

// Same tool, shade and kind, and b starts where a ends.
bool Anschliessend(const Bahnsegment& a, const Bahnsegment& b) {
    constexpr std::uint8_t kVergleich =
        Bahnsegment::kEilgang | Bahnsegment::kSchattiert | Bahnsegment::kBohrung;
    return (b.art & Bahnsegment::kAnschluss) != 0 &&
           (a.art & (Bahnsegment::kEilgang | Bahnsegment::kBohrung | Bahnsegment::kMitte)) == 0 &&
           (b.art & kVergleich) == (a.art & kVergleich) && a.z == b.z &&
           a.farbnummer == b.farbnummer && a.durchmesserMikron == b.durchmesserMikron &&
           a.x1 == b.x0 && a.y1 == b.y0;
}

// Largest turn of one chord, rad, and largest radius taken for an arc, mm.
constexpr double kGroessterSchritt = 0.5;
constexpr double kGroessterRadius = 1e5;

// How far a chord end may lie off the arc: the moves end on whole motor
// steps, a few micrometres from the ideal arc.
double Toleranz(double r) {
    return 0.01 + 1e-6 * r;
}

double Winkel(double x, double y, double cx, double cy) {
    return std::atan2(y - cy, x - cx);
}

} // namespace

double BogenWinkel(const Bahnsegment& bogen, double cx, double cy) {
    const double a0 = Winkel(bogen.x0, bogen.y0, cx, cy);
    const double a1 = Winkel(bogen.x1, bogen.y1, cx, cy);
    double w = (bogen.art & Bahnsegment::kGegenUhr) != 0 ? a1 - a0 : a0 - a1;
    constexpr double kVoll = 2.0 * 3.14159265358979323846;
    while (w < 0.0) {
        w += kVoll;
    }
    while (w >= kVoll) {
        w -= kVoll;
    }
    return w;
}

bool Bahnspeicher::BogenFortsetzen(const Bahnsegment& b) {
    if ((b.art & (Bahnsegment::kEilgang | Bahnsegment::kBohrung)) != 0) {
        return false;
    }
    Bahnsegment& a = segmente_.back();
    if (!Anschliessend(a, b)) {
        return false;
    }
    const double bx = static_cast<double>(b.x1) - b.x0;
    const double by = static_cast<double>(b.y1) - b.y0;
    const double lb = std::hypot(bx, by);
    if (lb == 0.0) {
        return false;
    }
    if ((a.art & Bahnsegment::kBogen) != 0) {
        const Bahnsegment& m = segmente_[segmente_.size() - 2];
        const double cx = m.x0;
        const double cy = m.y0;
        const double r = std::hypot(static_cast<double>(a.x0) - cx, static_cast<double>(a.y0) - cy);
        const double re =
            std::hypot(static_cast<double>(b.x1) - cx, static_cast<double>(b.y1) - cy);
        const double kreuz = (static_cast<double>(b.x0) - cx) * (static_cast<double>(b.y1) - cy) -
                             (static_cast<double>(b.y0) - cy) * (static_cast<double>(b.x1) - cx);
        const bool gegenUhr = (a.art & Bahnsegment::kGegenUhr) != 0;
        if (std::fabs(re - r) > Toleranz(r) || (kreuz > 0.0) != gegenUhr ||
            lb > r * kGroessterSchritt) {
            return false;
        }
        const double vorher = BogenWinkel(a, cx, cy);
        Bahnsegment neu = a;
        neu.x1 = b.x1;
        neu.y1 = b.y1;
        if (BogenWinkel(neu, cx, cy) <= vorher) {
            return false; // the arc would close on itself: a new one begins
        }
        a = neu;
        return true;
    }
    if ((a.art & (Bahnsegment::kBogen | Bahnsegment::kMitte)) != 0) {
        return false;
    }
    // A single chord before: the two chords must be equal and turn.
    const double ax = static_cast<double>(a.x1) - a.x0;
    const double ay = static_cast<double>(a.y1) - a.y0;
    const double la = std::hypot(ax, ay);
    const double kreuz = ax * by - ay * bx;
    if (la == 0.0 || std::fabs(la - lb) > 0.02 + 0.05 * la || std::fabs(kreuz) < 1e-12 * la * lb) {
        return false;
    }
    // Circumcentre of a's start, a's end and b's end.
    const double x0 = a.x0, y0 = a.y0, x1 = a.x1, y1 = a.y1, x2 = b.x1, y2 = b.y1;
    const double d = 2.0 * (x0 * (y1 - y2) + x1 * (y2 - y0) + x2 * (y0 - y1));
    if (d == 0.0) {
        return false;
    }
    const double q0 = x0 * x0 + y0 * y0, q1 = x1 * x1 + y1 * y1, q2 = x2 * x2 + y2 * y2;
    const double cx = (q0 * (y1 - y2) + q1 * (y2 - y0) + q2 * (y0 - y1)) / d;
    const double cy = (q0 * (x2 - x1) + q1 * (x0 - x2) + q2 * (x1 - x0)) / d;
    const double r = std::hypot(x0 - cx, y0 - cy);
    if (!std::isfinite(r) || r > kGroessterRadius || la > r * kGroessterSchritt) {
        return false;
    }
    Bahnsegment mitte = a;
    mitte.x0 = static_cast<float>(cx);
    mitte.y0 = static_cast<float>(cy);
    mitte.art = Bahnsegment::kMitte;
    Bahnsegment bogen = a;
    bogen.x1 = b.x1;
    bogen.y1 = b.y1;
    bogen.art = static_cast<std::uint8_t>(a.art | Bahnsegment::kBogen |
                                          (kreuz > 0.0 ? Bahnsegment::kGegenUhr : 0));
    a = mitte;
    Platz();
    segmente_.push_back(bogen);
    return true;
}

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
    if (!segmente_.empty() && BogenFortsetzen(s)) {
        return;
    }
    Platz();
    segmente_.push_back(s);
}

void Bahnspeicher::Platz() {
    // Growing by a quarter instead of doubling keeps the spare room of a
    // path of millions of records small.
    if (segmente_.size() == segmente_.capacity()) {
        segmente_.reserve(std::max<std::size_t>(1024, segmente_.capacity() / 4 * 5));
    }
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
