#include "ctlsim/IselModell.h"
#include "machine/IselProtokoll.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace korvx::ctlsim {

namespace {

constexpr std::int64_t kMinRate = korvx::isel::kRateMin;
constexpr std::int64_t kMaxRate = korvx::isel::kRateMax;

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// Values separated by ",", blanks around them allowed. An empty text gives no
// values; a value that is no integer gives nullopt.
std::optional<std::vector<std::int64_t>> Werte(std::string_view text) {
    std::vector<std::int64_t> werte;
    text = Trimmen(text);
    if (text.empty()) {
        return werte;
    }
    for (;;) {
        const auto komma = text.find(',');
        const std::string_view teil = Trimmen(text.substr(0, komma));
        std::int64_t v = 0;
        const char* anfang = teil.data();
        if (!teil.empty() && teil.front() == '+') {
            ++anfang;
        }
        const auto [ende, fehler] = std::from_chars(anfang, teil.data() + teil.size(), v);
        if (teil.empty() || fehler != std::errc{} || ende != teil.data() + teil.size()) {
            return std::nullopt;
        }
        werte.push_back(v);
        if (komma == std::string_view::npos) {
            return werte;
        }
        text.remove_prefix(komma + 1);
    }
}

Ergebnis Antwort(std::string text, std::int64_t dauerUs = 0) {
    return Ergebnis{true, std::move(text), dauerUs};
}

std::int64_t Mikrosekunden(std::int64_t schritte, std::int64_t rate, double zeitfaktor) {
    return static_cast<std::int64_t>(std::llround(static_cast<double>(std::llabs(schritte)) * 1e6 /
                                                  static_cast<double>(rate) * zeitfaktor));
}

} // namespace

IselModell::IselModell(std::array<std::int64_t, 3> verfahrweg, std::array<std::int64_t, 3> start)
    : weg_(verfahrweg), pos_(start) {}

std::string IselModell::Hex6(std::int64_t schritte) {
    static const char* ziffern = "0123456789ABCDEF";
    const auto wert = static_cast<std::uint32_t>(schritte) & 0xFFFFFFu;
    constexpr std::size_t n = isel::kPositionsfeldLaenge;
    std::string s(n, '0');
    for (std::size_t i = 0; i < n; ++i) {
        s[n - 1 - i] = ziffern[(wert >> (4 * i)) & 0xFu];
    }
    return s;
}

std::array<std::int64_t, 3> IselModell::Position(std::int64_t jetztUs) const {
    if (!faehrt_) {
        return pos_;
    }
    if (jetztUs >= endeUs_) {
        return {von_[0] + um_[0], von_[1] + um_[1], von_[2] + um_[2]};
    }
    const double anteil = endeUs_ > startUs_ ? static_cast<double>(jetztUs - startUs_) /
                                                   static_cast<double>(endeUs_ - startUs_)
                                             : 1.0;
    std::array<std::int64_t, 3> p{};
    for (std::size_t i = 0; i < 3; ++i) {
        p[i] = von_[i] + static_cast<std::int64_t>(
                             std::llround(static_cast<double>(um_[i]) * std::max(0.0, anteil)));
    }
    return p;
}

void IselModell::BewegungAbschliessen(std::int64_t jetztUs) {
    if (faehrt_ && jetztUs >= endeUs_) {
        pos_ = Position(jetztUs);
        faehrt_ = false;
    }
}

bool IselModell::Stopp(std::int64_t jetztUs) {
    BewegungAbschliessen(jetztUs);
    if (!faehrt_) {
        return false;
    }
    pos_ = Position(jetztUs);
    faehrt_ = false;
    return true;
}

