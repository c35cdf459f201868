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
    // Called at the end of a successful reference run, after positions and
    // displays are reset: clears the motion flags and refreshes the test
    // display (interpreter, window).
    std::function<void()> beiReferenzErreicht;
};

} // namespace korvx
