#include "app/Optionen.h"

#include "interpreter/Bewegung.h"
#include "interpreter/BlockList.h"
#include "state/Dateien.h"
#include "state/Text.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace korvx::app {

namespace {

bool GanzzahlAus(const std::string& text, std::int32_t min, std::int32_t max, std::int32_t& wert) {
    std::int64_t zahl = 0;
    const auto [ende, ec] = std::from_chars(text.data(), text.data() + text.size(), zahl);
    if (ec != std::errc() || ende != text.data() + text.size() || zahl < min || zahl > max) {
        return false;
    }
    wert = static_cast<std::int32_t>(zahl);
    return true;
}

bool ZahlAus(const std::string& text, double& wert) {
    const char* anfang = text.data();
    if (!text.empty() && text[0] == '+') {
        ++anfang;
    }
    const auto [ende, ec] = std::from_chars(anfang, text.data() + text.size(), wert);
    return ec == std::errc() && ende == text.data() + text.size() && std::isfinite(wert);
}

std::vector<std::string> Teilen(const std::string& text, char trenner) {
    std::vector<std::string> teile;
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t t = text.find(trenner, anfang);
        teile.push_back(text.substr(anfang, t == std::string::npos ? t : t - anfang));
        if (t == std::string::npos) {
            return teile;
        }
        anfang = t + 1;
    }
}

std::string Klein(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

bool EndetMit(const std::string& s, const std::string& ende) {
    return s.size() >= ende.size() && s.compare(s.size() - ende.size(), ende.size(), ende) == 0;
}

} // namespace

