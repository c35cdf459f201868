#include "machine/Isel.h"
#include "machine/IselIntern.h"
#include "machine/Maschinenverbindung.h"
#include "state/Bediener.h"
#include "state/Maschinenzustand.h"
#include "state/Meldungen.h"
#include "state/Zahlenformat.h"

namespace korvx {

const std::array<std::string, kFehlertabelleGroesse>& Fehlertabelle() {
    using meldung::T;
    // Indices 1, 10 and 15 hold the byte 0x81 after the "ü", as the
    // controller's table has always stored them.
    static const std::array<std::string, kFehlertabelleGroesse> tabelle = {
        "",
        T("Fehler in ü\u0081bergebenerer Zahl!"),
        T("Endschalter betätigt!"),
        T("unzulässige Achsangabe!"),
        "keine Achsen definiert!",
        "unbekannter Befehl!",
        "kein ausreichender Speicher auf der Interface-Karte!",
        "falsche Anzahl von Parametern!",
        "zu speichernder Befehl falsch!",
        T("Impuls nicht im zulässigen Berreich 1..6!"),
        T("Startzeichen fü\u0081r die zweite Interfacekarte ohne Endzeichen!"),
        "<CR> erwartet",
        T("Geschwindigkeit nicht zulässig. Sollwerte (21..10000) Hz!"),
        "Schleifenfehler!",
        "Benutzerstopp am CNC-Kontroller!",
        T("zu geringe ParameterZahl fü\u0081r den aktuellen Befehl!"),
        "unbekannter Fehler",
    };
    return tabelle;
}

int FehlerIndex(char zeichen) {
    if (zeichen >= '0' && zeichen <= '9') {
        return zeichen - '0';
    }
    if (zeichen >= 'A' && zeichen <= 'F') {
        return 10 + (zeichen - 'A');
    }
    if (zeichen >= 'a' && zeichen <= 'f') {
        return 10 + (zeichen - 'a');
    }
    if (zeichen == '=') {
        return 15;
    }
    return 16;
}

namespace detail {

void FehlerMelden(IselZugang a, std::string_view antwort) {
    const std::string_view kurz = antwort.substr(0, 10);
    if (kurz == "0") {
        return;
    }
    const int index = kurz.empty() ? 16 : FehlerIndex(kurz.front());
    a.bediener.Meldung(meldung::IselFehlermeldung(kurz, Fehlertabelle()[index]));
    a.zustand.stopp.Abbrechen();
}

void VerbindungVerloren(IselZugang a, const std::string& meldung) {
    a.bediener.Meldung(meldung);
    a.zustand.stopp.Abbrechen();
    a.zustand.ReferenzAngefahren = false;
}

} // namespace detail
} // namespace korvx
