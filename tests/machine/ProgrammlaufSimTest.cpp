// Program runs in the machine mode against korvx-ctlsim over a real
// pseudo-terminal: the controller ends where the program ends, for either
// sense of the x axis and a zero point off the step grid, also after hundreds
// of arc chords; a fault in the middle of a program stops it with nothing sent
// afterwards. Motion and the line run much faster than real; every wait is
// bounded.
#include "SimProtokoll.h"
#include "anlage/Anlage.h"
#include "ctlsim/SimProzess.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "machine/SerielleLeitung.h"
#include "support/EchtzeitBediener.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace korvx {
namespace {

using namespace std::chrono_literals;
using Zeilen = std::vector<std::string>;

using test::EchtzeitBediener;

struct ProgrammlaufSimTest : test::SimAnlageTest {
    ProgrammlaufSimTest() : SimAnlageTest('.') {}

    // Starts the simulator, makes the reference run and loads the program.
    void Starten(std::vector<std::string> fehler, const char* zeitfaktor = "0.001") {
        fehler.insert(fehler.begin(), {"--time-scale", zeitfaktor, "--baud", "1000000"});
        SimStarten(fehler);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
        ReferenzfahrtAusfuehren(a);
        ASSERT_TRUE(z.ReferenzAngefahren) << (b.Meldungen().empty() ? "" : b.Meldungen()[0]);
    }
    bool Lauf(std::string_view text) {
        a.programm = BlockList::Hauptprogramm(text);
        return Automatikbetrieb(a);
    }
};

// setup0, @07, @0d …, @0e0, @0R7, then the run's plane command.
constexpr std::size_t kVorDemLauf = 6;

TEST_F(ProgrammlaufSimTest, ControllerEndsAtTheProgrammedPointAfterHundredsOfArcChords) {
    // Both senses of the x axis, a zero point between two steps.
    for (const bool rechts : {true, false}) {
        SCOPED_TRACE(rechts);
        Starten({});
        z.konfig.RechteHandRegel = rechts;
        z.WerkstueckNullpunkt = {100.003, 50.0, 60.0};
        z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
        ordner.Schreiben("KREIS.CNC", "N1 G91 G02 X0 Y0 I7.3 J2.1\nN2 G90\nM30\n");
        z.konfig.TeileprogrammDatei.Setzen(ordner.Datei("HAUPT.CNC"));
        const auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(Lauf("N10 G01 X10 Y10 Z-2\n"
                         "N20 G03 X30 Y10 I10 J0\n"
                         "N30 G03 X10 Y10 I-10 J0\n"
                         "N40 L KREIS\n"
                         "N50 G00 X12.345 Y-6.789 Z-3.21\n"));
        EXPECT_LT(std::chrono::steady_clock::now() - t0, 10s);
        EXPECT_TRUE(b.Meldungen().empty()) << b.Meldungen()[0];
        EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
        ASSERT_TRUE(z.ReferenzAngefahren);
        EXPECT_GT(a.lauf.bewegungen, 500);

        // The controller's counters, read back in workpiece coordinates, lie
        // within half a step of the programmed end.
        TPunkt3D ist;
        ASSERT_TRUE(PositionAbfragen(a, ist));
        EXPECT_NEAR(ist.x, 12.345, 0.005);
        EXPECT_NEAR(ist.y, -6.789, 0.005);
        EXPECT_NEAR(ist.z, -3.21, 0.005);
        EXPECT_DOUBLE_EQ(z.WerkzeugPositionW.x, 12.345);
        const TPunkt3D m = NachMaschinenKoord(z, z.WerkzeugPositionW);
        EXPECT_NEAR(z.PositionM.x, m.x, 1e-9);
        EXPECT_NEAR(z.PositionM.x, rechts ? 112.348 : 87.658, 1e-9);
        EXPECT_EQ(Empfangen().back(), "@0P");

        sim.reset();
        leitung.reset();
        serial.reset();
        b.Meldungen().clear();
    }
}

// The spindle height the controller's counters hold, from its last reply to
// a position query (z counts down from the top of the travel, 100 steps/mm).
double GezaehlteHoehe(const std::string& logdatei, double oben) {
    std::ifstream log(logdatei);
    std::string zeit, art, rest, letzte;
    while (log >> zeit >> art) {
        std::getline(log, rest);
        std::string antwort = rest.substr(std::min<std::size_t>(1, rest.size()));
        while (antwort.size() >= 2 && antwort.compare(antwort.size() - 2, 2, "\\r") == 0) {
            antwort.resize(antwort.size() - 2);
        }
        if (art == "tx" && antwort.size() == 19 && antwort[0] == '0') {
            letzte = antwort;
        }
    }
    if (letzte.size() != 19) {
        ADD_FAILURE() << "no position reply in the log";
        return 0.0;
    }
    long schritte = std::stol(letzte.substr(13, 6), nullptr, 16);
    if (schritte >= 0x800000) {
        schritte -= 0x1000000;
    }
    return oben - static_cast<double>(schritte) / 100.0;
}

TEST_F(ProgrammlaufSimTest, AfterToolChangesTheTipIsAtTheProgrammedZAndTheCountersAgree) {
    Starten({});
    for (const auto& [nummer, laenge] : {std::pair{1, 40.0}, {2, 50.0}, {3, 32.5}}) {
        TWerkzeug w;
        w.Nummer = static_cast<std::uint8_t>(nummer);
        w.Laenge = laenge;
        a.werkzeuge.WkzListe.push_back(w);
    }
    // The zero point (off the step grid in x) is set with tool 1 in use.
    z.WerkzeugEinsetzen(a.werkzeuge.WkzListe[0]);
    z.NullpunktSetzen({100.003, 50.0, 40.0});
    z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
    const double oben = z.konfig.Spindellaenge.z;
    struct Abschnitt {
        const char* programm;
        int werkzeug;
        double spindel; // machine z with the tip at Z-2
    };
    // Tool 2 is 10 mm longer, tool 3 7.5 mm shorter than tool 1.
    const Abschnitt abschnitte[] = {
        {"N10 G01 X10 Y10 Z-2\nN20 T2\nN30 G00 Z5\nN40 G01 Z-2\n", 2, 48.0},
        {"N10 T3\nN20 G00 Z5\nN30 G01 Z-2\n", 3, 30.5},
        {"N10 T1\nN20 G00 Z5\nN30 G01 Z-2\n", 1, 38.0},
    };
    for (const Abschnitt& t : abschnitte) {
        SCOPED_TRACE(t.programm);
        b.antworten = {true};
        ASSERT_TRUE(Lauf(t.programm));
        ASSERT_TRUE(b.Meldungen().empty()) << b.Meldungen()[0];
        ASSERT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
        EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, t.werkzeug);
        EXPECT_NEAR(z.PositionM.z, t.spindel, 1e-9);
        EXPECT_NEAR(z.WerkzeugPositionW.z, -2.0, 1e-9);
        // Read back, the tip is where it was programmed, and the counters
        // hold the spindle height the run reports.
        TPunkt3D ist;
        ASSERT_TRUE(PositionAbfragen(a, ist));
        EXPECT_NEAR(ist.z, -2.0, 0.005);
        EXPECT_NEAR(ist.x, 10.0, 0.005);
        EXPECT_NEAR(GezaehlteHoehe(ordner.Datei("ctlsim.log"), oben), t.spindel, 1e-9);
    }
    EXPECT_EQ(z.Laengenversatz(), 0.0);
}

