#pragma once
// An RS274/NGC file, as CAM programs write it, read and converted into a part
// program of our dialect: for korvx-run, korvx-import and the window's import.
// The converted blocks then run like any part program.
#include "interpreter/BlockList.h"
#include "rs274/Umsetzer.h"
#include "state/Bediener.h"
#include "state/Zahlenformat.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvx {

// Reads the file and converts it; the first comment block names the file.
// `raum3D`: the controller interpolates all three axes ("@0z1"). A file that
// cannot be read is reported as a part program file would be ("Datei …
// nicht gefunden!", "Die Datei … wurde nicht geladen!") and gives no result;
// a refused conversion is a result with `ok` false and no blocks.
std::optional<rs274::Umsetzung> GcodeDateiUmsetzen(std::string_view pfad1252, bool raum3D,
                                                   Bediener& bediener);

// The converted blocks as the main program in memory.
BlockList GcodeProgramm(const rs274::Umsetzung& umsetzung);

// The converted program's file beside the source: the extension of the file
// name (from its last ".") replaced by ".CNC", or ".CNC" appended.
std::string CncNameZu(std::string_view pfad1252);

// "Zeile N: text".
std::string HinweisText(const rs274::Hinweis& hinweis);

// "X a…b Y c…d Z e…f mm" with three decimals in the given format, or
// "keine Bewegung" for a path without a point.
std::string AusdehnungText(const rs274::Ausdehnung& ausdehnung, const Zahlenformat& format);

// The window's one message after an import into `ziel`: blocks, extents and
// the first `hoechstens` notes (the rest counted).
std::string ImportMeldung(const rs274::Umsetzung& umsetzung, std::string_view quelle,
                          std::string_view ziel, const Zahlenformat& format,
                          std::size_t hoechstens = 20);

} // namespace korvx
