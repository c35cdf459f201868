// The engraving font shipped in the example start folder.
#include "fonts/Schrifttext.h"
#include "fonts/Strichschrift.h"
#include "fonts/Zeichensatz.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvx {
namespace {

// Bounds of every line drawn.
struct Rahmen {
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    explicit Rahmen(const test::AufzeichnungsLeinwand& l) {
        for (const auto& s : l.linien) {
            minX = std::min({minX, s.x0, s.x1});
            maxX = std::max({maxX, s.x0, s.x1});
            minY = std::min({minY, s.y0, s.y1});
            maxY = std::max({maxY, s.y0, s.y1});
        }
    }
};

const std::string kDatei = std::string(KORVX_BEISPIELE) + "/FUTURAL.FNT";

TEST(MitgelieferteSchrift, KopfUndZeichenvorrat) {
    Zeichensatz z;
    ASSERT_EQ(ZeichensatzLaden(z, kDatei), 0);
    const auto kopf = KopfLesen(z.Puffer);
    ASSERT_TRUE(kopf);
    EXPECT_EQ(kopf->erstesZeichen, 32);
    EXPECT_EQ(kopf->oben, 21);
    EXPECT_EQ(kopf->unten, -7);
    for (int c = 33; c < 127; ++c) {
        const auto g = GlypheLesen(z.Puffer, *kopf, static_cast<std::uint8_t>(c));
        ASSERT_TRUE(g) << c;
        EXPECT_GT(g->breite, 0) << c;
        EXPECT_FALSE(g->striche.empty()) << c;
        EXPECT_EQ(g->striche.front().art, Strichart::Bewegen) << c;
    }
    EXPECT_TRUE(GlypheLesen(z.Puffer, *kopf, ' ')->striche.empty());
    EXPECT_GT(GlypheLesen(z.Puffer, *kopf, ' ')->breite, 0);
    // German letters and signs through the code page.
    for (unsigned char c :
         std::string_view("\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xB0\xB5\xB1\xB2\xB3\xD8\xF8")) {
        const auto g = GlypheLesen(z.Puffer, *kopf, Schriftcode(c));
        ASSERT_TRUE(g) << int(c);
        EXPECT_FALSE(g->striche.empty()) << int(c);
    }
}

TEST(MitgelieferteSchrift, MisstUndZeichnetImErwartetenRahmen) {
    test::FakeBediener b;
    test::AufzeichnungsLeinwand l{800, 600};
    Zeichensatz z;
    ZeichensatzWaehlen(z, kDatei);
    bool fehler = true;
    Ausdehnung a;
    TextAusmessen(z, b, l, 28, "Hallo", a, fehler);
    ASSERT_FALSE(fehler);
    EXPECT_EQ(a.hoehe, 28);
    // Five letters of roughly two thirds of the height each.
    EXPECT_GT(a.breite, 5 * 10);
    EXPECT_LT(a.breite, 5 * 25);

    l.Vergessen();
    TextZeichnen(z, b, l, 10, 20, 28, "Hallo \xC4gypten", fehler);
    ASSERT_FALSE(fehler);
    EXPECT_GT(l.linien.size(), 30u);
    const Rahmen r(l);
    Ausdehnung ganz;
    TextAusmessen(z, b, l, 28, "Hallo \xC4gypten", ganz, fehler);
    EXPECT_GE(r.minX, 10);
    EXPECT_LE(r.maxX, 10 + ganz.breite);
    // Everything below the top of the box, descenders below the baseline.
    EXPECT_GE(r.minY, 20);
    EXPECT_GT(r.maxY, 20 + 28);
    EXPECT_TRUE(b.Meldungen().empty());
}

} // namespace
} // namespace korvx
