// Arcs: the sweep as LinuxCNC takes it, the chords, and when our own arc
// (one degree steps, snapped to tenths) stays on the source's arc.
#include "Umsetzen.h"

#include "rs274/Bogen.h"
#include "state/Text.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvx::rs274::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

Bogen Viertel(double r, bool g3) {
    Bogen b;
    b.a0 = r;
    b.b1 = r;
    b.gegenUhrzeiger = g3;
    BogenBerechnen(b);
    return b;
}

TEST(Rs274Bogen, SweepByDirectionAndTheFullCircle) {
    EXPECT_NEAR(Viertel(10, true).bogen, kPi / 2, 1e-12);
    EXPECT_NEAR(Viertel(10, false).bogen, 3 * kPi / 2, 1e-12);
    Bogen voll;
    voll.a0 = voll.a1 = 5;
    BogenBerechnen(voll);
    EXPECT_NEAR(voll.bogen, 2 * kPi, 1e-12);
}

TEST(Rs274Bogen, ChordsStayWithinTheirTolerance) {
    Bogen b = Viertel(10, true);
    const int n = SehnenAnzahl(b, 0.004);
    EXPECT_EQ(n, 28);
    double a = b.a0, bb = b.b0;
    for (int k = 1; k <= n; ++k) {
        double a2, b2, l2;
        BogenPunkt(b, static_cast<double>(k) / n, a2, b2, l2);
        EXPECT_LE(AbstandZumBogen(b, (a + a2) / 2, (bb + b2) / 2), 0.004);
        a = a2;
        bb = b2;
    }
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(bb, 10.0); // the last point is the exact end
    // A tiny arc is one chord.
    EXPECT_EQ(SehnenAnzahl(Viertel(0.003, true), 0.004), 1);
}

TEST(Rs274Bogen, OwnArcOnlyWhereItsStepsAndSnappingKeepToThePath) {
    std::vector<double> punkte;
    // r = 10: 90 points of one degree on the arc.
    EXPECT_TRUE(EigenerKreisPasst(Viertel(10, true), 10, 0, 0, 10, -10, 0, 0.009, punkte));
    EXPECT_EQ(punkte.size(), 180u);
    // r = 300: one degree chords sag by 0.011 mm.
    punkte.clear();
    EXPECT_FALSE(EigenerKreisPasst(Viertel(300, true), 300, 0, 0, 300, -300, 0, 0.009, punkte));
    EXPECT_TRUE(punkte.empty());
}

TEST(Rs274Bogen, ArcsOurArcWouldMoveAreWrittenAsChords) {
    // The centre 10.005 snaps to 10: the far side would lie 0.01 mm off.
    Umsetzung u = U("F100 G0 X0 Y0\nG2 X20.01 Y0 I10.005 J0\n");
    ASSERT_TRUE(u.ok);
    EXPECT_EQ(u.bloecke.size(), 59u); // the head, the rapid and 56 chords
    EXPECT_EQ(NachUtf8(u.hinweise.back().text),
              "G2 als Geraden: der eigene Kreis wiche um mehr als 0,01 mm ab");
    // r = 200 starting at 30.005 degrees: the start angle snaps to 30, which
    // turns the arc by 0.017 mm; starting at 30 degrees it stays.
    const double w = 30.005 * kPi / 180;
    char quelle[200];
    std::snprintf(quelle, sizeof quelle, "F100 G0 X%.4f Y%.4f\nG3 X0 Y200 I%.4f J%.4f\n",
                  200 * std::cos(w), 200 * std::sin(w), -200 * std::cos(w), -200 * std::sin(w));
    EXPECT_EQ(U(quelle).bloecke.size(), 90u); // 87 chords
    EXPECT_EQ(Bloecke("F100 G0 X173.205 Y100\nG3 X0 Y200 I-173.205 J-100\n").size(), 2u);
}

TEST(Rs274Bogen, HelixAndOtherPlanesAreChords) {
    Umsetzung u = U("F100 G0 X10 Y0 Z0\nG3 X10 Y0 Z-1 I-10 J0\n");
    ASSERT_TRUE(u.ok);
    ASSERT_EQ(u.hinweise.size(), 3u);
    EXPECT_EQ(NachUtf8(u.hinweise[1].text), "G3 als Geraden: Schraubenlinie (z ändert sich)");
    EXPECT_EQ(u.bloecke.back(),
              "N" + std::to_string((u.bloecke.size() - Kopf()) * 10) + " G01 X10 Y0 Z-1 F0.1");
    // In 3D mode the chords stay whole: 112 chords of the full circle of
    // radius 10 within 0.004 mm.
    const Umsetzung raum = U("F100 G0 X10 Y0 Z0\nG3 X10 Y0 Z-1 I-10 J0\n", true);
    ASSERT_TRUE(raum.ok);
    EXPECT_EQ(raum.bloecke.size(), 2u + 112u);
    EXPECT_LT(raum.bloecke.size(), u.bloecke.size());
    // G18: the arc in the z-x plane (LinuxCNC's first axis z, second x),
    // clockwise there: from (0, 0, 0) around (5, 0, 0) to (10, 0, 0) through
    // z = -5.
    const std::vector<std::string> b = Bloecke("F100 G0 X0 Y0 Z0\nG18 G2 X10 Z0 I5 K0\n");
    ASSERT_GT(b.size(), 10u);
    double zmin = 1;
    double zmax = -1;
    for (const std::string& s : b) {
        const auto p = s.find(" Z");
        if (p != std::string::npos) {
            zmin = std::min(zmin, std::stod(s.substr(p + 2)));
            zmax = std::max(zmax, std::stod(s.substr(p + 2)));
        }
    }
    EXPECT_NEAR(zmin, -5.0, 0.01);
    EXPECT_EQ(zmax, 0.0);
}

} // namespace
} // namespace korvx::rs274::test
