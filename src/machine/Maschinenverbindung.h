#pragma once
// State of the machine link, a member of Anlage: the reply text, the line to
// the controller (owned by the window or the runner, which set it here), and
// the flags the reference run resets.
#include "machine/Antwort.h"
#include "machine/Steuerleitung.h"

#include <functional>

namespace korvx {

struct Maschinenverbindung {
    Antwortpuffer Antwort;
    Steuerleitung* leitung = nullptr;
    // A workpiece zero point has been entered since the start or the last
    // successful reference run.
    bool NullpunktGewaehlt = false;
    // Called by a successful reference run at the point where the motion
    // flags are reset and the test display refreshed (interpreter, window).
    std::function<void()> beiReferenzErreicht;
};

} // namespace korvx
