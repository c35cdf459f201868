#include "state/MeldungenFortschritt.h"

#include <algorithm>
#include <cstdio>

namespace korvx::meldung {

std::string Uhrzeit(std::int64_t ms) {
    const std::int64_t s = std::max<std::int64_t>(ms, 0) / 1000;
    char text[40];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    return text;
}

std::string SatzText(std::size_t zeile, std::size_t zeilen) {
    return "Satz " + std::to_string(std::min(zeile + 1, zeilen)) + " von " + std::to_string(zeilen);
}

std::string LaufzeitText(std::int64_t ms) {
    return "Laufzeit " + Uhrzeit(ms);
}

std::string RestzeitText(std::int64_t ms) {
    // Whole seconds rounded up: the display shows 0:00:00 only at the end.
    return "Restzeit " + Uhrzeit(ms > 0 ? ms + 999 : 0);
}

std::string VorschubText(std::int32_t prozent) {
    return "F " + std::to_string(prozent) + " %";
}

} // namespace korvx::meldung