std::optional<Optionen> OptionenLesen(const std::vector<std::string>& argumente,
                                      std::string& fehler) {
    Optionen o;
    std::vector<std::string> programme;
    bool nurNochDateien = false;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string arg = argumente[i];
        if (nurNochDateien || arg.size() < 2 || arg[0] != '-') {
            programme.push_back(arg);
            continue;
        }
        if (arg == "--") {
            nurNochDateien = true;
            continue;
        }
        if (arg[1] != '-') {
            fehler = "Unbekannte Option " + arg;
            return std::nullopt;
        }
        std::optional<std::string> eingebettet;
        if (const std::size_t gleich = arg.find('='); gleich != std::string::npos) {
            eingebettet = arg.substr(gleich + 1);
            arg.erase(gleich);
        }
        // The value of an option that takes one.
        auto wert = [&]() -> std::optional<std::string> {
            if (eingebettet) {
                return eingebettet;
            }
            if (i + 1 >= argumente.size()) {
                fehler = "Option " + arg + " braucht einen Wert";
                return std::nullopt;
            }
            return argumente[++i];
        };
        auto schalter = [&]() {
            if (eingebettet) {
                fehler = "Option " + arg + " nimmt keinen Wert";
                return false;
            }
            return true;
        };
        auto falsch = [&](const std::string& text, const std::string& erwartet) {
            fehler = "Falscher Wert für " + arg + ": \"" + text + "\" (erwartet: " + erwartet + ")";
            return std::nullopt;
        };

        if (arg == "--check" || arg == "--yes" || arg == "--no" || arg == "--step" ||
            arg == "--realtime" || arg == "--trace" || arg == "--rs274" || arg == "--help" ||
            arg == "--version" || arg == "--last-zero" || arg == "--preflight") {
            if (!schalter()) {
                return std::nullopt;
            }
            if (arg == "--check") {
                o.pruefen = true;
            } else if (arg == "--yes") {
                o.standardAntwort = true;
            } else if (arg == "--no") {
                o.standardAntwort = false;
            } else if (arg == "--step") {
                o.schrittbetrieb = true;
            } else if (arg == "--realtime") {
                o.echtzeit = true;
            } else if (arg == "--trace") {
                o.trace = true;
            } else if (arg == "--version") {
                o.version = true;
            } else if (arg == "--rs274") {
                o.rs274 = true;
            } else if (arg == "--last-zero") {
                o.letzterNullpunkt = true;
            } else if (arg == "--preflight") {
                o.vorpruefen = true;
            } else {
                o.hilfe = true;
            }
            continue;
        }
        const bool bekannt = arg == "--start-dir" || arg == "--mode" || arg == "--answers" ||
                             arg == "--zero" || arg == "--tool" || arg == "--font" ||
                             arg == "--start-block" || arg == "--image" || arg == "--image-size" ||
                             arg == "--port" || arg == "--feed-override" || arg == "--resume-at";
        if (!bekannt) {
            fehler = "Unbekannte Option " + arg;
            return std::nullopt;
        }
        const auto v = wert();
        if (!v) {
            return std::nullopt;
        }
        if (v->empty()) {
            fehler = "Option " + arg + " braucht einen Wert";
            return std::nullopt;
        }
        if (arg == "--start-dir") {
            o.startVerzeichnis = *v;
        } else if (arg == "--mode") {
            if (*v == "sim") {
                o.grafikmodus = Grafikart::Simulation;
            } else if (*v == "parallel") {
                o.grafikmodus = Grafikart::Parallel;
            } else if (*v == "machine") {
                o.grafikmodus = Grafikart::Aus;
            } else {
                return falsch(*v, "sim, parallel oder machine");
            }
        } else if (arg == "--answers") {
            o.antwortDatei = *v;
        } else if (arg == "--zero") {
            const auto teile = Teilen(*v, ',');
            TPunkt3D p;
            if (teile.size() != 3 || !ZahlAus(teile[0], p.x) || !ZahlAus(teile[1], p.y) ||
                !ZahlAus(teile[2], p.z)) {
                return falsch(*v, "X,Y,Z in mm mit Punkt als Dezimaltrenner");
            }
            o.nullpunkt = p;
        } else if (arg == "--tool") {
            std::int32_t n = 0;
            if (!GanzzahlAus(*v, 1, 255, n)) {
                return falsch(*v, "Werkzeugnummer 1 bis 255");
            }
            o.werkzeug = n;
        } else if (arg == "--font") {
            o.zeichensatz = *v;
        } else if (arg == "--start-block") {
            std::int32_t n = 0;
            if (!GanzzahlAus(*v, 0, INT32_MAX, n)) {
                return falsch(*v, "Satznummer 0 bis 2147483647");
            }
            o.anwahlsatz = n;
        } else if (arg == "--resume-at") {
            std::int32_t n = 0;
            if (!GanzzahlAus(*v, 1, 99999, n)) {
                return falsch(*v, "Satznummer 1 bis 99999");
            }
            o.fortsetzenAb = n;
        } else if (arg == "--image") {
            const std::string klein = Klein(*v);
            if (!EndetMit(klein, ".bmp") && !EndetMit(klein, ".png")) {
                return falsch(*v, "Dateiname mit .bmp oder .png");
            }
            o.bild = *v;
        } else if (arg == "--image-size") {
            const auto teile = Teilen(Klein(*v), 'x');
            if (teile.size() != 2 || !GanzzahlAus(teile[0], 1, 20000, o.bildBreite) ||
                !GanzzahlAus(teile[1], 1, 20000, o.bildHoehe)) {
                return falsch(*v, "BREITExHÖHE in Pixeln, je 1 bis 20000");
            }
        } else if (arg == "--feed-override") {
            std::int32_t n = 0;
            if (!GanzzahlAus(*v, kVorschubMin, kVorschubMax, n) || !VorschubGueltig(n)) {
                return falsch(*v, "Vorschub in Prozent, 10 bis 200 in Zehnerschritten");
            }
            o.vorschubProzent = n;
        } else {
            o.port = *v;
        }
    }
    if (o.hilfe || o.version) {
        return o;
    }
    if (o.fortsetzenAb && o.anwahlsatz) {
        fehler = "--resume-at und --start-block schließen einander aus";
        return std::nullopt;
    }
    if (o.letzterNullpunkt && o.nullpunkt) {
        fehler = "--last-zero und --zero schließen einander aus";
        return std::nullopt;
    }
    if (programme.empty()) {
        fehler = "Kein Teileprogramm angegeben";
        return std::nullopt;
    }
    if (programme.size() > 1) {
        fehler = "Mehr als ein Teileprogramm angegeben: " + programme[1];
        return std::nullopt;
    }
    o.programm = programme[0];
    return o;
}

