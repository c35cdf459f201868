#include "state/MeldungenRs274.h"

#include "state/Meldungen.h"

namespace korvx::meldung {

namespace {

std::string_view GrundText(Rs274Grund grund) {
    switch (grund) {
    case Rs274Grund::Parameter:
        return "Parameter werden nicht unterstützt";
    case Rs274Grund::Ausdruck:
        return "Ausdrücke in [ ] werden nicht unterstützt";
    case Rs274Grund::Unterprogramm:
        return "Unterprogramme und Schleifen werden nicht unterstützt";
    case Rs274Grund::Tabellen:
        return "Tabellen (G10) werden nicht unterstützt";
    case Rs274Grund::Referenzpunkt:
        return "Anfahren eines Referenzpunkts wird nicht unterstützt";
    case Rs274Grund::Antasten:
        return "Antasten wird nicht unterstützt";
    case Rs274Grund::Radiuskorrektur:
        return "Fräserradiuskorrektur wird nicht unterstützt";
    case Rs274Grund::Maschinenkoordinaten:
        return "Maschinenkoordinaten werden nicht unterstützt";
    case Rs274Grund::WeitereNullpunkte:
        return "weitere Nullpunkte werden nicht unterstützt, nur G54";
    case Rs274Grund::Verschiebung:
        return "Nullpunktverschiebungen werden nicht unterstützt";
    case Rs274Grund::Gewinde:
        return "Gewindezyklen werden nicht unterstützt";
    case Rs274Grund::InverseZeit:
        return "Vorschub in inverser Zeit wird nicht unterstützt";
    case Rs274Grund::Achse:
        return "die Maschine hat nur die Achsen X, Y und Z";
    case Rs274Grund::Satzausblendung:
        return "Satzausblendung wird nicht unterstützt";
    case Rs274Grund::Unbekannt:
        return "unbekanntes oder nicht unterstütztes Wort";
    case Rs274Grund::OhneZahl:
        return "Zahlenwert fehlt oder ist falsch geschrieben";
    case Rs274Grund::KommentarOffen:
        return "Kommentar ohne schließende Klammer";
    case Rs274Grund::Doppelt:
        return "Wort zweimal im selben Satz";
    case Rs274Grund::GleicheGruppe:
        return "zwei Befehle derselben Gruppe im selben Satz";
    case Rs274Grund::Negativ:
        return "negativer Wert";
    case Rs274Grund::KeineGanzzahl:
        return "ganze Zahl erwartet";
    case Rs274Grund::ZahlZuGross:
        return "Wert außerhalb von ±99999 mm";
    case Rs274Grund::OhneBewegung:
        return "Koordinate ohne Bewegungsbefehl (G0, G1, G2, G3 oder Bohrzyklus)";
    case Rs274Grund::OhneVorschub:
        return "Vorschubbewegung ohne Vorschub F";
    case Rs274Grund::BogenOhneMitte:
        return "Kreisbogen ohne I, J oder R";
    case Rs274Grund::BogenGemischt:
        return "Kreisbogen mit R und zugleich I, J oder K";
    case Rs274Grund::BogenEndeNeben:
        return "das Kreisende liegt nicht auf dem Kreis";
    case Rs274Grund::BogenRadiusNull:
        return "Kreisbogen mit Radius 0";
    case Rs274Grund::BogenRadiusKlein:
        return "der Radius R ist zu klein, um den Endpunkt zu erreichen";
    case Rs274Grund::BogenOhneEnde:
        return "Kreisbogen mit R endet an seinem Anfang";
    case Rs274Grund::BogenWindungen:
        return "Kreisbögen mit mehreren Windungen (P) werden nicht unterstützt";
    case Rs274Grund::ZyklusOhneZ:
        return "Bohrzyklus ohne Z";
    case Rs274Grund::ZyklusOhneR:
        return "Bohrzyklus ohne R";
    case Rs274Grund::ZyklusROhneZ:
        return "im Bohrzyklus liegt R unter Z";
    case Rs274Grund::ZyklusOhneQ:
        return "Tieflochbohren ohne Zustelltiefe Q größer als 0";
    case Rs274Grund::ZyklusEbene:
        return "Bohrzyklen werden nur in der x-y-Ebene (G17) unterstützt";
    case Rs274Grund::WortOhneNutzen:
        return "kein Befehl des Satzes verwendet dieses Wort";
    case Rs274Grund::ZuLang:
        return "das umgesetzte Programm würde zu lang";
    }
    return "";
}

} // namespace

std::string Rs274Ablehnung(int zeile, std::string_view wort, Rs274Grund grund) {
    std::string s = "Zeile " + std::to_string(zeile);
    if (!wort.empty()) {
        s.append(", ").append(wort);
    }
    s.append(": ").append(T(GrundText(grund))).append(T(". Die Datei wurde nicht umgesetzt."));
    return s;
}

std::string Rs274Kopf(std::string_view quellname, bool zoll) {
    std::string s = "Import aus ";
    s.append(quellname.empty() ? std::string_view("RS274/NGC") : quellname);
    if (zoll) {
        s.append(", Zoll umgerechnet");
    }
    return s;
}

std::string Rs274Entfernt(std::string_view wort) {
    return Verbinden("", wort, " entfernt");
}
std::string Rs274Halt(std::string_view wort) {
    return Verbinden("", wort, " als M0 (Programm-Stopp)");
}
std::string Rs274Ende(std::string_view wort) {
    return Verbinden("", wort, " als M30 (Programmende)");
}
std::string Rs274NachEnde() {
    return T("Zeilen nach dem Programmende nicht umgesetzt");
}
std::string Rs274OhneM6(std::string_view twort) {
    return Verbinden("", twort, " ohne M6: kein Werkzeugwechsel");
}
std::string Rs274M6OhneT() {
    return "M6 ohne T entfernt";
}
std::string Rs274Zoll() {
    return T("Zoll (G20) in Millimeter umgerechnet");
}
std::string Rs274Vorschub() {
    return "Vorschub F von mm/min in m/min umgerechnet";
}
std::string Rs274BogenSehnen(std::string_view wort, int art) {
    switch (art) {
    case 0:
        return Verbinden("", wort, T(" als Geraden: Schraubenlinie (z ändert sich)"));
    case 1:
        return Verbinden("", wort, T(" als Geraden: Bogen in der Ebene G18 oder G19"));
    default:
        return Verbinden("", wort,
                         T(" als Geraden: der eigene Kreis wiche um mehr als 0,01 mm ab"));
    }
}
std::string Rs274EilgangGeteilt() {
    return T("Eilgang in x/y und z geteilt: beim Heben erst z, beim Senken erst x/y");
}
std::string Rs274RampeGeteilt() {
    return T("Vorschubbewegung in x/y und z in Stücke geteilt (je x/y, dann z; "
             "höchstens 0,01 mm neben der Geraden)");
}
std::string Rs274Raum3D() {
    return "Bewegungen in x/y und z ungeteilt (3D-Modus)";
}
std::string Rs274Zyklus(std::string_view wort) {
    return Verbinden("Bohrzyklus ", wort, " in Geraden G00/G01 umgesetzt");
}
std::string Rs274ZyklusVerweilzeit() {
    return "Verweilzeit P im Bohrzyklus entfernt";
}
std::string Rs274Anzahl(std::string_view text, long anzahl) {
    return std::string(text) + " (" + std::to_string(anzahl) + "-mal)";
}

} // namespace korvx::meldung
