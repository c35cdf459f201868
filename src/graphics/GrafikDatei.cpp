#include "graphics/GrafikDatei.h"

#include "graphics/Sicherung.h"
#include "state/Anlage.h"
#include "state/Dateien.h"
#include "state/Meldungen.h"

namespace korvx {

std::string GrafikDateiname(const Anlage& anlage) {
    const TPfadTeile teile = PfadZerlegen(anlage.zustand.konfig.TeileprogrammDatei.Text());
    return "Korvelantrix_Grafik_" + teile.name + ".BMP";
}

bool GrafikSpeichern(Anlage& anlage, Leinwand& bild) {
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
