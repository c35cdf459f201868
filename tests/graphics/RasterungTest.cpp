#include "graphics/Rasterung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace korvx::raster {
namespace {

constexpr std::uint32_t kW = 0xFFFFFFFFu; // white
constexpr std::uint32_t kS = 0xFF000000u; // black

struct Bild {
    Bild(int b, int h, std::uint32_t grund = kW)
        : breite(b), hoehe(h), pixel(static_cast<std::size_t>(b) * h, grund) {}
    int breite;
    int hoehe;
    std::vector<std::uint32_t> pixel;
    Ziel ziel() { return {pixel.data(), breite, hoehe, breite}; }
    std::uint32_t at(int x, int y) const { return pixel[static_cast<std::size_t>(y) * breite + x]; }
    // The pixels that differ from white.
    std::set<std::pair<int, int>> gesetzt() const {
        std::set<std::pair<int, int>> s;
        for (int y = 0; y < hoehe; ++y) {
            for (int x = 0; x < breite; ++x) {
                if (at(x, y) != kW) {
                    s.insert({x, y});
                }
            }
        }
        return s;
    }
};

Stift Schwarz(bool nichtXor = false) {
    Stift s;
    s.farbe = 0x000000;
    s.nichtXor = nichtXor;
    return s;
}

TEST(Rasterung, LinieLaesstDasHoehereEndeAusInBeidenRichtungen) {
    for (const auto& [x0, y0, x1, y1] : std::vector<std::array<int, 4>>{
             {0, 0, 10, 3}, {0, 3, 10, 0}, {2, 2, 12, 7}, {5, 1, 5, 9}, {0, 0, 3, 10}}) {
        Bild hin(20, 20);
        Bild zurueck(20, 20);
        Linie(hin.ziel(), x0, y0, x1, y1, Schwarz());
        Linie(zurueck.ziel(), x1, y1, x0, y0, Schwarz());
        EXPECT_EQ(hin.gesetzt(), zurueck.gesetzt()) << x0 << "," << y0 << " " << x1 << "," << y1;
        const int lang = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        EXPECT_EQ(hin.gesetzt().size(), static_cast<std::size_t>(lang));
    }
    Bild b(20, 20);
    Linie(b.ziel(), 3, 4, 8, 4, Schwarz());
    EXPECT_EQ(b.gesetzt(), (std::set<std::pair<int, int>>{{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}}));
    Linie(b.ziel(), 9, 9, 9, 9, Schwarz());
    EXPECT_EQ(b.at(9, 9), kW); // length 0: nothing
}

TEST(Rasterung, AbgeschnitteneFigurenTreffenDieselbenPixelWieUngeschnittene) {
    // The same figures drawn into a large image and, shifted, into its lower
    // right quarter: the quarter must show exactly the large image's pixels.
    auto vergleichen = [](auto zeichnen) {
        Bild gross(200, 160);
        Bild viertel(100, 80);
        zeichnen(gross.ziel(), 0, 0);
        zeichnen(viertel.ziel(), -100, -80);
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                ASSERT_EQ(viertel.at(x, y), gross.at(x + 100, y + 80)) << x << "," << y;
            }
        }
    };
    vergleichen([](const Ziel& z, int dx, int dy) {
        Linie(z, 3 + dx, 7 + dy, 197 + dx, 151 + dy, Schwarz());
        Linie(z, 190 + dx, 2 + dy, 20 + dx, 158 + dy, Schwarz());
        Linie(z, 0 + dx, 150 + dy, 199 + dx, 100 + dy, Schwarz());
    });
    vergleichen([](const Ziel& z, int dx, int dy) {
        Kreis(z, 100 + dx, 80 + dy, 37, Schwarz());
        Kreis(z, 120 + dx, 70 + dy, 90, Schwarz());
    });
}

