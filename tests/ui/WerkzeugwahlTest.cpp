// The colour dialog and the tool choice dialog.
#include "anlage/Anlage.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"
#include "tools/Farben.h"
#include "tools/ui/Farbwahl.h"
#include "tools/ui/Werkzeugwahlform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace korvx {
namespace {

template <class T> T* Kind(QWidget& w, const char* name) {
    return test::Kind<T>(w, name);
}

void Klick(QWidget& w, const char* name) {
    QTest::mouseClick(Kind<QWidget>(w, name), Qt::LeftButton);
}

TEST(WerkzeugFarbwahl, BoxesQuestionAndTakeOver) {
    test::FakeBediener b;
    TFraesFarbWahlForm f(b);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Korvelantrix: Farbe wählen"));
    EXPECT_EQ(Kind<QLabel>(f, "Label4")->text(), "Fuchsia");
    EXPECT_EQ(Kind<QLabel>(f, "Label16")->text(), "White");
    auto* fuchsia = Kind<QLineEdit>(f, "Edit4");
    EXPECT_EQ(fuchsia->toolTip(), QString::fromUtf8("Click: Farbe Fuchsia wählen"));
    EXPECT_EQ(fuchsia->palette().color(QPalette::Base), QColor(0, 255, 255));
    auto* uebernehmen = Kind<QPushButton>(f, "UebernahmeButton");

    // Closed without a click: the starting colour, no question.
    f.WahlFarbe = Farbtabelle[4];
    f.Oeffnen();
    f.show();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Korvelantrix -  Farbwahl"));
    EXPECT_FALSE(uebernehmen->isEnabled());
    Klick(f, "Edit5"); // the starting colour again: nothing to take over
    EXPECT_FALSE(uebernehmen->isEnabled());
    Klick(f, "SchliessenButton");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.WahlFarbe, Farbtabelle[4]);
    EXPECT_TRUE(b.Ereignisse().empty());

    // Picked, closed, answered No: the starting colour.
    f.Oeffnen();
    f.show();
    Klick(f, "Edit3");
    EXPECT_TRUE(uebernehmen->isEnabled());
    b.antworten = {false};
    Klick(f, "SchliessenButton");
    EXPECT_EQ(f.WahlFarbe, Farbtabelle[4]);
    EXPECT_EQ(b.Ereignisse().back(), "frage: Geänderte Farbe übernehmen? -> nein");

    // Answered Yes, and taken over by the button.
    f.Oeffnen();
    f.show();
    Klick(f, "Edit3");
    b.antworten = {true};
    f.reject();
    EXPECT_EQ(f.WahlFarbe, Farbtabelle[2]);
    f.Oeffnen();
    f.show();
    Klick(f, "Edit15");
    Klick(f, "UebernahmeButton");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.WahlFarbe, Farbtabelle[14]);
}

struct WerkzeugwahlTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    TFraesWkzwahlForm form{a};
    std::vector<TPunkt3D> gefahren;

    WerkzeugwahlTest() {
        form.positionieren = [this](const TPunkt3D& p) {
            gefahren.push_back(p);
            return true;
        };
    }
    void Werkzeug(int nummer, const char* name, double laenge, int farbe) {
        TWerkzeug w;
        w.Nummer = static_cast<std::uint8_t>(nummer);
        w.Benennung.Setzen(name);
        w.Laenge = laenge;
        w.Farbe = static_cast<std::uint8_t>(farbe);
        a.werkzeuge.WkzListe.push_back(w);
    }
    QTableWidget* Grid() { return Kind<QTableWidget>(form, "WkzStringGrid"); }
    QString Nummer() { return Kind<QLineEdit>(form, "WkzEdit")->text(); }
    void Rad(int delta) {
        QWheelEvent rad(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Grid()->viewport(), &rad);
    }
};

TEST_F(WerkzeugwahlTest, EmptyListAndListMode) {
    form.WerkzeugSetzen = true;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Wahl des Werkzeugs");
    EXPECT_EQ(Grid()->rowCount(), 1);
    EXPECT_EQ(Nummer(), "0");
    EXPECT_EQ(Kind<QPushButton>(form, "AbbruchButton")->text(), "Abbrechen");
    form.hide();

    Werkzeug(3, "Bohrer", 40, 1);
    a.zustand.konfig.AktuellesWerkzeug = KeinWerkzeug();
    form.WerkzeugSetzen = false;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Werkzeugliste");
    EXPECT_FALSE(Kind<QPushButton>(form, "UebernahmeButton")->isVisible());
    EXPECT_FALSE(Kind<QLineEdit>(form, "WkzEdit")->isVisible());
    EXPECT_EQ(Kind<QPushButton>(form, "AbbruchButton")->text(), QString::fromUtf8("Schließen"));
    EXPECT_EQ(Grid()->rowCount(), 2);
    EXPECT_EQ(Grid()->item(0, 2)->text(), "40,00");
    Klick(form, "AbbruchButton");
    EXPECT_EQ(a.zustand.konfig.AktuellesWerkzeug, KeinWerkzeug());
}

TEST_F(WerkzeugwahlTest, ChoosesByRowAndWheelAndRaisesByTheLengthDifference) {
    Werkzeug(3, "Bohrer", 40, 1);
    Werkzeug(7, "Fingerfr\xE4ser", 55, 4);
    a.zustand.konfig.AktuellesWerkzeug = a.werkzeuge.WkzListe[0];
    a.zustand.ReferenzAngefahren = true;
    a.zustand.WerkzeugPositionW = {1, 2, 10};
    form.WerkzeugSetzen = true;
    form.show();
    EXPECT_EQ(Nummer(), "3");
    EXPECT_EQ(Grid()->currentRow(), 0);

    // The colour cell of tool 7 is filled red.
    const QRect zelle = Grid()->visualItemRect(Grid()->item(1, 5));
    const QImage bild = Grid()->viewport()->grab().toImage();
    EXPECT_EQ(bild.pixelColor(zelle.left() + 1, zelle.top() + 1), QColor(255, 0, 0));

    // Wheel: not above the first row, not below the empty last row.
    Rad(120);
    EXPECT_EQ(Grid()->currentRow(), 0);
    Rad(-120);
    Rad(-120);
    Rad(-120);
    EXPECT_EQ(Grid()->currentRow(), 2);
    EXPECT_EQ(Nummer(), "");
    Klick(form, "UebernahmeButton");
    EXPECT_EQ(b.Meldungen().back(), "Falsches Zeichen im Eingabefeld!");
    EXPECT_TRUE(form.isVisible());

    Kind<QLineEdit>(form, "WkzEdit")->setText("9");
    Klick(form, "UebernahmeButton");
    EXPECT_EQ(b.Meldungen().back(), "T9 nicht in der Werkzeugliste!");
    EXPECT_TRUE(form.isVisible());

    const QRect zeile = Grid()->visualItemRect(Grid()->item(1, 1));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, zeile.center());
    EXPECT_EQ(Nummer(), "7");
    Klick(form, "UebernahmeButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(a.zustand.konfig.AktuellesWerkzeug.Nummer, 7);
    ASSERT_EQ(gefahren.size(), 1u);
    EXPECT_EQ(gefahren[0], (TPunkt3D{1, 2, 25}));
    EXPECT_EQ(a.zustand.WerkzeugPositionW, (TPunkt3D{1, 2, 10}));
    EXPECT_EQ(b.anzeigen[Anzeige::Werkzeug], "Werkzeug T7 Benennung: Fingerfräser");
}

} // namespace
} // namespace korvx
