// The controller protocol against an in-memory line and a virtual clock.
#include "machine/Isel.h"
#include "SpeicherLeitung.h"
#include "anlage/Anlage.h"
#include "interpreter/Programmlauf.h"
#include "machine/IselProtokoll.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>
#include <map>

namespace korvx {
namespace {

using test::FakeBediener;
using test::SpeicherLeitung;

struct IselTest : ::testing::Test {
    FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    SpeicherLeitung l{b};
    Maschinenzustand& z = a.zustand;

    IselTest() {
        a.maschine.leitung = &l;
        l.offen = true;
        z.konfig.Grafikmodus = Grafikart::Aus;
    }
    // Every reply scripted by line.
    void Antworten(std::map<std::string, std::string> m) {
        l.antworten = [m](const std::string& zeile) -> std::optional<std::string> {
            const auto it = m.find(zeile);
            if (it != m.end()) {
                return it->second;
            }
            return std::string("0");
        };
    }
};

TEST_F(IselTest, CommandGoesOutWithTwoCarriageReturnsAndZeroConfirms) {
    bool ok = false;
    ok = BefehlSenden(a, "@07", 100);
    EXPECT_EQ(l.gesendet, "@07\r\r");
    EXPECT_TRUE(ok);
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_TRUE(a.maschine.Antwort.Leer());
    EXPECT_FALSE(z.stopp.Abbruch());
    // The reply is taken the moment it arrives: no core is spun and no fixed
    // sleep added (reply after 10 ms, slices of at most 5 ms).
    EXPECT_LE(b.uhr, 10);
    EXPECT_LE(l.groessteWarteMs, 5);
}

TEST_F(IselTest, ErrorRepliesAreShownWithTheirTableTextAndStopTheWork) {
    Antworten({{"@0A 1", "2"}, {"@0A 2", "Gxyz"}, {"@0A 3", "a"}, {"@0A 4", "F23456789ABCDEF"}});
    bool ok = true;
    ok = BefehlSenden(a, "@0A 1", 0);
    EXPECT_FALSE(ok) << "an error reply is no confirmation";
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_TRUE(z.stopp.Abgebrochen());
    ok = false;
    z.stopp.Freigeben(); // each command judged on its own
    ok = BefehlSenden(a, "@0A 2", 0);
    z.stopp.Freigeben();
    ok = BefehlSenden(a, "@0A 3", 0);
    z.stopp.Freigeben();
    ok = BefehlSenden(a, "@0A 4", 0);
    EXPECT_FALSE(ok);
    ASSERT_EQ(b.Meldungen().size(), 4u);
    EXPECT_EQ(b.Meldungen()[0], "Fehlermeldung der Isel-Anlage: 2 : Endschalter betätigt!");
    EXPECT_EQ(b.Meldungen()[1], "Fehlermeldung der Isel-Anlage: Gxyz : unbekannter Fehler");
    EXPECT_EQ(b.Meldungen()[2], "Fehlermeldung der Isel-Anlage: a : Startzeichen fü\u0081r die "
                                "zweite Interfacekarte ohne Endzeichen!");
    EXPECT_EQ(b.Meldungen()[3], "Fehlermeldung der Isel-Anlage: F23456789A : zu geringe "
                                "ParameterZahl fü\u0081r den aktuellen Befehl!")
        << "the reply is cut to ten characters";

    b.Meldungen().clear();
    z.stopp.Freigeben();
    z.stopp.Fortsetzen();
    z.FehlermeldungUnterdruecken = true;
    ok = BefehlSenden(a, "@0A 1", 0);
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_FALSE(z.stopp.Abbruch());
}

// The plane commands are kept by the machine state (which cannot see the
// protocol's header) and by the protocol; they must name the same texts.
TEST(IselProtokoll, PlaneCommandsOfTheStateAreTheProtocolsOwn) {
    Maschinenzustand z;
    const std::pair<std::uint8_t, std::string_view> ebenen[] = {{kEbeneXY, isel::kEbeneXY},
                                                                {kEbeneXZ, isel::kEbeneXZ},
                                                                {kEbeneYZ, isel::kEbeneYZ},
                                                                {kEbene3D, isel::kEbene3D}};
    for (const auto& [ebene, befehl] : ebenen) {
        z.Interpolationsebene = ebene;
        z.EbenenBefehlSetzen();
        EXPECT_EQ(z.EbenenBefehl, befehl) << int{ebene};
    }
}

TEST_F(IselTest, ErrorIndexOfTheReplyCharacter) {
    EXPECT_EQ(FehlerIndex('0'), 0);
    EXPECT_EQ(FehlerIndex('9'), 9);
    EXPECT_EQ(FehlerIndex('A'), 10);
    EXPECT_EQ(FehlerIndex('e'), 14);
    EXPECT_EQ(FehlerIndex('='), 15);
    EXPECT_EQ(FehlerIndex('G'), 16);
    EXPECT_EQ(FehlerIndex('\r'), 16);
}

TEST_F(IselTest, WithAbbruchSetTheCommandIsSentButNotAwaited) {
    z.stopp.SendenSperren();
    bool ok = true;
    ok = BefehlSenden(a, "\xFF", 200);
    EXPECT_EQ(l.gesendet, "\xFF\r\r");
    EXPECT_FALSE(ok);
    EXPECT_EQ(l.warteAufrufe, 0);
    EXPECT_EQ(b.uhr, 0);

    // The abort button pressed in the events processed just before the send:
    // the command stays unsent.
    l.gesendet.clear();
    z.stopp.Freigeben();
    b.beiNachrichten = [&] { z.stopp.Abbrechen(); };
    ok = true;
    ok = BefehlSenden(a, "@0A 1000, 21, 0, 21, 0, 21, 0, 21", 200);
    EXPECT_EQ(l.gesendet, "");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(IselTest, MissingReplyEndsAfterTheBoundAndMarksTheReferenceLost) {
    l.antworten = [](const std::string&) { return std::nullopt; };
    z.ReferenzAngefahren = true;
    bool ok = true;
    ok = BefehlSenden(a, "@0A 10, 21, 0, 21, 0, 21, 0, 21", 1000);
    EXPECT_FALSE(ok);
    EXPECT_GE(b.uhr, AntwortGrenzeMs(1000));
    EXPECT_LE(b.uhr, AntwortGrenzeMs(1000) + 5);
    EXPECT_EQ(AntwortGrenzeMs(1000), 3500);
    EXPECT_EQ(AntwortGrenzeMs(50), 2300) << "short durations count as 200 ms";
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_TRUE(z.stopp.Abgebrochen());
    EXPECT_FALSE(z.ReferenzAngefahren);
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0],
              "Die Isel-Anlage antwortet nicht auf den Befehl \"@0A 10, 21, 0, 21, 0, 21, 0, "
              "21\" (Wartezeit 3,5 s überschritten)! Die Arbeit wird abgebrochen; fahren Sie "
              "den Referenzpunkt neu an.");
    // Events were processed every few milliseconds all along.
    EXPECT_GE(b.nachrichtenAufrufe, 3500 / 5);
}

TEST_F(IselTest, StopDuringTheWaitEndsItAtOnce) {
    l.antworten = [](const std::string& zeile) -> std::optional<std::string> {
        if (zeile.rfind("@0A", 0) == 0) {
            return std::nullopt; // a long move: no reply yet
        }
        return std::nullopt;
    };
    z.ReferenzAngefahren = true;
    // The emergency-stop button, pressed 100 ms into the wait, sends the stop
    // byte from inside the wait.
    b.beiNachrichten = [&] {
        if (b.uhr >= 100 && !z.stopp.Abbruch()) {
            z.stopp.Abbrechen();
            NotausSenden(a);
        }
    };
    bool ok = true;
    ok = BefehlSenden(a, "@0A 1000, 21, 0, 21, 0, 21, 0, 21", 50000);
    EXPECT_FALSE(ok);
    EXPECT_LT(b.uhr, 110);
    EXPECT_EQ(l.gesendet, "@0A 1000, 21, 0, 21, 0, 21, 0, 21\r\r\xFF\r\r");
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(IselTest, ClosedOrLostLineFailsAtOnce) {
    l.verbunden = false;
    l.port = 2;
    bool ok = true;
    ok = BefehlSenden(a, "@07", 100);
    EXPECT_FALSE(ok);
    EXPECT_EQ(b.uhr, 0);
    EXPECT_TRUE(z.stopp.Abbruch());
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0].rfind("Keine Verbindung zur Isel-Anlage über COM2!", 0), 0u);
}

