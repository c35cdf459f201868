// The progress texts: durations as hours, minutes and seconds, the time left
// rounded up so it reads 0:00:00 only at the end.
#include "state/MeldungenFortschritt.h"

#include <gtest/gtest.h>

namespace korvx::meldung {
namespace {

TEST(MeldungenFortschritt, DurationsLinesAndTheOverride) {
    EXPECT_EQ(Uhrzeit(0), "0:00:00");
    EXPECT_EQ(Uhrzeit(59'999), "0:00:59");
    EXPECT_EQ(Uhrzeit(3'600'000 * 12 + 61'000), "12:01:01");
    EXPECT_EQ(Uhrzeit(-5), "0:00:00");
    EXPECT_EQ(LaufzeitText(1'500), "Laufzeit 0:00:01");
    EXPECT_EQ(RestzeitText(1'500), "Restzeit 0:00:02");
    EXPECT_EQ(RestzeitText(1), "Restzeit 0:00:01");
    EXPECT_EQ(RestzeitText(0), "Restzeit 0:00:00");
    EXPECT_EQ(RestzeitText(-20), "Restzeit 0:00:00");
    EXPECT_EQ(SatzText(0, 40), "Satz 1 von 40");
    // After the last line the run is done: the last one stays shown.
    EXPECT_EQ(SatzText(40, 40), "Satz 40 von 40");
    EXPECT_EQ(VorschubText(120), "F 120 %");
}

} // namespace
} // namespace korvx::meldung
