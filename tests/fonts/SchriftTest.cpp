#include "fonts/Schrifttext.h"
#include "fonts/Strichschrift.h"
#include "fonts/Zeichensatz.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <gtest/gtest.h>

#include <tuple>

namespace korvx {
namespace {

struct Glyph {
    std::uint8_t breite;
    std::vector<std::tuple<int, int, int>> striche; // art, x, y
};

// A font file: `text` bytes of free text, 0x1A, the header at H, the tables and
// the strokes of glyphs first, first + 1, …
std::vector<std::uint8_t> Schriftdatei(std::size_t text, std::uint8_t erstes,
                                       const std::vector<Glyph>& glyphen, std::uint8_t oben = 20,
                                       std::int8_t unten = -5) {
    std::vector<std::uint8_t> d(text, 'x');
    d.push_back(0x1A);
    const std::size_t h = d.size() + 2;
    d.push_back(static_cast<std::uint8_t>(h & 0xFF));
    d.push_back(static_cast<std::uint8_t>(h >> 8));
    const std::size_t n = glyphen.size();
    const std::size_t strichOffset = 16 + 3 * n;
    std::vector<std::uint8_t> kopf(16, 0);
    kopf[0] = '+';
    kopf[1] = static_cast<std::uint8_t>(n);
    kopf[4] = erstes;
    kopf[5] = static_cast<std::uint8_t>(strichOffset & 0xFF);
    kopf[6] = static_cast<std::uint8_t>(strichOffset >> 8);
    kopf[8] = oben;
    kopf[10] = static_cast<std::uint8_t>(unten);
    std::vector<std::uint8_t> offsets, breiten, striche;
    for (const Glyph& g : glyphen) {
        offsets.push_back(static_cast<std::uint8_t>(striche.size() & 0xFF));
        offsets.push_back(static_cast<std::uint8_t>(striche.size() >> 8));
        breiten.push_back(g.breite);
        for (auto [art, x, y] : g.striche) {
            striche.push_back(static_cast<std::uint8_t>(((art >> 1) << 7) | (x & 0x7F)));
            striche.push_back(static_cast<std::uint8_t>(((art & 1) << 7) | (y & 0x7F)));
        }
        striche.push_back(0);
        striche.push_back(0);
    }
    for (const auto* teil : {&kopf, &offsets, &breiten, &striche}) {
        d.insert(d.end(), teil->begin(), teil->end());
    }
    return d;
}

// Glyph 0 ("A" at code 65): a stroke up and across; glyph 1 ("B") a dot.
std::vector<Glyph> ZweiGlyphen() {
    return {{10, {{2, 0, 0}, {3, 5, 20}, {1, 6, 6}, {3, 10, 0}}}, {6, {{2, -1, -5}, {3, 1, -5}}}};
}

struct Schrift : ::testing::Test {
    test::TempOrdner ordner;
    test::FakeBediener b;
    test::AufzeichnungsLeinwand l{800, 600};
    Zeichensatz z;
    bool fehler = false;

