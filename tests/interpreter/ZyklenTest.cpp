// Machining cycles, engraving and drilling at the tool position, run as whole
// programs in simulation. The tool path is taken from the moves themselves:
// the tool position when each command goes out is the start of that move.
#include "SimulationsAnlage.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Bearbeitungszyklen.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <tuple>

namespace korvx {
namespace {

using Zeilen = std::vector<std::string>;

struct Punkt {
    TPunkt3D p;
    bool eilgang; // the move that ends here ran at rapid speed
};

struct ZyklenTest : test::SimulationsAnlageTest {
    std::vector<TPunkt3D> starts;
    std::vector<bool> eilgang;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SimulationBereit(true));
        a.lauf.befehlMelden = [this](const std::string&) {
            starts.push_back(z.WerkzeugPositionW);
            eilgang.push_back(z.EilgangAktiv);
        };
        Werkzeug(10.0);
    }

    void Werkzeug(double d, double nutzlaenge = 0.0) {
        TWerkzeug w;
        w.Nummer = 1;
        w.Durchmesser = d;
        w.Nutzlaenge = nutzlaenge;
        z.konfig.AktuellesWerkzeug = w;
    }

    void Lauf(std::string_view text) {
        starts.clear();
        eilgang.clear();
        b.Meldungen().clear();
        b.Ereignisse().clear();
        a.programm = BlockList::Hauptprogramm(text);
        ASSERT_TRUE(Automatikbetrieb(a));
    }

    // The end points of the moves, with the speed each ran at.
    std::vector<Punkt> Pfad() const {
        std::vector<Punkt> p;
        for (std::size_t i = 1; i <= starts.size(); ++i) {
            p.push_back({i < starts.size() ? starts[i] : z.WerkzeugPositionW, eilgang[i - 1]});
        }
        return p;
    }
    // The path as a polyline, its first point where the first move started.
    std::vector<TPunkt3D> Linienzug() const {
        std::vector<TPunkt3D> l = starts;
        if (!starts.empty()) {
            l.push_back(z.WerkzeugPositionW);
        }
        return l;
    }
};

std::string Zahl(double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.1f", v);
    return s;
}

