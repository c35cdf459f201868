#pragma once
// Loading a subprogram file for an L word.
#include "interpreter/BlockList.h"
#include "interpreter/Laufzustand.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvx {

// Where a subprogram name leads: an absolute name as it stands; a relative
// one in the working folder, then in the main program's folder; on each, when
// no file has exactly that name, a file whose name matches it without regard
// to case (programs written on Windows name their files in any case). Empty
// when nothing is found.
std::string UnterprogrammPfad(std::string_view name, std::string_view hauptprogramm);

// Reads the subprogram's lines. A file that cannot be opened shows
// "Unterprogramm nicht gefunden!" and sets Abgebrochen; running out of memory
// while reading shows the memory message and ends the program.
std::optional<BlockList> UnterprogrammOeffnen(Laufumgebung u, std::string_view name);

} // namespace korvx