Ergebnis IselModell::Befehl(std::string_view zeile, std::int64_t jetztUs, double zeitfaktor) {
    BewegungAbschliessen(jetztUs);
    if (zeile.size() < 2 || zeile[0] != '@') {
        return {}; // not addressed to a controller ("setup0", empty lines, stop bytes)
    }
    if (zeile[1] != '0') {
        return {}; // another device number
    }
    if (zeile.size() < 3) {
        return Antwort("5");
    }
    const char befehl = zeile[2];
    const std::string_view rest = zeile.substr(3);

    // "@0n": initialise the axes of mask n.
    if (befehl >= '0' && befehl <= '9') {
        if (!Trimmen(rest).empty()) {
            return Antwort("7");
        }
        const int maske = befehl - '0';
        if (maske < 1 || maske > 7) {
            return Antwort("3");
        }
        achsen_ = maske;
        return Antwort("0");
    }
    if (achsen_ == 0) {
        return Antwort("4");
    }

    switch (befehl) {
    case 'P': {
        if (!Trimmen(rest).empty()) {
            return Antwort("7");
        }
        const auto p = Position(jetztUs);
        // Appended piece by piece: "0" + Hex6(...) + ... makes GCC 12 at -O3
        // warn falsely about overlapping copies (-Wrestrict).
        std::string antwort;
        antwort.reserve(isel::kPositionsAntwortLaenge);
        antwort += isel::kQuittung;
        for (const auto achse : p) {
            antwort += Hex6(achse);
        }
        return Antwort(std::move(antwort));
    }
    case 'd': {
        const auto w = Werte(rest);
        if (!w) {
            return Antwort("1");
        }
        if (w->size() != 3) {
            return Antwort("7");
        }
        for (const auto v : *w) {
            if (v < kMinRate || v > kMaxRate) {
                return Antwort("C");
            }
        }
        std::copy(w->begin(), w->end(), refGeschw_.begin());
        return Antwort("0");
    }
    case 'e': {
        const auto r = Trimmen(rest);
        if (r.size() != 1) {
            return Antwort(r.empty() ? "=" : "7");
        }
        if (r[0] < '0' || r[0] > '2') {
            return Antwort("1");
        }
        ebene_ = r[0] - '0';
        return Antwort("0");
    }
    case 'z': {
        const auto r = Trimmen(rest);
        if (r != "0" && r != "1") {
            return Antwort(r.empty() ? "=" : "1");
        }
        ebene_ = r == "1" ? 3 : 0;
        return Antwort("0");
    }
    case 'R': {
        const auto r = Trimmen(rest);
        if (r.size() != 1 || r[0] < '1' || r[0] > '7') {
            return Antwort("3");
        }
        const int maske = r[0] - '0';
        if ((maske & ~achsen_) != 0) {
            return Antwort("3");
        }
        // Axes home one after the other at their reference speeds.
        std::int64_t dauer = 0;
        std::array<std::int64_t, 3> um{};
        for (std::size_t i = 0; i < 3; ++i) {
            if ((maske & (1 << i)) != 0) {
                dauer += Mikrosekunden(pos_[i], refGeschw_[i], zeitfaktor);
                um[i] = -pos_[i];
            }
        }
        faehrt_ = true;
        von_ = pos_;
        um_ = um;
        startUs_ = jetztUs;
        endeUs_ = jetztUs + dauer;
        if (maske == 7) {
            referenziert_ = true;
        }
        return Antwort("0", dauer);
    }
    case 'A': {
        const auto w = Werte(rest);
        if (!w) {
            return Antwort("1");
        }
        if (w->size() < 8) {
            return Antwort(w->empty() ? "=" : "7");
        }
        if (w->size() > 8) {
            return Antwort("7");
        }
        const auto& v = *w;
        for (std::size_t i = 1; i < 8; i += 2) {
            if (v[i] < kMinRate || v[i] > kMaxRate) {
                return Antwort("C");
            }
        }
        const std::array<std::int64_t, 3> um = {v[0], v[2], v[4] + v[6]};
        if (referenziert_) {
            for (std::size_t i = 0; i < 3; ++i) {
                const std::int64_t ziel = pos_[i] + um[i];
                if (ziel < 0 || ziel > weg_[i]) {
                    return Antwort("2");
                }
            }
        }
        // Interpolated axes move together, the others and the second z after them.
        const std::int64_t dauer = korvx::isel::Fahrdauer(
            {Mikrosekunden(v[0], v[1], zeitfaktor), Mikrosekunden(v[2], v[3], zeitfaktor),
             Mikrosekunden(v[4], v[5], zeitfaktor), Mikrosekunden(v[6], v[7], zeitfaktor)},
            ebene_);
        faehrt_ = true;
        von_ = pos_;
        um_ = um;
        startUs_ = jetztUs;
        endeUs_ = jetztUs + dauer;
        return Antwort("0", dauer);
    }
    default:
        return Antwort("5");
    }
}

} // namespace korvx::ctlsim
