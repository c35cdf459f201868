#include "KorrekturHilfe.h"

#include "geometry/Korrekturgeometrie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace korvx {
namespace {

using test::KonturBau;
using test::Satzname;
using test::Seitenabstand;

void ErwartePunkt(const TPunkt3D& p, double x, double y, double tol = 1e-9) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

TEST(KorrekturListe, AppendingDropsStillBlocksAndCarriesZeroShifts) {
    TKorrekturListe l;
    TPunkt3D aktuell{1, 2, 3};
    EXPECT_FALSE(KorrekturSatzAnhaengen(l, kSatzGerade, {1, 2, 3}, 0, 0, 0, "N5", aktuell));
    EXPECT_TRUE(KorrekturSatzAnhaengen(l, kSatzKreisUhr, {5, 2, 3}, 2, 0, 1, std::string(90, 'A'),
                                       aktuell));
    EXPECT_EQ(aktuell, (TPunkt3D{5, 2, 3}));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].start, (TPunkt3D{1, 2, 3}));
    EXPECT_EQ(l[0].I, 2.0);
    EXPECT_EQ(l[0].vorschubart, 1);
    EXPECT_EQ(l[0].satz, std::string(80, 'A'));
    // A zero shift is kept even where its point equals the current point, and
    // the contour goes on from where it was.
    EXPECT_TRUE(KorrekturSatzAnhaengen(l, kSatzNullpunkt, {5, 2, 3}, 0, 0, 0, "G54", aktuell));
    EXPECT_TRUE(KorrekturSatzAnhaengen(l, kSatzNullpunkt, {100, 50, 0}, 7, 7, 0, "G54", aktuell));
    EXPECT_TRUE(
        KorrekturSatzAnhaengen(l, kSatzNullpunktAufheben, {9, 9, 9}, 1, 1, 1, "G53", aktuell));
    EXPECT_EQ(aktuell, (TPunkt3D{5, 2, 3}));
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[2].ende, (TPunkt3D{100, 50, 0}));
    EXPECT_EQ(l[3].ende, TPunkt3D{});
    EXPECT_EQ(l[3].I, 0.0);
    EXPECT_EQ(l[3].vorschubart, 1);
    EXPECT_EQ(l[3].satz, "G53");
    KorrekturListeFreigeben(l);
    EXPECT_TRUE(l.empty());
}

// Offset elements that just miss each other touch at a point on the circle,
// so that the arc through it still runs on its circle.
TEST(Korrekturgeometrie, NearMissesTouchOnTheCircle) {
    TPunkt3D p1, p2;
    const TKorrekturKreis k{0, 0, 5};
    ASSERT_TRUE(GeradeKreisSchnitt(GeradeEinordnen({-9, 5.01, 0}, {9, 5.01, 0}), k, 0.02, p1, p2));
    ErwartePunkt(p1, 0, 5, 1e-12);
    ErwartePunkt(p2, 0, 5, 1e-12);
    ASSERT_TRUE(
        GeradeKreisSchnitt(GeradeEinordnen({-5.01, 9, 0}, {-5.01, -9, 0}), k, 0.02, p1, p2));
    ErwartePunkt(p1, -5, 0, 1e-12);
    EXPECT_FALSE(GeradeKreisSchnitt(GeradeEinordnen({-9, 5.1, 0}, {9, 5.1, 0}), k, 0.02, p1, p2));
    // Apart, and the first circle inside the second.
    ASSERT_TRUE(KreisKreisSchnitt(k, {10.01, 0, 5}, 0.02, p1, p2));
    ErwartePunkt(p1, 5, 0, 1e-12);
    ASSERT_TRUE(KreisKreisSchnitt(k, {0.99, 0, 6}, 0.02, p1, p2));
    ErwartePunkt(p1, -5, 0, 1e-12);
    EXPECT_FALSE(KreisKreisSchnitt(k, {1, 0, 1}, 0.02, p1, p2));
}

// A square of lines closed by repeating its first side; the corners come back
// after the approach move.
void Quadrat(KonturBau& k, bool imUhrzeigersinn) {
    if (imUhrzeigersinn) {
        k.G1(0, 0), k.G1(0, 10), k.G1(10, 10), k.G1(10, 0), k.G1(0, 0), k.G1(0, 10);
    } else {
        k.G1(0, 0), k.G1(10, 0), k.G1(10, 10), k.G1(0, 10), k.G1(0, 0), k.G1(10, 0);
    }
}

