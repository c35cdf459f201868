#include "graphics/Abbildung.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvx {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(Abbildung, BildVon499Mal289MitStandardgrenzenHatMassstabEins) {
    TAbbildung a;
    EXPECT_FALSE(a.Definiert());
    a.AbbildungSetzen(0, 0, 499, 289, -200, -150, 300, 140);
    EXPECT_TRUE(a.Definiert());
    EXPECT_EQ(a.Sx(), 1.0L);
    EXPECT_EQ(a.Sy(), 1.0L);
    EXPECT_EQ(a.WeltZuBildX(-200), 0);
    EXPECT_EQ(a.WeltZuBildX(300), 500);
    EXPECT_EQ(a.BildZeile(a.WeltZuBildY(-150)), 289);
    EXPECT_EQ(a.WeltZuBildY(140), 290);
    EXPECT_EQ(a.BildZeile(a.WeltZuBildY(140)), 0); // 289 − 290 = −1 becomes 0
    EXPECT_EQ(a.PixelBreite(), 1.0L);
    EXPECT_EQ(a.PixelHoehe(), 1.0L);
    // Truncation towards zero, not rounding.
    EXPECT_EQ(a.WeltZuBildX(-0.9), 199);
    EXPECT_EQ(a.WeltZuBildX(-200.5), 0);
    // Left and top do not enter the offsets.
    a.AbbildungSetzen(100, 50, 599, 339, -200, -150, 300, 140);
    EXPECT_EQ(a.WeltZuBildX(-200), 0);
    EXPECT_EQ(a.BildZeile(a.WeltZuBildY(0)), 339 - 50 - 150);
}

TEST(Abbildung, AbschneidenIstExaktAuchDichtUnterEinerGanzenZahl) {
    // Scale 1, offset 0: the pixel is the value truncated towards zero. Just
    // below an integer the nearest double is the integer itself; the pixel
    // must still be the one below.
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 99, 99, 0, 0, 100, 100);
    ASSERT_EQ(a.Sx(), 1.0L);
    ASSERT_EQ(a.Ox(), 0.0L);
    for (const long double ganz : {1.0L, 5.0L, 4096.0L, 2147483647.0L}) {
        const long double darunter = std::nextafter(ganz, 0.0L);
        ASSERT_EQ(static_cast<double>(darunter), static_cast<double>(ganz));
        EXPECT_EQ(a.WeltZuBildX(darunter), static_cast<std::int32_t>(ganz) - 1) << ganz;
        EXPECT_EQ(a.WeltZuBildX(-darunter), -(static_cast<std::int32_t>(ganz) - 1)) << ganz;
        EXPECT_EQ(a.WeltZuBildX(ganz), static_cast<std::int32_t>(ganz));
        EXPECT_EQ(a.WeltZuBildX(-ganz), -static_cast<std::int32_t>(ganz));
    }
    EXPECT_EQ(a.WeltZuBildX(0.25L), 0);
    EXPECT_EQ(a.WeltZuBildX(-0.25L), 0);
    EXPECT_EQ(a.WeltZuBildX(1e300L), kMax);
    EXPECT_EQ(a.WeltZuBildX(-1e300L), kMin);
    EXPECT_EQ(a.WeltZuBildX(std::numeric_limits<long double>::quiet_NaN()), 0);
}

TEST(Abbildung, UmkehrungTrifftDiePixel) {
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 799, 599, -12.5, -7, 87.5, 43);
    for (int spalte : {0, 1, 17, 400, 799}) {
        EXPECT_EQ(a.WeltZuBildX(a.BildZuWeltX(spalte) + a.PixelBreite() / 2), spalte);
    }
    EXPECT_NEAR(static_cast<double>(a.BildZuWeltY(a.WeltZuBildY(10.0))), 10.0, 0.1);
    EXPECT_NEAR(static_cast<double>(a.PixelBreite()), 100.0 / 800.0, 1e-15);
}

TEST(Abbildung, GleicheGrenzenBehaltenDenAltenMassstab) {
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 499, 289, -200, -150, 300, 140);
    a.AbbildungSetzen(0, 0, 999, 579, 7, 7, 7, 7);
    EXPECT_EQ(a.Sx(), 1.0L);
    EXPECT_EQ(a.Ox(), 200.0L);
    EXPECT_EQ(a.Sy(), 1.0L);
    // The viewport is taken anyway.
    EXPECT_EQ(a.Unten(), 579);
}

