// The graphic limits, graphic mode and path display dialogs.
#include "graphics/ui/Grafikgrenzen.h"
#include "graphics/ui/Grafikmodus.h"
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

using Texte = std::vector<std::string>;

class Grafikdialoge : public ::testing::Test {
protected:
    Maschinenzustand zustand;
    test::FakeBediener bediener;
    Zahlenformat format{','};

    // Replaces the edit's text by typing and leaves it with Return.
    static void Tippen(QDialog& d, const char* feld, const char* text) {
        auto* edit = test::Kind<QLineEdit>(d, feld);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static QPushButton* Knopf(QDialog& d, const char* name) {
        return test::Kind<QPushButton>(d, name);
    }
    static void Waehlen(QDialog& d, const char* gruppe, int item) {
        test::Kind<RadioGruppe>(d, gruppe)->Item(item)->click();
    }
};

TEST_F(Grafikdialoge, GrenzenWerdenBeimVerlassenGeprueftUndGespeichert) {
    TKorvxSimuGrenzForm d(zustand, bediener, format);
    d.show();
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Korvelantrix: Grafikgrenzen"));
    EXPECT_EQ(test::Kind<QLineEdit>(d, "xminEdit")->text(), "-200,00");
    EXPECT_EQ(test::Kind<QLineEdit>(d, "WeiteyEdit")->text(), "50,00");
    EXPECT_FALSE(Knopf(d, "UebernahmeButton")->isEnabled());

    // A number followed by a letter, a lower limit not below its upper one and
    // a spacing of 0 are refused; the live values stay.
    Tippen(d, "xminEdit", "12a");
    Tippen(d, "xminEdit", "300");
    Tippen(d, "ymaxEdit", "-150");
    Tippen(d, "WeitexEdit", "0");
    EXPECT_EQ(bediener.Meldungen(),
              (Texte{"Falsches Zeichen im Eingabefeld!", "xmin muss kleiner als xmax sein!",
                     "ymin muss kleiner als ymax sein!",
                     "Die Skaleneinheit der x-Achse muss größer als 0 sein!"}));
    EXPECT_EQ(zustand.konfig.SimuGrenzeMin.x, -200.0);
    EXPECT_EQ(zustand.konfig.SimuGrenzeMax.y, 140.0);
    EXPECT_EQ(zustand.konfig.SkalenWeiteX, 50.0);
    EXPECT_FALSE(Knopf(d, "UebernahmeButton")->isEnabled());

    Tippen(d, "xminEdit", "-100");
    EXPECT_EQ(zustand.konfig.SimuGrenzeMin.x, -100.0);
    EXPECT_EQ(test::Kind<QLineEdit>(d, "xminEdit")->text(), "-100,00");
    EXPECT_TRUE(d.Geaendert());
    EXPECT_TRUE(Knopf(d, "UebernahmeButton")->isEnabled());
    // The old value typed into another field clears the flag: only the last
    // edit counts, and "Schließen" asks nothing.
    Tippen(d, "ymaxEdit", "140");
    EXPECT_FALSE(d.Geaendert());
    EXPECT_TRUE(Knopf(d, "UebernahmeButton")->isEnabled());
    bediener.Ereignisse().clear();
    Knopf(d, "BeendenButton")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(bediener.Ereignisse().empty());
    EXPECT_EQ(zustand.konfig.SimuGrenzeMin.x, -100.0);
}

TEST_F(Grafikdialoge, GrenzenSchliessenVerwirftAufNein) {
    TKorvxSimuGrenzForm d(zustand, bediener, format);
    d.show();
    Tippen(d, "yminEdit", "-10");
    Tippen(d, "WeiteyEdit", "25");
    bediener.antworten = {false};
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(bediener.Ereignisse().back(), "frage: Geänderte Werte speichern? -> nein");
    EXPECT_EQ(zustand.konfig.SimuGrenzeMin.y, -150.0);
    EXPECT_EQ(zustand.konfig.SkalenWeiteY, 50.0);

    // "Übernehmen" takes text still in an edit and keeps a refused one open.
    d.show();
    Tippen(d, "xmaxEdit", "250");
    auto* xmin = test::Kind<QLineEdit>(d, "xminEdit");
    xmin->setText(QStringLiteral("260"));
    Knopf(d, "UebernahmeButton")->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(bediener.Meldungen().back(), "xmin muss kleiner als xmax sein!");
    xmin->setText(QStringLiteral("-20,5"));
    Knopf(d, "UebernahmeButton")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig.SimuGrenzeMin.x, -20.5);
    EXPECT_EQ(zustand.konfig.SimuGrenzeMax.x, 250.0);
}

