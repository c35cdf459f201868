#include "state/Meldungen.h"

#include "state/Text.h"
#include "state/Zahlenformat.h"

namespace korvx::meldung {

std::string T(std::string_view utf8) {
    return NachCp1252(utf8);
}

std::string Verbinden(std::string_view a, std::string_view b, std::string_view c) {
    std::string s;
    s.reserve(a.size() + b.size() + c.size());
    s.append(a).append(b).append(c);
    return s;
}

// --- Settings files ---------------------------------------------------------
std::string KonfigurationNichtGeladen(std::string_view pfad) {
    return Verbinden("Die Konfigurationsdatei ", pfad, " wurde nicht geladen!");
}
std::string KonfigurationGroesse(std::string_view pfad) {
    return Verbinden(T("Dateigrößenfehler! Die Konfigurationsdatei "), pfad,
                     " wurde nicht geladen.");
}
std::string KonfigurationMaschinendaten(std::string_view pfad) {
    return Verbinden("Die Konfigurationsdatei ", pfad,
                     T(" enthält unzulässige Maschinendaten und wurde nicht geladen."));
}
std::string KonfigurationNichtErzeugt(std::string_view pfad) {
    return Verbinden("Die Konfigurationsdatei ", pfad, " wurde nicht erzeugt!");
}
std::string DateiNichtGeladen(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad, " wurde nicht geladen!");
}
std::string SimulationsZeitFaktorUngueltig(std::string_view pfad) {
    return Verbinden(T("Der Simulationszeitfaktor in der Datei "), pfad,
                     T(" ist ungültig; es gilt 1 :1."));
}
std::string DateiNichtErzeugt(std::string_view pfad) {
    return Verbinden("Die Datei ", pfad, " wurde nicht erzeugt!");
}
std::string FehlerBeimSpeichern(std::string_view pfad) {
    return Verbinden("Fehler beim Speichern der Datei ", pfad, "!");
}

// --- Block scanner ----------------------------------------------------------
std::string UnbekanntesZeichen(char zeichen, std::string_view satz) {
    std::string s = "Unbekanntes Zeichen: \" ";
    s.push_back(zeichen);
    s.append(" \" in ").append(satz);
    return s;
}
std::string FehlenderZahlenwert() {
    return "Fehlender Zahlenwert!";
}
std::string FehlerInSatz(std::string_view satz) {
    return Verbinden("Fehler in Satz: ", satz, "");
}
std::string FehlenderKommentartext() {
    return "Fehlender Kommentartext!";
}
std::string FehlenderText() {
    return "Fehlender Text!";
}
std::string FehlenderUnterprogrammName() {
    return "Fehlender Unterprogramm-Name!";
}
std::string FraestiefenFehler(std::string_view zeile) {
    return Verbinden(zeile, T("Fehler bei der Frästiefensuche"), "");
}
std::string DateiNichtGefunden(std::string_view pfad) {
    return Verbinden("Datei ", pfad, " nicht gefunden!");
}
std::string KeinTeileprogramm() {
    return "Kein Teileprogramm geladen!";
}

// --- Geometry ---------------------------------------------------------------
std::string MaschinenkoordinatenErwartet() {
    return "Fehler: Maschinenkoordinaten erwartet!  Das Programm wird abgebrochen!";
}
std::string KeineHexZahl() {
    return "This is not hexadecimal number";
}
std::string KeineBinaerZahl() {
    return "It is not a binary number";
}
std::string KeineBinaerzahlDeutsch() {
    return T("Keine Binärzahl!");
}
std::string KreisInitialisierungFehler() {
    return "Fehler bei der Kreisvariablen-Initialisierung!";
}
std::string WinkelberechnungFehler() {
    return "Fehler bei der Winkelberechnung!";
}
std::string KreisdatenFehlerhaft(std::string_view satz) {
    return Verbinden(satz, " : Die Kreisdaten sind fehlerhaft!", "");
}
std::string KeinSchnittpunktKreisGerade() {
    return "Kein Schnittpunkt der Korrekturbahnen von Kreis / Gerade oder Gerade / Kreis "
           "vorhanden!";
}
std::string KeinSchnittpunktKreisGeradeSenkrecht() {
    return "Kein Schnittpunkt der Korrekturbahnen Kreis / Gerade oder Gerade / Kreis vorhanden!";
}
std::string OrdinatenGleich() {
    return "Die Ordinaten-Werte der Punkt sind gleich!";
}
std::string KeinSchnittpunktKreisbahnen() {
    return "Kein Schnittpunkt der Korrektur-Kreisbahnen vorhanden!";
}
std::string DerselbeMittelpunkt() {
    return "Die Korrekturbahnen haben denselben Mittelpunkt!";
}
std::string NaechsterNCSatz() {
    return T("Nächster NC-Satz?");
}

