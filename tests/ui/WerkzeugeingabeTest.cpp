// The tool entry window: adding, changing with the close write-back,
// deleting, clearing, the colour field and cells, and the printout.
#include "tools/ui/Werkzeugeingabe.h"
#include "anlage/Anlage.h"
#include "interpreter/Handbetrieb.h"
#include "qtkit/EinstellDialog.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"
#include "tools/Farben.h"
#include "tools/ui/Farbwahl.h"

#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvx {
namespace {

struct WerkzeugeingabeTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    TFraesFarbWahlForm farbwahl{b};
    TFraesWkzForm form{a, farbwahl};

    template <class T = QLineEdit> T* Kind(const char* name) { return test::Kind<T>(form, name); }
    void Klick(const char* name) { QTest::mouseClick(Kind<QPushButton>(name), Qt::LeftButton); }
    void Modus(int item) {
        QTest::mouseClick(Kind<ui::RadioGruppe>("WkzRadioGroup")->Item(item), Qt::LeftButton);
    }
    QTableWidget* Grid() { return Kind<QTableWidget>("WkzStringGrid"); }
    void Zelle(int zeile, int spalte, const char* text) {
        Grid()->setItem(zeile, spalte, new QTableWidgetItem(QString::fromUtf8(text)));
    }
    void Eingeben(const char* nr, const char* name = "Fr", const char* l = "40",
                  const char* d = "3", const char* nl = "10") {
        Kind("NummerEdit")->setText(nr);
        Kind("NameEdit")->setText(QString::fromUtf8(name));
        Kind("L_Edit")->setText(l);
        Kind("D_Edit")->setText(d);
        Kind("NL_Edit")->setText(nl);
        Klick("UebernameButton");
    }
    void Werkzeug(int nummer, int farbe = 1) {
        TWerkzeug w;
        w.Nummer = static_cast<std::uint8_t>(nummer);
        w.Benennung.Setzen("W" + std::to_string(nummer));
        w.Laenge = 10.0 * nummer;
        w.Farbe = static_cast<std::uint8_t>(farbe);
        a.werkzeuge.WkzListe.push_back(w);
    }
    std::vector<int> Nummern() const {
        std::vector<int> n;
        for (const TWerkzeug& w : a.werkzeuge.WkzListe) {
            n.push_back(w.Nummer);
        }
        return n;
    }
    QColor Zellfarbe(int zeile) {
        const QRect r = Grid()->visualItemRect(Grid()->item(zeile, 5));
        return Grid()->viewport()->grab().toImage().pixelColor(r.left() + 1, r.top() + 1);
    }
};

TEST_F(WerkzeugeingabeTest, AddingSortsProposesTheNextNumberAndCutsTheName) {
    form.show();
    EXPECT_FALSE(Kind<QPushButton>("UebernameButton")->isEnabled());
    EXPECT_FALSE(Kind<QPushButton>("DruckButton")->isEnabled());
    Eingeben("5");
    EXPECT_EQ(b.Meldungen().back(), "Die Zeichenfarbe wird auf schwarz gesetzt!");
    Eingeben("2", "Bohrer", "12,5");
    Eingeben("9", "Ein Name mit 25 Zeichen!!");
    // Every tool added without a colour is told it draws in black.
    EXPECT_EQ(b.Meldungen(),
              std::vector<std::string>(3, "Die Zeichenfarbe wird auf schwarz gesetzt!"));
    EXPECT_EQ(Nummern(), (std::vector<int>{2, 5, 9}));
    EXPECT_EQ(Kind("NummerEdit")->text(), "10");
    EXPECT_EQ(a.werkzeuge.WkzListe[2].Benennung.Text(), "Ein Name mit 25 Zeic");
    ASSERT_EQ(Grid()->rowCount(), 3);
    EXPECT_EQ(Grid()->item(0, 0)->text(), "2");
    EXPECT_EQ(Grid()->item(0, 2)->text(), "12,50");
    EXPECT_EQ(Grid()->item(2, 0)->text(), "9");
    EXPECT_TRUE(Kind<QPushButton>("DruckButton")->isEnabled());
}

TEST_F(WerkzeugeingabeTest, AddingRefusesBadNumbersAndValues) {
    form.show();
    for (const char* nr : {"0", "256", "300"}) {
        Eingeben(nr);
        EXPECT_EQ(b.Meldungen().back(), "Werkzeugnummeraußerhalb des Bereichs von 1 .. 255!") << nr;
    }
    Eingeben("x");
    EXPECT_EQ(b.Meldungen().back(), "Falsches Zeichen im Eingabefeld!");
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());

    Eingeben("4", "Fr", "40", "-3");
    EXPECT_EQ(b.Meldungen().back(),
              "Negativer Wert in der Spalte \"Durchmesser [mm]\" ist nicht zulässig!");
    EXPECT_EQ(form.focusWidget(), Kind("D_Edit"));
    Eingeben("4", "Fr", "4O");
    EXPECT_EQ(b.Meldungen().back(), "Falsches Zeichen im Eingabefeld!");
    EXPECT_EQ(form.focusWidget(), Kind("L_Edit"));
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());

    Eingeben("4");
    Eingeben("4");
    EXPECT_EQ(b.Meldungen().back(), "Werkzeugnummer bereits belegt!");
    EXPECT_EQ(a.werkzeuge.WkzListe.size(), 1u);
}