TEST_F(Grafikdialoge, GrafikmodusUndZeitfaktor) {
    EXPECT_EQ(TGraphikeinausForm::ZeitItem(1.0), 0);
    EXPECT_EQ(TGraphikeinausForm::ZeitItem(0.1), 1);
    EXPECT_EQ(TGraphikeinausForm::ZeitItem(0.01), 2);

    zustand.konfig.Grafikmodus = Grafikart::Simulation;
    zustand.SimulationsZeitFaktor = 0.1;
    zustand.ReferenzAngefahren = true;
    TGraphikeinausForm d(zustand, bediener, format);
    d.show();
    auto* zeit = test::Kind<RadioGruppe>(d, "SimuZeitRadioGroup");
    EXPECT_EQ(zeit->ItemIndex(), 1);
    EXPECT_TRUE(zeit->isEnabled());
    EXPECT_FALSE(Knopf(d, "UebernahmeButton")->isEnabled());

    // Leaving the simulation for the machine needs a new reference run.
    Waehlen(d, "GraphikeinausRadioGroup", 1);
    EXPECT_FALSE(zeit->isEnabled());
    EXPECT_TRUE(Knopf(d, "UebernahmeButton")->isEnabled());
    Knopf(d, "UebernahmeButton")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig.Grafikmodus, Grafikart::Parallel);
    EXPECT_EQ(bediener.Meldungen(), Texte{"Referenzfahrt zur Positionsbestimmund erforderlich!"});
    EXPECT_TRUE(zustand.stopp.Abbruch());
    EXPECT_FALSE(zustand.ReferenzAngefahren);
    EXPECT_EQ(bediener.anzeigen[Anzeige::X], "999,99");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Z], "999,99");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Ziel], "");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Geschwindigkeit], "Referenzgeschwindigkeit");

    // Changes are discarded only when the operator agrees.
    d.show();
    Waehlen(d, "GraphikeinausRadioGroup", 2);
    EXPECT_TRUE(zeit->isEnabled());
    Waehlen(d, "SimuZeitRadioGroup", 2);
    bediener.antworten = {false, true};
    Knopf(d, "EndButton")->click();
    EXPECT_TRUE(d.isVisible());
    Knopf(d, "EndButton")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig.Grafikmodus, Grafikart::Parallel);
    EXPECT_EQ(zustand.SimulationsZeitFaktor, 0.1);

    // Into the simulation, 100 times faster: no reference message.
    bediener.Meldungen().clear();
    d.show();
    Waehlen(d, "GraphikeinausRadioGroup", 2);
    Waehlen(d, "SimuZeitRadioGroup", 2);
    Knopf(d, "UebernahmeButton")->click();
    EXPECT_EQ(zustand.konfig.Grafikmodus, Grafikart::Simulation);
    EXPECT_DOUBLE_EQ(zustand.SimulationsZeitFaktor, 0.01);
    EXPECT_TRUE(bediener.Meldungen().empty());
}

TEST_F(Grafikdialoge, BahndarstellungSofortGespeichert) {
    TKorvxBahnDarstellForm d(zustand, bediener, format);
    d.show();
    EXPECT_EQ(test::Kind<RadioGruppe>(d, "BahnwahlRadioGroup")->ItemIndex(), 0);
    Waehlen(d, "BahnwahlRadioGroup", 2);
    EXPECT_EQ(zustand.konfig.BahnDarstellung, 2);
    bediener.antworten = {true};
    Knopf(d, "EndeButton")->click();
    EXPECT_EQ(bediener.Ereignisse(), Texte{"frage: Änderung verwerfen? -> ja"});
    EXPECT_EQ(zustand.konfig.BahnDarstellung, 0);

    d.show();
    Waehlen(d, "BahnwahlRadioGroup", 1);
    Knopf(d, "UebernahmeButton")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig.BahnDarstellung, 1);
    EXPECT_EQ(bediener.Ereignisse().size(), 1u);
}

} // namespace
} // namespace korvx::ui
