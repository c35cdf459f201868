// Whole program runs in simulation: a fresh plant after its reference run, a
// program from text, and the exact messages, questions and move commands the
// run produces. The commands are added up as the controller would count them,
// so every test also checks that the machine position stays where the moves
// put it.
#include "../machine/SpeicherLeitung.h"
#include "SimulationsAnlage.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Programmlauf.h"
#include "interpreter/Unterprogramm.h"
#include "machine/Isel.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"
#include "tools/Werkzeugliste.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvx {
namespace {

using Zeilen = std::vector<std::string>;

// 100 steps per mm on every axis with the default pitch and step count.
constexpr double kSchritteProMm = 100.0;

struct LaufTest : test::SimulationsAnlageTest {
    Zeilen befehle;
    // Machine position after each command, counted from its steps.
    std::vector<TPunkt3D> stationen;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SimulationBereit(false));
        a.lauf.befehlMelden = [this](const std::string& s) {
            befehle.push_back(s);
            long sx = 0, rx = 0, sy = 0, ry = 0, sz = 0, rz = 0, s4 = 0, r4 = 0;
            ASSERT_EQ(std::sscanf(s.c_str(), "@0A %ld, %ld, %ld, %ld, %ld, %ld, %ld, %ld", &sx, &rx,
                                  &sy, &ry, &sz, &rz, &s4, &r4),
                      8)
                << s;
            TPunkt3D m = stationen.empty() ? startM : stationen.back();
            m.x += static_cast<double>(sx) / kSchritteProMm;
            m.y += static_cast<double>(sy) / kSchritteProMm;
            m.z -= static_cast<double>(sz + s4) / kSchritteProMm;
            stationen.push_back(m);
        };
        startM = z.PositionM;
        b.Ereignisse().clear();
        b.Meldungen().clear();
    }

    TPunkt3D startM;

    // Forgets what the last run did; the next one starts where it ended.
    void Neu() {
        befehle.clear();
        stationen.clear();
        b.Ereignisse().clear();
        b.Meldungen().clear();
        startM = z.PositionM;
    }

    // Off for moves off the step grid (arc chords), whose rounding only the
    // read-back of a real controller takes up.
    bool zaehlerPruefen = true;

    bool Lauf(std::string_view text) {
        a.programm = BlockList::Hauptprogramm(text);
        const bool gestartet = Automatikbetrieb(a);
        // A stopped move is not taken as reached (the reference is lost then).
        if (zaehlerPruefen && z.ReferenzAngefahren && !stationen.empty()) {
            // The machine position the run reports is the one the commands reached.
            EXPECT_NEAR(z.PositionM.x, stationen.back().x, 1e-9);
            EXPECT_NEAR(z.PositionM.y, stationen.back().y, 1e-9);
            EXPECT_NEAR(z.PositionM.z, stationen.back().z, 1e-9);
        }
        return gestartet;
    }
    // The messages and questions of the run (displays left out).
    Zeilen Dialog() { return b.Ereignisse(); }
    static std::string X(long schritte, long rate) {
        return "@0A " + std::to_string(schritte) + ", " + std::to_string(rate) + ", 0, " +
               std::to_string(rate) + ", 0, " + std::to_string(rate) + ", 0, " +
               std::to_string(rate);
    }
    void WerkzeugAnlegen(std::uint8_t nummer, double laenge, double durchmesser) {
        TWerkzeug w;
        w.Nummer = nummer;
        w.Laenge = laenge;
        w.Durchmesser = durchmesser;
        ASSERT_TRUE(WkzAnhaengen(b, a.werkzeuge, w));
    }
};

void PunktIst(const TPunkt3D& p, double x, double y, double zz) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, zz, 1e-9);
}

// --- speeds ---------------------------------------------------------------