TEST_F(IselTest, PositionReplyIsConvertedToMillimetres) {
    l.position = "0000190FFFE70000000";
    TPunkt3D p{9, 9, 9};
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_EQ(l.gesendet, "@0P\r");
    EXPECT_DOUBLE_EQ(p.x, 4.0);
    EXPECT_DOUBLE_EQ(p.y, -4.0);
    EXPECT_DOUBLE_EQ(p.z, 65.0);
    EXPECT_DOUBLE_EQ(z.AbgefragtePosition.y, -4.0);
    EXPECT_LE(b.uhr, 15) << "no fixed 100 ms sleep";

    // Zero point and the other sense of x.
    z.WerkstueckNullpunkt = {100.0, 20.0, 5.0};
    z.konfig.RechteHandRegel = false;
    l.position = std::string("0") + "000190" + "000190" + "000064";
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 96.0);
    EXPECT_DOUBLE_EQ(p.y, 4.0 - 20.0);
    EXPECT_DOUBLE_EQ(p.z, 65.0 - (5.0 + 1.0));
    EXPECT_TRUE(b.Meldungen().empty());

    // With a tool 10 mm longer than the one the zero point was set with, the
    // same counters put the tip 10 mm lower.
    TWerkzeug lang;
    lang.Nummer = 2;
    lang.Laenge = 10.0;
    z.WerkzeugEinsetzen(lang);
    l.position = std::string("0") + "000190" + "000190" + "000064";
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 96.0);
    EXPECT_DOUBLE_EQ(p.z, 65.0 - (5.0 + 1.0) - 10.0);
}

