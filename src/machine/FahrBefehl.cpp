#include "geometry/Umrechnung.h"
#include "machine/Isel.h"
#include "machine/IselProtokoll.h"
#include "state/Maschinenzustand.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace korvx {

std::array<std::int32_t, 4> SchrittRaten(const Maschinenzustand& z,
                                         const std::array<double, 4>& geschw) {
    const TPunkt3D& s = z.konfig.Spindelsteigung;
    // Both z drives run on the z spindle.
    const double steigung[4] = {s.x, s.y, s.z, s.z};
    std::array<std::int32_t, 4> raten{};
    for (std::size_t i = 0; i < 4; ++i) {
        // The rate is limited to 21 … 10000, so the rounding cannot overflow.
        raten[i] =
            static_cast<std::int32_t>(std::nearbyint(SchrittFrequenz(z, geschw[i], steigung[i])));
    }
    return raten;
}

std::array<std::int64_t, 4> Schrittzahlen(const Maschinenzustand& z,
                                          const std::array<bool, 4>& achsen,
                                          const std::array<double, 4>& weg) {
    const TPunkt3D& s = z.konfig.Spindelsteigung;
    const double steigung[4] = {s.x, s.y, s.z, s.z};
    std::array<std::int64_t, 4> n{};
    for (std::size_t i = 0; i < 4; ++i) {
        n[i] = achsen[i] ? SchrittZahl(z, weg[i], steigung[i]) : 0;
    }
    return n;
}

std::string FahrBefehlAusSchritten(const std::array<std::int64_t, 4>& schritte,
                                   const std::array<std::int32_t, 4>& raten) {
    std::string text;
    FahrBefehlSchreiben(text, schritte, raten);
    return text;
}

void FahrBefehlSchreiben(std::string& text, const std::array<std::int64_t, 4>& schritte,
                         const std::array<std::int32_t, 4>& raten) {
    // Composed in one buffer: a program run builds one command per chord.
    // Eight numbers of at most 20 characters and their separators fit.
    char puffer[4 + 8 * 22];
    char* p = puffer;
    char* const ende = puffer + sizeof puffer;
    auto anhaengen = [&](std::string_view t) {
        for (char c : t) {
            if (p < ende) {
                *p++ = c;
            }
        }
    };
    auto zahl = [&](std::int64_t v) { p = std::to_chars(p, ende, v).ptr; };
    anhaengen(isel::kFahrBefehl);
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            anhaengen(isel::kFahrTrenner);
        }
        zahl(schritte[i]);
        anhaengen(isel::kFahrTrenner);
        zahl(raten[i]);
    }
    text.assign(puffer, p);
}

std::string FahrBefehlMitRaten(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                               const std::array<double, 4>& weg,
                               const std::array<std::int32_t, 4>& raten) {
    return FahrBefehlAusSchritten(Schrittzahlen(z, achsen, weg), raten);
}

std::string FahrBefehlBilden(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                             const std::array<double, 4>& weg,
                             const std::array<double, 4>& geschw) {
    return FahrBefehlMitRaten(z, achsen, weg, SchrittRaten(z, geschw));
}

bool SchrittzahlenImBereich(const std::array<std::int64_t, 4>& schritte) {
    for (const std::int64_t n : schritte) {
        if (n > kSchrittzahlGrenze || n < -kSchrittzahlGrenze) {
            return false;
        }
    }
    return true;
}

bool FahrBefehlImBereich(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                         const std::array<double, 4>& weg) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (achsen[i] && !std::isfinite(weg[i])) {
            return false;
        }
    }
    return SchrittzahlenImBereich(Schrittzahlen(z, achsen, weg));
}

} // namespace korvx
