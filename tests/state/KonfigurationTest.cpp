#include "state/ByteBild.h"
#include "state/Maschinenzustand.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

TEST(Konfiguration, DefaultImageHasHeaderPadsAndFieldsAtTheirOffsets) {
    const TKonfiguration k;
    const auto bild = k.KonfigurationsBlock();
    const ByteLeser l(bild);
    const std::string kennung(reinterpret_cast<const char*>(bild.data()), 30);
    EXPECT_EQ(kennung, std::string("Fraesen Konfigurationsdatei  \x1A"));
    EXPECT_EQ(bild[30], 0x8B);
    EXPECT_EQ(bild[31], 0xC0);
    for (std::size_t pad : {61u, 201u, 261u, 265u, 269u, 273u, 469u, 473u, 477u, 1249u}) {
        EXPECT_EQ(bild[pad], 0x8D) << pad;
        EXPECT_EQ(bild[pad + 1], 0x40) << pad;
        EXPECT_EQ(bild[pad + 2], 0x00) << pad;
    }
    EXPECT_EQ(l.F64(32), 4.0);
    EXPECT_EQ(l.I32(56), 400);
    EXPECT_EQ(l.U8(60), 1);
    EXPECT_EQ(l.F64(64), 295.0);
    EXPECT_EQ(l.F64(80), 65.0);
    EXPECT_EQ(l.F64(112), 295.0);
    EXPECT_EQ(l.F64(136), -200.0);
    EXPECT_EQ(l.F64(176), 180.0);
    EXPECT_EQ(l.F64(184), 1.0);
    EXPECT_EQ(l.F64(192), 100.0);
    EXPECT_EQ(l.U8(200), 1);
    EXPECT_EQ(l.U8(204), 0);
    EXPECT_EQ(l.U8(205), 13);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bild.data()) + 206, 13), "kein Werkzeug");
    EXPECT_EQ(l.U8(272), 1);
    EXPECT_EQ(l.F64(300), 500.0);
    EXPECT_EQ(l.F64(316), 75.0);
    EXPECT_EQ(l.F64(324), 50.0);
    EXPECT_EQ(l.F64(348), 3.0);
    EXPECT_EQ(l.F64(404), 1.0);
    EXPECT_EQ(l.F64(452), 750.0);
    EXPECT_EQ(l.U8(472), 10);
    EXPECT_EQ(l.U8(476), 2);
    EXPECT_EQ(l.U8(992), 12);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bild.data()) + 993, 12), "FraesWkz.DAT");
    EXPECT_EQ(l.U8(1248), 50);
}

TEST(Konfiguration, EveryFieldLandsAtItsOwnOffset) {
    TKonfiguration k;
    k.SchritteProUmdrehung = 0x01020304;
    k.AktuellesWerkzeug.Nummer = 7;
    k.AktuellesWerkzeug.Laenge = 12.5;
    k.AktuellesWerkzeug.Nutzlaenge = 8.25;
    k.AktuellesWerkzeug.Durchmesser = 3.0;
    k.AktuellesWerkzeug.Farbe = 9;
    k.Schrittbetrieb = true;
    k.Testanzeige = true;
    k.BahnDarstellung = 2;
    k.SkalenWeiteY = 25.0;
    k.Bohrtiefe = -3.5;
    k.AktGeschw.z2 = 0.7;
    k.Vorschub = 0.2;
    k.Schnittgeschwindigkeit = 120.0;
    k.Grafikmodus = Grafikart::Parallel;
    k.TeileprogrammDatei.Setzen("/home/a/TEIL.CNC");
    k.ZeichensatzDatei.Setzen("X.FNT");
    const auto bild = k.KonfigurationsBlock();
    const ByteLeser l(bild);
    EXPECT_EQ(bild[56], 0x04);
    EXPECT_EQ(bild[59], 0x01);
    EXPECT_EQ(l.U8(204), 7);
    EXPECT_EQ(l.F64(228), 12.5);
    EXPECT_EQ(l.F64(236), 8.25);
    EXPECT_EQ(l.F64(244), 3.0);
    EXPECT_EQ(l.U8(252), 9);
    EXPECT_EQ(l.U8(260), 1);
    EXPECT_EQ(l.U8(264), 1);
    EXPECT_EQ(l.U8(268), 2);
    EXPECT_EQ(l.F64(332), 25.0);
    EXPECT_EQ(l.F64(340), -3.5);
    EXPECT_EQ(l.F64(436), 0.7);
    EXPECT_EQ(l.F64(444), 0.2);
    EXPECT_EQ(l.F64(460), 120.0);
    EXPECT_EQ(l.U8(468), 1);
    EXPECT_EQ(l.U8(480), 16);
    EXPECT_EQ(l.U8(481), '/');
    EXPECT_EQ(l.U8(736), 5);
    EXPECT_EQ(l.U8(737), 'X');
}

