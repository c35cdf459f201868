// The feed override: whole runs in simulation at several percentages, read
// from the commands they build. Rapid moves keep their rates, feed moves
// (straight, arc chords, cycles) are scaled and limited to what the
// controller accepts, and the expected duration follows.
#include "SimulationsAnlage.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Bewegung.h"
#include "interpreter/Fahrausgabe.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace korvx {
namespace {

using Zeilen = std::vector<std::string>;

struct Befehl {
    std::array<long, 4> schritte{};
    std::array<long, 4> raten{};
};

Befehl Lesen(const std::string& s) {
    Befehl b;
    EXPECT_EQ(std::sscanf(s.c_str(), "@0A %ld, %ld, %ld, %ld, %ld, %ld, %ld, %ld", &b.schritte[0],
                          &b.raten[0], &b.schritte[1], &b.raten[1], &b.schritte[2], &b.raten[2],
                          &b.schritte[3], &b.raten[3]),
              8)
        << s;
    return b;
}

// Arcs, a drilling cycle, rapid and feed moves in absolute and relative.
constexpr const char* kProgramm = "N10 G00 X0 Y0 Z10\n"
                                  "N20 G01 Z2 F0.5\n"
                                  "N30 G02 X20 Y0 I10 J0\n"
                                  "N40 G00 Z10\n"
                                  "N50 G81 R2=2 R3=-5 F0.3\n"
                                  "N60 X10 Y5 Z10\n"
                                  "N70 G80\n"
                                  "N80 G91 G01 X5 Y5 F2\n"
                                  "N90 G90 G00 X0 Y0\n";

struct VorschubTest : test::SimulationsAnlageTest {
    Zeilen befehle;
    std::vector<bool> eilgang;
    std::vector<std::int32_t> dauer;
    TPunkt3D startW;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SimulationBereit(true));
        startW = z.WerkzeugPositionW;
        TWerkzeug w;
        w.Nummer = 1;
        w.Durchmesser = 4.0;
        z.konfig.AktuellesWerkzeug = w;
        a.lauf.befehlMelden = [this](const std::string& s) {
            befehle.push_back(s);
            eilgang.push_back(z.EilgangAktiv);
            dauer.push_back(z.Verfahrdauer);
        };
    }

    // The program run from the same start at `prozent`.
    void Lauf(std::string_view text, std::int32_t prozent) {
        befehle.clear();
        eilgang.clear();
        dauer.clear();
        z.WerkzeugPositionW = startW;
        z.PositionM = NachMaschinenKoord(z, startW);
        a.lauf.vorschubProzent = prozent;
        a.programm = BlockList::Hauptprogramm(text);
        ASSERT_TRUE(Automatikbetrieb(a));
        ASSERT_EQ(z.stopp.Grund(), Stoppgrund::Ende);
        EXPECT_TRUE(b.Meldungen().empty());
    }
};

TEST_F(VorschubTest, StepsScaleRoundAndStayWithinTheControllersRange) {
    EXPECT_EQ(RatenSkaliert({833, 5000, 21, 10000}, 100),
              (std::array<std::int32_t, 4>{833, 5000, 21, 10000}));
    // Halves round to even, as the rates themselves do (833 × 0.5 → 416,
    // 835 × 0.5 → 418); the limits hold both ways.
    EXPECT_EQ(RatenSkaliert({833, 835, 21, 10000}, 50),
              (std::array<std::int32_t, 4>{416, 418, 21, 5000}));
    EXPECT_EQ(RatenSkaliert({833, 6000, 200, 30}, 200),
              (std::array<std::int32_t, 4>{1666, 10000, 400, 60}));
    EXPECT_EQ(RatenSkaliert({100, 150, 209, 210}, 10),
              (std::array<std::int32_t, 4>{21, 21, 21, 21}));

    EXPECT_EQ(VorschubSchritt(100, 1), 110);
    EXPECT_EQ(VorschubSchritt(100, -1), 90);
    EXPECT_EQ(VorschubSchritt(200, 1), 200);
    EXPECT_EQ(VorschubSchritt(10, -1), 10);
    for (std::int32_t p : {10, 100, 150, 200}) {
        EXPECT_TRUE(VorschubGueltig(p)) << p;
    }
    for (std::int32_t p : {0, 5, 95, 210, -10}) {
        EXPECT_FALSE(VorschubGueltig(p)) << p;
    }
}

TEST_F(VorschubTest, AtHundredPercentEveryCommandIsAsWithoutTheOverride) {
    // A run after another override was in force builds exactly the commands
    // of a run where it never changed.
    Lauf(kProgramm, 100);
    const Zeilen vorher = befehle;
    const std::int64_t msVorher = a.lauf.simulierteMs;
    Lauf(kProgramm, 50);
    Lauf(kProgramm, 100);
    EXPECT_EQ(befehle, vorher);
    EXPECT_EQ(a.lauf.simulierteMs, msVorher);
    ASSERT_GT(befehle.size(), 20u);
}