// --- Machine link -----------------------------------------------------------
std::string IselFehlermeldung(std::string_view antwort, std::string_view tabellentext) {
    return Verbinden("Fehlermeldung der Isel-Anlage: ", antwort,
                     Verbinden(" : ", tabellentext, ""));
}
std::string PositionsfeldFehler(char achse) {
    return "Fehler bei der Positionsabfrage der Isel-Anlage: " + std::string(1, achse) +
           "-Position!";
}
std::string PositionKommunikationsfehler(int port) {
    return "Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM" + std::to_string(port) +
           ": !";
}
std::string ReferenzgeschwindigkeitFehler() {
    return "Fehler beim Einellen der Referenzgeschwindigkeiten!";
}
std::string InterpolationsebeneFehler() {
    return "Fehler beim Einstellen der Interpolationsebene!";
}
std::string NotausBeiReferenzfahrt() {
    return T("Notaus bei Referenzfahrt betätigt!\r\n"
             "Initialisieren Sie die Isel(R)-Anlage am Controller neu\r\n"
             "(Prozessor-Reset) und schließen Sie danach dises Fenster!");
}
std::string IselAntwortetNicht(std::string_view befehl, std::int64_t grenzeMs) {
    const std::int64_t zehntel = (grenzeMs + 50) / 100;
    return Verbinden("Die Isel-Anlage antwortet nicht auf den Befehl \"", befehl,
                     T("\" (Wartezeit ") + std::to_string(zehntel / 10) + "," +
                         std::to_string(zehntel % 10) +
                         T(" s überschritten)! Die Arbeit wird abgebrochen; fahren Sie den "
                           "Referenzpunkt neu an."));
}
std::string IselKeineVerbindung(int port) {
    return T("Keine Verbindung zur Isel-Anlage über COM") + std::to_string(port) +
           T("! Die Arbeit wird abgebrochen; prüfen Sie Kabel und Schnittstelle und fahren Sie "
             "den Referenzpunkt neu an.");
}
std::string ReferenzfahrtNichtAbgeschlossen(std::string_view antwort,
                                            std::string_view tabellentext) {
    return Verbinden("Referenzfahrt nicht abgeschlossen! Antwort der Isel-Anlage: ", antwort,
                     Verbinden(" : ", tabellentext, ""));
}

// --- Graphics ---------------------------------------------------------------
std::string UnbekannterLinienstil() {
    return "Unbekannter Linienstil!";
}
std::string FarbnummerGeaendert() {
    return T("Farbnummer beim Bahnzeichnen geändert!?? Neue Farbnummer: 1!");
}
std::string BakDateiFehler() {
    return "Fehler beim Anlegen der BAK-Datei!";
}
std::string NummernDateiFehler() {
    return "Fehler beim Anlegen der Nummern-Datei!";
}
std::string ZuVieleSicherungsdateien() {
    return "Fehler beim Anlegen der Sicherungsdatei: zu viele Dateien!";
}
std::string GrafikSpeichernFrage(std::string_view dateiname) {
    return Verbinden("Speichern der Grafik-Datei unter dem Namen ", dateiname, " (J/N)?");
}

