// The velocity, machine data and plane dialogs, driven through their named controls.
#include "state/Maschinenzustand.h"
#include "state/Zahlenformat.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"
#include "ui/EinstellGeschwindigkeit.h"
#include "ui/EinstellMaschine.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

class EinstellDialoge : public ::testing::Test {
protected:
    Maschinenzustand zustand;
    test::FakeBediener bediener;
    Zahlenformat format{','};

    static void Setzen(QWidget& d, const char* name, const char* text) {
        test::Kind<QLineEdit>(d, name)->setText(QString::fromUtf8(text));
    }
    static void Verlassen(QWidget& d, const char* name) {
        QFocusEvent aus(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(test::Kind<QLineEdit>(d, name), &aus);
    }
    static void Klick(QWidget& d, const char* name) { test::Kind<QPushButton>(d, name)->click(); }
    static void Wahl(QWidget& d, const char* gruppe, int item) {
        test::Kind<RadioGruppe>(d, gruppe)->Item(item)->click();
    }
};

const char* const kVcFelder[8] = {"vcxeEdit", "vcyeEdit", "vcz1eEdit", "vcz2eEdit",
                                  "vcxaEdit", "vcyaEdit", "vcz1aEdit", "vcz2aEdit"};

TEST_F(EinstellDialoge, GeschwindigkeitGrenzenHaengenAnDerSteigung) {
    TFraes_vc_Form d(zustand, bediener, format);
    struct Fall {
        const char* text;
        bool gilt;
    };
    for (const Fall& f : {Fall{"6,0", true}, Fall{"0,02", true}, Fall{"0,018", true},
                          Fall{"6,001", false}, Fall{"0,01", false}}) {
        bediener.Meldungen().clear();
        d.show();
        Setzen(d, "vcxeEdit", f.text);
        Klick(d, "SchliessenButton");
        EXPECT_EQ(d.isVisible(), !f.gilt) << f.text;
        if (!f.gilt) {
            ASSERT_EQ(bediener.Meldungen().size(), 1u) << f.text;
            EXPECT_EQ(bediener.Meldungen()[0], "Für diese Achse muss eine Geschwindigkeit von "
                                               "0,018 m/min bis 6,000 m/min eingegeben werden!");
            d.hide();
        }
    }
}

TEST_F(EinstellDialoge, GeschwindigkeitBrichtBeimErstenFehlerAbUndBehaeltDieVorigen) {
    TFraes_vc_Form d(zustand, bediener, format);
    d.show();
    const char* werte[7] = {"2,0", "2,1", "2,2", "2,3", "0,5", "0,6", "0,7"};
    for (int i = 0; i < 7; ++i) {
        Setzen(d, kVcFelder[i], werte[i]);
    }
    Setzen(d, "vcz2aEdit", "1,x");
    Klick(d, "UebernehmenButton");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(bediener.Meldungen(),
              std::vector<std::string>{"Das Eingabefeld enthält unzulässige Zeichen!"});
    EXPECT_EQ(d.focusWidget(), test::Kind<QLineEdit>(d, "vcz2aEdit"));
    EXPECT_EQ(zustand.konfig.EilgangGeschw, (TGeschwindigkeiten{2.0, 2.1, 2.2, 2.3}));
    EXPECT_EQ(zustand.konfig.ArbeitsGeschw, (TGeschwindigkeiten{0.5, 0.6, 0.7, 1.0}));

    // Corrected and with the rapid set chosen, the set becomes the active one.
    Setzen(d, "vcz2aEdit", "0,8");
    Wahl(d, "E_A_RadioGroup", 0);
    Klick(d, "UebernehmenButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(zustand.EilgangAktiv);
    EXPECT_EQ(zustand.konfig.AktGeschw, zustand.konfig.EilgangGeschw);
}

TEST_F(EinstellDialoge, GeschwindigkeitEscapeStelltDieWerteWiederHer) {
    const TKonfiguration vorher = zustand.konfig;
    TFraes_vc_Form d(zustand, bediener, format);
    d.show();
    Setzen(d, "vcxeEdit", "5,5");
    Setzen(d, "vcxaEdit", "9,0");
    // 9 m/min is beyond 25 revolutions per second of the 4 mm spindle: refused,
    // the dialog stays open with the fields before it taken over.
    Klick(d, "UebernehmenButton");
    EXPECT_EQ(bediener.Meldungen(),
              (std::vector<std::string>{"Für diese Achse muss eine Geschwindigkeit von 0,018 m/min "
                                        "bis 6,000 m/min eingegeben werden!"}));
    ASSERT_EQ(zustand.konfig.ArbeitsGeschw.x, 9.0);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig, vorher);
}

TEST_F(EinstellDialoge, AktiveGeschwindigkeitSetztLabelUndSatz) {
    TFr_akt_vc_Form d(zustand, bediener, format);
    d.show();
    Wahl(d, "G0G1RadioGroup", 0);
    Klick(d, "SchliessenButton");
    EXPECT_FALSE(zustand.EilgangAktiv);
    EXPECT_EQ(bediener.anzeigen[Anzeige::Geschwindigkeit], "Verfahrgeschwindigkeit: G01");
    d.show();
    Wahl(d, "G0G1RadioGroup", 0);
    Klick(d, "UebernehmenButton");
    EXPECT_TRUE(zustand.EilgangAktiv);
    EXPECT_EQ(zustand.konfig.AktGeschw, zustand.konfig.EilgangGeschw);
    EXPECT_EQ(bediener.anzeigen[Anzeige::Geschwindigkeit], "Verfahrgeschwindigkeit: G00");
}

TEST_F(EinstellDialoge, MaschinendatenUnveraendertBehaltenDieReferenz) {
    zustand.ReferenzAngefahren = true;
    zustand.konfig.Spindelsteigung.x = 4.0005; // more decimals than shown
    zustand.Interpolationsebene = kEbene3D;    // no item in this dialog
    TFr_M_E_Form d(zustand, bediener, format);
    d.show();
    EXPECT_EQ(test::Kind<QLineEdit>(d, "x_S_EnhEdit")->text(), "4,00");
    Verlassen(d, "x_S_EnhEdit");
    Klick(d, "UebernehmenButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(zustand.ReferenzAngefahren);
    EXPECT_EQ(zustand.konfig.Spindelsteigung.x, 4.0005);
    EXPECT_EQ(zustand.Interpolationsebene, kEbene3D);
    EXPECT_TRUE(bediener.anzeigen.empty());
}

TEST_F(EinstellDialoge, MaschinendatenGeaendertVerlangenNeueReferenz) {
    zustand.ReferenzAngefahren = true;
    int aufgefrischt = 0;
    TFr_M_E_Form d(zustand, bediener, format);
    d.statusAuffrischen = [&] { ++aufgefrischt; };
    d.show();
    Setzen(d, "z_S_EnhEdit", "2,5");
    Klick(d, "UebernehmenButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig.Spindelsteigung.z, 2.5);
    EXPECT_FALSE(zustand.ReferenzAngefahren);
    EXPECT_EQ(bediener.anzeigen[Anzeige::X], "999,99");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Z], "999,99");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Ziel], "");
    EXPECT_EQ(bediener.anzeigen[Anzeige::Geschwindigkeit], "Referenzgeschwindigkeit");
    EXPECT_EQ(aufgefrischt, 1);
}

