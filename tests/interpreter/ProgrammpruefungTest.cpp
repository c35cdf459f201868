// The check of a whole run before it is made: it finds what the run would
// find (zone, errors, tool changes) without stopping at the first, leaves
// the plant exactly as it was, and its time figures follow the moves a real
// run makes.
#include "interpreter/Programmpruefung.h"
#include "anlage/Anlage.h"
#include "interpreter/Laufzeitmodell.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/Meldungen.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "tools/Werkzeugliste.h"

#include <climits>
#include <gtest/gtest.h>

namespace korvx {
namespace {

struct ProgrammpruefungTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    Maschinenzustand& z = a.zustand;
    test::AufzeichnungsLeinwand leinwand;

    void SetUp() override {
        z.konfig.Grafikmodus = Grafikart::Simulation;
        a.grafik.bild = &leinwand;
        ReferenzfahrtAusfuehren(a);
        ASSERT_TRUE(z.ReferenzAngefahren);
        b.Ereignisse().clear();
        b.Meldungen().clear();
        for (const std::uint8_t n : {std::uint8_t{1}, std::uint8_t{2}}) {
            TWerkzeug w;
            w.Nummer = n;
            w.Laenge = 40.0 + n;
            w.Durchmesser = 3.0;
            w.Benennung.Setzen(n == 1 ? "Fraeser" : "Bohrer");
            ASSERT_TRUE(WkzAnhaengen(b, a.werkzeuge, w));
        }
    }

