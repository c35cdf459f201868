#pragma once
// The one object that owns everything a run of the program works on: the
// machine state, the number format, the loaded part program and (as the
// subsystems arrive) the tool list, the current arc, the drawing mapping and the
// font buffer. main() makes one; every test makes a fresh one. There are no
// mutable globals besides it.
#include "fonts/Zeichensatz.h"
#include "geometry/Kreis.h"
#include "graphics/Grafikzustand.h"
#include "interpreter/Bearbeitungszyklen.h"
#include "interpreter/BlockList.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/Laufzustand.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"

namespace korvx {

class Anlage {
public:
    Anlage(Bediener& b, Zahlenformat f);
    explicit Anlage(Bediener& b) : Anlage(b, Zahlenformat::AusUmgebung()) {}

    Anlage(const Anlage&) = delete;
    Anlage& operator=(const Anlage&) = delete;

    Bediener& bediener;
    Zahlenformat format;
    Maschinenzustand zustand;

    // The loaded part program; empty while none is loaded.
    BlockList programm;

    // Subsystem state joins here, one member per subsystem:
    // part program (interpreter), tool list (tools), current arc (geometry),
    // drawing mapping and canvas (graphics), font buffer (fonts).
    Werkzeugliste werkzeuge;      // from start to end; the tool file fills it
    TKreis kreis;                 // the current arc of the arc interpolation
    Grafikzustand grafik;         // simulation graphic: mapping, canvas, path state
    Maschinenverbindung maschine; // reply text, controller line, zero-point flag
    Zeichensatz zeichensatz;      // engraving font buffer and current font file
    Laufzustand lauf;             // the program run: modal state, block source, stop reason
    Zyklen* zyklen = nullptr;     // machining cycles and engraving; null: not available
    Bearbeitungszyklen bearbeitungszyklen; // what `zyklen` points at
    Handzustand hand;                      // manual positioning and zero points
};

} // namespace korvx
