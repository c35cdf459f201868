#include "graphics/GrafikDatei.h"

#include "graphics/Grafikzustand.h"
#include "graphics/Sicherung.h"
#include "state/Bediener.h"
#include "state/Dateien.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

namespace korvx {

std::string GrafikDateiname(GrafikZugang anlage) {
    const TPfadTeile teile = PfadZerlegen(anlage.zustand.konfig.TeileprogrammDatei.Text());
    return "Korvelantrix_Grafik_" + teile.name + ".BMP";
}

bool GrafikSpeichern(GrafikZugang anlage, Leinwand& bild) {
    Bediener& b = anlage.bediener;
    const std::string name = GrafikDateiname(anlage);
    if (!b.Frage(meldung::GrafikSpeichernFrage(name))) {
        return false;
    }
    if (!NummernSichern(b, name)) {
        return false;
    }
    const std::vector<std::uint8_t> daten = bild.Bitmap();
    if (daten.empty() || !DateiSicherSchreiben(name, daten)) {
        b.Meldung(meldung::FehlerBeimSpeichern(name));
        return false;
    }
    return true;
}

} // namespace korvx
