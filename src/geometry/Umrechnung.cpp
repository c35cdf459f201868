#include "geometry/Umrechnung.h"

#include "geometry/Vektor.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace korvx {

namespace {

// Seconds for `weg` mm at `v` m/min. A standing axis takes no time even when
// its velocity is 0; a moving axis with velocity 0 takes forever.
double AchsZeit(double weg, double v) {
    if (weg == 0.0) {
        return 0.0;
    }
    return std::fabs(weg / v) * 0.06;
}

// Rounded milliseconds within the Int32 range (an endless time waits as long
// as an Int32 allows instead of overflowing).
std::int32_t Millisekunden(double ms) {
    const double r = std::nearbyint(ms);
    if (!(r < static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (!(r > 0.0)) {
        return 0;
    }
    return static_cast<std::int32_t>(r);
}

} // namespace

std::int32_t Verfahrzeit(const Maschinenzustand& zustand, const TPunkt3D& start,
                         const TPunkt3D& ende) {
    return Verfahrzeit(zustand, start, ende, zustand.konfig.AktGeschw);
}

std::int32_t Verfahrzeit(const Maschinenzustand& zustand, const TPunkt3D& start,
                         const TPunkt3D& ende, const TGeschwindigkeiten& v) {
    const TAchsWerte d = PunktDifferenz(ende, start);
    const double tx = AchsZeit(d[0], v.x);
    const double ty = AchsZeit(d[1], v.y);
    const double tz = AchsZeit(d[2], v.z1);
    const double t4 = AchsZeit(d[3], v.z2);
    double t = 0.0;
    switch (zustand.Interpolationsebene) {
    case kEbeneXY:
        t = std::sqrt(tx * tx + ty * ty) + tz + t4;
        break;
    case kEbeneXZ:
        t = ty + std::sqrt(tx * tx + tz * tz + t4 * t4);
        break;
    case kEbeneYZ:
        t = tx + std::sqrt(ty * ty + tz * tz + t4 * t4);
        break;
    case kEbene3D:
        t = std::sqrt(tx * tx + ty * ty + tz * tz + t4 * t4);
        break;
    default:
        t = 0.0;
        break;
    }
    return Millisekunden(t * 1050.0);
}

std::int32_t ZVerfahrzeit(const Maschinenzustand& zustand, bool mitZ2, double weg) {
    const TGeschwindigkeiten& v = zustand.konfig.AktGeschw;
    const double t = AchsZeit(weg, v.z1) + AchsZeit(mitZ2 ? weg : 0.0, v.z2);
    return Millisekunden(1000.0 * t);
}

double SchrittFrequenz(const Maschinenzustand& zustand, double geschwindigkeit, double steigung) {
    const double f = static_cast<double>(zustand.konfig.SchritteProUmdrehung) *
                     (geschwindigkeit * 1000.0 / 60.0) *
                     static_cast<double>(zustand.konfig.Schrittfaktor) / steigung;
    // Written so that NaN (0 m/min on a zero pitch) ends at the lower limit.
    if (!(f >= 21.0)) {
        return 21.0;
    }
    if (f > 10000.0) {
        return 10000.0;
    }
    return f;
}

double BefohleneGeschwindigkeit(const Maschinenzustand& zustand, double geschwindigkeit,
                                double steigung) {
    const double rate = std::nearbyint(SchrittFrequenz(zustand, geschwindigkeit, steigung));
    const double schritteProMm = static_cast<double>(zustand.konfig.SchritteProUmdrehung) *
                                 static_cast<double>(zustand.konfig.Schrittfaktor) / steigung;
    if (!(schritteProMm > 0.0) || !std::isfinite(schritteProMm)) {
        return geschwindigkeit;
    }
    return rate / schritteProMm * 60.0 / 1000.0;
}

TGeschwindigkeiten BefohleneGeschwindigkeiten(const Maschinenzustand& zustand,
                                              const TGeschwindigkeiten& v) {
    const TPunkt3D& s = zustand.konfig.Spindelsteigung;
    return {
        BefohleneGeschwindigkeit(zustand, v.x, s.x), BefohleneGeschwindigkeit(zustand, v.y, s.y),
        BefohleneGeschwindigkeit(zustand, v.z1, s.z), BefohleneGeschwindigkeit(zustand, v.z2, s.z)};
}

std::int64_t SchrittZahl(const Maschinenzustand& zustand, double weg, double steigung) {
    // Beyond 2^62 the count is meaningless for any real axis; the limit keeps
    // the conversion to an integer defined.
    constexpr double kGrenze = 4611686018427387904.0;
    // Steps per revolution × distance × factor / pitch, in this order: the
    // order decides which way a count lying on a half step rounds.
    const double s = std::nearbyint(static_cast<double>(zustand.konfig.SchritteProUmdrehung) * weg *
                                    static_cast<double>(zustand.konfig.Schrittfaktor) / steigung);
    if (std::isnan(s)) {
        return 0;
    }
    if (s >= kGrenze) {
        return static_cast<std::int64_t>(kGrenze);
    }
    if (s <= -kGrenze) {
        return -static_cast<std::int64_t>(kGrenze);
    }
    return static_cast<std::int64_t>(s);
}

double SchritteNachMillimeter(const Maschinenzustand& zustand, double schritte, double steigung) {
    return schritte * steigung /
           (static_cast<double>(zustand.konfig.SchritteProUmdrehung) *
            static_cast<double>(zustand.konfig.Schrittfaktor));
}

double DurchHandTeiler(const Maschinenzustand& zustand, double wert) {
    return wert / zustand.konfig.HandTeiler;
}

double Drehzahlstufe(double schnittgeschwindigkeit, double durchmesser) {
    constexpr double kPi = 3.14159265358979323846;
    const double n =
        durchmesser > 0.0 ? schnittgeschwindigkeit * 1000.0 / (kPi * durchmesser) : 12000.0;
    // 40 doublings reach 8e14 1/min; the bound keeps a non-finite n from
    // looping forever.
    double s = 750.0;
    for (int i = 0; i < 40 && !(n / 2.0 < s); ++i) {
        s *= 2.0;
    }
    return s;
}

std::string HexNachBinaer(Bediener& bediener, std::string_view hex) {
    static constexpr const char* kGruppen[16] = {"0000", "0001", "0010", "0011", "0100", "0101",
                                                 "0110", "0111", "1000", "1001", "1010", "1011",
                                                 "1100", "1101", "1110", "1111"};
    std::string binaer;
    binaer.reserve(hex.size() * 4);
    for (const char c : hex) {
        int wert = -1;
        if (c >= '0' && c <= '9') {
            wert = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            wert = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            wert = c - 'a' + 10;
        }
        if (wert < 0) {
            bediener.Meldung(meldung::KeineHexZahl());
            return {};
        }
        binaer += kGruppen[wert];
    }
    return binaer;
}

namespace {
// Value modulo 2^64; nullopt at the first character that is no binary digit.
std::optional<std::uint64_t> BinaerWert(std::string_view binaer) {
    std::uint64_t wert = 0;
    for (const char c : binaer) {
        if (c != '0' && c != '1') {
            return std::nullopt;
        }
        wert = (wert << 1) | static_cast<std::uint64_t>(c - '0');
    }
    return wert;
}
} // namespace

std::int64_t BinaerNachZahl(Bediener& bediener, std::string_view binaer) {
    const std::optional<std::uint64_t> wert = BinaerWert(binaer);
    if (!wert) {
        bediener.Meldung(meldung::KeineBinaerZahl());
        return 0;
    }
    return static_cast<std::int64_t>(*wert);
}

std::string BinaerInvertieren(Bediener& bediener, std::string_view binaer) {
    std::string ergebnis(binaer);
    for (char& c : ergebnis) {
        if (c == '0') {
            c = '1';
        } else if (c == '1') {
            c = '0';
        } else {
            bediener.Meldung(meldung::KeineBinaerzahlDeutsch());
            return {};
        }
    }
    return ergebnis;
}

std::optional<std::int64_t> HexNachZahl(Bediener& bediener, std::string_view hex) {
    std::string binaer = HexNachBinaer(bediener, hex);
    if (binaer.empty() && !hex.empty()) {
        return std::nullopt;
    }
    if (binaer.size() > 80) {
        binaer.resize(80);
    }
    if (!binaer.empty() && binaer.front() == '1') {
        // Negative in two's complement of the number's width: the complement
        // of the inverted digits' value.
        const std::string invertiert = BinaerInvertieren(bediener, binaer);
        return static_cast<std::int64_t>(~*BinaerWert(invertiert));
    }
    return static_cast<std::int64_t>(*BinaerWert(binaer));
}

} // namespace korvx
