#include "machine/Isel.h"
#include "machine/IselIntern.h"
#include "machine/IselProtokoll.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <algorithm>
#include <cmath>

namespace korvx {

std::int64_t AntwortGrenzeMs(double erwarteteDauerMs) {
    const double dauer = std::max(isel::kAntwortMindestdauerMs,
                                  std::isfinite(erwarteteDauerMs) ? erwarteteDauerMs : 0.0);
    // Longer than a day is no expected duration any more; it would only keep
    // a dead line waiting.
    return static_cast<std::int64_t>(
        std::min(isel::kAntwortFaktor * dauer + isel::kAntwortZuschlagMs, isel::kAntwortHoechstMs));
}

namespace detail {

Befehlsantwort BefehlMitAntwort(IselZugang a, std::string_view befehl, double erwarteteDauerMs) {
    Maschinenzustand& z = a.zustand;
    Bediener& b = a.bediener;
    Antwortpuffer& antwort = a.maschine.Antwort;
    Steuerleitung* leitung = a.maschine.leitung;

    const bool abbruchBeimAufruf = z.stopp.Abbruch();
    const double dauer = std::max(isel::kAntwortMindestdauerMs, erwarteteDauerMs);

    b.NachrichtenVerarbeiten();
    antwort.Leeren();
    if (!abbruchBeimAufruf && z.stopp.Abbruch()) {
        // A stop pressed while events were processed just now: the command
        // must not go out after it. Only a command given with the stop
        // already set (the stop byte itself) is still sent.
        return {};
    }
    std::string text(befehl);
    text += isel::kBefehlsende;
    if (leitung) {
        // Every command is answered before the next one goes out, so bytes
        // waiting now are late ones of an earlier reply (a query that gave
        // up on them); they must not pass for this command's reply.
        leitung->EmpfangVerwerfen();
        antwort.Leeren();
        leitung->Senden(text);
    }
    if (abbruchBeimAufruf) {
        antwort.Leeren();
        return {};
    }

    // Waiting blocks on the line in short slices, so a reply is taken the
    // moment it arrives, no core is kept busy, and the abort and emergency
    // stop buttons stay alive.
    const std::int64_t start = b.Millisekunden();
    const std::int64_t grenze = AntwortGrenzeMs(dauer);
    auto lesen = [leitung] { return leitung ? leitung->Lesen() : std::string(); };
    std::string erhalten;
    for (;;) {
        b.NachrichtenVerarbeiten();
        if (z.stopp.Abbruch()) {
            // Stopped during the wait (abort, emergency stop): no judgement.
            antwort.Leeren();
            return {};
        }
        erhalten = antwort.Fuellen(lesen);
        if (!erhalten.empty()) {
            break;
        }
        if (!leitung || !leitung->Verbunden()) {
            // A port that never opened says why (permission, unplugged
            // adapter); a line lost later gets the general text.
            std::string grund = leitung ? leitung->OeffnenFehler() : std::string();
            if (grund.empty()) {
                grund = meldung::IselKeineVerbindung(leitung ? leitung->Port() : 0);
            }
            VerbindungVerloren(a, grund);
            antwort.Leeren();
            return {};
        }
        const std::int64_t vergangen = b.Millisekunden() - start;
        if (vergangen >= grenze) {
            VerbindungVerloren(a, meldung::IselAntwortetNicht(befehl, grenze));
            antwort.Leeren();
            return {};
        }
        leitung->AufEmpfangWarten(
            static_cast<int>(std::min<std::int64_t>(kScheibeMs, grenze - vergangen)));
    }

    const bool ok = erhalten.front() == isel::kQuittung;
    if (!ok && !z.FehlermeldungUnterdruecken) {
        FehlerMelden(a, erhalten);
    }
    antwort.Leeren();
    return {ok, std::move(erhalten)};
}

} // namespace detail

bool BefehlSenden(IselZugang a, std::string_view befehl, double erwarteteDauerMs) {
    return detail::BefehlMitAntwort(a, befehl, erwarteteDauerMs).ok;
}

void WartenMitNachrichten(IselZugang a, std::int32_t ms) {
    // In slices, each ended by the operator's clock: a stop pressed during
    // the wait (Esc, the emergency stop, the abort button, closing the
    // window) ends it within one slice, however long the move would take.
    Bediener& b = a.bediener;
    if (ms <= 0 || a.zustand.stopp.Abbruch()) {
        return;
    }
    // Ended by the clock or by the slices asked for, whichever comes first:
    // an operator whose clock stands still still waits out the sum.
    const std::int64_t ende = b.Millisekunden() + ms;
    std::int64_t offen = ms;
    while (offen > 0) {
        const std::int64_t rest = std::min(offen, ende - b.Millisekunden());
        if (rest <= 0) {
            return;
        }
        const std::int64_t scheibe = std::min<std::int64_t>(rest, kStoppScheibeMs);
        b.Warten(static_cast<std::int32_t>(scheibe));
        offen -= scheibe;
        if (a.zustand.stopp.Abbruch()) {
            return;
        }
    }
}

} // namespace korvx
