#include "app/Programmaufruf.h"

#include <string_view>

namespace korvx::app {

namespace {

// Options of Qt's own, which it also takes with two dashes.
bool QtOption(const std::string& arg) {
    static constexpr std::string_view kNamen[] = {"platform",        "platformpluginpath",
                                                  "platformtheme",   "plugin",
                                                  "qwindowgeometry", "qwindowicon",
                                                  "qwindowtitle",    "reverse",
                                                  "session",         "style",
                                                  "stylesheet",      "widgetcount",
                                                  "display",         "geometry",
                                                  "title",           "name",
                                                  "visual",          "nograb",
                                                  "dograb",          "sync",
                                                  "qmljsdebugger"};
    const std::string_view name = std::string_view(arg).substr(2, arg.find('=') - 2);
    for (const std::string_view n : kNamen) {
        if (name == n) {
            return true;
        }
    }
    return false;
}

} // namespace

Fensteraufruf FensteraufrufLesen(const std::vector<std::string>& argumente, bool mitMenue) {
    Fensteraufruf a;
    for (const std::string& arg : argumente) {
        if (arg == "--help" || arg == "-h") {
            a.hilfe = true;
        } else if (arg == "--version") {
            a.version = true;
        } else if (mitMenue && arg == "--aus-menue") {
            a.ausMenue = true;
        } else if (arg.starts_with("--") && arg.size() > 2 && !QtOption(arg) &&
                   a.unbekannt.empty()) {
            a.unbekannt = arg;
        }
    }
    return a;
}

std::string FensterHilfe() {
    return "Aufruf: korvelantrix [--aus-menue]\n"
           "Fräsen, Bohren und Gravieren im DNC-Betrieb mit einer isel-Steuerung.\n"
           "Das Programm arbeitet im aktuellen Ordner als Startordner: dort liegen die\n"
           "Einstellungen (Korvelantrix.CNF, Korvelantrix.DAT), die Werkzeugliste und die\n"
           "Verknüpfungen COM1 … COM4 zu den seriellen Schnittstellen.\n"
           "  --aus-menue   im eigenen Startordner arbeiten: $KORVX_START oder\n"
           "                ~/Korvelantrix, beim ersten Start mit den Beispielen und dem\n"
           "                Zeichensatz angelegt (so startet das Desktop-Menü das Programm)\n"
           "  --help        diese Hilfe\n"
           "  --version     Version ausgeben\n"
           "Dazu die Optionen von Qt, zum Beispiel -platform offscreen.\n";
}

std::string SchriftansichtHilfe() {
    return "Aufruf: korvx-fontview\n"
           "Zeigt und druckt Gravurzeichensätze (.FNT) ohne das Hauptprogramm (ZizeDozo).\n"
           "Ein in \"CurrentFont.TMP\" im aktuellen Ordner übergebener Zeichensatz wird\n"
           "beim Öffnen gezeigt.\n"
           "  --help        diese Hilfe\n"
           "  --version     Version ausgeben\n"
           "Dazu die Optionen von Qt, zum Beispiel -platform offscreen.\n";
}

} // namespace korvx::app
