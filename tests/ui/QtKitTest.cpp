#include "qtkit/Bausteine.h"
#include "qtkit/QtText.h"
#include "qtkit/RadioGruppe.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

TEST(QtText, UmlauteUndUndefinierteBytesUeberstehenDenWegHinUndZurueck) {
    const std::string cp1252 = "Fr\xE4sen \x81 \x80";
    const QString qt = NachQt(cp1252);
    EXPECT_EQ(qt, QString::fromUtf8("Fräsen \u0081 €"));
    EXPECT_EQ(VonQt(qt), cp1252);
    EXPECT_EQ(VonQt(QString::fromUtf8("Ω")), "?");
}

// The builders take parent, name, text in this order; a name or text in the
// wrong place would leave the window tests' look-ups without their widget.
TEST(Bausteine, BauenMitElternNameUndTextUndKnopfIstNieAutoDefault) {
    QDialog dialog;
    QPushButton* knopf = Knopf(&dialog, "OKButton", QString::fromUtf8("Übernehmen"));
    QLabel* label = Beschriftung(&dialog, "WahlLabel", QString::fromUtf8("Wählen"));
    QLineEdit* feld = Feld(&dialog, "XEdit");
    EXPECT_EQ(knopf->parent(), &dialog);
    EXPECT_EQ(dialog.findChild<QPushButton*>("OKButton"), knopf);
    EXPECT_EQ(knopf->text(), QString::fromUtf8("Übernehmen"));
    // In a dialog a button is auto-default unless told otherwise: Enter in a
    // field would press it.
    EXPECT_FALSE(knopf->autoDefault());
    EXPECT_EQ(dialog.findChild<QLabel*>("WahlLabel"), label);
    EXPECT_EQ(label->text(), QString::fromUtf8("Wählen"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("XEdit"), feld);
    EXPECT_TRUE(feld->text().isEmpty());
}

TEST(RadioGruppe, IndexSetzenLeerenUndKlickMelden) {
    RadioGruppe gruppe(QStringLiteral("Modus"), {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(gruppe.ItemIndex(), -1);
    ASSERT_NE(gruppe.findChild<QRadioButton*>("Item1"), nullptr);
    gruppe.SetzeItemIndex(1);
    EXPECT_EQ(gruppe.ItemIndex(), 1);
    EXPECT_TRUE(gruppe.Item(1)->isChecked());
    gruppe.SetzeItemIndex(-1);
    EXPECT_EQ(gruppe.ItemIndex(), -1);
    EXPECT_FALSE(gruppe.Item(1)->isChecked());
    int geklickt = -1;
    QObject::connect(&gruppe, &RadioGruppe::geklickt, [&geklickt](int i) { geklickt = i; });
    gruppe.Item(0)->click();
    EXPECT_EQ(geklickt, 0);
    EXPECT_EQ(gruppe.ItemIndex(), 0);
    EXPECT_EQ(gruppe.Item(5), nullptr);
}

} // namespace
} // namespace korvx::ui
