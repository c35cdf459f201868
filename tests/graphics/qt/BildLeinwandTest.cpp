#include "graphics/qt/BildLeinwand.h"
#include "anlage/Anlage.h"
#include "graphics/Achsen.h"
#include "graphics/Bahn.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace korvx::test {
namespace {

// Text needs a GUI application; the offscreen platform needs no display.
class QtUmgebung : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app_ = new QGuiApplication(argc_, argv_);
    }
    void TearDown() override { delete app_; }

private:
    int argc_ = 1;
    char name_[16] = "test";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};
const auto* const umgebung = ::testing::AddGlobalTestEnvironment(new QtUmgebung);

Farbe Pixel(const QImage& bild, int x, int y) {
    return bild.pixel(x, y) & 0xFFFFFFu;
}

TEST(BildLeinwand, LinieOhneEndpunktUndGestrichelteLuecken) {
    BildLeinwand l(120, 40);
    l.StiftFarbe(0xFF0000);
    l.StiftArt(StiftStil::Durchgezogen, 1);
    l.Linie(5, 5, 15, 5);
    l.StiftArt(StiftStil::Strich, 1);
    l.Linie(0, 20, 100, 20);
    const QImage& b = l.Bild();
    EXPECT_EQ(Pixel(b, 5, 5), 0xFF0000u);
    EXPECT_EQ(Pixel(b, 14, 5), 0xFF0000u);
    EXPECT_EQ(Pixel(b, 15, 5), kWeiss);
    for (int x = 0; x < 18; ++x) {
        EXPECT_EQ(Pixel(b, x, 20), 0xFF0000u) << x;
    }
    for (int x = 18; x < 24; ++x) {
        EXPECT_EQ(Pixel(b, x, 20), kWeiss) << x;
    }
    EXPECT_EQ(Pixel(b, 24, 20), 0xFF0000u);
}

TEST(BildLeinwand, NichtXorKehrtUmUndZweimalStelltWiederHer) {
    BildLeinwand l(60, 60);
    l.StiftFarbe(0xFF0000);
    l.Linie(0, 30, 60, 30);
    const QImage vorher = l.Bild().copy();
    l.StiftModus(RasterModus::NichtXor);
    l.StiftFarbe(kSchwarz);
    l.PinselArt(PinselStil::Leer);
    l.Ellipse(20, 20, 41, 41);
    const QImage einmal = l.Bild().copy();
    int umgekehrt = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Farbe alt = Pixel(vorher, x, y);
            const Farbe neu = Pixel(einmal, x, y);
            if (alt != neu) {
                EXPECT_EQ(neu, ~alt & 0xFFFFFFu) << x << "," << y;
                ++umgekehrt;
            }
        }
    }
    EXPECT_GT(umgekehrt, 40);
    // The inside stays: the brush is clear.
    EXPECT_EQ(Pixel(einmal, 30, 25), kWeiss);
    l.Ellipse(20, 20, 41, 41);
    EXPECT_EQ(l.Bild(), vorher);
}

TEST(BildLeinwand, DirekteFigurenTreffenImmerDasAktuelleBild) {
    // Thin lines write the image's pixels; after the image was handed out,
    // resized or cleared they must land in the image now shown and never in
    // a copy somebody holds.
    BildLeinwand l(40, 40);
    l.StiftFarbe(0xFF0000);
    l.Linie(0, 5, 40, 5);
    const QImage kopie = l.Bild();
    l.Linie(0, 10, 40, 10);
    EXPECT_EQ(Pixel(kopie, 3, 10), kWeiss);
    EXPECT_EQ(Pixel(l.Bild(), 3, 10), 0xFF0000u);
    l.GroesseAendern(80, 80);
    l.Linie(0, 70, 80, 70);
    EXPECT_EQ(Pixel(l.Bild(), 75, 70), 0xFF0000u);
    EXPECT_EQ(Pixel(l.Bild(), 3, 5), 0xFF0000u);
    l.Ellipse(10, 10, 20, 20); // begins the painter
    l.Loeschen();
    l.Linie(0, 60, 80, 60);
    const QImage& b = l.Bild();
    EXPECT_EQ(Pixel(b, 3, 5), kWeiss);
    EXPECT_EQ(Pixel(b, 3, 60), 0xFF0000u);
    EXPECT_EQ(Pixel(kopie, 3, 5), 0xFF0000u);
}

