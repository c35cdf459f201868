// Reading a G-code file into a part program: file errors, what is handed to
// the converter, the program in memory, the name beside the source and the
// texts that sum an import up.
#include "interpreter/Gcodeimport.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Gcodeimport, FileErrorsAreReportedLikeAPartProgramsAndRefusalsCarryNoBlocks) {
    test::TempOrdner ordner;
    test::FakeBediener bediener;
    EXPECT_FALSE(GcodeDateiUmsetzen(ordner.Datei("FEHLT.ngc"), false, bediener));
    ASSERT_EQ(bediener.Meldungen().size(), 1u);
    EXPECT_EQ(bediener.Meldungen()[0], "Datei " + ordner.Datei("FEHLT.ngc") + " nicht gefunden!");

    // A folder cannot be read as a file.
    std::filesystem::create_directory(ordner.pfad() / "ORDNER.ngc");
    EXPECT_FALSE(GcodeDateiUmsetzen(ordner.Datei("ORDNER.ngc"), false, bediener));
    ASSERT_EQ(bediener.Meldungen().size(), 2u);
    EXPECT_EQ(bediener.Meldungen()[1],
              "Die Datei " + ordner.Datei("ORDNER.ngc") + " wurde nicht geladen!");

    ordner.Schreiben("PARAM.ngc", "G21\n#1=2\nG0 X#1\n");
    const auto abgelehnt = GcodeDateiUmsetzen(ordner.Datei("PARAM.ngc"), false, bediener);
    ASSERT_TRUE(abgelehnt);
    EXPECT_FALSE(abgelehnt->ok);
    EXPECT_TRUE(abgelehnt->bloecke.empty());
    EXPECT_FALSE(abgelehnt->ablehnung.empty());
    EXPECT_TRUE(GcodeProgramm(*abgelehnt).Leer());
    // The refusal is the caller's to show.
    EXPECT_EQ(bediener.Meldungen().size(), 2u);
}

TEST(Gcodeimport, ConverterGetsTheBareNameAndThePlaneModeAndTheProgramHasEveryBlock) {
    test::TempOrdner ordner;
    test::FakeBediener bediener;
    // A ramp: cut into pieces for the x-y plane, one move in 3D mode.
    const std::string text = "G21 G90\nG0 X0 Y0 Z1\nG1 X10 Z-1 F300\nM30\n";
    ordner.Schreiben("RAMPE.ngc", text);
    const auto eben = GcodeDateiUmsetzen(ordner.Datei("RAMPE.ngc"), false, bediener);
    const auto raum = GcodeDateiUmsetzen(ordner.Datei("RAMPE.ngc"), true, bediener);
    ASSERT_TRUE(eben && raum);
    ASSERT_TRUE(eben->ok && raum->ok) << eben->ablehnung << raum->ablehnung;

    rs274::Umsetzoptionen optionen;
    optionen.quellname = "RAMPE.ngc";
    EXPECT_EQ(eben->bloecke, rs274::Umsetzen(text, optionen).bloecke);
    optionen.raum3D = true;
    EXPECT_EQ(raum->bloecke, rs274::Umsetzen(text, optionen).bloecke);
    EXPECT_GT(eben->bloecke.size(), raum->bloecke.size());
    ASSERT_FALSE(eben->bloecke.empty());
    // The folder is not part of the name the program's first block shows.
    EXPECT_EQ(eben->bloecke[0].find(ordner.pfad().string()), std::string::npos);
    EXPECT_NE(eben->bloecke[0].find("RAMPE.ngc"), std::string::npos);

    EXPECT_EQ(GcodeProgramm(*eben).Zeilen(), eben->bloecke);
    // Empty blocks never become program lines, as when a file is read.
    rs274::Umsetzung mitLeerem;
    mitLeerem.ok = true;
    mitLeerem.bloecke = {"N10 G00 X1", "", "N20 M30"};
    EXPECT_EQ(GcodeProgramm(mitLeerem).Zeilen(),
              (std::vector<std::string>{"N10 G00 X1", "N20 M30"}));
}

TEST(Gcodeimport, ConvertedFileNameReplacesOnlyTheExtensionOfTheFileName) {
    EXPECT_EQ(CncNameZu("teil.ngc"), "teil.CNC");
    EXPECT_EQ(CncNameZu("/home/u/TEIL.NC"), "/home/u/TEIL.CNC");
    EXPECT_EQ(CncNameZu("platte.top.gcode"), "platte.top.CNC");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(CncNameZu("cam.v2/teil"), "cam.v2/teil.CNC");
    EXPECT_EQ(CncNameZu("cam/.ngc"), "cam/.ngc.CNC");
}

TEST(Gcodeimport, ExtentsAndTheWindowsSummary) {
    rs274::Ausdehnung a;
    EXPECT_EQ(AusdehnungText(a, Zahlenformat('.')), "keine Bewegung");
    a.leer = false;
    a.xmin = -0.0001;
    a.xmax = 50;
    a.ymin = -2.5;
    a.ymax = 30.25;
    a.zmin = -8;
    a.zmax = 5;
    // 0x85 is the ellipsis of Windows-1252; no "-0.000".
    EXPECT_EQ(AusdehnungText(a, Zahlenformat('.')), "X 0.000\x85"
                                                    "50.000 Y -2.500\x85"
                                                    "30.250 Z -8.000\x85"
                                                    "5.000 mm");
    EXPECT_EQ(AusdehnungText(a, Zahlenformat(',')).substr(0, 14), "X 0,000\x85"
                                                                  "50,000");

    rs274::Umsetzung u;
    u.ok = true;
    u.bloecke = {"(Import aus T.ngc)", "N10 G00 X50", "N20 M30"};
    u.ausdehnung = a;
    for (int zeile = 1; zeile <= 5; ++zeile) {
        u.hinweise.push_back({zeile, "M3 entfernt"});
    }
    const std::string text = ImportMeldung(u, "/cam/T.ngc", "/cam/T.CNC", Zahlenformat(','), 3);
    EXPECT_EQ(text, "G-Code T.ngc umgesetzt und als T.CNC gespeichert: 3 S\xE4tze.\r\r"
                    "Bahn in Werkst\xFC"
                    "ckkoordinaten: " +
                        AusdehnungText(a, Zahlenformat(',')) +
                        "\rDer Werkst\xFC"
                        "cknullpunkt ist der Nullpunkt des G-Code-Programms.\r\r"
                        "Hinweise:\rZeile 1: M3 entfernt\rZeile 2: M3 entfernt\r"
                        "Zeile 3: M3 entfernt\r\x85 und 2 weitere Hinweise");
    // Without notes no heading.
    u.hinweise.clear();
    EXPECT_EQ(ImportMeldung(u, "T.ngc", "T.CNC", Zahlenformat(',')).find("Hinweise"),
              std::string::npos);
}

} // namespace
} // namespace korvx
