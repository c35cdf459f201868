#include "interpreter/Handbetrieb.h"

#include "geometry/Koordinaten.h"
#include "interpreter/Bewegung.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "tools/Werkzeugliste.h"
#include "tools/Werkzeugwahl.h"

#include <cmath>

namespace korvx {

namespace {

// Manual moves in machine coordinates: the reply wait allows at least 100 ms
// or the time the move needs, and a z move upwards goes in the second-z slot.
constexpr MFahrt kHandfahrt{100, true};

// A zone violation recorded by an earlier program run would make the straight
// move stop and drop the reference after a manual move that is in range; no
// run is under way while the operator positions by hand.
void LaufmarkenLoeschen(Laufumgebung& u) {
    u.zustand.stopp.BereichVergessen();
}

// The end of a manual move that did not arrive: after a stop the reference is
// lost, so no further command goes out before a new reference run.
void NachFehlschlag(Laufumgebung& u) {
    if (u.zustand.stopp.Abbruch() && u.zustand.ReferenzAngefahren) {
        ReferenzVerloren(u);
    }
}

// Moves the machine to the point jogged in mode 0 when it is not there yet.
// False when that move did not arrive.
bool AnfahrZielErreichen(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    if (z.PositionM == u.hand.NullpunktAnfahrZiel) {
        return true;
    }
    LaufmarkenLoeschen(u);
    TPunkt3D m = z.PositionM;
    if (!GeradeverfahrenM(u, m, u.hand.NullpunktAnfahrZiel, kHandfahrt)) {
        NachFehlschlag(u);
        return false;
    }
    return true;
}

// Moves the tool to the point jogged in mode 1 when it is not there yet.
bool ZielpunktErreichen(Laufumgebung& u) {
    Maschinenzustand& z = u.zustand;
    if (z.WerkzeugPositionW == u.hand.Zielpunkt) {
        return true;
    }
    LaufmarkenLoeschen(u);
    if (!Geradeverfahren(u, z.WerkzeugPositionW, u.hand.Zielpunkt)) {
        NachFehlschlag(u);
        return false;
    }
    return true;
}

} // namespace

bool ImVerfahrbereich(const Maschinenzustand& z, const TPunkt3D& p) {
    return PunktImQuader(p, z.konfig.VerfahrbereichMin, z.konfig.Spindellaenge);
}

bool Handbetrieb::Schritt(char zeichen) {
    return Tippschritt(u_, zeichen);
}

std::string Handbetrieb::SchrittHinweis(char zeichen) const {
    const TKonfiguration& k = u_.zustand.konfig;
    const bool fein = zeichen == '-' || zeichen == '+';
    const double weg = fein ? k.HandSchrittweite / k.HandTeiler : k.HandSchrittweite;
    return meldung::TippSchrittHinweis(zeichen, u_.format.Fest(std::abs(weg), 15, 2));
}

bool Handbetrieb::XAktiv() const {
    return u_.hand.AktiveAchsen[0];
}

bool Handbetrieb::YAktiv() const {
    return u_.hand.AktiveAchsen[1];
}

bool Handbetrieb::ZAktiv() const {
    return u_.hand.AktiveAchsen[2] || u_.hand.AktiveAchsen[3];
}

void Handbetrieb::AchsenSetzen(bool x, bool y, bool z) {
    u_.hand.AktiveAchsen = {x, y, z, false};
}

bool NullpunktSetzen(Laufumgebung u, Punkteingabe& form) {
    Maschinenzustand& z = u.zustand;
    if (!z.ReferenzAngefahren) {
        u.bediener.Meldung(meldung::ReferenzOderWerkzeugFehlt());
        return false;
    }
    u.hand.PunktEingabeArt = kEingabeNullpunkt;
    GeschwindigkeitZeigen(u);
    z.stopp.Fortsetzen();
    TPunkt3D neu = z.WerkstueckNullpunkt;
    if (!form.Punkt(kEingabeNullpunkt, neu)) {
        return false;
    }
    z.NullpunktSetzen(neu);
    u.maschine.NullpunktGewaehlt = true;
    // The tool has not moved: its workpiece position follows the new zero
    // point, for either sense of the x axis, and the tool in use is now the
    // one the lengths are measured against.
    z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
    PunktZeigen(u, meldung::PositionW(), z.WerkzeugPositionW);
    return true;
}

bool NullpunktAnfahren(Laufumgebung u, Tippeingabe& form) {
    Maschinenzustand& z = u.zustand;
    Bediener& b = u.bediener;
    Handzustand& h = u.hand;
    if (!z.ReferenzAngefahren) {
        return false;
    }
    const TPunkt3D alterNullpunkt = z.WerkstueckNullpunkt;
    h.NullpunktAnfahrZiel = z.WerkstueckNullpunkt;
    if (u.maschine.NullpunktGewaehlt && b.Frage(meldung::NullpunktWirdAngefahren())) {
        WkzAnzeigen(u, z.konfig.AktuellesWerkzeug);
        GeschwindigkeitZeigen(u);
        b.ElementSetzen(Element::NotausKnopf, true, true);
        const bool angekommen = AnfahrZielErreichen(u);
        b.ElementSetzen(Element::NotausKnopf, false, false);
        if (!angekommen) {
            // The reference is lost: no jog step could follow.
            return false;
        }
    }
    h.PunktEingabeArt = kEingabeNullpunkt;
    z.stopp.Fortsetzen();
    Handbetrieb hand(u);
    const bool uebernommen = form.Tippen(kEingabeNullpunkt, hand);
    z.stopp.Fortsetzen();
    if (uebernommen) {
        z.NullpunktSetzen(h.NullpunktAnfahrZiel);
        u.maschine.NullpunktGewaehlt = true;
    } else {
        z.WerkstueckNullpunkt = alterNullpunkt;
    }
    // The jog steps keep PositionM where the machine stands; when it reached
    // the taught point the tool stands at the workpiece origin. Taken from
    // PositionM, W also stays true when the machine never went there.
    z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
    PositionMZeigen(u);
    return uebernommen;
}

bool PunktAnfahren(Laufumgebung u, Punkteingabe& form) {
    Maschinenzustand& z = u.zustand;
    Bediener& b = u.bediener;
    Handzustand& h = u.hand;
    if (!u.maschine.NullpunktGewaehlt) {
        b.Meldung(meldung::NullpunktNichtGesetzt());
        return false;
    }
    h.PunktEingabeArt = kEingabeZielpunkt;
    z.stopp.Fortsetzen();
    TPunkt3D ziel = z.WerkzeugPositionW;
    if (!form.Punkt(kEingabeZielpunkt, ziel)) {
        return false;
    }
    h.Zielpunkt = ziel;
    b.ElementSetzen(Element::NotausKnopf, true, true);
    bool bewegt = false;
    if (!z.ReferenzAngefahren) {
        b.Meldung(meldung::ReferenzOderWerkzeugFehlt());
    } else {
        PunktZeigen(u, meldung::ZielpunktW(), h.Zielpunkt);
        const TPunkt3D zielM = NachMaschinenKoord(z, h.Zielpunkt);
        if (!PunktImQuader(zielM, z.konfig.SchutzzoneMin, z.konfig.SchutzzoneMax)) {
            // Asked once: the point cannot change while the question repeats.
            // Yes asks for a stop; No lets the operator enter another point.
            if (b.Frage(meldung::PunktAusserhalbAbbruch())) {
                z.stopp.Beenden();
            }
        } else {
            LaufmarkenLoeschen(u);
            bewegt = Geradeverfahren(u, z.WerkzeugPositionW, h.Zielpunkt);
            if (bewegt) {
                PositionMZeigen(u);
            } else {
                NachFehlschlag(u);
            }
        }
    }
    b.ElementSetzen(Element::NotausKnopf, false, false);
    return bewegt;
}

bool WerkzeugTippen(Laufumgebung u, Tippeingabe& form, bool melden) {
    Maschinenzustand& z = u.zustand;
    Bediener& b = u.bediener;
    Handzustand& h = u.hand;
    if (!u.maschine.NullpunktGewaehlt) {
        if (melden) {
            b.Meldung(meldung::NullpunktNichtGewaehlt());
        }
        return false;
    }
    // The zero point survives an emergency stop; the reference does not.
    if (!z.ReferenzAngefahren) {
        b.Meldung(meldung::ReferenzOderWerkzeugFehlt());
        return false;
    }
    h.PunktEingabeArt = kEingabeZielpunkt;
    h.Zielpunkt = z.WerkzeugPositionW;
    b.ElementSetzen(Element::NotausKnopf, true, true);
    z.stopp.Fortsetzen();
    Handbetrieb hand(u);
    const bool uebernommen = form.Tippen(kEingabeZielpunkt, hand);
    z.stopp.Fortsetzen();
    if (uebernommen) {
        z.WerkzeugPositionW = h.Zielpunkt;
    }
    b.ElementSetzen(Element::NotausKnopf, false, false);
    return uebernommen;
}

bool WkzNachfuehren(Laufumgebung u) {
    Maschinenzustand& z = u.zustand;
    const TWerkzeug& inBenutzung = z.konfig.AktuellesWerkzeug;
    if (inBenutzung.Nummer == 0) {
        return false;
    }
    const TWerkzeug eintrag = WkzSuchen(u.werkzeuge, inBenutzung.Nummer);
    if (eintrag.Nummer == 0 || eintrag == inBenutzung) {
        return false;
    }
    const bool laengeAnders = eintrag.Laenge != inBenutzung.Laenge;
    z.WerkzeugEinsetzen(eintrag);
    if (laengeAnders) {
        z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
        if (z.ReferenzAngefahren) {
            PunktZeigen(u, meldung::PositionW(), z.WerkzeugPositionW);
        }
    }
    WkzAnzeigen(u, z.konfig.AktuellesWerkzeug);
    return true;
}

bool Tippschritt(Laufumgebung u, char zeichen) {
    Maschinenzustand& z = u.zustand;
    Bediener& b = u.bediener;
    Handzustand& h = u.hand;
    const auto& k = z.konfig;
    const bool inM = h.PunktEingabeArt == kEingabeNullpunkt;
    if (inM) {
        if (!z.ReferenzAngefahren || !IrgendeineAchse(h.AktiveAchsen)) {
            b.Meldung(meldung::ReferenzOderAchseFehlt());
            return false;
        }
    } else {
        if (!u.maschine.NullpunktGewaehlt) {
            b.Meldung(meldung::NullpunktNichtGewaehlt());
            return false;
        }
        if (!z.ReferenzAngefahren) {
            b.Meldung(meldung::ReferenzOderWerkzeugFehlt());
            return false;
        }
    }
    h.Handschritte.fill(k.HandSchrittweite);

    // A step starts from the point being jogged.
    if (inM ? !AnfahrZielErreichen(u) : !ZielpunktErreichen(u)) {
        return false;
    }
    if (inM) {
        PunktZeigen(u, meldung::PositionM(), h.NullpunktAnfahrZiel);
    }
    WkzAnzeigen(u, k.AktuellesWerkzeug);

    double faktor = 0.0;
    switch (zeichen) {
    case '+':
        faktor = 1.0 / k.HandTeiler;
        break;
    case '-':
        faktor = -1.0 / k.HandTeiler;
        break;
    case '>':
        faktor = 1.0;
        break;
    case '<':
        faktor = -1.0;
        break;
    default:
        return false;
    }
    if (!IrgendeineAchse(h.AktiveAchsen)) {
        b.Meldung(meldung::KeineAktiveAchse());
        return false;
    }
    TAchsWerte zuwachs{};
    for (std::size_t i = 0; i < zuwachs.size(); ++i) {
        zuwachs[i] = h.Handschritte[i] * faktor;
    }

    TPunkt3D ziel = inM ? h.NullpunktAnfahrZiel : h.Zielpunkt;
    AchsenVersetzen(h.AktiveAchsen, ziel, zuwachs);
    const TPunkt3D zielM = inM ? ziel : NachMaschinenKoord(z, ziel);
    if (!PunktImQuader(zielM, k.SchutzzoneMin, k.SchutzzoneMax)) {
        b.Meldung(meldung::BereichVerlassen());
        return false;
    }
    PunktZeigen(u, inM ? meldung::ZielpunktM() : meldung::ZielpunktW(), ziel);
    LaufmarkenLoeschen(u);
    TPunkt3D m = z.PositionM;
    if (!GeradeverfahrenM(u, m, zielM, kHandfahrt)) {
        NachFehlschlag(u);
        return false;
    }
    if (inM) {
        h.NullpunktAnfahrZiel = zielM;
    } else {
        // Kept exactly as jogged, so the next step finds the tool at its
        // target and does not move there first.
        h.Zielpunkt = ziel;
        z.WerkzeugPositionW = ziel;
        PunktZeigen(u, meldung::PositionW(), ziel);
    }
    if (k.Testanzeige && h.testanzeigeAuffrischen) {
        h.testanzeigeAuffrischen();
    }
    return true;
}

} // namespace korvx
