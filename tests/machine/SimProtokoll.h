#pragma once
// Reading the controller simulator's log (--log) in the tests that run
// against it.
#include <fstream>
#include <string>
#include <vector>

namespace korvx::test {

// The lines the simulator received, in order.
inline std::vector<std::string> SimEmpfangen(const std::string& logdatei) {
    std::ifstream log(logdatei);
    std::vector<std::string> zeilen;
    std::string zeit, art, rest;
    while (log >> zeit >> art) {
        std::getline(log, rest);
        if (art == "rx") {
            zeilen.push_back(rest.substr(1));
        }
    }
    return zeilen;
}

// Whether any line of the log holds `text`.
inline bool SimLogEnthaelt(const std::string& logdatei, const std::string& text) {
    std::ifstream log(logdatei);
    std::string zeile;
    while (std::getline(log, zeile)) {
        if (zeile.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace korvx::test
