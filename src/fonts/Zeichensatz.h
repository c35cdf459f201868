#pragma once
// The engraving font in memory: the whole ".FNT" file in one buffer, the mark
// that it is loaded, and the name of the current font file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvx {

struct Zeichensatz {
    std::vector<std::uint8_t> Puffer; // the file's bytes
    bool Geladen = false;             // measuring reuses the buffer while set
    std::string Datei;                // current font file, Windows-1252; empty: none chosen
};

// Largest font file that is read, in bytes.
inline constexpr std::size_t kZeichensatzMaxGroesse = 20001;

// Result codes of ZeichensatzLaden.
inline constexpr int kZeichensatzOk = 0;
inline constexpr int kZeichensatzFehlt = 2; // missing, or larger than the limit
inline constexpr int kZeichensatzNichtLesbar = 5;

// Reads the file into the buffer. The buffer is emptied when it cannot be read
// or is too large; the loaded mark is left to the caller.
int ZeichensatzLaden(Zeichensatz& zeichensatz, std::string_view datei);

// Makes `datei` the current font; the next measuring reads it afresh.
void ZeichensatzWaehlen(Zeichensatz& zeichensatz, std::string_view datei);

} // namespace korvx
