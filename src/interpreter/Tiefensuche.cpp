#include "interpreter/Tiefensuche.h"

#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

#include <string>

namespace korvx {

namespace {

// The first "Z" of a word: not inside a remark in parentheses, an engraving
// text in apostrophes or a subprogram name (from L to the end of the line or
// a remark), so that a "Z" there is no depth.
std::size_t ZAusserhalbVonKlammern(std::string_view zeile) {
    bool inKlammer = false;
    bool inText = false;
    bool inName = false;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (inKlammer) {
            inKlammer = c != ')';
        } else if (inText) {
            inText = c != '\'';
        } else if (c == '(') {
            inKlammer = true;
            inName = false;
        } else if (inName) {
            continue;
        } else if (c == '\'') {
            inText = true;
        } else if (c == 'L') {
            inName = true;
        } else if (c == 'Z') {
            return i;
        }
    }
    return std::string::npos;
}

} // namespace

Programmtiefe ProgrammtiefeSuchen(const BlockList& programm, Bediener& bediener) {
    Programmtiefe tiefe;
    // Point and comma are both taken as the decimal comma here, whatever the
    // operator's locale says, so a program reads the same on every machine.
    const Zahlenformat komma(',');
    for (std::size_t n = 0; n < programm.Anzahl(); ++n) {
        const std::string_view zeile = programm.Zeile(n);
        if (IstKommentarzeile(zeile)) {
            continue;
        }
        const std::size_t z = ZAusserhalbVonKlammern(zeile);
        if (z == std::string::npos) {
            continue;
        }
        std::string text;
        for (std::size_t i = z + 1; i < zeile.size(); ++i) {
            const char c = zeile[i];
            if (c == '.') {
                text.push_back(',');
            } else if (c == ' ' || c == '+' || c == '-' || c == ',' || (c >= '0' && c <= '9')) {
                text.push_back(c);
            } else {
                break;
            }
        }
        const auto wert = komma.Lesen(text);
        if (!wert) {
            bediener.Meldung(meldung::FraestiefenFehler(zeile));
            continue;
        }
        if (*wert < tiefe.tiefstesZ) {
            tiefe.tiefstesZ = *wert;
        }
        if (*wert > tiefe.hoechstesZ) {
            tiefe.hoechstesZ = *wert;
        }
    }
    if (tiefe.hoechstesZ > 0.0) {
        tiefe.hoechstesZ = 0.0;
    }
    return tiefe;
}

} // namespace korvx
