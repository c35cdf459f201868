#include "geometry/Umrechnung.h"
#include "machine/Isel.h"
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

std::string FahrBefehlMitRaten(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                               const std::array<double, 4>& weg,
                               const std::array<std::int32_t, 4>& raten) {
    const TPunkt3D& s = z.konfig.Spindelsteigung;
    const double steigung[4] = {s.x, s.y, s.z, s.z};
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
    anhaengen("@0A ");
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            anhaengen(", ");
        }
        zahl(achsen[i] ? SchrittZahl(z, weg[i], steigung[i]) : 0);
        anhaengen(", ");
        zahl(raten[i]);
    }
    return std::string(puffer, p);
}

std::string FahrBefehlBilden(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                             const std::array<double, 4>& weg,
                             const std::array<double, 4>& geschw) {
    return FahrBefehlMitRaten(z, achsen, weg, SchrittRaten(z, geschw));
}

bool FahrBefehlImBereich(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                         const std::array<double, 4>& weg) {
    const TPunkt3D& s = z.konfig.Spindelsteigung;
    const double steigung[4] = {s.x, s.y, s.z, s.z};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!achsen[i]) {
            continue;
        }
        if (!std::isfinite(weg[i])) {
            return false;
        }
        const std::int64_t n = SchrittZahl(z, weg[i], steigung[i]);
        if (n > kSchrittzahlGrenze || n < -kSchrittzahlGrenze) {
            return false;
        }
    }
    return true;
}

} // namespace korvx
