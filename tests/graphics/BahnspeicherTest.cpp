#include "GrafikTestbasis.h"
#include "graphics/Bahn.h"

#include <algorithm>

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

class Neuzeichnen : public GrafikTest {
protected:
    Neuzeichnen() {
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

} // namespace
} // namespace korvx::test