double Abstand2D(double x, double y, const TPunkt3D& a, const TPunkt3D& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    double t = l2 > 0.0 ? ((x - a.x) * dx + (y - a.y) * dy) / l2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// --- drilling and the bolt-hole circle --------------------------------------

TEST_F(ZyklenTest, DrillingGoesRapidToR2FeedToTheDepthAndRapidBack) {
    Lauf("N10 G00 X0 Y0 Z10\nN20 G81 R2=2 R3=-5\nN30 X10 Y5 Z10\nN40 G80\n");
    const auto p = Pfad();
    ASSERT_EQ(p.size(), 6u);
    // N30's own move, the three drilling moves, G80 back to where G81 was read.
    const double zs[] = {10.0, 2.0, -5.0, 10.0, 10.0};
    const bool schnell[] = {true, true, false, true, true};
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(p[i + 1].p.x, i < 4 ? 10.0 : 0.0);
        EXPECT_DOUBLE_EQ(p[i + 1].p.y, i < 4 ? 5.0 : 0.0);
        EXPECT_DOUBLE_EQ(p[i + 1].p.z, zs[i]) << i;
        EXPECT_EQ(p[i + 1].eilgang, schnell[i]) << i;
    }
    EXPECT_EQ(z.WerkzeugPositionW, (TPunkt3D{0.0, 0.0, 10.0}));
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(ZyklenTest, BoltHoleCircleDrillsEveryHoleOnTheCircleAndRefusesNoHoles) {
    Lauf("N10 G00 X20 Y30 Z5\nN20 G77 R1=50 R2=2 R3=-3 R23=45 R24=4\n");
    std::vector<double> winkel;
    for (const Punkt& q : Pfad()) {
        if (q.p.z == -3.0) {
            EXPECT_NEAR(std::hypot(q.p.x - 20.0, q.p.y - 30.0), 25.0, 1e-9);
            winkel.push_back(std::atan2(q.p.y - 30.0, q.p.x - 20.0) * 180.0 / std::numbers::pi);
        }
    }
    ASSERT_EQ(winkel.size(), 4u);
    EXPECT_NEAR(winkel[0], 45.0, 1e-9);
    EXPECT_NEAR(winkel[1], 135.0, 1e-9);
    EXPECT_NEAR(winkel[2], -135.0, 1e-9);
    EXPECT_NEAR(winkel[3], -45.0, 1e-9);

    Lauf("N10 G00 X20 Y30 Z5\nN20 G77 R1=50 R2=2 R3=-3 R24=0\nN30 G00 X0\n");
    // The circle stays in force: N30 is refused as well, and the run goes on.
    EXPECT_EQ(b.Meldungen(), Zeilen(2, "Die Anzahl der Bohrungen im Lochkreis ist Null!"));
    EXPECT_EQ(starts.size(), 2u);
}

// --- circular pocket ----------------------------------------------------------

TEST_F(ZyklenTest, CircularPocketRingsEndAtTheWallRingWithTheFineStep) {
    Lauf("N10 G00 X0 Y0 Z5\nN20 G83 R1=2 R2=2 R3=-2 R24=30\nN30 X0 Y0 Z5\n");
    // Points at depth by radius: the plunge, then each ring's move out and
    // its chords (36 at 10 degrees, 360 at 1 degree for the wall ring).
    std::map<long, int> ringe;
    for (const Punkt& q : Pfad()) {
        if (q.p.z == -2.0) {
            ++ringe[std::lround(std::hypot(q.p.x, q.p.y) * 1000.0)];
        }
    }
    EXPECT_EQ(ringe,
              (std::map<long, int>{{0, 1}, {4500, 37}, {13500, 37}, {22500, 37}, {25000, 361}}));
    EXPECT_EQ(a.lauf.art, Bewegungsart::Keine);
    EXPECT_EQ(z.WerkzeugPositionW, (TPunkt3D{0.0, 0.0, 5.0}));
}

TEST_F(ZyklenTest, PocketsTheToolCannotMakeAreSkippedAndTheRunGoesOn) {
    const std::string weiter = "N90 G80\nN95 G00 X1\n";
    struct Fall {
        double d, nutzlaenge;
        std::string satz;
        std::string folge; // X, Y of the block that runs the cycle
        std::string meldung;
    } faelle[] = {
        {10.0, 0.0, "G83 R1=2 R3=-2 R24=4.9", "X0 Y0",
         "Kreistasche mit diesem Werkzeug nicht herstellbar!"},
        {0.0, 0.0, "G83 R1=2 R3=-2 R24=20", "X0 Y0",
         "Kreistasche mit diesem Werkzeug nicht herstellbar!"},
        {10.0, 5.0, "G83 R1=2 R3=-6 R24=20", "X0 Y0",
         "Kreistasche mit diesem Werkzeug nicht herstellbar!"},
        {10.0, 0.0, "G83 R1=2 R3=-2 R23=10.1 R24=20", "X0 Y0",
         NachUtf8(meldung::InselradiusZuGross())},
        {10.0, 0.0, "G83 R1=0 R3=-2 R24=20", "X0 Y0", "Zustellung R1 muss größer als Null sein!"},
        {10.0, 0.0, "G84 R1=2 R3=-2", "X9.9 Y50",
         "Rechtecktasche mit diesem Werkzeug nicht herstellbar!"},
        {0.0, 0.0, "G84 R1=2 R3=-2", "X50 Y50",
         "Rechtecktasche mit diesem Werkzeug nicht herstellbar!"},
        {10.0, 5.0, "G84 R1=2 R3=-6", "X50 Y50",
         "Rechtecktasche mit diesem Werkzeug nicht herstellbar!"},
        {10.0, 0.0, "G84 R1=-1 R3=-2", "X50 Y50", "Zustellung R1 muss größer als Null sein!"},
    };
    for (const Fall& f : faelle) {
        Werkzeug(f.d, f.nutzlaenge);
        Lauf("N10 G00 X0 Y0 Z5\nN20 " + f.satz + "\nN30 " + f.folge + " Z5\n" + weiter);
        EXPECT_EQ(b.Meldungen(), Zeilen{f.meldung}) << f.satz;
        EXPECT_EQ(starts.size(), 3u) << f.satz; // N10, G80 and N95 only
        EXPECT_EQ(z.WerkzeugPositionW.x, 1.0) << f.satz;
    }
    // The stored island text carries its extra byte after the "ü".
    EXPECT_EQ(meldung::InselradiusZuGross(), "Inselradius f\xFC\x81r dieses Werkzeug zu gro\xDF!");
}

TEST_F(ZyklenTest, AfterAStoppedMoveTheCycleSendsNothingMore) {
    // The wall ring of a pocket at x 430 reaches past the zone's x 500 (M).
    Lauf("N10 G00 X430 Y50 Z5\nN20 G83 R1=2 R2=2 R3=-4 R24=30\nN30 X430 Y50 Z5\nN40 G00 X0\n");
    EXPECT_EQ(b.Meldungen(), Zeilen{"Der zulässige Bereich wird verlassen!"});
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Bereich);
    // The last move sent ends inside the zone; nothing went out after it.
    const TPunkt3D letzter = z.WerkzeugPositionW;
    EXPECT_LT(NachMaschinenKoord(z, letzter).x, 500.0 + 1e-9);
    EXPECT_EQ(letzter.z, -2.0);
}

