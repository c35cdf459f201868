#pragma once
// "Programm prüfen": the loaded program runs from the start block to its end
// in the logic alone, as "Simulation" would run it with the current
// settings, zero point and tool, but on copies of the state: nothing is
// drawn, nothing waits, nothing is sent, no question is asked (tool changes
// count as answered yes, M0 does not stop) and the machine state stays as
// it was. An error or a target outside the protection zone does not end the
// check: it is recorded with its block and the check goes on with the next
// block. The result also holds the time the run will take, block by block.
#include "interpreter/Laufschaetzung.h"
#include "interpreter/Laufzustand.h"
#include "state/Maschinenzustand.h"
#include "state/Punkt3D.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvx {

// Where in the program something happened: the main-program line (counted
// from 1) and the text of the block (a subprogram's block while one runs).
struct Pruefstelle {
    std::size_t zeile = 0;
    std::string satz;
};

// Targets beyond one side of one axis of the protection zone.
struct Zonenverletzung {
    int achse = 0;        // 0 x, 1 y, 2 z (machine coordinates)
    bool oben = false;    // beyond the upper limit, else below the lower one
    Pruefstelle erste;    // the first block that leaves the zone this way
    double ersteUm = 0.0; // by how much its target lies outside, mm
    double groessteUm = 0.0;
    std::int64_t saetze = 0; // blocks with a target outside this way
};

struct Pruefmeldung {
    Pruefstelle stelle;
    std::string text; // Windows-1252, as the run would show it
};

struct Pruefwechsel {
    Pruefstelle stelle;
    std::int32_t nummer = 0;
    std::string name; // Windows-1252
};

// Smallest and largest coordinates the tool reaches.
struct Ausdehnung {
    bool leer = true;
    TPunkt3D min, max;
    void Aufnehmen(const TPunkt3D& p);
};

struct Pruefbericht {
    std::vector<Zonenverletzung> zone;  // in the order of their first block
    std::vector<Pruefmeldung> fehler;   // the first kMaxEintraege errors
    std::int64_t fehlerAnzahl = 0;      // all errors
    std::vector<Pruefmeldung> hinweise; // the stops of M0
    std::vector<Pruefwechsel> werkzeuge;
    Ausdehnung w, m; // workpiece and machine coordinates
    std::int64_t saetze = 0;
    std::int64_t bewegungen = 0;
    std::int64_t bearbeitungMs = 0; // the moves' expected durations
    std::int64_t laufMs = 0;        // the run in the graphic mode, with the line
    Grafikart modus = Grafikart::Simulation;
    bool gestartet = false;   // false: no program or no start block (see fehler)
    bool abgebrochen = false; // cancelled before the end
    Laufschaetzung schaetzung;

    bool Beanstandet() const { return !zone.empty() || fehlerAnzahl > 0; }
};

inline constexpr std::size_t kMaxEintraege = 1000;

struct Pruefoptionen {
    int bitrate = 9600; // the controller line's bit rate
    // Called with the main-program line under way and the number of lines
    // whenever pending events were processed (about every 50 ms).
    std::function<void(std::size_t zeile, std::size_t zeilen)> fortschritt;
    // Asked at the same times; true ends the check.
    std::function<bool()> abbrechen;
};

// Checks the program of `u` without changing anything in it. The operator
// of `u` only processes events (throttled) and gives the clock.
Pruefbericht ProgrammVorpruefen(Laufumgebung u, const Pruefoptionen& optionen = {});

} // namespace korvx
