#include "geometry/Umrechnung.h"

#include "state/Maschinenzustand.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvx {
namespace {

TEST(Verfahrzeit, CombinesAxesByPlane) {
    Maschinenzustand z;
    z.konfig.AktGeschw = {1.0, 1.0, 1.0, 1.0};
    // A pure 10 mm z move at 1 m/min: 0.6 s plus 5 %.
    z.Interpolationsebene = kEbeneXY;
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {0, 0, -10}), 630);
    // 3-4-5 in the plane: √(0.18² + 0.24²) = 0.3 s.
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {3, 4, 0}), 315);
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {3, 4, 10}), 945);
    z.Interpolationsebene = kEbeneXZ; // y alone, x and z together
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {3, 10, 4}), 630 + 315);
    z.Interpolationsebene = kEbeneYZ;
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {10, 3, 4}), 630 + 315);
    z.Interpolationsebene = kEbene3D;
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {3, 4, 0}), 315);
    z.Interpolationsebene = 7;
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {3, 4, 0}), 0);
    // Different speeds per axis; the sign of the distance does not matter.
    z.Interpolationsebene = kEbeneXY;
    z.konfig.AktGeschw = {2.0, 1.0, 0.5, 1.0};
    EXPECT_EQ(Verfahrzeit(z, {10, 0, 0}, {0, 0, 0}), 315);
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {0, 0, 5}), 630);
}

TEST(Verfahrzeit, StandingAxesAndZeroSpeedsStayDefined) {
    Maschinenzustand z;
    z.konfig.AktGeschw = {1.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {10, 0, 0}), 630);
    EXPECT_EQ(Verfahrzeit(z, {0, 0, 0}, {0, 1, 0}), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ZVerfahrzeit(z, true, 0.0), 0);
}

TEST(Verfahrzeit, ZMoveWithAndWithoutSecondDrive) {
    Maschinenzustand z;
    z.konfig.AktGeschw = {1.0, 1.0, 1.0, 2.0};
    EXPECT_EQ(ZVerfahrzeit(z, false, -10.0), 600);
    EXPECT_EQ(ZVerfahrzeit(z, true, 10.0), 900);
}

TEST(Schritte, RateIsLimited) {
    Maschinenzustand z; // 400 steps/rev, factor 1
    // 1 m/min on a 4 mm pitch: 400 · 16.67 / 4 = 1666.67 steps/s.
    EXPECT_NEAR(SchrittFrequenz(z, 1.0, 4.0), 1666.6666666, 1e-6);
    EXPECT_EQ(SchrittFrequenz(z, 0.001, 4.0), 21.0);
    EXPECT_EQ(SchrittFrequenz(z, 0.0, 4.0), 21.0);
    EXPECT_EQ(SchrittFrequenz(z, 100.0, 4.0), 10000.0);
    z.konfig.Schrittfaktor = 2;
    EXPECT_NEAR(SchrittFrequenz(z, 1.0, 4.0), 3333.3333333, 1e-6);
}

TEST(Schritte, CountRoundsHalfToEvenAndInverts) {
    Maschinenzustand z; // 100 steps per mm at 4 mm pitch
    EXPECT_EQ(SchrittZahl(z, 10.0, 4.0), 1000);
    EXPECT_EQ(SchrittZahl(z, -0.015, 4.0), -2); // −1.5 → −2
    EXPECT_EQ(SchrittZahl(z, 0.025, 4.0), 2);   // 2.5 → 2
    EXPECT_EQ(SchrittZahl(z, 0.035, 4.0), 4);   // 3.5 → 4
    EXPECT_EQ(SchritteNachMillimeter(z, 1000.0, 4.0), 10.0);
    EXPECT_EQ(SchritteNachMillimeter(z, -1.0, 4.0), -0.01);
    z.konfig.SchritteProUmdrehung = 200;
    z.konfig.Schrittfaktor = 4;
    EXPECT_EQ(SchrittZahl(z, 1.0, 5.0), 160);
    EXPECT_EQ(SchritteNachMillimeter(z, 160.0, 5.0), 1.0);
    // 199.997 mm at 2500 steps/mm lie exactly on a half step: −499992.5 → −499992.
    z.konfig.SchritteProUmdrehung = 500;
    z.konfig.Schrittfaktor = 5;
    EXPECT_EQ(SchrittZahl(z, -199.997, 1.0), -499992);
    EXPECT_EQ(DurchHandTeiler(z, 1.0), 0.01);
}

TEST(Drehzahlstufe, FirstDoublingAboveHalfTheSpeed) {
    constexpr double kPi = 3.14159265358979323846;
    EXPECT_EQ(Drehzahlstufe(100.0, 0.0), 12000.0);
    EXPECT_EQ(Drehzahlstufe(100.0, -3.0), 12000.0);
    // vc chosen so that n is exactly 1499, 1500 and 1501 for d = 1/π mm.
    EXPECT_EQ(Drehzahlstufe(1.499, 1.0 / kPi), 750.0);
    EXPECT_EQ(Drehzahlstufe(1.5, 1.0 / kPi), 1500.0);
    EXPECT_EQ(Drehzahlstufe(2.999, 1.0 / kPi), 1500.0);
    EXPECT_EQ(Drehzahlstufe(3.0, 1.0 / kPi), 3000.0);
    EXPECT_EQ(Drehzahlstufe(0.0, 6.0), 750.0);
    EXPECT_GT(Drehzahlstufe(std::numeric_limits<double>::infinity(), 6.0), 1e14);
}

TEST(Ziffernfolgen, HexAndBinary) {
    test::FakeBediener b;
    EXPECT_EQ(HexNachBinaer(b, "a0F"), "101000001111");
    EXPECT_EQ(BinaerNachZahl(b, "101000001111"), 0xA0F);
    EXPECT_EQ(BinaerInvertieren(b, "1100"), "0011");
    EXPECT_EQ(HexNachZahl(b, "FFFFFF"), -1);
    EXPECT_EQ(HexNachZahl(b, "FFFFF6"), -10);
    EXPECT_EQ(HexNachZahl(b, "00000A"), 10);
    EXPECT_EQ(HexNachZahl(b, "800000"), -8388608);
    EXPECT_EQ(HexNachZahl(b, "7FFFFF"), 8388607);
    EXPECT_EQ(HexNachZahl(b, "F6"), -10);
    EXPECT_EQ(HexNachZahl(b, "FFFFFFFFFFFFFFF6"), -10);
    EXPECT_EQ(HexNachZahl(b, ""), 0);
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST(Ziffernfolgen, BadDigitsAreReported) {
    test::FakeBediener b;
    EXPECT_EQ(HexNachBinaer(b, "12G4"), "");
    EXPECT_EQ(BinaerNachZahl(b, "10201"), 0);
    EXPECT_EQ(BinaerInvertieren(b, "10x"), "");
    EXPECT_FALSE(HexNachZahl(b, "00 00A"));
    EXPECT_EQ(b.Meldungen(), (std::vector<std::string>{
                               "This is not hexadecimal number", "It is not a binary number",
                               "Keine Binärzahl!", "This is not hexadecimal number"}));
}

} // namespace
} // namespace korvx
