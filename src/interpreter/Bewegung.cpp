#include "interpreter/Bewegung.h"

#include "geometry/Koordinaten.h"
#include "geometry/Umrechnung.h"
#include "geometry/Vektor.h"
#include "graphics/Bahn.h"
#include "graphics/Grafikzustand.h"
#include "interpreter/Fahrausgabe.h"
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"
#include "tools/Werkzeugwahl.h"

#include <algorithm>
#include <cmath>

namespace korvx {

namespace {

std::string Zahl(Laufumgebung& u, double v) {
    return u.format.Fest(v, 15, 2);
}

// The override in force for the next move: the operator's percentage for
// the feed moves of a run, 100 for rapid moves and outside a run. A run that
// only reads the program (redirected moves) counts at 100 %, so the time
// estimates it makes keep the feed share an override then scales.
std::int32_t ProzentFuerFahrt(const Laufumgebung& u) {
    if (!u.lauf.laeuft || u.zustand.EilgangAktiv || u.lauf.umleitung != nullptr) {
        return kVorschubNormal;
    }
    return u.lauf.vorschubProzent;
}

// BefohleneGeschwindigkeiten of the velocities in force with the step rates
// of the move command, scaled by the override in force; computed again only
// when they, the override or the machine data changed.
const decltype(Laufzustand::geschwindigkeiten)& Befohlen(Laufumgebung& u) {
    const TKonfiguration& k = u.zustand.konfig;
    auto& c = u.lauf.geschwindigkeiten;
    const std::int32_t prozent = ProzentFuerFahrt(u);
    if (!(c.fuer == k.AktGeschw) || !(c.steigung == k.Spindelsteigung) ||
        c.schritte != k.SchritteProUmdrehung || c.faktor != k.Schrittfaktor ||
        c.prozent != prozent) {
        c.fuer = k.AktGeschw;
        c.steigung = k.Spindelsteigung;
        c.schritte = k.SchritteProUmdrehung;
        c.faktor = k.Schrittfaktor;
        c.prozent = prozent;
        c.befohlen = BefohleneGeschwindigkeiten(u.zustand, k.AktGeschw);
        const TGeschwindigkeiten& v = k.AktGeschw;
        c.raten = SchrittRaten(u.zustand, {v.x, v.y, v.z1, v.z2});
        if (prozent != kVorschubNormal) {
            // The override scales the rate the controller would run at, so it
            // acts even where the programmed feed lies beyond the limit; the
            // velocities of the duration follow the scaled rates.
            const std::array<std::int32_t, 4> skaliert = RatenSkaliert(c.raten, prozent);
            double* geschw[4] = {&c.befohlen.x, &c.befohlen.y, &c.befohlen.z1, &c.befohlen.z2};
            for (std::size_t i = 0; i < 4; ++i) {
                if (c.raten[i] > 0) {
                    *geschw[i] *=
                        static_cast<double>(skaliert[i]) / static_cast<double>(c.raten[i]);
                }
            }
            c.raten = skaliert;
        }
    }
    return c;
}

// What a target outside the protection zone does: the operator is told, the
// run ends after the block and the reference counts as lost.
void BereichVerletzt(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    u.bediener.Meldung(meldung::BereichVerlassen());
    // The violation stops the work: nothing more is sent and the reference
    // counts as lost, as after an abort.
    z.stopp.BereichVerlassen();
    if (GrafikZeichnet(z.konfig.Grafikmodus)) {
        u.bediener.ElementSetzen(Element::Grafik, true, true);
    }
    ReferenzVerloren(u);
}

// The common part of every move: the step counts of the four axis distances
// (x, y, z, second z as the controller counts them), refused beyond the
// controller's counter, then the move handed to the output of the graphic
// mode. True when the move counts as made.
bool BefehlAusfuehren(Laufumgebung& u, const TAchsWerte& weg, Zeichnung zeichnen = {}) {
    Maschinenzustand& z = u.zustand;
    TAchsen achsen{};
    for (std::size_t i = 0; i < 4; ++i) {
        achsen[i] = weg[i] != 0.0;
    }
    // A distance that is not finite (from data no check caught) counts as
    // beyond the range; SchrittZahl would make 0 of NaN.
    bool endlich = true;
    for (double w : weg) {
        endlich = endlich && std::isfinite(w);
    }
    const std::array<std::int64_t, 4> schritte = Schrittzahlen(z, achsen, weg);
    if (!endlich || !SchrittzahlenImBereich(schritte)) {
        // The step count would not fit the controller's counter: refused like
        // a target outside the protection zone, so no wrapped count is sent.
        BereichVerletzt(u);
        return false;
    }
    const Fahrauftrag auftrag{schritte, Befohlen(u).raten, z.Verfahrdauer, zeichnen};
    ++u.lauf.bewegungen;
    Ausgeben(u, auftrag);
    u.bediener.ElementSetzen(Element::NotausKnopf, false, false);
    if (z.stopp.Abbruch()) {
        ReferenzVerloren(u);
        return false;
    }
    // A reply that does not confirm the move sets Abbruch; without it the
    // position is taken as reached.
    return true;
}

// Distances corrected by the read-back position so that a move ends at its
// target even when the last one ended short or long; unchanged where no
// controller takes part. False when the query failed (Abbruch is set then).
bool NachRueckmeldungKorrigieren(Laufumgebung& u, const TPunkt3D& aktuell, TAchsWerte& d,
                                 bool maschinenKoord) {
    const Rueckmeldung r = PositionVorDerFahrt(u);
    if (!r.ok) {
        return false;
    }
    if (r.ist) {
        // The read-back is in workpiece coordinates; in machine coordinates
        // the correction is the same difference converted.
        const TPunkt3D ist = maschinenKoord ? NachMaschinenKoord(u.zustand, *r.ist) : *r.ist;
        d[0] += aktuell.x - ist.x;
        d[1] += aktuell.y - ist.y;
        d[2] += aktuell.z - ist.z;
    }
    return true;
}

} // namespace

void ReferenzVerloren(Laufumgebung u) {
    Bediener& b = u.bediener;
    u.zustand.ReferenzAngefahren = false;
    const std::string unbekannt = meldung::UnbekanntePosition(u.format);
    b.AnzeigeSetzen(Anzeige::X, unbekannt);
    b.AnzeigeSetzen(Anzeige::Y, unbekannt);
    b.AnzeigeSetzen(Anzeige::Z, unbekannt);
    b.AnzeigeSetzen(Anzeige::Ziel, "");
    b.AnzeigeSetzen(Anzeige::Geschwindigkeit, meldung::Referenzgeschwindigkeit());
}

void PunktZeigen(Laufumgebung u, std::string_view titel, const TPunkt3D& punkt) {
    Bediener& b = u.bediener;
    if (!b.AnzeigenSichtbar()) {
        return;
    }
    b.AnzeigeSetzen(Anzeige::Ziel, titel);
    b.AnzeigeSetzen(Anzeige::X, Zahl(u, punkt.x));
    b.AnzeigeSetzen(Anzeige::Y, Zahl(u, punkt.y));
    b.AnzeigeSetzen(Anzeige::Z, Zahl(u, punkt.z));
}

void PositionMZeigen(Laufumgebung u) {
    if (!u.bediener.AnzeigenSichtbar()) {
        return;
    }
    const TPunkt3D& m = u.zustand.PositionM;
    u.bediener.AnzeigeSetzen(Anzeige::Hinweis,
                             Zahl(u, m.x) + "/" + Zahl(u, m.y) + "/" + Zahl(u, m.z));
}

void GeschwindigkeitZeigen(Laufumgebung u) {
    u.bediener.AnzeigeSetzen(Anzeige::Geschwindigkeit, u.zustand.EilgangAktiv
                                                           ? meldung::VerfahrgeschwindigkeitG00()
                                                           : meldung::VerfahrgeschwindigkeitG01());
}

bool Geradeverfahren(Laufumgebung u, TPunkt3D& aktuell, const TPunkt3D& ziel) {
    Maschinenzustand& z = u.zustand;
    // The velocities follow G00/G01 for every move, so an F or S word read
    // after the G word of a block is in force for that block's move.
    z.GeschwindigkeitWaehlen(z.EilgangAktiv);
    const bool korrekturAktiv = u.lauf.korrektur != kKorrekturAus;
    if (!korrekturAktiv) {
        PunktZeigen(u, meldung::ZielpunktW(), ziel);
    }
    WkzAnzeigen(u, z.konfig.AktuellesWerkzeug);

    TAchsWerte d = PunktDifferenz(ziel, aktuell);
    const TPunkt3D zielM = NachMaschinenKoord(z, ziel);
    bool ok = true;
    if (!PunktImQuader(zielM, z.konfig.SchutzzoneMin, z.konfig.SchutzzoneMax)) {
        BereichVerletzt(u);
        ok = false;
    } else {
        PunktZeigen(u, meldung::ZielpunktW(), ziel);
        if (!NachRueckmeldungKorrigieren(u, aktuell, d, false)) {
            ReferenzVerloren(u);
            ok = false;
        }
    }
    if (ok) {
        // The estimate uses the velocities the controller really runs at, so
        // a feed of 0 never divides by zero and the wait matches the move.
        z.Verfahrdauer = Verfahrzeit(z, aktuell, ziel, Befohlen(u).befohlen);
        // x runs against the machine when the right-hand rule is not met; the
        // controller counts z downwards.
        const TAchsWerte weg = {z.konfig.RechteHandRegel ? d[0] : -d[0], d[1], -d[2], -d[3]};
        const TPunkt3D start = aktuell;
        // The segment's drawing, called by the outputs that draw.
        auto zeichnen = [&] {
            BahnZeichnen(u, start, ziel, z.konfig.AktuellesWerkzeug, u.grafik.ErsterPunkt,
                         z.konfig.BahnDarstellung, z.EilgangAktiv);
            u.grafik.Gezeichnet = true;
        };
        ok = BefehlAusfuehren(u, weg, Zeichnung(zeichnen));
        if (ok) {
            aktuell = ziel;
            if (MaschineBenutzt(z.konfig.Grafikmodus)) {
                PunktZeigen(u, meldung::PositionW(), aktuell);
            }
        }
    }
    z.PositionM = ok ? zielM : NachMaschinenKoord(z, aktuell);
    PositionMZeigen(u);
    return ok;
}

bool Weiterfahren(Laufumgebung u, const TPunkt3D& ziel) {
    Maschinenzustand& z = u.zustand;
    Geradeverfahren(u, z.WerkzeugPositionW, ziel);
    if (z.stopp.Abbruch()) {
        ReferenzVerloren(u);
        z.stopp.Beenden();
        return false;
    }
    return !z.stopp.Abgebrochen();
}

bool GeradeverfahrenM(Laufumgebung u, TPunkt3D& aktuellM, const TPunkt3D& zielM, MFahrt optionen) {
    Maschinenzustand& z = u.zustand;
    PunktZeigen(u, meldung::ZielpunktM(), zielM);
    if (!PunktImQuader(zielM, z.konfig.SchutzzoneMin, z.konfig.SchutzzoneMax)) {
        BereichVerletzt(u);
        return false;
    }
    TAchsWerte d = PunktDifferenz(zielM, aktuellM);
    if (!NachRueckmeldungKorrigieren(u, aktuellM, d, true)) {
        ReferenzVerloren(u);
        return false;
    }
    const std::int32_t dauer = Verfahrzeit(z, aktuellM, zielM, Befohlen(u).befohlen);
    z.Verfahrdauer = std::max(optionen.mindestDauerMs, dauer);
    // Machine x counts with the controller; z counts downwards.
    TAchsWerte weg = {d[0], d[1], -d[2], -d[3]};
    if (optionen.zHochAlsZweitesZ && d[2] > 0.0) {
        weg[3] = weg[2];
        weg[2] = 0.0;
    }
    if (!BefehlAusfuehren(u, weg)) {
        return false;
    }
    aktuellM = zielM;
    z.PositionM = zielM;
    z.WerkzeugPositionW = NachWerkstueckKoord(z, zielM);
    PunktZeigen(u, meldung::PositionM(), zielM);
    return true;
}

std::int32_t VorschubSchritt(std::int32_t prozent, int richtung) {
    const std::int32_t neu = richtung > 0 ? prozent + kVorschubSchritt
                                          : (richtung < 0 ? prozent - kVorschubSchritt : prozent);
    return std::clamp(neu, kVorschubMin, kVorschubMax);
}

bool VorschubGueltig(std::int32_t prozent) {
    return prozent >= kVorschubMin && prozent <= kVorschubMax && prozent % kVorschubSchritt == 0;
}

std::array<std::int32_t, 4> RatenSkaliert(const std::array<std::int32_t, 4>& raten,
                                          std::int32_t prozent) {
    if (prozent == kVorschubNormal) {
        return raten;
    }
    std::array<std::int32_t, 4> r{};
    for (std::size_t i = 0; i < 4; ++i) {
        const double v = std::nearbyint(static_cast<double>(raten[i]) * prozent / 100.0);
        r[i] = static_cast<std::int32_t>(std::clamp(v, static_cast<double>(isel::kRateMin),
                                                    static_cast<double>(isel::kRateMax)));
    }
    return r;
}

double DrehzahlAusS(double s) {
    double n = 750.0;
    // Bounded: a speed beyond any spindle stops doubling at 2^40 × 750.
    for (int i = 0; i < 40 && !(n > s / 2.0); ++i) {
        n *= 2.0;
    }
    return n;
}

void BahnvorschubSetzen(Laufumgebung u, double v) {
    TGeschwindigkeiten& a = u.zustand.konfig.ArbeitsGeschw;
    a.x = v;
    a.y = v;
    a.z1 = v;
}

void VorschubSetzen(Laufumgebung u, double f) {
    auto& k = u.zustand.konfig;
    double v = f;
    if (u.lauf.vorschubProUmdrehung) {
        k.Vorschub = f;
        v = f * k.Drehzahl / 1000.0;
    }
    BahnvorschubSetzen(u, v);
    if (u.lauf.statusAuffrischen) {
        u.lauf.statusAuffrischen();
    }
}

bool DrehzahlSetzen(Laufumgebung u, double s) {
    auto& k = u.zustand.konfig;
    if (!u.lauf.schnittgeschwindigkeit) {
        k.Drehzahl = DrehzahlAusS(s);
    } else {
        k.Schnittgeschwindigkeit = s;
        const double d = k.AktuellesWerkzeug.Durchmesser;
        if (d == 0.0) {
            u.bediener.Meldung(meldung::FehlerhafterDurchmesser());
            u.zustand.stopp.Beenden();
            return false;
        }
        k.Drehzahl = Drehzahlstufe(s, d);
    }
    if (u.lauf.vorschubProUmdrehung) {
        BahnvorschubSetzen(u, k.Vorschub * k.Drehzahl / 1000.0);
    }
    if (u.lauf.statusAuffrischen) {
        u.lauf.statusAuffrischen();
    }
    return true;
}

} // namespace korvx
