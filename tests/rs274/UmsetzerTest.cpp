// The conversion rule by rule: the exact blocks written, the notes and the
// refusals.
#include "Umsetzen.h"

#include "anlage/Anlage.h"
#include "interpreter/Satzleser.h"
#include "state/Text.h"
#include "support/FakeBediener.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvx::rs274::test {

std::vector<std::string> Syntaxmeldungen(const std::vector<std::string>& bloecke) {
    korvx::test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    SatzHandler nurSyntax;
    for (const std::string& s : bloecke) {
        EXPECT_LE(s.size(), 80u) << s;
        Satzwerte werte;
        SatzLesen(s, werte, nurSyntax, a);
    }
    return b.Meldungen();
}

namespace {

using ::testing::ElementsAre;
using Zeilen = std::vector<std::string>;

std::vector<std::string> Hinweise(const Umsetzung& u) {
    std::vector<std::string> h;
    for (const Hinweis& x : u.hinweise) {
        h.push_back(std::to_string(x.zeile) + ": " + NachUtf8(x.text));
    }
    return h;
}

TEST(Rs274Woerter, WordsWithoutBlanksLowerCaseAndNumberForms) {
    EXPECT_THAT(Bloecke("G1X10Y20F300\n"), ElementsAre("N10 G01 X10 Y20 F0.3"));
    EXPECT_THAT(Bloecke("g1 x 1 0.5 y-.5 f 1 0 0 0\nG0 z+1\n"),
                ElementsAre("N10 G01 X10.5 Y-0.5 F1", "N20 G00 Z1"));
    EXPECT_THAT(Bloecke("\xEF\xBB\xBFG0 X.5 Y10.\n"), ElementsAre("N10 G00 X0.5 Y10"));
    // A long source number keeps all its digits; we write 0.001 mm.
    EXPECT_THAT(Bloecke("G0 Y54.580000000000005\n"), ElementsAre("N10 G00 Y54.58"));
    // "%" lines, N words, blank lines and every kind of line end.
    EXPECT_THAT(Bloecke("%\r\nN10 G0 X1\r\n\r\nN20 X2\rN30 X3\n%"),
                ElementsAre("N10 G00 X1", "N20 G00 X2", "N30 G00 X3"));
    // A program opened by "%" ends at the next "%" line.
    const Umsetzung u = U("%\nG0 X1\n%\nG0 X9\n");
    EXPECT_THAT(Zeilen(u.bloecke.begin() + Kopf(), u.bloecke.end()), ElementsAre("N10 G00 X1"));
    ASSERT_EQ(u.hinweise.size(), 1u);
    EXPECT_EQ(u.hinweise[0].zeile, 4);
}

TEST(Rs274Woerter, CommentsBecomeCommentLinesBeforeTheirBlock) {
    EXPECT_THAT(Bloecke("G0 X1 (erst) Y2 ; dann )Rest\n(MSG, Werkzeug pruefen)\n"),
                ElementsAre("(erst)", "(dann ]Rest)", "N10 G00 X1 Y2", "(MSG, Werkzeug pruefen)"));
    // UTF-8 comments become Windows-1252; Windows-1252 ones stay.
    EXPECT_THAT(Bloecke("(Fr\xc3\xa4ser\xc2\xa0 6 mm)\n(Fr\xe4ser)\n"),
                ElementsAre("(Fr\xe4ser\xa0 6 mm)", "(Fr\xe4ser)"));
    const Zeilen lang = Bloecke("(" + std::string(100, 'a') + ")\n");
    ASSERT_EQ(lang.size(), 1u);
    EXPECT_EQ(lang[0], "(" + std::string(78, 'a') + ")");
}

TEST(Rs274Woerter, TheFirstBlockNamesTheSourceAndTheUnits) {
    Umsetzung u = U("G21 G0 X1\n");
    ASSERT_TRUE(u.ok);
    EXPECT_EQ(u.bloecke.front(), "(Import aus TEIL.ngc)");
    u = U("G20 G0 X1\n");
    EXPECT_EQ(u.bloecke.front(), "(Import aus TEIL.ngc, Zoll umgerechnet)");
    // The moves are split for the x-y plane, so the program sets it; in 3D
    // mode it leaves the plane alone.
    EXPECT_EQ(u.bloecke.at(1), "G170");
    u = U("G0 X1 Z1\n", true);
    EXPECT_THAT(u.bloecke, ElementsAre("(Import aus TEIL.ngc)", "N10 G00 X1 Z1"));
}

TEST(Rs274Einheiten, InchLengthsAndFeedsAreConverted) {
    Umsetzung u = U("G20\nG1 X1 Y-0.5 F10\nG21 G1 X1 F400\n");
    ASSERT_TRUE(u.ok);
    EXPECT_THAT(Zeilen(u.bloecke.begin() + Kopf(), u.bloecke.end()),
                ElementsAre("N10 G01 X25.4 Y-12.7 F0.254", "N20 G01 X1 F0.4"));
    EXPECT_THAT(Hinweise(u), ElementsAre("1: Zoll (G20) in Millimeter umgerechnet",
                                         "2: Vorschub F von mm/min in m/min umgerechnet (2-mal)"));
}

TEST(Rs274Einheiten, FeedPerRevolutionAndSpindleSpeed) {
    EXPECT_THAT(Bloecke("G95 S1000 G1 X1 F0.1\nG94 G1 X2 F300\n"),
                ElementsAre("N10 S1000", "N20 G01 X1 G95 F0.1", "N30 G01 X2 G94 F0.3"));
    EXPECT_THAT(Bloecke("G20 G95 G1 X1 F0.01\n"), ElementsAre("N10 G01 X25.4 G95 F0.254"));
}

TEST(Rs274Abstaende, IncrementalMovesAreWrittenAbsolute) {
    EXPECT_THAT(Bloecke("G0 X10 Y10\nG91 G0 X5\nX5 Y-2\nG90 X1\n"),
                ElementsAre("N10 G00 X10 Y10", "N20 G00 X15", "N30 G00 X20 Y8", "N40 G00 X1"));
}

TEST(Rs274Eilgang, RisingZFirstDescendingXYFirstUnless3D) {
    EXPECT_THAT(Bloecke("G0 X0 Y0 Z0\nG0 X10 Y5 Z3\nG0 X0 Y0 Z-1\n"),
                ElementsAre("N10 G00 X0 Y0 Z0", "N20 G00 Z3", "N30 G00 X10 Y5", "N40 G00 X0 Y0",
                            "N50 G00 Z-1"));
    EXPECT_THAT(Bloecke("G0 X0 Y0 Z0\nG0 X10 Y5 Z3\n", true),
                ElementsAre("N10 G00 X0 Y0 Z0", "N20 G00 X10 Y5 Z3"));
}

TEST(Rs274Vorschub, RampIsCutSoTheStairStaysNearTheLine) {
    // H = 1, DZ = -0.1: the corner of one piece lies 0.0995 off the line,
    // so 12 pieces keep it below 0.009 mm.
    const Zeilen b = Bloecke("G0 X0 Y0 Z0\nG1 X1 Z-0.1 F100\n");
    ASSERT_EQ(b.size(), 13u);
    EXPECT_EQ(b[1], "N20 G01 X0.083 Z-0.008 F0.1");
    EXPECT_EQ(b[12], "N130 G01 X1 Z-0.1 F0.1");
    EXPECT_THAT(Bloecke("G0 X0 Y0 Z0\nG1 X1 Z-0.1 F100\n", true),
                ElementsAre("N10 G00 X0 Y0 Z0", "N20 G01 X1 Z-0.1 F0.1"));
    const Umsetzung u = U("G0 X0 Y0 Z0\nG1 X1 Z-0.1 F100\n");
    EXPECT_EQ(NachUtf8(u.hinweise.back().text),
              "Vorschubbewegung in x/y und z in Stücke geteilt (je x/y, dann z; höchstens "
              "0,01 mm neben der Geraden)");
}

TEST(Rs274Boegen, ArcsWithRadiusOfBothSigns) {
    // The shorter arc for R > 0, the longer one (more than half a circle) for R < 0.
    EXPECT_THAT(Bloecke("G0 X0 Y0\nG2 X10 Y10 R10 F100\nG0 X0 Y0\nG2 X10 Y10 R-10\n"),
                ElementsAre("N10 G00 X0 Y0", "N20 G02 X10 Y10 I10 J0 F0.1", "N30 G00 X0 Y0",
                            "N40 G02 X10 Y10 I0 J10 F0.1"));
    EXPECT_THAT(Bloecke("G0 X0 Y0\nG3 X10 Y0 R5 F100\n"),
                ElementsAre("N10 G00 X0 Y0", "N20 G03 X10 Y0 I5 J0 F0.1"));
}

TEST(Rs274Boegen, FullCircleAndTheCentreRestatedOnEveryArc) {
    // Our I and J are modal: a J missing in the source is written as 0.
    EXPECT_THAT(Bloecke("G0 X10 Y0\nG2 I-10 F100\nG3 X0 Y10 J10\nG3 X10 Y20 I10\n"),
                ElementsAre("N10 G00 X10 Y0", "N20 G02 X10 Y0 I-10 J0 F0.1",
                            "N30 G03 X0 Y10 I0 J10 F0.1", "N40 G03 X10 Y20 I10 J0 F0.1"));
    // Absolute centres (G90.1) and inch centres.
    EXPECT_THAT(Bloecke("G90.1 G0 X10 Y0\nG3 X0 Y10 I0 J0 F100\n"),
                ElementsAre("N10 G00 X10 Y0", "N20 G03 X0 Y10 I-10 J0 F0.1"));
}

TEST(Rs274Boegen, RefusedArcsNameTheirLineAndWord) {
    EXPECT_EQ(U("F100\nG0 X0 Y0\nG3 X21 Y-20 I20 J21\n").ablehnung,
              NachCp1252("Zeile 3, G3: das Kreisende liegt nicht auf dem Kreis. Die Datei "
                         "wurde nicht umgesetzt."));
    EXPECT_EQ(NachUtf8(U("F100\nG0 X0 Y0\nG2 X10 R4.99\n").ablehnung),
              "Zeile 3, R4.99: der Radius R ist zu klein, um den Endpunkt zu erreichen. Die "
              "Datei wurde nicht umgesetzt.");
    EXPECT_EQ(NachUtf8(U("F100\nG2 X10 Y0 I5 J0 K0.000\n").ablehnung),
              "Zeile 2, K0.000: kein Befehl des Satzes verwendet dieses Wort. Die Datei wurde "
              "nicht umgesetzt.");
    EXPECT_EQ(NachUtf8(U("G2 X10 I5\n").ablehnung),
              "Zeile 1, G2: Vorschubbewegung ohne Vorschub F. Die Datei wurde nicht umgesetzt.");
    EXPECT_EQ(NachUtf8(U("F1 G2 X10\n").ablehnung),
              "Zeile 1, G2: Kreisbogen ohne I, J oder R. Die Datei wurde nicht umgesetzt.");
    // The end a little off its circle (within LinuxCNC's tolerance) is kept.
    EXPECT_TRUE(U("F100 G0 X0 Y0\nG2 X10.02 Y0 I5 J0\n").ok);
}

TEST(Rs274Bohrzyklen, DrillingWithRetractToTheStartHeightOrToR) {
    EXPECT_THAT(Bloecke("F100 G0 X0 Y0 Z10\nG98 G81 X1 Y1 Z-3 R2\nX2\nG99 X3\nG80\n"),
                ElementsAre("N10 G00 X0 Y0 Z10", "N20 G00 X1 Y1", "N30 G00 Z2", "N40 G01 Z-3 F0.1",
                            "N50 G00 Z10", "N60 G00 X2", "N70 G00 Z2", "N80 G01 Z-3 F0.1",
                            "N90 G00 Z10", "N100 G00 X3", "N110 G00 Z2", "N120 G01 Z-3 F0.1",
                            "N130 G00 Z2"));
}

TEST(Rs274Bohrzyklen, G98GoesBackToTheStartHeightOfTheSeries) {
    // As LinuxCNC's rs274 moves it: after G99 holes a G98 hole is approached
    // and left at the height where the series began (10); in G91, R counts
    // from that height (0.5) and the tool goes back to it.
    EXPECT_THAT(Bloecke("F100 G0 X0 Y0 Z10\nG99 G81 X1 Y1 Z-2 R2\nG98 X2\nG0 Z0.5\n"
                        "G98 G81 X4 Z-2 R1\nG91 X1 Z-1 R-2\n"),
                ElementsAre("N10 G00 X0 Y0 Z10", "N20 G00 X1 Y1", "N30 G00 Z2", "N40 G01 Z-2 F0.1",
                            "N50 G00 Z2", "N60 G00 Z10", "N70 G00 X2", "N80 G00 Z2",
                            "N90 G01 Z-2 F0.1", "N100 G00 Z10", "N110 G00 Z0.5", "N120 G00 Z1",
                            "N130 G00 X4", "N140 G01 Z-2 F0.1", "N150 G00 Z1", "N160 G00 X5",
                            "N170 G00 Z-1.5", "N180 G01 Z-2.5 F0.1", "N190 G00 Z0.5"));
}

TEST(Rs274Bohrzyklen, PeckDrillingWithQ) {
    // Pecks of 1 mm from R = 2: back to R in rapid and down to 0.254 mm
    // above the last depth.
    EXPECT_THAT(Bloecke("F100 G0 X0 Y0 Z10\nG83 X1 Y1 Z-1.5 R2 Q1\n"),
                ElementsAre("N10 G00 X0 Y0 Z10", "N20 G00 X1 Y1", "N30 G00 Z2", "N40 G01 Z1 F0.1",
                            "N50 G00 Z2", "N60 G00 Z1.254", "N70 G01 Z0 F0.1", "N80 G00 Z2",
                            "N90 G00 Z0.254", "N100 G01 Z-1 F0.1", "N110 G00 Z2",
                            "N120 G00 Z-0.746", "N130 G01 Z-1.5 F0.1", "N140 G00 Z2"));
    // G73 breaks the chip without leaving the hole and, as G99 is in force
    // at the start, goes back to R; G82 notes its dwell.
    const Umsetzung u = U("F100 G0 X0 Y0 Z2\nG82 X1 Y1 Z-1 R1 P0.5\n");
    ASSERT_TRUE(u.ok);
    EXPECT_THAT(Hinweise(u), ::testing::Contains("2: Verweilzeit P im Bohrzyklus entfernt"));
    EXPECT_THAT(Bloecke("F100 G0 X0 Y0 Z2\nG73 X0 Y0 Z-1 R1 Q1\n"),
                ElementsAre("N10 G00 X0 Y0 Z2", "N20 G00 Z1", "N30 G01 Z0 F0.1", "N40 G00 Z0.254",
                            "N50 G01 Z-1 F0.1", "N60 G00 Z1"));
}

TEST(Rs274Bohrzyklen, IncrementalCyclesWithRepeats) {
    // G91: R counts from the start height 2, Z from R; L2 drills two holes
    // 1 mm apart; G99 returns to R between them.
    EXPECT_THAT(Bloecke("F100 G0 X10 Y0\nZ2\nG91 G99 G81 X1 Y1 Z-2 R-1 L2\n"),
                ElementsAre("N10 G00 X10 Y0", "N20 G00 Z2", "N30 G00 X11 Y1", "N40 G00 Z1",
                            "N50 G01 Z-1 F0.1", "N60 G00 Z1", "N70 G00 X12 Y2", "N80 G01 Z-1 F0.1",
                            "N90 G00 Z1"));
    // G85 bores back out at feed.
    EXPECT_THAT(Bloecke("F100 G0 X0 Y0 Z5\nG98 G85 X1 Y0 Z-1 R1\n"),
                ElementsAre("N10 G00 X0 Y0 Z5", "N20 G00 X1", "N30 G00 Z1", "N40 G01 Z-1 F0.1",
                            "N50 G01 Z1 F0.1", "N60 G00 Z5"));
    EXPECT_EQ(NachUtf8(U("F100 G0 Z0\nG81 X1 Z-1\n").ablehnung),
              "Zeile 2, G81: Bohrzyklus ohne R. Die Datei wurde nicht umgesetzt.");
    EXPECT_EQ(NachUtf8(U("F100 G0 Z0\nG83 X1 Z-1 R1\n").ablehnung),
              "Zeile 2, G83: Tieflochbohren ohne Zustelltiefe Q größer als 0. Die Datei wurde "
              "nicht umgesetzt.");
    EXPECT_EQ(NachUtf8(U("F100 G0 Z0\nG81 X1 Z1 R0\n").ablehnung),
              "Zeile 2, R0: im Bohrzyklus liegt R unter Z. Die Datei wurde nicht umgesetzt.");
}

TEST(Rs274Werkzeug, ToolChangeAtM6AndStopsAndTheEnd) {
    const Umsetzung u = U("T2 M6\nM6 T3\nT4\nG0 X1\nM6\nT5\nM1\nM2\nG0 X9\n%\n");
    ASSERT_TRUE(u.ok);
    EXPECT_THAT(Zeilen(u.bloecke.begin() + Kopf(), u.bloecke.end()),
                ElementsAre("N10 T2", "N20 T3", "N30 G00 X1", "N40 T4", "N50 M0", "N60 M30"));
    EXPECT_THAT(Hinweise(u),
                ElementsAre("6: T5 ohne M6: kein Werkzeugwechsel", "7: M1 als M0 (Programm-Stopp)",
                            "8: M2 als M30 (Programmende)",
                            "9: Zeilen nach dem Programmende nicht umgesetzt"));
    EXPECT_THAT(Bloecke("M6\n"), ElementsAre());
}

TEST(Rs274Werkzeug, DroppedWordsAreNotedOnceWithTheirCount) {
    const Umsetzung u =
        U("G17 G21 G40 G49 G54 G64 P0.01 G94 G97\nG43 H1 M3 S1000\nM8\nM9 M5\nG4 P1\nM3\n"
          "G61.1\n");
    ASSERT_TRUE(u.ok);
    EXPECT_THAT(Zeilen(u.bloecke.begin() + Kopf(), u.bloecke.end()), ElementsAre("N10 S1000"));
    EXPECT_THAT(Hinweise(u), ElementsAre("1: G94 entfernt", "1: G17 entfernt", "1: G40 entfernt",
                                         "1: G49 entfernt", "1: G54 entfernt", "1: G64 entfernt",
                                         "1: G97 entfernt", "2: M3 entfernt (2-mal)",
                                         "2: G43 entfernt", "3: M8 entfernt", "4: M9 entfernt",
                                         "4: M5 entfernt", "5: G4 entfernt", "7: G61.1 entfernt"));
}

TEST(Rs274Ablehnung, EveryUnsupportedWordRefusesTheWholeFile) {
    struct Fall {
        const char* zeile;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"#1=0", "#: Parameter werden nicht unterstützt"},
        {"G1 X[1+2]", "[: Ausdrücke in [ ] werden nicht unterstützt"},
        {"o100 sub", "O100: Unterprogramme und Schleifen werden nicht unterstützt"},
        {"M98 P100", "M98: Unterprogramme und Schleifen werden nicht unterstützt"},
        {"G10 L2 P1 X0", "G10: Tabellen (G10) werden nicht unterstützt"},
        {"G28", "G28: Anfahren eines Referenzpunkts wird nicht unterstützt"},
        {"G30 X", "G30: Anfahren eines Referenzpunkts wird nicht unterstützt"},
        {"G38.2 Z-5", "G38.2: Antasten wird nicht unterstützt"},
        {"G41 D1", "G41: Fräserradiuskorrektur wird nicht unterstützt"},
        {"G53 G0 Z0", "G53: Maschinenkoordinaten werden nicht unterstützt"},
        {"G59.1", "G59.1: weitere Nullpunkte werden nicht unterstützt, nur G54"},
        {"G92 X0", "G92: Nullpunktverschiebungen werden nicht unterstützt"},
        {"G33 Z-1 K1", "G33: Gewindezyklen werden nicht unterstützt"},
        {"G93", "G93: Vorschub in inverser Zeit wird nicht unterstützt"},
        {"G0 A10", "A10: die Maschine hat nur die Achsen X, Y und Z"},
        {"/G0 X1", "/: Satzausblendung wird nicht unterstützt"},
        {"$H", "$: unbekanntes oder nicht unterstütztes Wort"},
        {"G5.1 X1", "G5.1: unbekanntes oder nicht unterstütztes Wort"},
        {"M62 P1", "M62: unbekanntes oder nicht unterstütztes Wort"},
        {"G0 X1 X2", "X2: Wort zweimal im selben Satz"},
        {"G0 G1 X1", "G1: zwei Befehle derselben Gruppe im selben Satz"},
        {"G0 X", "X: Zahlenwert fehlt oder ist falsch geschrieben"},
        {"G0 X1 (offen", "(: Kommentar ohne schließende Klammer"},
        {"G80 X1", "X1: Koordinate ohne Bewegungsbefehl (G0, G1, G2, G3 oder Bohrzyklus)"},
        {"G1 X1", "G1: Vorschubbewegung ohne Vorschub F"},
        {"G0 X1 R2", "R2: kein Befehl des Satzes verwendet dieses Wort"},
        {"G0 X123456", "X123456: Wert außerhalb von ±99999 mm"},
        {"G1 X99999 Z-99999 F1", "G1: das umgesetzte Programm würde zu lang"},
    };
    for (const Fall& f : faelle) {
        const Umsetzung u = U(std::string("G0 X0 Y0\n(gut)\n") + f.zeile + "\nG0 X5\n");
        EXPECT_FALSE(u.ok) << f.zeile;
        EXPECT_EQ(u.ablehnungszeile, 3) << f.zeile;
        EXPECT_EQ(NachUtf8(u.ablehnung),
                  std::string("Zeile 3, ") + f.meldung + ". Die Datei wurde nicht umgesetzt.")
            << f.zeile;
        EXPECT_TRUE(u.bloecke.empty()) << f.zeile;
        EXPECT_TRUE(u.hinweise.empty()) << f.zeile;
    }
    // The first unsupported word of a line counts, in its order.
    EXPECT_EQ(NachUtf8(U("G28 X").ablehnung),
              "Zeile 1, G28: Anfahren eines Referenzpunkts wird nicht unterstützt. Die Datei "
              "wurde nicht umgesetzt.");
}