TEST_F(WerkzeugeingabeTest, ChangingTheLastToolAndWritingTheGridBack) {
    Werkzeug(1);
    Werkzeug(2);
    Werkzeug(3);
    form.show();
    Modus(1);
    Grid()->setCurrentCell(2, 1);
    EXPECT_EQ(Kind("NummerEdit")->text(), "3");
    EXPECT_EQ(Kind("L_Edit")->text(), "30,00");
    EXPECT_EQ(Kind("FarbEdit")->text(), "1");
    Kind("NameEdit")->setText("Neu");
    Kind("L_Edit")->setText("70");
    Klick("UebernameButton");
    EXPECT_EQ(a.werkzeuge.WkzListe[2].Benennung.Text(), "Neu");
    EXPECT_EQ(a.werkzeuge.WkzListe[2].Laenge, 70.0);
    EXPECT_EQ(Grid()->item(2, 1)->text(), "Neu");

    // Cells edited in the grid reach the list when the window closes; the
    // colour comes from its column when it holds 0 … 15.
    Zelle(0, 5, "9");
    Zelle(1, 1, "Anders");
    Zelle(1, 5, "99");
    Klick("EndButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(a.werkzeuge.WkzListe[0].Farbe, 9);
    EXPECT_EQ(a.werkzeuge.WkzListe[1].Benennung.Text(), "Anders");
    EXPECT_EQ(a.werkzeuge.WkzListe[1].Farbe, 1);
    EXPECT_EQ(a.werkzeuge.WkzListe[2].Benennung.Text(), "Neu");
}

TEST_F(WerkzeugeingabeTest, TheToolInUseFollowsAChangedLengthAtOnce) {
    Werkzeug(1);
    Werkzeug(2);
    auto& z = a.zustand;
    z.WerkzeugEinsetzen(a.werkzeuge.WkzListe[1]);
    z.NullpunktSetzen({0, 0, 40});
    z.PositionM = {0, 0, 35};
    z.WerkzeugPositionW = {0, 0, -5};
    int gerufen = 0;
    form.listeGeaendert = [&] {
        ++gerufen;
        WkzNachfuehren(a);
    };
    form.show();
    Modus(1);
    Grid()->setCurrentCell(1, 1);
    Kind("L_Edit")->setText("22,5");
    Klick("UebernameButton");
    EXPECT_EQ(gerufen, 1);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Laenge, 22.5);
    EXPECT_EQ(z.Laengenversatz(), 2.5);
    EXPECT_EQ(z.PositionM.z, 35.0) << "nothing moves";
    EXPECT_EQ(z.WerkzeugPositionW.z, -7.5);

    // A diameter edited in the grid follows when the window closes.
    Zelle(1, 3, "4,5");
    Klick("EndButton");
    EXPECT_EQ(gerufen, 2);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Durchmesser, 4.5);
    EXPECT_EQ(z.Laengenversatz(), 2.5);
}

