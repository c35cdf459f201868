#include "support/FakeBediener.h"

#include "state/Text.h"

namespace korvx::test {

void FakeBediener::Meldung(std::string_view text) {
    meldungen.push_back(NachUtf8(text));
    ereignisse.push_back("meldung: " + NachUtf8(text));
}

bool FakeBediener::Frage(std::string_view text) {
    bool ja = standardAntwort;
    if (!antworten.empty()) {
        ja = antworten.front();
        antworten.pop_front();
    }
    ereignisse.push_back("frage: " + NachUtf8(text) + (ja ? " -> ja" : " -> nein"));
    return ja;
}

Antwort3 FakeBediener::FrageMitAbbruch(std::string_view text) {
    Antwort3 a = standardAntwort ? Antwort3::Ja : Antwort3::Nein;
    if (!antworten3.empty()) {
        a = antworten3.front();
        antworten3.pop_front();
    }
    const char* wort = a == Antwort3::Ja ? "ja" : a == Antwort3::Nein ? "nein" : "abbrechen";
    ereignisse.push_back("frage3: " + NachUtf8(text) + " -> " + wort);
    return a;
}

bool FakeBediener::Bestaetigung(std::string_view text, std::string_view, std::string_view) {
    bool ok = standardAntwort;
    if (!antworten.empty()) {
        ok = antworten.front();
        antworten.pop_front();
    }
    ereignisse.push_back("bestaetigung: " + NachUtf8(text) + (ok ? " -> ok" : " -> abbrechen"));
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
    ereignisse.push_back("beenden: " + std::to_string(exitCode));
}

} // namespace korvx::test
