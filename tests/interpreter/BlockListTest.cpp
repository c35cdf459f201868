#include "interpreter/BlockList.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvx {
namespace {

using test::FakeBediener;
using test::TempOrdner;
using Zeilen = std::vector<std::string>;

TEST(BlockList, LineEndsLfCrLfAndLoneCr) {
    EXPECT_EQ(BlockList::Hauptprogramm("N10\r\nN20\nN30\rN40").Zeilen(),
              (Zeilen{"N10", "N20", "N30", "N40"}));
    EXPECT_EQ(BlockList::Hauptprogramm("N10\r\n").Zeilen(), (Zeilen{"N10"}));
    EXPECT_TRUE(BlockList::Hauptprogramm("").Leer());
}

TEST(BlockList, MainProgramDropsEmptyLinesButKeepsBlankOnes) {
    const auto liste = BlockList::Hauptprogramm("N10\r\n\r\n  \n\nN20\n");
    EXPECT_EQ(liste.Zeilen(), (Zeilen{"N10", "  ", "N20"}));
    EXPECT_FALSE(liste.HatSchlusseintrag());
}

TEST(BlockList, SubprogramKeepsEmptyLinesAndEndsWithClosingEntry) {
    const auto liste = BlockList::Unterprogramm("N10\r\n\r\nN20\r\n");
    EXPECT_EQ(liste.Zeilen(), (Zeilen{"N10", "", "N20", ""}));
    EXPECT_TRUE(liste.HatSchlusseintrag());
    EXPECT_EQ(BlockList::Unterprogramm("").Anzahl(), 1u);
}

TEST(BlockList, LinesAreCutTo80CharactersAndKeptAsRead) {
    const std::string lang = "N10 G01 X1" + std::string(70, ' ') + "Y99999" + std::string(14, 'Z');
    ASSERT_EQ(lang.size(), 100u);
    const std::string umlaut = "(Fr\xE4sen \x81"
                               "ber)\tx";
    const auto liste = BlockList::Hauptprogramm(lang + "\r\n" + umlaut + "\n");
    ASSERT_EQ(liste.Anzahl(), 2u);
    EXPECT_EQ(liste.Zeile(0), lang.substr(0, 80));
    EXPECT_EQ(liste.Zeile(1), umlaut);
    EXPECT_EQ(BlockList::Unterprogramm(lang).Zeile(0).size(), 80u);
}

TEST(BlockList, LoadingReportsMissingAndUnreadableFiles) {
    TempOrdner ordner;
    FakeBediener bediener;
    ordner.Schreiben("TEIL.CNC", "N10 G00 X0\r\n\r\nM30\r\n");
    const auto geladen = HauptprogrammLaden(ordner.Datei("TEIL.CNC"), bediener);
    ASSERT_TRUE(geladen);
    EXPECT_EQ(geladen->Zeilen(), (Zeilen{"N10 G00 X0", "M30"}));
    EXPECT_TRUE(bediener.Ereignisse().empty());

    const std::string fehlt = ordner.Datei("FEHLT.CNC");
    EXPECT_FALSE(HauptprogrammLaden(fehlt, bediener));
    // A folder opens but cannot be read as a file.
    std::filesystem::create_directory(ordner.pfad() / "ORDNER.CNC");
    const std::string ordnerPfad = ordner.Datei("ORDNER.CNC");
    EXPECT_FALSE(HauptprogrammLaden(ordnerPfad, bediener));
    EXPECT_EQ(bediener.Meldungen(), (Zeilen{"Datei " + fehlt + " nicht gefunden!",
                                          "Die Datei " + ordnerPfad + " wurde nicht geladen!"}));

    EXPECT_FALSE(UnterprogrammLaden(fehlt));
    const auto up = UnterprogrammLaden(ordner.Datei("TEIL.CNC"));
    ASSERT_TRUE(up);
    EXPECT_EQ(up->Zeilen(), (Zeilen{"N10 G00 X0", "", "M30", ""}));
    EXPECT_EQ(bediener.Meldungen().size(), 2u);
}

TEST(BlockList, CommentLineTest) {
    EXPECT_TRUE(IstKommentarzeile("(Bohrung 1)"));
    EXPECT_TRUE(IstKommentarzeile("()"));
    EXPECT_FALSE(IstKommentarzeile("(a)b)"));
    EXPECT_FALSE(IstKommentarzeile("(offen"));
    EXPECT_FALSE(IstKommentarzeile("("));
    EXPECT_FALSE(IstKommentarzeile(" (eingerueckt)"));
    EXPECT_FALSE(IstKommentarzeile("N10 (Bohrung 1) G01 X5"));
    EXPECT_FALSE(IstKommentarzeile(""));
}

} // namespace
} // namespace korvx
