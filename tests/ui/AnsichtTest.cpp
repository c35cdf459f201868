// The graphic's view in the main window, offscreen: one scale for x and y,
// the canvas following the window's size, zoom, pan and fit, and the picture
// drawn anew instead of lost.
#include "graphics/Achsen.h"
#include "graphics/Bahn.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace korvx::ui {
namespace {

// The box of the red pixels (the tool's colour) on the window's canvas.
struct Kasten {
    int links = 1 << 30, oben = 1 << 30, rechts = -1, unten = -1;
    int Breite() const { return rechts - links; }
    int Hoehe() const { return unten - oben; }
    bool Leer() const { return rechts < 0; }
};

struct AnsichtTest : ::testing::Test {
    test::TempOrdner ordner;
    std::unique_ptr<TFraesForm> fenster = std::make_unique<TFraesForm>();
    Anlage& anlage = fenster->anlage();
    TWerkzeug werkzeug;

    AnsichtTest() {
        fenster->programmEnde = nullptr;
        anlage.zustand.HaftungAkzeptiert = true; // showing the window asks nothing
        werkzeug.Durchmesser = 6.0;
        werkzeug.Farbe = 4; // red
        anlage.zustand.konfig.BahnDarstellung = kMittelpunktbahn;
    }

    Grafikbild& Bild() { return fenster->grafik(); }
    // The window shown with its graphic, at a new size; the canvas follows
    // what the layout gives the graphic.
    void Groesse(int breite, int hoehe) {
        test::Kind<QWidget>(fenster, "GraphikGroupBox")->show();
        fenster->show();
        fenster->resize(breite, hoehe);
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
        }
        EXPECT_EQ(Bild().Leinwand().Breite(), Bild().width());
        EXPECT_EQ(Bild().Leinwand().Hoehe(), Bild().height());
    }
    // The graphic set up as a run does it, then a circle of radius r about
    // (cx, cy) as 360 chords above the workpiece (no depth shade).
    void Kreis(double cx, double cy, double r) {
        if (!anlage.grafik.Gezeichnet) {
            GrafikEinrichten(anlage, true);
        }
        for (int i = 0; i < 360; ++i) {
            const double a0 = i * std::numbers::pi / 180.0;
            const double a1 = (i + 1) * std::numbers::pi / 180.0;
            BahnZeichnen(anlage, {cx + r * std::cos(a0), cy + r * std::sin(a0), 1.0},
                         {cx + r * std::cos(a1), cy + r * std::sin(a1), 1.0}, werkzeug,
                         anlage.grafik.ErsterPunkt, kMittelpunktbahn, false);
        }
    }
    Kasten Rot() {
        const QImage& bild = Bild().Leinwand().Bild();
        Kasten k;
        for (int y = 0; y < bild.height(); ++y) {
            for (int x = 0; x < bild.width(); ++x) {
                const QRgb p = bild.pixel(x, y);
                if (qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80) {
                    k.links = std::min(k.links, x);
                    k.rechts = std::max(k.rechts, x);
                    k.oben = std::min(k.oben, y);
                    k.unten = std::max(k.unten, y);
                }
            }
        }
        return k;
    }
};

TEST_F(AnsichtTest, KreisBleibtKreisAuchNachGroessenaenderung) {
    Groesse(1300, 900);
    const int breite = Bild().width();
    Kreis(50, 0, 25);
    Kasten k = Rot();
    ASSERT_FALSE(k.Leer());
    EXPECT_LE(std::abs(k.Breite() - k.Hoehe()), 1) << k.Breite() << " × " << k.Hoehe();

    // A larger window draws the kept path again, still round and larger.
    Groesse(1900, 1300);
    EXPECT_GT(Bild().width(), breite);
    const Kasten n = Rot();
    ASSERT_FALSE(n.Leer());
    EXPECT_LE(std::abs(n.Breite() - n.Hoehe()), 1);
    EXPECT_GT(n.Breite(), k.Breite());
}

