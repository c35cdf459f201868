#pragma once
// The command lines of the window programs (korvelantrix, korvx-fontview):
// --help and --version are answered before any window is made, so they work
// without a display; every other argument is left to Qt.
#include <string>
#include <vector>

namespace korvx::app {

struct Fensteraufruf {
    bool hilfe = false;    // --help
    bool version = false;  // --version
    bool ausMenue = false; // --aus-menue: work in the user's own start folder
    std::string unbekannt; // the first unknown option of ours ("--…"), if any
};

// Reads the arguments after the program name. Options Qt knows (such as
// -platform or --style) are not ours and are skipped.
Fensteraufruf FensteraufrufLesen(const std::vector<std::string>& argumente, bool mitMenue);

// Usage texts (German, several lines).
std::string FensterHilfe();
std::string SchriftansichtHilfe();

} // namespace korvx::app
