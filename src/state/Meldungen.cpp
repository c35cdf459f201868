#include "state/Meldungen.h"

#include "state/Text.h"

namespace korvx::meldung {

std::string T(std::string_view utf8) {
    return NachCp1252(utf8);
}

namespace {
std::string Verbinden(std::string_view a, std::string_view b, std::string_view c) {
    std::string s;
    s.reserve(a.size() + b.size() + c.size());
    s.append(a).append(b).append(c);
    return s;
}
} // namespace

// --- Settings files ---------------------------------------------------------
std::string KonfigurationNichtGeladen(std::string_view pfad) {
    return Verbinden("Die Konfigurationsdatei ", pfad, " wurde nicht geladen!");
}
std::string KonfigurationGroesse(std::string_view pfad) {
    return Verbinden(T("Dateigrößenfehler! Die Konfigurationsdatei "), pfad,
                     " wurde nicht geladen.");
}
std::string KonfigurationNichtErzeugt(std::string_view pfad) {
    return Verbinden("Die Konfigurationsdatei ", pfad, " wurde nicht erzeugt!");
}
std::string DateiNichtGeladen(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad, " wurde nicht geladen!");
}
std::string DateiNichtErzeugt(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad, " wurde nicht erzeugt!");
}
std::string FehlerBeimSpeichern(std::string_view pfad) {
    return Verbinden("Fehler beim Speichern der Datei ", pfad, "!");
}

// --- Block scanner ----------------------------------------------------------

// --- Geometry ---------------------------------------------------------------

// --- Machine link -----------------------------------------------------------

// --- Graphics ---------------------------------------------------------------

// --- Tools ------------------------------------------------------------------

// --- Fonts ------------------------------------------------------------------

} // namespace korvx::meldung
