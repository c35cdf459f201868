#pragma once
// Every text the logic shows the operator is composed here, in Windows-1252.
// The literals are written in UTF-8 and converted once by T(); bytes that must
// stand as they are (such as 0x81) are written as the code point of the same
// value (\u0081). One section per subsystem.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvx {
class Zahlenformat;
}

namespace korvx::meldung {

// The Windows-1252 form of a UTF-8 literal.
std::string T(std::string_view utf8);
// The three parts joined.
std::string Verbinden(std::string_view a, std::string_view b, std::string_view c);

// --- Settings files ---------------------------------------------------------
std::string KonfigurationNichtGeladen(std::string_view pfad);
std::string KonfigurationGroesse(std::string_view pfad);
// A settings block whose pitch, steps, step factor or travel length is not
// greater than 0.
std::string KonfigurationMaschinendaten(std::string_view pfad);
std::string KonfigurationNichtErzeugt(std::string_view pfad);
std::string DateiNichtGeladen(std::string_view pfad);
// A time factor outside 0.001 … 10 in the second settings file.
std::string SimulationsZeitFaktorUngueltig(std::string_view pfad);
std::string DateiNichtErzeugt(std::string_view pfad);
std::string FehlerBeimSpeichern(std::string_view pfad);

// --- Block scanner ----------------------------------------------------------
// Unbekanntes Zeichen: " x " in <block>
std::string UnbekanntesZeichen(char zeichen, std::string_view satz);
std::string FehlenderZahlenwert();
std::string FehlerInSatz(std::string_view satz);
std::string FehlenderKommentartext();
std::string FehlenderText();
std::string FehlenderUnterprogrammName();
// The line followed directly by the text, without a blank.
std::string FraestiefenFehler(std::string_view zeile);
std::string DateiNichtGefunden(std::string_view pfad);
std::string KeinTeileprogramm();

// --- G-code import ------------------------------------------------------------
// "Zeile N: text": a note of the conversion with its source line.
std::string ImportHinweis(int zeile, std::string_view text);
// "X a…b Y c…d Z e…f mm" from the six numbers as already written.
std::string ImportAusdehnung(std::string_view xmin, std::string_view xmax, std::string_view ymin,
                             std::string_view ymax, std::string_view zmin, std::string_view zmax);
std::string ImportOhneBewegung();
// The window's summary after an import: where the program went, how many
// blocks, the extents; then the heading of the notes and the count of those
// not shown.
std::string ImportErgebnis(std::string_view quelle, std::string_view ziel, std::size_t bloecke,
                           std::string_view ausdehnung);
std::string ImportHinweiseKopf();
std::string ImportWeitereHinweise(std::size_t anzahl);
std::string ImportErsetzenFrage(std::string_view pfad);
std::string ImportZielGleichQuelle(std::string_view pfad);

// --- Geometry ---------------------------------------------------------------
std::string MaschinenkoordinatenErwartet();
std::string KeineHexZahl();
std::string KeineBinaerZahl();
std::string KeineBinaerzahlDeutsch();
std::string KreisInitialisierungFehler();
std::string WinkelberechnungFehler();
std::string KreisdatenFehlerhaft(std::string_view satz);
std::string KeinSchnittpunktKreisGerade();
std::string KeinSchnittpunktKreisGeradeSenkrecht();
std::string OrdinatenGleich();
std::string KeinSchnittpunktKreisbahnen();
std::string DerselbeMittelpunkt();
std::string NaechsterNCSatz();

// --- Machine link -----------------------------------------------------------
std::string IselFehlermeldung(std::string_view antwort, std::string_view tabellentext);
std::string PositionsfeldFehler(char achse);
std::string PositionKommunikationsfehler(int port);
std::string ReferenzgeschwindigkeitFehler();
std::string InterpolationsebeneFehler();
std::string NotausBeiReferenzfahrt();
std::string IselAntwortetNicht(std::string_view befehl, std::int64_t grenzeMs);
std::string IselKeineVerbindung(int port);
std::string ReferenzfahrtNichtAbgeschlossen(std::string_view antwort,
                                            std::string_view tabellentext);

// --- Graphics ---------------------------------------------------------------
std::string UnbekannterLinienstil();
std::string FarbnummerGeaendert();
std::string BakDateiFehler();
std::string NummernDateiFehler();
std::string ZuVieleSicherungsdateien();
std::string GrafikSpeichernFrage(std::string_view dateiname);

// --- Tools ------------------------------------------------------------------
std::string WkzKeinSpeicher(bool listeLeer);
std::string WkzNichtGeloescht();
std::string WkzDateiNichtGeladen(std::string_view pfad);
std::string WkzNummerFehler();
std::string WkzLaengeFehler();
std::string WkzNutzlaengeFehler();
std::string WkzDurchmesserFehler();
std::string WkzFarbeFehler();
// One of the messages above for a tool that is skipped, with its number.
std::string WkzEintragUebersprungen(std::string_view fehler, int nummer);
// A listed tool with a negative length or diameter; it is not loaded.
std::string WkzLaengeNegativ(int nummer);
std::string WkzDurchmesserNegativ(int nummer);
std::string ZeichenfarbeSchwarz();
std::string WkzNichtInListe(int nummer);
std::string WkzAnzeigeWerkzeug(int nummer, std::string_view benennung);
std::string WkzAnzeigeLaenge(std::string_view laenge);
std::string WkzAnzeigeDurchmesser(std::string_view durchmesser);

// --- Fonts ------------------------------------------------------------------
std::string GravurtextFehlt();
std::string ZeichensatzNichtGeladen();
std::string ZeichensatzFormat(std::string_view datei);
std::string ZeichensatzUebergabeFehler();
std::string ZeichensatzUebernehmen();

// --- Interpreter ------------------------------------------------------------
std::string BereichVerlassen();
std::string UnbekannterGBefehl(std::int32_t nummer);
std::string UnbekannterMBefehl(std::int32_t nummer);
// "Fehler bei der Ebenenwahl! (G170)" and its siblings.
std::string EbenenwahlFehler(std::int32_t gNummer);
std::string ProgrammStopp();
std::string ProgrammendeM30(bool korrekturAktiv);
std::string WkzWechselImUnterprogramm();
std::string KeineWerkzeuge();
std::string WerkzeugNichtBekannt(std::int32_t nummer);
// The tool-change question; the numbers come formatted.
std::string WerkzeugEinsetzen(std::int32_t nummer, std::string_view laenge,
                              std::string_view durchmesser, std::string_view drehzahl,
                              std::uint8_t ebene);
std::string BearbeitungAbgebrochen();
std::string KreiskonturFehler(std::string_view satz);
std::string SchriftNichtHerstellbar();
std::string FehlerhafterDurchmesser();
std::string ReferenzNichtAngefahren();
std::string AnwahlsatzNichtGefunden();
std::string Schrittbetrieb();
std::string Weiter();
std::string Beenden();
std::string BearbeitungAbbrechenFrage(std::string_view dateiname);
std::string UnterprogrammNichtGefunden();
std::string UnterprogrammSpeichermangel(std::string_view satzanfang);
std::string LaufBereitsAktiv();
// Captions and fixed texts of the coordinate fields and the velocity label.
std::string ZielpunktW();
std::string PositionW();
std::string ZielpunktM();
std::string PositionM();
// The hint of a jog step button ('<', '-', '+', '>') with its distance.
std::string TippSchrittHinweis(char zeichen, std::string_view betrag);
// The coordinate fields' mark for a position not known, with the locale's separator.
std::string UnbekanntePosition(const Zahlenformat& format);
std::string Referenzgeschwindigkeit();
std::string VerfahrgeschwindigkeitG00();
std::string VerfahrgeschwindigkeitG01();
// --- Manual positioning -----------------------------------------------------
std::string ReferenzOderWerkzeugFehlt();
std::string ReferenzOderAchseFehlt();
std::string NullpunktNichtGesetzt();
std::string NullpunktNichtGewaehlt();
std::string PunktAusserhalbAbbruch();
std::string PunktAusserhalbVerfahrbereich();
std::string KeineAktiveAchse();
std::string NullpunktWirdAngefahren();
std::string FalschesZeichen();

// --- Machining cycles and engraving ----------------------------------------
std::string LochkreisOhneBohrungen();
std::string KreistascheNichtHerstellbar();
// The island message; its stored text holds one more byte, 0x81, after the "ü".
std::string InselradiusZuGross();
std::string RechtecktascheNichtHerstellbar();
std::string ZustellungNichtPositiv();
std::string KeinZeichensatz();
std::string BohrenNichtMoeglich();
// The question before drilling at the tool position; the depth comes formatted.
std::string BohrenAnWerkzeugposition(std::string_view tiefe);

// --- Setting dialogs --------------------------------------------------------
std::string GeschwindigkeitUnzulaessigeZeichen();
// The allowed velocity range of an axis; both bounds come formatted.
std::string GeschwindigkeitsBereich(std::string_view vMin, std::string_view vMax);
std::string FalschesZeichenMaschinendaten();
// A spindle length or pitch that is not greater than 0; achse is 'x', 'y' or 'z'.
std::string SpindellaengeNichtPositiv(char achse);
std::string SpindelsteigungNichtPositiv(char achse);
// The first character of a drilling depth that is not a sign, comma or digit.
std::string FalschesZeichenBohrtiefe(char zeichen);
std::string BohrtiefeBereich();
// Feed and speed ranges; the bounds come formatted.
std::string VorschubBereich(std::string_view min, std::string_view max);
std::string DrehzahlBereich(std::string_view min, std::string_view max);
std::string OhneHaftungsausschluss();

} // namespace korvx::meldung