TEST_F(IselTest, SlowOrPrefixedPositionRepliesAreReadWhole) {
    l.position = "0000190FFFE70000000";
    l.verzoegerungMs = 300; // slower than the old fixed 100 ms
    TPunkt3D p;
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 4.0);

    l.verzoegerungMs = 10;
    l.position = "00000190FFFE70000000"; // a late "0" in front
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.y, -4.0);
    EXPECT_TRUE(b.Meldungen().empty());

    // A reply that came after its query gave up (and after the work was
    // restarted) is not taken for the next command's reply or position.
    l.Ankommen("0000190FFFE70000000");
    Antworten({{"@0A 5", "2"}});
    bool ok = false;
    ok = BefehlSenden(a, "@0A 5", 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(b.Meldungen().size(), 1u);
    z.stopp.Freigeben();
    l.Ankommen("0000190FFFE70000000");
    l.antworten = nullptr;
    l.position = "0000064FFFE70000000";
    EXPECT_TRUE(PositionAbfragen(a, p));
    EXPECT_DOUBLE_EQ(p.x, 1.0);
}

// COM3 and COM4 are ports like COM1 and COM2: the reference run opens the
// one the settings name, and a failed position query names the port it used.
TEST_F(IselTest, EveryNumberedPortIsOpenedAndNamedAsChosen) {
    for (const int port : {1, 2, 3, 4}) {
        z.konfig.ComPortNummer = static_cast<std::uint8_t>(port);
        l.port = 0;
        z.stopp.Freigeben();
        ReferenzfahrtAusfuehren(a);
        EXPECT_EQ(l.port, port);
        EXPECT_TRUE(z.ReferenzAngefahren);
    }
    z.konfig.ComPortNummer = 1; // the settings say otherwise than the line
    l.port = 3;
    l.antworten = [](const std::string&) { return std::nullopt; };
    TPunkt3D p;
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_EQ(b.Meldungen().back(),
              "Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM3: !");
}

TEST_F(IselTest, FailedPositionQueriesStopTheWork) {
    const std::string kommunikation =
        "Isel-Positionsbestimmung: Kommunikationsfehler mit mi COM1: !";
    TPunkt3D p{1, 2, 3};
    // No reply: the bound ends the wait.
    l.antworten = [](const std::string&) { return std::nullopt; };
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_GE(b.uhr, kPositionsGrenzeMs);
    EXPECT_LE(b.uhr, kPositionsGrenzeMs + 5);
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_EQ(b.Meldungen().back(), kommunikation);

    // An incomplete reply is no position.
    z.stopp.Freigeben();
    l.antworten = [](const std::string&) { return std::string("0000190"); };
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_EQ(b.Meldungen().size(), 2u);

    // An error reply is judged at once.
    z.stopp.Freigeben();
    b.uhr = 0;
    l.antworten = [](const std::string&) { return std::string("5"); };
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_LE(b.uhr, 10);
    EXPECT_EQ(b.Meldungen().back(), kommunikation);

    // A garbled field: its message, and no position taken.
    z.stopp.Freigeben();
    b.Meldungen().clear();
    l.antworten = [](const std::string&) { return std::string("0000190FFFE7000G000"); };
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_TRUE(z.stopp.Abbruch());
    ASSERT_FALSE(b.Meldungen().empty());
    EXPECT_EQ(b.Meldungen().back(), "Fehler bei der Positionsabfrage der Isel-Anlage: z-Position!");
    EXPECT_DOUBLE_EQ(p.x, 1.0);

    // With the work stopped nothing is asked.
    l.gesendet.clear();
    EXPECT_FALSE(PositionAbfragen(a, p));
    EXPECT_EQ(l.gesendet, "");
}

