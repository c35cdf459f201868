#pragma once
// Program run control: starting a run (every check in order), the start-block
// search, the block loop with subprograms, the normal and the M30 end, and the
// operator's stops (abort button, emergency stop, Escape key).
#include "interpreter/BlockList.h"
#include "interpreter/Laufzustand.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvx {

// Line of the start block for `anwahlsatz`: with 1 the first line that is not
// a comment line; otherwise the first non-comment line that contains "N" and
// the number (cut to 5 characters in all) anywhere in its text. None when no
// line qualifies.
std::optional<std::size_t> AnwahlsatzSuchen(const BlockList& programm, std::int32_t anwahlsatz);

// The text a block's line must contain to be block `anwahlsatz` ("N" and the
// number, cut to 5 characters in all).
std::string AnwahlMuster(std::int32_t anwahlsatz);

// "Automatikbetrieb": runs the loaded program from the start block to its end.
// False when the run could not start (no reference, no program, start block
// not found, a run already under way); the reason of the end is
// `zustand.stopp.Grund()`.
bool Automatikbetrieb(Laufumgebung u);

// How a run that does not begin at the start block begins (a resumed run).
// `Vorbereiten` is called once the run state is reset, before anything is
// sent, and gives the main-program line the run goes on from (none: the run
// does not start; the operator has been told why). `Anfahren` is called after
// the plane command and the graphic set-up, before that line is read; false
// ends the run there.
class Laufbeginn {
public:
    virtual ~Laufbeginn() = default;
    virtual std::optional<std::size_t> Vorbereiten(Laufumgebung& u) = 0;
    virtual bool Anfahren(Laufumgebung& u) = 0;
};

// The run with the checks of "Automatikbetrieb", begun by `beginn` instead of
// at the start block when it is given.
bool Automatikbetrieb(Laufumgebung u, Laufbeginn* beginn);

// The block loop of a run from main-program line `start`, with the
// subprograms, until the program ends or a stop. `anhalten`, when given, is
// asked before each block and ends the loop there, without the end of a run.
void Blockschleife(Laufumgebung& u, std::size_t start, const std::function<bool()>& anhalten);

// After a block: on to the next line of the main program or of the running
// subprogram (the first line of one an L word just loaded, or the calling
// program's next line after the subprogram's M30).
void SatzWeiterzaehlen(Laufzustand& l);

// The abort button: asks "Bearbeitung von Datei … abbrechen?"; Yes stops the
// run after the move under way and marks the reference lost.
void AbbruchAnfordern(Laufumgebung u);

// The emergency-stop button: both stop flags, the stop byte in the machine
// modes, the reference lost.
void Notaus(Laufumgebung u);

// The Escape key: as the emergency stop, and recorded so that the run stops
// before its next block.
void EscapeTaste(Laufumgebung u);

} // namespace korvx
