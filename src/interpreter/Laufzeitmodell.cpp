#include "interpreter/Laufzeitmodell.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace korvx {

namespace {

std::int64_t AchsdauerUs(std::int64_t schritte, std::int32_t rate) {
    if (schritte == 0 || rate <= 0) {
        return 0;
    }
    return std::llround(static_cast<double>(std::llabs(schritte)) * 1e6 /
                        static_cast<double>(rate));
}

} // namespace

std::int64_t BewegungsdauerUs(const std::array<std::int64_t, 4>& schritte,
                              const std::array<std::int32_t, 4>& raten, std::uint8_t ebene) {
    std::array<std::int64_t, 4> t{};
    for (std::size_t i = 0; i < 4; ++i) {
        t[i] = AchsdauerUs(schritte[i], raten[i]);
    }
    std::int64_t dauer = 0;
    switch (ebene) {
    case 0:
        dauer = std::max(t[0], t[1]) + t[2];
        break;
    case 1:
        dauer = std::max(t[0], t[2]) + t[1];
        break;
    case 2:
        dauer = std::max(t[1], t[2]) + t[0];
        break;
    default:
        dauer = std::max({t[0], t[1], t[2]});
        break;
    }
    return dauer + t[3];
}

std::int64_t LeitungsdauerUs(std::size_t bytes, int bitrate) {
    return static_cast<std::int64_t>(bytes) * (10'000'000 / std::max(1, bitrate));
}

std::int64_t AustauschUs(std::size_t befehlBytes, std::size_t antwortBytes, int bitrate) {
    return LeitungsdauerUs(befehlBytes + 1 + antwortBytes, bitrate) + kBefehlsZuschlagUs;
}

} // namespace korvx
