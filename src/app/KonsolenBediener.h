#pragma once
// The operator of korvx-run: every message box and question becomes a line on
// the output (UTF-8), questions are answered from a queue and then by a
// default, and waits run on a virtual clock unless real time is asked for.
//
// Line format: "message: TEXT", "question: TEXT -> yes|no", and with tracing
// also "block: TEXT" for every block shown. Control characters in a text are
// written as \xHH so that every event stays on one line. Lines may come from
// the serial port's receive thread too (the line trace), so each is written
// whole under one lock.
#include "rs274/Umsetzer.h"
#include "state/Bediener.h"
#include "state/Punkt3D.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace korvx::app {

class KonsolenBediener : public Bediener {
public:
    // `echtzeit`: waits sleep and the clock is the real one (also needed
    // whenever a controller is on the line, whose reply waits are bounded by
    // the clock); otherwise a virtual clock that only waits advance.
    KonsolenBediener(std::FILE* aus, bool trace, bool echtzeit);

    // Answers for questions and confirmations, used in order; then the default.
    std::deque<bool> antworten;
    bool standardAntwort = true;
    // Step mode stops (confirmations captioned "Weiter") are always continued.
    bool schrittWeiter = false;

    void Meldung(std::string_view text) override;
    bool Frage(std::string_view text) override;
    Antwort3 FrageMitAbbruch(std::string_view text) override;
    bool Bestaetigung(std::string_view text, std::string_view ok,
                      std::string_view abbrechen) override;
    // Runs `ereignisse`: the console's stand-in for window events (the
    // operator's stop requests arriving as signals).
    void NachrichtenVerarbeiten() override;
    void Warten(std::int32_t millisekunden) override;
    std::int64_t Millisekunden() override;
    void AnzeigeSetzen(Anzeige feld, std::string_view text) override;
    // Only the block display is ever printed (with tracing).
    bool AnzeigenSichtbar() override { return false; }
    void ElementSetzen(Element element, bool sichtbar, bool aktiv) override;
    bool ElementAktiv(Element element) override;
    void ProgrammBeenden(int exitCode) override;

    // Called whenever the logic lets pending events run, also in the slices
    // of a real-time wait.
    std::function<void()> ereignisse;

    // Text to be written before the next line, such as a controller reply
    // collected by the line trace; called under the line lock, so it must not
    // write lines itself.
    std::function<std::string()> ausstehend;

    // "KIND: TEXT" always / only when tracing; TEXT is Windows-1252.
    void Zeile(std::string_view art, std::string_view text1252);
    // One finished line (UTF-8, without its line end), such as the end line.
    void Ausgeben(std::string_view zeile);
    void TraceZeile(std::string_view art, std::string_view text1252);
    bool Trace() const { return trace_; }

private:
    bool Antwort();
    void Schreiben(const std::string& zeile); // with the line lock held

    std::mutex zeileMutex_;
    std::FILE* aus_;
    bool trace_;
    bool echtzeit_;
    std::int64_t uhr_ = 0;       // virtual clock, ms
    std::int64_t startEcht_ = 0; // real clock at start, ms
    // Visible and enabled state per control, indexed by Element.
    std::array<std::pair<bool, bool>, 5> elemente_{
        {{true, true}, {true, true}, {true, true}, {true, true}, {true, true}}};
};

// UTF-8 of a Windows-1252 text with control characters as \xHH.
std::string Ausgabetext(std::string_view text1252);

// The closing line: "end: REASON blocks=N moves=N time_ms=N W=x,y,z M=x,y,z",
// coordinates with 3 decimals and a point.
std::string EndZeile(std::string_view grund, std::int64_t bloecke, std::int64_t bewegungen,
                     std::int64_t zeitMs, const TPunkt3D& w, const TPunkt3D& m);

// Converts a G-code file for a console program and prints its notes
// ("note: Zeile N: …") and, when it was refused, the refusal as a message.
// Empty when the file could not be read (reported as a part program's).
std::optional<rs274::Umsetzung> GcodeUmsetzenUndMelden(std::string_view pfad1252, bool raum3D,
                                                       KonsolenBediener& konsole);

} // namespace korvx::app
