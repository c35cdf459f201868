// Feeds arbitrary bytes as a part program: the syntax check of every block,
// then a whole run in simulation with a silent operator and a counting
// canvas, tool 1 of the example tool list in use and the example font for
// engraving. A run is cut off after a bounded number of moves, so programs
// that move for ever (huge arcs, deep pockets) still end.
#include "FuzzHilfe.h"
#include "anlage/Anlage.h"
#include "app/Pruefung.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/StillerBediener.h"
#include "tools/Werkzeugdatei.h"
#include "tools/Werkzeugliste.h"

#include <cstdint>
#include <string>

namespace {

using namespace korvx;

constexpr std::size_t kGroessteEingabe = 8192;
constexpr std::int64_t kGroessteZuege = 3000;

void Vorbereiten(Anlage& a, std::string_view text) {
    const std::string& ordner = fuzz::StartOrdner();
    a.zustand.StartVerzeichnis = ordner;
    a.zustand.konfig.Grafikmodus = Grafikart::Simulation;
    a.zustand.konfig.TeileprogrammDatei.Setzen(ordner + "FUZZ.CNC");
    a.zustand.konfig.ZeichensatzDatei.Setzen(ordner + "FUTURAL.FNT");
    a.zustand.konfig.WerkzeugDatei.Setzen(ordner + "FraesWkz.DAT");
    WkzDateiLesen(a);
    a.programm = BlockList::Hauptprogramm(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse > kGroessteEingabe) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    {
        StillerBediener still;
        Anlage a(still, Zahlenformat(','));
        Vorbereiten(a, text);
        (void)app::ProgrammPruefen(a);
    }
    for (const bool antwort : {true, false}) {
        StillerBediener still(antwort);
        Anlage a(still, Zahlenformat('.'));
        fuzz::ZaehlLeinwand leinwand(400, 300);
        a.grafik.bild = &leinwand;
        Vorbereiten(a, text);
        ReferenzfahrtAusfuehren(a);
        a.zustand.konfig.AktuellesWerkzeug = WkzSuchen(a.werkzeuge, 1);
        a.lauf.befehlMelden = [&a](const std::string&) {
            if (a.lauf.bewegungen >= kGroessteZuege) {
                a.zustand.stopp.Abbrechen();
            }
        };
        (void)Automatikbetrieb(a);
        if (!antwort) {
            break;
        }
    }
    return 0;
}
