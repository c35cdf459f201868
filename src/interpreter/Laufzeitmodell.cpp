#include "interpreter/Laufzeitmodell.h"

#include "machine/IselProtokoll.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace korvx {

namespace {

std::int64_t AchsdauerUs(std::int64_t schritte, std::int32_t rate) {
    if (schritte == 0 || rate <= 0) {
        return 0;
    }
    // Rounded to the nearest microsecond as the controller model rounds;
    // in integers, since the check does this for every move of a long
    // program (the step counts stay within 24 bits, so nothing overflows).
    const std::int64_t n = schritte < 0 ? -schritte : schritte;
    if (n > (std::int64_t{1} << 40)) {
        return std::llround(static_cast<double>(n) * 1e6 / static_cast<double>(rate));
    }
    return (n * 2'000'000 + rate) / (2 * static_cast<std::int64_t>(rate));
}

// Characters of a decimal number with its sign; counted, not written, since
// the check counts them for every move of a long program.
std::size_t Stellen(std::int64_t v) {
    std::size_t n = v < 0 ? 2 : 1;
    // The magnitude without overflow for the most negative value.
    const std::uint64_t betrag =
        v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    for (std::uint64_t grenze = 10; betrag >= grenze; grenze *= 10) {
        ++n;
        if (grenze > UINT64_MAX / 10) {
            break;
        }
    }
    return n;
}

} // namespace

std::size_t FahrBefehlLaenge(const std::array<std::int64_t, 4>& schritte,
                             const std::array<std::int32_t, 4>& raten) {
    std::size_t n = isel::kFahrBefehl.size() + 7 * isel::kFahrTrenner.size();
    for (std::size_t i = 0; i < 4; ++i) {
        n += Stellen(schritte[i]) + Stellen(raten[i]);
    }
    return n;
}

std::int64_t BewegungsdauerUs(const std::array<std::int64_t, 4>& schritte,
                              const std::array<std::int32_t, 4>& raten, std::uint8_t ebene) {
    std::array<std::int64_t, 4> t{};
    for (std::size_t i = 0; i < 4; ++i) {
        t[i] = AchsdauerUs(schritte[i], raten[i]);
    }
    return isel::Fahrdauer(t, ebene);
}

std::int64_t LeitungsdauerUs(std::size_t bytes, int bitrate) {
    return static_cast<std::int64_t>(bytes) * (10'000'000 / std::max(1, bitrate));
}

std::int64_t AustauschUs(std::size_t befehlBytes, std::size_t antwortBytes, int bitrate) {
    return LeitungsdauerUs(befehlBytes + 1 + antwortBytes, bitrate) + kBefehlsZuschlagUs;
}

} // namespace korvx
