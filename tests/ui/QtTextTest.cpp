#include "ui/QtText.h"

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

} // namespace
} // namespace korvx::ui
