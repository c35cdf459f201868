#pragma once
// The tool file (name in the settings: WerkzeugDatei, "FraesWkz.DAT" by
// default): Windows-1252 text with CR LF line ends. A header line with the
// program's path, then six "key=value" lines per tool, the last five indented
// by ten blanks. Lengths carry the locale's decimal separator; both the point
// and the comma are read.
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "tools/Werkzeugliste.h"

#include <string>

namespace korvx {

// Loads the tool file into the tool list (replacing its contents). The lines of
// a tool may stand in any order, keys are compared without case. A value that
// does not convert skips that tool with its message (naming the tool's number)
// and the loading goes on; so does a number outside 1 … 255 with the number's
// message. A colour outside 0 … 15 becomes 0 (black) with a message. After
// any of these the list is kept in `beiLesefehler`.
void WkzDateiLesen(WkzZugang anlage);

// The tool file as the program start reads it: when it exists the list is
// loaded, otherwise it stays empty and no tool is in use. A relative name is
// taken in the start folder.
void WkzDateiBeimStartLesen(WkzZugang anlage);

// The whole file text for the list as it is now.
std::string WkzDateiText(WkzZugang anlage);

// Writes the tool file; a list loaded with a reading error and unchanged since
// is not written (true). When its text differs from the file on disk, the old
// file is first kept as a .BAK copy, then the new one replaces it atomically.
// False (and the operator told) when either step fails; the old file then
// stays as it was.
bool WkzDateiSchreiben(WkzZugang anlage);

// Name of the backup copy: the file name cut at its first "." plus "BAK"
// (FraesWkz.DAT → FraesWkz.BAK); a name without "." gets ".BAK" appended.
std::string WkzBakName(std::string_view pfad);

} // namespace korvx
