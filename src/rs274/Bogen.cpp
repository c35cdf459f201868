#include "rs274/Bogen.h"

#include "geometry/Kreis.h"
#include "state/StillerBediener.h"

#include <algorithm>
#include <cmath>

namespace korvx::rs274 {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kVoll = 2.0 * kPi;
// Start and end angles closer than this make a full circle.
constexpr double kWinkelGleich = 1e-9;
} // namespace

void BogenBerechnen(Bogen& b) {
    b.r0 = std::hypot(b.a0 - b.ma, b.b0 - b.mb);
    b.r1 = std::hypot(b.a1 - b.ma, b.b1 - b.mb);
    b.w0 = std::atan2(b.b0 - b.mb, b.a0 - b.ma);
    const double w1 = std::atan2(b.b1 - b.mb, b.a1 - b.ma);
    double s = b.gegenUhrzeiger ? w1 - b.w0 : b.w0 - w1;
    while (s <= kWinkelGleich) {
        s += kVoll;
    }
    while (s > kVoll + kWinkelGleich) {
        s -= kVoll;
    }
    b.bogen = std::min(s, kVoll);
}

void BogenPunkt(const Bogen& b, double t, double& a, double& bb, double& l) {
    if (t >= 1.0) {
        a = b.a1;
        bb = b.b1;
        l = b.l1;
        return;
    }
    const double w = b.gegenUhrzeiger ? b.w0 + t * b.bogen : b.w0 - t * b.bogen;
    const double r = b.r0 + (b.r1 - b.r0) * t;
    a = b.ma + r * std::cos(w);
    bb = b.mb + r * std::sin(w);
    l = b.l0 + (b.l1 - b.l0) * t;
}

int SehnenAnzahl(const Bogen& b, double toleranz) {
    const double r = std::max(b.r0, b.r1);
    if (r <= toleranz) {
        return 1;
    }
    const double schritt = 2.0 * std::acos(1.0 - toleranz / r);
    // A spiral bends the chords a little more; one more chord in twenty.
    const double n = std::ceil(b.bogen / schritt * (b.r0 == b.r1 ? 1.0 : 1.05));
    return static_cast<int>(std::clamp(n, 1.0, 1e7));
}

double AbstandZumBogen(const Bogen& b, double a, double bb) {
    const double zumStart = std::hypot(a - b.a0, bb - b.b0);
    const double zumEnde = std::hypot(a - b.a1, bb - b.b1);
    double bester = std::min(zumStart, zumEnde);
    const double w = std::atan2(bb - b.mb, a - b.ma);
    double weg = b.gegenUhrzeiger ? w - b.w0 : b.w0 - w;
    weg = std::fmod(weg, kVoll);
    if (weg < 0.0) {
        weg += kVoll;
    }
    if (weg <= b.bogen) {
        const double t = weg / b.bogen;
        const double r = b.r0 + (b.r1 - b.r0) * t;
        bester = std::min(bester, std::fabs(std::hypot(a - b.ma, bb - b.mb) - r));
    }
    return bester;
}

bool EigenerKreisPasst(const Bogen& b, double xs, double ys, double xe, double ye, double i,
                       double j, double toleranz, std::vector<double>& punkte) {
    const std::size_t anfang = punkte.size();
    TKreis kreis;
    KreisSchrittWaehlen(kreis, 1);
    StillerBediener still;
    const int richtung = b.gegenUhrzeiger ? kKreisGegenUhrzeigersinn : kKreisImUhrzeigersinn;
    if (!KreisInitialisieren(kreis, still, richtung, TPunkt3D{xs, ys, 0.0}, xe, ye, i, j)) {
        return false;
    }
    bool fertig = false;
    // Our arc starts at its snapped start angle and turns by its sweep in
    // the same direction: where both agree with the source within the
    // tolerance, every point lies within the source's arc, and only its
    // distance from the centre remains to be checked, point by point.
    const double r = std::max(b.r0, b.r1);
    double versatz = std::fmod(kreis.startwinkel * kPi / 180.0 - b.w0, kVoll);
    if (versatz > kPi) {
        versatz -= kVoll;
    } else if (versatz < -kPi) {
        versatz += kVoll;
    }
    if (std::fabs(versatz) * r > toleranz ||
        std::fabs(kreis.bogen * kPi / 180.0 - b.bogen) * r > toleranz) {
        return false;
    }
    auto neben = [&](double x, double y, double t) {
        const double dx = x - b.ma;
        const double dy = y - b.mb;
        return std::fabs(std::sqrt(dx * dx + dy * dy) - (b.r0 + (b.r1 - b.r0) * t)) > toleranz;
    };
    double px = xs;
    double py = ys;
    double pt = 0.0;
    // At most 360 points of one degree; the bound guards the loop.
    for (int n = 0; !fertig && n < 400; ++n) {
        const Kreispunkt p = KreisNaechsterPunkt(kreis, still, {}, richtung);
        fertig = p.fertig;
        const double x = p.erste;
        const double y = p.zweite;
        const double t = std::min(1.0, kreis.zurueckgelegt / kreis.bogen);
        if (neben(x, y, t) || neben((x + px) / 2.0, (y + py) / 2.0, (t + pt) / 2.0)) {
            punkte.resize(anfang);
            return false;
        }
        punkte.push_back(x);
        punkte.push_back(y);
        px = x;
        py = y;
        pt = t;
    }
    if (!fertig) {
        punkte.resize(anfang);
        return false;
    }
    return true;
}

} // namespace korvx::rs274