TEST_F(VorschubTest, FeedMovesScaleRapidMovesKeepTheirRates) {
    Lauf(kProgramm, 100);
    const Zeilen normal = befehle;
    const std::vector<std::int32_t> dauerNormal = dauer;
    const std::vector<bool> eilgangNormal = eilgang;
    for (std::int32_t p : {10, 50, 150, 200}) {
        SCOPED_TRACE(p);
        Lauf(kProgramm, p);
        ASSERT_EQ(befehle.size(), normal.size());
        EXPECT_EQ(eilgang, eilgangNormal);
        int vorschub = 0;
        for (std::size_t i = 0; i < befehle.size(); ++i) {
            const Befehl n = Lesen(normal[i]);
            const Befehl s = Lesen(befehle[i]);
            // The path is the same step for step.
            EXPECT_EQ(s.schritte, n.schritte) << i;
            std::array<std::int32_t, 4> raten{};
            for (std::size_t k = 0; k < 4; ++k) {
                raten[k] = static_cast<std::int32_t>(n.raten[k]);
            }
            const std::array<std::int32_t, 4> erwartet =
                eilgang[i] ? raten : RatenSkaliert(raten, p);
            for (std::size_t k = 0; k < 4; ++k) {
                EXPECT_EQ(s.raten[k], erwartet[k]) << i << ": " << befehle[i];
            }
            if (eilgang[i]) {
                EXPECT_EQ(dauer[i], dauerNormal[i]) << i;
            } else {
                ++vorschub;
                // The duration follows the rate, within the rounding of both.
                const double verhaeltnis =
                    static_cast<double>(dauer[i]) / std::max(1, dauerNormal[i]);
                if (dauerNormal[i] > 200 && p >= 50) {
                    EXPECT_NEAR(verhaeltnis, 100.0 / p, 0.05 * 100.0 / p) << i;
                }
            }
        }
        // Arc chords, the cycle's drilling moves and the plain feed moves.
        EXPECT_GT(vorschub, 10);
    }
}

TEST_F(VorschubTest, TheOverrideActsFromTheNextMoveAndNotOutsideARun) {
    // Changed while a move is under way, the next feed move runs at the new rate.
    a.lauf.befehlMelden = [this](const std::string& s) {
        befehle.push_back(s);
        a.lauf.vorschubProzent = 50;
    };
    Lauf("N10 G01 X1 F0.5\nN20 X2\n", 100);
    ASSERT_EQ(befehle.size(), 2u);
    EXPECT_EQ(Lesen(befehle[0]).raten[0], 833);
    EXPECT_EQ(Lesen(befehle[1]).raten[0], 416);

    // It survives the run start and is the operator's until changed.
    EXPECT_EQ(a.lauf.vorschubProzent, 50);

    // Manual positioning outside a run keeps the programmed speeds.
    befehle.clear();
    z.GeschwindigkeitWaehlen(false);
    z.konfig.ArbeitsGeschw.x = 0.5;
    TPunkt3D p = z.WerkzeugPositionW;
    ASSERT_TRUE(Geradeverfahren(a, z.WerkzeugPositionW, {p.x + 1.0, p.y, p.z}));
    ASSERT_EQ(befehle.size(), 1u);
    EXPECT_EQ(Lesen(befehle[0]).raten[0], 833);
}

// Records the moves of a run that only reads the program.
struct Mitschrift final : Fahrausgabe {
    mutable std::vector<Fahrauftrag> fahrten;
    Rueckmeldung PositionLesen(Laufumgebung&) const override { return {}; }
    void Fahren(Laufumgebung&, const Fahrauftrag& f) const override { fahrten.push_back(f); }
};

TEST_F(VorschubTest, ARunThatOnlyReadsTheProgramCountsAtHundredPercent) {
    // Its durations are what a time estimate adds up; the override scales
    // their feed share later.
    Mitschrift normal;
    a.lauf.umleitung = &normal;
    Lauf(kProgramm, 100);
    Mitschrift halb;
    a.lauf.umleitung = &halb;
    Lauf(kProgramm, 50);
    a.lauf.umleitung = nullptr;
    EXPECT_TRUE(befehle.empty());
    ASSERT_EQ(halb.fahrten.size(), normal.fahrten.size());
    ASSERT_FALSE(normal.fahrten.empty());
    for (std::size_t i = 0; i < normal.fahrten.size(); ++i) {
        EXPECT_EQ(halb.fahrten[i].raten, normal.fahrten[i].raten) << i;
        EXPECT_EQ(halb.fahrten[i].dauerMs, normal.fahrten[i].dauerMs) << i;
    }
}

} // namespace
} // namespace korvx
