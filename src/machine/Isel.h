#pragma once
// The isel command protocol: every text sent to the controller, the reply wait
// and its judgement, the error table, the position read-back, the relative
// move command, the reference run and the emergency-stop bytes. All of it runs
// on the user-interface thread; in the "Simulation" graphic mode callers do
// not call it and take every command as successful.
#include "machine/IselProtokoll.h"
#include "state/Punkt3D.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx {

class Bediener;
class Zahlenformat;
struct Maschinenzustand;
struct Maschinenverbindung;

// What the protocol works on: the operator, the number format, the machine
// state and the link state. Anything that holds members of these names (the
// owning object, the interpreter's run context) converts to it.
struct IselZugang {
    Bediener& bediener;
    const Zahlenformat& format;
    Maschinenzustand& zustand;
    Maschinenverbindung& maschine;

    template <class T>
    IselZugang(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), format(t.format), zustand(t.zustand), maschine(t.maschine) {}
};

inline constexpr int kFehlertabelleGroesse = 17;
// Windows-1252 texts of the controller's error codes, index = FehlerIndex.
const std::array<std::string, kFehlertabelleGroesse>& Fehlertabelle();
// Index into the table for the first character of a reply: "0"…"9" 0…9,
// "A"…"F" (any case) 10…15, "=" 15, anything else 16.
int FehlerIndex(char zeichen);

// Longest wait for the reply to a command with the given expected duration
// (ms, at least 200): one and a half times the duration plus 2 s.
std::int64_t AntwortGrenzeMs(double erwarteteDauerMs);
// Longest wait for the complete 19-character position reply, ms.
inline constexpr int kPositionsGrenzeMs = isel::kPositionsGrenzeMs;

// Sends `befehl` with two carriage returns and waits for the reply; true
// only when the controller confirmed it with "0". An error reply is shown
// (unless FehlermeldungUnterdruecken) and sets Abbruch and Abgebrochen. When
// Abbruch is set at the call the command is sent and nothing is awaited; when
// it becomes set while events are processed before the send, nothing is sent.
// The wait ends when Abbruch becomes set and after AntwortGrenzeMs: then the
// operator is told, Abbruch and Abgebrochen are set and the reference counts
// as lost. Every one of these gives false.
[[nodiscard]] bool BefehlSenden(IselZugang a, std::string_view befehl, double erwarteteDauerMs);

// Asks the controller for its position ("@0P") and waits for the complete
// reply. On success the position (the tool tip's, in workpiece coordinates,
// converted from the counters with NachWerkstueckKoord) is stored in
// `position` and in AbgefragtePosition.
// A failed query tells the operator and sets Abbruch. Returns ok. With
// Abbruch already set nothing is sent and the result is false.
bool PositionAbfragen(IselZugang a, TPunkt3D& position);

// "@0A " and the eight values: steps and step rate for x, y, z and second z.
// `achsen` says which axes move (the steps of the others are 0), `weg` the
// signed distances in mm and `geschw` the velocities in m/min.
std::string FahrBefehlBilden(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                             const std::array<double, 4>& weg, const std::array<double, 4>& geschw);

// The same with the step rates already computed (SchrittRaten), for callers
// that build many commands at one set of velocities.
std::array<std::int32_t, 4> SchrittRaten(const Maschinenzustand& z,
                                         const std::array<double, 4>& geschw);
// Step counts of the four axes (0 for an axis that does not move) and the
// command built from counts and rates.
std::array<std::int64_t, 4> Schrittzahlen(const Maschinenzustand& z,
                                          const std::array<bool, 4>& achsen,
                                          const std::array<double, 4>& weg);
std::string FahrBefehlAusSchritten(const std::array<std::int64_t, 4>& schritte,
                                   const std::array<std::int32_t, 4>& raten);
// The same into `text`, whose storage is reused from command to command.
void FahrBefehlSchreiben(std::string& text, const std::array<std::int64_t, 4>& schritte,
                         const std::array<std::int32_t, 4>& raten);
bool SchrittzahlenImBereich(const std::array<std::int64_t, 4>& schritte);
std::string FahrBefehlMitRaten(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                               const std::array<double, 4>& weg,
                               const std::array<std::int32_t, 4>& raten);
// The controller counts steps in 24 bits: a move command whose step count
// lies beyond ±kSchrittzahlGrenze would wrap.
inline constexpr std::int64_t kSchrittzahlGrenze = isel::kSchrittzahlGrenze;
bool FahrBefehlImBereich(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                         const std::array<double, 4>& weg);
// Expected duration of the reference run in ms from PositionAbReferenz at
// 1000 steps per second on every axis, one axis after the other.
std::int32_t ReferenzDauer(const Maschinenzustand& z);

void ReferenzfahrtAusfuehren(IselZugang a);
// The stop byte: 0xFF after the reference run, 0xFE before it (with the
// message to reset the controller). The caller sets Abbruch first.
void NotausSenden(IselZugang a);
// Selects port n (COM1 … COM4; n > 4 gives 4, 0 keeps the current one) and opens it, routes
// its end-of-line event into Antwort, drops stale received bytes and sends
// "setup0".
void SchnittstelleVorbereiten(IselZugang a, std::uint8_t portNummer);
// The longest piece of a wait between two looks at the stop flag.
inline constexpr std::int32_t kStoppScheibeMs = 25;
// Waits `ms` milliseconds while events are processed; 0 or less returns at
// once, and a stop (Abbruch set before or during it) ends it within
// kStoppScheibeMs.
void WartenMitNachrichten(IselZugang a, std::int32_t ms);

} // namespace korvx