// --- Tools ------------------------------------------------------------------
std::string WkzKeinSpeicher(bool listeLeer) {
    return T(listeLeer ? "Nicht genügend Heapspeicher zum Laden der Werkzeugliste!!"
                       : "Nicht genügend Heapspeicher zum Laden der Werkzeugliste!");
}
std::string WkzNichtGeloescht() {
    return T("Werkzeug konnte nicht gelöscht werden!");
}
std::string WkzDateiNichtGeladen(std::string_view pfad) {
    return Verbinden("Fehler beim Laden der Werkzeugdatei ", pfad, " !");
}
std::string WkzNummerFehler() {
    return "Fehler beim Laden  der Werkzeugnummer!";
}
std::string WkzLaengeFehler() {
    return T("Fehler beim Laden der Werkrzeuglänge!");
}
std::string WkzNutzlaengeFehler() {
    return T("Fehler beim Laden der Werkzeugnutzlänge!");
}
std::string WkzDurchmesserFehler() {
    return "Fehler beim Laden  des Werkzeugdurchmessers!";
}
std::string WkzFarbeFehler() {
    return "Fehler beim Laden  der Werkzeug-Zeichenfarbe!";
}
std::string WkzEintragUebersprungen(std::string_view fehler, int nummer) {
    return Verbinden(fehler, " Werkzeug T" + std::to_string(nummer), " wird nicht geladen.");
}
std::string WkzLaengeNegativ(int nummer) {
    return Verbinden("Werkzeug T", std::to_string(nummer),
                     T(": negative Länge, das Werkzeug wird nicht geladen!"));
}
std::string WkzDurchmesserNegativ(int nummer) {
    return Verbinden("Werkzeug T", std::to_string(nummer),
                     ": negativer Durchmesser, das Werkzeug wird nicht geladen!");
}
std::string ZeichenfarbeSchwarz() {
    return "Die Zeichenfarbe wird auf schwarz gesetzt!";
}
std::string WkzNichtInListe(int nummer) {
    return Verbinden("T", std::to_string(nummer), " nicht in der Werkzeugliste!");
}
std::string WkzAnzeigeWerkzeug(int nummer, std::string_view benennung) {
    return Verbinden("Werkzeug T", std::to_string(nummer), " Benennung: ") + std::string(benennung);
}
std::string WkzAnzeigeLaenge(std::string_view laenge) {
    return T("Länge: ") + std::string(laenge);
}
std::string WkzAnzeigeDurchmesser(std::string_view durchmesser) {
    return "Durchmesser: " + std::string(durchmesser);
}

// --- Fonts ------------------------------------------------------------------
std::string GravurtextFehlt() {
    return "fehlender Gravurtext!";
}
std::string ZeichensatzNichtGeladen() {
    return "Fehler beim Laden des Zeichensatzes!";
}
std::string ZeichensatzFormat(std::string_view datei) {
    return std::string(datei) + " nicht im erwarteten Format!";
}
std::string ZeichensatzUebergabeFehler() {
    return T("Fehler bei der Übertragung des Zeichensatznamen!");
}
std::string ZeichensatzUebernehmen() {
    return T("Zeichensatz übernehmen?");
}

