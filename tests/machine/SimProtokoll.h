#pragma once
// The tests that run against the controller simulator: their fixture (an
// owner whose line leads to korvx-ctlsim on a pseudo-terminal) and the
// reading of the simulator's log (--log).
#include "anlage/Anlage.h"
#include "ctlsim/SimProzess.h"
#include "machine/SerielleLeitung.h"
#include "support/EchtzeitBediener.h"
#include "support/TempOrdner.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
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

// An owner on the real clock whose controller line leads to korvx-ctlsim in
// a temporary folder, with the machine mode "Grafik aus".
struct SimAnlageTest : ::testing::Test {
    explicit SimAnlageTest(char dezimalzeichen) : a{b, Zahlenformat(dezimalzeichen)} {}

    TempOrdner ordner;
    EchtzeitBediener b;
    Anlage a;
    Maschinenzustand& z = a.zustand;
    std::unique_ptr<ctlsim::SimProzess> sim;
    std::unique_ptr<TSerial> serial;
    std::unique_ptr<SerielleLeitung> leitung;

    // Starts the simulator with its COM1 link and log in the folder, bounded
    // to 30 s, with the further arguments given, and connects the line.
    void SimStarten(const std::vector<std::string>& weitere) {
        std::vector<std::string> args = {"--link", ordner.pfad().string(),    "--lifetime", "30",
                                         "--log",  ordner.Datei("ctlsim.log")};
        args.insert(args.end(), weitere.begin(), weitere.end());
        sim = std::make_unique<ctlsim::SimProzess>(KORVX_CTLSIM, args);
        ASSERT_FALSE(sim->Geraet().empty());
        serial = std::make_unique<TSerial>(ordner.pfad().string());
        leitung = std::make_unique<SerielleLeitung>(*serial);
        a.maschine.leitung = leitung.get();
        z.konfig.Grafikmodus = Grafikart::Aus;
    }

    // Lines the simulator received, in order.
    std::vector<std::string> Empfangen() { return SimEmpfangen(ordner.Datei("ctlsim.log")); }
    bool LogEnthaelt(const std::string& text) {
        return SimLogEnthaelt(ordner.Datei("ctlsim.log"), text);
    }
};

} // namespace korvx::test
