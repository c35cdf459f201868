#include "interpreter/Bearbeitungszyklen.h"

#include "geometry/Kreis.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Gravur.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace korvx {

namespace {

// Ring widths and radii that come within this of their limit count as
// reaching it, so rounding in the ring steps never adds a sliver ring or
// lets the rectangular rings run on along the walls.
constexpr double kToleranz = 1e-6;

// Upper bound of ring and hole counts, so a count taken from a double never
// overflows its integer.
constexpr double kHoechstzahl = 1e9;

// One straight move from the tool position. False when the cycle must stop:
// after a stopped move the reference counts as lost and the run ends.
bool Fahren(Laufumgebung& u, const TPunkt3D& ziel) {
    return Weiterfahren(u, ziel);
}

bool BohrenBei(Laufumgebung& u, const TPunkt3D& p) {
    Maschinenzustand& z = u.zustand;
    z.GeschwindigkeitWaehlen(true);
    if (!Fahren(u, {p.x, p.y, u.lauf.werte.R2})) {
        return false;
    }
    z.GeschwindigkeitWaehlen(false);
    if (!Fahren(u, {p.x, p.y, z.konfig.Bohrtiefe})) {
        return false;
    }
    z.GeschwindigkeitWaehlen(true);
    return Fahren(u, p);
}

// Whether the tool can mill the pocket: it must have a diameter (the ring
// steps are fractions of it), fit the pocket (`zuKlein` is the size check),
// and reach the depth with its cutting length when that is known.
bool TascheHerstellbar(const TWerkzeug& w, double bohrtiefe, bool zuKlein) {
    if (!(w.Durchmesser > 0.0)) {
        return false;
    }
    if (zuKlein && bohrtiefe <= w.Nutzlaenge) {
        return false;
    }
    return !(w.Nutzlaenge > 0.0 && -bohrtiefe > w.Nutzlaenge);
}

// A ring of the circular pocket at depth t: out along +x, then a full
// clockwise circle in chords.
bool KreisRing(Laufumgebung& u, const TPunkt3D& mitte, double rho, double t) {
    if (rho <= 0.0) {
        return true; // the pass is a plunge at the centre
    }
    if (!Fahren(u, {mitte.x + rho, mitte.y, t})) {
        return false;
    }
    const TPunkt3D a = u.zustand.WerkzeugPositionW;
    if (!KreisInitialisieren(u.kreis, u.bediener, kKreisImUhrzeigersinn, a, a.x, a.y, -rho, 0.0)) {
        u.zustand.stopp.Beenden();
        return false;
    }
    bool fertig = false;
    while (!fertig) {
        const Kreispunkt p =
            KreisNaechsterPunkt(u.kreis, u.bediener, u.lauf.zyklusSatz, kKreisImUhrzeigersinn);
        fertig = p.fertig;
        if (!Fahren(u, {p.erste, p.zweite, t})) {
            return false;
        }
    }
    return true;
}

} // namespace

void Bearbeitungszyklen::Ausfuehren(Laufumgebung& umgebung, Zyklusart art, const TPunkt3D& ziel) {
    switch (art) {
    case Zyklusart::Gravur:
        Gravieren(umgebung, ziel);
        break;
    case Zyklusart::Bohren:
        Bohren(umgebung, ziel);
        break;
    case Zyklusart::Kreistasche:
        Kreistasche(umgebung, ziel);
        break;
    case Zyklusart::Rechtecktasche:
        Rechtecktasche(umgebung, ziel);
        break;
    case Zyklusart::Lochkreis:
        Lochkreis(umgebung);
        break;
    }
}

void Bohren(Laufumgebung u, const TPunkt3D& punkt) {
    BohrenBei(u, punkt);
}

void Lochkreis(Laufumgebung u) {
    const Satzwerte& w = u.lauf.werte;
    if (!(w.R24 >= 1.0)) {
        u.bediener.Meldung(meldung::LochkreisOhneBohrungen());
        return;
    }
    const auto anzahl = static_cast<std::int64_t>(std::min(w.R24, kHoechstzahl));
    const double schritt = 360.0 / static_cast<double>(anzahl);
    const double r = w.R1 / 2.0;
    const TPunkt3D mitte = u.zustand.WerkzeugPositionW;
    for (std::int64_t i = 0; i < anzahl; ++i) {
        const double a = (w.R23 + static_cast<double>(i) * schritt) * std::numbers::pi / 180.0;
        if (!BohrenBei(u, {mitte.x + r * std::cos(a), mitte.y + r * std::sin(a), mitte.z})) {
            return;
        }
    }
}

