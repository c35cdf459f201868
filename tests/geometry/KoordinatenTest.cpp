#include "geometry/Koordinaten.h"

#include "state/Maschinenzustand.h"
#include "support/FakeBediener.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Koordinaten, WorkpieceToMachineFollowsTheXSense) {
    Maschinenzustand z;
    z.WerkstueckNullpunkt = {200, 50, 30};
    z.konfig.RechteHandRegel = true;
    EXPECT_EQ(NachMaschinenKoord(z, {10, 5, -2}), (TPunkt3D{210, 55, 28}));
    z.konfig.RechteHandRegel = false;
    EXPECT_EQ(NachMaschinenKoord(z, {10, 5, -2}), (TPunkt3D{190, 55, 28}));
    EXPECT_EQ(NachWerkstueckKoord(z, {190, 55, 28}), (TPunkt3D{10, 5, -2}));

    TPunkt3D sM, eM;
    NachMaschinenKoord(z, {0, 0, 0}, {1, 2, 3}, sM, eM);
    EXPECT_EQ(sM, (TPunkt3D{200, 50, 30}));
    EXPECT_EQ(eM, (TPunkt3D{199, 52, 33}));
}

// Both conversions invert each other for either setting of the flag, so a
// position taken back from the machine lands where it was programmed (exactly
// for values without rounding in the sums).
TEST(Koordinaten, ConversionsInvertEachOtherForBothSenses) {
    Maschinenzustand z;
    z.WerkstueckNullpunkt = {123.25, -7.5, 40.125};
    const TPunkt3D punkte[] = {{10, 5, -2}, {-0.75, 300.5, 0}, {0, 0, 0}, {0.0625, -1e3, 65}};
    for (const bool rhr : {true, false}) {
        z.konfig.RechteHandRegel = rhr;
        for (const TPunkt3D& w : punkte) {
            EXPECT_EQ(NachWerkstueckKoord(z, NachMaschinenKoord(z, w)), w) << rhr;
            EXPECT_EQ(NachMaschinenKoord(z, NachWerkstueckKoord(z, w)), w) << rhr;
        }
        TPunkt3D sW, eW;
        NachWerkstueckKoord(z, NachMaschinenKoord(z, punkte[0]), NachMaschinenKoord(z, punkte[1]),
                            sW, eW);
        EXPECT_EQ(sW, punkte[0]);
        EXPECT_EQ(eW, punkte[1]);
    }
    z.konfig.RechteHandRegel = true;
    EXPECT_EQ(NachWerkstueckKoord(z, {133.25, 0, 0}).x, 10.0);
}

// W is the tip of the tool in use, M the spindle: in z they differ by the
// length offset, which putting a tool in use moves by the difference of the
// lengths and only setting the zero point brings back to 0.
TEST(Koordinaten, ToolLengthOffsetEntersZOnlyAndOnlyTheZeroPointClearsIt) {
    Maschinenzustand z;
    TWerkzeug werkzeug;
    werkzeug.Laenge = 40;
    z.WerkzeugEinsetzen(werkzeug); // from "kein Werkzeug", length 0
    z.NullpunktSetzen({100, 50, 40});
    werkzeug.Laenge = 50;
    z.WerkzeugEinsetzen(werkzeug);
    for (const bool rhr : {true, false}) {
        z.konfig.RechteHandRegel = rhr;
        const TPunkt3D m = NachMaschinenKoord(z, {1, 2, -2});
        EXPECT_EQ(m, (TPunkt3D{rhr ? 101.0 : 99.0, 52, 48}));
        EXPECT_EQ(NachWerkstueckKoord(z, m), (TPunkt3D{1, 2, -2}));
    }
    // A zero shift of a run writes the zero point and keeps the offset.
    z.WerkstueckNullpunkt.z += 5;
    EXPECT_EQ(z.Laengenversatz(), 10.0);
    werkzeug.Laenge = 32.5;
    z.WerkzeugEinsetzen(werkzeug);
    EXPECT_EQ(z.Laengenversatz(), -7.5);
    z.NullpunktSetzen({0, 0, 65});
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_EQ(NachMaschinenKoord(z, {0, 0, -2}).z, 63.0);
}

TEST(Koordinaten, AddingNonMachinePointsStopsTheRunButNeverEndsTheProgram) {
    test::FakeBediener b;
    Maschinenzustand z;
    EXPECT_EQ(MaschinenPunktAddieren(b, z, true, {1, 2, 3}, {10, 20, 30}), (TPunkt3D{11, 22, 33}));
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_FALSE(z.stopp.Abbruch());

    EXPECT_EQ(MaschinenPunktAddieren(b, z, false, {1, 2, 3}, {10, 20, 30}), (TPunkt3D{1, 2, 3}));
    ASSERT_EQ(b.Meldungen().size(), 1u);
    EXPECT_EQ(b.Meldungen()[0],
              "Fehler: Maschinenkoordinaten erwartet!  Das Programm wird abgebrochen!");
    EXPECT_TRUE(z.stopp.Abbruch());
    EXPECT_TRUE(z.stopp.Abgebrochen());
    EXPECT_FALSE(b.beendetMit);
}

} // namespace
} // namespace korvx
