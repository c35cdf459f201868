#pragma once
// korvx-run --preflight: the whole run checked before it is made, reported as
// lines, and the estimate line of a traced run.
//
// Lines (UTF-8; TEXT and BLOCK as the window would show them):
//   zone: AXIS min|max by=MM largest=MM blocks=N line=L BLOCK
//   error: line=L BLOCK | TEXT
//   message: line=L BLOCK | TEXT        (the stops of M0)
//   tool: line=L T=N NAME | BLOCK
//   extent: W|M min=x,y,z max=x,y,z
//   estimate: time_ms=N machining_ms=N
// AXIS is x, y or z in machine coordinates; "by" is how far the first
// block's target lies outside, "largest" the farthest of all. Lines of the
// first 1000 errors and messages; then "errors: N in all".
#include "anlage/Anlage.h"
#include "app/KonsolenBediener.h"
#include "app/Optionen.h"
#include "interpreter/Programmpruefung.h"

#include <string>
#include <vector>

namespace korvx::app {

// The report's lines without the end line.
std::vector<std::string> VorpruefZeilen(const Pruefbericht& bericht);

// Runs the check for korvx-run: the tool of --tool is put in use, the
// reference run's effect on the state made without moving anything (as in
// simulation; no port is opened, in no mode), --zero and --font applied,
// then the program checked with the graphic mode of --mode and 9600 bits per
// second. Prints the lines and the end line; returns the exit status (0
// clean, 1 an error or a zone violation, 2 could not start).
int VorpruefungAusfuehren(Anlage& anlage, KonsolenBediener& konsole, const Optionen& o);

} // namespace korvx::app