// --- Interpreter ------------------------------------------------------------
std::string BereichVerlassen() {
    return T("Der zulässige Bereich wird verlassen!");
}
std::string UnbekannterGBefehl(std::int32_t nummer) {
    return std::to_string(nummer) + " : unbekannter G-Befehl!";
}
std::string UnbekannterMBefehl(std::int32_t nummer) {
    return std::to_string(nummer) + " : unbekannter M-Befehl!";
}
std::string EbenenwahlFehler(std::int32_t gNummer) {
    return "Fehler bei der Ebenenwahl! (G" + std::to_string(gNummer) + ")";
}
std::string ProgrammStopp() {
    return "Programm-Stopp! Weiter : OK!";
}
std::string ProgrammendeM30(bool korrekturAktiv) {
    return korrekturAktiv ? T("M30: Programmende! Möglicherweise ist die Fraeserbahnkorrektur "
                              "nicht aufgehoben!")
                          : "M30: Programmende!";
}
std::string WkzWechselImUnterprogramm() {
    return T("Werkzeugwechsel werden in Unterprogrammen nicht ausgeführt!");
}
std::string KeineWerkzeuge() {
    return "Keine Werkzeuge eingegeben!";
}
std::string WerkzeugNichtBekannt(std::int32_t nummer) {
    return Verbinden("Werkzeug T", std::to_string(nummer), " nicht bekannt!");
}
std::string WerkzeugEinsetzen(std::int32_t nummer, std::string_view laenge,
                              std::string_view durchmesser, std::string_view drehzahl,
                              std::uint8_t ebene) {
    static constexpr std::string_view kEbenen[] = {"x-y-Ebene", "x-z-Ebene", "y-z-Ebene",
                                                   "3D-Modus"};
    std::string s = "Werkzeug " + std::to_string(nummer) + " einsetzen! L = ";
    s.append(laenge).append(" mm. D = ").append(durchmesser).append(" mm. n = ");
    s.append(drehzahl).append(" 1/min\r\rVerfahr-Reihenfolge beachten: Interpolieren in ");
    s.append(ebene < 4 ? kEbenen[ebene] : std::string_view());
    return s;
}
std::string BearbeitungAbgebrochen() {
    return "Bearbeitung abgebrochen!";
}
std::string KreiskonturFehler(std::string_view satz) {
    return Verbinden(satz, T(" : Kreiskontur enthält Fehler!"), "");
}
std::string SchriftNichtHerstellbar() {
    return "Schrift mit Werkzeugdurchmesser nicht herstellbar!";
}
std::string FehlerhafterDurchmesser() {
    return "Fehlerhafter Werkzeugdurchmesser! ";
}
std::string ReferenzNichtAngefahren() {
    return "Referenzpunkt nicht angefahren! ";
}
std::string AnwahlsatzNichtGefunden() {
    return "Anwahlsatz nicht gefunden!";
}
std::string Schrittbetrieb() {
    return "Schrittbetrieb";
}
std::string Weiter() {
    return "Weiter";
}
std::string Beenden() {
    return "Beenden";
}
std::string BearbeitungAbbrechenFrage(std::string_view dateiname) {
    return Verbinden("Bearbeitung von Datei ", dateiname, " abbrechen?");
}
std::string UnterprogrammNichtGefunden() {
    return "Unterprogramm nicht gefunden!";
}
std::string UnterprogrammSpeichermangel(std::string_view satzanfang) {
    return Verbinden("Speichermangel! UP nur bis ", satzanfang, "geladen! Programmabbruch!");
}
std::string LaufBereitsAktiv() {
    return T("Ein Teileprogramm läuft bereits; es kann kein zweites gestartet werden!");
}
std::string ZielpunktW() {
    return "Zielpunkt (W)";
}
std::string PositionW() {
    return "Position (W)";
}
std::string ZielpunktM() {
    return "Zielpunkt (M)";
}
std::string PositionM() {
    return "Position (M)";
}
std::string TippSchrittHinweis(char zeichen, std::string_view betrag) {
    const bool zurueck = zeichen == '<' || zeichen == '-';
    return Verbinden(zurueck ? "-" : "+", betrag, zeichen == '<' ? "  mm" : " mm");
}
std::string UnbekanntePosition(const Zahlenformat& format) {
    return format.Fest(999.99, 5, 2);
}
std::string Referenzgeschwindigkeit() {
    return "Referenzgeschwindigkeit";
}
std::string VerfahrgeschwindigkeitG00() {
    return "Verfahrgeschwindigkeit: G00";
}
std::string VerfahrgeschwindigkeitG01() {
    return "Verfahrgeschwindigkeit: G01";
}