TEST(KorrekturBerechnen, SquaresGrowClockwiseAndShrinkCounterClockwiseOnTheLeft) {
    for (const std::uint8_t seite : {kKorrekturLinks, kKorrekturRechts}) {
        for (const bool uhr : {true, false}) {
            KonturBau k({-20, -20, 0});
            Quadrat(k, uhr);
            ASSERT_TRUE(k.Berechnen(5.0, seite));
            ASSERT_EQ(k.korrigiert.size(), 5u);
            const bool aussen = uhr == (seite == kKorrekturLinks);
            const double lo = aussen ? -2.5 : 2.5, hi = aussen ? 12.5 : 7.5;
            const auto& c = k.korrigiert;
            EXPECT_EQ(c[0].start, (TPunkt3D{-20, -20, 0}));
            if (uhr) {
                ErwartePunkt(c[1].ende, lo, hi);
                ErwartePunkt(c[2].ende, hi, hi);
                ErwartePunkt(c[3].ende, hi, lo);
                ErwartePunkt(c[4].ende, lo, lo);
            } else {
                ErwartePunkt(c[1].ende, hi, lo);
                ErwartePunkt(c[2].ende, hi, hi);
                ErwartePunkt(c[3].ende, lo, hi);
                ErwartePunkt(c[4].ende, lo, lo);
            }
            for (std::size_t i = 1; i < c.size(); ++i) {
                EXPECT_EQ(c[i].start, c[i - 1].ende);
                EXPECT_EQ(c[i].satz, Satzname(10 * (i + 1)));
            }
            EXPECT_EQ(k.ende, c.back().ende);
            EXPECT_TRUE(k.programm.empty());
            EXPECT_TRUE(k.bediener.Meldungen().empty());
        }
    }
}

TEST(KorrekturBerechnen, ParallelLinesTakeTheOffsetEnd) {
    // Collinear pieces: the corner is exact.
    KonturBau k({0, 0, 0});
    k.G1(10, 5), k.G1(30, 15), k.G1(30, 30);
    ASSERT_TRUE(k.Berechnen(2.0, kKorrekturLinks));
    const double nx = -1 / std::sqrt(5.0), ny = 2 / std::sqrt(5.0);
    ErwartePunkt(k.korrigiert[0].ende, 10 + nx, 5 + ny, 1e-12);
    EXPECT_TRUE(k.bediener.Meldungen().empty());
    // Both vertical, then a reversal (anti-parallel).
    KonturBau v({0, 0, 0});
    v.G1(0, 10), v.G1(0, 20), v.G1(0, 5), v.G1(10, 5);
    ASSERT_TRUE(v.Berechnen(2.0, kKorrekturRechts));
    ASSERT_EQ(v.korrigiert.size(), 3u);
    ErwartePunkt(v.korrigiert[0].ende, 1, 10);
    ErwartePunkt(v.korrigiert[1].ende, 1, 20);
    ErwartePunkt(v.korrigiert[2].ende, -1, 4);
}

TEST(KorrekturBerechnen, ArcsGrowOrShrinkBySideAndDirection) {
    // Line to the right, clockwise half circle over the top, line down.
    for (const std::uint8_t seite : {kKorrekturLinks, kKorrekturRechts}) {
        KonturBau k({-30, 0, 0});
        k.G1(-10, 0), k.G2(10, 0, 10, 0), k.G1(10, -20), k.G1(-30, -20);
        ASSERT_TRUE(k.Berechnen(4.0, seite));
        ASSERT_EQ(k.korrigiert.size(), 3u);
        const TKorrekturSatz& bogen = k.korrigiert[1];
        EXPECT_EQ(bogen.art, kSatzKreisUhr);
        const double r = seite == kKorrekturLinks ? 12.0 : 8.0;
        const double y = seite == kKorrekturLinks ? 2.0 : -2.0;
        ErwartePunkt(k.korrigiert[0].ende, -std::sqrt(r * r - 4), y, 1e-3);
        EXPECT_NEAR(std::hypot(bogen.I, bogen.J), r, 1e-3);
        // The centre stays where it was programmed.
        ErwartePunkt({bogen.start.x + bogen.I, bogen.start.y + bogen.J, 0}, 0, 0, 1e-12);
        ErwartePunkt(bogen.ende, r, 0, 1e-3); // meets the vertical line x = 10 ± 2
        EXPECT_TRUE(k.bediener.Meldungen().empty());
    }
    // G03 the other way round.
    KonturBau g3({-30, 0, 0});
    g3.G1(-10, 0), g3.G3(10, 0, 10, 0), g3.G1(10, 20);
    ASSERT_TRUE(g3.Berechnen(4.0, kKorrekturLinks));
    EXPECT_NEAR(std::hypot(g3.korrigiert[1].I, g3.korrigiert[1].J), 8.0, 1e-3);
}

