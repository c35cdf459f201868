#pragma once
// Helpers of the converter's tests: a conversion with a fixed source name, the
// blocks after the first comment, and our own scanner's syntax check.
#include "rs274/Umsetzer.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvx::rs274::test {

inline Umsetzung U(std::string_view text, bool raum3D = false) {
    Umsetzoptionen o;
    o.quellname = "TEIL.ngc";
    o.raum3D = raum3D;
    return Umsetzen(text, o);
}

// The blocks before the source's own: the comment that names the source and,
// unless in 3D mode, the plane word G170.
inline std::ptrdiff_t Kopf(bool raum3D = false) { return raum3D ? 1 : 2; }

// The blocks of the source, without the head.
inline std::vector<std::string> Bloecke(std::string_view text, bool raum3D = false) {
    Umsetzung u = U(text, raum3D);
    if (!u.ok || u.bloecke.size() < static_cast<std::size_t>(Kopf(raum3D))) {
        return {"abgelehnt: " + u.ablehnung};
    }
    return {u.bloecke.begin() + Kopf(raum3D), u.bloecke.end()};
}

// The syntax messages our own scanner shows for the blocks (none for a good
// program), each block scanned with the empty handler of the syntax check.
std::vector<std::string> Syntaxmeldungen(const std::vector<std::string>& bloecke);

} // namespace korvx::rs274::test
