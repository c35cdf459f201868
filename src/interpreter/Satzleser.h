#pragma once
// The word loop of one block: reads the words from left to right, hands each
// to the handler at once and stores coordinate and parameter values.
#include "interpreter/SatzHandler.h"
#include "interpreter/Satzwerte.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"

#include <string_view>

namespace korvx {

// What the scanner works on: the operator and the machine state.
struct SatzZugang {
    Bediener& bediener;
    Maschinenzustand& zustand;

    template <class T>
    SatzZugang(T& t) // NOLINT: converting on purpose
        : bediener(t.bediener), zustand(t.zustand) {}
};

enum class SatzErgebnis {
    Ausgefuehrt, // every word read, the handler's Satzende has run
    Kommentar,   // a comment line: shown, not scanned, no move
    Angehalten,  // a stop was requested (Abgebrochen) after a word
    Fehler,      // a syntax error; its messages have been shown
};

// Shows the block in the block display (unless the handler shows it itself),
// then scans it. After every word: the handler refreshes the status, pending
// events are processed, a requested stop ends the block, and a failed reader
// shows "Fehler in Satz: " + block and ends it. Ending a block early is the
// caller's signal to end the run.
SatzErgebnis SatzLesen(std::string_view satz, Satzwerte& werte, SatzHandler& handler,
                       SatzZugang anlage);

} // namespace korvx
