// "Hauptmenü / Programm prüfen" in the main window, offscreen: one message
// with the findings, nothing drawn or moved, the window responsive under the
// progress dialog, which cancels the check.
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"
#include "ui/FensterFixture.h"
#include "ui/FraesMainUnit.h"
#include "ui/Kastenantworter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

using PruefenTest = FensterTest;

std::string Schreiben(const std::string& ordner, const std::string& text) {
    const std::string pfad = ordner + "TEIL.CNC";
    std::ofstream(pfad, std::ios::binary) << text;
    return pfad;
}

int Zeilen(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

TEST_F(PruefenTest, MenuAndF11ReportOnceAndLeaveMachineAndGraphicAlone) {
    Starten();
    Beispiel("KONTUR.CNC");
    Beispiel("BOHRUNG.CNC");
    ProgrammLaden(Ordner() + "KONTUR.CNC");
    kasten.texte.clear();
    z.konfig.Grafikmodus = Grafikart::Aus;
    const TPunkt3D w = z.WerkzeugPositionW;
    const TPunkt3D m = z.PositionM;
    const int pixel = ZeichnungsPixel();

    test::Kind<QAction>(fenster, "Programmpruefen1")->trigger();
    ASSERT_EQ(kasten.texte.size(), 1u);
    const std::string text = kasten.texte[0];
    EXPECT_NE(text.find("Programm geprüft: "), std::string::npos) << text;
    // The subprogram is found beside the program; no reference run was made
    // here, so the zero point is the machine's and z leaves the zone.
    EXPECT_EQ(text.find("Unterprogramm"), std::string::npos) << text;
    EXPECT_NE(text.find("Ziele außerhalb der Schutzzone:\n  z unter der Grenze um 2,00 mm ab "
                        "Zeile 5 (N30 G01 Z-2)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Ausdehnung (W): x "), std::string::npos) << text;
    EXPECT_NE(text.find("Laufzeit in „Grafik aus“ mit der seriellen Übertragung: "),
              std::string::npos)
        << text;
    EXPECT_EQ(z.WerkzeugPositionW, w);
    EXPECT_EQ(z.PositionM, m);
    EXPECT_EQ(ZeichnungsPixel(), pixel);
    EXPECT_FALSE(fenster->Laeuft());

    // F11 does the same, on its release.
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &druck);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &los);
    ASSERT_EQ(kasten.texte.size(), 2u);
    EXPECT_EQ(kasten.texte[1], text);
}

TEST_F(PruefenTest, FindingsAreListedWithAtMostTwentyDetailLines) {
    Starten();
    std::string programm = "N10 G00 X10 Y10\nN20 G00 X900\nN30 G00 X10\n";
    for (int i = 0; i < 30; ++i) {
        programm += "N" + std::to_string(100 + i) + " G66\n";
    }
    ProgrammLaden(Schreiben(Ordner(), programm));
    kasten.texte.clear();
    fenster->ProgrammPruefen();
    ASSERT_EQ(kasten.texte.size(), 1u);
    const std::string text = kasten.texte[0];
    EXPECT_NE(text.find("Ziele außerhalb der Schutzzone:\n  x über der Grenze um "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("ab Zeile 2 (N20 G00 X900), 1 Satz"), std::string::npos) << text;
    EXPECT_NE(text.find("30 Fehler:\n  Zeile 4 (N100 G66): 66 : unbekannter G-Befehl!"),
              std::string::npos)
        << text;
    // One zone line and 19 errors shown, 11 counted.
    EXPECT_NE(text.find("  … und 11 weitere"), std::string::npos) << text;
    EXPECT_LE(Zeilen(text), 32);
}

TEST_F(PruefenTest, TheWindowStaysResponsiveAndEscOrClosingCancelsTheCheck) {
    Starten();
    std::string programm;
    for (int i = 0; i < 400000; ++i) {
        programm += "N" + std::to_string(i) + " G01 X" + std::to_string(10 + i % 50) + " F2\n";
    }
    ProgrammLaden(Schreiben(Ordner(), programm));
    kasten.texte.clear();
    // A timer of the window keeps ticking during the check (its events are
    // processed every 50 ms); its first tick presses Esc.
    int takte = 0;
    std::function<void()> beimDritten;
    QTimer takt;
    takt.setInterval(10);
    QObject::connect(&takt, &QTimer::timeout, [&] {
        if (++takte == 1) {
            beimDritten();
        }
    });
    beimDritten = [&] {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(fenster.get(), &esc);
    };
    takt.start();
    fenster->ProgrammPruefen();
    takt.stop();
    EXPECT_GE(takte, 1);
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(kasten.texte[0], "Die Prüfung wurde abgebrochen.");
    // Esc cancelled the check only: no emergency stop, nothing locked.
    EXPECT_FALSE(z.stopp.Gestoppt());
    EXPECT_FALSE(fenster->Laeuft());
    EXPECT_TRUE(test::Kind<QAction>(fenster, "Programmpruefen1")->isEnabled());

    // Closing the window during the estimate of a run cancels it and keeps
    // the window.
    takte = 0;
    beimDritten = [&] { fenster->close(); };
    takt.start();
    EXPECT_FALSE(fenster->LaufSchaetzen().has_value());
    takt.stop();
    EXPECT_GE(takte, 1);
    EXPECT_FALSE(fenster->Beendet().has_value());
}

TEST_F(PruefenTest, TheEstimateOfARunCountsUpToTheWholeRun) {
    Starten();
    ProgrammLaden(Schreiben(Ordner(), "N10 G00 X10 Y10\nN20 G01 X20 F1\nN30 G00 X10\n"));
    kasten.texte.clear();
    const auto schaetzung = fenster->LaufSchaetzen();
    ASSERT_TRUE(schaetzung.has_value());
    ASSERT_EQ(schaetzung->bisZeile.size(), 4u);
    EXPECT_GT(schaetzung->GesamtMs(), 0);
    EXPECT_GT(schaetzung->vorschubBisZeile.back(), 0);
    EXPECT_TRUE(kasten.texte.empty());
}

} // namespace
} // namespace korvx::ui
