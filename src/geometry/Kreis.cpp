#include "geometry/Kreis.h"

#include "geometry/Vektor.h"
#include "state/Bediener.h"
#include "state/Meldungen.h"

#include <cmath>
#include <string>

namespace korvx {

namespace {

constexpr double kGradFaktor = 0.017453292519943295; // π/180
constexpr std::size_t kSatzZeichen = 80;

char Vorzeichen(double v) {
    return v > 0.0 ? '+' : v < 0.0 ? '-' : '0';
}

} // namespace

bool KreisWinkel(double d1, double d2, double& winkel) {
    // The base angle in the first quadrant is taken from both coordinates
    // rather than as arcsin(|d2| / r): the radius is snapped to tenths and may
    // differ from the point's distance by 0.01 mm, which arcsin turns into
    // whole degrees near 90.
    const double basis = AufZehntelFangen(std::atan2(std::fabs(d2), std::fabs(d1)) / kGradFaktor);
    const char s1 = Vorzeichen(d1);
    const char s2 = Vorzeichen(d2);
    if (s1 == '0' && s2 == '0') {
        winkel = -1.0;
        return false;
    }
    if (s2 == '0') {
        winkel = s1 == '+' ? 0.0 : 180.0;
    } else if (s1 == '0') {
        winkel = s2 == '+' ? 90.0 : 270.0;
    } else if (s2 == '+') {
        winkel = s1 == '+' ? basis : 180.0 - basis;
    } else {
        winkel = s1 == '-' ? 180.0 + basis : 360.0 - basis;
    }
    // A point just below the positive x axis whose angle snaps to 0 lies at
    // 0, not 360: otherwise a full circle from there would have no sweep.
    if (winkel >= 360.0) {
        winkel -= 360.0;
    }
    return true;
}

double KreisBogen(int richtung, double startwinkel, double endwinkel) {
    const double a = startwinkel;
    const double e = endwinkel;
    if (richtung == kKreisImUhrzeigersinn) {
        return e >= a ? 360.0 - (e - a) : a - e;
    }
    return e > a ? e - a : 360.0 - (a - e);
}

double AufZehntelFangen(double v) {
    const double zehntel = std::nearbyint(10.0 * v);
    if (std::fabs(zehntel - 10.0 * v) < 0.1) {
        return zehntel / 10.0;
    }
    return v;
}

void KreisSchrittWaehlen(TKreis& kreis, int modus) {
    if (modus == 0) {
        kreis.schrittwinkel = 10.0;
    } else if (modus == 1) {
        kreis.schrittwinkel = 1.0;
    }
}

bool KreisInitialisieren(TKreis& kreis, Bediener& bediener, int richtung, const TPunkt3D& start,
                         double endeErste, double endeZweite, double I, double J) {
    kreis.start = start;
    kreis.endeErste = endeErste;
    kreis.endeZweite = endeZweite;
    kreis.I = I;
    kreis.J = J;
    kreis.zurueckgelegt = 0.0;
    kreis.fehler = false;
    kreis.radius = AufZehntelFangen(std::sqrt(I * I + J * J));
    kreis.mitteErste = AufZehntelFangen(start.x + I);
    kreis.mitteZweite = AufZehntelFangen(start.y + J);

    // The end point is checked against the circle as programmed: snapping the
    // centre and the radius may each move it by up to 0.01 mm, which would
    // otherwise reject arcs whose end lies exactly on their circle. An end
    // point off the circle by 0.01 mm or more, inside as well as outside, is
    // rejected: the last step would otherwise jump to it straight through the
    // material. Values that are not finite fail both tests, so no arc runs on
    // them.
    const double abstand =
        std::hypot(endeErste - (start.x + I), endeZweite - (start.y + J)) - std::hypot(I, J);
    if (!(kreis.radius > 0.0) || !(std::fabs(abstand) < 0.01)) {
        bediener.Meldung(meldung::KreisInitialisierungFehler());
        kreis.fehler = true;
        return false;
    }

    const double d1 = AufZehntelFangen(endeErste - kreis.mitteErste);
    const double d2 = AufZehntelFangen(endeZweite - kreis.mitteZweite);
    if (!KreisWinkel(-I, -J, kreis.startwinkel) || !KreisWinkel(d1, d2, kreis.endwinkel)) {
        bediener.Meldung(meldung::WinkelberechnungFehler());
        kreis.fehler = true;
        return false;
    }
    kreis.bogen = KreisBogen(richtung, kreis.startwinkel, kreis.endwinkel);
    return true;
}

Kreispunkt KreisNaechsterPunkt(TKreis& kreis, Bediener& bediener, std::string_view satz,
                               int richtung) {
    if (kreis.fehler) {
        bediener.Meldung(meldung::KreisdatenFehlerhaft(satz.substr(0, kSatzZeichen)));
        return {kreis.start.x, kreis.start.y, true};
    }
    kreis.zurueckgelegt += kreis.schrittwinkel;
    if (kreis.zurueckgelegt > kreis.bogen) {
        kreis.zurueckgelegt = kreis.bogen;
    }
    // The point at angle `zurueckgelegt` from the x axis, turned so that it
    // lies at start − travelled (clockwise) or start + travelled.
    double e = kreis.radius * std::cos(kreis.zurueckgelegt * kGradFaktor);
    double z = kreis.radius * std::sin(kreis.zurueckgelegt * kGradFaktor);
    DreheUmZ(e, z,
             richtung == kKreisImUhrzeigersinn ? kreis.startwinkel - 2.0 * kreis.zurueckgelegt
                                               : kreis.startwinkel);
    if (kreis.zurueckgelegt >= kreis.bogen) {
        return {kreis.endeErste, kreis.endeZweite, true};
    }
    return {e + kreis.mitteErste, z + kreis.mitteZweite, false};
}

} // namespace korvx
