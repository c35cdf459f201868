#include "geometry/Vektor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvx {
namespace {

TEST(Vektor, ComparisonsAreExact) {
    const TPunkt3D a{1.0, 2.0, 3.0};
    EXPECT_TRUE(PunkteGleich3D(a, a));
    EXPECT_FALSE(PunkteGleich3D(a, {1.0, 2.0 + 1e-12, 3.0}));
    EXPECT_FALSE(PunkteGleich2D(a, {1.0 + 1e-12, 2.0, 3.0}));
    EXPECT_TRUE(PunkteGleich2D(a, {1.0, 2.0, -7.0}));
    EXPECT_FALSE(PunkteGleich3D(a, {1.0, 2.0, -7.0}));
}

TEST(Vektor, DifferenceAndBox) {
    EXPECT_EQ(PunktDifferenz({5, 7, 9}, {1, 2, 3}), (TAchsWerte{4, 5, 6, 0}));
    const TPunkt3D min{0, 0, 0};
    const TPunkt3D max{500, 290, 75};
    EXPECT_TRUE(PunktImQuader(max, min, max));
    EXPECT_TRUE(PunktImQuader(min, min, max));
    EXPECT_FALSE(PunktImQuader({500.0000001, 0, 0}, min, max));
    EXPECT_FALSE(PunktImQuader({1, -1e-9, 1}, min, max));
    EXPECT_FALSE(PunktImQuader({1, 1, 75.5}, min, max));
}

TEST(Vektor, AxisSetShiftsZFromBothDrives) {
    TPunkt3D p{1, 1, 1};
    AchsenVersetzen({true, false, true, true}, p, {1.0, 10.0, 0.5, 0.25});
    EXPECT_EQ(p, (TPunkt3D{2, 1, 1.75}));
    EXPECT_FALSE(IrgendeineAchse({false, false, false, false}));
    EXPECT_TRUE(IrgendeineAchse({false, false, false, true}));
}

TEST(Vektor, RotationAboutZ) {
    double x = 1.0, y = 0.0;
    DreheUmZ(x, y, 90.0);
    EXPECT_NEAR(x, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(y, 1.0);
    x = 3.0, y = 4.0;
    DreheUmZ(x, y, -90.0);
    EXPECT_NEAR(x, 4.0, 1e-14);
    EXPECT_NEAR(y, -3.0, 1e-14);
    // Exactly 0 returns the input bit for bit.
    x = 0.1 + 0.2, y = -1e-300;
    const double x0 = x, y0 = y;
    DreheUmZ(x, y, 0.0);
    EXPECT_EQ(x, x0);
    EXPECT_EQ(y, y0);
    // Out of the sine's range: both terms vanish instead of becoming NaN.
    x = 1.0, y = 1.0;
    DreheUmZ(x, y, std::numeric_limits<double>::infinity());
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
}

TEST(Vektor, RoundingIsHalfToEven) {
    EXPECT_EQ(RundeAufStellen(0, 2.5), 2.0);
    EXPECT_EQ(RundeAufStellen(0, 3.5), 4.0);
    EXPECT_EQ(RundeAufStellen(0, -2.5), -2.0);
    EXPECT_EQ(RundeAufStellen(1, 0.25), 0.2);
    EXPECT_DOUBLE_EQ(RundeAufStellen(3, 1.23456), 1.235);
    EXPECT_EQ(RundeAufStellen(2, -7.0049), -7.0);
    EXPECT_EQ(RundeAufStellenEinSchritt(1, 0.75), 0.8);
    EXPECT_EQ(RundeAufStellenEinSchritt(3, 12.3456789), 12.346);
    // 1.0625 and −0.4375 are exact halves of a thousandth.
    TPunkt3D p{1.0625, -0.4375, 9.87654};
    RundePunkt3(p);
    EXPECT_EQ(p, (TPunkt3D{1.062, -0.438, 9.87654}));
    p = {1.00049, 2.0004, 0};
    RundePunkt3(p);
    EXPECT_EQ(p, (TPunkt3D{1.0, 2.0, 0}));
}

TEST(Vektor, DecimalSnapping) {
    double v = 2.49999;
    EXPECT_EQ(DezimalFangen(v, 3), 2.5);
    EXPECT_EQ(v, 2.5);
    v = 3.0;
    EXPECT_EQ(DezimalFangen(v, 3), 3.0);
    // 12.34 lies 0.06 hundredths from 12.34 but 0.4 tenths from 12.3.
    v = 12.3406;
    EXPECT_EQ(DezimalFangen(v, 3), 12.34);
    // Nothing within reach for n = 2: unchanged.
    v = 1.2345;
    EXPECT_EQ(DezimalFangen(v, 2), 1.2345);
    v = -0.7999;
    EXPECT_EQ(DezimalFangen(v, 1), -0.8);
}

TEST(Vektor, PowersAndWords) {
    EXPECT_NEAR(Potenz(3, 2.0), 8.0, 1e-12);
    EXPECT_NEAR(Potenz(3, -2.0), -8.0, 1e-12);
    EXPECT_NEAR(Potenz(2, -3.0), 9.0, 1e-12);
    EXPECT_NEAR(Potenz(-1, 4.0), 0.25, 1e-15);
    EXPECT_EQ(Potenz(2, 4e-7), 0.0);
    EXPECT_EQ(Zweierpotenz(0), 1);
    EXPECT_EQ(Zweierpotenz(-3), 1);
    EXPECT_EQ(Zweierpotenz(10), 1024);
    EXPECT_EQ(Zweierpotenz(200), std::int64_t{1} << 62);
    EXPECT_EQ(WortMaximum(0xFFFF, 1), 0xFFFF);
    EXPECT_EQ(WortMaximum(3, 40000), 40000);
}

} // namespace
} // namespace korvx
