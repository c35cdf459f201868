#include "GrafikTestbasis.h"

#include <algorithm>
#include <cmath>

namespace korvx::test {
namespace {

using Strich = AufzeichnungsLeinwand::Strich;

class Achsen : public GrafikTest {
protected:
    AchsenEinstellung Einstellung(double xmin, double ymin, double xmax, double ymax) {
        AchsenEinstellung e;
        e.xmin = xmin;
        e.ymin = ymin;
        e.xmax = xmax;
        e.ymax = ymax;
        e.weiteX = 50;
        e.weiteY = 50;
        e.format = Zahlenformat(',');
        return e;
    }
    bool HatLinie(int x0, int y0, int x1, int y1) const {
        return std::any_of(leinwand.linien.begin(), leinwand.linien.end(), [&](const Strich& s) {
            return s.x0 == x0 && s.y0 == y0 && s.x1 == x1 && s.y1 == y1;
        });
    }
    std::vector<std::string> Texte() const {
        std::vector<std::string> t;
        for (const auto& s : leinwand.texte) {
            t.push_back(s.text);
        }
        return t;
    }
    // Tick marks on the x axis at row `zeile` (4 pixels across it).
    std::vector<int> XStriche(int zeile) const {
        std::vector<int> p;
        for (const auto& s : leinwand.linien) {
            if (s.x0 == s.x1 && s.y0 == zeile - 2 && s.y1 == zeile + 2) {
                p.push_back(s.x0);
            }
        }
        return p;
    }
    std::vector<int> YStriche(int spalte) const {
        std::vector<int> p;
        for (const auto& s : leinwand.linien) {
            if (s.y0 == s.y1 && s.x0 == spalte - 2 && s.x1 == spalte + 2) {
                p.push_back(s.y0);
            }
        }
        return p;
    }
};

TEST_F(Achsen, StandardgrenzenAchsenPfeileStricheRasterRahmen) {
    anlage.zustand.konfig.SkalenWeiteX = 50;
    anlage.zustand.konfig.SkalenWeiteY = 50;
    GrafikEinrichten(anlage, true);

    // x axis at y = 0 (row 139), y axis at x = 0 (column 200), with arrow heads.
    EXPECT_TRUE(HatLinie(0, 139, 499, 139));
    EXPECT_TRUE(HatLinie(200, 289, 200, 0));
    EXPECT_NE(std::find(leinwand.protokoll.begin(), leinwand.protokoll.end(),
                        "Polygon 498 139 489 136 489 142"),
              leinwand.protokoll.end());
    EXPECT_NE(std::find(leinwand.protokoll.begin(), leinwand.protokoll.end(),
                        "Polygon 200 0 197 9 203 9"),
              leinwand.protokoll.end());

    // Ticks from −200 in steps of 50 while left of 499 − "M" (7): −200 … 250.
    EXPECT_EQ(XStriche(139), (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 350, 400, 450}));
    // y ticks from −150 while the upward row is below 289 − "Q" (12): −150 … 100.
    EXPECT_EQ(YStriche(200), (std::vector<int>{289, 239, 189, 139, 89, 39}));

    // Every tick has a dotted grid line across the image.
    const auto gitter =
        std::count_if(leinwand.linien.begin(), leinwand.linien.end(),
                      [](const Strich& s) { return s.stift.stil == StiftStil::Punktiert; });
    EXPECT_EQ(gitter, 10 + 6);
    EXPECT_TRUE(HatLinie(450, 0, 450, 289));
    EXPECT_TRUE(HatLinie(0, 39, 499, 39));

    // Axes in black, width 1; the frame in black, width 2, last.
    for (const auto& s : leinwand.linien) {
        EXPECT_EQ(s.stift.farbe, kSchwarz);
        EXPECT_EQ(s.stift.modus, RasterModus::Kopieren);
    }
    const auto& rahmen = leinwand.linien.back();
    EXPECT_EQ(rahmen.stift.breite, 2);
    EXPECT_TRUE(HatLinie(0, 0, 498, 0));
    EXPECT_TRUE(HatLinie(498, 288, 0, 288));