void Kreistasche(Laufumgebung u, const TPunkt3D& ziel) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    const TWerkzeug& wkz = z.konfig.AktuellesWerkzeug;
    const double d = wkz.Durchmesser;
    const double r = l.werte.R24;
    const double ri = l.werte.R23;
    const double tiefe = z.konfig.Bohrtiefe;
    const double zustellung = l.werte.R1;
    if (!TascheHerstellbar(wkz, tiefe, d / 2.0 > r)) {
        u.bediener.Meldung(meldung::KreistascheNichtHerstellbar());
        return;
    }
    const bool insel = ri > 0.0;
    if (insel && r - d < ri) {
        u.bediener.Meldung(meldung::InselradiusZuGross());
        return;
    }
    if (!(zustellung > 0.0)) {
        u.bediener.Meldung(meldung::ZustellungNichtPositiv());
        return;
    }
    l.art = Bewegungsart::KreisUhr;
    // Ring radii of the tool centre: from the island (or a first ring about
    // the centre) out to the wall less the tool radius; no ring lies beyond
    // the wall ring, also when the pocket is narrower than the first ring.
    const double rhoMax = r - d / 2.0;
    const double rho0 = std::min(insel ? ri + d / 2.0 : 0.9 * d / 2.0, rhoMax);
    const double schritt = 0.9 * d;
    const TPunkt3D start{ziel.x + (insel ? ri + d / 2.0 : 0.0), ziel.y, l.werte.R2};

    double t = 0.0;
    while (tiefe < t) {
        z.GeschwindigkeitWaehlen(true);
        if (!Fahren(u, start)) {
            return;
        }
        t = std::max(t - zustellung, tiefe);
        if (!Fahren(u, start)) {
            return;
        }
        z.GeschwindigkeitWaehlen(false);
        if (!Fahren(u, {start.x, start.y, t})) {
            return;
        }
        double rho = rho0;
        for (bool erster = true;; erster = false) {
            // Round walls get the fine step: the island's ring and the wall ring.
            const bool letzter = rho >= rhoMax;
            const bool fein = erster ? insel || letzter : letzter;
            KreisSchrittWaehlen(u.kreis, fein ? 1 : 0);
            if (!KreisRing(u, ziel, rho, t)) {
                return;
            }
            if (letzter) {
                break;
            }
            rho = rho + schritt >= rhoMax - kToleranz ? rhoMax : rho + schritt;
        }
        z.GeschwindigkeitWaehlen(true);
        const TPunkt3D hier = z.WerkzeugPositionW;
        if (!Fahren(u, {hier.x, hier.y, ziel.z}) || !Fahren(u, {start.x, start.y, ziel.z})) {
            return;
        }
    }
    if (Fahren(u, ziel)) {
        l.art = Bewegungsart::Keine;
    }
}

