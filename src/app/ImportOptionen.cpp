#include "app/ImportOptionen.h"

namespace korvx::app {

std::optional<ImportOptionen> ImportOptionenLesen(const std::vector<std::string>& argumente,
                                                  std::string& fehler) {
    ImportOptionen o;
    std::vector<std::string> dateien;
    bool nurNochDateien = false;
    for (const std::string& arg : argumente) {
        if (nurNochDateien || arg.size() < 2 || arg[0] != '-') {
            dateien.push_back(arg);
        } else if (arg == "--") {
            nurNochDateien = true;
        } else if (arg == "--force") {
            o.ersetzen = true;
        } else if (arg == "--3d") {
            o.raum3D = true;
        } else if (arg == "--help") {
            o.hilfe = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg.rfind("--force=", 0) == 0 || arg.rfind("--3d=", 0) == 0 ||
                   arg.rfind("--help=", 0) == 0 || arg.rfind("--version=", 0) == 0) {
            fehler = "Option " + arg.substr(0, arg.find('=')) + " nimmt keinen Wert";
            return std::nullopt;
        } else {
            fehler = "Unbekannte Option " + arg;
            return std::nullopt;
        }
    }
    if (o.hilfe || o.version) {
        return o;
    }
    if (dateien.empty()) {
        fehler = "Keine G-Code-Datei angegeben";
        return std::nullopt;
    }
    if (dateien.size() > 2) {
        fehler = "Mehr als zwei Dateien angegeben: " + dateien[2];
        return std::nullopt;
    }
    o.quelle = dateien[0];
    if (dateien.size() == 2) {
        o.ziel = dateien[1];
    }
    return o;
}

std::string ImportAufruf() {
    return "Aufruf: korvx-import [Optionen] EIN.ngc [AUS.CNC]\n"
           "Setzt G-Code (RS274/NGC, wie ihn CAM-Programme schreiben) in ein Teileprogramm\n"
           "um. AUS ist ohne Angabe EIN mit der Endung .CNC im selben Ordner.\n"
           "  --force               eine vorhandene Datei AUS ersetzen (alte als .BAK)\n"
           "  --3d                  für den 3D-Modus der Steuerung (x, y, z zusammen);\n"
           "                        sonst fährt z getrennt von x/y wie in der x-y-Ebene\n"
           "  --help                diese Hilfe\n"
           "  --version             Version ausgeben\n"
           "Ausgabe: \"note: Zeile N: ...\" je Hinweis, \"message: ...\" bei Ablehnung,\n"
           "sonst \"written: AUS blocks=N extent: X a…b Y c…d Z e…f mm\".\n"
           "Exit-Status: 0 geschrieben, 1 abgelehnt oder nicht geschrieben,\n"
           "2 Start nicht möglich (Aufruf, EIN fehlt, AUS vorhanden ohne --force).\n";
}

} // namespace korvx::app
