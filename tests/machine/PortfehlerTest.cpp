// Why a port did not open, as the operator is told: the message from the
// error number, and the serial component meeting missing devices, plain
// files, devices that are no serial line and, for a normal user, a device
// without permission.
#include "machine/Portfehler.h"
#include "machine/Serial.h"
#include "machine/SerielleLeitung.h"
#include "state/Meldungen.h"
#include "state/Text.h"
#include "support/TempOrdner.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvx {
namespace {

std::string Utf8(const std::string& cp1252) {
    return NachUtf8(cp1252);
}

TEST(Portfehler, TextFromTheErrorNumber) {
    // No permission: the device, the group that gives it and the new login.
    const std::string recht = Utf8(PortFehlerText("/dev/korvx-test-ttyUSB0", EACCES));
    EXPECT_NE(recht.find("Keine Berechtigung für die Schnittstelle /dev/korvx-test-ttyUSB0!"),
              std::string::npos)
        << recht;
    // A device of no group of its own: the usual group is named as such.
    EXPECT_NE(recht.find("Serielle Schnittstellen gehören meist der Gruppe \"dialout\". "),
              std::string::npos)
        << recht;
    EXPECT_NE(recht.find(" dialout) und melden Sie sich danach ab und neu an."), std::string::npos)
        << recht;
    EXPECT_NE(recht.find("adduser"), std::string::npos) << recht;
    EXPECT_EQ(Utf8(PortFehlerText("/dev/x", EPERM)).find("Keine Berechtigung"), 0u);
    // A device with a group of its own names that group and the user.
    EXPECT_EQ(Utf8(meldung::PortKeineBerechtigung("/dev/ttyUSB0", "uucp", "anna")),
              "Keine Berechtigung für die Schnittstelle /dev/ttyUSB0! Sie gehört der Gruppe "
              "\"uucp\". Nehmen Sie Ihr Benutzerkonto in diese Gruppe auf (als Administrator: "
              "sudo adduser anna uucp) und melden Sie sich danach ab und neu an.");

    EXPECT_EQ(Utf8(PortFehlerText("/dev/ttyUSB7", ENOENT)),
              "Die Schnittstelle /dev/ttyUSB7 gibt es nicht! Ist der USB-Adapter eingesteckt "
              "und die Verknüpfung im Startordner richtig?");
    EXPECT_NE(Utf8(PortFehlerText("/dev/ttyUSB7", ENXIO)).find("gibt es nicht"), std::string::npos);
    EXPECT_EQ(Utf8(PortFehlerText("/dev/ttyUSB7", EBUSY)),
              "Die Schnittstelle /dev/ttyUSB7 wird von einem anderen Programm benutzt! Beenden "
              "Sie es und versuchen Sie es noch einmal.");
    EXPECT_EQ(Utf8(PortFehlerText("/tmp/x", ENOTTY)), "/tmp/x ist keine serielle Schnittstelle!");
    EXPECT_EQ(Utf8(PortFehlerText("/dev/ttyS0", EIO)),
              "Die Schnittstelle /dev/ttyS0 kann nicht geöffnet werden (Fehler " +
                  std::to_string(EIO) + ")!");
}

TEST(Portfehler, LinksAreFollowedToTheDevice) {
    test::TempOrdner ordner;
    const auto com1 = ordner.pfad() / "COM1";
    const auto zwischen = ordner.pfad() / "adapter";
    std::filesystem::create_symlink("/dev/korvx-test-ttyUSB3", zwischen);
    std::filesystem::create_symlink("adapter", com1);
    EXPECT_EQ(LinkZiel(com1.string()), "/dev/korvx-test-ttyUSB3");
    EXPECT_EQ(LinkZiel("/dev/null"), "/dev/null");
    // A loop of links ends.
    std::filesystem::create_symlink("B", ordner.pfad() / "A");
    std::filesystem::create_symlink("A", ordner.pfad() / "B");
    EXPECT_FALSE(LinkZiel((ordner.pfad() / "A").string()).empty());

    // The dangling link of an unplugged adapter names the device and the link.
    EXPECT_EQ(Utf8(PortFehlerText(com1.string(), ENOENT)),
              "Die Schnittstelle /dev/korvx-test-ttyUSB3 (" + com1.string() +
                  ") gibt es nicht! Ist der USB-Adapter eingesteckt und die Verknüpfung im "
                  "Startordner richtig?");
}

TEST(Portfehler, OwningGroupOfTheDevice) {
    test::TempOrdner ordner;
    // Nothing to look at, or root's own group: no group to name.
    EXPECT_EQ(GeraeteGruppe((ordner.pfad() / "fehlt").string()), "");
    ordner.Schreiben("datei", "x");
    const std::string datei = (ordner.pfad() / "datei").string();
    if (getegid() == 0) {
        EXPECT_EQ(GeraeteGruppe(datei), "");
    }
    // A pseudo-terminal belongs to the group "tty" on Debian.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    struct stat st {};
    ASSERT_EQ(stat(name, &st), 0);
    if (st.st_gid != 0) {
        const std::string gruppe = GeraeteGruppe(name);
        EXPECT_FALSE(gruppe.empty());
        EXPECT_NE(Utf8(PortFehlerText(name, EACCES)).find("Gruppe \"" + gruppe + "\""),
                  std::string::npos);
    }
    close(slave);
    close(master);
}

TEST(Portfehler, SerialComponentKeepsWhyTheOpenFailed) {
    test::TempOrdner ordner;
    // A given device that is not there (the adapter unplugged).
    {
        TSerial s(ordner.pfad().string());
        s.FesterGeraetepfad("/dev/korvx-test-gibt-es-nicht");
        SerielleLeitung leitung(s);
        leitung.PortWaehlen(1);
        EXPECT_FALSE(leitung.Oeffnen({}));
        EXPECT_EQ(s.OeffnenFehler().pfad, "/dev/korvx-test-gibt-es-nicht");
        EXPECT_EQ(s.OeffnenFehler().fehlernummer, ENOENT);
        EXPECT_NE(Utf8(leitung.OeffnenFehler()).find("gibt es nicht"), std::string::npos);
    }
    // COM2 is a plain file, COM3 a character device that is no serial line.
    ordner.Schreiben("COM2", "kein Gerät");
    std::filesystem::create_symlink("/dev/null", ordner.pfad() / "COM3");
    {
        TSerial s(ordner.pfad().string());
        SerielleLeitung leitung(s);
        leitung.PortWaehlen(2);
        EXPECT_FALSE(leitung.Oeffnen({}));
        EXPECT_EQ(s.OeffnenFehler().fehlernummer, ENOTTY);
        EXPECT_EQ(Utf8(leitung.OeffnenFehler()),
                  (ordner.pfad() / "COM2").string() + " ist keine serielle Schnittstelle!");
        leitung.PortWaehlen(3);
        EXPECT_FALSE(leitung.Oeffnen({}));
        EXPECT_EQ(Utf8(leitung.OeffnenFehler()), "/dev/null (" + (ordner.pfad() / "COM3").string() +
                                                     ") ist keine serielle Schnittstelle!");
        EXPECT_FALSE(s.Active());
    }
    // A port that opens leaves nothing to tell.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    close(slave);
    std::filesystem::create_symlink(name, ordner.pfad() / "COM4");
    {
        TSerial s(ordner.pfad().string());
        SerielleLeitung leitung(s);
        leitung.PortWaehlen(2);
        EXPECT_FALSE(leitung.Oeffnen({}));
        EXPECT_FALSE(leitung.OeffnenFehler().empty());
        leitung.PortWaehlen(4);
        EXPECT_TRUE(leitung.Oeffnen({}));
        EXPECT_EQ(leitung.OeffnenFehler(), "");
        leitung.Schliessen();

        // Without read and write permission a normal user is told so; root
        // opens it anyway.
        ASSERT_EQ(chmod(name, 0), 0);
        const bool geoeffnet = leitung.Oeffnen({});
        if (geteuid() != 0) {
            EXPECT_FALSE(geoeffnet);
            EXPECT_EQ(s.OeffnenFehler().fehlernummer, EACCES);
            EXPECT_EQ(Utf8(leitung.OeffnenFehler()).find("Keine Berechtigung"), 0u);
        } else {
            EXPECT_TRUE(geoeffnet);
        }
        leitung.Schliessen();
    }
    close(master);
}

// An adapter plugged in after the ports were probed is there but not taken;
// the operator is told to start again rather than that it is missing.
TEST(Portfehler, DeviceThatAppearedAfterTheProbe) {
    test::TempOrdner ordner;
    TSerial s(ordner.pfad().string());
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    close(slave);
    std::filesystem::create_symlink(name, ordner.pfad() / "COM2");
    SerielleLeitung leitung(s);
    leitung.PortWaehlen(2);
    EXPECT_FALSE(leitung.Oeffnen({}));
    EXPECT_TRUE(s.OeffnenFehler().nachDemStart);
    EXPECT_EQ(Utf8(leitung.OeffnenFehler()),
              std::string("Die Schnittstelle ") + name +
                  " ist erst nach dem Programmstart angeschlossen worden! Starten Sie das "
                  "Programm neu.");
    close(master);
}

} // namespace
} // namespace korvx
