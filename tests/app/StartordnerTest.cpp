// The start folder of a menu start and the window programs' command lines.
#include "app/Startordner.h"
#include "app/Programmaufruf.h"
#include "support/TempOrdner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvx::app {
namespace {

namespace fs = std::filesystem;

TEST(Startordner, WhichFolder) {
    EXPECT_EQ(MenueStartordner("/srv/fraese", "/home/anna"), "/srv/fraese");
    EXPECT_EQ(MenueStartordner("", "/home/anna"), "/home/anna/Korvelantrix");
    EXPECT_EQ(MenueStartordner(nullptr, "/home/anna"), "/home/anna/Korvelantrix");
    EXPECT_EQ(MenueStartordner(nullptr, nullptr), "");
    EXPECT_EQ(BeispielOrdner("/usr/bin/korvelantrix"), "/usr/share/korvelantrix/examples");
    EXPECT_EQ(BeispielOrdner("/opt/k/bin/korvelantrix"), "/opt/k/share/korvelantrix/examples");
}

TEST(Startordner, MadeOnceWithTheExamplesNeverOverwritten) {
    test::TempOrdner t;
    const fs::path vorlage = t.pfad() / "vorlage";
    fs::create_directories(vorlage / "unterordner");
    t.Schreiben("vorlage/KONTUR.CNC", "N10 G00 X0\r\n");
    t.Schreiben("vorlage/FUTURAL.FNT", "font");
    const fs::path ordner = t.pfad() / "home" / "Korvelantrix";

    ASSERT_TRUE(StartordnerEinrichten(ordner.string(), vorlage.string()));
    EXPECT_EQ(t.Lesen("home/Korvelantrix/KONTUR.CNC"), "N10 G00 X0\r\n");
    EXPECT_EQ(t.Lesen("home/Korvelantrix/FUTURAL.FNT"), "font");
    EXPECT_FALSE(fs::exists(ordner / "unterordner"));
    EXPECT_FALSE(fs::exists(t.pfad() / "home" / "Korvelantrix.neu"));

    // The user's changes and deletions stay; nothing is copied again.
    t.Schreiben("home/Korvelantrix/KONTUR.CNC", "eigenes");
    fs::remove(ordner / "FUTURAL.FNT");
    t.Schreiben("vorlage/NEU.CNC", "neu");
    ASSERT_TRUE(StartordnerEinrichten(ordner.string(), vorlage.string()));
    EXPECT_EQ(t.Lesen("home/Korvelantrix/KONTUR.CNC"), "eigenes");
    EXPECT_FALSE(fs::exists(ordner / "FUTURAL.FNT"));
    EXPECT_FALSE(fs::exists(ordner / "NEU.CNC"));

    // A trailing '/' names the same folder; a missing template gives an
    // empty folder.
    const fs::path leer = t.pfad() / "leer";
    ASSERT_TRUE(StartordnerEinrichten(leer.string() + "/", (t.pfad() / "fehlt").string()));
    EXPECT_TRUE(fs::is_empty(leer));
}

TEST(Startordner, RefusedWhereNoFolderCanBe) {
    test::TempOrdner t;
    t.Schreiben("datei", "x");
    EXPECT_FALSE(StartordnerEinrichten((t.pfad() / "datei").string(), t.pfad().string()));
    EXPECT_EQ(t.Lesen("datei"), "x");
    EXPECT_FALSE(StartordnerEinrichten((t.pfad() / "datei" / "unter").string(), ""));
    EXPECT_FALSE(StartordnerEinrichten("", t.pfad().string()));
}

TEST(Programmaufruf, OwnOptionsAndQtsLeftAlone) {
    const auto a = FensteraufrufLesen(
        {"-platform", "offscreen", "--style=fusion", "--reverse", "--aus-menue"}, true);
    EXPECT_TRUE(a.ausMenue);
    EXPECT_FALSE(a.hilfe);
    EXPECT_EQ(a.unbekannt, "");
    EXPECT_TRUE(FensteraufrufLesen({"--help"}, false).hilfe);
    EXPECT_TRUE(FensteraufrufLesen({"--version"}, false).version);
    // The font viewer has no start folder of its own.
    EXPECT_EQ(FensteraufrufLesen({"--aus-menue"}, false).unbekannt, "--aus-menue");
    EXPECT_EQ(FensteraufrufLesen({"--schnell", "--langsam"}, true).unbekannt, "--schnell");
    EXPECT_NE(FensterHilfe().find("--aus-menue"), std::string::npos);
    EXPECT_NE(SchriftansichtHilfe().find("--version"), std::string::npos);
}

} // namespace
} // namespace korvx::app