TEST(KorrekturBerechnen, TangentTransitionsStayTangent) {
    // A slot: two straight sides joined by half circles, run counter-clockwise;
    // every transition is tangent. Radii near a tenth keep their exact value,
    // so the offsets keep touching.
    for (const double r : {10.0, 10.01, 8.707108}) {
        KonturBau k({0, -r - 10, 0});
        k.G1(0, -r), k.G1(40, -r), k.G3(40, r, 0, r), k.G1(0, r), k.G3(0, -r, 0, -r), k.G1(40, -r);
        ASSERT_TRUE(k.Berechnen(6.0, kKorrekturRechts)) << r;
        ASSERT_EQ(k.korrigiert.size(), 5u);
        const auto& c = k.korrigiert;
        const double a = r + 3; // offset radius
        ErwartePunkt(c[1].ende, 40, -a, 1e-3);
        ErwartePunkt(c[2].ende, 40, a, 1e-3);
        ErwartePunkt(c[3].ende, 0, a, 1e-3);
        ErwartePunkt(c[4].ende, 0, -a, 1e-3);
        EXPECT_TRUE(k.bediener.Meldungen().empty()) << r;
    }
    // An S bend: a clockwise quarter into a counter-clockwise one; on the left
    // the first grows and the second shrinks, and they touch on the line of
    // their centres.
    const double r1 = 8.707108, r2 = 6.320266, rw = 1.009416;
    KonturBau s({-20, 0, 0});
    s.G1(-10, 0), s.G1(0, 0), s.G2(r1, -r1, 0, -r1), s.G3(r1 + r2, -r1 - r2, r2, 0);
    s.G1(r1 + r2 + 20, -r1 - r2);
    ASSERT_TRUE(s.Berechnen(2 * rw, kKorrekturLinks));
    ErwartePunkt(s.korrigiert[2].ende, r1 + rw, -r1, 1e-6);
    EXPECT_TRUE(s.bediener.Meldungen().empty());
    // An inner corner rounded exactly with the tool radius: the offset arc is
    // its centre, where both offset lines meet; no arc of radius 0 is left.
    KonturBau p({0, -10, 0});
    p.G1(0, 0), p.G1(10, 0), p.G3(13, 3, 0, 3), p.G1(13, 20), p.G1(0, 20);
    ASSERT_TRUE(p.Berechnen(6.0, kKorrekturLinks));
    ASSERT_EQ(p.korrigiert.size(), 3u);
    ErwartePunkt(p.korrigiert[1].ende, 10, 3, 1e-12);
    EXPECT_EQ(p.korrigiert[2].art, kSatzGerade);
    ErwartePunkt(p.korrigiert[2].start, 10, 3, 1e-12);
    ErwartePunkt(p.korrigiert[2].ende, 10, 17, 1e-12);
    EXPECT_TRUE(p.bediener.Meldungen().empty());
}

// A chord followed by its arc (a D shape): the corner lies at the near end of
// the chord, not where the offset chord meets the circle on the far side.
TEST(KorrekturBerechnen, ChordAndArcMeetAtTheNearIntersection) {
    KonturBau k({0, -20, 0});
    k.G1(-6, -8), k.G1(6, -8), k.G3(-6, -8, -6, 8), k.G1(6, -8);
    ASSERT_TRUE(k.Berechnen(2.0, kKorrekturLinks));
    ASSERT_EQ(k.korrigiert.size(), 3u);
    const double x = std::sqrt(81.0 - 49.0);
    ErwartePunkt(k.korrigiert[1].ende, x, -7, 1e-3);
    ErwartePunkt(k.korrigiert[2].ende, -x, -7, 1e-3);
    EXPECT_NEAR(std::hypot(k.korrigiert[2].I, k.korrigiert[2].J), 9.0, 1e-3);
}