TEST(Abbildung, VertauschteGrenzenSpiegelnDasBild) {
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 499, 289, 300, -150, -200, 140);
    EXPECT_EQ(a.Sx(), -1.0L);
    EXPECT_EQ(a.WeltZuBildX(300), 0);
    EXPECT_EQ(a.WeltZuBildX(250), 50);
    EXPECT_EQ(a.WeltZuBildX(-200), 500);
}

TEST(Abbildung, PixelwerteBleibenIm32BitBereich) {
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 499, 289, -1e-9, -1e-9, 1e-9, 1e-9);
    EXPECT_EQ(a.WeltZuBildX(1e30), kMax);
    EXPECT_EQ(a.WeltZuBildX(-1e30), kMin);
    EXPECT_EQ(a.WeltZuBildY(-1e300), kMin);
    EXPECT_EQ(a.BildZeile(a.WeltZuBildY(1e30)), 0);
    EXPECT_EQ(a.BildZeile(a.WeltZuBildY(-1e30)), kMax);
    EXPECT_EQ(a.WeltZuBildX(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Einpassen, EinMassstabFuerBeideAchsenUndDasFensterBleibtGanzSichtbar) {
    // The default limits on the former 800 × 600 canvas: x sets the scale
    // (1.6 px/mm), y grows about its centre from 290 mm to 375 mm.
    const Weltfenster f = Eingepasst(801, 601, {-200, -150, 300, 140});
    EXPECT_EQ(f.xmin, -200.0);
    EXPECT_EQ(f.xmax, 300.0);
    EXPECT_NEAR(f.ymin + f.ymax, -10.0, 1e-9);
    EXPECT_NEAR((f.ymax - f.ymin) / (f.xmax - f.xmin), 601.0 / 801.0, 1e-12);
    TAbbildung a;
    a.AbbildungSetzen(0, 0, 800, 600, f.xmin, f.ymin, f.xmax, f.ymax);
    EXPECT_NEAR(static_cast<double>(a.Sx()), static_cast<double>(a.Sy()), 1e-12);
    // A circle of radius 25 spans as many columns as rows.
    const auto spalten = a.WeltZuBildX(25) - a.WeltZuBildX(-25);
    const auto zeilen = a.WeltZuBildY(25) - a.WeltZuBildY(-25);
    EXPECT_LE(std::abs(spalten - zeilen), 1);

    // A tall window: y sets the scale, x grows.
    const Weltfenster hoch = Eingepasst(100, 100, {0, 0, 10, 40});
    EXPECT_EQ(hoch.ymin, 0.0);
    EXPECT_EQ(hoch.ymax, 40.0);
    EXPECT_NEAR(hoch.xmin, -15.0, 1e-12);
    EXPECT_NEAR(hoch.xmax, 25.0, 1e-12);
}

TEST(Einpassen, GespiegeltGleicheGrenzenUndUnsinnigeWerte) {
    // A mirrored axis stays mirrored.
    const Weltfenster m = Eingepasst(100, 100, {10, 0, 0, 40});
    EXPECT_GT(m.xmin, m.xmax);
    EXPECT_NEAR(m.xmin - m.xmax, 40.0, 1e-12);
    // Equal x limits take the y scale; both equal or not finite: unchanged.
    const Weltfenster x0 = Eingepasst(200, 100, {5, 0, 5, 10});
    EXPECT_NEAR(x0.xmin, -5.0, 1e-12);
    EXPECT_NEAR(x0.xmax, 15.0, 1e-12);
    const Weltfenster gleich{7, 7, 7, 7};
    EXPECT_EQ(Eingepasst(100, 100, gleich), gleich);
    const Weltfenster unendlich{0, 0, std::numeric_limits<double>::infinity(), 1};
    EXPECT_EQ(Eingepasst(100, 100, unendlich), unendlich);
    EXPECT_EQ(Eingepasst(0, 100, Weltfenster{0, 0, 1, 2}), (Weltfenster{0, 0, 1, 2}));
}

} // namespace
} // namespace korvx
