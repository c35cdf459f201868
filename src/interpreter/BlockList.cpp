#include "interpreter/BlockList.h"

#include "state/Dateien.h"
#include "state/Meldungen.h"

#include <algorithm>

namespace korvx {

namespace {

std::string_view Text(const std::vector<std::uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace

std::vector<std::string_view> DateiZeilenTeilen(std::string_view inhalt) {
    std::vector<std::string_view> zeilen;
    std::size_t anfang = 0;
    std::size_t i = 0;
    while (i < inhalt.size()) {
        const char c = inhalt[i];
        if (c == '\n' || c == '\r') {
            zeilen.push_back(inhalt.substr(anfang, i - anfang));
            if (c == '\r' && i + 1 < inhalt.size() && inhalt[i + 1] == '\n') {
                ++i;
            }
            anfang = i + 1;
        }
        ++i;
    }
    if (anfang < inhalt.size()) {
        zeilen.push_back(inhalt.substr(anfang));
    }
    return zeilen;
}

namespace {

// Calls `zeile` for every line of the content, split as DateiZeilenTeilen
// splits, without building a list of them first.
template <class Zeile> void ZeilenDurchgehen(std::string_view inhalt, Zeile&& zeile) {
    std::size_t anfang = 0;
    std::size_t i = 0;
    while (i < inhalt.size()) {
        const char c = inhalt[i];
        if (c == '\n' || c == '\r') {
            zeile(inhalt.substr(anfang, i - anfang));
            if (c == '\r' && i + 1 < inhalt.size() && inhalt[i + 1] == '\n') {
                ++i;
            }
            anfang = i + 1;
        }
        ++i;
    }
    if (anfang < inhalt.size()) {
        zeile(inhalt.substr(anfang));
    }
}

} // namespace

BlockList BlockList::Hauptprogramm(std::string_view dateiinhalt) {
    BlockList liste;
    // Sized once: a program of a million blocks is not copied while it grows.
    std::size_t zeilen = 0;
    std::size_t zeichen = 0;
    ZeilenDurchgehen(dateiinhalt, [&](std::string_view zeile) {
        if (!zeile.empty()) {
            ++zeilen;
            zeichen += std::min(zeile.size(), kSatzLaenge);
        }
    });
    liste.text_.reserve(zeichen);
    liste.enden_.reserve(zeilen);
    ZeilenDurchgehen(dateiinhalt, [&liste](std::string_view zeile) {
        if (!zeile.empty()) {
            liste.Anhaengen(zeile);
        }
    });
    return liste;
}

BlockList BlockList::Unterprogramm(std::string_view dateiinhalt) {
    BlockList liste;
    ZeilenDurchgehen(dateiinhalt, [&liste](std::string_view zeile) { liste.Anhaengen(zeile); });
    liste.enden_.push_back(liste.text_.size());
    liste.schlusseintrag_ = true;
    return liste;
}

void BlockList::Anhaengen(std::string_view zeile) {
    text_.append(zeile.substr(0, kSatzLaenge));
    enden_.push_back(text_.size());
}

void BlockList::Leeren() {
    text_.clear();
    enden_.clear();
    schlusseintrag_ = false;
}

std::vector<std::string> BlockList::Zeilen() const {
    std::vector<std::string> zeilen;
    zeilen.reserve(Anzahl());
    for (std::size_t i = 0; i < Anzahl(); ++i) {
        zeilen.emplace_back(Zeile(i));
    }
    return zeilen;
}

std::optional<BlockList> HauptprogrammLaden(std::string_view pfad, Bediener& bediener) {
    LeseFehler fehler = LeseFehler::Keiner;
    const auto inhalt = DateiLesen(pfad, &fehler);
    if (!inhalt) {
        bediener.Meldung(fehler == LeseFehler::Fehlt ? meldung::DateiNichtGefunden(pfad)
                                                     : meldung::DateiNichtGeladen(pfad));
        return std::nullopt;
    }
    return BlockList::Hauptprogramm(Text(*inhalt));
}

std::optional<BlockList> UnterprogrammLaden(std::string_view pfad) {
    const auto inhalt = DateiLesen(pfad);
    if (!inhalt) {
        return std::nullopt;
    }
    return BlockList::Unterprogramm(Text(*inhalt));
}

bool IstKommentarzeile(std::string_view satz) {
    if (satz.empty() || satz.front() != '(') {
        return false;
    }
    return satz.find(')') == satz.size() - 1;
}

} // namespace korvx
