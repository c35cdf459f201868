#include "state/Zahlenformat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace korvx {

Zahlenformat Zahlenformat::AusUmgebung() {
    const char* namen[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    std::string locale;
    for (const char* name : namen) {
        const char* wert = std::getenv(name);
        if (wert != nullptr && *wert != '\0') {
            locale = wert;
            break;
        }
    }
    // Languages whose locale writes a decimal comma.
    static const std::array<const char*, 26> komma = {
        "de", "fr", "it", "es", "nl", "pt", "ru", "pl", "cs", "sk", "da", "fi", "sv",
        "nb", "nn", "no", "tr", "hu", "ro", "el", "uk", "hr", "sl", "bg", "lt", "lv"};
    const std::string sprache = locale.substr(0, locale.find_first_of("_.@"));
    for (const char* k : komma) {
        if (sprache == k) {
            return Zahlenformat(',');
        }
    }
    return Zahlenformat('.');
}

std::string Zahlenformat::Fest(double wert, int praezision, int nachkommastellen) const {
    if (std::isnan(wert)) {
        return "NAN";
    }
    if (std::isinf(wert)) {
        return wert < 0 ? "-INF" : "INF";
    }
    if (praezision < 1) {
        praezision = 1;
    }
    if (praezision > 18) {
        praezision = 18;
    }
    if (nachkommastellen < 0) {
        nachkommastellen = 0;
    }
    if (nachkommastellen > 18) {
        nachkommastellen = 18;
    }
    // Round to the precision first: scientific form with praezision digits.
    // to_chars/from_chars always use the point, whatever locale the window
    // toolkit has set for the C library.
    char puffer[64];
    auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::scientific,
                              praezision - 1)
                    .ptr;
    double gerundet = 0.0;
    std::from_chars(puffer, ende, gerundet);
    const char* e = std::find(puffer, ende, 'e');
    int exponent = 0;
    if (e != ende) {
        const char* z = e + 1;
        z += (*z == '+') ? 1 : 0;
        std::from_chars(z, ende, exponent);
    }
    std::string text;
    if (gerundet != 0.0 && exponent + 1 > praezision) {
        // Exponent form: mantissa with the precision's digits, exponent with a
        // sign and at least two digits.
        const int betrag = std::abs(exponent);
        text.assign(static_cast<const char*>(puffer), e);
        text += exponent < 0 ? "E-" : "E+";
        if (betrag < 10) {
            text += '0';
        }
        text += std::to_string(betrag);
    } else {
        ende = std::to_chars(puffer, puffer + sizeof puffer, gerundet, std::chars_format::fixed,
                             nachkommastellen)
                   .ptr;
        text.assign(puffer, ende);
        // No sign on a value that rounds to zero.
        if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) {
            text.erase(0, 1);
        }
    }
    for (char& c : text) {
        if (c == '.') {
            c = trenner_;
        }
    }
    return text;
}

std::optional<double> Zahlenformat::Lesen(std::string_view text) const {
    std::size_t anfang = 0;
    std::size_t ende = text.size();
    while (anfang < ende && text[anfang] == ' ') {
        ++anfang;
    }
    while (ende > anfang && text[ende - 1] == ' ') {
        --ende;
    }
    std::string s(text.substr(anfang, ende - anfang));
    if (s.empty()) {
        return std::nullopt;
    }
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        ++i;
    }
    bool ziffern = false;
    bool trenner = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            ziffern = true;
        } else if ((c == ',' || c == '.') && !trenner) {
            // Either separator, whatever the locale, as part programs do.
            trenner = true;
            s[i] = '.';
        } else {
            break;
        }
    }
    if (!ziffern) {
        return std::nullopt;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t expAnfang = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            ++j;
        }
        if (j == expAnfang) {
            return std::nullopt;
        }
        i = j;
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    // from_chars reads the point whatever the C locale says; once the window
    // toolkit has set the user's locale, strtod would stop at the point.
    const char* zahl = s.data() + (s[0] == '+' ? 1 : 0);
    double wert = 0.0;
    const auto [rest, fehler] = std::from_chars(zahl, s.data() + s.size(), wert);
    if (fehler != std::errc() || rest != s.data() + s.size() || !std::isfinite(wert)) {
        return std::nullopt;
    }
    return wert;
}

} // namespace korvx
