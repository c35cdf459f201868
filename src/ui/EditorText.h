#pragma once
// The text logic of the part program editor, on Windows-1252 lines and without
// Qt: the function-key commands on one line, the case changes, and handing the
// editor's lines to the program in memory with fresh block numbers.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvx {

class BlockList;

// Case change of every letter the code page holds, as the German locale maps
// them (ß and the letters without a partner stay).
std::string GrossCp1252(std::string_view text);
std::string KleinCp1252(std::string_view text);
// Case change of a–z, A–Z and the umlauts ä/Ä, ö/Ö, ü/Ü only; every other
// character stays.
std::string BuchstabenGross(std::string_view text);
std::string BuchstabenKlein(std::string_view text);

// What a function key does: without modifier it deletes, with Shift it turns
// to upper case, with Ctrl to lower case.
enum class Zeilenwirkung { Loeschen, Gross, Klein };
// Shift wins over Ctrl; any other modifier (Alt, Meta) makes the key do nothing.
std::optional<Zeilenwirkung> WirkungDerTaste(bool shift, bool strg, bool andere);

// The part of the caret's line a key works on: F2 the whole line, F3 from the
// line start up to the caret, F4 from the caret to the line end.
enum class Zeilenteil { Zeile, BisCaret, AbCaret };

struct Zeilenstand {
    std::string zeile;
    std::size_t spalte = 0; // caret offset in the line
};

// The line after the key. The whole line changes case by GrossCp1252 /
// KleinCp1252, its parts by BuchstabenGross / BuchstabenKlein. Deleting the
// whole line gives an empty one (the editor removes the line itself). The caret
// stays where it was, except after deleting up to it (then at the line start).
Zeilenstand Zeilenbefehl(std::string_view zeile, std::size_t spalte, Zeilenteil teil,
                         Zeilenwirkung wirkung);

// The lines of an editor text ('\n' between lines); a line end after the last
// line opens no further line and an empty text has none.
std::vector<std::string> TextZeilen(std::string_view text);

// Rebuilds the program from the editor's lines with block numbers 1, 2, …: a
// leading "N" with the blanks and digits after it is cut off; a remark line or
// a line starting with "%" (after that cut) goes in unchanged and takes no
// number; any other non-empty rest becomes "N<n> <rest>"; an empty rest an
// empty line.
void EditorNachProgramm(std::span<const std::string> zeilen, BlockList& programm);

} // namespace korvx
