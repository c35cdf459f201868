// The outputs a straight move is handed to: what each graphic mode draws,
// sends and waits, the trace around them, and that none sends after a stop.
#include "interpreter/Fahrausgabe.h"
#include "../machine/SpeicherLeitung.h"
#include "anlage/Anlage.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

using Zeilen = std::vector<std::string>;

struct FahrausgabeTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    test::SpeicherLeitung l{b};
    Maschinenzustand& z = a.zustand;
    int gezeichnet = 0;
    std::function<void()> zaehlen = [this] { ++gezeichnet; };
    Fahrauftrag auftrag{{400, 0, 0, 0}, {21, 21, 21, 21}, 2000, Zeichnung(zaehlen)};

    FahrausgabeTest() {
        a.maschine.leitung = &l;
        l.offen = true;
        z.ReferenzAngefahren = true;
    }
    void Fahren(Grafikart modus) {
        Laufumgebung u(a);
        z.konfig.Grafikmodus = modus;
        Ausgeben(u, auftrag);
    }
};

TEST_F(FahrausgabeTest, EachModeDrawsSendsAndWaitsAsItSays) {
    Fahren(Grafikart::Aus);
    EXPECT_EQ(gezeichnet, 0);
    EXPECT_EQ(l.zeilen, (Zeilen{"@0A 400, 21, 0, 21, 0, 21, 0, 21"}));

    Fahren(Grafikart::Parallel);
    EXPECT_EQ(gezeichnet, 1);
    EXPECT_EQ(l.zeilen.size(), 2u);

    // The simulation draws and waits the expected time scaled by the factor;
    // nothing reaches the line.
    z.SimulationsZeitFaktor = 0.1;
    const std::int64_t vorher = b.uhr;
    Fahren(Grafikart::Simulation);
    EXPECT_EQ(gezeichnet, 2);
    EXPECT_EQ(l.zeilen.size(), 2u);
    EXPECT_EQ(b.uhr - vorher, 200);
    EXPECT_EQ(a.lauf.simulierteMs, 2000 + 2000 + 200);

    // A mode byte of no known mode moves the machine as "Grafik aus".
    Fahren(static_cast<Grafikart>(7));
    EXPECT_EQ(gezeichnet, 2);
    EXPECT_EQ(l.zeilen.size(), 3u);
    EXPECT_FALSE(z.stopp.Gestoppt());
}

TEST_F(FahrausgabeTest, AfterAStopNothingIsSentInAnyMode) {
    z.stopp.Abbrechen(Stoppgrund::Notaus);
    Fahren(Grafikart::Aus);
    Fahren(Grafikart::Parallel);
    Fahren(Grafikart::Simulation);
    EXPECT_TRUE(l.gesendet.empty());
    // The simulated wait is over at once.
    EXPECT_EQ(b.uhr, 0);
}

TEST_F(FahrausgabeTest, TheTraceReportsEveryCommandAlsoInSimulation) {
    Zeilen gemeldet;
    a.lauf.befehlMelden = [&](const std::string& s) { gemeldet.push_back(s); };
    Fahren(Grafikart::Simulation);
    Fahren(Grafikart::Aus);
    EXPECT_EQ(gemeldet,
              (Zeilen{"@0A 400, 21, 0, 21, 0, 21, 0, 21", "@0A 400, 21, 0, 21, 0, 21, 0, 21"}));
    EXPECT_EQ(l.zeilen.size(), 1u);
}

TEST_F(FahrausgabeTest, OnlyTheMachineModesAskForThePosition) {
    Laufumgebung u(a);
    z.konfig.Grafikmodus = Grafikart::Simulation;
    const Rueckmeldung sim = PositionVorDerFahrt(u);
    EXPECT_TRUE(sim.ok);
    EXPECT_FALSE(sim.ist.has_value());
    EXPECT_TRUE(l.zeilen.empty());

    z.konfig.Grafikmodus = Grafikart::Parallel;
    const Rueckmeldung maschine = PositionVorDerFahrt(u);
    EXPECT_TRUE(maschine.ok);
    EXPECT_TRUE(maschine.ist.has_value());
    EXPECT_EQ(l.zeilen, (Zeilen{"@0P"}));

    // A failed query stops the sending.
    l.verbunden = false;
    EXPECT_FALSE(PositionVorDerFahrt(u).ok);
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_EQ(b.Meldungen(),
              Zeilen{"Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM1: !"});
}

} // namespace
} // namespace korvx
