#pragma once
// The state of one program run: the modal state of G and M functions, the
// block source (main program or subprogram) and the start data; how and why
// the run stops is the machine state's `stopp`. The owning object holds one;
// a run start resets both. `Laufumgebung` is the run's view of everything it works on.
#include "geometry/Korrektur.h"
#include "interpreter/BlockList.h"
#include "interpreter/Satzwerte.h"
#include "state/Maschinenzustand.h"
#include "state/Punkt3D.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace korvx {

class Bediener;
class Zahlenformat;
struct Maschinenzustand;
struct Werkzeugliste;
struct TKreis;
struct Grafikzustand;
struct Maschinenverbindung;
struct Zeichensatz;
class Zyklen;
struct Handzustand;
class Fahrausgabe;

// What the next straight-line word group of a block does.
enum class Bewegungsart : std::uint8_t {
    Keine = 0,
    Gerade = 1,
    KreisUhr = 2,
    KreisGegenUhr = 3,
    Nullpunkt = 4, // after G54: X, Y, Z are shifts
};

// The feed override's range and step in percent.
inline constexpr std::int32_t kVorschubMin = 10;
inline constexpr std::int32_t kVorschubMax = 200;
inline constexpr std::int32_t kVorschubSchritt = 10;
inline constexpr std::int32_t kVorschubNormal = 100;

struct Laufzustand {
    bool laeuft = false; // a run is under way (a second start is refused)

    // Modal state.
    Bewegungsart art = Bewegungsart::Keine;
    bool inkremental = false;            // G91
    bool vorschubProUmdrehung = false;   // G95
    bool schnittgeschwindigkeit = false; // G96
    TPunkt3D ziel;                       // target point X, Y, Z build (W)
    Satzwerte werte;                     // I, J, K, A, B, H, R words and the block's flags

    // Cycles: the active ones, whether the current block defined one, and
    // where and by which block the cycle was defined.
    bool zyklusLochkreis = false;      // G77
    bool zyklusBohren = false;         // G81
    bool zyklusKreistasche = false;    // G83
    bool zyklusRechtecktasche = false; // G84
    bool zyklusGravur = false;         // G89
    bool zyklusImSatz = false;
    TPunkt3D zyklusStart;
    std::string zyklusSatz;
    double taschenEckeX = 0.0, taschenEckeY = 0.0; // position when G84 was read
    double taschenX = 0.0, taschenY = 0.0;         // X, Y while G84 is active (G90)

    // Zero shift.
    bool nullpunktSatz = false; // the rest of the block after G54
    TPunkt3D verschiebung;      // amounts of the last G54
    TPunkt3D nullpunktBeiStart; // zero point when the run started

    // Cutter radius compensation.
    std::uint8_t korrektur = kKorrekturAus;
    bool korrekturStart = false;
    bool korrekturEnde = false;
    TPunkt3D korrekturPunkt;  // programmed point of the contour collected so far
    TPunkt3D korrekturAnfang; // where compensation was switched on
    TKorrekturListe korrekturListe;

    bool eilgangBeiStart = false;

    // Block source.
    std::size_t hauptZeile = 0;             // current line of the main program
    std::optional<BlockList> unterprogramm; // the running subprogram's lines
    std::size_t upZeile = 0;
    bool unterprogrammBeendet = false; // M30 read in the subprogram
    bool unterprogrammNeu = false;     // an L word loaded one during this block
    std::string satz;                  // text of the current block

    // Counts for the runner's closing line.
    std::int64_t saetze = 0;       // blocks shown
    std::int64_t bewegungen = 0;   // straight moves made
    std::int64_t simulierteMs = 0; // simulated waits, or the moves' expected durations on a machine

    // The velocities the controller runs at for the velocities in force,
    // kept while neither these nor the machine data change.
    struct {
        TGeschwindigkeiten fuer;
        TPunkt3D steigung;
        std::int32_t schritte = 0;
        std::uint8_t faktor = 0;
        TGeschwindigkeiten befohlen;
        std::array<std::int32_t, 4> raten{};    // step rates of the move command
        std::int32_t prozent = kVorschubNormal; // feed override they were scaled by
    } geschwindigkeiten;

    // The operator's feed override in percent (kVorschubMin … kVorschubMax in
    // steps of kVorschubSchritt): the step rates of the feed moves of a run
    // are scaled by it from the next straight move on; rapid moves and
    // manual positioning keep theirs. Not stored; kept across a run start
    // like the hooks below, so it can be set before a run and during it.
    std::int32_t vorschubProzent = kVorschubNormal;

    // The move command being sent; its storage serves every move. In a
    // simulation without a report of the commands it is not composed.
    std::string befehl;

    // Refreshes the main window's status lines; set by the window.
    std::function<void()> statusAuffrischen;
    // Traces every controller command of a straight move, also in simulation
    // where it is built but not sent; set by the runner.
    std::function<void(const std::string&)> befehlMelden;
    // When set, every straight move goes here instead of the output of the
    // graphic mode (and past the trace): runs that only read the program,
    // such as a check or the blocks read before a resumed block, move and
    // send nothing. Kept across a run start like the hooks above.
    const Fahrausgabe* umleitung = nullptr;
};

// References to everything a run works on. Anything that holds members of
// these names converts to it (the owning object does).
struct Laufumgebung {
    Bediener& bediener;
    const Zahlenformat& format;
    Maschinenzustand& zustand;
    BlockList& programm;
    Werkzeugliste& werkzeuge;
    TKreis& kreis;
    Grafikzustand& grafik;
    Maschinenverbindung& maschine;
    Zeichensatz& zeichensatz;
    Laufzustand& lauf;
    Zyklen*& zyklen; // the machining cycles and engraving; null: not available

    // Manual positioning: point-entry mode, jog targets, active axes.
    Handzustand& hand;

    template <class T>
    Laufumgebung(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), format(t.format), zustand(t.zustand), programm(t.programm),
          werkzeuge(t.werkzeuge), kreis(t.kreis), grafik(t.grafik), maschine(t.maschine),
          zeichensatz(t.zeichensatz), lauf(t.lauf), zyklen(t.zyklen), hand(t.hand) {}
    // The same view with another operator, for a run that shows or asks
    // nothing.
    Laufumgebung(const Laufumgebung& u, Bediener& anderer)
        : bediener(anderer), format(u.format), zustand(u.zustand), programm(u.programm),
          werkzeuge(u.werkzeuge), kreis(u.kreis), grafik(u.grafik), maschine(u.maschine),
          zeichensatz(u.zeichensatz), lauf(u.lauf), zyklen(u.zyklen), hand(u.hand) {}
};

} // namespace korvx
