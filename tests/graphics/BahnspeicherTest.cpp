#include "GrafikTestbasis.h"
#include "graphics/Bahn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace korvx::test {
namespace {

Bahnsegment Vorschub(float x0, float y0, float x1, float y1, bool anschluss = true) {
    Bahnsegment s;
    s.x0 = x0;
    s.y0 = y0;
    s.x1 = x1;
    s.y1 = y1;
    s.z = -1.0F;
    s.durchmesserMikron = 6000;
    s.farbnummer = 4;
    s.art = anschluss ? Bahnsegment::kAnschluss : 0;
    return s;
}

TEST(Bahnspeicher, GeradeFortsetzungenWerdenEinSegmentAndereNicht) {
    Bahnspeicher b;
    b.Anfuegen(Vorschub(0, 0, 10, 0, false));
    b.Anfuegen(Vorschub(10, 0, 20, 0));
    b.Anfuegen(Vorschub(20, 0, 30, 0.0005F)); // within a micrometre of the line
    ASSERT_EQ(b.Segmente().size(), 1u);
    EXPECT_EQ(b.Segmente()[0].x1, 30.0F);

    b.Anfuegen(Vorschub(30, 0.0005F, 30, 10)); // a corner
    b.Anfuegen(Vorschub(30, 10, 30, 5));       // turning back on itself
    Bahnsegment tiefer = Vorschub(30, 5, 30, 0);
    tiefer.z = -2.0F; // another depth, another shade
    b.Anfuegen(tiefer);
    Bahnsegment eilgang = Vorschub(30, 0, 30, -10);
    eilgang.z = -2.0F;
    eilgang.art |= Bahnsegment::kEilgang;
    b.Anfuegen(eilgang);
    b.Anfuegen(Vorschub(30, -10, 30, -20));        // after a rapid move
    b.Anfuegen(Vorschub(30, -20, 30, -30, false)); // starts anew
    EXPECT_EQ(b.Segmente().size(), 7u);
    EXPECT_EQ(b.Tiefste(), -2.0);

    // The extent holds the tool's half width.
    const auto f = b.Ausdehnung();
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->xmin, -3.0);
    EXPECT_EQ(f->xmax, 33.0);
    EXPECT_EQ(f->ymin, -33.0);
    EXPECT_EQ(f->ymax, 13.0);

    b.Leeren();
    EXPECT_TRUE(b.Leer());
    EXPECT_FALSE(b.Ausdehnung().has_value());
    EXPECT_EQ(sizeof(Bahnsegment), 24u); // a million blocks in a few dozen MB
}

TEST(Bahnspeicher, SehnenEinesBogensWerdenEinBogen) {
    // A full circle of radius 10 in 72 chords, counter-clockwise, the chord
    // ends rounded to 0.005 mm as motor steps round them.
    Bahnspeicher b;
    const auto punkt = [](int i) {
        const double w = i * 2.0 * 3.14159265358979 / 72.0;
        return std::pair<float, float>{
            static_cast<float>(std::round((50 + 10 * std::cos(w)) / 0.005) * 0.005),
            static_cast<float>(std::round((20 + 10 * std::sin(w)) / 0.005) * 0.005)};
    };
    for (int i = 0; i < 72; ++i) {
        const auto [x0, y0] = punkt(i);
        const auto [x1, y1] = punkt(i + 1);
        b.Anfuegen(Vorschub(x0, y0, x1, y1, i > 0));
    }
    // The centre record and the arc; a whole turn needs a second arc, since
    // one record cannot tell a full turn from none.
    const auto& s = b.Segmente();
    ASSERT_LE(s.size(), 5u);
    ASSERT_GE(s.size(), 2u);
    EXPECT_NE(s[0].art & Bahnsegment::kMitte, 0);
    EXPECT_NEAR(s[0].x0, 50.0F, 0.05F); // from rounded chord ends
    EXPECT_NEAR(s[0].y0, 20.0F, 0.05F);
    EXPECT_NE(s[1].art & Bahnsegment::kBogen, 0);
    EXPECT_NE(s[1].art & Bahnsegment::kGegenUhr, 0);
    EXPECT_GT(BogenWinkel(s[1], s[0].x0, s[0].y0), 3.0);

    // A straight move leaving the arc is no part of it.
    const auto [xe, ye] = punkt(72);
    b.Anfuegen(Vorschub(xe, ye, xe + 5, ye));
    EXPECT_EQ(b.Segmente().back().art & Bahnsegment::kBogen, 0);
}

class Neuzeichnen : public GrafikTest {
protected:
    Neuzeichnen() {
        anlage.grafik.bahnBehalten = true;
        werkzeug.Durchmesser = 10.0;
        werkzeug.Farbe = 4;
    }
    void Zeichnen(TPunkt3D von, TPunkt3D nach, bool eilgang = false) {
        BahnZeichnen(anlage, von, nach, werkzeug, anlage.grafik.ErsterPunkt, kMittelpunktbahn,
                     eilgang);
    }
    bool HatLinie(int x0, int y0, int x1, int y1) const {
        return std::any_of(leinwand.linien.begin(), leinwand.linien.end(), [&](const auto& s) {
            return s.x0 == x0 && s.y0 == y0 && s.x1 == x1 && s.y1 == y1;
        });
    }
    TWerkzeug werkzeug;
};

