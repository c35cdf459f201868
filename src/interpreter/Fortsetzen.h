#pragma once
// "Fortsetzen ab Satz": a run that goes on from a chosen block of the main
// program as if it had run from the first block. The blocks before it are
// read without moving, drawing, asking or sending, which rebuilds the modal
// state they leave (G90/G91, G94/G95, G96/G97, F and S with the feed, the
// motion type, the tool, the zero shifts, the plane, a cycle definition with
// its parameters, Bohrtiefe, A and B). A block inside a cutter compensation or
// inside a subprogram is refused before anything moves. Then the tool goes to
// the block's start point: up to the highest point the program reached before
// it, across at rapid, down at feed, after one question (and the usual
// tool-change question when the program's tool is not the one in use).
#include "interpreter/BlockList.h"
#include "interpreter/Laufzustand.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvx {

// Runs the loaded program from block `satz` (found as the start block is).
// False when the run could not start (the checks of "Automatikbetrieb", the
// block refused, an operator's stop while the blocks before it were read);
// the reason of the end is `zustand.stopp.Grund()`.
bool FortsetzenAbSatz(Laufumgebung u, std::int32_t satz);

// The block number of a block's text: the first N word outside comments;
// none without one.
std::optional<std::int32_t> Satznummer(std::string_view satz);

// The main-program block a run stopped in (or would have read next when it
// stopped between blocks); inside a subprogram the block that called it.
// None when the run got past the last line or that block has no number.
std::optional<std::int32_t> UnterbrochenerSatz(const Laufzustand& lauf, const BlockList& programm);

} // namespace korvx
