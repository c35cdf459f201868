#pragma once
// Command line of korvx-run:
//   korvx-run [options] PROGRAM.CNC
// Every option also takes the form --name=value.
#include "interpreter/Laufzustand.h"
#include "state/Maschinenzustand.h"
#include "state/Punkt3D.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace korvx::app {

struct Optionen {
    std::string programm;                          // part program path as given
    std::optional<std::string> startVerzeichnis;   // none: the current folder
    bool pruefen = false;                          // --check
    bool vorpruefen = false;                       // --preflight
    Grafikart grafikmodus = Grafikart::Simulation; // --mode sim, parallel, machine
    bool standardAntwort = true;                   // --yes / --no
    std::optional<std::string> antwortDatei;
    std::optional<TPunkt3D> nullpunkt;    // machine coordinates, mm
    std::optional<std::int32_t> werkzeug; // 1 … 255
    std::optional<std::string> zeichensatz;
    std::optional<std::int32_t> anwahlsatz;
    std::optional<std::int32_t> fortsetzenAb; // --resume-at: block number 1 … 99999
    bool letzterNullpunkt = false;            // --last-zero: the zero point of the .DAT
    bool schrittbetrieb = false;              // --step
    std::optional<std::string> bild;          // .bmp or .png
    std::int32_t bildBreite = 800;            // pixels
    std::int32_t bildHoehe = 600;
    bool echtzeit = false; // --realtime
    std::optional<std::string> port;
    bool trace = false;
    std::int32_t vorschubProzent = kVorschubNormal; // --feed-override: 10 … 200 in steps of 10
    bool rs274 = false;   // --rs274: the program is G-code, whatever its name
    bool hilfe = false;   // --help: print the usage, nothing else
    bool version = false; // --version: print the version line, nothing else
};

// Parses the arguments after the program name. On a bad command line the
// result is empty and `fehler` says why (German, one line).
std::optional<Optionen> OptionenLesen(const std::vector<std::string>& argumente,
                                      std::string& fehler);

// Answers of an --answers file: "ja" or "nein", one per line; blank lines are
// skipped. Empty result and `fehler` set when the file cannot be read or holds
// another word.
std::optional<std::deque<bool>> AntwortenLesen(const std::string& pfad, std::string& fehler);

// The usage text (German, several lines).
std::string Aufruf();

} // namespace korvx::app
