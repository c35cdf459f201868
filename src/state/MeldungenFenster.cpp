// The texts of the windows: main window, forms, graphic dialogs, font viewer,
// editor and tool windows. The logic's texts are in Meldungen.cpp.
#include "state/Meldungen.h"

// --- Main window ------------------------------------------------------------
namespace korvx::meldung {
std::string Datenuebertragungsfehler() {
    return T("Fehler bei der Datenübertragung!");
}
std::string ReferenzOderNullpunktFehlt() {
    return T("Referenzpunkt nicht angefahren oder Werkzeugnullpunkt nicht gewählt!");
}
std::string SchrittbetriebFrage(bool jetztEin) {
    return jetztEin ? "Schrittbetrieb ausschalten? (J/N) " : "Schrittbetrieb einschalten? (J/N) ";
}
std::string TestanzeigeFrage(bool jetztEin) {
    return jetztEin ? "Testanzeige ausschalten? (J/N)" : "Testanzeige einschalten? (J/N)";
}
std::string AlteSchutzzoneBleibt() {
    return T("Die alte Schutzzone wird beibehalten!");
}
std::string ReferenzfahrtNoetig() {
    return " - Notaus: Referenzfahrt erforderlich!";
}
std::string BeendenWaehrendLaufFrage(bool programm) {
    return T(programm ? "Ein Teileprogramm läuft. Wirklich beenden?"
                      : "Eine Bewegung läuft. Wirklich beenden?");
}
std::string GrafikLoeschenFrage() {
    return T("Grafik löschen?");
}
std::string HaftungFrage() {
    return "Mit dem Haftungsausschluss bin ich einverstanden!";
}
std::string HaftungAbgelehnt() {
    return "Das Programm kann nur nach Verzicht auf jeden Haftungsanspruch gestartet werden!";
}
std::string NochNichtVerfuegbar(std::string_view fenster) {
    return T("Das Fenster \"") + std::string(fenster) +
           T("\" ist in dieser Version noch nicht verfügbar.");
}
std::string LaufSperre() {
    return T("Während eine Bearbeitung oder Bewegung läuft, ist dieser Befehl gesperrt.");
}
std::string TitelNullpunktM() {
    return T("Werkstücknullpunkt (M)");
}
std::string TitelWerkzeugpositionW() {
    return "Werkzeugposition (W)";
}
std::string TitelReferenzfahren() {
    return "Referenzfahren";
}
// --- Forms: start block, point entry, jog, version ----------------------------
std::string UeberschriftNullpunkt() {
    return T("Koordinaten des Werkstücknullpunktes (M)");
}
std::string UeberschriftZielpunkt() {
    return "Koordinaten des Zielpunktes (W)";
}
std::string UeberschriftSchutzzone(bool unten) {
    return unten ? "Koordinaten des unteren Schuzzonenpunktes (M)"
                 : "Koordinaten des oberen Schuzzonenpunktes (M)";
}
std::string PunktformLaenge(std::string_view laenge) {
    return Verbinden(T("Länge = "), laenge, " mm");
}
std::string PunktformDurchmesser(std::string_view durchmesser) {
    return Verbinden("Durchmesser = ", durchmesser, " mm");
}
std::string VersionsZeile(int jahr, int monat, int tag) {
    const auto zwei = [](int n) {
        n = ((n % 100) + 100) % 100;
        return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    };
    return "Version " + zwei(jahr) + "." + zwei(monat) + "." + zwei(tag);
}
std::string VersionUnbekannt() {
    return "Version unbekannt";
}
std::string PaketVersionsZeile(std::string_view version) {
    return Verbinden("Version ", version, "");
}

} // namespace korvx::meldung

