#include "app/KonsolenBediener.h"

#include "interpreter/Gcodeimport.h"
#include "state/Text.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace korvx::app {

namespace {

std::int64_t EchtMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string Koordinaten(const TPunkt3D& p) {
    char puffer[128];
    // A value that rounds to zero is written without its sign.
    auto ohneMinusNull = [](double v) { return (v > -0.0005 && v < 0.0005) ? 0.0 : v; };
    std::snprintf(puffer, sizeof puffer, "%.3f,%.3f,%.3f", ohneMinusNull(p.x), ohneMinusNull(p.y),
                  ohneMinusNull(p.z));
    return puffer;
}

} // namespace

std::string Ausgabetext(std::string_view text1252) {
    const std::string utf8 = NachUtf8(text1252);
    std::string aus;
    aus.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char esc[8];
        if (b < 0x20 || b == 0x7F) {
            std::snprintf(esc, sizeof esc, "\\x%02X", b);
            aus += esc;
        } else if (b == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            // A C1 control character (a byte Windows-1252 leaves undefined,
            // such as the 0x81 of some controller texts) is written as the
            // byte it was.
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned char>(utf8[i + 1]));
            aus += esc;
            ++i;
        } else {
            aus.push_back(utf8[i]);
        }
    }
    return aus;
}

std::string EndZeile(std::string_view grund, std::int64_t bloecke, std::int64_t bewegungen,
                     std::int64_t zeitMs, const TPunkt3D& w, const TPunkt3D& m) {
    std::string s = "end: ";
    s.append(grund);
    s += " blocks=" + std::to_string(bloecke);
    s += " moves=" + std::to_string(bewegungen);
    s += " time_ms=" + std::to_string(zeitMs);
    s += " W=" + Koordinaten(w);
    s += " M=" + Koordinaten(m);
    return s;
}

KonsolenBediener::KonsolenBediener(std::FILE* aus, bool trace, bool echtzeit)
    : aus_(aus), trace_(trace), echtzeit_(echtzeit), startEcht_(EchtMs()) {}

void KonsolenBediener::Schreiben(const std::string& zeile) {
    if (ausstehend) {
        const std::string vorher = ausstehend();
        std::fputs(vorher.c_str(), aus_);
    }
    std::fputs(zeile.c_str(), aus_);
    std::fflush(aus_);
}

void KonsolenBediener::Zeile(std::string_view art, std::string_view text1252) {
    const std::string zeile = std::string(art) + ": " + Ausgabetext(text1252) + "\n";
    std::lock_guard lock(zeileMutex_);
    Schreiben(zeile);
}

void KonsolenBediener::Ausgeben(std::string_view zeile) {
    std::lock_guard lock(zeileMutex_);
    Schreiben(std::string(zeile) + "\n");
}

void KonsolenBediener::TraceZeile(std::string_view art, std::string_view text1252) {
    if (trace_) {
        Zeile(art, text1252);
    }
}

bool KonsolenBediener::Antwort() {
    if (antworten.empty()) {
        return standardAntwort;
    }
    const bool ja = antworten.front();
    antworten.pop_front();
    return ja;
}

void KonsolenBediener::Meldung(std::string_view text) {
    Zeile("message", text);
}

bool KonsolenBediener::Frage(std::string_view text) {
    const bool ja = Antwort();
    Zeile("question", std::string(text) + (ja ? " -> yes" : " -> no"));
    return ja;
}

Antwort3 KonsolenBediener::FrageMitAbbruch(std::string_view text) {
    return Frage(text) ? Antwort3::Ja : Antwort3::Nein;
}

bool KonsolenBediener::Bestaetigung(std::string_view text, std::string_view ok,
                                    std::string_view abbrechen) {
    (void)abbrechen;
    const bool ja = (schrittWeiter && ok == "Weiter") ? true : Antwort();
    Zeile("question", std::string(text) + (ja ? " -> yes" : " -> no"));
    return ja;
}

void KonsolenBediener::NachrichtenVerarbeiten() {
    if (ereignisse) {
        ereignisse();
    }
}

void KonsolenBediener::Warten(std::int32_t millisekunden) {
    if (millisekunden <= 0) {
        return;
    }
    if (!echtzeit_) {
        uhr_ += millisekunden;
        NachrichtenVerarbeiten();
        return;
    }
    // In slices, so a stop request is seen within a few milliseconds.
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(millisekunden);
    for (;;) {
        NachrichtenVerarbeiten();
        const auto jetzt = std::chrono::steady_clock::now();
        if (jetzt >= ende) {
            return;
        }
        std::this_thread::sleep_until(std::min(ende, jetzt + std::chrono::milliseconds(5)));
    }
}

std::int64_t KonsolenBediener::Millisekunden() {
    return echtzeit_ ? EchtMs() - startEcht_ : uhr_;
}

void KonsolenBediener::AnzeigeSetzen(Anzeige feld, std::string_view text) {
    if (feld == Anzeige::NCSatz) {
        TraceZeile("block", text);
    }
}

void KonsolenBediener::ElementSetzen(Element element, bool sichtbar, bool aktiv) {
    elemente_[static_cast<std::size_t>(element)] = {sichtbar, aktiv};
}

bool KonsolenBediener::ElementAktiv(Element element) {
    return elemente_[static_cast<std::size_t>(element)].second;
}

void KonsolenBediener::ProgrammBeenden(int exitCode) {
    {
        std::lock_guard lock(zeileMutex_);
        std::fflush(aus_);
    }
    std::exit(exitCode);
}

std::optional<rs274::Umsetzung> GcodeUmsetzenUndMelden(std::string_view pfad1252, bool raum3D,
                                                       KonsolenBediener& konsole) {
    auto umsetzung = GcodeDateiUmsetzen(pfad1252, raum3D, konsole);
    if (!umsetzung) {
        return std::nullopt;
    }
    for (const rs274::Hinweis& hinweis : umsetzung->hinweise) {
        konsole.Zeile("note", HinweisText(hinweis));
    }
    if (!umsetzung->ok) {
        // Nothing was converted, so nothing is scanned, sent or written.
        konsole.Meldung(umsetzung->ablehnung);
    }
    return umsetzung;
}

} // namespace korvx::app
