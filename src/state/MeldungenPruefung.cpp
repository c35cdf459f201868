#include "state/MeldungenPruefung.h"

#include "state/Meldungen.h"

#include <cstdio>

namespace korvx::meldung {

std::string PruefungTitel() {
    return T("Programm prüfen");
}
std::string PruefungLaeuft() {
    return T("Das Programm wird geprüft …");
}
std::string SchaetzungLaeuft() {
    return T("Die Laufzeit wird berechnet …");
}
std::string PruefungAbbrechen() {
    return T("Abbrechen");
}
std::string PruefungAbgebrochen() {
    return T("Die Prüfung wurde abgebrochen.");
}

std::string Dauer(std::int64_t ms, char komma) {
    if (ms < 0) {
        ms = 0;
    }
    char puffer[64];
    const std::int64_t zehntel = (ms + 50) / 100;
    const std::int64_t s = (ms + 500) / 1000;
    if (zehntel < 600) {
        std::snprintf(puffer, sizeof puffer, "%lld%c%lld s", static_cast<long long>(zehntel / 10),
                      komma, static_cast<long long>(zehntel % 10));
    } else if (s >= 3600) {
        std::snprintf(puffer, sizeof puffer, "%lld h %02lld min %02lld s",
                      static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                      static_cast<long long>(s % 60));
    } else {
        std::snprintf(puffer, sizeof puffer, "%lld min %02lld s", static_cast<long long>(s / 60),
                      static_cast<long long>(s % 60));
    }
    return puffer;
}

std::string PruefungKopf(std::int64_t saetze, std::int64_t bewegungen) {
    return T("Programm geprüft: ") + std::to_string(saetze) + T(" Sätze, ") +
           std::to_string(bewegungen) + " Bewegungen.";
}
std::string PruefungOhneBefund() {
    return "Keine Fehler, alle Ziele in der Schutzzone.";
}
std::string PruefungZoneKopf() {
    return T("Ziele außerhalb der Schutzzone:");
}
std::string PruefungZone(char achse, bool oben, std::string_view um, std::string_view groesste,
                         std::size_t zeile, std::string_view satz, std::int64_t saetze) {
    std::string s = "  ";
    s += achse;
    s += oben ? T(" über der Grenze um ") : T(" unter der Grenze um ");
    s.append(um).append(" mm ab Zeile ").append(std::to_string(zeile)).append(" (");
    s.append(satz).append("), ");
    s.append(saetze == 1 ? std::string("1 Satz") : std::to_string(saetze) + T(" Sätze"));
    s.append(T(", höchstens ")).append(groesste).append(" mm");
    return s;
}
std::string PruefungFehlerKopf(std::int64_t anzahl) {
    return anzahl == 1 ? std::string("1 Fehler:") : std::to_string(anzahl) + " Fehler:";
}
std::string PruefungStelle(std::size_t zeile, std::string_view satz, std::string_view text) {
    std::string s = "  Zeile " + std::to_string(zeile) + " (";
    s.append(satz).append("): ").append(text);
    return s;
}
std::string PruefungHalteKopf() {
    return "Programmhalte (M0):";
}
std::string PruefungWerkzeugKopf() {
    return "Werkzeugwechsel:";
}
std::string PruefungWerkzeug(std::size_t zeile, std::int32_t nummer, std::string_view name) {
    std::string s = "  Zeile " + std::to_string(zeile) + ": T" + std::to_string(nummer);
    if (!name.empty()) {
        s.append(" ").append(name);
    }
    return s;
}
std::string PruefungWeitere(std::int64_t anzahl) {
    return T("  … und ") + std::to_string(anzahl) + " weitere";
}
std::string PruefungAusdehnung(bool werkstueck, std::string_view x0, std::string_view x1,
                               std::string_view y0, std::string_view y1, std::string_view z0,
                               std::string_view z1) {
    std::string s = werkstueck ? "Ausdehnung (W): x " : "Ausdehnung (M): x ";
    const std::string bis = T(" … ");
    s.append(x0).append(bis).append(x1).append(", y ").append(y0).append(bis).append(y1);
    s.append(", z ").append(z0).append(bis).append(z1).append(" mm");
    return s;
}
std::string PruefungBearbeitungszeit(std::string_view dauer) {
    return "Bearbeitungszeit (Summe der Bewegungen): " + std::string(dauer);
}
std::string GrafikmodusName(int modus) {
    return modus == 1 ? "Parallelgrafik" : modus == 2 ? "Simulation" : "Grafik aus";
}
std::string PruefungLaufzeit(std::string_view modus, std::string_view dauer, bool mitLeitung) {
    std::string s = T("Laufzeit in „") + std::string(modus) + T("“");
    s += mitLeitung ? T(" mit der seriellen Übertragung: ") : ": ";
    s.append(dauer);
    return s;
}

} // namespace korvx::meldung
