#include "geometry/Bahnausgabe.h"
#include "geometry/Koordinaten.h"
#include "geometry/Korrektur.h"
#include "geometry/Kreis.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

namespace korvx {

namespace {

bool Halt(const Maschinenzustand& z) {
    return z.stopp.Gestoppt();
}

void Fahren(KorrekturZugang anlage, Bahnausgabe& ausgabe, TPunkt3D& aktuell, const TPunkt3D& ziel) {
    ausgabe.Verfahren(aktuell, ziel);
    anlage.zustand.PositionM = NachMaschinenKoord(anlage.zustand, aktuell);
}

} // namespace

// A stop from any side ends the walk: `Abgebrochen` (run to end) as well as
// `Abbruch` (abort, emergency stop, controller error, "No" in step mode), so
// that nothing is moved after it.
void KorrekturAusfuehren(KorrekturZugang anlage, Bahnausgabe& ausgabe, const TKorrekturListe& liste,
                         TPunkt3D& aktuell) {
    Maschinenzustand& zustand = anlage.zustand;
    Bediener& bediener = anlage.bediener;
    const std::string* gezeigt = nullptr;
    for (const TKorrekturSatz& satz : liste) {
        if (Halt(zustand)) {
            return;
        }
        ausgabe.BewegungsartSetzen(satz.art);
        ausgabe.GeschwindigkeitWaehlen(satz.vorschubart != 0);
        if (gezeigt == nullptr || *gezeigt != satz.satz) {
            ausgabe.SatzZeigen(satz.satz);
            gezeigt = &satz.satz;
        }
        bediener.NachrichtenVerarbeiten();
        if (Halt(zustand)) {
            return;
        }

        switch (satz.art) {
        case kSatzGerade:
            if (zustand.konfig.Schrittbetrieb) {
                const Antwort3 antwort = bediener.FrageMitAbbruch(meldung::NaechsterNCSatz());
                if (antwort == Antwort3::Nein) {
                    zustand.stopp.SendenSperren();
                    return;
                }
                // Cancel leaves step mode and the run goes on without stops;
                // the move itself is made, since skipping it would cut
                // straight to the next corner.
                if (antwort == Antwort3::Abbrechen) {
                    zustand.konfig.Schrittbetrieb = false;
                }
                // The question waits for the operator; a stop pressed
                // meanwhile counts before the answer.
                if (Halt(zustand)) {
                    return;
                }
            }
            Fahren(anlage, ausgabe, aktuell, satz.ende);
            break;
        case kSatzKreisUhr:
        case kSatzKreisGegenUhr: {
            TKreis& kreis = anlage.kreis;
            if (!KreisInitialisieren(kreis, bediener, satz.art, aktuell, satz.ende.x, satz.ende.y,
                                     satz.I, satz.J)) {
                // The arc cannot be run; going on would cut straight to the
                // next corner.
                zustand.stopp.Beenden();
                return;
            }
            bool fertig = false;
            while (!fertig && !Halt(zustand)) {
                const Kreispunkt p = KreisNaechsterPunkt(kreis, bediener, satz.satz, satz.art);
                fertig = p.fertig;
                Fahren(anlage, ausgabe, aktuell, {p.erste, p.zweite, satz.ende.z});
            }
            break;
        }
        case kSatzNullpunkt: {
            // The tool stays where it is: its machine position is kept and its
            // workpiece position follows the new zero point.
            const TPunkt3D m = NachMaschinenKoord(zustand, aktuell);
            zustand.WerkstueckNullpunkt = satz.ende;
            aktuell = NachWerkstueckKoord(zustand, m);
            zustand.PositionM = m;
            ausgabe.ZielpunktZeigen(aktuell);
            break;
        }
        case kSatzNullpunktAufheben:
            ausgabe.NullpunktverschiebungAufheben(aktuell);
            zustand.PositionM = NachMaschinenKoord(zustand, aktuell);
            break;
        default:
            break;
        }
    }
}

} // namespace korvx
