// The durations and zone lines of the check's message.
#include "state/MeldungenPruefung.h"
#include "state/Meldungen.h"

#include <gtest/gtest.h>

namespace korvx::meldung {
namespace {

TEST(MeldungenPruefung, DurationsInSecondsMinutesAndHours) {
    EXPECT_EQ(Dauer(0, ','), "0,0 s");
    EXPECT_EQ(Dauer(-5, ','), "0,0 s");
    EXPECT_EQ(Dauer(5349, ','), "5,3 s");
    EXPECT_EQ(Dauer(59949, '.'), "59.9 s");
    // 59.95 s rounds to a whole minute, not to "60,0 s".
    EXPECT_EQ(Dauer(59950, ','), "1 min 00 s");
    EXPECT_EQ(Dauer(125000, ','), "2 min 05 s");
    EXPECT_EQ(Dauer(3725000, ','), "1 h 02 min 05 s");
    EXPECT_EQ(Dauer(826147761, ','), "229 h 29 min 08 s");
}

TEST(MeldungenPruefung, ZoneLineNamesAxisSideFirstBlockAndCount) {
    EXPECT_EQ(PruefungZone('x', true, "5,00", "15,00", 2, "N20 G01 X300", 1),
              T("  x über der Grenze um 5,00 mm ab Zeile 2 (N20 G01 X300), 1 Satz, höchstens "
                "15,00 mm"));
    EXPECT_EQ(PruefungZone('z', false, "2,00", "12,00", 5, "N30 G01 Z-2", 18),
              T("  z unter der Grenze um 2,00 mm ab Zeile 5 (N30 G01 Z-2), 18 Sätze, höchstens "
                "12,00 mm"));
    EXPECT_EQ(PruefungFehlerKopf(1), "1 Fehler:");
    EXPECT_EQ(PruefungWerkzeug(3, 2, ""), "  Zeile 3: T2");
}

} // namespace
} // namespace korvx::meldung
