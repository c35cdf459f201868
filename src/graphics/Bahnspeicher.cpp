#include "graphics/Bahnspeicher.h"

#include "graphics/Abbildung.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

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

// How much two chords of one arc may differ, mm: the moves end on whole
// motor steps, a few micrometres from the ideal arc.
constexpr double kSehnenToleranz = 0.02;
constexpr double kHalbeDrehung = 3.14159265358979323846;

// Centre of the circle through three points; none when they lie on a line.
std::optional<std::pair<double, double>> Umkreismitte(double x0, double y0, double x1, double y1,
                                                      double x2, double y2) {
    const double d = 2.0 * (x0 * (y1 - y2) + x1 * (y2 - y0) + x2 * (y0 - y1));
    if (d == 0.0) {
        return std::nullopt;
    }
    const double q0 = x0 * x0 + y0 * y0;
    const double q1 = x1 * x1 + y1 * y1;
    const double q2 = x2 * x2 + y2 * y2;
    const double cx = (q0 * (y1 - y2) + q1 * (y2 - y0) + q2 * (y0 - y1)) / d;
    const double cy = (q0 * (x2 - x1) + q1 * (x0 - x2) + q2 * (x1 - x0)) / d;
    if (!std::isfinite(cx) || !std::isfinite(cy)) {
        return std::nullopt;
    }
    return std::pair{cx, cy};
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
        // The centre record holds the centre, the start of the arc's last
        // chord and the turn between its first two chords. A chord joins when
        // it is as long as the last one and turns the same way by as much.
        Bahnsegment& m = segmente_[segmente_.size() - 2];
        const double px = static_cast<double>(a.x1) - m.x1;
        const double py = static_cast<double>(a.y1) - m.y1;
        const double lp = std::hypot(px, py);
        const double drehung = std::atan2(px * by - py * bx, px * bx + py * by);
        const bool gegenUhr = (a.art & Bahnsegment::kGegenUhr) != 0;
        if (std::fabs(lb - lp) > kSehnenToleranz + 0.05 * lp || (drehung > 0.0) != gegenUhr ||
            std::fabs(drehung - m.z) > 0.02 + 0.25 * std::fabs(m.z)) {
            return false;
        }
        Bahnsegment neu = a;
        neu.x1 = b.x1;
        neu.y1 = b.y1;
        std::pair<double, double> mitte{m.x0, m.y0};
        // Up to half a turn the centre is found anew from the arc's start,
        // its end and the new end: the further apart, the better it is
        // known. Beyond, the start comes near the end again and the centre
        // found so far is the better one.
        if (BogenWinkel(a, mitte.first, mitte.second) < kHalbeDrehung) {
            const auto c = Umkreismitte(a.x0, a.y0, a.x1, a.y1, b.x1, b.y1);
            if (!c) {
                return false;
            }
            mitte = *c;
        }
        if (BogenWinkel(neu, mitte.first, mitte.second) <=
            BogenWinkel(a, mitte.first, mitte.second)) {
            return false; // the arc would close on itself: a new one begins
        }
        m.x0 = static_cast<float>(mitte.first);
        m.y0 = static_cast<float>(mitte.second);
        m.x1 = b.x0;
        m.y1 = b.y0;
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
    if (la == 0.0 || std::fabs(la - lb) > kSehnenToleranz + 0.05 * la ||
        std::fabs(kreuz) < 1e-12 * la * lb) {
        return false;
    }
    const auto c = Umkreismitte(a.x0, a.y0, a.x1, a.y1, b.x1, b.y1);
    if (!c) {
        return false;
    }
    const double r = std::hypot(a.x0 - c->first, a.y0 - c->second);
    if (r > kGroessterRadius || la > r * kGroessterSchritt) {
        return false;
    }
    Bahnsegment mitte = a;
    mitte.x0 = static_cast<float>(c->first);
    mitte.y0 = static_cast<float>(c->second);
    mitte.x1 = b.x0;
    mitte.y1 = b.y0;
    mitte.z = static_cast<float>(std::atan2(kreuz, ax * bx + ay * by));
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