TEST(KorrekturBerechnen, LineAndArcThatDoNotMeetKeepTheProgrammedCorner) {
    // The right-hand offset of a line into a small clockwise arc of radius 2
    // with a 6 mm tool: the arc's offset radius is negative.
    KonturBau k({0, 0, 0});
    k.G1(10, 0), k.G2(14, 0, 2, 0), k.G1(20, 0);
    ASSERT_TRUE(k.Berechnen(6.0, kKorrekturRechts));
    ErwartePunkt(k.korrigiert[0].ende, 10, 0);
    ErwartePunkt(k.korrigiert[1].ende, 14, 0);
    EXPECT_EQ(k.bediener.Meldungen(),
              (std::vector<std::string>{"Kein Schnittpunkt der Korrekturbahnen von Kreis / Gerade "
                                        "oder Gerade / Kreis vorhanden!",
                                        "Kein Schnittpunkt der Korrekturbahnen von Kreis / Gerade "
                                        "oder Gerade / Kreis vorhanden!"}));
    KonturBau v({0, 0, 0});
    v.G1(0, 10), v.G3(0, 14, 0, 2), v.G1(0, 20);
    ASSERT_TRUE(v.Berechnen(6.0, kKorrekturLinks));
    ErwartePunkt(v.korrigiert[0].ende, 0, 10);
    ASSERT_EQ(v.bediener.Meldungen().size(), 2u);
    EXPECT_EQ(v.bediener.Meldungen()[0],
              "Kein Schnittpunkt der Korrekturbahnen Kreis / Gerade oder Gerade / Kreis "
              "vorhanden!");
}

TEST(KorrekturBerechnen, ArcsThatCannotMeetStopTheRun) {
    const auto pruefen = [](KonturBau& k, const char* text) {
        EXPECT_FALSE(k.Berechnen(4.0, kKorrekturLinks));
        EXPECT_TRUE(k.stop);
        EXPECT_TRUE(k.korrigiert.empty());
        EXPECT_TRUE(k.programm.empty());
        ASSERT_FALSE(k.bediener.Meldungen().empty());
        EXPECT_EQ(k.bediener.Meldungen().back(), text);
    };
    {
        // Same centre: a half circle continued by the other half.
        KonturBau k({-20, 0, 0});
        k.G1(-10, 0), k.G2(10, 0, 10, 0), k.G2(-10, 0, -10, 0), k.G1(-20, 0);
        pruefen(k, "Die Korrekturbahnen haben denselben Mittelpunkt!");
    }
    // Two G03 arcs of radius 3 that touch; on the left both shrink to 1 and
    // their centres lie 6 apart: side by side (same y), above each other
    // (same x) and slanted.
    const TPunkt3D richtungen[] = {{1, 0, 0}, {0, 1, 0}, {0.6, 0.8, 0}};
    for (const TPunkt3D& u : richtungen) {
        KonturBau k({-10, -10, 0});
        const TPunkt3D a{-3 * u.x, -3 * u.y, 0}, m{3 * u.x, 3 * u.y, 0};
        k.G1(a.x - 3 * u.y, a.y + 3 * u.x);
        k.G3(0, 0, 3 * u.y, -3 * u.x);
        k.G3(m.x + 3 * u.y, m.y - 3 * u.x, m.x, m.y);
        k.G1(20, 20);
        pruefen(k, "Kein Schnittpunkt der Korrektur-Kreisbahnen vorhanden!");
    }
}