// --- Graphic dialogs and the font viewer -----------------------------------
namespace korvx::meldung {
std::string GrenzeNichtKleiner(std::string_view unten, std::string_view oben) {
    return Verbinden(unten, " muss kleiner als ", oben) + " sein!";
}
std::string SkalenweiteNichtPositiv(char achse) {
    return T("Die Skaleneinheit der ") + achse + T("-Achse muss größer als 0 sein!");
}
std::string GeaenderteWerteSpeichern() {
    return T("Geänderte Werte speichern?");
}
std::string GeaenderteWerteVerwerfen() {
    return T("Geänderte Werte verwerfen?");
}
std::string ReferenzfahrtErforderlich() {
    return "Referenzfahrt zur Positionsbestimmund erforderlich!";
}
std::string AenderungVerwerfen() {
    return T("Änderung verwerfen?");
}
std::string TesttextBeschriftung(int maxZeichen) {
    return "2. Text eingeben (max " + std::to_string(maxZeichen) + " Z.)";
}
std::string TesttextZuLang(int maxZeichen) {
    return "Testtext: max " + std::to_string(maxZeichen) + " Zeichen";
}
std::string TesttextAusgabeFehler() {
    return "Fehler bei der Ausgabe des Testtextes!";
}
std::string ZeichensatzWaehlenHinweis() {
    return T("Zeichensatz wählen!");
}
std::string VerkleinerungNichtMoeglich() {
    return T("Verkleinerung nicht möglich!");
}
std::string DruckenAbgebrochen() {
    return "Drucken abgebrochen!";
}
std::string Zeichenhoehe(int hoehe, std::string_view name) {
    return Verbinden(std::to_string(hoehe), T(" Zeichenhöhe: "), name);
}
std::string ZeichensatzKopfzeile(std::string_view name) {
    return Verbinden("Zeichensatz: ", name, "");
}

// --- Part program editor ------------------------------------------------------
std::string EditorNeuLeer() {
    return "Neues Teileprogramm erstellen?";
}
std::string EditorNeuSpeichern() {
    return T("NC-Sätze speichern und neues Teileprogramm erstellen?");
}
std::string EditorNeuLoeschen() {
    return T("NC-Sätze löschen und neues Teileprogramm erstellen?");
}
std::string EditorAenderungenSpeichernFrage() {
    return T("Das Teileprogramm wurde geändert. Änderungen speichern?");
}
std::string EditorSpeichernFrage() {
    return "Das Teileprogramm speichern?";
}
std::string KeineWeitereUebereinstimmung() {
    return T("Keine Weitere Übererinstimmung!");
}

// --- Tool windows: colour dialog, tool choice, tool entry ----------------------
std::string FarbeUebernehmenFrage() {
    return T("Geänderte Farbe übernehmen?");
}
std::string WkzNummerBereich() {
    return T("Werkzeugnummeraußerhalb des Bereichs von 1 .. 255!");
}
std::string WkzNummerBelegt() {
    return "Werkzeugnummer bereits belegt!";
}
std::string FarbnummerBereich() {
    return T("Wert nicht zulässig! Erlaubt: 0 .. 15!");
}
std::string ZeichenfarbeNichtUebernommen() {
    return T("Die Zeichenfarbe konnte nicht übernommen werden!");
}
std::string WkzListeLoeschenFrage() {
    return T("Werkzeugliste löschen?");
}
std::string WkzLoeschenFrage(std::string_view nummer) {
    return Verbinden("Werkzeug ", nummer, T(" löschen?"));
}
std::string EingabefelderLoeschenFrage() {
    return T("Eingabefelder löschen?");
}
std::string WkzZuLoeschenNichtGefunden() {
    return T("Zu löschendes Werkzeug in der Liste nicht gefunden!");
}
std::string WkzNummerDoppelt(int nummer) {
    return Verbinden("Die Werkzeugnummer ", std::to_string(nummer), " wurde doppelt vergeben!");
}
std::string ZellfarbeFehler() {
    return T("Drawcell: Fehler bei der Übernahme der Zeichenfabe!");
}
std::string WkzWertNegativ(std::string_view spalte) {
    return Verbinden(T("Negativer Wert in der Spalte \""), spalte, T("\" ist nicht zulässig!"));
}

} // namespace korvx::meldung