void Rechtecktasche(Laufumgebung u, const TPunkt3D& ziel) {
    Maschinenzustand& z = u.zustand;
    Laufzustand& l = u.lauf;
    const TWerkzeug& wkz = z.konfig.AktuellesWerkzeug;
    const double d = wkz.Durchmesser;
    const double tiefe = z.konfig.Bohrtiefe;
    const double zustellung = l.werte.R1;
    // Either corner may lie left of or below the other: the same pocket.
    const double x0 = std::min(l.taschenEckeX, l.taschenX);
    const double x1 = std::max(l.taschenEckeX, l.taschenX);
    const double y0 = std::min(l.taschenEckeY, l.taschenY);
    const double y1 = std::max(l.taschenEckeY, l.taschenY);
    const double lx = x1 - x0;
    const double ly = y1 - y0;
    const TPunkt3D mitte{x1 - lx / 2.0, y1 - ly / 2.0, 0.0};
    if (!TascheHerstellbar(wkz, tiefe, d > lx || d > ly)) {
        u.bediener.Meldung(meldung::RechtecktascheNichtHerstellbar());
        return;
    }
    if (!(zustellung > 0.0)) {
        u.bediener.Meldung(meldung::ZustellungNichtPositiv());
        return;
    }
    const double teil = 0.9 * d;
    const double ringe =
        std::min(std::max(std::trunc(lx / teil), std::trunc(ly / teil)) + 1.0, kHoechstzahl);
    const auto n = static_cast<std::int64_t>(ringe);
    const double sx = lx / ringe;
    const double sy = ly / ringe;
    // The walls less the tool radius.
    const double links = x0 + d / 2.0;
    const double rechts = x1 - d / 2.0;
    const double unten = y0 + d / 2.0;
    const double oben = y1 - d / 2.0;

    double t = 0.0;
    while (t > tiefe && !z.stopp.Abbruch()) {
        z.GeschwindigkeitWaehlen(true);
        const TPunkt3D hier = z.WerkzeugPositionW;
        if (!Fahren(u, {hier.x, hier.y, ziel.z}) || !Fahren(u, {mitte.x, mitte.y, ziel.z}) ||
            !Fahren(u, {mitte.x, mitte.y, l.werte.R2})) {
            return;
        }
        z.GeschwindigkeitWaehlen(false);
        t = std::max(t - zustellung, tiefe);
        if (!Fahren(u, {mitte.x, mitte.y, t})) {
            return;
        }
        double vorigUnten = mitte.y;
        for (std::int64_t k = 1; k <= n; ++k) {
            const double kk = static_cast<double>(k);
            const double li = std::max(mitte.x - kk * sx, links);
            const double re = std::min(mitte.x + kk * sx, rechts);
            const double un = std::max(mitte.y - kk * sy, unten);
            const double ob = std::min(mitte.y + kk * sy, oben);
            // The ring is entered along the previous ring's bottom edge.
            if (!Fahren(u, {li, vorigUnten, t}) || !Fahren(u, {li, ob, t}) ||
                !Fahren(u, {re, ob, t}) || !Fahren(u, {re, un, t})) {
                return;
            }
            const bool letzter =
                (re - li >= lx - d - kToleranz && ob - un >= ly - d - kToleranz) || k == n;
            if (letzter) {
                // The last ring is closed, so nothing stays along the bottom
                // and left walls.
                if (!Fahren(u, {li, un, t}) || !Fahren(u, {li, ob, t})) {
                    return;
                }
                break;
            }
            vorigUnten = un;
        }
    }
    if (z.stopp.Abbruch()) {
        return;
    }
    z.GeschwindigkeitWaehlen(true);
    const TPunkt3D hier = z.WerkzeugPositionW;
    if (!Fahren(u, {hier.x, hier.y, ziel.z})) {
        return;
    }
    if (t > tiefe && !Fahren(u, {mitte.x, mitte.y, ziel.z})) {
        return;
    }
    Fahren(u, ziel);
}

void BohrenAnWerkzeugposition(Laufumgebung u) {
    Maschinenzustand& z = u.zustand;
    Bediener& b = u.bediener;
    if (!z.ReferenzAngefahren || z.konfig.AktuellesWerkzeug.Nummer == 0) {
        b.Meldung(meldung::BohrenNichtMoeglich());
        return;
    }
    if (!b.Frage(meldung::BohrenAnWerkzeugposition(u.format.Fest(z.konfig.Bohrtiefe, 15, 1)))) {
        return;
    }
    // A zone violation of an earlier run does not concern this move.
    u.zustand.stopp.BereichVergessen();
    const TPunkt3D oben = z.WerkzeugPositionW;
    const TPunkt3D unten{oben.x, oben.y, oben.z + z.konfig.Bohrtiefe};
    const auto fahren = [&](bool eilgang, const TPunkt3D& ziel) {
        z.GeschwindigkeitWaehlen(eilgang);
        b.ElementSetzen(Element::NotausKnopf, true, true);
        const bool ok = Geradeverfahren(u, z.WerkzeugPositionW, ziel);
        b.ElementSetzen(Element::NotausKnopf, false, false);
        if (!ok && z.stopp.Abbruch() && z.ReferenzAngefahren) {
            ReferenzVerloren(u);
        }
        return ok && !z.stopp.Abbruch();
    };
    if (fahren(false, unten)) {
        fahren(true, oben);
    }
}

} // namespace korvx
