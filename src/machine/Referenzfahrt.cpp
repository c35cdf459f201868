#include "machine/Isel.h"
#include "machine/IselIntern.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvx {

namespace {

std::string Punkttext(IselZugang a, const TPunkt3D& p) {
    return a.format.Fest(p.x, 15, 2) + "/" + a.format.Fest(p.y, 15, 2) + "/" +
           a.format.Fest(p.z, 15, 2);
}

std::int32_t AufInt32(double ms) {
    if (!std::isfinite(ms) || ms >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(std::nearbyint(std::max(0.0, ms)));
}

// ms the reference run takes from distance d (mm per axis) at 1000 steps per
// second on every axis, one axis after the other.
double Heimfahrzeit(const TKonfiguration& k, const TPunkt3D& d) {
    const double weg[3] = {d.x, d.y, d.z};
    const double steigung[3] = {k.Spindelsteigung.x, k.Spindelsteigung.y, k.Spindelsteigung.z};
    double sekunden = 0.0;
    for (int i = 0; i < 3; ++i) {
        // Axis speed in mm/s at 1000 steps per second.
        const double v =
            isel::kReferenzRate * steigung[i] / static_cast<double>(k.SchritteProUmdrehung);
        sekunden += std::abs(weg[i]) / v;
    }
    return 1000.0 * sekunden;
}

} // namespace

std::int32_t ReferenzDauer(const Maschinenzustand& z) {
    return AufInt32(Heimfahrzeit(z.konfig, z.konfig.PositionAbReferenz));
}

namespace {

// The reply to the reference run is awaited for as long as the run can take
// from anywhere in the travel range: it is made because the position is not
// trusted, so PositionAbReferenz may be far too small. Giving up early would
// leave the controller homing while its late "0" is taken for the reply to a
// later command.
double ReferenzWartedauer(const Maschinenzustand& z) {
    const TKonfiguration& k = z.konfig;
    const TPunkt3D& p = k.PositionAbReferenz;
    const TPunkt3D& l = k.Spindellaenge;
    const TPunkt3D weitester{std::max(std::abs(p.x), std::abs(l.x)),
                             std::max(std::abs(p.y), std::abs(l.y)),
                             std::max(std::abs(p.z), std::abs(l.z))};
    const double ganz = Heimfahrzeit(k, weitester);
    const auto dauer = static_cast<double>(z.Verfahrdauer);
    return std::isfinite(ganz) ? std::max(dauer, ganz) : dauer;
}

} // namespace

void SchnittstelleVorbereiten(IselZugang a, std::uint8_t portNummer) {
    Steuerleitung* leitung = a.maschine.leitung;
    if (!leitung) {
        return;
    }
    if (portNummer > 0) {
        leitung->PortWaehlen(std::min<int>(portNummer, detail::kHoechsterPort));
    }
    Antwortpuffer& antwort = a.maschine.Antwort;
    leitung->Oeffnen(
        [&antwort, leitung] { antwort.Fuellen([leitung] { return leitung->Lesen(); }); });
    a.bediener.NachrichtenVerarbeiten();
    // Whatever arrived before (late replies of an aborted run) must never
    // pass for the reply to the next command.
    leitung->EmpfangVerwerfen();
    antwort.Leeren();
    leitung->Senden(std::string(isel::kEinrichten) += isel::kZeilenende);
}

void ReferenzfahrtAusfuehren(IselZugang a) {
    Maschinenzustand& z = a.zustand;
    Bediener& b = a.bediener;
    b.AnzeigeSetzen(Anzeige::Ziel, "Referenzfahren");
    b.AnzeigeSetzen(Anzeige::Hinweis, Punkttext(a, z.konfig.PositionAbReferenz));

    bool ok = false;
    if (!MaschineBenutzt(z.konfig.Grafikmodus)) {
        ok = true;
        z.Verfahrdauer = AufInt32(static_cast<double>(ReferenzDauer(z)) * z.SimulationsZeitFaktor);
    } else {
        SchnittstelleVorbereiten(a, z.konfig.ComPortNummer);
        z.Verfahrdauer = ReferenzDauer(z);
        // After a command that was not confirmed nothing more is sent.
        if (!BefehlSenden(a, isel::kAchsenInitialisieren, isel::kDauerEinstellungMs) ||
            z.stopp.Abbruch()) {
            return;
        }
        if (!BefehlSenden(a, isel::kReferenzGeschwindigkeit, isel::kDauerEinstellungMs)) {
            b.Meldung(meldung::ReferenzgeschwindigkeitFehler());
            return;
        }
        if (!BefehlSenden(a, isel::kEbeneXY, isel::kDauerEbeneReferenzMs)) {
            b.Meldung(meldung::InterpolationsebeneFehler());
            return;
        }
        if (!z.stopp.Abbruch()) {
            // The controller's error replies to the reference run itself are
            // not shown as errors; still only a "0" completes it.
            z.FehlermeldungUnterdruecken = true;
            const detail::Befehlsantwort r =
                detail::BefehlMitAntwort(a, isel::kReferenzfahrt, ReferenzWartedauer(z));
            z.FehlermeldungUnterdruecken = false;
            ok = r.ok;
            if (!ok && !r.antwort.empty() && !z.stopp.Abbruch()) {
                const std::string kurz = r.antwort.substr(0, 10);
                b.Meldung(meldung::ReferenzfahrtNichtAbgeschlossen(
                    kurz, Fehlertabelle()[FehlerIndex(kurz.front())]));
            }
        }
    }
    if (!ok || z.stopp.Abbruch()) {
        return;
    }

    z.ReferenzAngefahren = true;
    a.maschine.NullpunktGewaehlt = false;
    z.stopp.Freigeben();
    z.PositionM = {0.0, 0.0, 0.0};
    // The reference point is the zero point: the tool stands at its origin in
    // workpiece coordinates, at the top of the z travel in machine
    // coordinates, so that M = zero point + W holds from here on; the tool
    // in use is the one the tool lengths are measured against.
    z.NullpunktSetzen({0.0, 0.0, z.konfig.Spindellaenge.z});
    z.PositionM = z.WerkstueckNullpunkt;
    z.WerkzeugPositionW = {0.0, 0.0, 0.0};
    b.AnzeigeSetzen(Anzeige::Ziel, "Position (M)");
    b.AnzeigeSetzen(Anzeige::X, a.format.Fest(z.PositionM.x, 15, 2));
    b.AnzeigeSetzen(Anzeige::Y, a.format.Fest(z.PositionM.y, 15, 2));
    b.AnzeigeSetzen(Anzeige::Z, a.format.Fest(z.PositionM.z, 15, 2));
    z.konfig.PositionAbReferenz = {0.0, 0.0, 0.0};
    b.AnzeigeSetzen(Anzeige::Hinweis, Punkttext(a, z.konfig.PositionAbReferenz));
    // Last, so that a test display refreshed there shows the reset positions;
    // the motion flags it clears are read by no step above.
    if (a.maschine.beiReferenzErreicht) {
        a.maschine.beiReferenzErreicht();
    }
}

void NotausSenden(IselZugang a) {
    // The stop byte goes out with Abbruch set: no reply is awaited or judged.
    if (a.zustand.ReferenzAngefahren) {
        static_cast<void>(
            BefehlSenden(a, std::string_view(&isel::kStoppNachReferenz, 1), isel::kDauerStoppMs));
    } else {
        static_cast<void>(
            BefehlSenden(a, std::string_view(&isel::kStoppVorReferenz, 1), isel::kDauerStoppMs));
        a.bediener.Meldung(meldung::NotausBeiReferenzfahrt());
    }
}

} // namespace korvx