TEST(KorrekturBerechnen, ArcToArcCorner) {
    // Two clockwise arcs of radius 10 whose circles cross at right angles in
    // (10, 0): centres (0, 0) and (10, 10). Offset to the right both shrink
    // to 8 and meet at (5 ± √7, 5 ∓ √7); the corner is the one near (10, 0).
    KonturBau k({-10, -5, 0});
    k.G1(-10, 0), k.G2(10, 0, 10, 0), k.G2(0, 10, 0, 10), k.G1(0, 20);
    ASSERT_TRUE(k.Berechnen(4.0, kKorrekturRechts));
    ASSERT_EQ(k.korrigiert.size(), 3u);
    ErwartePunkt(k.korrigiert[1].ende, 5 + std::sqrt(7.0), 5 - std::sqrt(7.0), 1e-9);
    EXPECT_TRUE(k.bediener.Meldungen().empty());
}

TEST(KorrekturBerechnen, ZOnlyMovesRunAtTheCompensatedCorner) {
    KonturBau k({0, -10, 5});
    k.G1(0, 0, 5);
    k.Satz(kSatzGerade, {0, 0, -2}, 0, 0, 0); // plunge at working feed
    k.G1(10, 0, -2), k.G1(10, 10, -2);
    k.Satz(kSatzGerade, {10, 10, 5}, 0, 0, 1); // retract at rapid
    k.anlage.zustand.EilgangAktiv = true;
    ASSERT_TRUE(k.Berechnen(2.0, kKorrekturRechts));
    const auto& c = k.korrigiert;
    ASSERT_EQ(c.size(), 4u);
    ErwartePunkt(c[0].ende, 1, -1);
    EXPECT_EQ(c[0].ende.z, 5.0);
    EXPECT_EQ(c[1].art, kSatzGerade);
    EXPECT_EQ(c[1].start, (TPunkt3D{1, -1, 5}));
    EXPECT_EQ(c[1].ende, (TPunkt3D{1, -1, -2}));
    EXPECT_EQ(c[1].vorschubart, 0);
    EXPECT_EQ(c[1].satz, "N20");
    ErwartePunkt(c[2].ende, 11, -1);
    // After the closing element: the retract runs where the path ended.
    EXPECT_EQ(c[3].ende, (TPunkt3D{11, -1, 5}));
    EXPECT_EQ(c[3].vorschubart, 1);
    EXPECT_EQ(k.ende, (TPunkt3D{11, -1, 5}));
}

TEST(KorrekturBerechnen, ZeroShiftsPassThroughWithoutMovingCorners) {
    KonturBau ohne({0, 0, 0});
    ohne.G1(10, 0), ohne.G1(10, 10), ohne.G1(0, 10);
    ASSERT_TRUE(ohne.Berechnen(4.0, kKorrekturLinks));

    KonturBau k({0, 0, 0});
    k.G1(10, 0);
    k.Satz(kSatzNullpunkt, {100, 50, 20});
    k.G1(10, 10);
    k.Satz(kSatzNullpunktAufheben, {});
    k.G1(0, 10);
    ASSERT_TRUE(k.Berechnen(4.0, kKorrekturLinks));
    const auto& c = k.korrigiert;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].ende, ohne.korrigiert[0].ende);
    EXPECT_EQ(c[1].art, kSatzNullpunkt);
    EXPECT_EQ(c[1].ende, (TPunkt3D{100, 50, 20}));
    EXPECT_EQ(c[1].satz, "N20");
    EXPECT_EQ(c[2].start, ohne.korrigiert[1].start);
    EXPECT_EQ(c[2].ende, ohne.korrigiert[1].ende);
    EXPECT_EQ(c[3].art, kSatzNullpunktAufheben);
}

TEST(KorrekturBerechnen, TooShortContoursComputeNothing) {
    KonturBau k({0, 0, 0});
    k.G1(10, 0);
    ASSERT_TRUE(k.Berechnen(4.0, kKorrekturLinks));
    EXPECT_TRUE(k.korrigiert.empty());
    EXPECT_TRUE(k.programm.empty());
    // A zero shift among them is not lost.
    KonturBau n({0, 0, 0});
    n.Satz(kSatzNullpunkt, {1, 2, 3});
    n.G1(10, 0);
    ASSERT_TRUE(n.Berechnen(4.0, kKorrekturLinks));
    ASSERT_EQ(n.korrigiert.size(), 1u);
    EXPECT_EQ(n.korrigiert[0].art, kSatzNullpunkt);
}