TEST_F(Neuzeichnen, NachNeuerAnsichtUndModusWirdDieBahnWiederGezeichnet) {
    Zeichnen({0, 0, 5}, {0, 0, 0}, true);
    Zeichnen({0, 0, 0}, {50, 0, 0});
    Zeichnen({50, 0, 0}, {50, 50, 0});
    EXPECT_EQ(anlage.grafik.bahn.Segmente().size(), 2u);

    // Twice the scale, the origin in the canvas's middle.
    anlage.grafik.ansicht = Weltfenster{-125, -72.5, 125, 72.5};
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kMittelpunktbahn);
    EXPECT_NE(std::find(leinwand.protokoll.begin(), leinwand.protokoll.end(), "Loeschen"),
              leinwand.protokoll.end());
    EXPECT_TRUE(HatLinie(250, 144, 350, 144));
    EXPECT_TRUE(HatLinie(350, 144, 350, 44));
    // The cursor stands at the end and later moves continue from there.
    EXPECT_EQ(anlage.grafik.letzteSpalte, 350);
    EXPECT_EQ(anlage.grafik.letzteZeile, 44);
    ASSERT_FALSE(leinwand.ellipsen.empty());
    EXPECT_EQ(leinwand.ellipsen.back().x0 + leinwand.ellipsen.back().x1, 700);

    // The filled display draws the same segments as bands of the tool's width.
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kFraeserbahnGefuellt);
    ASSERT_TRUE(HatLinie(250, 144, 350, 144));
    EXPECT_EQ(std::count_if(leinwand.linien.begin(), leinwand.linien.end(),
                            [](const auto& s) { return s.stift.breite == 20; }),
              2);

    // Clearing the graphic empties the list: nothing comes back.
    GrafikLoeschen(anlage);
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kMittelpunktbahn);
    EXPECT_FALSE(HatLinie(250, 144, 350, 144));
}

TEST_F(Neuzeichnen, NachEinerNullpunktverschiebungWieBeimLaufGezeichnet) {
    Zeichnen({0, 0, 0}, {30, 100, 0}, true);
    // G54 X100: the same machine position is now x = -70 in the workpiece;
    // the run draws the next move from where the last one ended, and so
    // must the redraw.
    Zeichnen({-70, 100, 0}, {30, 120, 0}, true);
    const auto bahn = [this] {
        std::vector<std::array<long long, 4>> l;
        for (const auto& s : leinwand.linien) {
            if (s.stift.farbe != kSchwarz) {
                l.push_back({s.x0, s.y0, s.x1, s.y1});
            }
        }
        std::sort(l.begin(), l.end());
        return l;
    };
    const auto imLauf = bahn();
    ASSERT_EQ(imLauf.size(), 2u);
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kMittelpunktbahn);
    EXPECT_EQ(bahn(), imLauf);
}

TEST_F(Neuzeichnen, SegmentAufDenselbenPixelnUndAusserhalbWerdenUebergangen) {
    // Many tiny chords seen from far away fall on one pixel pair.
    for (int i = 0; i < 100; ++i) {
        const double x = i * 0.001;
        Zeichnen({x, i % 2 * 0.001, 0}, {x + 0.001, (i + 1) % 2 * 0.001, 0});
    }
    Zeichnen({1000, 1000, 0}, {1100, 1000, 0}); // far beside the window
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kMittelpunktbahn);
    const auto bahnlinien = std::count_if(leinwand.linien.begin(), leinwand.linien.end(),
                                          [](const auto& s) { return s.stift.farbe != kSchwarz; });
    EXPECT_LE(bahnlinien, 3);
}

TEST_F(Neuzeichnen, BogenWirdAlsBogenWiederGezeichnet) {
    // A half circle of radius 40 about the origin in 90 chords.
    for (int i = 0; i < 90; ++i) {
        const double w0 = i * 3.14159265358979 / 90.0;
        const double w1 = (i + 1) * 3.14159265358979 / 90.0;
        Zeichnen({40 * std::cos(w0), 40 * std::sin(w0), 0},
                 {40 * std::cos(w1), 40 * std::sin(w1), 0});
    }
    EXPECT_LE(anlage.grafik.bahn.Segmente().size(), 3u);
    leinwand.Vergessen();
    BahnNeuZeichnen(anlage, kMittelpunktbahn);
    // Every chord drawn lies on the circle (one pixel is 1 mm here).
    int sehnen = 0;
    for (const auto& l : leinwand.linien) {
        if (l.stift.farbe != 0xFF0000u) {
            continue;
        }
        ++sehnen;
        for (const auto& [x, y] : {std::pair{l.x0, l.y0}, std::pair{l.x1, l.y1}}) {
            EXPECT_NEAR(std::hypot(x - 200, 139 - y), 40.0, 1.5);
        }
    }
    EXPECT_GE(sehnen, 10);
}

TEST_F(Neuzeichnen, OhneBehaltenWirdNurGezeichnet) {
    // A picture drawn once (the runner's) keeps nothing.
    anlage.grafik.bahnBehalten = false;
    Zeichnen({0, 0, 0}, {50, 0, 0});
    EXPECT_TRUE(anlage.grafik.bahn.Leer());
    EXPECT_FALSE(leinwand.linien.empty());
}

} // namespace
} // namespace korvx::test
