#include "geometry/Korrekturgeometrie.h"

#include "geometry/Vektor.h"

#include <cmath>
#include <utility>

namespace korvx {

TKorrekturGerade GeradeEinordnen(const TPunkt3D& s, const TPunkt3D& e) {
    TKorrekturGerade g;
    if (e.x == s.x) {
        g.xKlasse = e.y > s.y ? kSenkrechtAuf : kSenkrechtAb;
        g.yKlasse = kSenkrecht;
        g.steigung = s.x;
        g.abschnitt = 0.0;
        return g;
    }
    g.steigung = (e.y - s.y) / (e.x - s.x);
    g.abschnitt = s.y - s.x * g.steigung;
    g.xKlasse = e.x > s.x ? kNachRechts : kNachLinks;
    g.yKlasse = e.y > s.y ? kSteigend : e.y < s.y ? kFallend : kWaagerecht;
    return g;
}

TPunkt3D SeitlichVersetzen(const TKorrekturGerade& g, const TPunkt3D& p, double r,
                           std::uint8_t seite) {
    if (seite != kKorrekturLinks && seite != kKorrekturRechts) {
        return p;
    }
    // The shift to the left of the direction; the right side is its opposite.
    double ox = 0.0;
    double oy = 0.0;
    if (g.Senkrecht()) {
        ox = g.xKlasse == kSenkrechtAuf ? -r : r;
    } else if (g.yKlasse == kWaagerecht) {
        oy = g.xKlasse == kNachRechts ? r : -r;
    } else {
        const double a = std::atan(g.steigung);
        const double dy = std::fabs(r * std::sin(a));
        const double dx = std::fabs(r * std::cos(a));
        ox = g.yKlasse == kSteigend ? -dy : dy;
        oy = g.xKlasse == kNachRechts ? dx : -dx;
    }
    const double s = seite == kKorrekturLinks ? 1.0 : -1.0;
    return {p.x + s * ox, p.y + s * oy, p.z};
}

TKorrekturGerade GeradeVersetzen(const TKorrekturGerade& g, const TPunkt3D& start, double r,
                                 std::uint8_t seite) {
    TKorrekturGerade v = g;
    if (g.Senkrecht()) {
        v.steigung = SeitlichVersetzen(g, start, r, seite).x;
        return v;
    }
    TPunkt3D fuss{0.0, g.abschnitt, 0.0};
    if (g.steigung != 0.0) {
        fuss.x = (0.0 - g.abschnitt) / (g.steigung + 1.0 / g.steigung);
        fuss.y = g.abschnitt + g.steigung * fuss.x;
    }
    const TPunkt3D f = SeitlichVersetzen(g, fuss, r, seite);
    v.abschnitt = f.y - g.steigung * f.x;
    return v;
}

namespace {

// A radius snapped onto its decimal only where the snap removes a rounding
// residue (0.1 µm at most). DezimalFangen alone reaches 0.011 mm from a tenth;
// taken over, two snaps per circle would move the offset path by up to 0.022 mm
// and split offsets of tangent elements that must touch.
double RestFangen(double wert, int stellen) {
    double gefangen = wert;
    DezimalFangen(gefangen, stellen);
    return std::fabs(gefangen - wert) <= 1e-4 ? gefangen : wert;
}

} // namespace

double KreisradiusVersetzen(double radius, bool imUhrzeigersinn, double r, std::uint8_t seite,
                            int nachkommastellen) {
    double ergebnis = RestFangen(radius, nachkommastellen);
    if (seite == kKorrekturLinks) {
        ergebnis += imUhrzeigersinn ? r : -r;
    } else if (seite == kKorrekturRechts) {
        ergebnis += imUhrzeigersinn ? -r : r;
    }
    return RestFangen(ergebnis, nachkommastellen + 1);
}

TPunkt3D GeradenSchnitt(const TKorrekturGerade& a, const TKorrekturGerade& b) {
    if (a.Senkrecht()) {
        return {a.steigung, b.steigung * a.steigung + b.abschnitt, 0.0};
    }
    if (b.Senkrecht()) {
        return {b.steigung, a.steigung * b.steigung + a.abschnitt, 0.0};
    }
    const double x = (b.abschnitt - a.abschnitt) / (a.steigung - b.steigung);
    // y from the flatter line: a steep line's large slope and intercept cancel.
    const TKorrekturGerade& flach = std::fabs(a.steigung) <= std::fabs(b.steigung) ? a : b;
    return {x, flach.abschnitt + flach.steigung * x, 0.0};
}

bool GeradeKreisSchnitt(const TKorrekturGerade& g, const TKorrekturKreis& k, double toleranz,
                        TPunkt3D& p1, TPunkt3D& p2) {
    // A radius of 0 is a point (an inner arc exactly as round as the tool):
    // a line through it meets it there.
    if (!(k.radius >= 0.0)) {
        return false;
    }
    const double r2 = k.radius * k.radius;
    // Foot of the perpendicular from the centre and its distance from the
    // centre; a line that misses the circle by no more than the tolerance
    // touches it at the circle's point nearest the line, so that an arc
    // starting or ending there still runs on its circle.
    TPunkt3D fuss;
    double abstand = 0.0;
    if (g.Senkrecht()) {
        const double x = g.steigung;
        const double t = r2 - (x - k.mx) * (x - k.mx);
        if (t >= 0.0) {
            const double w = std::sqrt(t);
            p1 = {x, k.my + w, 0.0};
            p2 = {x, k.my - w, 0.0};
            return true;
        }
        fuss = {x, k.my, 0.0};
        abstand = std::fabs(x - k.mx);
    } else {
        const double m = g.steigung;
        const double c = g.abschnitt;
        const double e = k.mx * m + c - k.my;
        const double gg = m * m + 1.0;
        const double d = r2 * gg - e * e;
        if (d >= 0.0) {
            const double w = std::sqrt(d);
            const double x1 = k.mx + (w - m * e) / gg;
            const double x2 = k.mx - (m * e + w) / gg;
            p1 = {x1, c + m * x1, 0.0};
            p2 = {x2, c + m * x2, 0.0};
            return true;
        }
        fuss = {k.mx - m * e / gg, 0.0, 0.0};
        fuss.y = c + m * fuss.x;
        abstand = std::fabs(e) / std::sqrt(gg);
    }
    if (abstand - k.radius > toleranz) {
        return false;
    }
    p1 = {k.mx + (fuss.x - k.mx) * k.radius / abstand, k.my + (fuss.y - k.my) * k.radius / abstand,
          0.0};
    p2 = p1;
    return true;
}

bool KreisKreisSchnitt(const TKorrekturKreis& a, const TKorrekturKreis& b, double toleranz,
                       TPunkt3D& p1, TPunkt3D& p2) {
    if (!(a.radius >= 0.0) || !(b.radius >= 0.0)) {
        return false;
    }
    // Along the line of centres: the foot of the common chord lies at l from
    // the first centre, the chord's half length is h.
    const double ux = b.mx - a.mx;
    const double uy = b.my - a.my;
    const double abstand = std::hypot(ux, uy);
    if (abstand == 0.0) {
        return false;
    }
    double l = (a.radius * a.radius - b.radius * b.radius + abstand * abstand) / (2.0 * abstand);
    double h2 = a.radius * a.radius - l * l;
    if (h2 < 0.0) {
        const double verfehlt =
            std::fmax(abstand - (a.radius + b.radius), std::fabs(a.radius - b.radius) - abstand);
        if (verfehlt > toleranz) {
            return false;
        }
        // Circles that just miss touch at the first circle's point nearest
        // the second, so that the first arc ends on its circle.
        l = l > 0.0 ? a.radius : -a.radius;
        h2 = 0.0;
    }
    const double h = std::sqrt(h2);
    const double fx = a.mx + l * ux / abstand;
    const double fy = a.my + l * uy / abstand;
    p1 = {fx - h * uy / abstand, fy + h * ux / abstand, 0.0};
    p2 = {fx + h * uy / abstand, fy - h * ux / abstand, 0.0};
    if (p2.x > p1.x || (p2.x == p1.x && p2.y > p1.y)) {
        std::swap(p1, p2);
    }
    return true;
}

} // namespace korvx