// Random star-shaped polygons (convex and concave corners), both directions,
// both sides: every corner lies at distance R on the chosen side of both
// neighbouring sides, i.e. where their offsets meet, and near its vertex.
TEST(KorrekturBerechnen, RandomPolygonsOfLines) {
    std::mt19937_64 zufall(20261208);
    std::uniform_real_distribution<double> eins(0.0, 1.0);
    constexpr double kPi = 3.14159265358979323846;
    int geprueft = 0;
    for (int fall = 0; fall < 300; ++fall) {
        const int n = 3 + static_cast<int>(eins(zufall) * 8);
        std::vector<TPunkt3D> ecken;
        for (int i = 0; i < n; ++i) {
            const double w = 2 * kPi * (i + 0.6 * (eins(zufall) - 0.5)) / n;
            const double r = 40 + 60 * eins(zufall);
            ecken.push_back({50 + r * std::cos(w), -20 + r * std::sin(w), 0});
        }
        if (fall % 2 == 1) {
            std::reverse(ecken.begin(), ecken.end());
        }
        const double radius = 0.5 + 2.5 * eins(zufall);
        const std::uint8_t seite = fall % 4 < 2 ? kKorrekturLinks : kKorrekturRechts;
        KonturBau k({50, -20, 0});
        for (int i = 0; i <= n + 1; ++i) {
            k.G1(ecken[i % n].x, ecken[i % n].y);
        }
        ASSERT_TRUE(k.Berechnen(2 * radius, seite));
        ASSERT_EQ(k.korrigiert.size(), static_cast<std::size_t>(n + 1));
        const double soll = seite == kKorrekturLinks ? radius : -radius;
        for (int i = 1; i <= n; ++i) {
            const TPunkt3D& a = ecken[(i - 1) % n];
            const TPunkt3D& b = ecken[i % n];
            const TPunkt3D& c = ecken[(i + 1) % n];
            const TPunkt3D& p = k.korrigiert[i].ende;
            EXPECT_NEAR(Seitenabstand(a, b, p), soll, 1e-7) << fall << " " << i;
            EXPECT_NEAR(Seitenabstand(b, c, p), soll, 1e-7) << fall << " " << i;
            EXPECT_LT(std::hypot(p.x - b.x, p.y - b.y), 10 * radius) << fall << " " << i;
            EXPECT_EQ(k.korrigiert[i].start, k.korrigiert[i - 1].ende);
        }
        ++geprueft;
    }
    EXPECT_EQ(geprueft, 300);
}

