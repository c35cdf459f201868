// Converted programs run by our own interpreter in simulation: every point
// the machine is sent to lies within 0.01 mm of the source's path, every
// corner and arc point of the source is reached within 0.01 mm, and the feed
// moves run at the source's F.
#include "Umsetzen.h"

#include "anlage/Anlage.h"
#include "interpreter/BlockList.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "tools/Werkzeugliste.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvx::rs274::test {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kToleranz = 0.01;

// One piece of the source's path: a line, or an arc in the x-y plane around
// (mx, my) from angle w0 over `bogen` (negative clockwise), z linear.
struct Stueck {
    TPunkt3D a, e;
    bool bogen = false;
    double mx = 0, my = 0, r = 0, w0 = 0, winkel = 0;

    TPunkt3D Punkt(double t) const {
        if (!bogen) {
            return {a.x + (e.x - a.x) * t, a.y + (e.y - a.y) * t, a.z + (e.z - a.z) * t};
        }
        const double w = w0 + winkel * t;
        return {mx + r * std::cos(w), my + r * std::sin(w), a.z + (e.z - a.z) * t};
    }
};

Stueck Linie(TPunkt3D a, TPunkt3D e) {
    return {a, e};
}
Stueck Kreis(TPunkt3D a, TPunkt3D e, double mx, double my, double winkelGrad) {
    Stueck s{a, e, true, mx, my};
    s.r = std::hypot(a.x - mx, a.y - my);
    s.w0 = std::atan2(a.y - my, a.x - mx);
    s.winkel = winkelGrad * kPi / 180.0;
    return s;
}