    void Datei(const std::vector<std::uint8_t>& inhalt, std::string_view name = "T.FNT") {
        ordner.Schreiben(name, inhalt);
        ZeichensatzWaehlen(z, ordner.Datei(name));
    }
};

TEST(Strichschrift, BefehleUndCodeTabelle) {
    const Strichbefehl s = StrichDekodieren(0x81, 0x7F);
    EXPECT_EQ(s.art, Strichart::Bewegen);
    EXPECT_EQ(s.x, 1);
    EXPECT_EQ(s.y, -1);
    EXPECT_EQ(StrichDekodieren(0xC0, 0xBF).art, Strichart::Zeichnen);
    EXPECT_EQ(StrichDekodieren(0xC0, 0xBF).x, -64);

    EXPECT_EQ(Schriftcode(196), 142); // Ä
    EXPECT_EQ(Schriftcode(223), 225); // ß
    EXPECT_EQ(Schriftcode(254), 231);
    EXPECT_EQ(Schriftcode(233), 233); // not in the table: kept
}

TEST(Strichschrift, KopfNurMitEndezeichenImTextbereichUndTabellenImPuffer) {
    EXPECT_TRUE(KopfLesen(Schriftdatei(127, 65, ZweiGlyphen())));
    EXPECT_FALSE(KopfLesen(Schriftdatei(128, 65, ZweiGlyphen())));
    const auto kopf = KopfLesen(Schriftdatei(10, 65, ZweiGlyphen(), 20, -5));
    ASSERT_TRUE(kopf);
    EXPECT_EQ(kopf->anzahl, 2);
    EXPECT_EQ(kopf->erstesZeichen, 65);
    EXPECT_EQ(kopf->Zeichenhoehe(), 25);

    auto d = Schriftdatei(10, 65, ZweiGlyphen());
    // Tables cut off: the font is not usable.
    EXPECT_FALSE(KopfLesen(std::span(d).first(11 + 2 + 16 + 4)));
    EXPECT_TRUE(KopfLesen(std::span(d).first(11 + 2 + 16 + 6)));
    // Header offset beyond the file.
    auto weit = d;
    weit[11] = 0xFF;
    EXPECT_FALSE(KopfLesen(weit));
    // Nothing to scale to.
    EXPECT_FALSE(KopfLesen(Schriftdatei(10, 65, ZweiGlyphen(), 0, 0)));
    EXPECT_FALSE(KopfLesen(Schriftdatei(10, 65, ZweiGlyphen(), 0, -5)));
    EXPECT_FALSE(KopfLesen(std::vector<std::uint8_t>{0x1A}));
    EXPECT_FALSE(KopfLesen(std::vector<std::uint8_t>{}));
}

TEST(Strichschrift, BeschaedigteStrichdatenBleibenImPuffer) {
    auto d = Schriftdatei(10, 65, ZweiGlyphen());
    const auto kopf = *KopfLesen(d);
    // Strokes cut in the middle of the first glyph: it ends at the cut.
    const std::span<const std::uint8_t> kurz = std::span(d).first(kopf.strichdaten + 5);
    const auto g = GlypheLesen(kurz, kopf, 65);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->striche.size(), 2u);
    // A stroke offset far behind the end: an empty glyph that still advances.
    d[kopf.kopf + 16 + 2] = 0xFF;
    d[kopf.kopf + 16 + 3] = 0xFF;
    const auto weit = GlypheLesen(d, kopf, 66);
    ASSERT_TRUE(weit);
    EXPECT_TRUE(weit->striche.empty());
    EXPECT_EQ(weit->breite, 6);
    EXPECT_FALSE(GlypheLesen(d, kopf, 64));
    EXPECT_FALSE(GlypheLesen(d, kopf, 67));
}

TEST_F(Schrift, LadenBisZurGroessengrenze) {
    std::vector<std::uint8_t> d(kZeichensatzMaxGroesse, 0);
    ordner.Schreiben("gross.FNT", d);
    EXPECT_EQ(ZeichensatzLaden(z, ordner.Datei("gross.FNT")), 0);
    EXPECT_EQ(z.Puffer.size(), kZeichensatzMaxGroesse);
    d.push_back(0);
    ordner.Schreiben("gross.FNT", d);
    EXPECT_EQ(ZeichensatzLaden(z, ordner.Datei("gross.FNT")), 2);
    EXPECT_TRUE(z.Puffer.empty());
    EXPECT_EQ(ZeichensatzLaden(z, ordner.Datei("fehlt.FNT")), 2);
    EXPECT_EQ(ZeichensatzLaden(z, ordner.pfad().string()), 5);
}

TEST_F(Schrift, ZeichnetSkaliertAbDerGrundlinie) {
    Datei(Schriftdatei(10, 65, ZweiGlyphen()));
    // Cap height 25 units drawn at 50 pixels: 2 pixels a unit, baseline at y + 50.
    TextZeichnen(z, b, l, 100, 10, 50, "A\xC4?B", fehler);
    EXPECT_FALSE(fehler);
    EXPECT_EQ(l.protokoll.front(), "StiftFarbe 000000");
    using L = std::tuple<int, int, int, int>;
    std::vector<L> linien;
    for (const auto& s : l.linien) {
        linien.emplace_back(s.x0, s.y0, s.x1, s.y1);
        EXPECT_EQ(s.stift.farbe, kSchwarz);
    }
    EXPECT_EQ(linien, (std::vector<L>{
                          {100, 60, 110, 20}, // A: up to the cap line
                          {112, 48, 120, 60}, // the no-op command moved the pen only
                          {118, 70, 122, 70}, // B after A's 20 pixels; Ä and ? are not in the font
                      }));
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_FALSE(z.Geladen);
}

TEST_F(Schrift, AusmessenSummiertGerundeteBreiten) {
    Datei(Schriftdatei(10, 65, ZweiGlyphen()));
    Ausdehnung a;
    TextAusmessen(z, b, l, 50, "ABAx", a, fehler);
    EXPECT_FALSE(fehler);
    EXPECT_EQ(a.breite, 20 + 12 + 20);
    EXPECT_EQ(a.hoehe, 50);
    // Each width is rounded on its own: 10 and 6 units at 0.4 pixels a unit.
    TextAusmessen(z, b, l, 10, "AB", a, fehler);
    EXPECT_EQ(a.breite, 4 + 2);
    EXPECT_EQ(a.hoehe, 10);
    // Wide glyphs at a large height add up without wrapping at 256 pixels.
    TextAusmessen(z, b, l, 1000, "AA", a, fehler);
    EXPECT_EQ(a.breite, 800);
    EXPECT_EQ(a.hoehe, 1000);
    // Only the first 255 characters count.
    TextAusmessen(z, b, l, 50, std::string(300, 'A'), a, fehler);
    EXPECT_EQ(a.breite, 255 * 20);
}

TEST_F(Schrift, MessenMarkiertDenPufferZeichnenNicht) {
    Datei(Schriftdatei(10, 65, ZweiGlyphen()));
    TextZeichnen(z, b, l, 0, 0, 25, "A", fehler);
    EXPECT_FALSE(z.Geladen);
    std::filesystem::remove(ordner.pfad() / "T.FNT");
    // Drawing reads the file every time.
    TextZeichnen(z, b, l, 0, 0, 25, "A", fehler);
    EXPECT_TRUE(fehler);
    EXPECT_EQ(b.Meldungen(), (std::vector<std::string>{"Fehler beim Laden des Zeichensatzes!"}));

    Datei(Schriftdatei(10, 65, ZweiGlyphen()));
    Ausdehnung a;
    TextAusmessen(z, b, l, 25, "A", a, fehler);
    EXPECT_TRUE(z.Geladen);
    std::filesystem::remove(ordner.pfad() / "T.FNT");
    // After measuring, the buffer serves until another font is chosen.
    TextZeichnen(z, b, l, 0, 0, 25, "A", fehler);
    EXPECT_FALSE(fehler);
    ZeichensatzWaehlen(z, ordner.Datei("T.FNT"));
    TextAusmessen(z, b, l, 25, "A", a, fehler);
    EXPECT_TRUE(fehler);
    EXPECT_FALSE(z.Geladen);
    EXPECT_EQ(b.Meldungen(), (std::vector<std::string>(2, "Fehler beim Laden des Zeichensatzes!")));
}

TEST_F(Schrift, Fehlermeldungen) {
    Datei(Schriftdatei(128, 65, ZweiGlyphen()), "ALT.FNT");
    Ausdehnung a{7, 7};
    TextAusmessen(z, b, l, 25, "A", a, fehler);
    EXPECT_TRUE(fehler);
    TextZeichnen(z, b, l, 0, 0, 25, "", fehler);
    EXPECT_FALSE(fehler);
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{ordner.Datei("ALT.FNT") + " nicht im erwarteten Format!",
                                        "fehlender Gravurtext!"}));
    EXPECT_EQ(a.breite, 7);
    EXPECT_TRUE(l.linien.empty());
}

} // namespace
} // namespace korvx
