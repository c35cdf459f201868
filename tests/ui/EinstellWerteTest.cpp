// Drilling depth, feed and speed dialogs, the disclaimer and the test display.
#include "ui/EinstellWerte.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"
#include "ui/EinstellAnzeigen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

class EinstellWerte : public ::testing::Test {
protected:
    Maschinenzustand zustand;
    test::FakeBediener bediener;
    Zahlenformat format{','};

    // Opens the dialog, types the text, presses the button; true when it closed.
    bool Eingabe(QDialog& d, const char* feld, const char* text,
                 const char* knopf = "UebernehmenButton") {
        bediener.Meldungen().clear();
        d.show();
        test::Kind<QLineEdit>(d, feld)->setText(QString::fromUtf8(text));
        test::Kind<QPushButton>(d, knopf)->click();
        const bool zu = !d.isVisible();
        d.hide();
        return zu;
    }
};

TEST_F(EinstellWerte, BohrtiefeBereichUndZeichen) {
    TFraesBohrtiefenForm d(zustand, bediener, format);
    EXPECT_TRUE(Eingabe(d, "BohrtiefeEdit", "-50"));
    EXPECT_TRUE(Eingabe(d, "BohrtiefeEdit", "0"));
    for (const char* text : {"-50,5", "0,1"}) {
        EXPECT_FALSE(Eingabe(d, "BohrtiefeEdit", text)) << text;
        EXPECT_EQ(bediener.Meldungen(),
                  std::vector<std::string>{" Die Bohrtiefe muß kleiner oder gleich Null und "
                                           "größer oder gleich -50 sein!"});
    }
    // A refused value stays until cancelled.
    zustand.konfig.Bohrtiefe = -2.0;
    d.show();
    test::Kind<QLineEdit>(d, "BohrtiefeEdit")->setText(QStringLiteral("0,1"));
    test::Kind<QPushButton>(d, "UebernehmenButton")->click();
    EXPECT_EQ(zustand.konfig.Bohrtiefe, 0.1);
    test::Kind<QPushButton>(d, "AbbrechenButton")->click();
    EXPECT_EQ(zustand.konfig.Bohrtiefe, -2.0);

    // The point is a separator too, in every locale; other characters are refused.
    EXPECT_TRUE(Eingabe(d, "BohrtiefeEdit", "-1.5"));
    EXPECT_EQ(zustand.konfig.Bohrtiefe, -1.5);
    EXPECT_FALSE(Eingabe(d, "BohrtiefeEdit", "-1;5"));
    EXPECT_EQ(bediener.Meldungen(), std::vector<std::string>{"Falsches Zeichen im Eingabefeld: ;"});
    EXPECT_FALSE(Eingabe(d, "BohrtiefeEdit", ""));
    EXPECT_EQ(bediener.Meldungen(), std::vector<std::string>{"Falsches Zeichen im Eingabefeld!"});

    // Where the locale writes a point, the comma is a separator as well.
    Zahlenformat punkt('.');
    TFraesBohrtiefenForm p(zustand, bediener, punkt);
    EXPECT_TRUE(Eingabe(p, "BohrtiefeEdit", "-1.5"));
    EXPECT_EQ(zustand.konfig.Bohrtiefe, -1.5);
    EXPECT_TRUE(Eingabe(p, "BohrtiefeEdit", "-12,5"));
    EXPECT_EQ(zustand.konfig.Bohrtiefe, -12.5);
}

TEST_F(EinstellWerte, CommaAcceptedWhereTheLocaleWritesAPoint) {
    zustand.konfig.Vorschub = 0.5;
    Zahlenformat punkt('.');
    TFraes_f_Form d(zustand, bediener, punkt);
    EXPECT_TRUE(Eingabe(d, "Vorschub_enhEdit", "0,25"));
    EXPECT_EQ(zustand.konfig.Vorschub, 0.25);
}

