// korvx-run: checks and runs part programs without a screen.
#include "anlage/Anlage.h"
#include "app/KonsolenBediener.h"
#include "app/Optionen.h"
#include "app/Pruefung.h"
#include "interpreter/BlockList.h"
#include "state/Dateien.h"
#include "state/Einstellungsdateien.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "tools/Werkzeugdatei.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Exit status: normal end or M30; ended by an error, abort or protection-zone
// violation (for --check: syntax errors found); could not start.
constexpr int kGut = 0;
constexpr int kFehler = 1;
constexpr int kNichtGestartet = 2;

int Abbruch(const std::string& text) {
    std::fprintf(stderr, "korvx-run: %s\n", text.c_str());
    return kNichtGestartet;
}

// The tool file as the program start reads it: when it exists the tool list
// is loaded, otherwise the list stays empty and no tool is in use. A relative
// name refers to the start folder.
void WerkzeugeLaden(korvx::Anlage& anlage) {
    auto& konfig = anlage.zustand.konfig;
    const std::string name = konfig.WerkzeugDatei.Text();
    const std::string pfad =
        (!name.empty() && name[0] != '/') ? anlage.zustand.StartVerzeichnis + name : name;
    if (!korvx::DateiExistiert(pfad)) {
        konfig.AktuellesWerkzeug = korvx::KeinWerkzeug();
        return;
    }
    konfig.WerkzeugDatei.Setzen(pfad);
    korvx::WkzDateiLesen(anlage);
    konfig.WerkzeugDatei.Setzen(name);
}

} // namespace

int main(int argc, char** argv) {
    using namespace korvx;
    const std::vector<std::string> argumente(argv + 1, argv + argc);
    std::string fehler;
    const auto optionen = app::OptionenLesen(argumente, fehler);
    if (!optionen) {
        std::fprintf(stderr, "korvx-run: %s\n%s", fehler.c_str(), app::Aufruf().c_str());
        return kNichtGestartet;
    }
    const app::Optionen& o = *optionen;
    if (o.hilfe) {
        std::fputs(app::Aufruf().c_str(), stdout);
        return kGut;
    }

    app::KonsolenBediener konsole(stdout, o.trace, o.echtzeit);
    konsole.standardAntwort = o.standardAntwort;
    konsole.schrittWeiter = o.schrittbetrieb;
    if (o.antwortDatei) {
        auto antworten = app::AntwortenLesen(*o.antwortDatei, fehler);
        if (!antworten) {
            return Abbruch(fehler);
        }
        konsole.antworten = std::move(*antworten);
    }

    Anlage anlage(konsole);
    auto& zustand = anlage.zustand;
    if (o.startVerzeichnis) {
        std::error_code ec;
        if (!std::filesystem::is_directory(*o.startVerzeichnis, ec)) {
            return Abbruch("Startverzeichnis " + *o.startVerzeichnis + " nicht gefunden");
        }
        zustand.StartVerzeichnis = NachCp1252(*o.startVerzeichnis);
        if (zustand.StartVerzeichnis.back() != '/') {
            zustand.StartVerzeichnis.push_back('/');
        }
    }
    // Read like the program start reads them; korvx-run never writes them.
    EinstellungenLaden(zustand, konsole);
    WerkzeugeLaden(anlage);
    zustand.konfig.Grafikmodus = o.grafikmodus;
    if (o.schrittbetrieb) {
        zustand.konfig.Schrittbetrieb = true;
    }
    if (o.anwahlsatz) {
        zustand.Anwahlsatz = *o.anwahlsatz;
    }

    const std::string programmPfad = NachCp1252(o.programm);
    auto programm = HauptprogrammLaden(programmPfad, konsole);
    if (!programm) {
        return kNichtGestartet;
    }
    anlage.programm = std::move(*programm);
    {
        std::error_code ec;
        const auto absolut = std::filesystem::absolute(o.programm, ec);
        zustand.konfig.TeileprogrammDatei.Setzen(ec ? programmPfad : NachCp1252(absolut.string()));
    }

    if (!o.pruefen) {
        return Abbruch("Die Ausführung von Teileprogrammen ist noch nicht verfügbar; "
                       "nur --check ist möglich.");
    }
    if (anlage.programm.Leer()) {
        konsole.Meldung(meldung::KeinTeileprogramm());
        return kNichtGestartet;
    }
    const app::Pruefergebnis ergebnis = app::ProgrammPruefen(anlage);
    const bool fehlerhaft = ergebnis.fehlerSaetze > 0;
    // Nothing moves in a check: no moves, no time, the positions of the start.
    const std::string ende =
        app::EndZeile(fehlerhaft ? "error" : "normal", static_cast<std::int64_t>(ergebnis.saetze),
                      0, 0, zustand.WerkzeugPositionW, zustand.PositionM);
    std::printf("%s\n", ende.c_str());
    return fehlerhaft ? kFehler : kGut;
}
