#pragma once
// The version of the program package: one for every program of it, set where
// the build is configured.
#include <string>
#include <string_view>

namespace korvx {

// "0.1": the package version.
const char* Programmversion();

// The one line a program prints for --version: "korvx-run 0.1".
std::string VersionsAusgabe(std::string_view programm);

} // namespace korvx
