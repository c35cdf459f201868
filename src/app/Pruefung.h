#pragma once
// The syntax check of korvx-run: every block of the loaded program is scanned
// as a run scans it, with the same messages, but an error only ends its own
// block and the check goes on with the next one. Nothing moves and no G, M or
// T function is executed.
#include "anlage/Anlage.h"

#include <cstddef>

namespace korvx::app {

struct Pruefergebnis {
    std::size_t saetze = 0;       // blocks scanned, comment lines included
    std::size_t fehlerSaetze = 0; // blocks that showed a syntax error message
};

// In the graphic modes 1 and 2 the program's depth scan runs first, as at the
// start of a run; its messages do not count as block errors.
Pruefergebnis ProgrammPruefen(Anlage& anlage);

} // namespace korvx::app