// Random polygons whose sides are partly replaced by arcs bulging out or in:
// every corner lies at distance R from both neighbouring elements on the
// chosen side, near the programmed corner; arcs keep their centres.
TEST(KorrekturBerechnen, RandomContoursOfLinesAndArcs) {
    std::mt19937_64 zufall(8122026);
    std::uniform_real_distribution<double> eins(0.0, 1.0);
    constexpr double kPi = 3.14159265358979323846;
    struct Element {
        TPunkt3D a, b;
        bool bogen;
        bool uhr;
        TPunkt3D mitte;
        double r;
    };
    int geprueft = 0;
    for (int fall = 0; fall < 300; ++fall) {
        const int n = 3 + static_cast<int>(eins(zufall) * 7);
        std::vector<TPunkt3D> ecken;
        for (int i = 0; i < n; ++i) {
            const double w = 2 * kPi * (i + 0.5 * (eins(zufall) - 0.5)) / n;
            const double r = 50 + 50 * eins(zufall);
            ecken.push_back({r * std::cos(w), r * std::sin(w), 0});
        }
        if (fall % 2 == 1) {
            std::reverse(ecken.begin(), ecken.end());
        }
        std::vector<Element> elemente;
        for (int i = 0; i < n; ++i) {
            Element e{ecken[i], ecken[(i + 1) % n], eins(zufall) < 0.5, false, {}, 0};
            if (e.bogen) {
                // Centre on the bisector at least one chord length away: the
                // short arc bulges to the right (G03, centre left) or left.
                const double dx = e.b.x - e.a.x, dy = e.b.y - e.a.y;
                const double l = std::hypot(dx, dy);
                const double h = (1.0 + eins(zufall)) * l;
                e.uhr = eins(zufall) < 0.5;
                const double s = e.uhr ? -1.0 : 1.0;
                e.mitte = {(e.a.x + e.b.x) / 2 - s * h * dy / l,
                           (e.a.y + e.b.y) / 2 + s * h * dx / l, 0};
                e.r = std::hypot(e.a.x - e.mitte.x, e.a.y - e.mitte.y);
            }
            elemente.push_back(e);
        }
        // Unit tangent of an element at one of its points.
        const auto tangente = [](const Element& e, const TPunkt3D& p) {
            double tx = e.b.x - e.a.x, ty = e.b.y - e.a.y;
            if (e.bogen) {
                const double s = e.uhr ? -1.0 : 1.0;
                tx = -s * (p.y - e.mitte.y);
                ty = s * (p.x - e.mitte.x);
            }
            const double l = std::hypot(tx, ty);
            return TPunkt3D{tx / l, ty / l, 0};
        };
        // Near-cusps (the path almost turns back) have no meeting point on
        // their inner side; they are left out.
        bool spitz = false;
        for (int i = 0; i < n; ++i) {
            const TPunkt3D t1 = tangente(elemente[i], elemente[i].b);
            const TPunkt3D t2 = tangente(elemente[(i + 1) % n], elemente[i].b);
            spitz = spitz || t1.x * t2.x + t1.y * t2.y < -0.75;
        }
        if (spitz) {
            continue;
        }
        const double radius = 0.5 + 1.5 * eins(zufall);
        const std::uint8_t seite = fall % 4 < 2 ? kKorrekturLinks : kKorrekturRechts;
        // The approach runs into the first element along its tangent.
        const TPunkt3D t0 = tangente(elemente[0], ecken[0]);
        KonturBau k({ecken[0].x - 30 * t0.x, ecken[0].y - 30 * t0.y, 0});
        k.G1(ecken[0].x, ecken[0].y);
        for (int i = 0; i <= n; ++i) {
            const Element& e = elemente[i % n];
            if (e.bogen) {
                k.Satz(e.uhr ? kSatzKreisUhr : kSatzKreisGegenUhr, e.b, e.mitte.x - e.a.x,
                       e.mitte.y - e.a.y);
            } else {
                k.G1(e.b.x, e.b.y);
            }
        }
        ASSERT_TRUE(k.Berechnen(2 * radius, seite)) << fall;
        ASSERT_EQ(k.korrigiert.size(), static_cast<std::size_t>(n + 1));
        const double links = seite == kKorrekturLinks ? 1.0 : -1.0;
        // Distance from an element on the chosen side: between two lines
        // exactly, next to an arc up to the rounding of its corners to
        // thousandths.
        const auto abweichung = [&](const Element& e, const TPunkt3D& p) {
            if (!e.bogen) {
                return Seitenabstand(e.a, e.b, p) - links * radius;
            }
            const double d = std::hypot(p.x - e.mitte.x, p.y - e.mitte.y);
            // Left of a counter-clockwise arc is towards its centre.
            const double soll = e.r + (e.uhr ? links : -links) * radius;
            return d - soll;
        };
        for (int i = 1; i <= n; ++i) {
            const Element& vor = elemente[i - 1];
            const Element& nach = elemente[i % n];
            const TKorrekturSatz& s = k.korrigiert[i];
            const TPunkt3D& p = s.ende;
            const double tol = vor.bogen || nach.bogen ? 1e-3 : 1e-7;
            EXPECT_NEAR(abweichung(vor, p), 0.0, tol) << fall << " " << i;
            EXPECT_NEAR(abweichung(nach, p), 0.0, tol) << fall << " " << i;
            EXPECT_LT(std::hypot(p.x - vor.b.x, p.y - vor.b.y), 10 * radius) << fall << " " << i;
            if (vor.bogen) {
                EXPECT_NEAR(s.start.x + s.I, vor.mitte.x, 1e-9);
                EXPECT_NEAR(s.start.y + s.J, vor.mitte.y, 1e-9);
            }
        }
        EXPECT_TRUE(k.bediener.Meldungen().empty()) << fall;
        ++geprueft;
    }
    EXPECT_GT(geprueft, 200);
}

} // namespace
} // namespace korvx
