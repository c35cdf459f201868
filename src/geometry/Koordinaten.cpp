#include "geometry/Koordinaten.h"

#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

namespace korvx {

TPunkt3D NachMaschinenKoord(const Maschinenzustand& zustand, const TPunkt3D& w) {
    const TPunkt3D& z = zustand.WerkstueckNullpunkt;
    const double x = zustand.konfig.RechteHandRegel ? z.x + w.x : z.x - w.x;
    return {x, z.y + w.y, z.z + w.z + zustand.Laengenversatz()};
}

void NachMaschinenKoord(const Maschinenzustand& zustand, const TPunkt3D& startW,
                        const TPunkt3D& endeW, TPunkt3D& startM, TPunkt3D& endeM) {
    startM = NachMaschinenKoord(zustand, startW);
    endeM = NachMaschinenKoord(zustand, endeW);
}

TPunkt3D NachWerkstueckKoord(const Maschinenzustand& zustand, const TPunkt3D& m) {
    const TPunkt3D& z = zustand.WerkstueckNullpunkt;
    const double x = zustand.konfig.RechteHandRegel ? m.x - z.x : z.x - m.x;
    return {x, m.y - z.y, m.z - z.z - zustand.Laengenversatz()};
}

void NachWerkstueckKoord(const Maschinenzustand& zustand, const TPunkt3D& startM,
                         const TPunkt3D& endeM, TPunkt3D& startW, TPunkt3D& endeW) {
    startW = NachWerkstueckKoord(zustand, startM);
    endeW = NachWerkstueckKoord(zustand, endeM);
}

TPunkt3D MaschinenPunktAddieren(Bediener& bediener, Maschinenzustand& zustand, bool maschinenKoord,
                                const TPunkt3D& punkt, const TPunkt3D& versatz) {
    if (!maschinenKoord) {
        // The run is stopped; whether the program ends is for the window or
        // the runner to decide, never for the logic.
        bediener.Meldung(meldung::MaschinenkoordinatenErwartet());
        zustand.stopp.Abbrechen();
        return punkt;
    }
    return {punkt.x + versatz.x, punkt.y + versatz.y, punkt.z + versatz.z};
}

} // namespace korvx
