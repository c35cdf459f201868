#pragma once
// Backup copies of files that are about to be rewritten or replaced, and
// writing a list of text lines. Paths are Windows-1252 text with "/" between
// folders.
#include "state/Bediener.h"

#include <span>
#include <string>
#include <string_view>

namespace korvx {

struct TPfadTeile {
    std::string verzeichnis; // up to and including the last "/"; empty without one
    std::string name;        // file name before its first "."
    std::string erweiterung; // file name from its first "." on (with the "."); may be empty
};

TPfadTeile PfadZerlegen(std::string_view pfad);

// True when the path is not empty and names a file that can be opened for reading.
bool DateiVorhanden(std::string_view pfad);

// Keeps a copy of the file beside it under the name with the extension "BAK"
// (TEIL.CNC → TEIL.BAK, TEIL → TEIL.BAK), replacing an older copy. The file
// itself stays in place, so a rewrite that fails later loses nothing. Nothing
// happens when the file does not exist. On failure "Fehler beim Anlegen der
// BAK-Datei!" is shown and false returned.
bool BakSichern(Bediener& bediener, std::string_view pfad);

// Moves the file aside to the first free numbered name: the name up to its
// first "." and the next two characters, followed by 1 … 99 (BILD.BMP →
// BILD.BM1, BILD.BM2, …; BILD → BILD.1). Nothing happens when the file does
// not exist. False, after a message, when all 99 names are taken or the rename
// fails; the file then keeps its name.
bool NummernSichern(Bediener& bediener, std::string_view pfad);

// Keeps the BAK copy of the file, then replaces it atomically with the lines,
// each ended by CR LF. False, after "Fehler beim Speichern der Datei …!", when
// the file cannot be written; the old file is then untouched.
bool ZeilenSchreiben(Bediener& bediener, std::span<const std::string> zeilen,
                     std::string_view pfad);

} // namespace korvx
