#include "geometry/Umrechnung.h"
#include "machine/Isel.h"
#include "state/Maschinenzustand.h"

#include <charconv>
#include <cmath>

namespace korvx {

std::string FahrBefehlBilden(const Maschinenzustand& z, const std::array<bool, 4>& achsen,
                             const std::array<double, 4>& weg,
                             const std::array<double, 4>& geschw) {
    const TPunkt3D& s = z.konfig.Spindelsteigung;
    // Both z drives run on the z spindle.
    const double steigung[4] = {s.x, s.y, s.z, s.z};
    // Composed without temporaries: a program run builds one command per chord.
    std::string text;
    text.reserve(96);
    text.append("@0A ");
    auto zahl = [&text](std::int64_t v) {
        char puffer[24];
        const auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, v);
        text.append(puffer, ergebnis.ptr);
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const std::int64_t schritte = achsen[i] ? SchrittZahl(z, weg[i], steigung[i]) : 0;
        // The rate is limited to 21 … 10000, so the rounding cannot overflow.
        const auto rate =
            static_cast<std::int64_t>(std::nearbyint(SchrittFrequenz(z, geschw[i], steigung[i])));
        if (i > 0) {
            text += ", ";
        }
        zahl(schritte);
        text += ", ";
        zahl(rate);
    }
    return text;
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
