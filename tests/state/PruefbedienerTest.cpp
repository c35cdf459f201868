// The scripted operator every logic test uses: strict about messages and
// questions the test did not state.
#include "support/FakeBediener.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace korvx::test {
namespace {

TEST(Pruefbediener, UnerwarteteMeldungLaesstDiePruefungScheitern) {
    EXPECT_NONFATAL_FAILURE(
        {
            FakeBediener b;
            b.Meldung("Fehler!");
        },
        "meldung: Fehler!");
    // A question answered by the default answer is as unexpected.
    EXPECT_NONFATAL_FAILURE(
        {
            FakeBediener b;
            EXPECT_TRUE(b.Frage("Weiter?"));
        },
        "frage: Weiter? -> ja");
    EXPECT_NONFATAL_FAILURE(
        {
            FakeBediener b;
            EXPECT_EQ(b.FrageMitAbbruch("Speichern?"), Antwort3::Ja);
        },
        "frage3: Speichern? -> ja");
    // Looking covers what came before, not a message after the last look.
    EXPECT_NONFATAL_FAILURE(
        {
            FakeBediener b;
            b.Meldung("Erste");
            EXPECT_EQ(b.Meldungen().size(), 1U);
            b.Meldungen().clear();
            b.Meldung("Zweite");
        },
        "meldung: Zweite");
}

TEST(Pruefbediener, ErwarteteMeldungenUndFragenSindErlaubt) {
    {
        FakeBediener b; // looked at by the test
        b.Meldung("Fehler!");
        EXPECT_EQ(b.Meldungen(), std::vector<std::string>{"Fehler!"});
    }
    {
        FakeBediener b; // expected without looking
        b.ErwarteMeldungen();
        b.Meldung("Fehler!");
        b.Bestaetigung("Los?", "OK", "Abbrechen");
    }
    {
        FakeBediener b; // answers queued: the questions are expected
        b.antworten = {false};
        b.antworten3 = {Antwort3::Abbrechen};
        EXPECT_FALSE(b.Frage("Weiter?"));
        EXPECT_EQ(b.FrageMitAbbruch("Speichern?"), Antwort3::Abbrechen);
    }
    {
        FakeBediener b; // displays and waits are no messages
        b.AnzeigeSetzen(Anzeige::Ziel, "Position (M)");
        b.Warten(100);
        EXPECT_EQ(b.uhr, 100);
    }
}

} // namespace
} // namespace korvx::test