TEST_F(AnsichtTest, ZoomVerschiebenAnpassenUndGrenzenDialog) {
    Groesse(1300, 900);
    Kreis(50, 0, 25);
    const Kasten k = Rot();
    ASSERT_FALSE(k.Leer());

    // Zooming in about the circle's centre doubles it and keeps it in place.
    const QPoint mitte((k.links + k.rechts) / 2, (k.oben + k.unten) / 2);
    fenster->GrafikZoomen(mitte, 2.0);
    const Kasten z = Rot();
    EXPECT_NEAR(z.Breite(), 2 * k.Breite(), 3);
    EXPECT_NEAR((z.links + z.rechts) / 2, mitte.x(), 2);
    EXPECT_NEAR((z.oben + z.unten) / 2, mitte.y(), 2);
    // The stored limits are not touched by the view.
    EXPECT_EQ(anlage.zustand.konfig.SimuGrenzeMin.x, -200.0);

    // Dragging moves the picture with the pointer.
    fenster->GrafikZiehen(QPoint(-40, 25));
    const Kasten v = Rot();
    EXPECT_NEAR(v.links, z.links - 40, 1);
    EXPECT_NEAR(v.oben, z.oben + 25, 1);

    // Fit: the path with a margin fills the smaller side of the canvas.
    fenster->GrafikAnpassen();
    const Kasten a = Rot();
    EXPECT_GT(a.Hoehe(), std::min(Bild().width(), Bild().height()) * 8 / 10);
    EXPECT_LE(std::abs(a.Breite() - a.Hoehe()), 1);

    // The limits dialog sets the view back to the limits: the circle comes
    // back at its first size instead of being erased.
    fenster->GrafikGrenzenGesetzt();
    const Kasten g = Rot();
    EXPECT_NEAR(g.Breite(), k.Breite(), 1);
    EXPECT_NEAR(g.links, k.links, 1);
    EXPECT_TRUE(anlage.grafik.Gezeichnet);

    // The keys zoom about the canvas's centre and fit.
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    QTest::keyClick(fenster.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(Rot().Breite(), g.Breite());
    QTest::keyClick(fenster.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_NEAR(Rot().Hoehe(), a.Hoehe(), 1);
}

TEST_F(AnsichtTest, BohrungenSindRingeVomWerkzeugdurchmesser) {
    Groesse(1300, 900);
    GrafikEinrichten(anlage, true);
    werkzeug.Durchmesser = 20.0;
    for (const double x : {0.0, 60.0, 120.0}) {
        BahnZeichnen(anlage, {x, 50, 2}, {x, 50, 1}, werkzeug, anlage.grafik.ErsterPunkt,
                     kFraeserbahnGefuellt, false);
    }
    // Back up without a hole, so the last cursor is not the tool's ring.
    BahnZeichnen(anlage, {120, 50, 1}, {120, 50, 2}, werkzeug, anlage.grafik.ErsterPunkt,
                 kFraeserbahnGefuellt, false);
    fenster->GrafikNeuZeichnen();
    const Kasten k = Rot();
    ASSERT_FALSE(k.Leer());
    // Three rings of 20 mm, 120 mm apart from first to last.
    const double proMm = static_cast<double>(anlage.grafik.abbildung.Sx());
    EXPECT_NEAR(k.Breite(), (120 + 20) * proMm, 3);
    EXPECT_NEAR(k.Hoehe(), 20 * proMm, 3);
}

TEST_F(AnsichtTest, RadUndZiehenAmBild) {
    Groesse(1300, 900);
    Kreis(50, 0, 25);
    const Kasten k = Rot();
    ASSERT_FALSE(k.Leer());
    const QPoint mitte((k.links + k.rechts) / 2, (k.oben + k.unten) / 2);
    // One notch of the wheel over the circle zooms in by a quarter about it.
    QWheelEvent rad(QPointF(mitte), QPointF(Bild().mapToGlobal(mitte)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Bild(), &rad);
    const Kasten z = Rot();
    EXPECT_NEAR(z.Breite(), k.Breite() * 1.25, 2);
    EXPECT_NEAR((z.links + z.rechts) / 2, mitte.x(), 2);

    // A drag moves the picture and asks nothing (no click).
    QTest::mousePress(&Bild(), Qt::LeftButton, Qt::NoModifier, mitte);
    QMouseEvent zug(QEvent::MouseMove, QPointF(mitte + QPoint(30, -20)),
                    QPointF(Bild().mapToGlobal(mitte + QPoint(30, -20))), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Bild(), &zug);
    QTest::mouseRelease(&Bild(), Qt::LeftButton, Qt::NoModifier, mitte + QPoint(30, -20));
    const Kasten v = Rot();
    EXPECT_NEAR(v.links, z.links + 30, 1);
    EXPECT_NEAR(v.oben, z.oben - 20, 1);
    EXPECT_TRUE(anlage.grafik.Gezeichnet);
}

TEST_F(AnsichtTest, MauszeigerZeigtDieWeltkoordinaten) {
    Groesse(1300, 900);
    GrafikEinrichten(anlage, true);
    const TAbbildung& a = anlage.grafik.abbildung;
    // After a click the fields show where the pointer is, y counted upwards.
    QTest::mouseClick(&Bild(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const QPoint p(a.WeltZuBildX(100), a.BildZeile(a.WeltZuBildY(50)));
    QMouseEvent zug(QEvent::MouseMove, QPointF(p), QPointF(Bild().mapToGlobal(p)), Qt::NoButton,
                    Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Bild(), &zug);
    const double x = test::Kind<QLineEdit>(fenster, "xEdit")->text().replace(',', '.').toDouble();
    const double y = test::Kind<QLineEdit>(fenster, "yEdit")->text().replace(',', '.').toDouble();
    const double pixel = static_cast<double>(a.PixelBreite());
    EXPECT_NEAR(x, 100.0, 2 * pixel);
    EXPECT_NEAR(y, 50.0, 2 * pixel);
}

} // namespace
} // namespace korvx::ui