std::optional<std::deque<bool>> AntwortenLesen(const std::string& pfad, std::string& fehler) {
    // The path comes from the command line in UTF-8; the file layer takes
    // Windows-1252 text.
    const auto inhalt = DateiLesen(NachCp1252(pfad));
    if (!inhalt) {
        fehler = "Antwortdatei " + pfad + " nicht lesbar";
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(inhalt->data()), inhalt->size());
    std::deque<bool> antworten;
    std::size_t nummer = 0;
    for (std::string_view zeile : DateiZeilenTeilen(text)) {
        ++nummer;
        while (!zeile.empty() && (zeile.front() == ' ' || zeile.front() == '\t')) {
            zeile.remove_prefix(1);
        }
        while (!zeile.empty() && (zeile.back() == ' ' || zeile.back() == '\t')) {
            zeile.remove_suffix(1);
        }
        if (zeile.empty()) {
            continue;
        }
        if (zeile == "ja") {
            antworten.push_back(true);
        } else if (zeile == "nein") {
            antworten.push_back(false);
        } else {
            fehler = "Antwortdatei " + pfad + ", Zeile " + std::to_string(nummer) +
                     ": \"ja\" oder \"nein\" erwartet";
            return std::nullopt;
        }
    }
    return antworten;
}

std::string Aufruf() {
    return "Aufruf: korvx-run [Optionen] PROGRAMM.CNC\n"
           "  --start-dir DIR       Ordner der Einstellungs- und Werkzeugdateien (nur gelesen)\n"
           "  --check               alle Sätze prüfen, nach einem Fehler weiter; nichts fährt\n"
           "  --preflight           ganzen Lauf vorab prüfen (Schutzzone, Fehler, Werkzeuge,\n"
           "                        Ausdehnung, Laufzeit); nichts wird gesendet\n"
           "  --mode sim|parallel|machine   Grafikmodus (Standard sim)\n"
           "  --yes | --no          Antwort auf jede Ja/Nein-Frage (Standard ja)\n"
           "  --answers DATEI       Antworten der Reihe nach, je Zeile \"ja\" oder \"nein\"\n"
           "  --zero X,Y,Z          Werkstücknullpunkt in Maschinenkoordinaten (mm)\n"
           "  --tool N              Werkzeug N der Werkzeugliste einsetzen\n"
           "  --font DATEI          Gravurzeichensatz\n"
           "  --start-block N       Anwahlsatz\n"
           "  --resume-at N         ab Satz N fortsetzen: die Sätze davor stellen den Zustand\n"
           "                        her, ohne zu fahren; dann Anfahrt und Lauf ab Satz N\n"
           "  --last-zero           nach der Referenzfahrt den in Korvelantrix.DAT\n"
           "                        gespeicherten Werkstücknullpunkt übernehmen\n"
           "  --step                Schrittbetrieb, jeder Halt mit \"Weiter\"\n"
           "  --image DATEI         Grafik nach dem Lauf speichern (.bmp oder .png)\n"
           "  --image-size BxH      Größe der Grafik (Standard 800x600)\n"
           "  --realtime            simulierte Fahrzeiten abwarten\n"
           "  --feed-override P     Vorschub der Arbeitsbewegungen in Prozent, 10 bis 200 in\n"
           "                        Zehnerschritten (Standard 100)\n"
           "  --port GERÄT          Steuerung für die Maschinenmodi\n"
           "  --trace               jedes Ereignis in einer Zeile\n"
           "  --rs274               PROGRAMM ist G-Code (RS274/NGC) und wird vor dem Lauf\n"
           "                        umgesetzt; ebenso jede Datei .nc, .ngc, .gcode, .gc, .tap\n"
           "  --help                diese Hilfe\n"
           "  --version             Version ausgeben\n"
           "Exit-Status: 0 normales Ende oder M30, 1 Fehler/Abbruch/Schutzzone\n"
           "(--check: Syntaxfehler gefunden; --preflight: Fehler oder Schutzzone),\n"
           "2 Start nicht möglich.\n";
}

} // namespace korvx::app
