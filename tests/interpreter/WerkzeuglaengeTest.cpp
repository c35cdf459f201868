// The tool length rule in simulation: programmed coordinates are where the tip
// of the tool in use goes, whichever tool that is. The move commands are added
// up as the controller counts them, so the spindle's height is checked from
// the steps sent, not from the program's own bookkeeping.
#include "anlage/Anlage.h"
#include "geometry/Koordinaten.h"
#include "interpreter/Handbetrieb.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "support/FakeBediener.h"
#include "tools/Werkzeugliste.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace korvx {
namespace {

using Zeilen = std::vector<std::string>;

struct WerkzeuglaengeTest : ::testing::Test {
    test::FakeBediener b;
    Anlage a{b, Zahlenformat('.')};
    Maschinenzustand& z = a.zustand;
    // Spindle height (machine z) after each command, counted from its steps.
    std::vector<double> hoehen;
    double hoehe = 0.0;

    void SetUp() override {
        z.konfig.Grafikmodus = Grafikart::Simulation;
        Werkzeug(1, 40.0);
        Werkzeug(2, 50.0);
        Werkzeug(3, 32.5);
        // Tool 1 goes in before the reference run; the zero point is set with it.
        z.WerkzeugEinsetzen(WkzSuchen(a.werkzeuge, 1));
        ReferenzfahrtAusfuehren(a);
        ASSERT_TRUE(z.ReferenzAngefahren);
        z.NullpunktSetzen({100.0, 50.0, 40.0});
        a.maschine.NullpunktGewaehlt = true;
        z.WerkzeugPositionW = NachWerkstueckKoord(z, z.PositionM);
        hoehe = z.PositionM.z;
        a.lauf.befehlMelden = [this](const std::string& s) {
            long sx = 0, rx = 0, sy = 0, ry = 0, sz = 0, rz = 0, s4 = 0, r4 = 0;
            ASSERT_EQ(std::sscanf(s.c_str(), "@0A %ld, %ld, %ld, %ld, %ld, %ld, %ld, %ld", &sx, &rx,
                                  &sy, &ry, &sz, &rz, &s4, &r4),
                      8)
                << s;
            hoehe -= static_cast<double>(sz + s4) / 100.0;
            hoehen.push_back(hoehe);
        };
        z.konfig.TeileprogrammDatei.Setzen("/daten/TEIL.CNC");
    }
    void Werkzeug(std::uint8_t nummer, double laenge) {
        TWerkzeug w;
        w.Nummer = nummer;
        w.Benennung.Setzen("W" + std::to_string(nummer));
        w.Laenge = laenge;
        w.Durchmesser = 3.0;
        ASSERT_TRUE(WkzAnhaengen(b, a.werkzeuge, w));
    }
    bool Lauf(std::string_view text) {
        a.programm = BlockList::Hauptprogramm(text);
        b.antworten = {true, true, true, true};
        return Automatikbetrieb(a);
    }
};

TEST_F(WerkzeuglaengeTest, TheTipGoesToTheProgrammedZForALongerAShorterAndTheFirstTool) {
    ASSERT_TRUE(Lauf("N10 G01 X10 Y10 Z-2\n"
                     "N20 T2\nN30 G00 Z5\nN40 G01 Z-2\n"
                     "N50 T3\nN60 G00 Z5\nN70 G01 Z-2\n"
                     "N80 T1\nN90 G00 Z5\nN100 G01 Z-2\n"));
    EXPECT_TRUE(b.Meldungen().empty()) << b.Meldungen()[0];
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Ende);
    // Zero point z 40: with tool 1 Z-2 is machine z 38. Tool 2 (10 mm longer)
    // puts the spindle 10 mm higher for the same Z, tool 3 (7.5 mm shorter)
    // 7.5 mm lower; the changes themselves move by the difference only.
    const std::vector<double> erwartet = {38.0, 48.0, 55.0, 48.0, 30.5,
                                          37.5, 30.5, 38.0, 45.0, 38.0};
    ASSERT_EQ(hoehen.size(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        EXPECT_NEAR(hoehen[i], erwartet[i], 1e-9) << "command " << i;
    }
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -2.0, 1e-9);
    EXPECT_NEAR(z.PositionM.z, 38.0, 1e-9);
}

TEST_F(WerkzeuglaengeTest, AToolChangeKeepsTheTipAndTheBlockTarget) {
    // A change in the middle of a block with a Z word and in G91: the tip
    // stays where it was, so the block ends at its own target and the next
    // increment counts from the tip.
    ASSERT_TRUE(Lauf("N10 G01 Z-2\nN20 Z-3 T2\nN30 G91 Z-1\n"));
    EXPECT_TRUE(b.Meldungen().empty()) << b.Meldungen()[0];
    ASSERT_EQ(hoehen.size(), 4u);
    EXPECT_NEAR(hoehen[0], 38.0, 1e-9);
    EXPECT_NEAR(hoehen[1], 48.0, 1e-9);
    EXPECT_NEAR(hoehen[2], 47.0, 1e-9);
    EXPECT_NEAR(hoehen[3], 46.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -4.0, 1e-9);
    EXPECT_EQ(z.Laengenversatz(), 10.0);
}