    Pruefbericht Pruefen(std::string_view text, const Pruefoptionen& o = {}) {
        a.programm = BlockList::Hauptprogramm(text);
        return ProgrammVorpruefen(a, o);
    }
};

TEST_F(ProgrammpruefungTest, LeavesThePlantAsItWasAndShowsNothing) {
    z.NullpunktSetzen({10.0, 20.0, 50.0});
    z.WerkzeugPositionW = {1.0, 2.0, 3.0};
    z.PositionM = {11.0, 22.0, 53.0};
    const TKonfiguration konfig = z.konfig;
    const TPunkt3D nullpunkt = z.WerkstueckNullpunkt;
    const TPunkt3D w = z.WerkzeugPositionW;
    const TPunkt3D m = z.PositionM;
    const double versatz = z.Laengenversatz();
    const auto wkz = a.werkzeuge.WkzListe;

    // Tool change, zero shift, incremental moves, a feed, an error, a zone
    // violation, M0 and M30: everything that changes state in a run.
    const Pruefbericht r = Pruefen("N10 T2\nN20 G54 X5 Y5\nN30 G91 G01 X10 F2\nN40 G77\n"
                                   "N50 G90 G00 X900\nN60 M0\nN70 S3000\nN80 M30\n");
    EXPECT_TRUE(r.gestartet);
    EXPECT_EQ(z.konfig, konfig);
    EXPECT_EQ(z.WerkstueckNullpunkt, nullpunkt);
    EXPECT_EQ(z.WerkzeugPositionW, w);
    EXPECT_EQ(z.PositionM, m);
    EXPECT_EQ(z.Laengenversatz(), versatz);
    EXPECT_EQ(a.werkzeuge.WkzListe, wkz);
    EXPECT_TRUE(z.ReferenzAngefahren);
    EXPECT_FALSE(z.stopp.Gestoppt());
    EXPECT_FALSE(a.lauf.laeuft);
    EXPECT_EQ(a.lauf.umleitung, nullptr);
    EXPECT_EQ(a.lauf.saetze, 0);
    // No box, no question, no drawing.
    EXPECT_TRUE(b.Ereignisse().empty());
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_TRUE(leinwand.protokoll.empty());
    EXPECT_FALSE(a.grafik.Gezeichnet);
}

TEST_F(ProgrammpruefungTest, GoesOnAfterErrorsAndRecordsEachWithItsBlock) {
    const Pruefbericht r = Pruefen("N10 G00 X10\nN20 G66\nN30 T9\nN40 G01 X20 F1\n"
                                   "N50 M0\nN60 Q5\nN70 G00 X30\nN80 M30\nN90 G00 X99\n");
    ASSERT_EQ(r.fehlerAnzahl, 3);
    ASSERT_EQ(r.fehler.size(), 3u);
    EXPECT_EQ(r.fehler[0].stelle.zeile, 2u);
    EXPECT_EQ(r.fehler[0].stelle.satz, "N20 G66");
    EXPECT_EQ(r.fehler[1].stelle.zeile, 3u);
    EXPECT_EQ(r.fehler[1].text, meldung::WerkzeugNichtBekannt(9));
    EXPECT_EQ(r.fehler[2].stelle.zeile, 6u);
    // M0 only tells; M30 ends the check without a finding, so N90 never runs.
    ASSERT_EQ(r.hinweise.size(), 1u);
    EXPECT_EQ(r.hinweise[0].stelle.zeile, 5u);
    EXPECT_EQ(r.hinweise[0].text, meldung::ProgrammStopp());
    EXPECT_EQ(r.bewegungen, 3);
    EXPECT_EQ(r.saetze, 8);
    EXPECT_DOUBLE_EQ(r.w.max.x, 30.0);
    EXPECT_TRUE(r.zone.empty());
    EXPECT_TRUE(r.Beanstandet());
}

TEST_F(ProgrammpruefungTest, ZoneViolationsPerAxisSideWithFirstBlockAmountAndCount) {
    const TPunkt3D hoch = z.konfig.SchutzzoneMax;
    const std::string x1 = std::to_string(hoch.x + 5.0);
    const std::string x2 = std::to_string(hoch.x + 12.0);
    const Pruefbericht r =
        Pruefen("N10 G00 X10 Y10 Z-50\nN20 G00 X" + x1 + "\nN30 G00 X10\nN40 G00 X" + x2 +
                " Y-3\nN50 T2\nN60 G00 X10 Y10\n");
    ASSERT_EQ(r.zone.size(), 2u);
    const Zonenverletzung& vx = r.zone[0];
    EXPECT_EQ(vx.achse, 0);
    EXPECT_TRUE(vx.oben);
    EXPECT_EQ(vx.erste.zeile, 2u);
    EXPECT_NEAR(vx.ersteUm, 5.0, 1e-9);
    EXPECT_NEAR(vx.groessteUm, 12.0, 1e-9);
    // N20, N40 and the tool change's rise in N50, which starts outside.
    EXPECT_EQ(vx.saetze, 3);
    const Zonenverletzung& vy = r.zone[1];
    EXPECT_EQ(vy.achse, 1);
    EXPECT_FALSE(vy.oben);
    EXPECT_EQ(vy.erste.zeile, 4u);
    EXPECT_NEAR(vy.ersteUm, 3.0 - z.konfig.SchutzzoneMin.y, 1e-9);
    EXPECT_EQ(vy.saetze, 2);
    // The check went on: the tool change after the violations is there.
    ASSERT_EQ(r.werkzeuge.size(), 1u);
    EXPECT_EQ(r.werkzeuge[0].nummer, 2);
    EXPECT_EQ(r.werkzeuge[0].name, "Bohrer");
    EXPECT_EQ(r.werkzeuge[0].stelle.zeile, 5u);
    EXPECT_EQ(r.fehlerAnzahl, 0);
    EXPECT_TRUE(r.Beanstandet());
}

TEST_F(ProgrammpruefungTest, MovesAndTimesAreThoseOfTheSimulatedRun) {
    const std::string programm = "N10 G00 X10 Y10 Z-5\nN20 G01 X40 F0.5\nN30 G02 X60 Y30 I0 J20\n"
                                 "N40 G00 Z-1\nN45 G81 R2=-2 R3=-4\nN50 G00 X20 Y20\nN60 G80\n"
                                 "N70 G00 Z-1\n";
    z.SimulationsZeitFaktor = 0.5;
    const Pruefbericht r = Pruefen(programm);
    ASSERT_TRUE(Automatikbetrieb(a));
    b.Meldungen().clear();
    b.Ereignisse().clear();
    EXPECT_EQ(r.bewegungen, a.lauf.bewegungen);
    EXPECT_EQ(r.saetze, a.lauf.saetze);
    // In simulation the run takes its scaled waits; the machining time is
    // the moves' unscaled durations.
    EXPECT_EQ(r.laufMs, a.lauf.simulierteMs);
    EXPECT_GT(r.bearbeitungMs, r.laufMs);
    // Per line: non-decreasing, 0 at the start, the whole run at the end;
    // the feed part only grows in the lines with feed moves.
    const Laufschaetzung& s = r.schaetzung;
    ASSERT_EQ(s.bisZeile.size(), a.programm.Anzahl() + 1);
    EXPECT_EQ(s.bisZeile.front(), 0);
    EXPECT_EQ(s.GesamtMs(), r.laufMs);
    for (std::size_t i = 1; i < s.bisZeile.size(); ++i) {
        EXPECT_GE(s.bisZeile[i], s.bisZeile[i - 1]);
        EXPECT_LE(s.vorschubBisZeile[i], s.bisZeile[i]);
    }
    EXPECT_EQ(s.vorschubBisZeile[1], 0); // N10 is a rapid move
    EXPECT_GT(s.vorschubBisZeile[2], 0);
    EXPECT_EQ(s.vorschubBisZeile[8], s.vorschubBisZeile[7]); // N70 rapid again
}

TEST_F(ProgrammpruefungTest, MachineModesAddTheLineAndTheLinesBeforeTheStartCountNothing) {
    z.konfig.Grafikmodus = Grafikart::Aus;
    z.Anwahlsatz = 20;
    const Pruefbericht r = Pruefen("N10 G00 X50\nN20 G00 X10\nN30 G01 Y10 F1\n");
    ASSERT_EQ(r.bewegungen, 2);
    // Each move: the motion, the query "@0P" with its 19-byte reply, the
    // command with its one-byte reply; the plane command at start and end.
    const int bitrate = 9600;
    const std::int64_t abfrage = AustauschUs(3, 19, bitrate);
    const std::int64_t ebene = AustauschUs(4, 1, bitrate);
    EXPECT_EQ(abfrage, 23 * 1041 + kBefehlsZuschlagUs);
    // 10 mm at 3 m/min: 1000 steps at 5000 steps/s; 10 mm in y at 1 m/min.
    const std::int64_t erste =
        200'000 + abfrage +
        AustauschUs(std::string("@0A 1000, 5000, 0, 5000, 0, 5000, 0, 5000").size(), 1, bitrate);
    const std::int64_t zweite =
        BewegungsdauerUs({0, 1000, 0, 0}, {1667, 1667, 1667, 1667}, kEbeneXY) + abfrage +
        AustauschUs(std::string("@0A 0, 1667, 1000, 1667, 0, 1667, 0, 1667").size(), 1, bitrate);
    EXPECT_EQ(r.laufMs, (erste + zweite + 2 * ebene + 500) / 1000);
    const Laufschaetzung& s = r.schaetzung;
    EXPECT_EQ(s.bisZeile[0], 0);
    EXPECT_EQ(s.bisZeile[1], 0); // before the start block
    EXPECT_EQ(s.bisZeile[2], (erste + ebene + 500) / 1000);
    EXPECT_EQ(s.vorschubBisZeile[3],
              (BewegungsdauerUs({0, 1000, 0, 0}, {1667, 1667, 1667, 1667}, kEbeneXY) + 500) / 1000);
    EXPECT_FALSE(r.Beanstandet());
    EXPECT_EQ(r.modus, Grafikart::Aus);
}

TEST_F(ProgrammpruefungTest, MotionTimeFollowsThePlaneAsTheControllerRunsIt) {
    const std::array<std::int64_t, 4> s = {1000, -2000, 3000, 500};
    const std::array<std::int32_t, 4> r = {1000, 1000, 1000, 1000};
    EXPECT_EQ(BewegungsdauerUs(s, r, kEbeneXY), 2'000'000 + 3'000'000 + 500'000);
    EXPECT_EQ(BewegungsdauerUs(s, r, kEbeneXZ), 3'000'000 + 2'000'000 + 500'000);
    EXPECT_EQ(BewegungsdauerUs(s, r, kEbeneYZ), 3'000'000 + 1'000'000 + 500'000);
    EXPECT_EQ(BewegungsdauerUs(s, r, kEbene3D), 3'000'000 + 500'000);
    EXPECT_EQ(BewegungsdauerUs({0, 0, 0, 0}, r, kEbeneXY), 0);
}

TEST_F(ProgrammpruefungTest, TheCommandLengthIsThatOfTheCommandSent) {
    const std::array<std::int64_t, 4> schritte[] = {{0, 0, 0, 0},
                                                    {9, -9, 10, -10},
                                                    {8388607, -8388608, 99999, -100000},
                                                    {INT64_MIN, INT64_MAX, 1, -1}};
    const std::array<std::int32_t, 4> raten[] = {{21, 21, 21, 21}, {10000, 999, 100, 5000}};
    std::string befehl;
    for (const auto& s : schritte) {
        for (const auto& r : raten) {
            FahrBefehlSchreiben(befehl, s, r);
            EXPECT_EQ(FahrBefehlLaenge(s, r), befehl.size()) << befehl;
        }
    }
}

// Counts up the clock on every reading, so the throttled events come.
struct Uhrbediener : test::FakeBediener {
    std::int64_t Millisekunden() override { return uhr += 1; }
};

TEST(ProgrammpruefungAbbruch, ReportsProgressAndStopsWhenAsked) {
    Uhrbediener b;
    Anlage a{b, Zahlenformat('.')};
    a.zustand.konfig.Grafikmodus = Grafikart::Simulation;
    ReferenzfahrtAusfuehren(a);
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "N" + std::to_string(i) + " G00 X" + std::to_string(i % 50) + "\n";
    }
    a.programm = BlockList::Hauptprogramm(text);
    std::vector<std::size_t> gemeldet;
    Pruefoptionen o;
    o.fortschritt = [&](std::size_t zeile, std::size_t zeilen) {
        EXPECT_EQ(zeilen, a.programm.Anzahl());
        gemeldet.push_back(zeile);
    };
    o.abbrechen = [&] { return gemeldet.size() >= 3; };
    const Pruefbericht r = ProgrammVorpruefen(a, o);
    EXPECT_TRUE(r.abgebrochen);
    ASSERT_EQ(gemeldet.size(), 3u);
    EXPECT_LT(gemeldet[0], gemeldet[2]);
    EXPECT_LT(r.saetze, 5000);
    EXPECT_GT(r.saetze, 0);
}

TEST_F(ProgrammpruefungTest, NoProgramOrNoStartBlockIsAnErrorWithoutARun) {
    const Pruefbericht leer = Pruefen("");
    EXPECT_FALSE(leer.gestartet);
    ASSERT_EQ(leer.fehler.size(), 1u);
    EXPECT_EQ(leer.fehler[0].text, meldung::KeinTeileprogramm());
    z.Anwahlsatz = 77;
    const Pruefbericht ohne = Pruefen("N10 G00 X1\n");
    EXPECT_FALSE(ohne.gestartet);
    EXPECT_EQ(ohne.fehler[0].text, meldung::AnwahlsatzNichtGefunden());
    EXPECT_EQ(ohne.bewegungen, 0);
    EXPECT_TRUE(b.Meldungen().empty());
}

} // namespace
} // namespace korvx

namespace korvx {
namespace {

TEST_F(ProgrammpruefungTest, ASecondCheckFindsTheSame) {
    z.konfig.TeileprogrammDatei.Setzen("/nirgends/TEIL.CNC");
    const std::string programm = "N10 G00 X10\nN20 L FEHLT\nN30 G01 X20 F1\nN40 L FEHLT\n";
    const Pruefbericht erste = Pruefen(programm);
    const Pruefbericht zweite = Pruefen(programm);
    EXPECT_EQ(erste.fehlerAnzahl, 2);
    EXPECT_EQ(zweite.fehlerAnzahl, erste.fehlerAnzahl);
    EXPECT_EQ(zweite.saetze, erste.saetze);
    EXPECT_EQ(zweite.bewegungen, erste.bewegungen);
    EXPECT_EQ(zweite.schaetzung.bisZeile, erste.schaetzung.bisZeile);
}

} // namespace
} // namespace korvx
