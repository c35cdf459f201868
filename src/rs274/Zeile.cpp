#include "rs274/Zeile.h"

#include <charconv>

namespace korvx::rs274 {

namespace {

using meldung::Rs274Grund;

bool Leer(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
bool Ziffer(char c) {
    return c >= '0' && c <= '9';
}
char Gross(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool Buchstabe(char c) {
    const char g = Gross(c);
    return g >= 'A' && g <= 'Z';
}

void Anhaengen(Worttext& t, char c) {
    if (t.laenge < t.zeichen.size()) {
        t.zeichen[t.laenge++] = c;
    }
}

// Reads the number after a letter from position i (blanks allowed anywhere
// in it). False when there is no number; i is left after the number.
bool ZahlLesen(std::string_view s, std::size_t& i, Wort& wort) {
    // Longer numbers cannot be meant as lengths; their digits are still
    // taken for the value up to this many characters.
    constexpr std::size_t kStellen = 40;
    std::array<char, kStellen + 1> puffer{};
    std::size_t n = 0;
    bool negativ = false;
    bool ziffern = false;
    bool punkt = false;
    bool zuLang = false;
    auto blanks = [&] {
        while (i < s.size() && Leer(s[i])) {
            ++i;
        }
    };
    blanks();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negativ = s[i] == '-';
        Anhaengen(wort.text, s[i]);
        ++i;
        blanks();
    }
    while (i < s.size()) {
        const char c = s[i];
        if (Ziffer(c) || (c == '.' && !punkt)) {
            punkt = punkt || c == '.';
            ziffern = ziffern || c != '.';
            if (n < kStellen) {
                puffer[n++] = c;
            } else if (c == '.' || !punkt) {
                zuLang = true; // digits before the point cannot be dropped
            }
            Anhaengen(wort.text, c);
            ++i;
        } else if (Leer(c)) {
            ++i;
        } else {
            break;
        }
    }
    if (!ziffern || zuLang) {
        return false;
    }
    double v = 0.0;
    const auto [ende, fehler] = std::from_chars(puffer.data(), puffer.data() + n, v);
    if (fehler != std::errc() || ende != puffer.data() + n) {
        return false;
    }
    wort.wert = negativ ? -v : v;
    return true;
}

} // namespace

Worttext ZeichenText(char c) {
    Worttext t;
    Anhaengen(t, c);
    return t;
}

void ZeileLesen(std::string_view s, Zeile& zeile) {
    auto fehler = [&](const Worttext& text, Rs274Grund grund) {
        Wort w;
        w.text = text;
        w.unlesbar = true;
        w.grund = grund;
        zeile.woerter.push_back(w);
    };
    zeile.prozent = false;
    zeile.woerter.clear();
    zeile.kommentare.clear();
    std::size_t i = 0;
    while (i < s.size() && Leer(s[i])) {
        ++i;
    }
    if (i < s.size() && s[i] == '%') {
        zeile.prozent = true;
        return;
    }
    if (i < s.size() && s[i] == '/') {
        fehler(ZeichenText('/'), Rs274Grund::Satzausblendung);
        return;
    }
    while (i < s.size()) {
        const char c = s[i];
        if (Leer(c)) {
            ++i;
        } else if (c == '(') {
            const std::size_t zu = s.find(')', i + 1);
            if (zu == std::string_view::npos) {
                fehler(ZeichenText('('), Rs274Grund::KommentarOffen);
                return;
            }
            zeile.kommentare.push_back(s.substr(i + 1, zu - i - 1));
            i = zu + 1;
        } else if (c == ';') {
            zeile.kommentare.push_back(s.substr(i + 1));
            break;
        } else if (Buchstabe(c)) {
            Wort w;
            w.buchstabe = Gross(c);
            Anhaengen(w.text, w.buchstabe);
            ++i;
            std::size_t j = i;
            while (j < s.size() && Leer(s[j])) {
                ++j;
            }
            if (j < s.size() && (s[j] == '#' || s[j] == '[')) {
                fehler(ZeichenText(s[j]),
                       s[j] == '#' ? Rs274Grund::Parameter : Rs274Grund::Ausdruck);
                return;
            }
            if (!ZahlLesen(s, i, w)) {
                fehler(w.text,
                       w.buchstabe == 'O' ? Rs274Grund::Unterprogramm : Rs274Grund::OhneZahl);
                return;
            }
            if (w.buchstabe == 'O') {
                fehler(w.text, Rs274Grund::Unterprogramm);
                return;
            }
            zeile.woerter.push_back(w);
        } else {
            fehler(ZeichenText(c), c == '#'   ? Rs274Grund::Parameter
                                   : c == '[' ? Rs274Grund::Ausdruck
                                   : c == '/' ? Rs274Grund::Satzausblendung
                                              : Rs274Grund::Unbekannt);
            return;
        }
    }
}

} // namespace korvx::rs274