TEST_F(ProgrammlaufSimTest, ErrorReplyInTheMiddleStopsTheRun) {
    // Line 10 is the second move of the run.
    Starten({"--error-at", "10:2"});
    ASSERT_TRUE(Lauf("N10 G01 X10\nN20 X20\nN30 X30\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"Fehlermeldung der Isel-Anlage: 2 : Endschalter betätigt!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(b.anzeigen[Anzeige::X], "999.99");
    EXPECT_DOUBLE_EQ(z.WerkzeugPositionW.x, 10.0) << "the refused move is not taken as made";
    std::this_thread::sleep_for(50ms);
    const Zeilen rx = Empfangen();
    ASSERT_EQ(rx.size(), 10u) << "nothing is sent after the error";
    EXPECT_EQ(rx[kVorDemLauf - 1], "@0e0");
    EXPECT_EQ(rx[9].rfind("@0A 1000, ", 0), 0u);
}

TEST_F(ProgrammlaufSimTest, SilentControllerInTheMiddleStopsTheRunWithinItsBound) {
    Starten({"--silent-from", "10"});
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(Lauf("N10 G01 X10\nN20 X20\nN30 X30\n"));
    const auto dauer = std::chrono::steady_clock::now() - t0;
    EXPECT_LT(dauer, 5s);
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(
        b.Meldungen()[0].rfind("Die Isel-Anlage antwortet nicht auf den Befehl \"@0A 1000", 0), 0u)
        << b.Meldungen()[0];
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_NE(a.zustand.stopp.Grund(), Stoppgrund::Ende);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Empfangen().size(), 10u);
}

TEST_F(ProgrammlaufSimTest, SilentPositionQueryStopsTheRun) {
    Starten({"--silent-from", "9"});
    ASSERT_TRUE(Lauf("N10 G01 X10\nN20 X20\n"));
    EXPECT_EQ(b.Meldungen(),
              Zeilen{"Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM1: !"});
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_DOUBLE_EQ(z.WerkzeugPositionW.x, 10.0);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Empfangen().size(), 9u);
}

TEST_F(ProgrammlaufSimTest, EmergencyStopDuringAMoveSendsTheStopByte) {
    // The axes start 50 steps from home, so the reference run is short; the
    // move of 10 mm at 0.1 m/min takes 6 s, the button is pressed after 200 ms.
    std::vector<std::string> start = {"--start", "50,50,50"};
    Starten(start, "1");
    std::int64_t gesendet = -1;
    a.lauf.befehlMelden = [&](const std::string&) { gesendet = b.Millisekunden(); };
    b.beiNachrichten = [&] {
        if (gesendet >= 0 && b.Millisekunden() - gesendet >= 200 && !z.stopp.Abbruch()) {
            Notaus(a);
        }
    };
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(Lauf("N10 G01 F0.1 X10\nN20 X20\n"));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 1500ms);
    b.beiNachrichten = nullptr;
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Notaus);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_DOUBLE_EQ(z.WerkzeugPositionW.x, 0.0);
    std::this_thread::sleep_for(50ms);
    const Zeilen rx = Empfangen();
    ASSERT_EQ(rx.size(), 9u);
    EXPECT_EQ(rx[8], "\\xFF");
    EXPECT_TRUE(LogEnthaelt("-- stop"));
}

} // namespace
} // namespace korvx