TEST(Rasterung, LinienUeberDenGanzenZahlbereichBleibenImBild) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    Bild b(64, 48);
    // Through the image's centre row: every column once, on row 24.
    Linie(b.ziel(), kMin, 24, kMax, 24, Schwarz());
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(b.at(x, 24), kS) << x;
    }
    EXPECT_EQ(b.gesetzt().size(), 64u);
    // Steep lines from the range's corners: at most one pixel per row.
    Bild c(64, 48);
    Linie(c.ziel(), kMin, kMin, kMax, kMax, Schwarz());
    Linie(c.ziel(), kMax, kMin, kMin, kMax, Schwarz());
    EXPECT_LE(c.gesetzt().size(), 2u * 48u);
    Kreis(c.ziel(), kMax - 5, 20, 40000, Schwarz());
    Kreis(c.ziel(), kMin, 10, 1000, Schwarz());
}

TEST(Rasterung, KreisUmrissJedesPixelEinmal) {
    Bild eins(10, 10);
    Kreis(eins.ziel(), 5, 5, 1, Schwarz());
    EXPECT_EQ(eins.gesetzt(), (std::set<std::pair<int, int>>{{5, 4}, {4, 5}, {6, 5}, {5, 6}}));
    Bild zwei(10, 10);
    Kreis(zwei.ziel(), 5, 5, 2, Schwarz());
    EXPECT_EQ(zwei.gesetzt().size(), 12u);
    EXPECT_EQ(zwei.at(5, 3), kS);
    EXPECT_EQ(zwei.at(3, 5), kS);
    EXPECT_EQ(zwei.at(5, 5), kW);
    Bild null(10, 10);
    Kreis(null.ziel(), 5, 5, 0, Schwarz());
    EXPECT_TRUE(null.gesetzt().empty());

    // Not-xor on white turns exactly the outline black (a pixel visited twice
    // would turn white again), and a second time restores the picture.
    for (const int r : {3, 7, 18, 40}) {
        Bild setzen(100, 100);
        Bild umkehren(100, 100);
        Kreis(setzen.ziel(), 50, 50, r, Schwarz());
        Kreis(umkehren.ziel(), 50, 50, r, Schwarz(true));
        EXPECT_EQ(setzen.gesetzt(), umkehren.gesetzt()) << r;
        for (const auto& [x, y] : umkehren.gesetzt()) {
            EXPECT_EQ(umkehren.at(x, y), kS);
            // Symmetric about the centre.
            EXPECT_EQ(umkehren.at(100 - x, y), kS);
            EXPECT_EQ(umkehren.at(y, x), kS);
        }
        Kreis(umkehren.ziel(), 50, 50, r, Schwarz(true));
        EXPECT_TRUE(umkehren.gesetzt().empty()) << r;
    }
}

TEST(Rasterung, NichtXorMitFarbeUndLinieZweimalStelltWiederHer) {
    Bild b(40, 40, 0xFF123456u);
    Stift s = Schwarz(true);
    s.farbe = 0x00FF00;
    Linie(b.ziel(), 1, 2, 38, 30, s);
    EXPECT_EQ(b.at(1, 2), 0xFF000000u | (~(0x00FF00u ^ 0x123456u) & 0xFFFFFFu));
    Linie(b.ziel(), 1, 2, 38, 30, s);
    for (const std::uint32_t p : b.pixel) {
        ASSERT_EQ(p, 0xFF123456u);
    }
}

TEST(Rasterung, StrichmusterEntlangDerLangenAchseUndDeckendeLuecken) {
    constexpr int kMuster[] = {18, 6};
    Stift s = Schwarz();
    s.muster = kMuster;
    Bild offen(60, 10, 0xFFFF0000u);
    Linie(offen.ziel(), 0, 5, 50, 5, s);
    for (int x = 0; x < 50; ++x) {
        const bool strich = x % 24 < 18;
        EXPECT_EQ(offen.at(x, 5), strich ? kS : 0xFFFF0000u) << x;
    }
    // Opaque: the gaps take the ground colour; a diagonal counts its longer axis.
    s.deckend = true;
    s.grund = 0xFFFFFF;
    Bild deckend(60, 40, 0xFFFF0000u);
    Linie(deckend.ziel(), 0, 30, 30, 2, s);
    int striche = 0;
    int luecken = 0;
    for (const std::uint32_t p : deckend.pixel) {
        striche += p == kS;
        luecken += p == kW;
    }
    EXPECT_EQ(striche, 18 + 6);
    EXPECT_EQ(luecken, 6);
}

} // namespace
} // namespace korvx::raster
