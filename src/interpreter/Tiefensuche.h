#pragma once
// Depth scan of a main program for the depth shading of the graphic: the
// highest and lowest programmed z over all blocks.
#include "interpreter/BlockList.h"
#include "state/Bediener.h"

namespace korvx {

struct Programmtiefe {
    double hoechstesZ = 0.0; // always 0 after the scan
    double tiefstesZ = 0.0;  // deepest programmed z, mm, or 0
};

// Takes the value after the first "Z" outside parentheses of each line that is
// not a comment line (blanks, signs, digits,
// point or comma). A line whose value cannot be read is shown with
// "Fehler bei der Frästiefensuche" appended, and the scan goes on. Z words in
// subprograms are not seen.
Programmtiefe ProgrammtiefeSuchen(const BlockList& programm, Bediener& bediener);

} // namespace korvx
