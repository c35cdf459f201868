#include "rs274/Ausgabe.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvx::rs274 {

namespace {
constexpr std::size_t kSatzZeichen = 80;
} // namespace

void GanzzahlAnhaengen(std::string& s, long n) {
    char puffer[24];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, n);
    (void)fehler; // 24 characters hold every long
    s.append(puffer, ende);
}

double Gerundet(double v) {
    const double r = std::nearbyint(v * 1000.0) / 1000.0;
    return r == 0.0 ? 0.0 : r; // no "-0"
}

bool ZahlAnhaengen(std::string& s, double v, int nachkomma) {
    if (!std::isfinite(v)) {
        return false;
    }
    char puffer[64];
    const auto [ende, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, nachkomma);
    if (fehler != std::errc()) {
        return false;
    }
    char* e = ende;
    if (nachkomma > 0) {
        while (e > puffer && e[-1] == '0') {
            --e;
        }
        if (e > puffer && e[-1] == '.') {
            --e;
        }
    }
    std::string_view t(puffer, static_cast<std::size_t>(e - puffer));
    if (t == "-0") {
        t = "0";
    }
    if (t.size() > kZahlZeichen) {
        return false;
    }
    s.append(t);
    return true;
}

void Ausgabe::Kommentar(std::string_view text) {
    std::string z = "(";
    for (char c : text) {
        if (z.size() >= kSatzZeichen - 1) {
            break;
        }
        const auto b = static_cast<unsigned char>(c);
        z.push_back(c == ')' ? ']' : b < 0x20 || b == 0x7f ? ' ' : c);
    }
    z.push_back(')');
    u_.bloecke.push_back(std::move(z));
}

bool Ausgabe::Satz(std::string_view woerter) {
    nummer_ += 10;
    satz_.clear();
    satz_.push_back('N');
    GanzzahlAnhaengen(satz_, nummer_);
    satz_.push_back(' ');
    satz_.append(woerter);
    if (satz_.size() > kSatzZeichen) {
        return false;
    }
    u_.bloecke.push_back(satz_);
    return true;
}

bool Ausgabe::Achse(char adresse, int index, double wert, bool immer) {
    const double g = Gerundet(wert);
    if (!immer && bekannt_[index] && g == letzte_[index]) {
        return true;
    }
    satz_.push_back(' ');
    satz_.push_back(adresse);
    if (!ZahlAnhaengen(satz_, g, 3)) {
        return false;
    }
    letzte_[index] = g;
    bekannt_[index] = true;
    return true;
}

bool Ausgabe::UnbekannteAchse(char adresse, int index, double wert, bool genannt) {
    const bool schreiben = bekannt_[index] || genannt || wert != quelle_[index];
    quelle_[index] = wert;
    return !schreiben || Achse(adresse, index, wert, false);
}

bool Ausgabe::Gerade(bool eilgang, const P3& ziel, std::string_view vorschub,
                     const bool genannt[3]) {
    satz_.clear();
    satz_.push_back('N');
    GanzzahlAnhaengen(satz_, nummer_ + 10);
    satz_.append(eilgang ? " G00" : " G01");
    const std::size_t leer = satz_.size();
    if (!UnbekannteAchse('X', 0, ziel.x, genannt[0]) ||
        !UnbekannteAchse('Y', 1, ziel.y, genannt[1]) ||
        !UnbekannteAchse('Z', 2, ziel.z, genannt[2])) {
        return false;
    }
    if (satz_.size() == leer) {
        return true;
    }
    if (!eilgang) {
        satz_.push_back(' ');
        satz_.append(vorschub);
    }
    nummer_ += 10;
    u_.bloecke.push_back(satz_);
    Punkt(Gerundet(ziel.x), Gerundet(ziel.y), Gerundet(ziel.z));
    return true;
}

bool Ausgabe::Kreis(int richtung, double x, double y, double i, double j,
                    std::string_view vorschub) {
    satz_.clear();
    satz_.push_back('N');
    GanzzahlAnhaengen(satz_, nummer_ + 10);
    satz_.append(richtung == 2 ? " G02" : " G03");
    if (!Achse('X', 0, x, true) || !Achse('Y', 1, y, true)) {
        return false;
    }
    quelle_[0] = x;
    quelle_[1] = y;
    satz_.append(" I");
    if (!ZahlAnhaengen(satz_, Gerundet(i), 3)) {
        return false;
    }
    satz_.append(" J");
    if (!ZahlAnhaengen(satz_, Gerundet(j), 3)) {
        return false;
    }
    satz_.push_back(' ');
    satz_.append(vorschub);
    nummer_ += 10;
    u_.bloecke.push_back(satz_);
    return true;
}

void Ausgabe::Punkt(double x, double y, double z) {
    // Only axes that have been written count: an axis never written stands
    // wherever the machine is, not at the 0 the source assumes.
    Ausdehnung& a = u_.ausdehnung;
    const double wert[3] = {x, y, z};
    double* minimum[3] = {&a.xmin, &a.ymin, &a.zmin};
    double* maximum[3] = {&a.xmax, &a.ymax, &a.zmax};
    for (int i = 0; i < 3; ++i) {
        if (!bekannt_[i]) {
            continue;
        }
        if (!erfasst_[i]) {
            *minimum[i] = *maximum[i] = wert[i];
            erfasst_[i] = true;
        } else {
            *minimum[i] = std::min(*minimum[i], wert[i]);
            *maximum[i] = std::max(*maximum[i], wert[i]);
        }
        a.leer = false;
    }
}

} // namespace korvx::rs274
