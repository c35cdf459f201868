#include "GrafikTestbasis.h"

#include "graphics/Bahn.h"
#include "graphics/Zeichenwerkzeug.h"

#include <cmath>
#include <limits>

namespace korvx::test {
namespace {

class Bahn : public GrafikTest {
protected:
    Bahn() {
        werkzeug.Nummer = 3;
        werkzeug.Durchmesser = 10.0; // 5 pixels radius
        werkzeug.Farbe = 4;          // red
    }
    void Zeichnen(TPunkt3D von, TPunkt3D nach, std::uint8_t modus = kMittelpunktbahn,
                  bool eilgang = false) {
        BahnZeichnen(anlage, von, nach, werkzeug, anlage.grafik.ErsterPunkt, modus, eilgang);
    }
    std::vector<std::string> Ab(const std::string& eintrag) const {
        const auto& p = leinwand.protokoll;
        return {std::find(p.begin(), p.end(), eintrag), p.end()};
    }
    TWerkzeug werkzeug;
};

TEST_F(Bahn, VorschubMittelpunktbahnMitCursorGenauSo) {
    Zeichnen({0, 0, 5}, {50, 20, 5});
    EXPECT_EQ(
        leinwand.protokoll,
        (std::vector<std::string>{"StiftModus kopieren", "StiftFarbe ff0000", "StiftArt 0 1",
                                  "StiftModus kopieren", "Linie 200 139 250 119", "Aktualisieren",
                                  // cursor: black, not-xor, clear brush, radius rx / 2 = 2
                                  "StiftModus nichtxor", "StiftFarbe 000000", "StiftArt 0 1",
                                  "PinselArt leer", "Ellipse 248 117 252 121", "Aktualisieren",
                                  // pen and brush back as they were
                                  "StiftModus kopieren", "StiftFarbe ff0000", "StiftArt 0 1",
                                  "PinselArt voll", "PinselFarbe ffffff", "PinselFarbe ffffff"}));
    EXPECT_TRUE(anlage.grafik.ErsterPunkt);
    EXPECT_TRUE(anlage.grafik.Gezeichnet);
    EXPECT_EQ(anlage.grafik.letzteSpalte, 250);
    EXPECT_EQ(anlage.grafik.letzteZeile, 119);
}

TEST_F(Bahn, EndpunktAmRandDesZahlbereichsGibtEinenBegrenztenCursor) {
    // A point mapped beyond the 32-bit range lands on its edge; the cursor's
    // box around it stays inside the range instead of overflowing.
    for (const std::uint8_t modus : {kMittelpunktbahn, kFraeserbahn}) {
        leinwand.Vergessen();
        anlage.grafik.ErsterPunkt = false;
        Zeichnen({0, 0, 5}, {1e12, -1e12, 5}, modus);
        ASSERT_FALSE(leinwand.ellipsen.empty());
        const auto& e = leinwand.ellipsen.back();
        EXPECT_EQ(e.x1, std::numeric_limits<int>::max());
        EXPECT_LT(e.x0, e.x1);
        EXPECT_EQ(e.y1, std::numeric_limits<int>::max());
    }
}

TEST_F(Bahn, WerkzeugOhneDurchmesserZeichntKeinenCursorLoeschtAberDenAlten) {
    Zeichnen({0, 0, 5}, {50, 20, 5}); // cursor of radius 2 drawn
    werkzeug.Durchmesser = 0.0;
    leinwand.Vergessen();
    Zeichnen({0, 0, 5}, {60, 20, 5});
    // The old cursor is erased; from then on no cursor is drawn.
    ASSERT_FALSE(leinwand.ellipsen.empty());
    EXPECT_EQ(leinwand.ellipsen[0].x0, 248);
    leinwand.Vergessen();
    Zeichnen({0, 0, 5}, {70, 20, 5});
    EXPECT_TRUE(leinwand.ellipsen.empty());
    ASSERT_EQ(leinwand.linien.size(), 1u);
    // Pen and brush are those of the path, as after a cursor.
    EXPECT_EQ(leinwand.StiftLesen().modus, RasterModus::Kopieren);
    EXPECT_EQ(leinwand.PinselArtLesen(), PinselStil::Voll);
    // A tool with a diameter again draws its cursor.
    werkzeug.Durchmesser = 10.0;
    leinwand.Vergessen();
    Zeichnen({0, 0, 5}, {80, 20, 5});
    ASSERT_FALSE(leinwand.ellipsen.empty());
    EXPECT_EQ(leinwand.ellipsen.back().x1 - leinwand.ellipsen.back().x0, 4);
}

TEST_F(Bahn, FolgesegmentBeginntAmLetztenEndpunktUndLoeschtDenCursor) {
    Zeichnen({0, 0, 5}, {50, 20, 5});
    leinwand.Vergessen();
    // The start point handed over is ignored once a first point exists.
    Zeichnen({-999, 999, 5}, {50, -30, 5});
    ASSERT_EQ(leinwand.linien.size(), 1u);
    EXPECT_EQ(leinwand.linien[0].x0, 250);
    EXPECT_EQ(leinwand.linien[0].y0, 119);
    EXPECT_EQ(leinwand.linien[0].y1, 169);
    ASSERT_EQ(leinwand.ellipsen.size(), 2u);
    EXPECT_EQ(leinwand.ellipsen[0].x0, 248); // old cursor drawn again: erased
    EXPECT_EQ(leinwand.ellipsen[0].y0, 117);
    EXPECT_EQ(leinwand.ellipsen[1].y0, 167);
    for (const auto& e : leinwand.ellipsen) {
        EXPECT_EQ(e.stift.modus, RasterModus::NichtXor);
        EXPECT_EQ(e.pinselStil, PinselStil::Leer);
    }
}

TEST_F(Bahn, NachLoeschenBeginntDasSegmentAnSeinemStartpunkt) {
    Zeichnen({0, 0, 5}, {50, 20, 5});
    GrafikLoeschen(anlage);
    leinwand.Vergessen();
    Zeichnen({-100, 0, 5}, {-50, 0, 5});
    EXPECT_EQ(leinwand.linien[0].x0, 100);
    EXPECT_EQ(leinwand.ellipsen.size(), 1u); // no old cursor erased
}

TEST_F(Bahn, EilgangNurInZDrawsNichtsVorschubNurInZEinenPunktUndCursor) {
    Zeichnen({10, 10, 5}, {10, 10, -5}, kFraeserbahn, true);
    EXPECT_TRUE(leinwand.protokoll.empty());
    EXPECT_FALSE(anlage.grafik.ErsterPunkt);

    Zeichnen({10, 10, 5}, {10, 10, -5}, kMittelpunktbahn, false);
    ASSERT_EQ(leinwand.linien.size(), 1u);
    EXPECT_EQ(leinwand.protokoll[4], "Linie 210 129 210 129");
    // The plunge is a drilled hole: a ring of the tool's diameter, then the cursor.
    ASSERT_EQ(leinwand.ellipsen.size(), 2u);
    const auto& loch = leinwand.ellipsen[0];
    EXPECT_EQ(loch.x1 - loch.x0, 10);
    EXPECT_EQ((loch.x0 + loch.x1) / 2, 210);
    EXPECT_TRUE(anlage.grafik.ErsterPunkt);

    // Going up again is no hole.
    leinwand.Vergessen();
    Zeichnen({10, 10, -5}, {10, 10, 5}, kFraeserbahnGefuellt, false);
    EXPECT_EQ(leinwand.ellipsen.size(), 2u); // the cursor erased and drawn again
}

TEST_F(Bahn, EilgangGestricheltMitBreiteEinsAuchImGefuelltenModus) {
    for (std::uint8_t modus : {kMittelpunktbahn, kFraeserbahn, kFraeserbahnGefuellt}) {
        leinwand.Vergessen();
        anlage.grafik.ErsterPunkt = false;
        Zeichnen({0, 0, 5}, {100, 0, 5}, modus, true);
        ASSERT_EQ(leinwand.linien.size(), 1u);
        const auto& s = leinwand.linien[0].stift;
        EXPECT_EQ(s.stil, StiftStil::Strich);
        EXPECT_EQ(s.breite, 1);
        EXPECT_EQ(s.farbe, 0xFF0000u);
        // The cursor of a rapid move has half the cutter radius.
        EXPECT_EQ(leinwand.ellipsen.back().x1 - leinwand.ellipsen.back().x0, 4);
    }
}

TEST_F(Bahn, GefuellteBahnIstEineLinieDoppeltSoBreitWieDerRadius) {
    Zeichnen({0, 0, 5}, {100, 50, 5}, kFraeserbahnGefuellt);
    ASSERT_EQ(leinwand.linien.size(), 1u);
    EXPECT_EQ(leinwand.linien[0].stift,
              (StiftZustand{0xFF0000, StiftStil::Durchgezogen, 10, RasterModus::Kopieren}));
    // Cursor with the full cutter radius.
    EXPECT_EQ(leinwand.ellipsen.back().x1 - leinwand.ellipsen.back().x0, 10);
    EXPECT_EQ(leinwand.StiftLesen().breite, 10);
}

TEST_F(Bahn, FraeserbahnUmrissMitKreisenInDerAktuellenStiftfarbe) {
    leinwand.PinselFarbe(0x123456);
    leinwand.Vergessen();
    Zeichnen({0, 0, 5}, {100, 0, 5}, kFraeserbahn);
    // Horizontal segment: the sides lie 5 pixels below and above it.
    ASSERT_EQ(leinwand.linien.size(), 2u);
    EXPECT_EQ(leinwand.protokoll[7], "Linie 200 144 300 144");
    EXPECT_EQ(leinwand.protokoll[9], "Linie 200 134 300 134");
    ASSERT_EQ(leinwand.ellipsen.size(), 3u);
    // Circles of radius (rx + ry) / 2 = 5, white, pen blue as set up (the tool
    // colour is not used for the outline).
    EXPECT_EQ(leinwand.protokoll[5], "Ellipse 195 134 205 144");
    EXPECT_EQ(leinwand.protokoll[11], "Ellipse 295 134 305 144");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(leinwand.ellipsen[i].pinsel, kWeiss);
        EXPECT_EQ(leinwand.ellipsen[i].pinselStil, PinselStil::Voll);
        EXPECT_EQ(leinwand.ellipsen[i].stift.farbe, kBlau);
        EXPECT_EQ(leinwand.ellipsen[i].stift.breite, 1);
    }
    for (const auto& l : leinwand.linien) {
        EXPECT_EQ(l.stift.farbe, kBlau);
    }
    // Cursor radius rx; the brush colour is back.
    EXPECT_EQ(leinwand.ellipsen[2].x1 - leinwand.ellipsen[2].x0, 10);
    EXPECT_EQ(leinwand.PinselFarbeLesen(), 0x123456u);
}

TEST_F(Bahn, BandeckenEinerSenkrechtenStreckeNurInXVersetzt) {
    const TBandEcken e = BandEcken({10, 0, 0}, {10, 40, 0}, 5);
    EXPECT_DOUBLE_EQ(e.sMinus.x, 15);
    EXPECT_DOUBLE_EQ(e.sPlus.x, 5);
    EXPECT_DOUBLE_EQ(e.eMinus.x, 15);
    EXPECT_DOUBLE_EQ(e.ePlus.x, 5);
    EXPECT_NEAR(e.sMinus.y, 0, 1e-12);
    EXPECT_NEAR(e.ePlus.y, 40, 1e-12);
    const TBandEcken ab = BandEcken({10, 40, 0}, {10, 0, 0}, 5);
    EXPECT_DOUBLE_EQ(ab.sMinus.x, 5);
    const TBandEcken schraeg = BandEcken({0, 0, 0}, {3, 4, 0}, 5);
    // Perpendicular to the segment, 5 away.
    EXPECT_NEAR(std::hypot(schraeg.sPlus.x, schraeg.sPlus.y), 5, 1e-12);
    EXPECT_NEAR(schraeg.sPlus.x * 3 + schraeg.sPlus.y * 4, 0, 1e-12);
    const TBandEcken punkt = BandEcken({1, 2, 0}, {1, 2, 0}, 5);
    EXPECT_DOUBLE_EQ(punkt.sMinus.y, -3);

    Zeichnen({10, 0, 5}, {10, 40, 5}, kFraeserbahn);
    ASSERT_EQ(leinwand.linien.size(), 2u);
    EXPECT_EQ(leinwand.linien[0].x0, 215);
    EXPECT_EQ(leinwand.linien[0].x1, 215);
    EXPECT_EQ(leinwand.linien[1].x0, 205);
    EXPECT_EQ(leinwand.linien[1].x1, 205);
}

TEST_F(Bahn, TiefenschattierungHelltTiefeSchnitteAuf) {
    EXPECT_EQ(TiefenFarbe(0xFF0000, 0, 0, -10), 0xFF0000u);
    // The deepest cut goes six tenths of the way to white, never all of it.
    EXPECT_EQ(TiefenFarbe(0xFF0000, -10, 0, -10), 0xFF9999u);
    EXPECT_EQ(TiefenFarbe(0x54A800, -5, 0, -10), 0x87C14Cu);  // half way: 127 of 255
    EXPECT_EQ(TiefenFarbe(0x000000, -0.01, 0, 0), 0x0F0F0Fu); // range 0 counts as 0.1
    EXPECT_EQ(TiefenFarbe(0x000000, -1e300, 0, -10), 0x999999u);
    EXPECT_EQ(TiefenFarbe(0xFFFFFF, -10, 0, -10), 0xFFFFFFu);

    anlage.grafik.zOben = 0;
    anlage.grafik.zUnten = -10;
    Zeichnen({0, 0, 0}, {10, 0, -10});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, 0xFF9999u);
    Zeichnen({0, 0, 0}, {10, 0, 2}); // above the work: no shading
    EXPECT_EQ(leinwand.linien.back().stift.farbe, 0xFF0000u);
    // The same depth again: remembered, but never across a change of
    // colour or of the program's depth range.
    Zeichnen({0, 0, 0}, {10, 0, -5});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, 0xFF4C4Cu);
    werkzeug.Farbe = 1;
    Zeichnen({0, 0, 0}, {10, 0, -5});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, TiefenFarbe(kBlau, -5, 0, -10));
    anlage.grafik.zUnten = -5;
    Zeichnen({0, 0, 0}, {10, 0, -5});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, 0x9999FFu);
    // A cycle's pass below the deepest Z word widens the range to it.
    Zeichnen({0, 0, 0}, {10, 0, -20});
    EXPECT_EQ(anlage.grafik.zUnten, -20.0);
    EXPECT_EQ(leinwand.linien.back().stift.farbe, 0x9999FFu);
    Zeichnen({0, 0, 0}, {10, 0, -5});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, TiefenFarbe(kBlau, -5, 0, -20));
    anlage.grafik.Tiefenschattierung = false;
    Zeichnen({0, 0, 0}, {10, 0, -10});
    EXPECT_EQ(leinwand.linien.back().stift.farbe, kBlau);
}

