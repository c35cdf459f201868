#include "geometry/Kreis.h"

#include "support/FakeBediener.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace korvx {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Punkt2 {
    double x, y;
};

// Runs an arc to its end; at most 10000 calls.
std::vector<Punkt2> Abfahren(TKreis& k, test::FakeBediener& b, int richtung) {
    std::vector<Punkt2> punkte;
    bool fertig = false;
    while (!fertig && punkte.size() < 10000) {
        const Kreispunkt p = KreisNaechsterPunkt(k, b, "N10", richtung);
        fertig = p.fertig;
        punkte.push_back({p.erste, p.zweite});
    }
    return punkte;
}

TEST(Kreis, QuarterCircleCounterClockwise) {
    test::FakeBediener b;
    TKreis k;
    bool fertig = true;
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 5}, 0, 10, -10, 0);
    EXPECT_FALSE(fertig);
    EXPECT_FALSE(k.fehler);
    EXPECT_EQ(k.startwinkel, 0.0);
    EXPECT_EQ(k.endwinkel, 90.0);
    EXPECT_EQ(k.bogen, 90.0);
    EXPECT_EQ(k.radius, 10.0);

    const std::vector<Punkt2> punkte = Abfahren(k, b, kKreisGegenUhrzeigersinn);
    ASSERT_EQ(punkte.size(), 90u);
    EXPECT_EQ(punkte.back().x, 0.0);
    EXPECT_EQ(punkte.back().y, 10.0);
    EXPECT_NEAR(punkte[0].x, 10 * std::cos(kPi / 180), 1e-12);
    EXPECT_NEAR(punkte[0].y, 10 * std::sin(kPi / 180), 1e-12);
    EXPECT_NEAR(punkte[44].x, punkte[44].y, 1e-12); // 45 degrees
    EXPECT_TRUE(b.Meldungen().empty());

    KreisSchrittWaehlen(k, 0);
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 5}, 0, 10, -10, 0);
    EXPECT_EQ(Abfahren(k, b, kKreisGegenUhrzeigersinn).size(), 9u);

    // Clockwise the same data go the long way round, through (0, −10).
    KreisSchrittWaehlen(k, 1);
    fertig = !KreisInitialisieren(k, b, kKreisImUhrzeigersinn, {10, 0, 0}, 0, 10, -10, 0);
    EXPECT_EQ(k.bogen, 270.0);
    const std::vector<Punkt2> lang = Abfahren(k, b, kKreisImUhrzeigersinn);
    ASSERT_EQ(lang.size(), 270u);
    EXPECT_NEAR(lang[89].x, 0.0, 1e-12);
    EXPECT_NEAR(lang[89].y, -10.0, 1e-12);
}

TEST(Kreis, EqualStartAndEndIsAFullCircle) {
    test::FakeBediener b;
    TKreis k;
    for (const int richtung : {kKreisImUhrzeigersinn, kKreisGegenUhrzeigersinn}) {
        EXPECT_TRUE(KreisInitialisieren(k, b, richtung, {3, 4, 0}, 3, 4, -3, -4));
        EXPECT_EQ(k.bogen, 360.0);
        const std::vector<Punkt2> punkte = Abfahren(k, b, richtung);
        EXPECT_EQ(punkte.size(), 360u);
        EXPECT_EQ(punkte.back().x, 3.0);
        EXPECT_EQ(punkte.back().y, 4.0);
        // Starting a hair below the x axis, where the angle snaps to 0.
        EXPECT_TRUE(KreisInitialisieren(k, b, richtung, {10, -0.001, 0}, 10, -0.001, -10, 0.001));
        EXPECT_EQ(k.bogen, 360.0);
    }
}

TEST(Kreis, RejectedDataAreReported) {
    test::FakeBediener b;
    TKreis k;
    bool fertig = false;
    // 0.005 mm outside the circle is accepted, 0.02 mm is not.
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 10.005, -10, 0);
    EXPECT_FALSE(k.fehler);
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 10.02, -10, 0);
    EXPECT_TRUE(k.fehler);
    EXPECT_TRUE(fertig);
    // Inside the circle is rejected alike (it would end with a jump through
    // the material), within the tolerance accepted.
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 9, -10, 0);
    EXPECT_TRUE(k.fehler);
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 9.995, -10, 0);
    EXPECT_FALSE(k.fehler);
    // Radius 0.
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 10, 0, 0, 0);
    EXPECT_TRUE(k.fehler);
    // Values that are not finite.
    fertig =
        !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, std::nan(""), 10, -10, 0);
    EXPECT_TRUE(k.fehler);
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 10, -HUGE_VAL, 0);
    EXPECT_TRUE(k.fehler);
    // End point on the centre: off the circle by its radius.
    fertig = false;
    fertig = !KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn, {10, 0, 0}, 0, 0, -10, 0);
    EXPECT_TRUE(k.fehler);
    EXPECT_TRUE(fertig);
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{"Fehler bei der Kreisvariablen-Initialisierung!",
                                        "Fehler bei der Kreisvariablen-Initialisierung!",
                                        "Fehler bei der Kreisvariablen-Initialisierung!",
                                        "Fehler bei der Kreisvariablen-Initialisierung!",
                                        "Fehler bei der Kreisvariablen-Initialisierung!",
                                        "Fehler bei der Kreisvariablen-Initialisierung!"}));

    // Asking for a point of a rejected arc reports the block and yields its
    // start as the last point: nothing moves and no loop runs on.
    b.Meldungen().clear();
    const std::string satz = "N20 G03 X0 Y0 I-10 J0" + std::string(100, ' ');
    const Kreispunkt p = KreisNaechsterPunkt(k, b, satz, kKreisGegenUhrzeigersinn);
    EXPECT_EQ(p.erste, 10.0);
    EXPECT_EQ(p.zweite, 0.0);
    EXPECT_TRUE(p.fertig);
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], satz.substr(0, 80) + " : Die Kreisdaten sind fehlerhaft!");
}

