#pragma once
// Conversion between workpiece coordinates (W, from the workpiece zero point)
// and machine coordinates (M, from the reference point). Z = the zero point
// `WerkstueckNullpunkt` in machine coordinates; `RechteHandRegel` decides
// whether W's x runs with (set) or against (not set) the machine's x. W is
// where the tip of the tool in use is, M where the spindle is: in z they
// differ by the tool length offset Δ (`Laengenversatz`). Every conversion
// between the two goes through these functions.
#include "state/Punkt3D.h"

namespace korvx {

class Bediener;
struct Maschinenzustand;

// M.x = Z.x + W.x (flag set) or Z.x − W.x (flag not set); M.y = Z.y + W.y;
// M.z = Z.z + W.z + Δ.
TPunkt3D NachMaschinenKoord(const Maschinenzustand& zustand, const TPunkt3D& w);
// Both points of a move in one call.
void NachMaschinenKoord(const Maschinenzustand& zustand, const TPunkt3D& startW,
                        const TPunkt3D& endeW, TPunkt3D& startM, TPunkt3D& endeM);

// The exact inverse of NachMaschinenKoord for either setting of the flag:
// W.x = M.x − Z.x (flag set) or Z.x − M.x (flag not set); W.y = M.y − Z.y;
// W.z = M.z − Z.z − Δ.
TPunkt3D NachWerkstueckKoord(const Maschinenzustand& zustand, const TPunkt3D& m);
void NachWerkstueckKoord(const Maschinenzustand& zustand, const TPunkt3D& startM,
                         const TPunkt3D& endeM, TPunkt3D& startW, TPunkt3D& endeW);

// Component-wise sum of a machine point and an offset. Only machine
// coordinates may be added this way: with `maschinenKoord` false the operator
// is told, the run is stopped (Abbruch and Abgebrochen set) and the point is
// returned unchanged (the caller must not go on).
TPunkt3D MaschinenPunktAddieren(Bediener& bediener, Maschinenzustand& zustand, bool maschinenKoord,
                                const TPunkt3D& punkt, const TPunkt3D& versatz);

} // namespace korvx
