#pragma once
// A part program in memory: its block lines in file order, each at most 80
// single-byte (Windows-1252) characters, stored exactly as read.
#include "state/Bediener.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvx {

// Longest block line; longer lines are cut when they are read.
inline constexpr std::size_t kSatzLaenge = 80;

class BlockList {
public:
    // Main program: every non-empty line, no closing entry.
    static BlockList Hauptprogramm(std::string_view dateiinhalt);
    // Subprogram: every line, empty ones included, then one closing entry whose
    // text is never executed.
    static BlockList Unterprogramm(std::string_view dateiinhalt);

    // Appends a line, cut to kSatzLaenge characters.
    void Anhaengen(std::string_view zeile);
    void Leeren();

    bool Leer() const { return enden_.empty(); }
    // Number of entries, the closing entry of a subprogram list included.
    std::size_t Anzahl() const { return enden_.size(); }
    std::string_view Zeile(std::size_t index) const {
        const std::size_t anfang = index == 0 ? 0 : enden_[index - 1];
        return std::string_view(text_).substr(anfang, enden_[index] - anfang);
    }
    // A copy of every line.
    std::vector<std::string> Zeilen() const;
    // True for a subprogram list: its last entry only closes the list.
    bool HatSchlusseintrag() const { return schlusseintrag_; }

private:
    // All lines one after the other, and where each ends: a program of a
    // million blocks takes little more memory than its file.
    std::string text_;
    std::vector<std::size_t> enden_;
    bool schlusseintrag_ = false;
};

// Splits file content into lines. A line ends at LF, CR LF or a lone CR; the
// line-end characters are not part of the line. A last line without a line
// end counts; an empty file and a file that ends with a line end have no
// trailing empty line.
std::vector<std::string_view> DateiZeilenTeilen(std::string_view inhalt);

// Reads a part program file as the main program. A missing file gives
// "Datei <pfad> nicht gefunden!", one that cannot be read "Die Datei <pfad>
// wurde nicht geladen!"; both return no list.
std::optional<BlockList> HauptprogrammLaden(std::string_view pfad, Bediener& bediener);

// Reads a subprogram file. No list when the file cannot be opened or read; the
// caller reports that with its own message.
std::optional<BlockList> UnterprogrammLaden(std::string_view pfad);

// A block that holds only a remark: it starts with "(" and its first ")" is
// its last character. Such a block is shown but not scanned.
bool IstKommentarzeile(std::string_view satz);

} // namespace korvx