TEST_F(EinstellWerte, VorschubZwischenNullUndEins) {
    zustand.konfig.Vorschub = 0.5;
    TFraes_f_Form d(zustand, bediener, format);
    for (const char* text : {"0", "1,01"}) {
        EXPECT_FALSE(Eingabe(d, "Vorschub_enhEdit", text)) << text;
        EXPECT_EQ(bediener.Meldungen(),
                  std::vector<std::string>{
                      "Det Vorschub muss größer als 0,00 und kleiner oder gleich 1,00 sein!"});
    }
    EXPECT_TRUE(Eingabe(d, "Vorschub_enhEdit", "1"));
    EXPECT_EQ(zustand.konfig.Vorschub, 1.0);
    EXPECT_TRUE(Eingabe(d, "Vorschub_enhEdit", "0,3", "SchliessenButton"));
    EXPECT_EQ(zustand.konfig.Vorschub, 1.0);
}

TEST_F(EinstellWerte, DrehzahlBisZwoelftausend) {
    TFraes_n_Form d(zustand, bediener, format);
    for (const char* text : {"0", "12000,5"}) {
        EXPECT_FALSE(Eingabe(d, "Drehzahl_enhEdit", text)) << text;
        EXPECT_EQ(bediener.Meldungen(),
                  std::vector<std::string>{
                      "Die Drehzahl muss größer als 0 und kleiner oder gleich 12000 sein!"});
    }
    // "Schließen" puts back what the dialog opened with, also after a refusal.
    d.show();
    EXPECT_EQ(test::Kind<QLineEdit>(d, "Drehzahl_enhEdit")->text(), "12000,50");
    test::Kind<QPushButton>(d, "SchliessenButton")->click();
    EXPECT_EQ(zustand.konfig.Drehzahl, 12000.5);
    EXPECT_TRUE(Eingabe(d, "Drehzahl_enhEdit", "12000"));
    EXPECT_EQ(zustand.konfig.Drehzahl, 12000.0);
}

TEST_F(EinstellWerte, HaftungZustimmenUndAblehnen) {
    int abgelehnt = 0;
    TFraeskeineHaftungForm d(zustand, bediener);
    d.beiAblehnung = [&] { ++abgelehnt; };
    zustand.HaftungAkzeptiert = true;
    d.show();
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
    test::Kind<QPushButton>(d, "OKButton")->click();
    EXPECT_TRUE(zustand.HaftungAkzeptiert);
    EXPECT_TRUE(bediener.Meldungen().empty());

    d.show();
    test::Kind<QPushButton>(d, "AblehnButton")->click();
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
    EXPECT_EQ(bediener.Meldungen(),
              std::vector<std::string>{"Ohne Haftungsausschluss: Das Programm wird beendet!"});
    EXPECT_EQ(abgelehnt, 1);

    // Escape declines as well.
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
    EXPECT_EQ(abgelehnt, 2);
    EXPECT_EQ(bediener.Meldungen(),
              std::vector<std::string>(2, "Ohne Haftungsausschluss: Das Programm wird beendet!"));
}

TEST_F(EinstellWerte, TestanzeigeFolgtDemHauptfenster) {
    QWidget haupt;
    haupt.setGeometry(100, 50, 640, 480);
    TFraesTestAnzeigeForm anzeige(zustand, format);
    zustand.PositionM = {12.5, -3.0, 0.25};
    zustand.konfig.SchutzzoneMax.z = 75.0;
    anzeige.Anheften(&haupt);
    anzeige.Auffrischen();
    EXPECT_EQ(anzeige.geometry().topLeft(), QPoint(100, 530));
    EXPECT_EQ(anzeige.width(), 640);
    EXPECT_EQ(test::Kind<QLineEdit>(anzeige, "PositionM_x_Edit")->text(), "12,50");
    EXPECT_EQ(test::Kind<QLineEdit>(anzeige, "PositionM_y_Edit")->text(), "-3,00");
    EXPECT_EQ(test::Kind<QLineEdit>(anzeige, "ZoneOben_z_Edit")->text(), "75,00");

    // Switched off, a position change does not show it.
    anzeige.PositionGeaendert();
    EXPECT_FALSE(anzeige.isVisible());
    zustand.konfig.Testanzeige = true;
    anzeige.PositionGeaendert();
    EXPECT_TRUE(anzeige.isVisible());
}

} // namespace
} // namespace korvx::ui
