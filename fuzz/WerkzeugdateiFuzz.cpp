// Feeds arbitrary bytes as the tool file: loading, composing the file text,
// writing it (with its backup copy) and loading the written file again,
// which must give the same list; then the number set and every look-up.
#include "FuzzHilfe.h"
#include "anlage/Anlage.h"
#include "state/StillerBediener.h"
#include "tools/Werkzeugdatei.h"
#include "tools/Werkzeugliste.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    using namespace korvx;
    if (groesse > 65536) {
        return 0;
    }
    const std::string pfad = fuzz::StartOrdner() + "FUZZWKZ.DAT";
    fuzz::DateiSchreiben(pfad, {reinterpret_cast<const char*>(daten), groesse});
    StillerBediener still;
    for (const char trenner : {',', '.'}) {
        Anlage a(still, Zahlenformat(trenner));
        a.zustand.StartVerzeichnis = fuzz::StartOrdner();
        a.zustand.konfig.WerkzeugDatei.Setzen(pfad);
        WkzDateiLesen(a);
        const std::vector<TWerkzeug> gelesen = a.werkzeuge.WkzListe;
        const std::string text = WkzDateiText(a);
        if (WkzDateiSchreiben(a)) {
            WkzDateiLesen(a);
            // What was written reads back as the same text (numbers may be
            // rounded once on the way, never again).
            if (WkzDateiText(a) != text) {
                std::abort();
            }
        }
        WkzNummernAufbauen(a.werkzeuge);
        WkzSortieren(a.werkzeuge);
        for (int n = 0; n < 256; ++n) {
            (void)WkzSuchen(a.werkzeuge, static_cast<std::uint8_t>(n));
            (void)WkzPosition(a.werkzeuge, static_cast<std::uint8_t>(n));
        }
        (void)gelesen;
        // The next round starts from the input again.
        fuzz::DateiSchreiben(pfad, {reinterpret_cast<const char*>(daten), groesse});
    }
    return 0;
}
