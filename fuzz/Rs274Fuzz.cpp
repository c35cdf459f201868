// Feeds arbitrary bytes to the RS274 converter, with and without the 3D
// mode: the result is a program or a refusal, never both; a program's blocks
// are at most 80 characters and pass the syntax check of korvx-run without a
// message; a refusal names its line.
#include "FuzzHilfe.h"
#include "anlage/Anlage.h"
#include "app/Pruefung.h"
#include "rs274/Umsetzer.h"
#include "state/StillerBediener.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace korvx;

constexpr std::size_t kGroessteEingabe = 8192;
// The syntax check of a longer program looks at its first blocks only.
constexpr std::size_t kGeprueftBloecke = 20000;

void Pruefen(bool bedingung) {
    if (!bedingung) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse > kGroessteEingabe) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(daten), groesse);
    for (const bool raum3D : {false, true}) {
        rs274::Umsetzoptionen optionen;
        optionen.quellname = "FUZZ.ngc";
        optionen.raum3D = raum3D;
        const rs274::Umsetzung u = rs274::Umsetzen(text, optionen);
        if (!u.ok) {
            Pruefen(u.bloecke.empty() && u.hinweise.empty() && !u.ablehnung.empty() &&
                    u.ablehnungszeile >= 1);
            continue;
        }
        Pruefen(u.ablehnung.empty() && !u.bloecke.empty());
        std::string programm;
        for (std::size_t i = 0; i < u.bloecke.size() && i < kGeprueftBloecke; ++i) {
            Pruefen(u.bloecke[i].size() <= 80);
            programm.append(u.bloecke[i]).append("\r\n");
        }
        StillerBediener still;
        Anlage a(still, Zahlenformat(','));
        a.programm = BlockList::Hauptprogramm(programm);
        const app::Pruefergebnis p = app::ProgrammPruefen(a);
        Pruefen(p.fehlerSaetze == 0);
    }
    return 0;
}
