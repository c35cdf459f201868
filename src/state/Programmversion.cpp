#include "state/Programmversion.h"

#ifndef KORVX_VERSION
#error "KORVX_VERSION is set by the build from the project version"
#endif

namespace korvx {

const char* Programmversion() {
    return KORVX_VERSION;
}

std::string VersionsAusgabe(std::string_view programm) {
    return std::string(programm) + " " + KORVX_VERSION + "\n";
}

} // namespace korvx
