#pragma once
// Step and time arithmetic shared by motion, the controller link and manual
// positioning, and the digit-string conversions of controller replies.
// Rounding to integers is round-half-to-even.
#include "state/Punkt3D.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvx {

class Bediener;
struct Maschinenzustand;
struct TGeschwindigkeiten;

// Expected duration of a straight move in ms, 5 % reserve included, from the
// velocities `AktGeschw` (m/min) and the plane `Interpolationsebene`. An axis
// that does not move takes no time; the result is limited to the Int32 range.
std::int32_t Verfahrzeit(const Maschinenzustand& zustand, const TPunkt3D& start,
                         const TPunkt3D& ende);
// The same with the given velocities instead of AktGeschw.
std::int32_t Verfahrzeit(const Maschinenzustand& zustand, const TPunkt3D& start,
                         const TPunkt3D& ende, const TGeschwindigkeiten& geschw);
// The velocity (m/min) the controller really runs at for `geschwindigkeit` on
// an axis with pitch `steigung`: the step rate limited to 21 … 10000 and
// rounded as the move command writes it, converted back. A zero feed thus
// runs at the lowest rate, never at no speed.
double BefohleneGeschwindigkeit(const Maschinenzustand& zustand, double geschwindigkeit,
                                double steigung);
TGeschwindigkeiten BefohleneGeschwindigkeiten(const Maschinenzustand& zustand,
                                              const TGeschwindigkeiten& geschw);
// Duration in ms of a z move of `weg` mm (drilling cycles), z1 always and z2
// as well when `mitZ2` is set.
std::int32_t ZVerfahrzeit(const Maschinenzustand& zustand, bool mitZ2, double weg);

// Step rate in steps/s of an axis with pitch `steigung` (mm/rev) moving at
// `geschwindigkeit` m/min, limited to 21 … 10000.
double SchrittFrequenz(const Maschinenzustand& zustand, double geschwindigkeit, double steigung);
// Whole number of steps for `weg` mm on an axis with pitch `steigung` (not
// limited; a zero pitch gives the largest representable count).
std::int64_t SchrittZahl(const Maschinenzustand& zustand, double weg, double steigung);
// Inverse of SchrittZahl: millimetres for a number of steps.
double SchritteNachMillimeter(const Maschinenzustand& zustand, double schritte, double steigung);
// value / `HandTeiler` (manual positioning's fine step).
double DurchHandTeiler(const Maschinenzustand& zustand, double wert);

// Spindle speed level (1/min) for cutting speed vc (m/min) and tool diameter
// (mm): the first of 750, 1500, 3000, … greater than half the exact speed.
// A diameter of 0 or less takes the exact speed as 12000.
double Drehzahlstufe(double schnittgeschwindigkeit, double durchmesser);

// Hexadecimal digits (any case) to a string of binary digits, four per hex
// digit. Any other character: message, empty result.
std::string HexNachBinaer(Bediener& bediener, std::string_view hex);
// Value of a string of binary digits, most significant first, modulo 2^64.
// Any other character: message, 0.
std::int64_t BinaerNachZahl(Bediener& bediener, std::string_view binaer);
// Swaps 0 and 1. Any other character: message, empty result.
std::string BinaerInvertieren(Bediener& bediener, std::string_view binaer);
// Two's-complement value of a hexadecimal number whose width is its number of
// digits: FFFFFF is −1, 00000A is 10. At most 20 digits are used. Not a
// hexadecimal number: the operator is told and the result is empty (callers
// that follow the plain rule take 0).
std::optional<std::int64_t> HexNachZahl(Bediener& bediener, std::string_view hex);

} // namespace korvx
