#pragma once
// The start folder of a start from the desktop menu: a folder of the user's
// own instead of the home folder, made on the first start with the examples
// and the engraving font, which are never copied again afterwards.
#include <optional>
#include <string>

namespace korvx::app {

// The folder a menu start works in: `korvxStart` when it is set and not
// empty, otherwise `home` + "/Korvelantrix". Empty when neither is known.
std::string MenueStartordner(const char* korvxStart, const char* home);

// Makes `ordner` when it does not exist yet and copies every file of
// `vorlage` into it (the examples and the font; a missing `vorlage` leaves
// the new folder empty). An existing folder is left exactly as it is. True
// when the folder is there afterwards.
bool StartordnerEinrichten(const std::string& ordner, const std::string& vorlage);

// The examples shipped with the installed program: share/korvelantrix/examples
// beside the bin/ folder that holds `programmdatei`.
std::string BeispielOrdner(const std::string& programmdatei);

} // namespace korvx::app
