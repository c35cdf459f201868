#include "geometry/Koordinaten.h"
#include "geometry/Umrechnung.h"
#include "machine/Isel.h"
#include "machine/IselIntern.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <algorithm>

namespace korvx {

namespace {

// "0" and three six-digit hexadecimal step counts.
constexpr std::size_t kAntwortLaenge = isel::kPositionsAntwortLaenge;
constexpr std::size_t kFelderLaenge = kAntwortLaenge - 1;

} // namespace

bool PositionAbfragen(IselZugang a, TPunkt3D& position) {
    Maschinenzustand& z = a.zustand;
    Bediener& b = a.bediener;
    Antwortpuffer& antwort = a.maschine.Antwort;
    Steuerleitung* leitung = a.maschine.leitung;
    if (z.stopp.Abbruch()) {
        return false; // the work is stopping: nothing more goes to the controller
    }

    if (leitung) {
        leitung->EmpfangVerwerfen(); // late bytes of an earlier reply
    }
    antwort.Leeren();
    if (leitung) {
        leitung->Senden(std::string(isel::kPositionAbfrage) += isel::kZeilenende);
    }
    // The reply is taken as soon as it is complete (or plainly an error
    // reply), so a fast line is not slowed down and a slow one not misread.
    auto lesen = [leitung] { return leitung ? leitung->Lesen() : std::string(); };
    const std::int64_t start = b.Millisekunden();
    std::string kopie;
    for (;;) {
        kopie = antwort.Fuellen(lesen);
        if (kopie.size() >= kAntwortLaenge ||
            (!kopie.empty() && kopie.front() != isel::kQuittung)) {
            break;
        }
        const std::int64_t vergangen = b.Millisekunden() - start;
        if (vergangen >= kPositionsGrenzeMs || !leitung || !leitung->Verbunden()) {
            break;
        }
        leitung->AufEmpfangWarten(static_cast<int>(
            std::min<std::int64_t>(detail::kScheibeMs, kPositionsGrenzeMs - vergangen)));
        b.NachrichtenVerarbeiten();
        if (z.stopp.Abbruch()) {
            antwort.Leeren();
            return false;
        }
    }
    antwort.Leeren();

    // An incomplete reply is a failed query as much as an empty one: the
    // move that follows would otherwise be corrected by a stale position.
    bool ok = kopie.size() >= kAntwortLaenge && kopie.front() == isel::kQuittung;
    if (ok) {
        // Bytes in front of the reply (late ones of an earlier answer) go.
        const std::string felder = kopie.substr(kopie.size() - kFelderLaenge);
        const TKonfiguration& k = z.konfig;
        const double steigung[3] = {k.Spindelsteigung.x, k.Spindelsteigung.y, k.Spindelsteigung.z};
        double mm[3] = {};
        for (int i = 0; i < 3; ++i) {
            const auto schritte =
                HexNachZahl(b, std::string_view(felder).substr(isel::kPositionsfeldLaenge *
                                                                   static_cast<std::size_t>(i),
                                                               isel::kPositionsfeldLaenge));
            if (!schritte) {
                b.Meldung(meldung::PositionsfeldFehler(static_cast<char>('x' + i)));
                ok = false;
                continue;
            }
            mm[i] = SchritteNachMillimeter(z, static_cast<double>(*schritte), steigung[i]);
        }
        if (!ok) {
            // A garbled field leaves no trustworthy position: stop the work.
            z.stopp.SendenSperren();
            return false;
        }
        // The counters hold machine coordinates (x and y from the reference
        // point, z downwards from the top of the travel); the result is the
        // position of the tool's tip in workpiece coordinates, through the
        // one conversion every move uses (zero point, sense of the x axis,
        // tool length offset).
        const TPunkt3D m{mm[0], mm[1], k.Spindellaenge.z - mm[2]};
        const TPunkt3D p = NachWerkstueckKoord(z, m);
        position = p;
        z.AbgefragtePosition = p;
        return true;
    }
    // The port the query went out on, which the settings may name otherwise.
    const int port = leitung && leitung->Port() > 0 ? leitung->Port() : z.konfig.ComPortNummer;
    b.Meldung(meldung::PositionKommunikationsfehler(port));
    z.stopp.SendenSperren();
    return false;
}

} // namespace korvx
