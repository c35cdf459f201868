#include "rs274/Umsetzer.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace korvx::rs274 {

Umsetzung Umsetzen(std::string_view, const Umsetzoptionen&) {
    Umsetzung u;
    u.ablehnung = "RS274-Umsetzung noch nicht vorhanden";
    u.ablehnungszeile = 1;
    return u;
}

bool IstRs274Name(std::string_view dateiname) {
    static constexpr std::array<std::string_view, 5> endungen{".nc", ".ngc", ".gcode", ".gc",
                                                              ".tap"};
    for (std::string_view e : endungen) {
        if (dateiname.size() <= e.size())
            continue;
        const std::string_view ende = dateiname.substr(dateiname.size() - e.size());
        if (std::equal(ende.begin(), ende.end(), e.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            }))
            return true;
    }
    return false;
}

} // namespace korvx::rs274
