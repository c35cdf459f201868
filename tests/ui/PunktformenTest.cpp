// The point and jog forms on a simulated machine with its reference set.
#include "interpreter/ui/Punktformen.h"
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvx {
namespace {

struct PunktformenTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    Maschinenzustand& z = a.zustand;

    PunktformenTest() {
        z.konfig.Grafikmodus = Grafikart::Simulation;
        ReferenzfahrtAusfuehren(a);
    }
    template <class T> static T* Kind(QWidget& w, const char* name) {
        return test::Kind<T>(w, name);
    }
    static void Klick(QWidget& w, const char* name) {
        QTest::mouseClick(Kind<QPushButton>(w, name), Qt::LeftButton);
    }
};

TEST_F(PunktformenTest, PointFormHeadingsAndToolLabels) {
    TFr_PunktForm form(b, a.format, z);
    z.konfig.AktuellesWerkzeug.Nummer = 3;
    z.konfig.AktuellesWerkzeug.Benennung.Setzen("Fingerfr\xE4ser");
    z.konfig.AktuellesWerkzeug.Laenge = 50;
    z.konfig.AktuellesWerkzeug.Durchmesser = 3;
    z.EilgangAktiv = true;
    auto ueberschrift = [&] { return Kind<QLabel>(form, "UeberschriftLabel")->text(); };

    form.Oeffnen(kEingabeNullpunkt, {1.5, 2, 3});
    EXPECT_EQ(ueberschrift(), QString::fromUtf8("Koordinaten des Werkstücknullpunktes (M)"));
    EXPECT_EQ(Kind<QLineEdit>(form, "x_Edit")->text(), "1,50");
    EXPECT_EQ(Kind<QLabel>(form, "WerkzeugLabel")->text(),
              QString::fromUtf8("Werkzeug T3 Benennung: Fingerfräser"));
    EXPECT_EQ(Kind<QLabel>(form, "LaengeLabel")->text(), QString::fromUtf8("Länge = 50,00 mm"));
    EXPECT_EQ(Kind<QLabel>(form, "DurchmesserLabel")->text(), "Durchmesser = 3,00 mm");
    EXPECT_EQ(Kind<QLabel>(form, "GeschwindigkeitsLabel")->text(), "Verfahrgeschwindigkeit: G00");

    form.Oeffnen(kEingabeZielpunkt, {});
    EXPECT_EQ(ueberschrift(), "Koordinaten des Zielpunktes (W)");
    form.Oeffnen(kEingabeSchutzzonenpunkt, z.konfig.SchutzzoneMin);
    EXPECT_EQ(ueberschrift(), "Koordinaten des unteren Schuzzonenpunktes (M)");
    form.Oeffnen(kEingabeSchutzzonenpunkt, z.konfig.SchutzzoneMax);
    EXPECT_EQ(ueberschrift(), "Koordinaten des oberen Schuzzonenpunktes (M)");
}

TEST_F(PunktformenTest, PointFormTakeOverRefusalsAndCancel) {
    TFr_PunktForm form(b, a.format, z);
    auto* x = Kind<QLineEdit>(form, "x_Edit");
    auto* y = Kind<QLineEdit>(form, "Y_Edit");
    auto* zz = Kind<QLineEdit>(form, "Z_Edit");

    // A zone corner outside the travel range is refused; the form stays open.
    form.Oeffnen(kEingabeSchutzzonenpunkt, {10, 10, 10});
    form.show();
    x->setText("300");
    Klick(form, "UebernahmeButton");
    EXPECT_EQ(b.Meldungen().back(), "Der Punkt liegt außerhalb des Verfahrbereichs!");
    EXPECT_TRUE(form.isVisible());
    x->setText("295");
    Klick(form, "UebernahmeButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Wert(), (TPunkt3D{295, 10, 10}));

    // A non-number stops at its field; x keeps what was read.
    form.Oeffnen(kEingabeZielpunkt, {1, 2, 3});
    form.show();
    x->setText("4,5");
    y->setText("a");
    zz->setText("6");
    Klick(form, "UebernahmeButton");
    EXPECT_EQ(b.Meldungen().back(), "Falsches Zeichen im Eingabefeld!");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Wert(), (TPunkt3D{4.5, 2, 3}));

    // "Schließen" gives the point back and signals the cancel.
    Klick(form, "EndeButton");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(z.stopp.Abgebrochen());
    EXPECT_EQ(form.Wert(), (TPunkt3D{1, 2, 3}));
}

TEST_F(PunktformenTest, JogFormStepsOnlyTheCheckedAxis) {
    z.WerkstueckNullpunkt = {100, 100, 30};
    z.WerkzeugPositionW = {};
    z.PositionM = NachMaschinenKoord(z, z.WerkzeugPositionW);
    a.maschine.NullpunktGewaehlt = true;
    a.hand.PunktEingabeArt = kEingabeZielpunkt;
    a.hand.Zielpunkt = z.WerkzeugPositionW;
    a.hand.AktiveAchsen = {true, false, false, false};

    TPktanfahrForm form(z);
    Handbetrieb hand(a);
    form.Oeffnen(kEingabeZielpunkt, hand);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Werkzeug verfahren");
    EXPECT_FALSE(Kind<QPushButton>(form, "AbbruchButton")->isVisible());
    auto* xBox = Kind<QCheckBox>(form, "x_CheckBox");
    EXPECT_TRUE(xBox->isChecked());
    EXPECT_EQ(Kind<QPushButton>(form, "kleinerButton")->toolTip(), "-1,00  mm");
    EXPECT_EQ(Kind<QPushButton>(form, "plusButton")->toolTip(), "+0,01 mm");

    xBox->setChecked(false);
    Kind<QCheckBox>(form, "y_CheckBox")->setChecked(true);
    Klick(form, "kleinerButton");
    EXPECT_NEAR(z.WerkzeugPositionW.x, 0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.y, -1, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, 0, 1e-9);
    EXPECT_NEAR(a.hand.Zielpunkt.y, -1, 1e-9);

    // Escape cancels even where "Abbrechen" is hidden.
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(z.stopp.Abgebrochen());

    form.Oeffnen(kEingabeNullpunkt, hand);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Nullpunkt anfahren");
    EXPECT_TRUE(Kind<QPushButton>(form, "AbbruchButton")->isVisible());
    Klick(form, "UebernahmeButton");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(PunktformenTest, JogFormEscDuringAStepIsTheEmergencyStopElseItCancels) {
    z.WerkstueckNullpunkt = {100, 100, 30};
    z.WerkzeugPositionW = {};
    z.PositionM = NachMaschinenKoord(z, z.WerkzeugPositionW);
    a.maschine.NullpunktGewaehlt = true;
    a.hand.PunktEingabeArt = kEingabeZielpunkt;
    a.hand.Zielpunkt = z.WerkzeugPositionW;
    a.hand.AktiveAchsen = {true, false, false, false};

    TPktanfahrForm form(z);
    int notaus = 0;
    form.notaus = [&] {
        ++notaus;
        Notaus(a);
    };
    Handbetrieb hand(a);
    form.Oeffnen(kEingabeZielpunkt, hand);
    form.show();
    bool gedrueckt = false;
    b.beiNachrichten = [&] {
        if (!gedrueckt && z.Verfahrdauer > 0) {
            gedrueckt = true;
            QTest::keyClick(&form, Qt::Key_Escape);
        }
    };
    Klick(form, "groesserButton");
    EXPECT_TRUE(gedrueckt);
    EXPECT_EQ(notaus, 1);
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_TRUE(form.isVisible()) << "the stop does not close the form";

    b.beiNachrichten = nullptr;
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(notaus, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(PunktformenTest, JogButtonsNameTheStepOfTheSettingsInForce) {
    z.konfig.HandSchrittweite = 5.0;
    z.konfig.HandTeiler = 10.0;
    TPktanfahrForm form(z);
    Handbetrieb hand(a);
    form.Oeffnen(kEingabeZielpunkt, hand);
    EXPECT_EQ(Kind<QPushButton>(form, "kleinerButton")->toolTip(), "-5,00  mm");
    EXPECT_EQ(Kind<QPushButton>(form, "minusButton")->toolTip(), "-0,50 mm");
    EXPECT_EQ(Kind<QPushButton>(form, "plusButton")->toolTip(), "+0,50 mm");
    EXPECT_EQ(Kind<QPushButton>(form, "groesserButton")->toolTip(), "+5,00 mm");
}

} // namespace
} // namespace korvx