TEST_F(IselTest, MoveCommandText) {
    EXPECT_EQ(FahrBefehlBilden(z, {true, false, false, false}, {10, 5, 5, 5}, {1, 1, 1, 1}),
              "@0A 1000, 1667, 0, 1667, 0, 1667, 0, 1667");
    // Rates are limited to 21 … 10000; the second z uses the z pitch.
    z.konfig.Spindelsteigung.z = 2.0;
    EXPECT_EQ(FahrBefehlBilden(z, {true, true, true, true}, {-0.005, 0.015, -1, 0.5},
                               {0.001, 100, 1, 0.3}),
              "@0A 0, 21, 2, 10000, -200, 3333, 100, 1000");
}

TEST_F(IselTest, ReferenceRunSendsItsCommandsAndResetsThePositions) {
    bool hookGerufen = false;
    a.maschine.beiReferenzErreicht = [&] {
        // A test display refreshed here must see the reset positions.
        hookGerufen = z.PositionM.z == 65.0 && z.konfig.PositionAbReferenz.x == 0.0;
    };
    a.maschine.NullpunktGewaehlt = true;
    z.konfig.ComPortNummer = 7; // above 4 selects 4
    l.Ankommen("0");            // a late reply of an earlier run
    EXPECT_EQ(ReferenzDauer(z), 56500);
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(l.port, 4);
    EXPECT_EQ(l.gesendet, "setup0\r@07\r\r@0d 1000, 1000, 1000\r\r@0e0\r\r@0R7\r\r");
    EXPECT_EQ(z.Verfahrdauer, 56500);
    EXPECT_TRUE(z.ReferenzAngefahren);
    EXPECT_FALSE(a.maschine.NullpunktGewaehlt);
    EXPECT_TRUE(hookGerufen);
    EXPECT_FALSE(z.FehlermeldungUnterdruecken);
    EXPECT_DOUBLE_EQ(z.PositionM.z, 65.0);
    EXPECT_DOUBLE_EQ(z.WerkstueckNullpunkt.z, 65.0);
    EXPECT_DOUBLE_EQ(z.konfig.PositionAbReferenz.x, 0.0);
    EXPECT_EQ(b.anzeigen[Anzeige::Hinweis], "0,00/0,00/0,00");
    EXPECT_EQ(b.anzeigen[Anzeige::Ziel], "Position (M)");
    EXPECT_EQ(b.anzeigen[Anzeige::Z], "65,00");
    EXPECT_TRUE(b.Meldungen().empty());

    // A position not trusted (PositionAbReferenz 0 while the axes stand far
    // away): the run's reply is awaited as long as homing the whole travel
    // takes, not just 2.3 s.
    z.ReferenzAngefahren = false;
    l.antworten = [&](const std::string& zeile) -> std::optional<std::string> {
        l.verzoegerungMs = zeile == "@0R7" ? 50000 : 10;
        return std::string("0");
    };
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(z.Verfahrdauer, 0);
    EXPECT_TRUE(z.ReferenzAngefahren) << (b.Meldungen().empty() ? "" : b.Meldungen()[0]);
}

