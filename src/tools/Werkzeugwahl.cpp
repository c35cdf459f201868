#include "tools/Werkzeugwahl.h"

#include "state/Meldungen.h"
#include "tools/Werkzeugliste.h"

namespace korvx {

void WkzAnzeigen(WkzZugang anlage, const TWerkzeug& werkzeug) {
    Bediener& b = anlage.bediener;
    if (!b.AnzeigenSichtbar() || !b.ElementAktiv(Element::WerkzeugAnzeige)) {
        return;
    }
    b.AnzeigeSetzen(Anzeige::Werkzeug,
                    meldung::WkzAnzeigeWerkzeug(werkzeug.Nummer, werkzeug.Benennung.Text()));
    b.AnzeigeSetzen(Anzeige::Laenge,
                    meldung::WkzAnzeigeLaenge(anlage.format.Fest(werkzeug.Laenge, 5, 2)));
    b.AnzeigeSetzen(Anzeige::Durchmesser,
                    meldung::WkzAnzeigeDurchmesser(anlage.format.Fest(werkzeug.Durchmesser, 5, 2)));
}

std::array<std::string, 6> WkzZellen(const Zahlenformat& format, const TWerkzeug& werkzeug) {
    return {std::to_string(werkzeug.Nummer),         werkzeug.Benennung.Text(),
            format.Fest(werkzeug.Laenge, 12, 2),     format.Fest(werkzeug.Durchmesser, 12, 2),
            format.Fest(werkzeug.Nutzlaenge, 12, 2), std::to_string(werkzeug.Farbe)};
}

WkzWahl WkzWaehlen(WkzZugang anlage, std::uint8_t nummer,
                   const std::function<bool(const TPunkt3D&)>& positionieren) {
    auto& zustand = anlage.zustand;
    WkzWahl ergebnis = WkzWahl::Unveraendert;
    if (nummer != 0) {
        const TWerkzeug neu = WkzSuchen(anlage.werkzeuge, nummer);
        if (neu.Nummer == 0) {
            anlage.bediener.Meldung(meldung::WkzNichtInListe(nummer));
            return WkzWahl::NichtGelistet;
        }
        if (zustand.ReferenzAngefahren) {
            // The spindle moves by the difference of the lengths; the tip
            // stays where it was, so its position is kept.
            const TPunkt3D vorher = zustand.WerkzeugPositionW;
            TPunkt3D ziel = vorher;
            ziel.z += neu.Laenge - zustand.konfig.AktuellesWerkzeug.Laenge;
            if (positionieren && !positionieren(ziel)) {
                // The move was refused or stopped: the old tool stays in use,
                // so the tool shown matches the length offset.
                WkzAnzeigen(anlage, zustand.konfig.AktuellesWerkzeug);
                return WkzWahl::NichtGefahren;
            }
            zustand.WerkzeugPositionW = vorher;
        }
        zustand.WerkzeugEinsetzen(neu);
        ergebnis = WkzWahl::Gewaehlt;
    }
    WkzAnzeigen(anlage, zustand.konfig.AktuellesWerkzeug);
    return ergebnis;
}

} // namespace korvx
