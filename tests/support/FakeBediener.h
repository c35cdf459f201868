#pragma once
// Scripted operator for tests: records every message, question and display
// write in order, answers questions from a queue, and runs a virtual clock so
// waits cost no real time.
//
// It is strict: a message, or a question answered by the default answer,
// fails the test (when the operator is destroyed) unless the test said it
// expects them: by looking at them afterwards (Meldungen(), Ereignisse() see
// everything recorded up to that call, not what comes later), by queueing
// the answers, or by ErwarteMeldungen().
#include "state/Bediener.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvx::test {

class FakeBediener : public Bediener {
public:
    FakeBediener() = default;
    FakeBediener(const FakeBediener&) = delete;
    FakeBediener& operator=(const FakeBediener&) = delete;
    ~FakeBediener() override;

    // Events in order, UTF-8: "meldung: TEXT", "frage: TEXT -> ja|nein",
    // "frage3: TEXT -> ja|nein|abbrechen", "bestaetigung: TEXT -> ok|abbrechen".
    // Looking at them counts as expecting those recorded so far.
    std::vector<std::string>& Ereignisse() {
        gesehenBis_ = gezaehlt_;
        return ereignisse_;
    }
    // Only the texts of the message boxes, UTF-8.
    std::vector<std::string>& Meldungen() {
        gesehenBis_ = gezaehlt_;
        return meldungen_;
    }
    // The test expects messages and questions it does not look at (a run
    // whose messages are not its subject, a fuzz input).
    void ErwarteMeldungen() { alleErwartet_ = true; }

    // Answers for Frage / Bestaetigung (true = yes/OK), taken in order; when
    // empty, `standardAntwort` is used.
    std::deque<bool> antworten;
    bool standardAntwort = true;
    std::deque<Antwort3> antworten3;

    // Virtual clock in ms; Warten advances it. Called on every event
    // processing, so a test can press a button in the middle of a wait.
    std::int64_t uhr = 0;
    std::function<void()> beiNachrichten;
    int nachrichtenAufrufe = 0;

    // Last text of each display, UTF-8; visible/enabled state of each element.
    std::map<Anzeige, std::string> anzeigen;
    std::map<Element, std::pair<bool, bool>> elemente;

    void Meldung(std::string_view text) override;
    bool Frage(std::string_view text) override;
    Antwort3 FrageMitAbbruch(std::string_view text) override;
    bool Bestaetigung(std::string_view text, std::string_view ok,
                      std::string_view abbrechen) override;
    void NachrichtenVerarbeiten() override;
    void Warten(std::int32_t millisekunden) override;
    std::int64_t Millisekunden() override { return uhr; }
    void AnzeigeSetzen(Anzeige feld, std::string_view text) override;
    void ElementSetzen(Element element, bool sichtbar, bool aktiv) override;
    bool ElementAktiv(Element element) override;
    void ProgrammBeenden(int exitCode) override;

    // Exit code passed to ProgrammBeenden, if it was called.
    std::optional<int> beendetMit;

private:
    void Unerwartet(const std::string& ereignis);

    std::vector<std::string> ereignisse_;
    std::vector<std::string> meldungen_;
    // Messages and default-answered questions with their running number, for
    // the check at the end; the test has looked at those numbered below
    // gesehenBis_.
    std::vector<std::pair<std::size_t, std::string>> unerwartet_;
    std::size_t gezaehlt_ = 0;
    std::size_t gesehenBis_ = 0;
    bool alleErwartet_ = false;
};

} // namespace korvx::test
