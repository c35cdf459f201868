#pragma once
// The texts of "Programm prüfen": the progress dialog and the lines of the
// one message with the findings, Windows-1252.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx::meldung {

std::string PruefungTitel();       // caption of the progress dialog and the message
std::string PruefungLaeuft();      // label of the progress dialog
std::string SchaetzungLaeuft();    // its label when the run's estimate is made
std::string PruefungAbbrechen();   // its cancel button
std::string PruefungAbgebrochen(); // the message after a cancel

// "1 h 02 min 05 s", "2 min 05 s", "5,3 s" (decimal separator `komma`).
std::string Dauer(std::int64_t ms, char komma);

// "Programm geprüft: N Sätze, M Bewegungen."
std::string PruefungKopf(std::int64_t saetze, std::int64_t bewegungen);
// "Keine Fehler, alle Ziele in der Schutzzone."
std::string PruefungOhneBefund();
// The heading of each part and its lines. `zeile` is the main-program line,
// `satz` the block text.
std::string PruefungZoneKopf();
std::string PruefungZone(char achse, bool oben, std::string_view um, std::string_view groesste,
                         std::size_t zeile, std::string_view satz, std::int64_t saetze);
std::string PruefungFehlerKopf(std::int64_t anzahl);
std::string PruefungStelle(std::size_t zeile, std::string_view satz, std::string_view text);
std::string PruefungHalteKopf();
std::string PruefungWerkzeugKopf();
std::string PruefungWerkzeug(std::size_t zeile, std::int32_t nummer, std::string_view name);
std::string PruefungWeitere(std::int64_t anzahl); // "… und N weitere"
// "Ausdehnung (W): x a … b, y …, z … mm"; `werkstueck` false: (M).
std::string PruefungAusdehnung(bool werkstueck, std::string_view x0, std::string_view x1,
                               std::string_view y0, std::string_view y1, std::string_view z0,
                               std::string_view z1);
// "Bearbeitungszeit (Summe der Bewegungen): …" and "Laufzeit in „MODUS“ …".
std::string PruefungBearbeitungszeit(std::string_view dauer);
// "Grafik aus", "Parallelgrafik", "Simulation" for the mode byte 0, 1, 2.
std::string GrafikmodusName(int modus);
std::string PruefungLaufzeit(std::string_view modus, std::string_view dauer, bool mitLeitung);

} // namespace korvx::meldung