TEST_F(Bahn, FarbnummernAusserhalbDerTabelle) {
    werkzeug.Farbe = 240;
    Zeichnen({0, 0, 5}, {10, 0, 5});
    EXPECT_EQ(
        bediener.Meldungen(),
        (std::vector<std::string>{"Farbnummer beim Bahnzeichnen geändert!?? Neue Farbnummer: 1!"}));
    EXPECT_EQ(leinwand.linien.back().stift.farbe, kBlau);
    bediener.Meldungen().clear();
    werkzeug.Farbe = 16;
    Zeichnen({0, 0, 5}, {20, 0, 5});
    EXPECT_TRUE(bediener.Meldungen().empty());
    EXPECT_EQ(leinwand.linien.back().stift.farbe, kSchwarz);
}

TEST_F(Bahn, CursorWirdMitSeinemEigenenRadiusGeloescht) {
    Zeichnen({0, 0, 5}, {50, 0, 5}, kFraeserbahnGefuellt, true); // rapid: radius 2
    leinwand.Vergessen();
    Zeichnen({50, 0, 5}, {50, 30, 5}, kFraeserbahnGefuellt); // feed: radius 5
    ASSERT_EQ(leinwand.ellipsen.size(), 2u);
    EXPECT_EQ(leinwand.ellipsen[0].x1 - leinwand.ellipsen[0].x0, 4);
    EXPECT_EQ(leinwand.ellipsen[1].x1 - leinwand.ellipsen[1].x0, 10);
}

TEST_F(Bahn, OhneLeinwandWirdNichtsGezeichnet) {
    anlage.grafik.bild = nullptr;
    Zeichnen({0, 0, 5}, {50, 0, 5});
    EXPECT_FALSE(anlage.grafik.ErsterPunkt);
}

TEST_F(Bahn, LinienStilUnbekanntSetztNurDieBreite) {
    LinienStil(leinwand, bediener, 3, 1);
    LinienStil(leinwand, bediener, 7, 4);
    EXPECT_EQ(bediener.Meldungen(), (std::vector<std::string>{"Unbekannter Linienstil!"}));
    EXPECT_EQ(leinwand.StiftLesen().stil, StiftStil::StrichPunkt);
    EXPECT_EQ(leinwand.StiftLesen().breite, 4);
    LinienStil(leinwand, bediener, -1, 2);
    EXPECT_EQ(bediener.Meldungen().size(), 2u);
}

} // namespace
} // namespace korvx::test