// --- rectangular pocket -------------------------------------------------------

TEST_F(ZyklenTest, RectangularPocketRingsStepByTheRingCountAndCloseAtTheWalls) {
    Lauf("N10 G00 X0 Y0 Z5\nN20 G84 R1=3 R2=2 R3=-3\nN30 X100 Y40\n");
    // n = max(12, 5): the rings step by 100/12 in x and 40/12 in y.
    std::set<long> xs;
    std::vector<TPunkt3D> tief;
    for (const Punkt& q : Pfad()) {
        if (q.p.z == -3.0) {
            xs.insert(std::lround(q.p.x * 1000.0));
            tief.push_back(q.p);
        }
    }
    std::set<long> erwartet = {50000, 5000, 95000};
    for (int k = 1; k <= 5; ++k) {
        erwartet.insert(std::lround((50.0 - k * 100.0 / 12.0) * 1000.0));
        erwartet.insert(std::lround((50.0 + k * 100.0 / 12.0) * 1000.0));
    }
    EXPECT_EQ(xs, erwartet);
    ASSERT_GE(tief.size(), 3u);
    EXPECT_NEAR(tief[2].y, 20.0 + 40.0 / 12.0, 1e-9); // first ring's top
    // The last ring is closed: it ends at the wall corner (left, top).
    EXPECT_EQ(tief.back().x, 5.0);
    EXPECT_EQ(tief.back().y, 35.0);
    EXPECT_EQ(z.WerkzeugPositionW, (TPunkt3D{0.0, 0.0, 5.0}));

    // Swapped corners mill the same pocket.
    const auto vorher = tief;
    Lauf("N10 G00 X100 Y40 Z5\nN20 G84 R1=3 R2=2 R3=-3\nN30 X0 Y0\n");
    tief.clear();
    for (const Punkt& q : Pfad()) {
        if (q.p.z == -3.0) {
            tief.push_back(q.p);
        }
    }
    EXPECT_EQ(tief, vorher);
}

TEST_F(ZyklenTest, RectangularRingsStopAtTheWallsDespiteRounding) {
    // 0.4 … 20.4 with D 10: the first ring already spans the walls less the
    // tool radius (its width 9.999999999999998 counts as 10).
    Lauf("N10 G00 X0.4 Y0.4 Z5\nN20 G84 R1=5 R2=2 R3=-2\nN30 X20.4 Y20.4\n");
    int tief = 0;
    for (const Punkt& q : Pfad()) {
        tief += q.p.z == -2.0 ? 1 : 0;
    }
    EXPECT_EQ(tief, 1 + 6); // plunge, then one closed ring
}

// --- properties of random pockets ---------------------------------------------

