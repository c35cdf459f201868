#include "ui/Hilfe.h"
#include "state/Programmversion.h"
#include "ui/Fensterdialoge.h"
#include "ui/FraesMainUnit.h"
#include "ui/Version.h"

#include "support/Widgetsuche.h"
#include <QFile>
#include <QLabel>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <utime.h>

namespace korvx {
namespace {

TEST(Hilfe, EveryContextNumberHasItsOwnPage) {
    const int kontexte[] = {100, 150, 152, 155, 160, 190, 220, 240, 270, 275, 320,
                            325, 355, 370, 390, 400, 420, 460, 500, 520, 530, 540,
                            560, 570, 580, 600, 620, 680, 720, 740, 760};
    const QString index = THilfeFenster::Inhaltsseite();
    for (const int n : kontexte) {
        const QString seite = THilfeFenster::Seite(n);
        EXPECT_NE(seite, index) << n;
        QFile f(seite);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << n;
        // Every page is reachable from the index.
        QFile i(index);
        ASSERT_TRUE(i.open(QIODevice::ReadOnly));
        EXPECT_TRUE(i.readAll().contains(QString("href=\"%1.html\"").arg(n).toUtf8())) << n;
    }
    EXPECT_EQ(THilfeFenster::Seite(0), index);
    EXPECT_EQ(THilfeFenster::Seite(151), index);

    THilfeFenster fenster;
    fenster.Zeigen(500);
    auto* browser = test::Kind<QTextBrowser>(fenster, "HilfeBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(fenster.windowTitle(), "Korvelantrix-Hilfe");
    EXPECT_EQ(browser->documentTitle(), "Serielle Schnittstelle");
    fenster.Zeigen(9999);
    EXPECT_EQ(browser->documentTitle(), "Korvelantrix-Hilfe");
}

TEST(Version, LineFromTheProgramFilesDate) {
    const auto pfad = std::filesystem::temp_directory_path() / "korvx_versionstest";
    std::ofstream(pfad) << "x";
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    const utimbuf zeiten{std::mktime(&t), std::mktime(&t)};
    ASSERT_EQ(utime(pfad.c_str(), &zeiten), 0);
    EXPECT_EQ(VersionsZeile(pfad.string()), "Version 26.12.08");
    std::filesystem::remove(pfad);
    EXPECT_EQ(VersionsZeile(pfad.string()), "Version unbekannt");

    TVersionForm form("Version 26.12.08");
    EXPECT_EQ(form.windowTitle(), "Version");
    EXPECT_EQ(test::Kind<QLabel>(form, "VersionLabel")->text(), "Version 26.12.08");
}

// The version and about boxes of the window show the package version, the
// one every program prints for --version.
TEST(Version, BoxesShowThePackageVersion) {
    ui::TFraesForm fenster;
    ui::Fensterdialoge dialoge(fenster, {});
    const QString erwartet = QString("Version ") + Programmversion();
    ASSERT_FALSE(std::string(Programmversion()).empty());
    auto* version = fenster.findChild<TVersionForm*>();
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(test::Kind<QLabel>(version, "VersionLabel")->text(), erwartet);
    auto* autor = fenster.findChild<TAutorForm*>();
    ASSERT_NE(autor, nullptr);
    EXPECT_EQ(test::Kind<QLabel>(autor, "VersionLabel")->text(), erwartet);
    EXPECT_EQ(VersionsAusgabe("korvx-run"), std::string("korvx-run ") + Programmversion() + "\n");
}

} // namespace
} // namespace korvx