// --- Manual positioning -----------------------------------------------------
std::string ReferenzOderWerkzeugFehlt() {
    return T("Referenzpunkt nicht angefahren oder kein Werkzeug gewählt!");
}
std::string ReferenzOderAchseFehlt() {
    return T("Referenzpunkt nicht angefahren oder keine Achse gewählt!");
}
std::string NullpunktNichtGesetzt() {
    return T("Werkstücknullpunkt nicht gesetzt!");
}
std::string NullpunktNichtGewaehlt() {
    return T("Werkstücknullpunkt nicht gewählt!");
}
std::string PunktAusserhalbAbbruch() {
    return T("Punkt außerhalb des zulässigen Bereichs! Abbruch?");
}
std::string PunktAusserhalbVerfahrbereich() {
    return T("Der Punkt liegt außerhalb des Verfahrbereichs!");
}
std::string KeineAktiveAchse() {
    return "Keine aktive Achse! ";
}
std::string NullpunktWirdAngefahren() {
    return T("Der gesetzte Werkstücknullpunkt wird angefahren!");
}
std::string FalschesZeichen() {
    return "Falsches Zeichen im Eingabefeld!";
}

// --- Machining cycles and engraving ----------------------------------------
std::string LochkreisOhneBohrungen() {
    return "Die Anzahl der Bohrungen im Lochkreis ist Null!";
}
std::string KreistascheNichtHerstellbar() {
    return "Kreistasche mit diesem Werkzeug nicht herstellbar!";
}
std::string InselradiusZuGross() {
    return T("Inselradius fü") + "\x81" + T("r dieses Werkzeug zu groß!");
}
std::string RechtecktascheNichtHerstellbar() {
    return "Rechtecktasche mit diesem Werkzeug nicht herstellbar!";
}
std::string ZustellungNichtPositiv() {
    return T("Zustellung R1 muss größer als Null sein!");
}
std::string KeinZeichensatz() {
    return "Kein Zeichensatz geladen!";
}
std::string BohrenNichtMoeglich() {
    return T("Nicht Referenz gefahren oder kein Werkzeug gewählt!");
}
std::string BohrenAnWerkzeugposition(std::string_view tiefe) {
    return Verbinden("Bohren an Werkzeugposition! Tiefe = ", tiefe, " mm ");
}

// --- Setting dialogs --------------------------------------------------------
std::string GeschwindigkeitUnzulaessigeZeichen() {
    return T("Das Eingabefeld enthält unzulässige Zeichen!");
}
std::string GeschwindigkeitsBereich(std::string_view vMin, std::string_view vMax) {
    return Verbinden(T("Für diese Achse muss eine Geschwindigkeit von "), vMin, " m/min bis ") +
           Verbinden(vMax, " m/min eingegeben werden!", "");
}
std::string FalschesZeichenMaschinendaten() {
    return "Falsches Zeichen im Eingabefelde!";
}
std::string SpindellaengeNichtPositiv(char achse) {
    return Verbinden(T("Die Spindellänge der "), std::string(1, achse),
                     T("-Achse muss größer als 0 mm sein!"));
}
std::string SpindelsteigungNichtPositiv(char achse) {
    return Verbinden("Die Spindelsteigung der ", std::string(1, achse),
                     T("-Achse muss größer als 0 mm sein!"));
}
std::string FalschesZeichenBohrtiefe(char zeichen) {
    return Verbinden("Falsches Zeichen im Eingabefeld: ", std::string(1, zeichen), "");
}
std::string BohrtiefeBereich() {
    return T(" Die Bohrtiefe muß kleiner oder gleich Null und größer oder gleich -50 sein!");
}
std::string VorschubBereich(std::string_view min, std::string_view max) {
    return Verbinden(T("Det Vorschub muss größer als "), min, " und kleiner oder gleich ") +
           Verbinden(max, " sein!", "");
}
std::string DrehzahlBereich(std::string_view min, std::string_view max) {
    return Verbinden(T("Die Drehzahl muss größer als "), min, " und kleiner oder gleich ") +
           Verbinden(max, " sein!", "");
}
std::string OhneHaftungsausschluss() {
    return "Ohne Haftungsausschluss: Das Programm wird beendet!";
}

} // namespace korvx::meldung