    // Afterwards: solid blue pen of width 1 and a white brush.
    EXPECT_EQ(leinwand.StiftLesen(),
              (StiftZustand{kBlau, StiftStil::Durchgezogen, 1, RasterModus::Kopieren}));
    EXPECT_EQ(leinwand.PinselFarbeLesen(), kWeiss);
}

TEST_F(Achsen, BeschriftungenAusgeduenntOhneNullMitBeschriftungsregeln) {
    anlage.zustand.konfig.SkalenWeiteX = 50;
    anlage.zustand.konfig.SkalenWeiteY = 50;
    GrafikEinrichten(anlage, true);
    // x: labels 7 pixels a character; "-200,00" needs 49 + 7 > 50 pixels and is
    // skipped, "-150,00" then has two tick distances; "100,00" needs 42 + 7 < 50.
    // y: 12 + 12 < 50, every label but 0. Captions last.
    EXPECT_EQ(Texte(), (std::vector<std::string>{"-150,00", "-50,00", "50,00", "100,00", "150,00",
                                                 "200,00", "250,00", "-150,00", "-100,00", "-50,00",
                                                 "50,00", "100,00", "y", "x"}));
    const auto& t = leinwand.texte;
    // x labels centred under their tick, 4 pixels below the axis.
    EXPECT_EQ(t[0].x, 50 - 49 / 2);
    EXPECT_EQ(t[0].y, 139 + 4);
    // y labels 4 pixels right of the axis, centred on the tick's row, but
    // inside the image.
    EXPECT_EQ(t[7].x, 204);
    EXPECT_EQ(t[7].y, 289 - 12);
    EXPECT_EQ(t[8].y, 239 - 6);
    // "y" one M right of the y axis, one Q below the top; "x" one Q below the
    // x axis, two M widths before the right edge.
    EXPECT_EQ(t[12].x, 207);
    EXPECT_EQ(t[12].y, 12);
    EXPECT_EQ(t[13].x, 499 - 14);
    EXPECT_EQ(t[13].y, 139 + 12);
}

TEST_F(Achsen, AchslageBeiGrenzenAufEinerSeite) {
    struct Fall {
        double xmin, ymin, xmax, ymax;
        int zeile, spalte;
    };
    // Q is 12 high and M 7 wide: 2 · 12 + 2 = 26. The windows have the
    // canvas's shape (500 : 290), so fitting them to one scale keeps them.
    const Fall faelle[] = {
        {10, 0, 60, 29, 289 - 26, 7},     // all positive: above the bottom, right of the left edge
        {-60, -34, -10, -5, 26, 499 - 7}, // all negative: below the top, left of the right edge
        {0, -29, 50, 0, 288, 0},          // ymax = 0: bottom edge; xmin = 0: left edge
    };
    for (const Fall& f : faelle) {
        leinwand.Vergessen();
        AchsenEinstellung e = Einstellung(f.xmin, f.ymin, f.xmax, f.ymax);
        e.weiteX = 0;
        e.weiteY = 0;
        TAbbildung a;
        AchsenZeichnen(leinwand, a, e);
        EXPECT_TRUE(HatLinie(0, f.zeile, 499, f.zeile)) << f.xmin << " " << f.ymin;
        EXPECT_TRUE(HatLinie(f.spalte, 289, f.spalte, 0)) << f.xmin << " " << f.ymin;
        EXPECT_TRUE(leinwand.texte.size() == 2u); // only the captions
    }
}

TEST_F(Achsen, BeschriftungWeichtAusWennKeinPlatzIst) {
    // 498 mm across fit 500 columns only when widened to 500 mm, about the
    // centre: the window stays left of x = 0.
    AchsenEinstellung e = Einstellung(-500, -150, -2, 140);
    e.weiteX = 0;
    TAbbildung a;
    AchsenZeichnen(leinwand, a, e);
    // y axis one M left of the right edge (492); "-100,00" (49) plus M does not
    // fit right of it, so it ends one M width before the axis.
    const auto it = std::find_if(leinwand.texte.begin(), leinwand.texte.end(),
                                 [](const auto& t) { return t.text == "-100,00"; });
    ASSERT_NE(it, leinwand.texte.end());
    EXPECT_EQ(it->x, 492 - 7 - 49);

    leinwand.Vergessen();
    e = Einstellung(-200, -10, 300, 280);
    e.weiteY = 0;
    AchsenZeichnen(leinwand, a, e);
    // x labels go above the axis when it lies less than 12 + 4 rows above the bottom.
    const int zeile = 289 - 10;
    ASSERT_TRUE(HatLinie(0, zeile, 499, zeile));
    ASSERT_FALSE(leinwand.texte.empty());
    EXPECT_EQ(leinwand.texte.front().y, zeile - 18);

    // 5 pixels a millimetre, ticks 50 pixels apart: every label fits, but the
    // first one, pushed in from the left edge, would run into "-10,00".
    leinwand.Vergessen();
    e = Einstellung(-20, -29, 80, 29);
    e.weiteX = 10;
    e.weiteY = 0;
    AchsenZeichnen(leinwand, a, e);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"-20,00", "10,00", "20,00", "30,00", "40,00",
                                                 "50,00", "60,00", "70,00", "y", "x"}));
    EXPECT_EQ(leinwand.texte.front().x, 0);
}

