#pragma once
// Command line of korvx-import:
//   korvx-import [--force] [--3d] IN [OUT]
//   korvx-import --help | --version
// Every option also takes the form --name (none takes a value).
#include <optional>
#include <string>
#include <vector>

namespace korvx::app {

struct ImportOptionen {
    std::string quelle;              // IN as given
    std::optional<std::string> ziel; // OUT as given; none: IN with ".CNC"
    bool ersetzen = false;           // --force: an existing OUT is replaced
    bool raum3D = false;             // --3d: the controller interpolates x, y, z together
    bool hilfe = false;              // --help: print the usage, nothing else
    bool version = false;            // --version: print the version line, nothing else
};

// Parses the arguments after the program name. On a bad command line the
// result is empty and `fehler` says why (German, one line).
std::optional<ImportOptionen> ImportOptionenLesen(const std::vector<std::string>& argumente,
                                                  std::string& fehler);

// The usage text (German, several lines).
std::string ImportAufruf();

} // namespace korvx::app
