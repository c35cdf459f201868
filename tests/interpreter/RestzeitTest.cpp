// Time left of a run from a hand-made estimate: on time, slower than
// estimated, with the override changed mid-run, resumed in the middle and
// without a usable estimate. Runs are played on a 100 ms clock.
#include "interpreter/Restzeit.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace korvx {
namespace {

// `zeilen` lines of `msProZeile` each, half of it feed.
Laufschaetzung Gleichmaessig(std::size_t zeilen, std::int64_t msProZeile) {
    Laufschaetzung s;
    for (std::size_t i = 0; i <= zeilen; ++i) {
        s.bisZeile.push_back(static_cast<std::int64_t>(i) * msProZeile);
        s.vorschubBisZeile.push_back(static_cast<std::int64_t>(i) * msProZeile / 2);
    }
    return s;
}

struct Verlauf {
    std::vector<double> zeit;
    std::vector<double> rest;
};

struct RestzeitTest : ::testing::Test {
    Restzeit r;
    std::int64_t jetzt = 0;
    Verlauf verlauf;

    // Lets line `zeile` run for `dauerMs` at `prozent`, ticking every 100 ms.
    void Zeile(std::size_t zeile, std::int64_t dauerMs, std::int32_t prozent = 100) {
        for (std::int64_t t = 0; t < dauerMs; t += 100) {
            r.Stand(zeile, prozent, jetzt);
            ASSERT_TRUE(r.RestMs());
            verlauf.zeit.push_back(static_cast<double>(jetzt));
            verlauf.rest.push_back(static_cast<double>(*r.RestMs()));
            jetzt += 100;
        }
    }