// What every pocket must do, whatever its size and tool: the tool centre
// stays inside the walls less its radius (`drinnen`), every floor point the
// tool can reach (`erreichbar`) lies within D/2 of the path at the final
// depth, the passes step by at most R1 and end exactly at the depth, and the
// tool ends at the block's target.
template <class Drinnen, class Erreichbar>
void TaschePruefen(const ZyklenTest& t, double d, double r1, double tiefe, const TPunkt3D& ziel,
                   double x0, double x1, double y0, double y1, Drinnen drinnen,
                   Erreichbar erreichbar, const std::string& fall) {
    const auto l = t.Linienzug();
    std::set<double> tiefen;
    std::vector<std::pair<TPunkt3D, TPunkt3D>> boden;
    for (std::size_t i = 1; i < l.size(); ++i) {
        const TPunkt3D& a = l[i - 1];
        const TPunkt3D& b = l[i];
        if (a.z < 0.0 || b.z < 0.0) {
            EXPECT_TRUE(drinnen(a, b)) << fall << " segment " << i;
        }
        if (b.z < 0.0) {
            tiefen.insert(b.z);
        }
        if (a.z == tiefe && b.z == tiefe) {
            boden.emplace_back(a, b);
        }
    }
    ASSERT_FALSE(tiefen.empty()) << fall;
    EXPECT_EQ(*tiefen.begin(), tiefe) << fall;
    double vorige = 0.0;
    for (auto it = tiefen.rbegin(); it != tiefen.rend(); ++it) {
        EXPECT_LE(vorige - *it, r1 + 1e-9) << fall;
        vorige = *it;
    }
    constexpr int kRaster = 28;
    for (int i = 0; i <= kRaster; ++i) {
        for (int j = 0; j <= kRaster; ++j) {
            const double x = x0 + (x1 - x0) * i / kRaster;
            const double y = y0 + (y1 - y0) * j / kRaster;
            if (!erreichbar(x, y)) {
                continue;
            }
            double best = 1e300;
            for (const auto& [a, b] : boden) {
                best = std::min(best, Abstand2D(x, y, a, b));
            }
            ASSERT_LE(best, d / 2.0 + 0.005) << fall << " floor point " << x << ", " << y;
        }
    }
    // The run's end recomputes the position from the machine's, within an ulp.
    EXPECT_NEAR(t.z.WerkzeugPositionW.x, ziel.x, 1e-9) << fall;
    EXPECT_NEAR(t.z.WerkzeugPositionW.y, ziel.y, 1e-9) << fall;
    EXPECT_NEAR(t.z.WerkzeugPositionW.z, ziel.z, 1e-9) << fall;
}

TEST_F(ZyklenTest, RandomCircularPocketsStayInsideAndLeaveNothingStanding) {
    std::mt19937 zufall(4711);
    auto wert = [&](double lo, double hi) {
        return std::round(std::uniform_real_distribution<double>(lo, hi)(zufall) * 10.0) / 10.0;
    };
    for (int n = 0; n < 12; ++n) {
        const double d = wert(2.0, 12.0);
        const double r = wert(d / 2.0 + 0.1, std::min(60.0, 15.0 * d));
        const double ri = n % 2 == 1 && r - d > 1.0 ? wert(0.5, r - d) : 0.0;
        const double r1 = wert(0.5, 3.0);
        const double tiefe = -wert(0.5, 6.0);
        const double cx = wert(60.0, 120.0);
        const double cy = wert(40.0, 60.0);
        Werkzeug(d);
        const std::string fall = "D" + Zahl(d) + " R" + Zahl(r) + " Ri" + Zahl(ri) +
                                 " R1=" + Zahl(r1) + " T" + Zahl(tiefe);
        Lauf("N10 G00 X" + Zahl(cx) + " Y" + Zahl(cy) + " Z5\nN20 G83 R1=" + Zahl(r1) +
             " R2=2 R3=" + Zahl(tiefe) + " R23=" + Zahl(ri) + " R24=" + Zahl(r) + "\nN30 X" +
             Zahl(cx) + " Y" + Zahl(cy) + " Z5\n");
        ASSERT_TRUE(b.Meldungen().empty()) << fall << ": " << b.Meldungen()[0];
        // A chord of the island's ring comes inside it by its sagitta at 1 degree.
        const double innen =
            ri > 0.0 ? ri + d / 2.0 -
                           (ri + d / 2.0) * (1.0 - std::cos(0.5 * std::numbers::pi / 180.0)) - 1e-9
                     : 0.0;
        auto drinnen = [&](const TPunkt3D& p, const TPunkt3D& q) {
            const bool aussen = std::hypot(q.x - cx, q.y - cy) <= r - d / 2.0 + 1e-9;
            return aussen && (ri == 0.0 || Abstand2D(cx, cy, p, q) >= innen);
        };
        auto erreichbar = [&](double x, double y) {
            const double rho = std::hypot(x - cx, y - cy);
            return rho <= r && rho >= ri;
        };
        TaschePruefen(*this, d, r1, tiefe, {cx, cy, 5.0}, cx - r, cx + r, cy - r, cy + r, drinnen,
                      erreichbar, fall);
    }
}

