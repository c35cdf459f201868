#pragma once
// An operator who sees nothing: messages are counted, questions get one fixed
// answer, waits return at once. For benchmarks, fuzzing and batch work where
// nobody watches; subclasses override what they need (a real clock, say).
#include "state/Bediener.h"

namespace korvx {

class StillerBediener : public Bediener {
public:
    explicit StillerBediener(bool antwort = true) : antwort_(antwort) {}

    int meldungen = 0;

    void Meldung(std::string_view) override { ++meldungen; }
    bool Frage(std::string_view) override { return antwort_; }
    Antwort3 FrageMitAbbruch(std::string_view) override {
        return antwort_ ? Antwort3::Ja : Antwort3::Abbrechen;
    }
    bool Bestaetigung(std::string_view, std::string_view, std::string_view) override {
        return antwort_;
    }
    void NachrichtenVerarbeiten() override {}
    void Warten(std::int32_t) override {}
    std::int64_t Millisekunden() override { return 0; }
    void AnzeigeSetzen(Anzeige, std::string_view) override {}
    bool AnzeigenSichtbar() override { return false; }
    void ElementSetzen(Element, bool, bool) override {}
    bool ElementAktiv(Element) override { return true; }
    void ProgrammBeenden(int) override {}

private:
    bool antwort_;
};

} // namespace korvx
