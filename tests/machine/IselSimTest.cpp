// The serial component and the protocol against korvx-ctlsim over a real
// pseudo-terminal: the reference run, moves, position read-back, and each
// injected fault ending with its message, the stop flags and nothing sent
// afterwards. Motion runs a thousand times faster than real; every wait is
// bounded.
#include "SimProtokoll.h"
#include "anlage/Anlage.h"
#include "ctlsim/SimProzess.h"
#include "machine/Isel.h"
#include "machine/SerielleLeitung.h"
#include "support/EchtzeitBediener.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace korvx {
namespace {

using namespace std::chrono_literals;

using test::EchtzeitBediener;

struct IselSimTest : test::SimAnlageTest {
    IselSimTest() : SimAnlageTest(',') {}

    void Starten(std::vector<std::string> fehler, const char* zeitfaktor = "0.001") {
        fehler.insert(fehler.begin(), {"--time-scale", zeitfaktor});
        SimStarten(fehler);
    }

    // What a program run does per straight move: ask the position, send the
    // move, stop at the first failure.
    void Fahren(const std::array<double, 4>& weg) {
        TPunkt3D p;
        if (z.stopp.Abbruch() || !PositionAbfragen(a, p) || z.stopp.Abbruch()) {
            return;
        }
        static_cast<void>(BefehlSenden(
            a, FahrBefehlBilden(z, {true, true, true, false}, weg, {1, 1, 1, 1}), 200));
    }
};

const std::string kReferenz[] = {"setup0", "@07", "@0d 1000, 1000, 1000", "@0e0", "@0R7"};

TEST_F(IselSimTest, ReferenceRunMovesAndPositionReadBack) {
    Starten({});
    ReferenzfahrtAusfuehren(a);
    ASSERT_TRUE(z.ReferenzAngefahren) << (b.Meldungen().empty() ? "" : b.Meldungen()[0]);
    TPunkt3D p{1, 1, 1};
    ASSERT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 0.0);
    EXPECT_DOUBLE_EQ(p.z, 0.0);

    Fahren({10.0, 5.0, 2.0, 0.0});
    Fahren({-2.5, 0.0, 0.0, 0.0});
    ASSERT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 7.5);
    EXPECT_DOUBLE_EQ(p.y, 5.0);
    EXPECT_DOUBLE_EQ(p.z, 65.0 - (65.0 + 2.0));
    EXPECT_FALSE(z.stopp.Abbruch());
    EXPECT_TRUE(b.Meldungen().empty());

    const auto rx = Empfangen();
    ASSERT_EQ(rx.size(), 11u);
    EXPECT_TRUE(std::equal(std::begin(kReferenz), std::end(kReferenz), rx.begin()));
    EXPECT_EQ(rx[7], "@0A 1000, 1667, 500, 1667, 200, 1667, 0, 1667");
    EXPECT_EQ(rx[10], "@0P");
}

TEST_F(IselSimTest, ErrorReplyToAMoveStopsEverything) {
    Starten({"--error-at", "7:2"});
    ReferenzfahrtAusfuehren(a);
    Fahren({10, 0, 0, 0});
    Fahren({10, 0, 0, 0});
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_TRUE(z.stopp.Abgebrochen());
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Fehlermeldung der Isel-Anlage: 2 : Endschalter betätigt!");
    EXPECT_EQ(Empfangen().size(), 7u) << "nothing is sent after the error";
}

TEST_F(IselSimTest, GarbledRepliesStopEverything) {
    Starten({"--garble-at", "6"});
    ReferenzfahrtAusfuehren(a);
    Fahren({1, 0, 0, 0});
    EXPECT_TRUE(z.stopp.Abbruch());
    ASSERT_FALSE(b.Meldungen().empty());
    EXPECT_EQ(b.Meldungen().back(), "Fehler bei der Positionsabfrage der Isel-Anlage: x-Position!");
    EXPECT_EQ(Empfangen().size(), 6u);
}

TEST_F(IselSimTest, GarbledMoveReplyIsAnUnknownError) {
    Starten({"--garble-at", "7"});
    ReferenzfahrtAusfuehren(a);
    Fahren({1, 0, 0, 0});
    Fahren({1, 0, 0, 0});
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Fehlermeldung der Isel-Anlage: ~ : unbekannter Fehler");
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_EQ(Empfangen().size(), 7u);
}

