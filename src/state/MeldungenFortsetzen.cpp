#include "state/MeldungenFortsetzen.h"

#include "state/Meldungen.h"
#include "state/Punkt3D.h"
#include "state/Zahlenformat.h"

namespace korvx::meldung {

namespace {

std::string Satz(std::int32_t satz) {
    return "Satz N" + std::to_string(satz);
}

std::string Punkt(const Zahlenformat& f, const TPunkt3D& p) {
    return "x = " + f.Fest(p.x, 15, 3) + ", y = " + f.Fest(p.y, 15, 3) +
           ", z = " + f.Fest(p.z, 15, 3);
}

} // namespace

std::string FortsetzenSatzFehlt(std::int32_t satz) {
    return Satz(satz) + T(" wurde im Teileprogramm nicht gefunden! Fortsetzen nicht möglich.");
}
std::string FortsetzenImUnterprogramm(std::int32_t satz) {
    return Satz(satz) + T(" liegt in einem Unterprogramm! Fortsetzen ist nur ab einem Satz des "
                          "Hauptprogramms möglich, zum Beispiel ab dem Aufruf des Unterprogramms.");
}
std::string FortsetzenInKorrektur(std::int32_t satz) {
    return Satz(satz) +
           T(" liegt in einer Werkzeugradiuskorrektur (zwischen G41/G42 und G40)! Die "
             "korrigierte Bahn kann nicht in ihrer Mitte begonnen werden. Bitte ab dem Satz mit "
             "G41/G42 oder nach dem Satz mit G40 fortsetzen.");
}
std::string FortsetzenNachProgrammende(std::int32_t satz) {
    return T("Das Teileprogramm endet vor ") + Satz(satz) +
           T(" mit M30! Fortsetzen nicht möglich.");
}
std::string FortsetzenVorlaufFehler(std::int32_t satz, std::string_view fehler) {
    std::string s = T("Die Sätze vor ") + Satz(satz) +
                    T(" lassen sich nicht fehlerfrei lesen! Fortsetzen nicht möglich.");
    if (!fehler.empty()) {
        s.append("\r\r").append(fehler);
    }
    return s;
}

std::string FortsetzenAnfahrenFrage(const Zahlenformat& f, std::int32_t satz, double sicherZ,
                                    const TPunkt3D& start) {
    return T("Fortsetzen ab ") + Satz(satz) + T(": Das Werkzeug fährt auf z = ") +
           f.Fest(sicherZ, 15, 3) +
           T(", im Eilgang über den Startpunkt und im Vorschub hinab "
             "zum Startpunkt\r") +
           Punkt(f, start) + T(" (Werkstückkoordinaten).\r\rAnfahren?");
}

std::string FortsetzenAnbieten(const Zahlenformat& f, std::int32_t satz,
                               const TPunkt3D& nullpunkt) {
    return T("Die letzte Bearbeitung wurde in ") + Satz(satz) +
           T(" unterbrochen.\r\rJetzt ab diesem Satz fortsetzen? Der Werkstücknullpunkt dieser "
             "Bearbeitung wird dazu wieder gesetzt:\r") +
           Punkt(f, nullpunkt) + T(" (Maschinenkoordinaten).");
}

std::string FortsetzenMenue() {
    return T("Fortsetzen ab Satz …");
}
std::string FortsetzenTitel() {
    return "Fortsetzen ab Satz";
}
std::string FortsetzenSatzBeschriftung() {
    return "Satznummer:";
}
std::string FortsetzenSatzUngueltig() {
    return T("Bitte eine Satznummer von 1 bis 99999 eingeben!");
}

std::string NullpunktUebernehmenFrage(const Zahlenformat& f, const TPunkt3D& nullpunkt) {
    return T("Aus der letzten Sitzung ist ein Werkstücknullpunkt gespeichert:\r") +
           Punkt(f, nullpunkt) +
           T(" (Maschinenkoordinaten).\r\rDiesen Nullpunkt übernehmen, um eine unterbrochene "
             "Bearbeitung am selben Werkstück fortzusetzen?");
}
std::string KeinGespeicherterNullpunkt() {
    return T("In Korvelantrix.DAT ist kein Werkstücknullpunkt gespeichert!");
}

} // namespace korvx::meldung
