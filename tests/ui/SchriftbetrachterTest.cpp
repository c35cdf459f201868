// The font viewer: hand-over, test text, zoom, character table and printing.
#include "fonts/ui/ZizeDozo.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace korvx {
namespace {

using Texte = std::vector<std::string>;

const std::string kSchrift = std::string(KORVX_BEISPIELE) + "/FUTURAL.FNT";

class Schriftbetrachter : public ::testing::Test {
protected:
    test::TempOrdner ordner;
    test::FakeBediener bediener;
    std::string start = ordner.pfad().string() + "/";

    void Uebergeben(const std::string& name) {
        ordner.Schreiben("CurrentFont.TMP", name + "\r\r\n");
    }
    bool Uebergabedatei() const {
        return std::filesystem::exists(ordner.pfad() / "CurrentFont.TMP");
    }
    static void Strg(QWidget& w, Qt::Key taste) {
        QTest::keyRelease(&w, taste, Qt::ControlModifier);
    }
};

TEST_F(Schriftbetrachter, UebergabeHinUndZurueck) {
    TZizeDozoForm f(bediener, start, true);
    Uebergeben(kSchrift);
    f.show();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Korvelantrix - ZizeDozo"));
    EXPECT_EQ(f.Schrift(), kSchrift);
    EXPECT_EQ(test::Kind<QLineEdit>(f, "FontEdit")->text(), "FUTURAL.FNT");
    EXPECT_FALSE(Uebergabedatei());
    // Unchanged: closing asks nothing and hands nothing back.
    test::Kind<QPushButton>(f, "EndButton")->click();
    EXPECT_TRUE(bediener.Ereignisse().empty());
    EXPECT_FALSE(Uebergabedatei());

    // No font chosen in the main window: an empty name is no transfer error.
    // A cancelled open dialog keeps the font; a chosen one is offered back.
    Uebergeben("");
    f.show();
    EXPECT_EQ(f.Schrift(), "");
    std::optional<std::string> wahl;
    f.dateiWaehlen = [&](const std::string&) { return wahl; };
    wahl = kSchrift;
    test::Kind<QPushButton>(f, "FontButton")->click();
    wahl.reset();
    test::Kind<QPushButton>(f, "FontButton")->click();
    EXPECT_EQ(f.Schrift(), kSchrift);
    bediener.antworten = {true};
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(bediener.Ereignisse(), Texte{"frage: Zeichensatz übernehmen? -> ja"});
    EXPECT_EQ(ordner.Lesen("CurrentFont.TMP"), kSchrift + "\r\r\n");

    // A wrong name is refused on opening.
    Uebergeben("/f/Block.FNT.BAK");
    f.show();
    EXPECT_EQ(bediener.Meldungen(), Texte{"Fehler bei der Übertragung des Zeichensatznamen!"});
    EXPECT_EQ(f.Schrift(), "");
}

TEST_F(Schriftbetrachter, AlleinGibtNieZurueck) {
    TZizeDozoForm f(bediener, start, false);
    f.dateiWaehlen = [&](const std::string&) { return std::optional<std::string>(kSchrift); };
    f.show();
    EXPECT_EQ(f.windowTitle(), "ZizeDozo");
    test::Kind<QPushButton>(f, "FontButton")->click();
    test::Kind<QPushButton>(f, "EndButton")->click();
    EXPECT_FALSE(Uebergabedatei());
    EXPECT_TRUE(bediener.Ereignisse().empty());
    EXPECT_TRUE(ImHauptprogramm("/usr/bin/korvelantrix"));
    EXPECT_TRUE(ImHauptprogramm("C:\\CNC\\KORVELANTRIX.EXE"));
    EXPECT_FALSE(ImHauptprogramm("/usr/bin/korvx-fontview"));
}

TEST_F(Schriftbetrachter, TesttextUndZoom) {
    TZizeDozoForm f(bediener, start, false);
    f.show();
    // Without a font.
    test::Kind<QPushButton>(f, "FontShowButton")->click();
    Strg(f, Qt::Key_Plus);
    EXPECT_EQ(bediener.Meldungen(), (Texte{"Kein Zeichensatz geladen!", "Zeichensatz wählen!"}));
    EXPECT_EQ(f.Anzeigehoehe(), 25);

    bediener.Meldungen().clear();
    auto* edit = test::Kind<QLineEdit>(f, "TestTextEdit");
    edit->setText(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"));
    test::Kind<QPushButton>(f, "OKButton")->click();
    EXPECT_EQ(bediener.Meldungen(), Texte{"Testtext: max 25 Zeichen"});
    EXPECT_EQ(f.Testtext(), "ABCDEFGHIJKLMNOPQRSTUVWXY");

    f.dateiWaehlen = [&](const std::string&) { return std::optional<std::string>(kSchrift); };
    test::Kind<QPushButton>(f, "FontButton")->click();
    test::Kind<QPushButton>(f, "FontShowButton")->click();
    EXPECT_EQ(f.Anzeige().y, 1);
    EXPECT_EQ(f.Druckbild().y, 1);
    // The keys reach the form from a focused child as well.
    Strg(*edit, Qt::Key_Plus);
    EXPECT_EQ(f.Anzeigehoehe(), 30);
    EXPECT_EQ(f.Anzeige().y, 1 + 30 + 1);
    EXPECT_EQ(f.Druckbild().y, 1);
    for (int n : {25, 20, 15, 10, 5}) {
        Strg(f, Qt::Key_Minus);
        EXPECT_EQ(f.Anzeigehoehe(), n);
    }
    Strg(f, Qt::Key_Minus);
    EXPECT_EQ(f.Anzeigehoehe(), 5);
    EXPECT_EQ(bediener.Meldungen().back(), "Verkleinerung nicht möglich!");
    EXPECT_EQ(test::Kind<QWidget>(f, "FontImage")->toolTip(),
              QString::fromStdString("5 Zeichenhöhe: " + kSchrift));
    // The keypad's minus is no zoom key.
    EXPECT_FALSE(f.TasteLoslassen(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier));
}

TEST_F(Schriftbetrachter, ZeichentabelleUndDruck) {
    TZizeDozoForm f(bediener, start, false);
    f.show();
    f.dateiWaehlen = [&](const std::string&) { return std::optional<std::string>(kSchrift); };
    test::Kind<QPushButton>(f, "FontButton")->click();
    const int hoehe = f.Anzeige().Hoehe();
    Strg(f, Qt::Key_F8);
    EXPECT_EQ(f.TabellenZellen(), 224);
    EXPECT_GT(f.Anzeige().Hoehe(), hoehe);
    // All characters in one line make the surface wider than that line.
    const int breite = f.Anzeige().Breite();
    Strg(f, Qt::Key_F9);
    EXPECT_GT(f.Anzeige().Breite(), breite);
    Strg(f, Qt::Key_Y);
    Strg(f, Qt::Key_Y);
    EXPECT_TRUE(bediener.Meldungen().empty());
    const int druckhoehe = f.Druckbild().Hoehe();
    ASSERT_GT(druckhoehe, TZizeDozoForm::kBandhoehe);

    f.druckerWaehlen = [](QPrinter&) { return false; };
    Strg(f, Qt::Key_P);
    EXPECT_EQ(bediener.Meldungen(), Texte{"Drucken abgebrochen!"});

    // One page per band of 980 pixels.
    const std::string pdf = ordner.Datei("Zeichensatz.pdf");
    f.druckerWaehlen = [&](QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(QString::fromStdString(pdf));
        return true;
    };
    Strg(f, Qt::Key_P);
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString ausgabe = QString::fromUtf8(info.readAllStandardOutput());
    const int seiten = (druckhoehe + TZizeDozoForm::kBandhoehe - 1) / TZizeDozoForm::kBandhoehe;
    EXPECT_TRUE(ausgabe.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(seiten))))
        << ausgabe.toStdString();
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("Zeichensatzausdruck")));

    // "Löschen" starts both surfaces afresh at their opening size.
    test::Kind<QPushButton>(f, "LoeschButton")->click();
    EXPECT_EQ(f.Anzeige().Hoehe(), hoehe);
    EXPECT_EQ(f.Druckbild().y, 0);
}

} // namespace
} // namespace korvx
