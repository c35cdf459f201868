// The simulator's controller model: replies, error codes, timing, position.
#include "ctlsim/IselModell.h"

#include <gtest/gtest.h>

namespace korvx::ctlsim {
namespace {

std::string Antwort(IselModell& m, std::string_view zeile, std::int64_t t = 0) {
    return m.Befehl(zeile, t, 1.0).antwort;
}

TEST(IselModell, BadInputGetsTheControllersErrorCodes) {
    IselModell m({1000, 1000, 1000}, {100, 100, 100});
    EXPECT_EQ(Antwort(m, "@0P"), "4") << "no axes defined yet";
    EXPECT_EQ(Antwort(m, "@08"), "3");
    EXPECT_EQ(Antwort(m, "@07"), "0");
    EXPECT_EQ(Antwort(m, "@0x"), "5");
    EXPECT_EQ(Antwort(m, "@0d 1000, 1000"), "7");
    EXPECT_EQ(Antwort(m, "@0d 1000, 20, 1000"), "C");
    EXPECT_EQ(Antwort(m, "@0d 1000, zehn, 1000"), "1");
    EXPECT_EQ(Antwort(m, "@0e7"), "1");
    EXPECT_EQ(Antwort(m, "@0A"), "=");
    EXPECT_EQ(Antwort(m, "@0A 1, 100"), "7");
    EXPECT_EQ(Antwort(m, "@0A 1, 100, 0, 100, 0, 100, 0, 10001"), "C");
    EXPECT_FALSE(m.Befehl("setup0", 0, 1.0).antworten);
    EXPECT_FALSE(m.Befehl("\xFF", 0, 1.0).antworten);
}

TEST(IselModell, ReferenceRunAndMovesTakeTheirTimeAndKeepTheTravelRange) {
    IselModell m({1000, 1000, 1000}, {100, 200, 300});
    Antwort(m, "@07");
    Antwort(m, "@0d 1000, 500, 1000");
    const auto ref = m.Befehl("@0R7", 0, 1.0);
    EXPECT_EQ(ref.antwort, "0");
    EXPECT_EQ(ref.dauerUs, 100'000 + 400'000 + 300'000) << "axes home one after the other";
    EXPECT_TRUE(m.Referenziert());
    EXPECT_EQ(Antwort(m, "@0P", 800'000), "0000000000000000000");

    // xy interpolated, z after it; half the time scale, half the duration.
    const auto fahrt = m.Befehl("@0A 100, 100, -0, 50, 200, 1000, 0, 21", 800'000, 0.5);
    EXPECT_EQ(fahrt.antwort, "0");
    EXPECT_EQ(fahrt.dauerUs, (1'000'000 + 200'000) / 2);
    EXPECT_EQ(Antwort(m, "@0A -200, 100, 0, 21, 0, 21, 0, 21", 2'000'000), "2")
        << "below the reference point";
    EXPECT_EQ(Antwort(m, "@0P", 2'000'000), "0000064000000" + IselModell::Hex6(200));
}

TEST(IselModell, StopByteEndsAMoveWhereItStands) {
    IselModell m({100000, 100000, 100000}, {0, 0, 0});
    Antwort(m, "@07");
    Antwort(m, "@0R7");
    m.Befehl("@0A 1000, 1000, 0, 21, 0, 21, 0, 21", 0, 1.0); // 1 s
    EXPECT_TRUE(m.Stopp(250'000));
    EXPECT_EQ(m.Position(900'000)[0], 250);
    EXPECT_FALSE(m.Stopp(950'000));
    EXPECT_EQ(IselModell::Hex6(-1), "FFFFFF");
    EXPECT_EQ(IselModell::Hex6(-400), "FFFE70");
}

} // namespace
} // namespace korvx::ctlsim