TEST_F(ZyklenTest, RandomRectangularPocketsStayInsideAndLeaveNothingStanding) {
    std::mt19937 zufall(815);
    auto wert = [&](double lo, double hi) {
        return std::round(std::uniform_real_distribution<double>(lo, hi)(zufall) * 10.0) / 10.0;
    };
    for (int n = 0; n < 12; ++n) {
        const double d = wert(2.0, 12.0);
        const double kx = wert(100.0, 120.0);
        const double ky = wert(60.0, 80.0);
        // The opposite corner on either side of the first.
        const double qx = kx + (n % 2 == 0 ? 1.0 : -1.0) * wert(d + 0.2, 100.0);
        const double qy = ky + (n % 4 < 2 ? 1.0 : -1.0) * wert(d + 0.2, 60.0);
        const double r1 = wert(0.5, 3.0);
        const double tiefe = -wert(0.5, 6.0);
        Werkzeug(d);
        const std::string fall = "D" + Zahl(d) + " " + Zahl(kx) + "," + Zahl(ky) + " - " +
                                 Zahl(qx) + "," + Zahl(qy) + " R1=" + Zahl(r1) + " T" + Zahl(tiefe);
        Lauf("N10 G00 X" + Zahl(kx) + " Y" + Zahl(ky) + " Z5\nN20 G84 R1=" + Zahl(r1) +
             " R2=2 R3=" + Zahl(tiefe) + "\nN30 X" + Zahl(qx) + " Y" + Zahl(qy) + "\n");
        ASSERT_TRUE(b.Meldungen().empty()) << fall << ": " << b.Meldungen()[0];
        const double x0 = std::min(kx, qx), x1 = std::max(kx, qx);
        const double y0 = std::min(ky, qy), y1 = std::max(ky, qy);
        const double e = 1e-9;
        auto drinnen = [&](const TPunkt3D&, const TPunkt3D& q) {
            return q.x >= x0 + d / 2.0 - e && q.x <= x1 - d / 2.0 + e && q.y >= y0 + d / 2.0 - e &&
                   q.y <= y1 - d / 2.0 + e;
        };
        auto erreichbar = [&](double x, double y) {
            const double dx = std::max({x0 + d / 2.0 - x, 0.0, x - (x1 - d / 2.0)});
            const double dy = std::max({y0 + d / 2.0 - y, 0.0, y - (y1 - d / 2.0)});
            return std::hypot(dx, dy) <= d / 2.0;
        };
        TaschePruefen(*this, d, r1, tiefe, {kx, ky, 5.0}, x0, x1, y0, y1, drinnen, erreichbar,
                      fall);
    }
}

// --- engraving ----------------------------------------------------------------

