// korvx-run: checks and runs part programs without a screen.
#include "anlage/Anlage.h"
#include "app/KonsolenBediener.h"
#include "app/Konsolenaufruf.h"
#include "app/Optionen.h"
#include "app/ProtokollLeitung.h"
#include "app/Pruefung.h"
#include "app/Vorpruefung.h"
#include "geometry/Koordinaten.h"
#include "interpreter/BlockList.h"
#include "interpreter/Fortsetzen.h"
#include "interpreter/Gcodeimport.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/Programmlauf.h"
#include "interpreter/Programmpruefung.h"
#include "interpreter/Restzeit.h"
#include "machine/Isel.h"
#include "machine/Serial.h"
#include "machine/SerielleLeitung.h"
#include "state/Dateien.h"
#include "state/Einstellungsdateien.h"
#include "state/Meldungen.h"
#include "state/MeldungenFortsetzen.h"
#include "state/Text.h"
#include "tools/Werkzeugdatei.h"
#include "tools/Werkzeugliste.h"

#ifdef KORVX_RUN_BILD
#include "graphics/qt/BildLeinwand.h"

#include <QGuiApplication>
#endif

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Exit status: normal end or M30; ended by an error, abort or protection-zone
// violation (for --check: syntax errors found); could not start.
constexpr int kGut = korvx::app::kStatusGut;
constexpr int kFehler = korvx::app::kStatusFehler;
constexpr int kNichtGestartet = korvx::app::kStatusNichtGestartet;

// The operator's stop requests of a console run: SIGINT (Ctrl+C) is the
// Escape key, the emergency stop; SIGUSR1 a click on the abort button. The
// handlers only record them; the run acts on them when it processes events.
volatile std::sig_atomic_t gNotaus = 0;
volatile std::sig_atomic_t gAbbruchKnopf = 0;

extern "C" void NotausSignal(int) {
    gNotaus = 1;
}
extern "C" void AbbruchSignal(int) {
    gAbbruchKnopf = 1;
}

void StoppSignaleEinrichten() {
    struct sigaction sa {};
    sigemptyset(&sa.sa_mask);
    sa.sa_handler = NotausSignal;
    sigaction(SIGINT, &sa, nullptr);
    sa.sa_handler = AbbruchSignal;
    sigaction(SIGUSR1, &sa, nullptr);
}

int Abbruch(const std::string& text) {
    std::fprintf(stderr, "korvx-run: %s\n", text.c_str());
    return kNichtGestartet;
}

// A path from the command line (UTF-8) as a full path in Windows-1252.
std::string VollerPfad(const std::string& pfad) {
    std::error_code ec;
    const auto absolut = std::filesystem::absolute(pfad, ec);
    return korvx::NachCp1252(ec ? pfad : absolut.string());
}

// REASON of the end line for the reason the run ended.
const char* Grundtext(korvx::Stoppgrund grund) {
    switch (grund) {
    case korvx::Stoppgrund::Ende:
        return "normal";
    case korvx::Stoppgrund::M30:
        return "m30";
    case korvx::Stoppgrund::Abbruch:
    case korvx::Stoppgrund::Notaus:
        return "abort";
    case korvx::Stoppgrund::Bereich:
        return "range";
    case korvx::Stoppgrund::Fehler:
    case korvx::Stoppgrund::Keiner:
        break;
    }
    return "error";
}

#ifdef KORVX_RUN_BILD
void QtMeldungVerwerfen(QtMsgType, const QMessageLogContext&, const QString&) {}
#endif

// The end line of a run that could not start: nothing ran, the positions are
// those before the start.
int NichtGestartet(korvx::app::KonsolenBediener& konsole, const korvx::Maschinenzustand& zustand) {
    konsole.Ausgeben(
        korvx::app::EndZeile("error", 0, 0, 0, zustand.WerkzeugPositionW, zustand.PositionM));
    return kNichtGestartet;
}

} // namespace

