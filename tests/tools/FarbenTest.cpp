#include "tools/Farben.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Farben, TabelleUndNamenStehenWieBekannt) {
    EXPECT_EQ(Farbtabelle[3], 0x00FFFFu);
    EXPECT_EQ(Farbnamen[3], "Fuchsia");
    EXPECT_EQ(Farbtabelle[6], 0x54A800u);
    EXPECT_EQ(Farbtabelle[12], 0x7F0000u);
    EXPECT_EQ(Farbnamen[13], "Light Magenta");
    for (auto name : Farbnamen) {
        EXPECT_LE(name.size(), 15u);
    }
}

TEST(Farben, FarbNummerFindetDieErsteGleicheFarbe) {
    EXPECT_EQ(FarbNummer(Farbtabelle[13]), 5);
    EXPECT_EQ(FarbNummer(Farbtabelle[0]), 0);
    EXPECT_EQ(FarbNummer(Farbtabelle[15]), 15);
    EXPECT_EQ(FarbNummer(0x123456), -1);
}

} // namespace
} // namespace korvx