TEST(Konfiguration, ForeignImageRoundTripsByteForByte) {
    TKonfiguration::Abbild fremd{};
    for (std::size_t i = 0; i < fremd.size(); ++i) {
        fremd[i] = static_cast<std::uint8_t>((i * 37 + 11) & 0xFF);
    }
    // Boolean bytes hold 0 or 1 in files this program reads.
    for (std::size_t b : {260u, 264u, 272u}) {
        fremd[b] = static_cast<std::uint8_t>(b & 1);
    }
    TKonfiguration k;
    k.AusBild(fremd);
    EXPECT_EQ(k.KonfigurationsBlock(), fremd);
}

TEST(Konfiguration, ShortStringKeepsBytesAfterItsText) {
    ShortString<20> s;
    s.Setzen("Schaftfraeser lang");
    s.Setzen("Bohrer");
    EXPECT_EQ(s.Text(), "Bohrer");
    EXPECT_EQ(s.bytes[7], 'f');
    s.Setzen(std::string(30, 'x'));
    EXPECT_EQ(s.Text().size(), 20u);
    s.bytes[0] = 200; // damaged length byte
    EXPECT_EQ(s.Text().size(), 20u);
}

TEST(Maschinenzustand, ResetAndVelocitySelection) {
    Maschinenzustand z;
    z.konfig.Grafikmodus = Grafikart::Aus;
    z.konfig.Spindellaenge = {300.0, 200.0, 60.0};
    z.konfig.VerfahrbereichMin = {1.0, 2.0, 3.0};
    z.SimulationsZeitFaktor = 10.0;
    z.KonfigurationZuruecksetzen();
    EXPECT_EQ(z.konfig.Grafikmodus, Grafikart::Simulation);
    EXPECT_EQ(z.konfig.Nachkommastellen, 2);
    EXPECT_EQ(z.konfig.SchutzzoneMin, (TPunkt3D{1.0, 2.0, 3.0}));
    EXPECT_EQ(z.konfig.SchutzzoneMax, (TPunkt3D{300.0, 200.0, 60.0}));
    EXPECT_EQ(z.konfig.EilgangGeschw, (TGeschwindigkeiten{5.0, 5.0, 5.0, 5.0}));
    EXPECT_EQ(z.konfig.WerkzeugDatei.Text(), "FraesWkz.DAT");
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Benennung.Text(), "kein Werkzeug");
    EXPECT_EQ(z.SimulationsZeitFaktor, 1.0);

    z.konfig.ArbeitsGeschw = {0.5, 0.6, 0.7, 0.8};
    z.GeschwindigkeitWaehlen(true);
    EXPECT_TRUE(z.EilgangAktiv);
    EXPECT_EQ(z.konfig.AktGeschw, z.konfig.EilgangGeschw);
    z.GeschwindigkeitWaehlen(false);
    EXPECT_FALSE(z.EilgangAktiv);
    EXPECT_EQ(z.konfig.AktGeschw, z.konfig.ArbeitsGeschw);
}

} // namespace
} // namespace korvx