TEST_F(WerkzeugeingabeTest, CloseWriteBackRefusesAFaultyGridAndChangesNothing) {
    Werkzeug(1);
    Werkzeug(2);
    form.show();
    Modus(1);
    Zelle(0, 1, "Umbenannt");
    const std::pair<const char*, const char*> faelle[] = {
        {"1", "Die Werkzeugnummer 1 wurde doppelt vergeben!"},
        {"300", "Werkzeugnummeraußerhalb des Bereichs von 1 .. 255!"},
        {"0", "Werkzeugnummeraußerhalb des Bereichs von 1 .. 255!"},
        {"zwei", "Falsches Zeichen im Eingabefeld!"},
    };
    for (const auto& [nummer, meldung] : faelle) {
        Zelle(1, 0, nummer);
        Klick("EndButton");
        EXPECT_EQ(b.Meldungen().back(), meldung);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(Grid()->currentRow(), 1);
        EXPECT_EQ(Nummern(), (std::vector<int>{1, 2}));
        EXPECT_EQ(a.werkzeuge.WkzListe[0].Benennung.Text(), "W1");
    }
    Zelle(1, 0, "5");
    Zelle(1, 4, "-1");
    Klick("EndButton");
    EXPECT_EQ(b.Meldungen().back(),
              "Negativer Wert in der Spalte \"Nutzlänge [mm]\" ist nicht zulässig!");
    Zelle(1, 4, "1");
    Klick("EndButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Nummern(), (std::vector<int>{1, 5}));
    EXPECT_EQ(a.werkzeuge.WkzListe[0].Benennung.Text(), "Umbenannt");
}

TEST_F(WerkzeugeingabeTest, DeletingOneToolPrintsTwoLinesAndClearingEmptiesTheList) {
    Werkzeug(1);
    Werkzeug(2);
    Werkzeug(3);
    a.zustand.konfig.AktuellesWerkzeug = a.werkzeuge.WkzListe[0];
    form.show();
    Grid()->setCurrentCell(1, 0);
    b.antworten = {true};
    Klick("LoeschButton");
    EXPECT_EQ(b.Ereignisse().back(), "frage: Werkzeug 2 löschen? -> ja");
    EXPECT_EQ(Nummern(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Grid()->rowCount(), 2);
    EXPECT_EQ(Kind("NummerEdit")->text(), "");
    EXPECT_FALSE(Kind<QPushButton>("LoeschButton")->isEnabled());

    Kind("NummerEdit")->setText("7");
    Klick("LoeschButton");
    EXPECT_EQ(b.Meldungen().back(), "Zu löschendes Werkzeug in der Liste nicht gefunden!");

    const QStringList zeilen = form.Druckzeilen();
    ASSERT_EQ(zeilen.size(), 7);
    EXPECT_EQ(zeilen[0].size(), 80);
    EXPECT_EQ(zeilen[1], QString::fromUtf8(
                             "| Nr.          | Benennung    | Länge [mm]   | Durchmesser [mm] |"));
    EXPECT_EQ(zeilen[5], "| 3            | W3           | 30,00        | 0,00             |");

    // Through the button into a PDF: the text comes out as printed.
    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("liste.pdf");
    form.druckerWaehlen = [&pdf](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    };
    Klick("DruckButton");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "pdftotext missing";
    }
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString gedruckt = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(gedruckt.contains("| 1            | W1           | 10,00"))
        << gedruckt.toStdString();
    EXPECT_TRUE(gedruckt.contains("| 3            | W3")) << gedruckt.toStdString();
    EXPECT_FALSE(gedruckt.contains("| 2 "));
    EXPECT_EQ(gedruckt.count("|------------------|"), 4);

    b.antworten = {false};
    Modus(2);
    EXPECT_EQ(Nummern(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Kind<ui::RadioGruppe>("WkzRadioGroup")->ItemIndex(), 0);
    b.antworten = {true};
    Modus(2);
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());
    EXPECT_EQ(Grid()->rowCount(), 0);
    // The tool in the spindle stays in use until another is chosen.
    EXPECT_EQ(a.zustand.konfig.AktuellesWerkzeug.Nummer, 1);
    EXPECT_FALSE(Kind<QPushButton>("DruckButton")->isEnabled());
}

TEST_F(WerkzeugeingabeTest, ColourFieldDialogAndCells) {
    Werkzeug(1, 4);
    Werkzeug(2, 2);
    form.show();
    EXPECT_EQ(Zellfarbe(0), QColor(255, 0, 0));
    Grid()->setCurrentCell(0, 0);
    EXPECT_EQ(Kind("FarbEdit")->text(), "4");
    EXPECT_EQ(Kind("FarbEdit")->palette().color(QPalette::Base), QColor(255, 0, 0));

    // A click opens the colour dialog on the field's colour; Light Magenta
    // comes back as Magenta's number.
    QTimer::singleShot(0, &farbwahl, [this] {
        QTest::mouseClick(test::Kind<QWidget>(farbwahl, "Edit14"), Qt::LeftButton);
        QTest::mouseClick(test::Kind<QWidget>(farbwahl, "UebernahmeButton"), Qt::LeftButton);
    });
    QTest::mouseClick(Kind("FarbEdit"), Qt::LeftButton);
    EXPECT_EQ(Kind("FarbEdit")->text(), "5");
    EXPECT_EQ(Kind("FarbEdit")->palette().color(QPalette::Base), QColor(255, 0, 255));

    // An unreadable colour cell, and a number cell that is no number: the
    // latter reported once however often the grid repaints.
    Modus(1);
    Zelle(1, 5, "x");
    Grid()->setCurrentCell(1, 0);
    EXPECT_EQ(b.Meldungen().back(), "Die Zeichenfarbe konnte nicht übernommen werden!");
    Zelle(1, 0, "y");
    const auto vorher = b.Meldungen().size();
    for (int i = 0; i < 3; ++i) {
        Grid()->viewport()->grab();
        QApplication::processEvents();
    }
    ASSERT_EQ(b.Meldungen().size(), vorher + 1);
    EXPECT_EQ(b.Meldungen().back(), "Drawcell: Fehler bei der Übernahme der Zeichenfabe!");
}

} // namespace
} // namespace korvx