TEST_F(IselTest, FailedReferenceRunSendsNothingMore) {
    Antworten({{"@0d 1000, 1000, 1000", "C"}});
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(l.zeilen, (std::vector<std::string>{"setup0", "@07", "@0d 1000, 1000, 1000"}));
    ASSERT_EQ(b.Meldungen().size(), 2u);
    EXPECT_EQ(b.Meldungen()[0], "Fehlermeldung der Isel-Anlage: C : Geschwindigkeit nicht "
                                "zulässig. Sollwerte (21..10000) Hz!");
    EXPECT_EQ(b.Meldungen()[1], "Fehler beim Einellen der Referenzgeschwindigkeiten!");
    EXPECT_FALSE(z.ReferenzAngefahren);

    // An error reply to the reference run itself is not shown as a controller
    // error, but the run does not count as done.
    b.Meldungen().clear();
    l.zeilen.clear();
    z.stopp.Freigeben();
    z.stopp.Fortsetzen();
    Antworten({{"@0R7", "2"}});
    ReferenzfahrtAusfuehren(a);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_FALSE(z.stopp.Abbruch());
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Referenzfahrt nicht abgeschlossen! Antwort der Isel-Anlage: 2 : "
                                "Endschalter betätigt!");

    // The plane command fails: its message, no reference run.
    b.Meldungen().clear();
    l.zeilen.clear();
    z.stopp.Freigeben();
    z.stopp.Fortsetzen();
    Antworten({{"@0e0", "5"}});
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(l.zeilen.back(), "@0e0");
    EXPECT_EQ(b.Meldungen().back(), "Fehler beim Einstellen der Interpolationsebene!");

    // No reply to the first command: bounded, and nothing after it.
    b.Meldungen().clear();
    l.zeilen.clear();
    z.stopp.Freigeben();
    z.stopp.Fortsetzen();
    l.antworten = [](const std::string&) { return std::nullopt; };
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(l.zeilen, (std::vector<std::string>{"setup0", "@07"}));
    EXPECT_EQ(b.Meldungen().size(), 1u);
    EXPECT_TRUE(z.stopp.Abbruch());
}

TEST_F(IselTest, ReferenceRunInSimulationSendsNothing) {
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.1;
    ReferenzfahrtAusfuehren(a);
    EXPECT_EQ(l.gesendet, "");
    EXPECT_EQ(z.Verfahrdauer, 5650);
    EXPECT_TRUE(z.ReferenzAngefahren);
}

TEST_F(IselTest, EmergencyStopBytes) {
    z.stopp.SendenSperren();
    z.ReferenzAngefahren = true;
    NotausSenden(a);
    EXPECT_EQ(l.gesendet, "\xFF\r\r");
    EXPECT_TRUE(b.Meldungen().empty());

    l.gesendet.clear();
    z.ReferenzAngefahren = false;
    NotausSenden(a);
    EXPECT_EQ(l.gesendet, "\xFE\r\r");
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Notaus bei Referenzfahrt betätigt!\r\nInitialisieren Sie die "
                                "Isel(R)-Anlage am Controller neu\r\n(Prozessor-Reset) und "
                                "schließen Sie danach dises Fenster!");
}

TEST_F(IselTest, AnUnknownModeByteIsKeptAndActsAsGrafikAus) {
    // A settings file may hold a mode byte this program never writes: it is
    // written back unchanged, and the emergency stop still reaches the
    // machine, which such a mode moves.
    TKonfiguration::Abbild bild = z.konfig.KonfigurationsBlock();
    bild[468] = 7;
    z.konfig.AusBild(bild);
    EXPECT_EQ(z.konfig.KonfigurationsBlock()[468], 7);
    EXPECT_TRUE(MaschineBenutzt(z.konfig.Grafikmodus));
    EXPECT_FALSE(GrafikZeichnet(z.konfig.Grafikmodus));
    z.ReferenzAngefahren = true;
    Notaus(a);
    EXPECT_EQ(l.gesendet, "\xFF\r\r");
    EXPECT_FALSE(z.ReferenzAngefahren);
}

TEST_F(IselTest, PortPreparationSelectsOpensAndFlushes) {
    l.offen = false;
    l.port = 1;
    SchnittstelleVorbereiten(a, 0);
    EXPECT_EQ(l.port, 1);
    EXPECT_TRUE(l.offen);
    EXPECT_EQ(l.gesendet, "setup0\r");
    SchnittstelleVorbereiten(a, 2);
    EXPECT_EQ(l.port, 2);

    WartenMitNachrichten(a, 0);
    EXPECT_EQ(b.uhr, 0);
    WartenMitNachrichten(a, 40);
    EXPECT_EQ(b.uhr, 40);
}

} // namespace
} // namespace korvx
