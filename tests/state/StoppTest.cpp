// The stop state: which operation sets what, which reason wins, and what a
// new run, a reference run and a new manual operation clear.
#include "state/Stopp.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Stoppzustand, OperationsSetTheirFlagsAndTheFirstReasonStays) {
    Stoppzustand s;
    EXPECT_FALSE(s.Gestoppt());
    s.Beenden();
    EXPECT_TRUE(s.Abgebrochen());
    EXPECT_FALSE(s.Abbruch()) << "ending after the word still lets the stop byte and replies pass";
    EXPECT_EQ(s.Grund(), Stoppgrund::Keiner);

    s.Beenden(Stoppgrund::M30);
    s.Abbrechen(Stoppgrund::Notaus); // a later stop does not rename the end
    EXPECT_TRUE(s.Abbruch());
    EXPECT_EQ(s.Grund(), Stoppgrund::M30);
    s.GrundFestlegen(Stoppgrund::Ende);
    EXPECT_EQ(s.Grund(), Stoppgrund::Ende);

    Stoppzustand nurSenden;
    nurSenden.SendenSperren();
    EXPECT_TRUE(nurSenden.Abbruch());
    EXPECT_FALSE(nurSenden.Abgebrochen());
}

TEST(Stoppzustand, ZoneViolationAndEscapeOutliveTheResetsOfManualWork) {
    Stoppzustand s;
    s.BereichVerlassen();
    EXPECT_TRUE(s.Abbruch());
    EXPECT_TRUE(s.Abgebrochen());
    EXPECT_TRUE(s.BereichVerletzt());
    EXPECT_TRUE(s.EscapeVermerkt()) << "the run must not go on after the block";

    // A reference run and a manual operation clear only their flag.
    s.Freigeben();
    s.Fortsetzen();
    EXPECT_FALSE(s.Gestoppt());
    EXPECT_TRUE(s.BereichVerletzt());
    EXPECT_TRUE(s.EscapeVermerkt());
    s.BereichVergessen();
    EXPECT_FALSE(s.BereichVerletzt());

    // A new run starts from nothing.
    s.Abbrechen(Stoppgrund::Abbruch);
    s.EscapeVermerken();
    s.LaufBeginnen();
    EXPECT_FALSE(s.Gestoppt());
    EXPECT_FALSE(s.EscapeVermerkt());
    EXPECT_EQ(s.Grund(), Stoppgrund::Keiner);
}

} // namespace
} // namespace korvx
