// USB adapters offered by their stable names and made a COMn link of the
// start folder.
#include "machine/Portverknuepfung.h"
#include "machine/Serial.h"
#include "support/TempOrdner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvx {
namespace {

namespace fs = std::filesystem;

// A /dev of its own: the names lead to distinct real character devices, so
// two names of one device can be told from two devices.
void GeraeteAnlegen(const fs::path& dev) {
    fs::create_directories(dev / "serial" / "by-id");
    fs::create_symlink("/dev/zero", dev / "ttyUSB0");
    fs::create_symlink("/dev/full", dev / "ttyACM0");
    fs::create_symlink("/dev/urandom", dev / "ttyS7");
    fs::create_symlink("/dev/null", dev / "ttyUSB9x"); // a name the list takes too
    fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI_FT232R-if00-port0");
    fs::create_symlink("/dev/korvx-weg", dev / "ttyUSB5"); // unplugged: no device
    fs::create_symlink("/dev/zero", dev / "console");      // not a serial name
}

TEST(Portverknuepfung, AdaptersListedByTheirStableNames) {
    test::TempOrdner t;
    const fs::path dev = t.pfad() / "dev";
    GeraeteAnlegen(dev);
    fs::create_directories(t.pfad() / "start");
    std::vector<TPortGeraet> eigene;
    for (const auto& g : SerielleGeraete((t.pfad() / "start").string(), dev.string())) {
        if (g.pfad.starts_with(dev.string())) {
            eigene.push_back(g);
        }
    }
    ASSERT_EQ(eigene.size(), 4u);
    // ttyUSB0 is offered only by its by-id name.
    EXPECT_EQ(eigene[0].pfad, (dev / "serial/by-id/usb-FTDI_FT232R-if00-port0").string());
    EXPECT_EQ(eigene[0].name, eigene[0].pfad);
    EXPECT_TRUE(eigene[0].usbAdapter);
    EXPECT_EQ(eigene[1].pfad, (dev / "ttyACM0").string());
    EXPECT_TRUE(eigene[1].usbAdapter);
    EXPECT_EQ(eigene[2].pfad, (dev / "ttyS7").string());
    EXPECT_FALSE(eigene[2].usbAdapter);
    EXPECT_EQ(eigene[3].pfad, (dev / "ttyUSB9x").string());
    for (const auto& g : eigene) {
        EXPECT_EQ(g.nummer, 0);
    }

    // A device a COMn link already reaches is not offered again.
    fs::create_symlink(dev / "ttyACM0", t.pfad() / "start" / "COM2");
    const auto geraete = SerielleGeraete((t.pfad() / "start").string(), dev.string());
    EXPECT_TRUE(std::any_of(geraete.begin(), geraete.end(),
                            [](const TPortGeraet& g) { return g.nummer == 2; }));
    EXPECT_FALSE(std::any_of(geraete.begin(), geraete.end(), [&](const TPortGeraet& g) {
        return g.pfad == (dev / "ttyACM0").string();
    }));
}

TEST(Portverknuepfung, LinkMadeReplacedOnlyWhenAskedNeverOverAFile) {
    test::TempOrdner t;
    const std::string start = t.pfad().string();
    std::string bisher;
    EXPECT_EQ(PortEintrag(start, 2), start + "/COM2");
    EXPECT_EQ(PortEintrag("", 1), "./COM1");

    EXPECT_EQ(PortVerknuepfen(start, 1, "/dev/ttyUSB0", false, &bisher), Verknuepfung::Angelegt);
    EXPECT_EQ(fs::read_symlink(t.pfad() / "COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(PortVerknuepfen(start, 1, "/dev/ttyUSB0", false, &bisher), Verknuepfung::SchonDa);

    EXPECT_EQ(PortVerknuepfen(start, 1, "/dev/ttyACM0", false, &bisher), Verknuepfung::AndereDa);
    EXPECT_EQ(bisher, "/dev/ttyUSB0");
    EXPECT_EQ(fs::read_symlink(t.pfad() / "COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(PortVerknuepfen(start, 1, "/dev/ttyACM0", true, &bisher), Verknuepfung::Angelegt);
    EXPECT_EQ(fs::read_symlink(t.pfad() / "COM1"), "/dev/ttyACM0");

    // A file of the user's own under the name stays, even when asked.
    t.Schreiben("COM2", "meins");
    EXPECT_EQ(PortVerknuepfen(start, 2, "/dev/ttyUSB0", true, &bisher), Verknuepfung::KeinLink);
    EXPECT_EQ(t.Lesen("COM2"), "meins");

    EXPECT_EQ(PortVerknuepfen(start + "/fehlt", 1, "/dev/ttyUSB0", true, &bisher),
              Verknuepfung::Fehler);
    // Nothing is left behind beside the entries.
    int eintraege = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(t.pfad())) {
        ++eintraege;
    }
    EXPECT_EQ(eintraege, 2);
}

} // namespace
} // namespace korvx
