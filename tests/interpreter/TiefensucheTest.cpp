#include "interpreter/Tiefensuche.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

using test::FakeBediener;

TEST(Tiefensuche, DeepestZAndHighestAlwaysZero) {
    FakeBediener bediener;
    const auto programm = BlockList::Hauptprogramm("N10 G00 Z5\n"
                                                   "N20 G01 Z-1.5 (Z-99)\n"
                                                   "N30 G01 Z -2,25\n"
                                                   "N40 G01 Z+3\n"
                                                   "N50 G01 X5\n");
    const auto tiefe = ProgrammtiefeSuchen(programm, bediener);
    EXPECT_EQ(tiefe.tiefstesZ, -2.25);
    EXPECT_EQ(tiefe.hoechstesZ, 0.0);
    EXPECT_TRUE(bediener.Meldungen().empty());

    EXPECT_EQ(ProgrammtiefeSuchen(BlockList::Hauptprogramm("G00 Z5\n"), bediener).tiefstesZ, 0.0);
}

// A "Z" in a remark is no depth: comment lines and text in parentheses are
// passed over.
TEST(Tiefensuche, UnreadableValueShowsLineAndGoesOn) {
    FakeBediener bediener;
    const auto programm = BlockList::Hauptprogramm("N10 G00 Z\n"
                                                   "(Zentrieren)\n"
                                                   "N25 G00 X5 (Zustellung Z) Z-2\n"
                                                   "N26 G89 H'ZAHN' L /tmp/aZ9\n"
                                                   "N30 Z-1-2\n"
                                                   "N40 Z- 4\n"
                                                   "N50 Z-3\n");
    const auto tiefe = ProgrammtiefeSuchen(programm, bediener);
    EXPECT_EQ(tiefe.tiefstesZ, -3.0);
    EXPECT_EQ(bediener.Meldungen(),
              (std::vector<std::string>{"N10 G00 ZFehler bei der Frästiefensuche",
                                        "N30 Z-1-2Fehler bei der Frästiefensuche",
                                        "N40 Z- 4Fehler bei der Frästiefensuche"}));
}

} // namespace
} // namespace korvx
