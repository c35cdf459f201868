// Feeds arbitrary bytes as the two settings files of a start folder: the
// first 1252 bytes (when there are that many) are the settings block image,
// the rest the second file; shorter inputs are the second file alone. After
// loading, the settings are written and read back, and a short program with
// lines, arcs, a compensated contour, a rectangular pocket and a bolt-hole circle runs in
// simulation on them, drawn on a counting canvas.
#include "FuzzHilfe.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/Einstellungsdateien.h"
#include "state/StillerBediener.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

constexpr std::size_t kBlockGroesse = 1252;
constexpr std::int64_t kGroessteZuege = 3000;

constexpr const char* kProgramm = "N10 G90 G94 G97 F0,4 S3000\n"
                                  "N20 G00 X20 Y20 Z5\n"
                                  "N30 G01 Z-1\n"
                                  "N40 G02 X40 Y20 I10 J0\n"
                                  "N50 G03 X20 Y20 I-10 J0\n"
                                  "N60 G41 G01 X30 Y30\n"
                                  "N70 G01 X60 Y30\n"
                                  "N80 G01 X60 Y60\n"
                                  "N90 G40 G01 X30 Y30\n"
                                  "N100 G00 Z5\n"
                                  "N110 G84 R1=1 R2=1 R3=-2\n"
                                  "N120 X40 Y38\n"
                                  "N130 G80\n"
                                  "N140 G77 R1=10 R2=1 R3=-2 R23=0 R24=4\n"
                                  "N150 G80\n"
                                  "N160 M30\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    using namespace korvx;
    if (groesse > 4096) {
        return 0;
    }
    const std::string ordner = fuzz::StartOrdner() + "einstellungen/";
    std::filesystem::create_directories(ordner);
    const std::string_view alles(reinterpret_cast<const char*>(daten), groesse);
    const std::string cnf = ordner + std::string(kKonfigurationsDatei);
    const std::string dat = ordner + std::string(kDatDatei);
    std::error_code ec;
    if (groesse >= kBlockGroesse) {
        fuzz::DateiSchreiben(cnf, alles.substr(0, kBlockGroesse));
        fuzz::DateiSchreiben(dat, alles.substr(kBlockGroesse));
    } else {
        std::filesystem::remove(cnf, ec);
        fuzz::DateiSchreiben(dat, alles);
    }

    StillerBediener still;
    Anlage a(still, Zahlenformat(','));
    a.zustand.StartVerzeichnis = ordner;
    EinstellungenLaden(a.zustand, still);
    if (EinstellungenSpeichern(a.zustand, still)) {
        Maschinenzustand wieder;
        wieder.StartVerzeichnis = ordner;
        EinstellungenLaden(wieder, still);
    }

    fuzz::ZaehlLeinwand leinwand(320, 240);
    a.grafik.bild = &leinwand;
    a.zustand.konfig.Grafikmodus = Grafikart::Simulation;
    a.zustand.konfig.TeileprogrammDatei.Setzen(ordner + "FUZZ.CNC");
    TWerkzeug wkz;
    wkz.Nummer = 1;
    wkz.Benennung.Setzen("Fuzz");
    wkz.Laenge = 50.0;
    wkz.Nutzlaenge = 20.0;
    wkz.Durchmesser = 3.0;
    a.zustand.konfig.AktuellesWerkzeug = wkz;
    a.programm = BlockList::Hauptprogramm(kProgramm);
    ReferenzfahrtAusfuehren(a);
    // Room above the workpiece: the zero point 40 mm below the top.
    a.zustand.WerkstueckNullpunkt = {0.0, 0.0, 40.0};
    a.zustand.WerkzeugPositionW = NachWerkstueckKoord(a.zustand, a.zustand.PositionM);
    a.lauf.befehlMelden = [&a](const std::string&) {
        if (a.lauf.bewegungen >= kGroessteZuege) {
            a.zustand.stopp.Abbrechen();
        }
    };
    (void)Automatikbetrieb(a);
    return 0;
}