int main(int argc, char** argv) {
    using namespace korvx;
    int aufrufStatus = kGut;
    const auto optionen = app::KonsolenaufrufLesen("korvx-run", argc, argv, app::OptionenLesen,
                                                   app::Aufruf(), aufrufStatus);
    if (!optionen) {
        return aufrufStatus;
    }
    const app::Optionen& o = *optionen;

#ifndef KORVX_RUN_BILD
    if (o.bild) {
        return Abbruch("Grafik kann nicht gespeichert werden: korvx-run ist ohne Qt gebaut.");
    }
#endif
    // With a controller on the line the reply waits are bounded by the clock,
    // so the machine modes run on the real one.
    if (o.pruefen && o.vorpruefen) {
        return Abbruch("--check und --preflight schließen einander aus");
    }
    // A check (syntax or whole run) sends nothing and opens no port.
    const bool maschine = !o.pruefen && !o.vorpruefen && MaschineBenutzt(o.grafikmodus);
    app::KonsolenBediener konsole(stdout, o.trace, o.echtzeit || maschine);
    konsole.standardAntwort = o.standardAntwort;
    konsole.schrittWeiter = o.schrittbetrieb;
    if (o.antwortDatei) {
        std::string fehler;
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
    WkzDateiBeimStartLesen(anlage);
    // The tool in use of the settings takes its entry in the list.
    WkzNachfuehren(anlage);
    zustand.konfig.Grafikmodus = o.grafikmodus;
    if (o.schrittbetrieb) {
        zustand.konfig.Schrittbetrieb = true;
    }
    if (o.anwahlsatz) {
        zustand.Anwahlsatz = *o.anwahlsatz;
    }
    anlage.lauf.vorschubProzent = o.vorschubProzent;

    const std::string programmPfad = NachCp1252(o.programm);
    std::optional<BlockList> programm;
    if (o.rs274 || rs274::IstRs274Name(programmPfad)) {
        // G-code is converted in memory with the plane setting the run will
        // use; the converted blocks then run like any part program.
        const auto umsetzung = app::GcodeUmsetzenUndMelden(
            programmPfad, zustand.Interpolationsebene == kEbene3D, konsole);
        if (!umsetzung) {
            return kNichtGestartet;
        }
        if (!umsetzung->ok) {
            if (o.pruefen) {
                konsole.Ausgeben(
                    app::EndZeile("error", 0, 0, 0, zustand.WerkzeugPositionW, zustand.PositionM));
                return kFehler;
            }
            return NichtGestartet(konsole, zustand);
        }
        programm = GcodeProgramm(*umsetzung);
    } else {
        programm = HauptprogrammLaden(programmPfad, konsole);
    }
    if (!programm) {
        return kNichtGestartet;
    }
    anlage.programm = std::move(*programm);
    zustand.konfig.TeileprogrammDatei.Setzen(VollerPfad(o.programm));

    if (o.pruefen) {
        if (anlage.programm.Leer()) {
            konsole.Meldung(meldung::KeinTeileprogramm());
            return kNichtGestartet;
        }
        const app::Pruefergebnis ergebnis = app::ProgrammPruefen(anlage);
        const bool fehlerhaft = ergebnis.fehlerSaetze > 0;
        // Nothing moves in a check: no moves, no time, the positions of the start.
        const std::string ende = app::EndZeile(fehlerhaft ? "error" : "normal",
                                               static_cast<std::int64_t>(ergebnis.saetze), 0, 0,
                                               zustand.WerkzeugPositionW, zustand.PositionM);
        std::printf("%s\n", ende.c_str());
        return fehlerhaft ? kFehler : kGut;
    }

    if (o.vorpruefen) {
        return app::VorpruefungAusfuehren(anlage, konsole, o);
    }

    // The controller line of the machine modes: the port of the settings,
    // found as COMn in the start folder, or the one device given.
    std::unique_ptr<TSerial> serial;
    std::unique_ptr<SerielleLeitung> serielleLeitung;
    std::unique_ptr<app::ProtokollLeitung> protokoll;
    if (maschine) {
        serial = std::make_unique<TSerial>(zustand.StartVerzeichnis);
        if (o.port) {
            serial->FesterGeraetepfad(*o.port);
        }
        serielleLeitung = std::make_unique<SerielleLeitung>(*serial);
        anlage.maschine.leitung = serielleLeitung.get();
        if (o.trace) {
            protokoll = std::make_unique<app::ProtokollLeitung>(*serielleLeitung, konsole);
            anlage.maschine.leitung = protokoll.get();
        }
    }
    if (o.trace) {
        // Every straight move's command, also in simulation where it is not sent.
        anlage.lauf.befehlMelden = [&konsole](const std::string& befehl) {
            konsole.Zeile("move", befehl);
        };
    }

#ifdef KORVX_RUN_BILD
    // The canvas needs a GUI application for text; it never needs a display.
    std::unique_ptr<QGuiApplication> qtApp;
    std::unique_ptr<BildLeinwand> bild;
    int qtArgc = 1;
    char qtName[] = "korvx-run";
    char* qtArgv[] = {qtName, nullptr};
    if (o.bild) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        // A console run prints only its own lines: Qt's diagnostics (such as
        // a missing XDG_RUNTIME_DIR under the offscreen platform) say nothing
        // about the run, so they are dropped.
        qInstallMessageHandler(QtMeldungVerwerfen);
        qtApp = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        bild = std::make_unique<BildLeinwand>(o.bildBreite, o.bildHoehe);
        anlage.grafik.bild = bild.get();
    }
#endif

    konsole.ereignisse = [&anlage, &konsole] {
        if (gNotaus != 0) {
            gNotaus = 0;
            EscapeTaste(anlage);
        }
        if (gAbbruchKnopf != 0) {
            gAbbruchKnopf = 0;
            // A click on the abort button counts only while it is enabled,
            // that is during a move.
            if (konsole.ElementAktiv(Element::AbbruchKnopf)) {
                AbbruchAnfordern(anlage);
            }
        }
    };
    StoppSignaleEinrichten();

    if (o.werkzeug) {
        // The tool goes in before the reference run, with no move: the zero
        // point set after it is measured with this tool, so its length
        // offset is 0.
        const TWerkzeug wkz = WkzSuchen(anlage.werkzeuge, static_cast<std::uint8_t>(*o.werkzeug));
        if (wkz.Nummer == 0) {
            konsole.Meldung(meldung::WkzNichtInListe(*o.werkzeug));
            return NichtGestartet(konsole, zustand);
        }
        zustand.WerkzeugEinsetzen(wkz);
    }
    ReferenzfahrtAusfuehren(anlage);
    if (!zustand.ReferenzAngefahren) {
        return NichtGestartet(konsole, zustand);
    }
    std::optional<TPunkt3D> nullpunkt = o.nullpunkt;
    if (o.letzterNullpunkt) {
        // The zero point of the last session, as the window takes it over.
        nullpunkt = DatNullpunkt(zustand);
        if (!nullpunkt) {
            konsole.Meldung(meldung::KeinGespeicherterNullpunkt());
            return NichtGestartet(konsole, zustand);
        }
    }
    if (nullpunkt) {
        // The tool stays where the reference run left it; only its workpiece
        // coordinates change.
        zustand.NullpunktSetzen(*nullpunkt);
        anlage.maschine.NullpunktGewaehlt = true;
        zustand.WerkzeugPositionW = NachWerkstueckKoord(zustand, zustand.PositionM);
    }
    if (o.zeichensatz) {
        zustand.konfig.ZeichensatzDatei.Setzen(VollerPfad(*o.zeichensatz));
    }

    if (o.trace) {
        // The estimate of the whole run, made before it starts from the state
        // it starts with: from the start block, or from the block a resumed
        // run goes on at (the approach not counted), with the feed override.
        Pruefoptionen schaetzen;
        schaetzen.bitrate = serial ? Bitrate(serial->Baudrate) : Bitrate(TBaudrate::br_009600);
        const std::int32_t anwahlsatz = zustand.Anwahlsatz;
        if (o.fortsetzenAb) {
            zustand.Anwahlsatz = 1;
        }
        const Pruefbericht bericht = ProgrammVorpruefen(anlage, schaetzen);
        zustand.Anwahlsatz = anwahlsatz;
        const std::size_t startZeile =
            AnwahlsatzSuchen(anlage.programm, o.fortsetzenAb.value_or(anwahlsatz)).value_or(0);
        Restzeit rest;
        rest.Beginnen(&bericht.schaetzung, anlage.programm.Anzahl(), startZeile, 0);
        const std::int64_t ms = rest.GeschaetzterRest(startZeile, anlage.lauf.vorschubProzent);
        konsole.Ausgeben("estimate: time_ms=" + std::to_string(ms));
    }
    const auto startzeit = std::chrono::steady_clock::now();
    const bool gestartet =
        o.fortsetzenAb ? FortsetzenAbSatz(anlage, *o.fortsetzenAb) : Automatikbetrieb(anlage);
    if (!gestartet) {
        return NichtGestartet(konsole, zustand);
    }
    const auto wandzeitMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - startzeit)
                                .count();
    const Laufzustand& lauf = anlage.lauf;
    const Stoppgrund grund = zustand.stopp.Grund();
    if (maschine && !zustand.ReferenzAngefahren) {
        // Only a new reference run may move the machine again.
        konsole.TraceZeile("reference", "lost");
    }
    std::string ende =
        app::EndZeile(Grundtext(grund), lauf.saetze, lauf.bewegungen, lauf.simulierteMs,
                      zustand.WerkzeugPositionW, zustand.PositionM);
    if (maschine || o.echtzeit) {
        // Only runs that take real time have a wall time worth comparing.
        ende += " wall_ms=" + std::to_string(wandzeitMs);
    }
    konsole.Ausgeben(ende);
    int status = (grund == Stoppgrund::Ende || grund == Stoppgrund::M30) ? kGut : kFehler;
    if (serielleLeitung) {
        serielleLeitung->Schliessen();
    }
#ifdef KORVX_RUN_BILD
    if (bild && !bild->Speichern(NachCp1252(*o.bild))) {
        std::fprintf(stderr, "korvx-run: Grafik %s konnte nicht gespeichert werden\n",
                     o.bild->c_str());
        status = kFehler;
    }
#endif
    return status;
}
