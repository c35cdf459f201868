#pragma once
// Handing the chosen font between the main window and the font viewer through
// the small file "CurrentFont.TMP" in the start folder: one line, the font file
// name followed by a carriage return. The file exists only during a hand-over.
#include "state/Bediener.h"

#include <string>
#include <string_view>

namespace korvx {

inline constexpr std::string_view kUebergabeDatei = "CurrentFont.TMP";

// Writes the hand-over file into `ordner` (with its trailing '/'). False when
// it could not be written.
bool UebergabeSchreiben(std::string_view ordner, std::string_view name);

enum class Uebergabe {
    KeineDatei, // nothing was handed over
    Angenommen, // `name` holds the font
    Abgelehnt,  // not a ".FNT" name; the operator was told
};

// Takes the hand-over file: reads its first line and deletes it. A name is
// taken only when it ends in ".FNT" (any case) and that is its first ".FNT".
// With `leerErlaubt` an empty line counts as nothing handed over: the main
// window hands the viewer an empty name when no font is chosen yet.
Uebergabe UebergabeLesen(Bediener& bediener, std::string_view ordner, std::string& name,
                         bool leerErlaubt = false);

// The viewer's side when it closes: inside the main program, when the font
// differs from the one it opened with and the operator agrees, the font is
// handed back. True when the file was written.
bool ZeichensatzZurueckgeben(Bediener& bediener, std::string_view ordner, bool imHauptprogramm,
                             std::string_view name, std::string_view nameBeimOeffnen);

} // namespace korvx