TEST_F(EinstellDialoge, MaschinendatenAbbrechenStelltAllesWiederHer) {
    const TKonfiguration vorher = zustand.konfig;
    zustand.Interpolationsebene = kEbeneXZ;
    TFr_M_E_Form d(zustand, bediener, format);
    d.show();
    for (const char* feld : {"x_L_EnhEdit", "y_L_EnhEdit", "z_L_EnhEdit", "x_S_EnhEdit",
                             "y_S_EnhEdit", "z_S_EnhEdit"}) {
        Setzen(d, feld, "7");
        Verlassen(d, feld);
    }
    Wahl(d, "RHR_RadioGroup", 1);
    Wahl(d, "EbenenRadioGroup", 2);
    ASSERT_EQ(zustand.konfig.Spindellaenge.y, 7.0);
    ASSERT_FALSE(zustand.konfig.RechteHandRegel);
    ASSERT_EQ(zustand.Interpolationsebene, kEbeneYZ);
    Klick(d, "AbbrechenButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.konfig, vorher);
    EXPECT_EQ(zustand.Interpolationsebene, kEbeneXZ);
}

TEST_F(EinstellDialoge, MaschinendatenWeisenFalscheZeichenUndNichtPositiveWerteZurueck) {
    zustand.ReferenzAngefahren = true;
    TFr_M_E_Form d(zustand, bediener, format);
    d.show();
    Setzen(d, "x_L_EnhEdit", "2x0");
    Verlassen(d, "x_L_EnhEdit");
    EXPECT_EQ(zustand.konfig.Spindellaenge.x, -1.0);
    EXPECT_EQ(bediener.Meldungen().back(), "Falsches Zeichen im Eingabefelde!");

    Setzen(d, "x_L_EnhEdit", "200");
    Setzen(d, "y_S_EnhEdit", "0");
    Klick(d, "UebernehmenButton");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(bediener.Meldungen().back(),
              "Die Spindelsteigung der y-Achse muss größer als 0 mm sein!");
    EXPECT_EQ(d.focusWidget(), test::Kind<QLineEdit>(d, "y_S_EnhEdit"));
    EXPECT_TRUE(zustand.ReferenzAngefahren);
}

TEST_F(EinstellDialoge, EbeneDreiDSetztBefehl) {
    TInterpolationsebenenform d(zustand, bediener, format);
    d.show();
    EXPECT_TRUE(test::Kind<RadioGruppe>(d, "IpolEbenenRadioGroup")->Item(0)->isChecked());
    Wahl(d, "IpolEbenenRadioGroup", 3);
    Klick(d, "SchliessenButton");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(zustand.Interpolationsebene, kEbene3D);
    EXPECT_EQ(zustand.EbenenBefehl, "@0z1");
}

} // namespace
} // namespace korvx::ui
