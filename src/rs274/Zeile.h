#pragma once
// One line of RS274/NGC text taken apart into words and comments. Letters in
// either case, blanks and tabs anywhere (also inside numbers), numbers such as
// "X.5", "X-.5", "X+1" and "X10.".
#include "state/MeldungenRs274.h"

#include <array>
#include <string_view>
#include <vector>

namespace korvx::rs274 {

// A word as written, the letter in upper case and the number without blanks,
// for messages and notes ("G53", "K0.000").
struct Worttext {
    std::array<char, 24> zeichen{};
    unsigned laenge = 0;
    std::string_view Sicht() const { return {zeichen.data(), laenge}; }
};

struct Wort {
    char buchstabe = 0; // 'A' … 'Z'
    double wert = 0.0;
    Worttext text;
    // Where the line cannot be read on, the rest becomes one word that says
    // why; the words before it are still judged first, in their order.
    bool unlesbar = false;
    meldung::Rs274Grund grund = meldung::Rs274Grund::Unbekannt;
};

// The words and comments of one line; kept and reused from line to line so
// that reading a line allocates nothing once the vectors have grown.
struct Zeile {
    bool prozent = false; // a "%" line
    std::vector<Wort> woerter;
    std::vector<std::string_view> kommentare; // texts inside ( ) and after ;
};

// Takes one line apart (without its line end). What cannot be read (an
// unclosed comment, a letter without a number, "#", "[", "/" at the start, an
// O word or any character that starts no word) ends the line with an
// unreadable word.
void ZeileLesen(std::string_view text, Zeile& zeile);

// Worttext of a single character.
Worttext ZeichenText(char c);

} // namespace korvx::rs274