TEST(BildLeinwand, BitmapIstEineWindowsBitmap) {
    BildLeinwand l(30, 20);
    l.PinselFarbe(0x00A800);
    l.Loeschen();
    const auto daten = l.Bitmap();
    ASSERT_GT(daten.size(), 54u);
    EXPECT_EQ(daten[0], 'B');
    EXPECT_EQ(daten[1], 'M');
    QImage gelesen;
    ASSERT_TRUE(gelesen.loadFromData(daten.data(), static_cast<int>(daten.size()), "BMP"));
    EXPECT_EQ(gelesen.size(), QSize(30, 20));
    EXPECT_EQ(Pixel(gelesen, 7, 7), 0x00A800u);
}

// A small program drawn headless and saved: axes, feed, rapid and each display
// mode; the saved file's pixels are checked.
TEST(BildLeinwand, GrafikMitAchsenUndBahnenAlsDatei) {
    FakeBediener bediener;
    Anlage anlage(bediener, Zahlenformat(','));
    BildLeinwand leinwand(799, 599); // with the limits below: 5 pixels per mm
    anlage.grafik.bild = &leinwand;
    auto& k = anlage.zustand.konfig;
    k.SimuGrenzeMin = {-20, -20, -10};
    k.SimuGrenzeMax = {140, 100, 10};
    k.SkalenWeiteX = 50;
    k.SkalenWeiteY = 50;
    anlage.grafik.zOben = 0;
    anlage.grafik.zUnten = -10;
    GrafikLoeschen(anlage);
    GrafikEinrichten(anlage, true);

    TWerkzeug w;
    w.Nummer = 1;
    w.Durchmesser = 4; // 10 pixels radius
    w.Farbe = 4;       // red
    bool& erster = anlage.grafik.ErsterPunkt;
    // column = 5 · (x + 20), row = 599 − 5 · (y + 20)
    BahnZeichnen(anlage, {0, 40, 0}, {60, 40, 0}, w, erster, kMittelpunktbahn, false);
    BahnZeichnen(anlage, {60, 40, 0}, {60, 90, 5}, w, erster, kMittelpunktbahn, true);
    BahnZeichnen(anlage, {60, 90, 5}, {120, 90, -5}, w, erster, kFraeserbahnGefuellt, false);
    w.Farbe = 2; // green
    BahnZeichnen(anlage, {120, 90, -5}, {120, 10, 0}, w, erster, kFraeserbahn, false);

    TempOrdner ordner;
    const std::string datei = ordner.Datei("grafik.png");
    ASSERT_TRUE(leinwand.Speichern(datei));
    if (const char* ziel = std::getenv("KORVX_BILD_AUSGABE")) {
        leinwand.Speichern(ziel);
    }
    QImage b;
    ASSERT_TRUE(b.load(QString::fromStdString(datei)));
    ASSERT_EQ(b.size(), QSize(799, 599));

    // x axis at y = 0 (row 499), y axis at x = 0 (column 100), in black.
    EXPECT_EQ(Pixel(b, 30, 499), kSchwarz);
    EXPECT_EQ(Pixel(b, 100, 560), kSchwarz);
    EXPECT_EQ(Pixel(b, 100, 150), kSchwarz);
    // Frame.
    EXPECT_EQ(Pixel(b, 400, 0), kSchwarz);
    EXPECT_EQ(Pixel(b, 798, 300), kSchwarz);
    // Feed move in the tool's colour, solid.
    for (int x = 110; x < 390; ++x) {
        ASSERT_EQ(Pixel(b, x, 299), 0xFF0000u) << x;
    }
    // Rapid move: dashed, in the tool's colour with gaps.
    int farbig = 0;
    int luecken = 0;
    for (int y = 285; y > 60; --y) {
        const Farbe f = Pixel(b, 400, y);
        farbig += f == 0xFF0000u;
        luecken += f == kWeiss;
    }
    EXPECT_GT(farbig, 100);
    EXPECT_GT(luecken, 30);
    // Filled band 20 pixels wide, lighter at depth −5: halfway down the
    // range, 0.3 of the way to white (the deepest cut goes 0.6 of it, so it
    // stays visible on the background).
    EXPECT_EQ(Pixel(b, 550, 49), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 550, 41), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 550, 57), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 550, 62), kWeiss);
    // Its start is round like the cutter: painted beyond the start point on
    // the band's axis, not at the square's corner.
    EXPECT_EQ(Pixel(b, 393, 49), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 392, 40), kWeiss);
    // Outline of the last move: two lines 10 pixels beside it in the pen in
    // force (the shaded red of the band before), white inside.
    EXPECT_EQ(Pixel(b, 690, 300), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 710, 300), 0xFF4C4Cu);
    EXPECT_EQ(Pixel(b, 700, 300), kWeiss);
}

} // namespace
} // namespace korvx::test
