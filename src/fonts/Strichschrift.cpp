#include "fonts/Strichschrift.h"

#include <array>
#include <utility>

namespace korvx {

namespace {

constexpr std::size_t kTextbereich = 128; // 0x1A must lie before this offset
constexpr std::size_t kKopfGroesse = 16;

std::uint16_t Wort(std::span<const std::uint8_t> p, std::size_t i) {
    return static_cast<std::uint16_t>(p[i] | (p[i + 1] << 8));
}

int Siebenbit(std::uint8_t b) {
    const int v = b & 0x7F;
    return v >= 64 ? v - 128 : v;
}

constexpr std::array<std::uint8_t, 256> CodeTabelle() {
    std::array<std::uint8_t, 256> t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = static_cast<std::uint8_t>(i);
    }
    constexpr std::pair<int, int> abweichend[] = {
        {128, 32},  {130, 239}, {131, 159}, {132, 34},  {133, 196}, {139, 60},  {145, 39},
        {146, 39},  {147, 34},  {148, 34},  {149, 254}, {150, 45},  {151, 196}, {152, 126},
        {155, 62},  {161, 173}, {162, 189}, {163, 156}, {164, 111}, {166, 221}, {167, 245},
        {168, 45},  {169, 184}, {171, 174}, {172, 170}, {174, 169}, {175, 238}, {176, 248},
        {177, 241}, {178, 253}, {179, 252}, {180, 239}, {181, 230}, {182, 244}, {183, 250},
        {184, 247}, {185, 251}, {187, 175}, {188, 172}, {189, 171}, {190, 243}, {191, 168},
        {196, 142}, {214, 153}, {216, 157}, {220, 154}, {222, 232}, {223, 225}, {225, 223},
        {228, 132}, {246, 148}, {247, 246}, {248, 155}, {252, 129}, {254, 231}};
    for (auto [ansi, dos] : abweichend) {
        t[static_cast<std::size_t>(ansi)] = static_cast<std::uint8_t>(dos);
    }
    return t;
}

constexpr std::array<std::uint8_t, 256> kCodeTabelle = CodeTabelle();

} // namespace

std::optional<Schriftkopf> KopfLesen(std::span<const std::uint8_t> puffer) {
    std::size_t ende = 0;
    while (ende < kTextbereich && ende < puffer.size() && puffer[ende] != 0x1A) {
        ++ende;
    }
    if (ende >= kTextbereich || ende >= puffer.size() || ende + 3 > puffer.size()) {
        return std::nullopt;
    }
    Schriftkopf k;
    k.kopf = Wort(puffer, ende + 1);
    if (k.kopf + kKopfGroesse > puffer.size()) {
        return std::nullopt;
    }
    const std::size_t h = k.kopf;
    k.anzahl = puffer[h + 1];
    k.erstesZeichen = puffer[h + 4];
    k.strichdaten = h + Wort(puffer, h + 5);
    k.oben = puffer[h + 8];
    k.unten = static_cast<std::int8_t>(puffer[h + 10]);
    const std::size_t tabellenEnde = h + kKopfGroesse + 3 * std::size_t{k.anzahl};
    if (tabellenEnde > puffer.size() || k.oben == 0 || k.Zeichenhoehe() == 0) {
        return std::nullopt;
    }
    return k;
}

Strichbefehl StrichDekodieren(std::uint8_t b1, std::uint8_t b2) {
    const auto art = static_cast<Strichart>(2 * (b1 >> 7) + (b2 >> 7));
    return {art, Siebenbit(b1), Siebenbit(b2)};
}

std::optional<Glyphe> GlypheLesen(std::span<const std::uint8_t> puffer, const Schriftkopf& kopf,
                                  std::uint8_t schriftcode) {
    if (schriftcode < kopf.erstesZeichen || schriftcode - kopf.erstesZeichen >= kopf.anzahl) {
        return std::nullopt;
    }
    const std::size_t index = schriftcode - kopf.erstesZeichen;
    // KopfLesen made sure both tables lie inside the buffer.
    const std::size_t offsets = kopf.kopf + kKopfGroesse;
    const std::size_t breiten = offsets + 2 * std::size_t{kopf.anzahl};
    Glyphe g;
    g.breite = puffer[breiten + index];
    const std::size_t anfang = kopf.strichdaten + Wort(puffer, offsets + 2 * index);
    // The end command has both high bits clear. Found first, so the strokes
    // are stored in one allocation (a damaged glyph may run to the buffer's
    // end, thousands of strokes).
    std::size_t ende = anfang;
    while (ende + 1 < puffer.size() && ((puffer[ende] | puffer[ende + 1]) & 0x80) != 0) {
        ende += 2;
    }
    if (ende > anfang) {
        g.striche.reserve((ende - anfang) / 2);
    }
    for (std::size_t i = anfang; i < ende; i += 2) {
        g.striche.push_back(StrichDekodieren(puffer[i], puffer[i + 1]));
    }
    return g;
}

std::uint8_t Schriftcode(std::uint8_t ansi) {
    return kCodeTabelle[ansi];
}

} // namespace korvx
