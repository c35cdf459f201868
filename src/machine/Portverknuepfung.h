#pragma once
// A serial device made port n of a start folder: the entry "COMn" there as a
// symbolic link to it, so every later start finds it by its number.
#include <string>

namespace korvx {

enum class Verknuepfung {
    Angelegt, // the link is there now
    SchonDa,  // COMn already led to this device; nothing changed
    AndereDa, // COMn is a link to another device; replaced only when asked to
    KeinLink, // COMn is a file or folder of its own; never replaced
    Fehler,   // the link could not be made (folder not writable, …)
};

// Links `startVerzeichnis`/COMn to `geraet`. An existing link to another
// device is replaced (in one step, never leaving COMn missing) only when
// `ersetzen` is set; `bisher` then receives where it led.
Verknuepfung PortVerknuepfen(const std::string& startVerzeichnis, int n, const std::string& geraet,
                             bool ersetzen, std::string* bisher);

// "COMn" in the start folder: the path of the entry.
std::string PortEintrag(const std::string& startVerzeichnis, int n);

} // namespace korvx