// A font with codes 32 … 132 and top 40: the blank 20 units wide, "A" (65) a
// stroke from (0, 0) to (10, 40), 30 wide; code 132 (the font's "ä") a
// stroke from (5, 5) to (5, 30), 10 wide; every other glyph empty.
std::vector<std::uint8_t> Testschrift() {
    std::vector<std::uint8_t> d = {'F', 0x1A};
    const std::size_t h = d.size() + 2;
    d.push_back(static_cast<std::uint8_t>(h));
    d.push_back(0);
    constexpr std::size_t n = 101;
    const std::size_t striche = 16 + 3 * n;
    std::vector<std::uint8_t> kopf(16, 0);
    kopf[1] = n;
    kopf[4] = 32;
    kopf[5] = static_cast<std::uint8_t>(striche & 0xFF);
    kopf[6] = static_cast<std::uint8_t>(striche >> 8);
    kopf[8] = 40;
    kopf[10] = static_cast<std::uint8_t>(-10);
    std::vector<std::uint8_t> offsets, breiten, daten;
    for (std::size_t i = 0; i < n; ++i) {
        offsets.push_back(static_cast<std::uint8_t>(daten.size() & 0xFF));
        offsets.push_back(static_cast<std::uint8_t>(daten.size() >> 8));
        const std::size_t code = 32 + i;
        breiten.push_back(code == 32 ? 20 : code == 65 ? 30 : code == 132 ? 10 : 0);
        if (code == 65) {
            daten.insert(daten.end(), {0x80, 0x00, 0x8A, 0xA8}); // move 0,0; draw 10,40
        } else if (code == 132) {
            daten.insert(daten.end(), {0x85, 0x05, 0x85, 0x9E}); // move 5,5; draw 5,30
        }
        daten.insert(daten.end(), {0x00, 0x00});
    }
    for (const auto* teil : {&kopf, &offsets, &breiten, &daten}) {
        d.insert(d.end(), teil->begin(), teil->end());
    }
    return d;
}

struct GravurTest : ZyklenTest {
    test::TempOrdner ordner;
    void SetUp() override {
        ZyklenTest::SetUp();
        ordner.Schreiben("T.FNT", Testschrift());
        z.konfig.ZeichensatzDatei.Setzen(ordner.Datei("T.FNT"));
        Werkzeug(1.0);
    }
    // The ends of the engraved strokes (moves at the depth).
    std::vector<std::pair<double, double>> Striche() const {
        std::vector<std::pair<double, double>> s;
        const auto l = Linienzug();
        for (std::size_t i = 1; i < l.size(); ++i) {
            if (l[i - 1].z == -1.0 && l[i].z == -1.0) {
                s.emplace_back(l[i].x, l[i].y);
            }
        }
        return s;
    }
    void Gravur(std::string_view woerter, std::string_view text) {
        Lauf("N10 G00 X10 Y20 Z5\nN20 G89 R2=1 R3=-1 " + std::string(woerter) + "\nN30 H'" +
             std::string(text) + "' X10 Y20 Z5\nN40 G80\n");
    }
};

void StricheIst(const std::vector<std::pair<double, double>>& ist,
                const std::vector<std::pair<double, double>>& soll) {
    ASSERT_EQ(ist.size(), soll.size());
    for (std::size_t i = 0; i < ist.size(); ++i) {
        EXPECT_NEAR(ist[i].first, soll[i].first, 1e-9) << i;
        EXPECT_NEAR(ist[i].second, soll[i].second, 1e-9) << i;
    }
}