TEST_F(WerkzeuglaengeTest, AChangeBeyondTheZoneKeepsTheOldToolAndLosesTheReference) {
    // Standing near the top of the zone, a longer tool cannot go in.
    z.konfig.SchutzzoneMax.z = 70.0;
    ASSERT_TRUE(Lauf("N10 T2\nN20 G01 Z-2\n"));
    EXPECT_EQ(b.Meldungen(), Zeilen{"Der zulässige Bereich wird verlassen!"});
    EXPECT_EQ(a.zustand.stopp.Grund(), Stoppgrund::Bereich);
    EXPECT_TRUE(hoehen.empty()) << "nothing is sent";
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_NEAR(z.WerkzeugPositionW.z, 25.0, 1e-9);
}

TEST_F(WerkzeuglaengeTest, TheRestoredZeroPointAndG54KeepTheOffset) {
    // G54 shifts the zero point during the run; the normal end restores it.
    // Neither touches the length offset, and W still means the tip.
    ASSERT_TRUE(Lauf("N10 G01 Z-2\nN20 T2\nN30 G54 Z-5\nN40 G01 Z0\n"));
    EXPECT_TRUE(b.Meldungen().empty()) << b.Meldungen()[0];
    EXPECT_EQ(z.Laengenversatz(), 10.0);
    EXPECT_NEAR(hoehen.back(), 45.0, 1e-9); // zero 35, tip 0, spindle +10
    EXPECT_NEAR(z.WerkstueckNullpunkt.z, 40.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -5.0, 1e-9);
    EXPECT_NEAR(NachMaschinenKoord(z, z.WerkzeugPositionW).z, z.PositionM.z, 1e-9);
}

struct NullpunktForm : Punkteingabe {
    TPunkt3D neu;
    bool Punkt(std::uint8_t, TPunkt3D& wert) override {
        wert = neu;
        return true;
    }
};

TEST_F(WerkzeuglaengeTest, SettingTheZeroPointMakesTheToolInUseTheLengthReference) {
    ASSERT_TRUE(Lauf("N10 G01 Z-2\nN20 T2\n"));
    ASSERT_EQ(z.Laengenversatz(), 10.0);
    NullpunktForm form;
    form.neu = {100.0, 50.0, 30.0};
    ASSERT_TRUE(NullpunktSetzen(a, form));
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    // The spindle stands at 48: the tip of tool 2 is 18 above the new zero.
    EXPECT_NEAR(z.WerkzeugPositionW.z, 18.0, 1e-9);
    EXPECT_NEAR(z.PositionM.z, 48.0, 1e-9);
}

struct Zielform : Punkteingabe {
    TPunkt3D ziel;
    bool Punkt(std::uint8_t, TPunkt3D& wert) override {
        wert = ziel;
        return true;
    }
};

struct Tippform : Tippeingabe {
    bool Tippen(std::uint8_t, Handbetrieb& h) override {
        h.AchsenSetzen(false, false, true);
        return h.Schritt('<');
    }
};

TEST_F(WerkzeuglaengeTest, ManualMovesAndTheirZoneCheckCountTheOffset) {
    ASSERT_TRUE(Lauf("N10 G01 X10 Y10 Z-2\nN20 T2\n"));
    ASSERT_NEAR(hoehen.back(), 48.0, 1e-9);
    z.konfig.SchutzzoneMax.z = 55.0;

    // Z 6 would put the spindle at 56 with this tool: outside, nothing moves.
    Zielform form;
    form.ziel = {10.0, 10.0, 6.0};
    b.antworten = {true};
    const std::size_t vorher = hoehen.size();
    EXPECT_FALSE(PunktAnfahren(a, form));
    EXPECT_EQ(b.Ereignisse().back(),
              "frage: Punkt außerhalb des zulässigen Bereichs! Abbruch? -> ja");
    EXPECT_EQ(hoehen.size(), vorher);

    form.ziel.z = 4.0;
    ASSERT_TRUE(PunktAnfahren(a, form));
    EXPECT_NEAR(hoehen.back(), 54.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, 4.0, 1e-9);

    // A jog step down moves tip and spindle by the same 1 mm.
    Tippform tippen;
    ASSERT_TRUE(WerkzeugTippen(a, tippen));
    EXPECT_NEAR(hoehen.back(), 53.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, 3.0, 1e-9);
    EXPECT_NEAR(z.PositionM.z, 53.0, 1e-9);
}

TEST_F(WerkzeuglaengeTest, TheToolInUseFollowsItsListEntryWithoutMoving) {
    ASSERT_TRUE(Lauf("N10 G01 Z-2\nN20 T2\n"));
    const std::size_t gesendet = hoehen.size();
    // The entry window lengthens tool 2 by 2.5 mm and changes its diameter.
    a.werkzeuge.WkzListe[1].Laenge = 52.5;
    a.werkzeuge.WkzListe[1].Durchmesser = 4.0;
    b.anzeigen.clear();
    EXPECT_TRUE(WkzNachfuehren(a));
    EXPECT_EQ(hoehen.size(), gesendet) << "nothing moves";
    EXPECT_EQ(z.Laengenversatz(), 12.5);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Durchmesser, 4.0);
    EXPECT_NEAR(z.PositionM.z, 48.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -4.5, 1e-9) << "the longer tip reaches lower";
    EXPECT_EQ(b.anzeigen[Anzeige::Z], "-4.50");
    EXPECT_EQ(b.anzeigen[Anzeige::Laenge], "Länge: 52.50");
    EXPECT_FALSE(WkzNachfuehren(a)) << "nothing to follow a second time";

    // Taken out of the list, it stays in use with its length.
    a.werkzeuge.WkzListe.erase(a.werkzeuge.WkzListe.begin() + 1);
    EXPECT_FALSE(WkzNachfuehren(a));
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 2);
    EXPECT_EQ(z.Laengenversatz(), 12.5);
}

} // namespace
} // namespace korvx
