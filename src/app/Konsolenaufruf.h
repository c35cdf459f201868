#pragma once
// The common start of the console programs (korvx-run, korvx-import): their
// command line is read; a bad one is reported with the usage on standard
// error, and --help and --version are answered, before anything else runs.
#include "state/Programmversion.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvx::app {

// Exit statuses the console programs share: done, ended by a fault found,
// could not start.
inline constexpr int kStatusGut = 0;
inline constexpr int kStatusFehler = 1;
inline constexpr int kStatusNichtGestartet = 2;

// Reads the arguments with `lesen` (options and a reason text, like
// `OptionenLesen`). Returns the options when the program goes on; otherwise
// the exit status is in `status`: kStatusNichtGestartet for a bad command
// line, kStatusGut after --help or --version.
template <class Lesen>
auto KonsolenaufrufLesen(const char* name, int argc, char** argv, Lesen lesen,
                         const std::string& aufruf, int& status) {
    const std::vector<std::string> argumente(argv + 1, argv + argc);
    std::string fehler;
    auto optionen = lesen(argumente, fehler);
    if (!optionen) {
        std::fprintf(stderr, "%s: %s\n%s", name, fehler.c_str(), aufruf.c_str());
        status = kStatusNichtGestartet;
    } else if (optionen->hilfe) {
        std::fputs(aufruf.c_str(), stdout);
        status = kStatusGut;
        optionen.reset();
    } else if (optionen->version) {
        std::fputs(VersionsAusgabe(name).c_str(), stdout);
        status = kStatusGut;
        optionen.reset();
    }
    return optionen;
}

} // namespace korvx::app