// --- Main window ------------------------------------------------------------
namespace korvx::meldung {
std::string Datenuebertragungsfehler();
std::string ReferenzOderNullpunktFehlt();
std::string SchrittbetriebFrage(bool jetztEin);
std::string TestanzeigeFrage(bool jetztEin);
std::string AlteSchutzzoneBleibt();
std::string GrafikLoeschenFrage();
// Closing the window while a part program (true) or a move runs.
std::string BeendenWaehrendLaufFrage(bool programm);
std::string HaftungFrage();
std::string HaftungAbgelehnt();
std::string NochNichtVerfuegbar(std::string_view fenster);
std::string LaufSperre();
std::string TitelNullpunktM();
std::string TitelWerkzeugpositionW();
std::string TitelReferenzfahren();
// Added to status line 1 from an emergency stop until the next reference run.
std::string ReferenzfahrtNoetig();
// --- Forms: start block, point entry, jog, version ----------------------------
std::string UeberschriftNullpunkt();
std::string UeberschriftZielpunkt();
// The protection-zone corner's heading: lower (true) or upper corner.
std::string UeberschriftSchutzzone(bool unten);
// The point form's tool labels; the numbers come formatted.
std::string PunktformLaenge(std::string_view laenge);
std::string PunktformDurchmesser(std::string_view durchmesser);
// "Version 26.12.08" from the program file's date: year, month, day.
std::string VersionsZeile(int jahr, int monat, int tag);
std::string VersionUnbekannt();
// "Version 0.1": the package version, as the version and about boxes show it.
std::string PaketVersionsZeile(std::string_view version);

} // namespace korvx::meldung

