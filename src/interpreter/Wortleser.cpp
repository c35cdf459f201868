#include "interpreter/Wortleser.h"

#include "state/Meldungen.h"

#include <charconv>

namespace korvx {

namespace {

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

// Common start of the number readers: the selecting character must not be
// the block's last; it is stepped over, then any blanks.
bool ZahlAnfang(std::string_view satz, std::size_t& pos, Bediener& bediener) {
    if (pos + 1 >= satz.size()) {
        bediener.Meldung(meldung::FehlenderZahlenwert());
        return false;
    }
    ++pos;
    while (pos < satz.size() && satz[pos] == ' ') {
        ++pos;
    }
    return true;
}

// -?digits*(.digits*)? with at least one digit.
bool GueltigeZahl(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    bool ziffern = false;
    bool punkt = false;
    for (; i < text.size(); ++i) {
        if (IstZiffer(text[i])) {
            ziffern = true;
        } else if (text[i] == '.' && !punkt) {
            punkt = true;
        } else {
            return false;
        }
    }
    return ziffern;
}

} // namespace

bool GanzzahlLesen(std::string_view satz, std::size_t& pos, std::int32_t& wert,
                   Bediener& bediener) {
    wert = 0;
    if (!ZahlAnfang(satz, pos, bediener)) {
        return false;
    }
    if (pos >= satz.size() || !IstZiffer(satz[pos])) {
        bediener.Meldung(meldung::FehlenderZahlenwert());
        return false;
    }
    std::string ziffern;
    while (pos < satz.size() && IstZiffer(satz[pos])) {
        if (ziffern.size() < kZahlStellen) {
            ziffern.push_back(satz[pos]);
        }
        ++pos;
    }
    std::int64_t zahl = 0;
    std::from_chars(ziffern.data(), ziffern.data() + ziffern.size(), zahl);
    if (zahl > INT32_MAX) {
        return false;
    }
    wert = static_cast<std::int32_t>(zahl);
    return true;
}

bool ReellLesen(std::string_view satz, std::size_t& pos, double& wert, Bediener& bediener) {
    wert = 0.0;
    if (!ZahlAnfang(satz, pos, bediener)) {
        return false;
    }
    auto zahlzeichen = [](char c) { return IstZiffer(c) || c == '-' || c == '.' || c == ','; };
    if (pos >= satz.size() || !zahlzeichen(satz[pos])) {
        bediener.Meldung(meldung::FehlenderZahlenwert());
        return false;
    }
    std::string text;
    while (pos < satz.size() && zahlzeichen(satz[pos])) {
        if (text.size() < kZahlStellen) {
            text.push_back(satz[pos] == ',' ? '.' : satz[pos]);
        }
        ++pos;
    }
    if (!GueltigeZahl(text)) {
        return false;
    }
    double zahl = 0.0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), zahl);
    if (fehler != std::errc() || ende != text.data() + text.size()) {
        return false;
    }
    wert = zahl;
    return true;
}

bool KommentarLesen(std::string_view satz, std::size_t& pos, std::string& text,
                    Bediener& bediener) {
    text.clear();
    if (pos + 1 >= satz.size()) {
        bediener.Meldung(meldung::FehlenderKommentartext());
        return false;
    }
    const std::size_t anfang = pos + 1;
    const std::size_t zu = satz.find(')', anfang);
    const std::size_t ende = zu == std::string_view::npos ? satz.size() : zu;
    text.assign(satz.substr(anfang, ende - anfang));
    pos = zu == std::string_view::npos ? satz.size() : zu + 1;
    return true;
}

bool TextLesen(std::string_view satz, std::size_t& pos, std::string& text, Bediener& bediener) {
    if (pos + 1 >= satz.size()) {
        bediener.Meldung(meldung::FehlenderText());
        return false;
    }
    const std::size_t auf = satz.find('\'', pos + 1);
    const std::size_t zu = auf == std::string_view::npos ? auf : satz.find('\'', auf + 1);
    if (zu == std::string_view::npos) {
        text.clear();
        bediener.Meldung(meldung::FehlenderText());
        return false;
    }
    text.assign(satz.substr(auf + 1, zu - auf - 1));
    pos = zu + 1;
    return true;
}

bool UnterprogrammNameLesen(std::string_view satz, std::size_t& pos, std::string& name,
                            Bediener& bediener) {
    name.clear();
    if (pos + 1 >= satz.size()) {
        bediener.Meldung(meldung::FehlenderUnterprogrammName());
        return false;
    }
    std::size_t ende = satz.find('(', pos + 1);
    if (ende == std::string_view::npos) {
        ende = satz.size();
    }
    for (std::size_t i = pos + 1; i < ende; ++i) {
        if (satz[i] != ' ') {
            name.push_back(satz[i]);
        }
    }
    if (name.find('.') == std::string::npos) {
        name += ".CNC";
    }
    pos = ende;
    return true;
}

} // namespace korvx
