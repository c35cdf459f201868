// Feeds arbitrary bytes as the controller's replies over the in-memory line:
// the input is cut at every 0x0A into the replies to the lines sent, in
// order (an empty piece is silence); past its end the controller is silent.
// A reference run, then position queries and moves, each judged; a stop
// ends the work, after which nothing may be sent.
#include "anlage/Anlage.h"
#include "machine/Isel.h"
#include "support/FakeBediener.h"

#include "../tests/machine/SpeicherLeitung.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    using namespace korvx;
    if (groesse > 4096) {
        return 0;
    }
    std::vector<std::string> antworten(1);
    for (std::size_t i = 0; i < groesse; ++i) {
        if (daten[i] == '\n') {
            antworten.emplace_back();
        } else {
            antworten.back().push_back(static_cast<char>(daten[i]));
        }
    }
    test::FakeBediener b;
    test::SpeicherLeitung leitung(b);
    std::size_t naechste = 0;
    leitung.antworten = [&](const std::string&) -> std::optional<std::string> {
        if (naechste >= antworten.size() || antworten[naechste].empty()) {
            ++naechste;
            return std::nullopt;
        }
        return antworten[naechste++];
    };
    Anlage a(b, Zahlenformat(','));
    a.maschine.leitung = &leitung;
    a.zustand.konfig.Grafikmodus = Grafikart::Aus;
    ReferenzfahrtAusfuehren(a);
    if (!a.zustand.ReferenzAngefahren) {
        // Run the judging anyway, as after a reference run.
        a.zustand.ReferenzAngefahren = true;
        a.zustand.stopp.Freigeben();
        a.zustand.stopp.Fortsetzen();
    }
    const std::string befehl =
        FahrBefehlBilden(a.zustand, {true, true, true, false}, {5, -3, 1, 0}, {1, 1, 1, 1});
    for (int i = 0; i < 6 && naechste < antworten.size(); ++i) {
        TPunkt3D p;
        if (PositionAbfragen(a, p)) {
            bool ok = false;
            ok = BefehlSenden(a, befehl, 300.0 * (i + 1));
            if (ok && a.zustand.stopp.Abbruch()) {
                std::abort(); // a confirmed move cannot have stopped the work
            }
        }
        if (a.zustand.stopp.Abbruch()) {
            // Stopped: the next query must not go out.
            const std::size_t vorher = leitung.zeilen.size();
            TPunkt3D q;
            if (PositionAbfragen(a, q) || leitung.zeilen.size() != vorher) {
                std::abort();
            }
        }
        a.zustand.stopp.Freigeben();
        a.zustand.stopp.Fortsetzen();
    }
    return 0;
}