TEST(Rs274Ausdehnung, ExtentsOfThePathIncludeTheArcs) {
    const Umsetzung u = U("G0 X10 Y0 Z5\nG1 Z-1 F100\nG3 X-10 Y0 I-10 J0\n");
    ASSERT_TRUE(u.ok);
    const Ausdehnung& a = u.ausdehnung;
    EXPECT_FALSE(a.leer);
    EXPECT_NEAR(a.xmin, -10.0, 1e-9);
    EXPECT_NEAR(a.xmax, 10.0, 1e-9);
    EXPECT_NEAR(a.ymin, 0.0, 1e-9);
    EXPECT_NEAR(a.ymax, 10.0, 1e-3);
    EXPECT_NEAR(a.zmin, -1.0, 1e-9);
    EXPECT_NEAR(a.zmax, 5.0, 1e-9);
    EXPECT_TRUE(U("(nur ein Kommentar)\n").ausdehnung.leer);
    // The 0 the source assumes before an axis is first written is no point
    // of the path: the machine stands wherever it is.
    const Ausdehnung b = U("G0 Z5\nG0 X5 Y7\nG1 Z-1 F100\nG1 X55 Y35\n").ausdehnung;
    EXPECT_EQ(b.xmin, 5.0);
    EXPECT_EQ(b.xmax, 55.0);
    EXPECT_EQ(b.ymin, 7.0);
    EXPECT_EQ(b.ymax, 35.0);
    EXPECT_EQ(b.zmin, -1.0);
    EXPECT_EQ(b.zmax, 5.0);
}

TEST(Rs274Syntax, EveryConvertedBlockPassesOurScanner) {
    const char* programme[] = {
        "G20 G0 X1 Y1 Z0.1\nG1 Z-0.05 F5\nG2 X2 Y2 R1\nG3 X1 Y1 I-1 J0\nG18 G2 X3 Z0 I1 K0\n"
        "G19 G3 J0.5 K0\nG17 G81 X1 Y1 Z-0.2 R0.1\nG80\nT3 M6\nS1200 M3\nM2\n",
        "(Kopf ( mit Klammer)\n;Kommentar mit ) und (\nG0 X-99999 Y99999\nG95 F0.25 S800\n"
        "G1 X0 Y0\nM0\n",
    };
    for (const char* p : programme) {
        const Umsetzung u = U(p);
        ASSERT_TRUE(u.ok) << u.ablehnung;
        EXPECT_THAT(Syntaxmeldungen(u.bloecke), ElementsAre()) << p;
    }
}

} // namespace
} // namespace korvx::rs274::test