TEST_F(GravurTest, HeightScalesTheStrokesAndEachCharacterAdvancesByWidthPlusTool) {
    // k = (5 - 1) / 40: a glyph 30 units wide advances 3 + 1 mm.
    Gravur("B5", "AA");
    EXPECT_TRUE(b.Meldungen().empty());
    StricheIst(Striche(), {{11.0, 24.0}, {15.0, 24.0}});
    // Between strokes the tool rises to the block's z and moves at rapid;
    // it goes down at feed to R2 and the depth.
    const auto p = Pfad();
    std::vector<std::tuple<double, double, double, bool>> weg;
    for (const Punkt& q : p) {
        weg.emplace_back(q.p.x, q.p.y, q.p.z, q.eilgang);
    }
    ASSERT_EQ(weg.size(), 12u);
    EXPECT_EQ(weg[1], std::make_tuple(10.0, 20.0, 5.0, true));  // raise
    EXPECT_EQ(weg[2], std::make_tuple(10.0, 20.0, 5.0, true));  // to the origin
    EXPECT_EQ(weg[3], std::make_tuple(10.0, 20.0, 1.0, false)); // approach
    EXPECT_EQ(weg[4], std::make_tuple(10.0, 20.0, -1.0, false));
    EXPECT_EQ(weg[6], std::make_tuple(11.0, 24.0, 5.0, true));
    // The tool stays at the depth; G80 moves with the speed in force before
    // the block, rapid.
    EXPECT_EQ(weg[10], std::make_tuple(15.0, 24.0, -1.0, false));
    EXPECT_EQ(weg[11], std::make_tuple(10.0, 20.0, 5.0, true));
}

TEST_F(GravurTest, AngleTurnsTheLineAndUmlautsUseTheFontCodePage) {
    Gravur("B5 A90", "AA");
    StricheIst(Striche(), {{6.0, 21.0}, {6.0, 25.0}});
    // "ä" draws glyph 132; È is not in the font and neither engraves nor
    // advances; the blank advances by 2 + 1 mm.
    Gravur("B5", "\xE4\xC8 A");
    StricheIst(Striche(), {{10.5, 23.0}, {16.0, 24.0}});
}

TEST_F(GravurTest, FontAndTextFailures) {
    Gravur("B3", "A"); // 3 × D ≥ B
    EXPECT_EQ(b.Meldungen(), Zeilen{"Schrift mit Werkzeugdurchmesser nicht herstellbar!"});
    Gravur("B5", "");
    EXPECT_EQ(b.Meldungen(), Zeilen{"fehlender Gravurtext!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
    ordner.Schreiben("X.FNT", std::string(200, 'x'));
    z.konfig.ZeichensatzDatei.Setzen(ordner.Datei("X.FNT"));
    Gravur("B5", "A");
    EXPECT_EQ(b.Meldungen(), Zeilen{ordner.Datei("X.FNT") + " nicht im erwarteten Format!"});
    z.konfig.ZeichensatzDatei.Setzen(ordner.Datei("FEHLT.FNT"));
    Gravur("B5", "A");
    EXPECT_EQ(b.Meldungen(), Zeilen{"Fehler beim Laden des Zeichensatzes!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
    z.konfig.ZeichensatzDatei.Setzen("");
    Gravur("B5", "A");
    EXPECT_EQ(b.Meldungen(), Zeilen{"Kein Zeichensatz geladen!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
}

// --- drilling at the tool position ----------------------------------------------

TEST_F(ZyklenTest, DrillingAtTheToolPositionGoesDownAndBackTheSameWay) {
    z.konfig.Bohrtiefe = -4.0;
    const TPunkt3D start = z.WerkzeugPositionW;
    b.antworten = {false, true};
    BohrenAnWerkzeugposition(a);
    EXPECT_EQ(b.Ereignisse(),
              Zeilen{"frage: Bohren an Werkzeugposition! Tiefe = -4.0 mm  -> nein"});
    EXPECT_TRUE(starts.empty());
    BohrenAnWerkzeugposition(a);
    const auto p = Pfad();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].p, (TPunkt3D{start.x, start.y, start.z - 4.0}));
    EXPECT_FALSE(p[0].eilgang);
    EXPECT_EQ(p[1].p, start);
    EXPECT_TRUE(p[1].eilgang);

    // Below the protection zone: refused like any move, nothing more is sent.
    z.konfig.Bohrtiefe = -100.0;
    starts.clear();
    eilgang.clear();
    BohrenAnWerkzeugposition(a);
    EXPECT_TRUE(starts.empty());
    EXPECT_FALSE(z.ReferenzAngefahren);
    b.Meldungen().clear();
    BohrenAnWerkzeugposition(a);
    EXPECT_EQ(b.Meldungen(), Zeilen{"Nicht Referenz gefahren oder kein Werkzeug gewählt!"});
}

} // namespace
} // namespace korvx
