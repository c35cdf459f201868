#include "support/FakeBediener.h"

#include "state/Text.h"

#ifdef KORVX_FAKE_GTEST
#include <gtest/gtest.h>
#endif

namespace korvx::test {

FakeBediener::~FakeBediener() {
#ifdef KORVX_FAKE_GTEST
    std::string liste;
    for (const auto& [nummer, ereignis] : unerwartet_) {
        if (nummer >= gesehenBis_) {
            liste += "\n  " + ereignis;
        }
    }
    if (!alleErwartet_ && !liste.empty()) {
        ADD_FAILURE() << "Unerwartete Meldungen oder Fragen (nach dem letzten Blick der Prüfung "
                         "darauf, ohne ErwarteMeldungen()):"
                      << liste;
    }
#endif
}

void FakeBediener::Unerwartet(const std::string& ereignis) {
    unerwartet_.emplace_back(gezaehlt_++, ereignis);
}

void FakeBediener::Meldung(std::string_view text) {
    meldungen_.push_back(NachUtf8(text));
    ereignisse_.push_back("meldung: " + NachUtf8(text));
    Unerwartet(ereignisse_.back());
}

bool FakeBediener::Frage(std::string_view text) {
    bool ja = standardAntwort;
    const bool geplant = !antworten.empty();
    if (geplant) {
        ja = antworten.front();
        antworten.pop_front();
    }
    ereignisse_.push_back("frage: " + NachUtf8(text) + (ja ? " -> ja" : " -> nein"));
    if (!geplant) {
        Unerwartet(ereignisse_.back());
    }
    return ja;
}

Antwort3 FakeBediener::FrageMitAbbruch(std::string_view text) {
    Antwort3 a = standardAntwort ? Antwort3::Ja : Antwort3::Nein;
    const bool geplant = !antworten3.empty();
    if (geplant) {
        a = antworten3.front();
        antworten3.pop_front();
    }
    const char* wort = a == Antwort3::Ja ? "ja" : a == Antwort3::Nein ? "nein" : "abbrechen";
    ereignisse_.push_back("frage3: " + NachUtf8(text) + " -> " + wort);
    if (!geplant) {
        Unerwartet(ereignisse_.back());
    }
    return a;
}

bool FakeBediener::Bestaetigung(std::string_view text, std::string_view, std::string_view) {
    bool ok = standardAntwort;
    const bool geplant = !antworten.empty();
    if (geplant) {
        ok = antworten.front();
        antworten.pop_front();
    }
    ereignisse_.push_back("bestaetigung: " + NachUtf8(text) + (ok ? " -> ok" : " -> abbrechen"));
    if (!geplant) {
        Unerwartet(ereignisse_.back());
    }
    return ok;
}

void FakeBediener::NachrichtenVerarbeiten() {
    ++nachrichtenAufrufe;
    if (beiNachrichten) {
        beiNachrichten();
    }
}

void FakeBediener::Warten(std::int32_t millisekunden) {
    if (millisekunden > 0) {
        uhr += millisekunden;
    }
    NachrichtenVerarbeiten();
}

void FakeBediener::AnzeigeSetzen(Anzeige feld, std::string_view text) {
    anzeigen[feld] = NachUtf8(text);
}

void FakeBediener::ElementSetzen(Element element, bool sichtbar, bool aktiv) {
    elemente[element] = {sichtbar, aktiv};
}

bool FakeBediener::ElementAktiv(Element element) {
    const auto it = elemente.find(element);
    return it == elemente.end() || it->second.second;
}

void FakeBediener::ProgrammBeenden(int exitCode) {
    beendetMit = exitCode;
    ereignisse_.push_back("beenden: " + std::to_string(exitCode));
}

} // namespace korvx::test
