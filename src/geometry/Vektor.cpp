#include "geometry/Vektor.h"

#include <cmath>

namespace korvx {

namespace {
constexpr double kGradFaktor = 0.017453292519943295; // π/180

// The x87 sine and cosine accept |a| < 2^63 only; beyond that (and for
// non-finite angles) both are taken as 0 so the result stays finite.
constexpr double kWinkelGrenze = 9223372036854775808.0;
} // namespace

bool PunkteGleich2D(const TPunkt3D& a, const TPunkt3D& b) {
    return a.x == b.x && a.y == b.y;
}

bool PunkteGleich3D(const TPunkt3D& a, const TPunkt3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

TAchsWerte PunktDifferenz(const TPunkt3D& a, const TPunkt3D& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0};
}

bool PunktImQuader(const TPunkt3D& p, const TPunkt3D& min, const TPunkt3D& max) {
    return min.x <= p.x && p.x <= max.x && min.y <= p.y && p.y <= max.y && min.z <= p.z &&
           p.z <= max.z;
}

void AchsenVersetzen(const TAchsen& achsen, TPunkt3D& p, const TAchsWerte& zuwachs) {
    if (achsen[0]) {
        p.x += zuwachs[0];
    }
    if (achsen[1]) {
        p.y += zuwachs[1];
    }
    if (achsen[2]) {
        p.z += zuwachs[2];
    }
    if (achsen[3]) {
        p.z += zuwachs[3];
    }
}

bool IrgendeineAchse(const TAchsen& achsen) {
    return achsen[0] || achsen[1] || achsen[2] || achsen[3];
}

TMatrix3 Einheitsmatrix() {
    return {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
}

TMatrix3 DrehMatrixZ(double a) {
    double s = 0.0;
    double c = 0.0;
    if (std::fabs(a) < kWinkelGrenze) {
        s = std::sin(a);
        c = std::cos(a);
    }
    TMatrix3 m = Einheitsmatrix();
    m[0] = c;
    m[1] = s;
    m[3] = -s;
    m[4] = c;
    m[8] = 1.0;
    return m;
}

TPunkt3D MatrixMalVektor(const TMatrix3& m, const TPunkt3D& v) {
    return {v.x * m[0] + v.y * m[3] + v.z * m[6], v.x * m[1] + v.y * m[4] + v.z * m[7],
            v.x * m[2] + v.y * m[5] + v.z * m[8]};
}

void DreheUmZ(double& x, double& y, double winkelGrad) {
    if (winkelGrad == 0.0) {
        return;
    }
    const TPunkt3D p = MatrixMalVektor(DrehMatrixZ(winkelGrad * kGradFaktor), {x, y, 0.0});
    x = p.x;
    y = p.y;
}

double RundeAufStellen(int n, double wert) {
    for (int i = 0; i < n; ++i) {
        wert *= 10.0;
    }
    wert = std::nearbyint(wert);
    for (int i = 0; i < n; ++i) {
        wert /= 10.0;
    }
    return wert;
}

double RundeAufStellenEinSchritt(int n, double wert) {
    const long double faktor = std::pow(10.0L, static_cast<long double>(n));
    return static_cast<double>(std::nearbyint(static_cast<long double>(wert) * faktor) / faktor);
}

void RundePunkt3(TPunkt3D& p) {
    p.x = RundeAufStellenEinSchritt(3, p.x);
    p.y = RundeAufStellenEinSchritt(3, p.y);
}

double DezimalFangen(double& wert, int n) {
    if (std::nearbyint(wert) == wert) {
        return wert;
    }
    double s = 1.0;
    for (int h = 1; h <= n; ++h) {
        s *= 10.0;
        const double skaliert = s * wert;
        const double gerundet = std::nearbyint(skaliert);
        if (std::fabs(gerundet - skaliert) <= 0.11) {
            wert = gerundet / s;
            break;
        }
    }
    return wert;
}

double Potenz(int n, double x) {
    if (std::nearbyint(x * 1000000.0) == 0.0) {
        return 0.0;
    }
    const long double betrag =
        std::exp2(static_cast<long double>(n) * std::log2(std::fabs(static_cast<long double>(x))));
    const bool negativ = x < 0.0 && n % 2 != 0;
    return static_cast<double>(negativ ? -betrag : betrag);
}

std::int64_t Zweierpotenz(int n) {
    if (n <= 0) {
        return 1;
    }
    return std::int64_t{1} << (n < 62 ? n : 62);
}

std::uint16_t WortMaximum(std::uint16_t a, std::uint16_t b) {
    return a > b ? a : b;
}

} // namespace korvx
