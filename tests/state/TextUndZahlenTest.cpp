#include "state/Meldungen.h"
#include "state/Text.h"
#include "state/Zahlenformat.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Text, Windows1252RoundTripsEveryByte) {
    std::string alle;
    for (int b = 1; b < 256; ++b) {
        alle.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(NachCp1252(NachUtf8(alle)), alle);
    EXPECT_EQ(NachUtf8("\xE4\xF6\xFC\xDF\x80"), "äöüß€");
    EXPECT_EQ(NachCp1252("Fräsen €"), "Fr\xE4sen \x80");
    EXPECT_EQ(NachCp1252("\u4E2D"), "?");
    EXPECT_EQ(meldung::T("Pr\u00FC\u0081fung"), "Pr\xFC\x81"
                                                "fung");
}

TEST(Text, MalformedUtf8IsTakenByteForByte) {
    EXPECT_EQ(NachCp1252("a\xFC"
                         "b"),
              "a\xFC"
              "b");
    EXPECT_EQ(NachCp1252("\xC3"), "\xC3");
}

TEST(Text, UpperCaseCoversUmlauts) {
    EXPECT_EQ(Grossbuchstaben("werkzeugnummer=\xE4\xF6\xFC"), "WERKZEUGNUMMER=\xC4\xD6\xDC");
    EXPECT_EQ(Grossbuchstaben("\xDF"), "\xDF");
}

TEST(Zahlenformat, FixedWithPrecisionAndDecimals) {
    const Zahlenformat de(',');
    const Zahlenformat en('.');
    EXPECT_EQ(de.Fest(40.0, 10, 2), "40,00");
    EXPECT_EQ(en.Fest(40.0, 10, 2), "40.00");
    EXPECT_EQ(de.Fest(-3.14159, 10, 3), "-3,142");
    EXPECT_EQ(de.Fest(12000.0, 10, 0), "12000");
    // Digits beyond the precision come out as zeros.
    EXPECT_EQ(en.Fest(123.456, 4, 2), "123.50");
    EXPECT_EQ(en.Fest(12.345678, 5, 2), "12.35");
    // More integer digits than the precision: exponent form.
    EXPECT_EQ(en.Fest(123456.0, 4, 2), "1.235E+05");
    EXPECT_EQ(en.Fest(-0.001, 10, 2), "0.00");
    EXPECT_EQ(en.Fest(0.0, 2, 0), "0");
}

TEST(Zahlenformat, ReadsThePointAndTheCommaInEveryLocale) {
    const Zahlenformat de(',');
    EXPECT_EQ(de.Lesen("1,5"), 1.5);
    EXPECT_EQ(de.Lesen(" -2.25 "), -2.25);
    EXPECT_EQ(de.Lesen("1e3"), 1000.0);
    EXPECT_FALSE(de.Lesen("1,2,3"));
    EXPECT_FALSE(de.Lesen("abc"));
    EXPECT_FALSE(de.Lesen(""));
    EXPECT_FALSE(de.Lesen("5x"));
    const Zahlenformat en('.');
    EXPECT_EQ(en.Lesen("12,5"), 12.5);
    EXPECT_EQ(en.Lesen("12.5"), 12.5);
    EXPECT_FALSE(en.Lesen("1,2.3"));
    EXPECT_FALSE(en.Lesen("1.2,3"));
    EXPECT_FALSE(en.Lesen(","));
}

TEST(Zahlenformat, UnknownPositionFollowsTheLocaleSeparator) {
    EXPECT_EQ(meldung::UnbekanntePosition(Zahlenformat(',')), "999,99");
    EXPECT_EQ(meldung::UnbekanntePosition(Zahlenformat('.')), "999.99");
}

} // namespace
} // namespace korvx