    // The shown value changes only once a second, and then stays within a
    // tenth of what the clock alone would have shown.
    void RuhigGeblieben() const {
        std::size_t letzte = 0;
        for (std::size_t i = 1; i < verlauf.rest.size(); ++i) {
            const double seit = verlauf.zeit[i] - verlauf.zeit[letzte];
            if (seit < static_cast<double>(Restzeit::kTaktMs)) {
                EXPECT_EQ(verlauf.rest[i], verlauf.rest[letzte]) << "at " << verlauf.zeit[i];
                continue;
            }
            const double erwartet = std::max(0.0, verlauf.rest[letzte] - seit);
            EXPECT_LE(std::fabs(verlauf.rest[i] - erwartet), 0.1 * erwartet + 1.0)
                << "at " << verlauf.zeit[i];
            letzte = i;
        }
    }
};

TEST_F(RestzeitTest, ARunOnTimeCountsDownAsEstimated) {
    const Laufschaetzung s = Gleichmaessig(10, 1000);
    r.Beginnen(&s, 10, 0, 0);
    EXPECT_EQ(r.RestMs(), 10000);
    EXPECT_EQ(r.Anteil(), 0.0);
    for (std::size_t i = 0; i < 10; ++i) {
        Zeile(i, 1000);
    }
    // Within a line the time in it counts off, so the display falls smoothly.
    for (std::size_t i = 0; i < verlauf.rest.size(); i += 10) {
        EXPECT_NEAR(verlauf.rest[i], 10000 - verlauf.zeit[i], 1) << i;
    }
    r.Stand(10, 100, jetzt);
    EXPECT_EQ(r.RestMs(), 0);
    EXPECT_EQ(r.Anteil(), 1.0);
    EXPECT_EQ(r.VergangenMs(), 10000);
    RuhigGeblieben();
}

TEST_F(RestzeitTest, TheOverrideStretchesOnlyTheFeedShareAndTheDisplayFollowsCalmly) {
    const Laufschaetzung s = Gleichmaessig(20, 1000);
    r.Beginnen(&s, 20, 0, 0);
    EXPECT_EQ(r.GeschaetzterRest(10, 100), 10000);
    EXPECT_EQ(r.GeschaetzterRest(10, 50), 15000);
    EXPECT_EQ(r.GeschaetzterRest(10, 200), 7500);
    for (std::size_t i = 0; i < 10; ++i) {
        Zeile(i, 1000);
    }
    // At half feed each line takes 1.5 s; the display moves towards the
    // new 15 s a tenth at a time and then counts down with the run.
    for (std::size_t i = 10; i < 20; ++i) {
        Zeile(i, 1500, 50);
    }
    RuhigGeblieben();
    const std::size_t mitte = 100; // 10 s into the run, just after the change
    EXPECT_NEAR(verlauf.rest[mitte], 11000, 1);
    // Eight seconds later the display has caught up with the truth (7 s left).
    const std::size_t spaeter = mitte + 80;
    EXPECT_NEAR(verlauf.rest[spaeter], 7000, 300);
    r.Stand(20, 50, jetzt);
    EXPECT_EQ(r.Anteil(), 1.0);
}

TEST_F(RestzeitTest, ARunSlowerThanEstimatedIsCorrectedByWhatItTook) {
    const Laufschaetzung s = Gleichmaessig(60, 1000);
    r.Beginnen(&s, 60, 0, 0);
    // Every line takes 1.5 times its estimate: 90 s in all.
    for (std::size_t i = 0; i < 60; ++i) {
        Zeile(i, 1500);
    }
    RuhigGeblieben();
    // Half way (45 s in, 45 s truly left, 30 s by the estimate alone) the
    // correction has brought the display well past the plain estimate.
    const std::size_t haelfte = 450;
    EXPECT_GT(verlauf.rest[haelfte], 38000);
    EXPECT_LT(verlauf.rest[haelfte], 47000);
    // Near the end it is close to the truth.
    const std::size_t ende = 800; // 80 s in, 10 s left
    EXPECT_NEAR(verlauf.rest[ende], 10000, 1500);
}

TEST_F(RestzeitTest, AResumedRunCountsFromItsStartLine) {
    const Laufschaetzung s = Gleichmaessig(10, 1000);
    r.Beginnen(&s, 10, 6, 5000);
    EXPECT_EQ(r.RestMs(), 4000);
    EXPECT_DOUBLE_EQ(r.Anteil(), 0.6);
    jetzt = 5000;
    for (std::size_t i = 6; i < 10; ++i) {
        Zeile(i, 1000);
    }
    r.Stand(9, 100, jetzt);
    EXPECT_EQ(r.VergangenMs(), 4000);
    EXPECT_EQ(r.RestMs(), 0);
    RuhigGeblieben();
}

TEST_F(RestzeitTest, WithoutAUsableEstimateNoTimeLeftIsShown) {
    const Laufschaetzung leer;
    Laufschaetzung null = Gleichmaessig(4, 0);
    const Laufschaetzung fremd = Gleichmaessig(7, 1000);
    Laufschaetzung ohneVorschub = Gleichmaessig(4, 1000);
    ohneVorschub.vorschubBisZeile.clear();
    const std::array<const Laufschaetzung*, 4> schaetzungen = {&leer, &null, &fremd, nullptr};
    for (const Laufschaetzung* s : schaetzungen) {
        r.Beginnen(s, 4, 0, 0);
        r.Stand(2, 50, 1500);
        r.Stand(3, 10, 5000);
        EXPECT_FALSE(r.RestMs());
        EXPECT_EQ(r.GeschaetzterRest(2, 50), 0);
        // Progress by line and the elapsed time do not need one.
        EXPECT_DOUBLE_EQ(r.Anteil(), 0.75);
        EXPECT_EQ(r.VergangenMs(), 5000);
    }
    // An estimate without its feed share takes all of it as unaffected by
    // the override.
    r.Beginnen(&ohneVorschub, 4, 0, 0);
    EXPECT_EQ(r.GeschaetzterRest(0, 50), 4000);
    // An empty program: no progress to speak of, no division by zero.
    r.Beginnen(nullptr, 0, 0, 0);
    EXPECT_EQ(r.Anteil(), 0.0);
}

} // namespace
} // namespace korvx