TEST(Kreis, SnapsToTenthsAndSelectsSteps) {
    EXPECT_EQ(AufZehntelFangen(7.0999), 7.1);
    EXPECT_EQ(AufZehntelFangen(7.05), 7.05);
    EXPECT_EQ(AufZehntelFangen(-2.991), -3.0);
    EXPECT_EQ(AufZehntelFangen(0.011), 0.011);
    TKreis k;
    EXPECT_EQ(k.schrittwinkel, 1.0);
    KreisSchrittWaehlen(k, 0);
    EXPECT_EQ(k.schrittwinkel, 10.0);
    KreisSchrittWaehlen(k, 7);
    EXPECT_EQ(k.schrittwinkel, 10.0);
    KreisSchrittWaehlen(k, 1);
    EXPECT_EQ(k.schrittwinkel, 1.0);
}

// A radius within 0.01 of a tenth is snapped; an end point on the programmed
// circle is still accepted and the angles keep their directions.
TEST(Kreis, SnappedRadiusKeepsAnglesAndAcceptsTheEnd) {
    test::FakeBediener b;
    TKreis k;
    const double r = 12.508, a = 88.0 * kPi / 180, e = 200.0 * kPi / 180;
    EXPECT_TRUE(KreisInitialisieren(k, b, kKreisGegenUhrzeigersinn,
                                    {r * std::cos(a), r * std::sin(a), 0}, r * std::cos(e),
                                    r * std::sin(e), -r * std::cos(a), -r * std::sin(a)));
    EXPECT_FALSE(k.fehler);
    EXPECT_EQ(k.radius, 12.5);
    EXPECT_EQ(k.startwinkel, 88.0);
    EXPECT_EQ(k.endwinkel, 200.0);
    EXPECT_EQ(k.bogen, 112.0);
    EXPECT_TRUE(b.Meldungen().empty());
}

// Random valid arcs: every point lies on the arc's circle at the expected
// angle, the number of points is ceil(sweep / step), the last point is the
// exact end point.
TEST(Kreis, RandomArcsStayOnTheCircle) {
    std::mt19937_64 zufall(4711);
    std::uniform_real_distribution<double> ort(-200.0, 200.0);
    std::uniform_real_distribution<double> rad(5.0, 150.0);
    std::uniform_real_distribution<double> winkel(0.0, 2 * kPi);
    test::FakeBediener b;
    TKreis k;
    for (int fall = 0; fall < 400; ++fall) {
        const double cx = ort(zufall), cy = ort(zufall);
        // Every other radius lies within 0.01 of a tenth, where it is snapped.
        double r = rad(zufall);
        if (fall % 2 == 1) {
            r = std::round(r * 10) / 10 + (ort(zufall) / 200.0) * 0.0099;
        }
        const double a = winkel(zufall), e = winkel(zufall);
        const int richtung = fall % 2 == 0 ? kKreisImUhrzeigersinn : kKreisGegenUhrzeigersinn;
        KreisSchrittWaehlen(k, fall % 3 == 0 ? 0 : 1);
        const TPunkt3D start{cx + r * std::cos(a), cy + r * std::sin(a), 1.5};
        const double ex = cx + r * std::cos(e), ey = cy + r * std::sin(e);
        double soll = (richtung == kKreisGegenUhrzeigersinn ? e - a : a - e) * 180 / kPi;
        soll = std::fmod(soll + 720.0, 360.0);
        if (soll < 1.0 || soll > 359.0) {
            continue;
        }
        bool fertig = true;
        fertig = !KreisInitialisieren(k, b, richtung, start, ex, ey, cx - start.x, cy - start.y);
        ASSERT_FALSE(k.fehler) << fall;
        ASSERT_FALSE(fertig);
        // Snapping the centre (0.01 mm) and the angles to tenths moves each
        // angle by at most 0.13 degrees at these radii.
        EXPECT_NEAR(k.bogen, soll, 0.26) << fall;

        const std::vector<Punkt2> punkte = Abfahren(k, b, richtung);
        EXPECT_EQ(punkte.size(), static_cast<std::size_t>(std::ceil(k.bogen / k.schrittwinkel)));
        const double vz = richtung == kKreisGegenUhrzeigersinn ? 1.0 : -1.0;
        for (std::size_t i = 0; i + 1 < punkte.size(); ++i) {
            const double dx = punkte[i].x - k.mitteErste, dy = punkte[i].y - k.mitteZweite;
            ASSERT_NEAR(std::hypot(dx, dy), k.radius, 1e-9) << fall << " " << i;
            const double w = (k.startwinkel + vz * k.schrittwinkel * double(i + 1)) * kPi / 180;
            ASSERT_NEAR(dx, k.radius * std::cos(w), 1e-9) << fall << " " << i;
            ASSERT_NEAR(dy, k.radius * std::sin(w), 1e-9) << fall << " " << i;
        }
        EXPECT_EQ(punkte.back().x, ex);
        EXPECT_EQ(punkte.back().y, ey);
    }
    EXPECT_TRUE(b.Meldungen().empty());
}

} // namespace
} // namespace korvx