TEST_F(LaufTest, SpeedsFollowTheLastGWordAndFeedOfTheBlock) {
    // Rapid 3 m/min is 5000 steps/s, the feed 0.5 m/min 833 (second z keeps 1 m/min).
    ASSERT_TRUE(Lauf("N10 G01 X10 G00\nN20 G01 X20 F0.5\nN30 G00 X30\n"));
    ASSERT_EQ(befehle.size(), 3u);
    EXPECT_EQ(befehle[0], X(1000, 5000));
    EXPECT_EQ(befehle[1], "@0A 1000, 833, 0, 833, 0, 833, 0, 1667");
    EXPECT_EQ(befehle[2], X(1000, 5000));
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(LaufTest, SpindleSpeedLevelsAndAZeroFeedNeverHang) {
    ASSERT_TRUE(Lauf("N10 S1499\n"));
    EXPECT_EQ(z.konfig.Drehzahl, 750.0);
    ASSERT_TRUE(Lauf("N10 S1500\n"));
    EXPECT_EQ(z.konfig.Drehzahl, 1500.0);
    // A feed of 0 runs at the slowest step rate and its wait stays finite.
    ASSERT_TRUE(Lauf("N10 G01 F0 X1\n"));
    ASSERT_EQ(befehle.size(), 1u);
    EXPECT_EQ(befehle[0], "@0A 100, 21, 0, 21, 0, 21, 0, 1667");
    EXPECT_GT(a.lauf.simulierteMs, 0);
    EXPECT_LT(a.lauf.simulierteMs, 10'000);
}

// --- protection zone ------------------------------------------------------

TEST_F(LaufTest, TargetOnTheZoneBoundIsMadeAndOneBeyondEndsTheRun) {
    ASSERT_TRUE(Lauf("N10 G01 X500 Z10\nN20 X500.01\nN30 X0\n"));
    ASSERT_EQ(befehle.size(), 1u);
    EXPECT_EQ(Dialog(), Zeilen{"meldung: Der zulässige Bereich wird verlassen!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Bereich);
    EXPECT_FALSE(z.ReferenzAngefahren);
    PunktIst(z.WerkzeugPositionW, 500, 0, 10);
    // The next run is refused until a new reference run.
    EXPECT_FALSE(Lauf("N10 X0\n"));
    EXPECT_EQ(b.Meldungen().back(), "Referenzpunkt nicht angefahren! ");
}

TEST_F(LaufTest, StepCountBeyondTheControllerCounterIsRefused) {
    z.konfig.SchutzzoneMax.x = 1e6;
    ASSERT_TRUE(Lauf("N10 G00 X83886.07\nN20 X0\nN30 X83886.08\n"));
    EXPECT_EQ(befehle.size(), 2u);
    EXPECT_EQ(b.Meldungen(), Zeilen{"Der zulässige Bereich wird verlassen!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Bereich);
    EXPECT_FALSE(z.ReferenzAngefahren);
}

// --- start block ----------------------------------------------------------

TEST_F(LaufTest, StartBlockIsFoundBySubstringButNeverInAComment) {
    const char* programm = "(Sprung nach N20 erlaubt)\nN10 G00 X1\nN20 G00 X2\nN30 G00 X3\n";
    z.Anwahlsatz = 2;
    ASSERT_TRUE(Lauf(programm));
    EXPECT_EQ(befehle, (Zeilen{X(200, 5000), X(100, 5000)}));

    ReferenzfahrtAusfuehren(a);
    Neu();
    z.Anwahlsatz = 20;
    ASSERT_TRUE(Lauf(programm));
    EXPECT_EQ(befehle.size(), 2u) << "N20 and N30, not the remark";

    // The pattern in the last line only still finds it.
    ReferenzfahrtAusfuehren(a);
    Neu();
    z.Anwahlsatz = 30;
    ASSERT_TRUE(Lauf(programm));
    EXPECT_EQ(befehle, Zeilen{X(300, 5000)});
    EXPECT_TRUE(b.Meldungen().empty());

    z.Anwahlsatz = 40;
    EXPECT_FALSE(Lauf(programm));
    EXPECT_EQ(b.Meldungen(), Zeilen{"Anwahlsatz nicht gefunden!"});
}

TEST_F(LaufTest, FirstStartBlockIsTheFirstBlockWithoutNumbers) {
    ASSERT_TRUE(Lauf("(Kopf)\nG00 X1\nX2\n"));
    EXPECT_EQ(befehle.size(), 2u);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
}

// --- step mode, abort, second start ---------------------------------------

TEST_F(LaufTest, StepModeEndedAtTheFirstStopRunsToTheEnd) {
    z.konfig.Schrittbetrieb = true;
    b.antworten = {false};
    ASSERT_TRUE(Lauf("N10 G00 X1\nN20 X2\nN30 X3\n"));
    EXPECT_EQ(Dialog(), Zeilen{"bestaetigung: Schrittbetrieb -> abbrechen"});
    EXPECT_FALSE(z.konfig.Schrittbetrieb);
    EXPECT_EQ(befehle.size(), 3u);
}

TEST_F(LaufTest, AbortDuringAMoveAnsweredNoGoesOnAndYesEndsTheRun) {
    const char* programm = "N10 G00 X1\nN20 X2\nN30 X3\n";
    bool gedrueckt = false;
    b.beiNachrichten = [&] {
        if (befehle.size() == 1 && !gedrueckt) {
            gedrueckt = true;
            AbbruchAnfordern(a);
        }
    };
    b.antworten = {false};
    ASSERT_TRUE(Lauf(programm));
    EXPECT_EQ(Dialog(), Zeilen{"frage: Bearbeitung von Datei TEIL.CNC abbrechen? -> nein"});
    EXPECT_EQ(befehle.size(), 3u);
    EXPECT_TRUE(z.ReferenzAngefahren);

    ReferenzfahrtAusfuehren(a);
    Neu();
    gedrueckt = false;
    b.antworten = {true};
    ASSERT_TRUE(Lauf(programm));
    EXPECT_EQ(Dialog(), Zeilen{"frage: Bearbeitung von Datei TEIL.CNC abbrechen? -> ja"});
    EXPECT_EQ(befehle.size(), 1u);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Abbruch);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(b.anzeigen[Anzeige::X], "999.99"); // the point of the format in use
}

// At F0 a 100 mm move takes minutes; every stop ends its simulated wait at
// once, whatever the time factor.
TEST_F(LaufTest, EveryStopEndsALongSimulatedWaitAtOnce) {
    enum class Stopp { Escape, Notaus, Abbruch };
    for (const Stopp art : {Stopp::Escape, Stopp::Notaus, Stopp::Abbruch}) {
        z.stopp.Freigeben(); // as the reference command of the window does
        ReferenzfahrtAusfuehren(a);
        Neu();
        z.SimulationsZeitFaktor = 10.0;
        b.uhr = 0;
        bool gedrueckt = false;
        b.beiNachrichten = [&] {
            if (!befehle.empty() && b.uhr >= 1000 && !gedrueckt) {
                gedrueckt = true;
                if (art == Stopp::Escape) {
                    EscapeTaste(a);
                } else if (art == Stopp::Notaus) {
                    Notaus(a);
                } else {
                    AbbruchAnfordern(a);
                }
            }
        };
        b.antworten = {true};
        zaehlerPruefen = false;
        ASSERT_TRUE(Lauf("N10 G01 F0 X100\nN20 X0\n")) << ::testing::PrintToString(Dialog());
        EXPECT_TRUE(gedrueckt);
        EXPECT_EQ(befehle.size(), 1u);
        EXPECT_LE(b.uhr, 1000 + kStoppScheibeMs) << static_cast<int>(art);
        EXPECT_FALSE(z.ReferenzAngefahren);
        EXPECT_NE(a.zustand.stopp.Grund(), Stoppgrund::Ende);
    }
}

TEST_F(LaufTest, SecondRunFromInsideAWaitIsRefused) {
    bool versucht = false;
    bool zweiter = true;
    b.beiNachrichten = [&] {
        if (befehle.size() == 1 && !versucht) {
            versucht = true;
            zweiter = Automatikbetrieb(a);
        }
    };
    ASSERT_TRUE(Lauf("N10 G00 X1\nN20 X2\n"));
    EXPECT_FALSE(zweiter);
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0],
              "Ein Teileprogramm läuft bereits; es kann kein zweites gestartet werden!");
    EXPECT_EQ(befehle.size(), 2u);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
}

// --- subprograms ----------------------------------------------------------

struct UnterprogrammTest : LaufTest {
    test::TempOrdner ordner;
};

TEST_F(UnterprogrammTest, M30ReturnsToTheBlockAfterTheCall) {
    ordner.Schreiben("UP1.CNC", "N1 G01 Y5\n\nN2 T1\nN3 M30\nN4 Y99\n");
    WerkzeugAnlegen(1, 40, 5);
    z.konfig.TeileprogrammDatei.Setzen(ordner.Datei("HAUPT.CNC"));
    ASSERT_TRUE(Lauf("N10 G00 X1 L UP1\nN20 G00 X2\n"));
    // The calling block's own move comes first, the subprogram's rest after M30 never.
    ASSERT_EQ(stationen.size(), 3u);
    PunktIst(stationen[0], 1, 0, 65);
    PunktIst(stationen[1], 1, 5, 65);
    PunktIst(stationen[2], 2, 5, 65);
    EXPECT_EQ(b.Meldungen(), Zeilen{"Werkzeugwechsel werden in Unterprogrammen nicht ausgeführt!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
}

TEST_F(UnterprogrammTest, SubprogramWithoutM30EndsAsIfM30AndNamesIgnoreCase) {
    ordner.Schreiben("BOHR.CNC", "N1 G91 G01 Y5\nN2 G90\n");
    z.konfig.TeileprogrammDatei.Setzen(ordner.Datei("HAUPT.CNC"));
    // Not in the working folder: found next to the main program, in any case.
    EXPECT_EQ(UnterprogrammPfad("bohr.cnc", ordner.Datei("HAUPT.CNC")), ordner.Datei("BOHR.CNC"));
    ASSERT_TRUE(Lauf("N10 G00 X1 L bohr\nN20 G00 X2 L Bohr\nN30 X3\n"));
    // Read again at each call: both calls move on by 5.
    ASSERT_EQ(stationen.size(), 5u);
    PunktIst(stationen[1], 1, 5, 65);
    PunktIst(stationen[2], 2, 5, 65);
    PunktIst(stationen[3], 2, 10, 65);
    PunktIst(stationen[4], 3, 10, 65);
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
}

TEST_F(UnterprogrammTest, MissingSubprogramEndsTheRun) {
    z.konfig.TeileprogrammDatei.Setzen(ordner.Datei("HAUPT.CNC"));
    ASSERT_TRUE(Lauf("N10 G00 X1 L FEHLT\nN20 X2\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"Unterprogramm nicht gefunden!"});
    EXPECT_TRUE(befehle.empty()) << "the calling block ends at its L word";
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
}

// --- G and M words --------------------------------------------------------

TEST_F(LaufTest, UnknownWordsEndTheRunWithTheirNumber) {
    ASSERT_TRUE(Lauf("N10 G00 X1\nN20 G5 X2\nN30 X3\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"5 : unbekannter G-Befehl!"});
    EXPECT_EQ(befehle.size(), 1u);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
    EXPECT_TRUE(z.ReferenzAngefahren);

    b.Meldungen().clear();
    ASSERT_TRUE(Lauf("N10 M7\nN20 X9\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"7 : unbekannter M-Befehl!"});
    b.Meldungen().clear();
    ASSERT_TRUE(Lauf("N10 G17\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"17 : unbekannter G-Befehl!"});
    EXPECT_EQ(befehle.size(), 1u);
}

TEST_F(LaufTest, M30EndsTheMainProgramWithoutRestoringTheZero) {
    ASSERT_TRUE(Lauf("N10 G54 X5\nN20 M30\nN30 G00 X9\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"M30: Programmende!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::M30);
    EXPECT_DOUBLE_EQ(z.WerkstueckNullpunkt.x, 5.0);
}

// --- arcs -----------------------------------------------------------------

TEST_F(LaufTest, ArcEndOffTheCircleIsRejectedInsideAndOutside) {
    // A quarter circle about (20, 10) from (20, 0) to (30, 10).
    for (const char* ende : {"X30.02", "X29.98"}) {
        ReferenzfahrtAusfuehren(a);
        Neu();
        const std::string satz = std::string("N20 G03 ") + ende + " Y10 I0 J10";
        ASSERT_TRUE(Lauf("N10 G00 X20 Y0\n" + satz + "\nN30 G01 X0\n"));
        EXPECT_EQ(b.Meldungen(), (Zeilen{"Fehler bei der Kreisvariablen-Initialisierung!",
                                         satz + " : Kreiskontur enthält Fehler!"}));
        EXPECT_EQ(befehle.size(), 1u) << "only N10";
        EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
    }
    Neu();
    zaehlerPruefen = false;
    ASSERT_TRUE(Lauf("N10 G00 X20 Y0\nN20 G03 X30.005 Y10 I0 J10\n"));
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_FALSE(befehle.empty());
}

TEST_F(LaufTest, BlockWithoutArcWordsWhileG02IsModalMakesNoArc) {
    zaehlerPruefen = false;
    ASSERT_TRUE(Lauf("N10 G00 Y10\nN20 G02 X10 Y0 I0 J-10\nN30 F0.3\n"));
    const std::size_t kreis = befehle.size();
    ASSERT_GT(kreis, 5u);
    PunktIst(z.WerkzeugPositionW, 10, 0, 0);
    ReferenzfahrtAusfuehren(a);
    Neu();
    ASSERT_TRUE(Lauf("N10 G00 Y10\nN20 G02 X10 Y0 I0 J-10\nN30 F0.3\nN40 Z-1\n"));
    // N30 makes nothing; N40 plunges straight at the new feed (0.3 m/min: 500 steps/s).
    ASSERT_EQ(befehle.size(), kreis + 1);
    EXPECT_EQ(befehle.back(), "@0A 0, 500, 0, 500, 100, 500, 0, 1667");
    PunktIst(z.WerkzeugPositionW, 10, 0, -1);
}

// --- tool change ----------------------------------------------------------

TEST_F(LaufTest, ToolChangeAsksAndMovesByTheLengthDifference) {
    WerkzeugAnlegen(1, 40, 5);
    WerkzeugAnlegen(2, 45.5, 3);
    z.konfig.SchutzzoneMax.z = 200;
    b.antworten = {true, true, true};
    ASSERT_TRUE(Lauf("N10 T1\nN20 T2\nN30 T2\nN40 T1\n"));
    const std::string frage2 = "frage: Werkzeug 2 einsetzen! L = 45.50 mm. D = 3.00 mm. n = 750 "
                               "1/min\r\rVerfahr-Reihenfolge beachten: Interpolieren in "
                               "x-y-Ebene -> ja";
    ASSERT_EQ(Dialog().size(), 4u);
    EXPECT_EQ(Dialog()[1], frage2);
    EXPECT_EQ(Dialog()[2], frage2);
    // From no tool (length 0) up 40, up 5.5, nothing for the same tool, down 5.5.
    ASSERT_EQ(stationen.size(), 3u);
    EXPECT_NEAR(stationen[0].z, 105.0, 1e-9);
    EXPECT_NEAR(stationen[1].z, 110.5, 1e-9);
    EXPECT_NEAR(stationen[2].z, 105.0, 1e-9);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
}

TEST_F(LaufTest, ToolChangeRefusedEndsTheRun) {
    WerkzeugAnlegen(1, 40, 5);
    b.antworten = {false};
    ASSERT_TRUE(Lauf("N10 T1\nN20 G00 X1\n"));
    ASSERT_EQ(b.Meldungen(), Zeilen{"Bearbeitung abgebrochen!"});
    EXPECT_TRUE(befehle.empty());
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 0);
}

// --- zero shift -----------------------------------------------------------

TEST_F(LaufTest, ZeroShiftAndItsCancelKeepTheMachinePositionConsistent) {
    for (const bool rechts : {true, false}) {
        SCOPED_TRACE(rechts);
        z.konfig.RechteHandRegel = rechts;
        ReferenzfahrtAusfuehren(a);
        z.WerkstueckNullpunkt.x = 200.0;
        z.PositionM = NachMaschinenKoord(z, z.WerkzeugPositionW);
        startM = z.PositionM;
        befehle.clear();
        stationen.clear();
        ASSERT_TRUE(Lauf("N10 G01 X20 Y5\nN20 G54 X10 Y3 Z-2\nN30 G01 X5\nN40 G53\nN50 "
                         "G01 X0 Y0 Z0\n"));
        EXPECT_TRUE(b.Meldungen().empty());
        const double s = rechts ? 1.0 : -1.0;
        ASSERT_EQ(stationen.size(), 5u);
        PunktIst(stationen[0], 200 + s * 20, 5, 65);
        // G54: the old target (20, 5, 0) in the shifted frame.
        PunktIst(stationen[1], 200 + s * 30, 8, 63);
        PunktIst(stationen[2], 200 + s * 15, 8, 63);
        // G53 goes back to the frame of the start and to the target X5 Y5 Z0 there.
        PunktIst(stationen[3], 200 + s * 5, 5, 65);
        PunktIst(stationen[4], 200, 0, 65);
        PunktIst(z.WerkstueckNullpunkt, 200, 0, 65);
    }
}

TEST_F(LaufTest, CancelAfterTwoShiftsReturnsToTheStartFrame) {
    for (const bool rechts : {true, false}) {
        SCOPED_TRACE(rechts);
        z.konfig.RechteHandRegel = rechts;
        ReferenzfahrtAusfuehren(a);
        z.WerkstueckNullpunkt.x = 200.0;
        z.PositionM = NachMaschinenKoord(z, z.WerkzeugPositionW);
        Neu();
        ASSERT_TRUE(Lauf("N10 G01 X20\nN20 G54 X5\nN30 G54 X3\nN40 G53\nN50 G01 X0\n"));
        const double s = rechts ? 1.0 : -1.0;
        // Both shifts add up to 8; the cancel takes back both.
        ASSERT_EQ(stationen.size(), 5u);
        PunktIst(stationen[2], 200 + s * 28, 0, 65);
        PunktIst(stationen[3], 200 + s * 20, 0, 65);
        PunktIst(stationen[4], 200, 0, 65);
        PunktIst(z.WerkzeugPositionW, 0, 0, 0);
    }
}

TEST_F(LaufTest, NormalEndWithAShiftInForceKeepsTheToolWhereItIs) {
    ASSERT_TRUE(Lauf("N10 G54 X5\nN20 G01 X1\n"));
    EXPECT_DOUBLE_EQ(z.WerkstueckNullpunkt.x, 0.0);
    // The machine stands at x 6: seen from the zero point of the start, that is W x 6.
    PunktIst(z.WerkzeugPositionW, 6, 0, 0);
    PunktIst(z.PositionM, 6, 0, 65);
    ASSERT_TRUE(Lauf("N10 G01 X0\n"));
    PunktIst(stationen.back(), 0, 0, 65);
}

// --- compensation ---------------------------------------------------------

TEST_F(LaufTest, CompensatedSquareRunsOnTheInnerCorners) {
    WerkzeugAnlegen(7, 40, 5);
    z.konfig.AktuellesWerkzeug = WkzSuchen(a.werkzeuge, 7);
    ASSERT_TRUE(Lauf("N10 G00 X10 Y0\nN20 G41 G01 Y10\nN30 X30\nN40 Y30\nN50 X10\nN60 Y10\n"
                     "N70 G40 X0 Y0\n"));
    EXPECT_TRUE(b.Meldungen().empty());
    auto besucht = [&](double x, double y) {
        for (const auto& p : stationen) {
            if (std::abs(p.x - x) < 1e-6 && std::abs(p.y - y) < 1e-6) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(besucht(27.5, 12.5));
    EXPECT_TRUE(besucht(27.5, 27.5));
    EXPECT_TRUE(besucht(12.5, 27.5));
    EXPECT_FALSE(besucht(30, 10));
    PunktIst(stationen.back(), 0, 0, 65);
}

TEST_F(LaufTest, PlungeWhileAnArcIsModalJoinsTheCompensatedContour) {
    WerkzeugAnlegen(7, 40, 5);
    z.konfig.AktuellesWerkzeug = WkzSuchen(a.werkzeuge, 7);
    zaehlerPruefen = false;
    ASSERT_TRUE(Lauf("N10 G00 X10 Y0\nN20 G41 G01 Y10\nN30 G02 X30 Y10 I10 J0\nN40 Z-1\n"
                     "N50 G01 Y0\nN60 G40 X40 Y0\n"));
    EXPECT_TRUE(b.Meldungen().empty());
    // The plunge comes after the arc, at its compensated end: the arc grows by
    // the radius to 12.5, the next line runs at x 32.5 (within the chords' rounding).
    std::size_t tauchen = 0;
    for (std::size_t i = 0; i < befehle.size(); ++i) {
        if (std::abs(stationen[i].z - 64.0) < 1e-9 && tauchen == 0) {
            tauchen = i;
        }
    }
    ASSERT_GT(tauchen, 50u);
    EXPECT_NEAR(stationen[tauchen].x, 32.5, 0.05);
    EXPECT_NEAR(stationen[tauchen].y, 10.0, 0.05);
    PunktIst(z.WerkzeugPositionW, 40, 0, -1);
}

// An arc that closes the contour gives only the last corner; the tool then
// leaves in a straight line, the arc is not run a second time.
TEST_F(LaufTest, ArcClosingTheCompensatedContourIsNotRunAgain) {
    WerkzeugAnlegen(7, 40, 5);
    z.konfig.AktuellesWerkzeug = WkzSuchen(a.werkzeuge, 7);
    zaehlerPruefen = false;
    ASSERT_TRUE(Lauf("N10 G00 X10 Y0\nN20 G41 G01 Y10\nN30 X30\nN40 G40 G02 X50 Y10 I10 J0\n"));
    EXPECT_TRUE(b.Meldungen().empty()) << b.Meldungen().front();
    EXPECT_LT(befehle.size(), 10u) << "no chords of an uncompensated arc";
    PunktIst(z.WerkzeugPositionW, 50, 10, 0);
}

// --- simulation -----------------------------------------------------------

TEST_F(LaufTest, SimulationSendsNothingAndDrawsEveryMove) {
    test::SpeicherLeitung leitung(b);
    leitung.offen = true;
    a.maschine.leitung = &leitung;
    ASSERT_TRUE(Lauf("N10 G00 X10 Y10\nN20 G01 X20\nN30 G170\nN40 M30\n"));
    EXPECT_EQ(befehle.size(), 2u) << "built and traced, not sent";
    EXPECT_EQ(leitung.gesendet, "") << "no plane command, no position query";
    EXPECT_EQ(b.Meldungen(), Zeilen{"M30: Programmende!"});
    EXPECT_GE(leinwand.linien.size(), 2u);
}

} // namespace
} // namespace korvx
