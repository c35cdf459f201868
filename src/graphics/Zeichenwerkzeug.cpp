#include "graphics/Zeichenwerkzeug.h"

#include "state/Meldungen.h"

namespace korvx {

void LinienStil(Leinwand& leinwand, Bediener& bediener, int stil, int breite) {
    if (stil < 0 || stil > static_cast<int>(StiftStil::InnenRahmen)) {
        bediener.Meldung(meldung::UnbekannterLinienstil());
        leinwand.StiftArt(leinwand.StiftLesen().stil, breite);
        return;
    }
    leinwand.StiftArt(static_cast<StiftStil>(stil), breite);
}

} // namespace korvx
