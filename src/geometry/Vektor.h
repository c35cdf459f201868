#pragma once
// Point arithmetic, rotation about z and decimal rounding. Free functions
// without state; every rounding to an integer is round-half-to-even (the
// floating-point environment's default mode).
#include "state/Punkt3D.h"

#include <array>
#include <cstdint>

namespace korvx {

// Four axis slots: 0 = x, 1 = y, 2 = z1, 3 = z2. A point has a single z; both
// z drives act on it.
using TAchsen = std::array<bool, 4>;
using TAchsWerte = std::array<double, 4>;

// 3×3 matrix, row by row.
using TMatrix3 = std::array<double, 9>;

// Exact comparisons; callers that need a tolerance apply their own.
bool PunkteGleich2D(const TPunkt3D& a, const TPunkt3D& b);
bool PunkteGleich3D(const TPunkt3D& a, const TPunkt3D& b);

// a − b per axis; the fourth slot is always 0.
TAchsWerte PunktDifferenz(const TPunkt3D& a, const TPunkt3D& b);

// min ≤ p ≤ max on all three axes, bounds inclusive.
bool PunktImQuader(const TPunkt3D& p, const TPunkt3D& min, const TPunkt3D& max);

// Adds the increment of each selected axis; z1 and z2 both add to z.
void AchsenVersetzen(const TAchsen& achsen, TPunkt3D& p, const TAchsWerte& zuwachs);
bool IrgendeineAchse(const TAchsen& achsen);

// Rotates (x, y) about the origin by the angle in degrees, counter-clockwise
// for a positive angle. An angle of exactly 0 leaves the values untouched.
void DreheUmZ(double& x, double& y, double winkelGrad);
TMatrix3 Einheitsmatrix();
// Rotation about z for the row vector convention v' = v · M; angle in radians.
TMatrix3 DrehMatrixZ(double winkelBogenmass);
// Row vector v times matrix m.
TPunkt3D MatrixMalVektor(const TMatrix3& m, const TPunkt3D& v);

// Rounds to n decimal places by multiplying and dividing by 10 n times.
double RundeAufStellen(int n, double wert);
// Same rounding with 10^n computed in one step in extended precision.
double RundeAufStellenEinSchritt(int n, double wert);
// Rounds x and y to 3 decimal places; z is left alone.
void RundePunkt3(TPunkt3D& p);

// Snaps a value that lies within 0.11 units of the h-th decimal (h = 1 … n,
// the first h that fits) onto that decimal; integers stay as they are.
// Changes the value in place and returns it.
double DezimalFangen(double& wert, int n);

// x to the power n (sign kept for odd n); 0.0 when |x| rounds to 0 at 1e-6.
double Potenz(int n, double x);
// 2 to the power n; 1 for n ≤ 0, at most 2^62.
std::int64_t Zweierpotenz(int n);
std::uint16_t WortMaximum(std::uint16_t a, std::uint16_t b);

} // namespace korvx