TEST_F(Achsen, TeilungNullZeichntWederStricheNochBeschriftungen) {
    AchsenEinstellung e = Einstellung(-200, -150, 300, 140);
    e.weiteX = 0;
    TAbbildung a;
    AchsenZeichnen(leinwand, a, e);
    EXPECT_TRUE(XStriche(139).empty());
    EXPECT_EQ(YStriche(200).size(), 6u);
}

TEST_F(Achsen, WinzigeTeilungEndetOhneEndlosschleife) {
    AchsenEinstellung e = Einstellung(-200, -150, 300, 140);
    e.weiteX = 1e-12;
    e.weiteY = -1e-300;
    TAbbildung a;
    AchsenZeichnen(leinwand, a, e);
    EXPECT_LE(XStriche(139).size(), static_cast<std::size_t>(kMaxTeilstriche));
}

TEST_F(Achsen, TeilungFeinerAlsEinPixelZeichnetJedeSpalteEinmalOhneBeschriftung) {
    // 500 mm on 500 columns at 0.01 mm: 50,000 ticks would fall on 500
    // columns; each column is drawn once and no label fits anywhere.
    AchsenEinstellung e = Einstellung(-200, -150, 300, 140);
    e.weiteX = 0.01;
    e.weiteY = 0.01;
    e.raster = true;
    TAbbildung a;
    AchsenZeichnen(leinwand, a, e);
    const std::vector<int> x = XStriche(139);
    const std::vector<int> y = YStriche(200);
    EXPECT_GT(x.size(), 400u);
    EXPECT_LE(x.size(), static_cast<std::size_t>(leinwand.Breite()));
    EXPECT_LE(y.size(), static_cast<std::size_t>(leinwand.Hoehe()));
    EXPECT_TRUE(std::adjacent_find(x.begin(), x.end()) == x.end());
    const std::vector<std::string> t = Texte();
    EXPECT_EQ(std::count_if(t.begin(), t.end(),
                            [](const std::string& s) { return s != "x" && s != "y"; }),
              0);
}

TEST_F(Achsen, FeineTeilungTrifftGenauDieSpaltenDerEinzelnenStriche) {
    // The ticks on one pixel are skipped in bulk; the columns drawn must be
    // exactly those a walk over every tick finds, for spacings that do and do
    // not divide the window, and for a start far from the origin.
    for (const double weite : {0.01, 0.0137, 0.9, 1e-7}) {
        for (const double xmin : {-200.0, 1e6 + 0.3}) {
            leinwand.Vergessen();
            AchsenEinstellung e = Einstellung(xmin, -150, xmin + 500, 140);
            e.weiteX = weite;
            TAbbildung a;
            AchsenZeichnen(leinwand, a, e);
            const int zeile = a.BildZeile(a.WeltZuBildY(0.0L));
            std::vector<int> erwartet;
            const double q = std::trunc(e.xmin / e.weiteX);
            for (int k = 0; k < kMaxTeilstriche; ++k) {
                const std::int32_t p = a.WeltZuBildX(e.weiteX * (q + k));
                if (p < 0 || p >= leinwand.Breite() - leinwand.TextBreite("M")) {
                    break;
                }
                if (erwartet.empty() || erwartet.back() != p) {
                    erwartet.push_back(p);
                }
            }
            EXPECT_EQ(XStriche(zeile), erwartet) << weite << " " << xmin;
        }
    }
}

TEST_F(Achsen, MitUndOhneAchsenDieselbeAbbildung) {
    anlage.zustand.konfig.SimuGrenzeMin = {-12.5, -3, 0};
    anlage.zustand.konfig.SimuGrenzeMax = {40, 77.25, 0};
    GrafikEinrichten(anlage, false);
    const TAbbildung ohne = anlage.grafik.abbildung;
    GrafikEinrichten(anlage, true);
    const TAbbildung& mit = anlage.grafik.abbildung;
    EXPECT_EQ(ohne.Sx(), mit.Sx());
    EXPECT_EQ(ohne.Ox(), mit.Ox());
    EXPECT_EQ(ohne.Sy(), mit.Sy());
    EXPECT_EQ(ohne.Oy(), mit.Oy());
    EXPECT_EQ(ohne.Unten(), mit.Unten());
}

} // namespace
} // namespace korvx::test