TEST_F(IselSimTest, SlowPositionReplyIsWaitedForWithinItsBound) {
    Starten({"--delay-at", "6:150", "--delay-at", "8:900"});
    ReferenzfahrtAusfuehren(a);
    Fahren({1, 0, 0, 0});
    EXPECT_FALSE(z.stopp.Abbruch()) << (b.Meldungen().empty() ? "" : b.Meldungen()[0]);
    Fahren({1, 0, 0, 0});
    EXPECT_TRUE(z.stopp.Abbruch());
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM1: !");
    EXPECT_EQ(Empfangen().size(), 8u);
}

TEST_F(IselSimTest, SilentControllerEndsTheWaitAtItsBound) {
    Starten({"--silent-from", "7"});
    ReferenzfahrtAusfuehren(a);
    z.ReferenzAngefahren = true;
    const auto t0 = std::chrono::steady_clock::now();
    Fahren({1, 0, 0, 0});
    const auto dauer = std::chrono::steady_clock::now() - t0;
    EXPECT_GE(dauer, 2300ms);
    EXPECT_LT(dauer, 4000ms);
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_TRUE(z.stopp.Abgebrochen());
    EXPECT_FALSE(z.ReferenzAngefahren);
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0].rfind("Die Isel-Anlage antwortet nicht auf den Befehl \"@0A 100", 0),
              0u);
    Fahren({1, 0, 0, 0});
    EXPECT_EQ(Empfangen().size(), 7u);
}

TEST_F(IselSimTest, HangUpIsNoticedAtOnce) {
    Starten({"--hangup-at", "7"});
    ReferenzfahrtAusfuehren(a);
    const auto t0 = std::chrono::steady_clock::now();
    Fahren({1, 0, 0, 0});
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 1000ms);
    EXPECT_TRUE(z.stopp.Abbruch());
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0].rfind("Keine Verbindung zur Isel-Anlage über COM1!", 0), 0u);
    EXPECT_TRUE(sim->AufEndeWarten(2000));
}

TEST_F(IselSimTest, FailedReferencePreparationSendsNothingMore) {
    Starten({"--error-at", "3:C"});
    ReferenzfahrtAusfuehren(a);
    EXPECT_FALSE(z.ReferenzAngefahren);
    ASSERT_EQ(b.Meldungen().size(), 2u);
    EXPECT_EQ(b.Meldungen()[1], "Fehler beim Einellen der Referenzgeschwindigkeiten!");
    EXPECT_EQ(Empfangen().size(), 3u);
}

TEST_F(IselSimTest, EmergencyStopEndsAMoveWhereItStands) {
    // The axes start 50 steps from home, so the reference run is short.
    Starten({"--start", "50,50,50"}, "1");
    z.konfig.PositionAbReferenz = {0.5, 0.5, 0.5};
    ReferenzfahrtAusfuehren(a);
    ASSERT_TRUE(z.ReferenzAngefahren);
    // 10 mm at 0.1 m/min take 6 s; the button is pressed after 200 ms.
    const auto t0 = b.Millisekunden();
    b.beiNachrichten = [&] {
        if (b.Millisekunden() - t0 >= 200 && !z.stopp.Abbruch()) {
            z.stopp.Abbrechen();
            NotausSenden(a);
        }
    };
    const bool ok = BefehlSenden(
        a, FahrBefehlBilden(z, {true, false, false, false}, {10, 0, 0, 0}, {0.1, 1, 1, 1}), 6300);
    EXPECT_FALSE(ok);
    EXPECT_LT(b.Millisekunden() - t0, 1500);
    b.beiNachrichten = nullptr;
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(LogEnthaelt("-- stop"));

    z.stopp.Freigeben();
    TPunkt3D p;
    ASSERT_TRUE(PositionAbfragen(a, p));
    EXPECT_GT(p.x, 0.1);
    EXPECT_LT(p.x, 3.0) << "the axis stopped where it stood, far from 10 mm";
}

} // namespace
} // namespace korvx