double Abstand(const TPunkt3D& p, const TPunkt3D& q) {
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

// Distance from p to the segment a–b.
double AbstandStrecke(const TPunkt3D& p, const TPunkt3D& a, const TPunkt3D& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    const double l2 = dx * dx + dy * dy + dz * dz;
    double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / l2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return Abstand(p, TPunkt3D{a.x + dx * t, a.y + dy * t, a.z + dz * t});
}

// Distance from p to a piece: to a line directly, to an arc near the
// parameter of p's angle (a helix rises with the parameter), and to its ends.
double Abstand(const TPunkt3D& p, const Stueck& s) {
    if (!s.bogen) {
        return AbstandStrecke(p, s.a, s.e);
    }
    double weg = std::atan2(p.y - s.my, p.x - s.mx) - s.w0;
    if (s.winkel < 0) {
        weg = -weg;
    }
    weg = std::fmod(weg, 2 * kPi);
    if (weg < 0) {
        weg += 2 * kPi;
    }
    const double f = weg / std::fabs(s.winkel);
    double bester = std::min(Abstand(p, s.a), Abstand(p, s.e));
    for (int i = -100; i <= 100; ++i) {
        const double t = f + i * 1e-4;
        if (t >= 0.0 && t <= 1.0) {
            bester = std::min(bester, Abstand(p, s.Punkt(t)));
        }
    }
    return bester;
}

struct Rs274LaufTest : ::testing::Test {
    korvx::test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    korvx::test::AufzeichnungsLeinwand leinwand;
    std::vector<TPunkt3D> ziele; // W before each move, then the end
    std::vector<std::string> befehle;

    void SetUp() override {
        a.zustand.konfig.Grafikmodus = Grafikart::Simulation;
        a.grafik.bild = &leinwand;
        ReferenzfahrtAusfuehren(a);
        ASSERT_TRUE(a.zustand.ReferenzAngefahren);
        a.lauf.befehlMelden = [this](const std::string& s) {
            ziele.push_back(a.zustand.WerkzeugPositionW);
            befehle.push_back(s);
        };
        TWerkzeug w;
        w.Nummer = 2;
        w.Laenge = 0.0; // no z move at the change
        w.Durchmesser = 3.0;
        ASSERT_TRUE(WkzAnhaengen(b, a.werkzeuge, w));
    }

    // Converts and runs; the targets of the moves, in order.
    std::vector<TPunkt3D> Lauf(std::string_view quelle) {
        const Umsetzung u = U(quelle);
        EXPECT_TRUE(u.ok) << u.ablehnung;
        std::string text;
        for (const std::string& s : u.bloecke) {
            text.append(s).push_back('\n');
        }
        a.programm = BlockList::Hauptprogramm(text);
        EXPECT_TRUE(Automatikbetrieb(a));
        EXPECT_NE(a.zustand.stopp.Grund(), Stoppgrund::Fehler);
        std::vector<TPunkt3D> z(ziele.begin() + (ziele.empty() ? 0 : 1), ziele.end());
        z.push_back(a.zustand.WerkzeugPositionW);
        return z;
    }

    // Every target near the path; every corner and arc point of the path
    // near the executed polyline.
    static void PfadPruefen(const std::vector<TPunkt3D>& z, const std::vector<Stueck>& pfad,
                            std::size_t ab) {
        for (std::size_t i = ab; i < z.size(); ++i) {
            double bester = 1e300;
            for (const Stueck& s : pfad) {
                bester = std::min(bester, Abstand(z[i], s));
            }
            EXPECT_LE(bester, kToleranz)
                << "Ziel " << i << ": " << z[i].x << " " << z[i].y << " " << z[i].z;
        }
        for (const Stueck& s : pfad) {
            for (int k = 0; k <= (s.bogen ? 72 : 1); ++k) {
                const TPunkt3D p = s.Punkt(k / (s.bogen ? 72.0 : 1.0));
                double bester = 1e300;
                for (std::size_t i = ab; i + 1 < z.size(); ++i) {
                    bester = std::min(bester, AbstandStrecke(p, z[i], z[i + 1]));
                }
                EXPECT_LE(bester, kToleranz) << p.x << " " << p.y << " " << p.z;
            }
        }
    }
};

TEST_F(Rs274LaufTest, ContourWithArcsRampAndHelixFollowsTheSource) {
    const std::vector<TPunkt3D> z = Lauf("%\n"
                                         "G21 G90 G17 G94 (Kontur)\n"
                                         "G0 X10 Y10 Z0\n"
                                         "G1 Z-1 F200\n"
                                         "G1 X60 Y10 F400\n"
                                         "G3 X70 Y20 I0 J10\n"
                                         "G1 X70 Y50\n"
                                         "G2 X50 Y70 R20\n"
                                         "G1 X10 Y70 Z-2\n"
                                         "G1 X10 Y10\n"
                                         "G0 Z0\n"
                                         "G0 X100 Y40\n"
                                         "G1 Z-0.5\n"
                                         "G2 X100 Y40 Z-2 I10 J0\n"
                                         "G0 Z0\n"
                                         "M2\n%\n");
    const std::vector<Stueck> pfad = {
        Linie({10, 10, 0}, {10, 10, -1}),
        Linie({10, 10, -1}, {60, 10, -1}),
        Kreis({60, 10, -1}, {70, 20, -1}, 60, 20, 90),
        Linie({70, 20, -1}, {70, 50, -1}),
        Kreis({70, 50, -1}, {50, 70, -1}, 70, 70, -90),
        Linie({50, 70, -1}, {10, 70, -2}),
        Linie({10, 70, -2}, {10, 10, -2}),
        Linie({10, 10, -2}, {10, 10, 0}),
        Linie({10, 10, 0}, {100, 40, 0}), // rapid: only its ends count
        Linie({100, 40, 0}, {100, 40, -0.5}),
        Kreis({100, 40, -0.5}, {100, 40, -2}, 110, 40, -360),
        Linie({100, 40, -2}, {100, 40, 0}),
    };
    // From the first target on (the start is wherever the tool stood).
    std::vector<Stueck> ohneEilgang = pfad;
    ohneEilgang.erase(ohneEilgang.begin() + 8);
    std::vector<TPunkt3D> geprueft;
    for (const TPunkt3D& p : z) {
        // The rapid from (10, 10, 0) to (100, 40, 0) is checked by its ends.
        if (!(p.z == 0.0 && p.x > 10.0 && p.x < 100.0)) {
            geprueft.push_back(p);
        }
    }
    PfadPruefen(geprueft, ohneEilgang, 0);
    // F400 mm/min is 0.4 m/min: 667 steps/s with 100 steps per mm.
    bool gefunden = false;
    for (const std::string& s : befehle) {
        gefunden = gefunden || s == "@0A 5000, 667, 0, 667, 0, 667, 0, 1667";
    }
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::M30);
    EXPECT_EQ(b.Meldungen(), std::vector<std::string>{"M30: Programmende!"});
}

TEST_F(Rs274LaufTest, PeckDrillingInInchesWithAToolChange) {
    const std::vector<TPunkt3D> z = Lauf("G20 G90 F10\n"
                                         "T2 M6\n"
                                         "G0 X1 Y1 Z0\n"
                                         "G98 G83 X1 Y1 Z-0.2 R-0.01 Q0.08\n"
                                         "X1.5\n"
                                         "G80\nG0 X0 Y0\n"
                                         "M30\n");
    // The tool change asked, pecks of 2.032 mm down to 5.08 mm, back to
    // the start height 0 between the holes.
    EXPECT_EQ(b.Ereignisse().size(), 2u);
    const std::vector<Stueck> pfad = {
        Linie({25.4, 25.4, 0.0}, {25.4, 25.4, -5.08}),
        Linie({25.4, 25.4, 0.0}, {38.1, 25.4, 0.0}),
        Linie({38.1, 25.4, 0.0}, {38.1, 25.4, -5.08}),
        Linie({38.1, 25.4, 0.0}, {0, 0, 0.0}),
    };
    PfadPruefen(z, pfad, 1);
    // 10 inch/min = 254 mm/min: 423 steps/s; the first peck is 2.032 mm
    // below R.
    EXPECT_NE(std::find(befehle.begin(), befehle.end(), "@0A 0, 423, 0, 423, 203, 423, 0, 1667"),
              befehle.end());
}

} // namespace
} // namespace korvx::rs274::test