// --- Graphic dialogs and the font viewer -----------------------------------
namespace korvx::meldung {
// A lower display limit that is not below its upper one; the field names
// ("xmin", "xmax") come as given.
std::string GrenzeNichtKleiner(std::string_view unten, std::string_view oben);
// A tick spacing that is not greater than 0; achse is 'x' or 'y'.
std::string SkalenweiteNichtPositiv(char achse);
std::string GeaenderteWerteSpeichern();
std::string GeaenderteWerteVerwerfen();
std::string ReferenzfahrtErforderlich();
std::string AenderungVerwerfen();
// The font viewer's label of the test text's limit, and the message when it is exceeded.
std::string TesttextBeschriftung(int maxZeichen);
std::string TesttextZuLang(int maxZeichen);
std::string TesttextAusgabeFehler();
std::string ZeichensatzWaehlenHinweis();
std::string VerkleinerungNichtMoeglich();
std::string DruckenAbgebrochen();
// "25 Zeichenhöhe: name" (image hint and label of the font viewer).
std::string Zeichenhoehe(int hoehe, std::string_view name);
// The first line of the viewer's character table and character list.
std::string ZeichensatzKopfzeile(std::string_view name);
// --- Part program editor ------------------------------------------------------
// The question of "Neu": for an empty text, for one with changes that can be
// undone, and for any other text.
std::string EditorNeuLeer();
std::string EditorNeuSpeichern();
std::string EditorNeuLoeschen();
std::string EditorSpeichernFrage();
// Closing the editor or opening another file with unsaved changes.
std::string EditorAenderungenSpeichernFrage();
std::string KeineWeitereUebereinstimmung();

// --- Tool windows: colour dialog, tool choice, tool entry ----------------------
std::string FarbeUebernehmenFrage();
std::string WkzNummerBereich();
std::string WkzNummerBelegt();
std::string FarbnummerBereich();
std::string ZeichenfarbeNichtUebernommen();
std::string WkzListeLoeschenFrage();
// "Werkzeug <text> löschen?" with the number field's text as typed.
std::string WkzLoeschenFrage(std::string_view nummer);
std::string EingabefelderLoeschenFrage();
std::string WkzZuLoeschenNichtGefunden();
std::string WkzNummerDoppelt(int nummer);
std::string ZellfarbeFehler();
// A negative length, useful length or diameter; `spalte` is the grid column.
std::string WkzWertNegativ(std::string_view spalte);

} // namespace korvx::meldung

// --- Serial port and start folder ---------------------------------------------
namespace korvx::meldung {
// A port that may not be opened: the device, the group that may open it
// ("" when unknown: "dialout", the usual one) and how the user gets into it
// (a new login follows).
std::string PortKeineBerechtigung(std::string_view geraet, std::string_view gruppe,
                                  std::string_view benutzer);
// A device that is not there (an unplugged USB adapter, a dangling COMn link).
std::string PortFehlt(std::string_view geraet);
// A device that appeared after the ports were probed at the start.
std::string PortNachDemStart(std::string_view geraet);
// A device another program holds.
std::string PortBelegt(std::string_view geraet);
// A path that is no serial line (a plain file, /dev/null).
std::string PortKeineSchnittstelle(std::string_view geraet);
// Any other failure, with the system's error number.
std::string PortNichtGeoeffnet(std::string_view geraet, int fehlernummer);
// The settings dialog: replace an existing COMn entry by a link to `geraet`?
std::string PortVerknuepfungErsetzen(std::string_view eintrag, std::string_view bisher,
                                     std::string_view geraet);
std::string PortVerknuepfungNichtAngelegt(std::string_view eintrag, std::string_view geraet);
// The start folder of a start from the desktop menu could not be made.
std::string StartordnerNichtAngelegt(std::string_view ordner);
} // namespace korvx::meldung
