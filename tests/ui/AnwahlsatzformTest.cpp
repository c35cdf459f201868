#include "interpreter/ui/Anwahlsatzform.h"
#include "state/Maschinenzustand.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvx {
namespace {

struct AnwahlsatzformTest : ::testing::Test {
    test::FakeBediener b;
    Maschinenzustand z;
    TAnwahlsatzForm form{z, b};
    QLineEdit* edit = nullptr;

    AnwahlsatzformTest() {
        z.Anwahlsatz = 20;
        form.Oeffnen();
        form.show();
        edit = test::Kind<QLineEdit>(form, "AWSatzEnhEdit");
    }
    void Klick(const char* name) {
        QTest::mouseClick(test::Kind<QPushButton>(form, name), Qt::LeftButton);
    }
};

TEST_F(AnwahlsatzformTest, TakesAnIntegerAndRefusesAnythingElse) {
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "20");
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    edit->setText("3x");
    Klick("UebernahmeButton");
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0], "Falsches Zeichen im Eingabefeld!");
    EXPECT_EQ(edit->text(), "20");
    EXPECT_EQ(z.Anwahlsatz, 20);
    EXPECT_TRUE(form.isVisible()) << "a refused entry keeps the form open";

    edit->setText(" 130 ");
    Klick("UebernahmeButton");
    EXPECT_EQ(z.Anwahlsatz, 130);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(b.Meldungen().size(), 1u);
}

TEST_F(AnwahlsatzformTest, CancelAndEscapeRestoreTheNumber) {
    edit->setText("55");
    form.AWSatzEnhEditExit(); // leaving the edit takes the number at once
    EXPECT_EQ(z.Anwahlsatz, 55);
    Klick("AbbruchButton");
    EXPECT_EQ(z.Anwahlsatz, 20);

    form.Oeffnen();
    form.show();
    edit->setText("7");
    form.AWSatzEnhEditExit();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(z.Anwahlsatz, 20);
    EXPECT_TRUE(b.Meldungen().empty());
}

} // namespace
} // namespace korvx
