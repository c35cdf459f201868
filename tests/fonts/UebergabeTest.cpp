#include "fonts/Zeichensatzuebergabe.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvx {
namespace {

struct Uebergabetest : ::testing::Test {
    test::TempOrdner ordner;
    test::FakeBediener b;
    std::string start = ordner.pfad().string() + "/";

    bool Vorhanden() const { return std::filesystem::exists(ordner.pfad() / "CurrentFont.TMP"); }
};

TEST_F(Uebergabetest, HinUndZurueck) {
    ASSERT_TRUE(UebergabeSchreiben(start, "/fonts/Block.fnt"));
    EXPECT_EQ(ordner.Lesen("CurrentFont.TMP"), "/fonts/Block.fnt\r\r\n");
    std::string name = "alt";
    EXPECT_EQ(UebergabeLesen(b, start, name), Uebergabe::Angenommen);
    EXPECT_EQ(name, "/fonts/Block.fnt");
    EXPECT_FALSE(Vorhanden());
    EXPECT_EQ(UebergabeLesen(b, start, name), Uebergabe::KeineDatei);
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(Uebergabetest, NurNamenAufPunktFnt) {
    for (std::string_view falsch : {"/f/Block.FNT.BAK", "", "/f/Block.FNTX", "/f/a.FNT.fnt"}) {
        ordner.Schreiben("CurrentFont.TMP", std::string(falsch) + "\r\r\n");
        std::string name = "alt";
        EXPECT_EQ(UebergabeLesen(b, start, name), Uebergabe::Abgelehnt) << falsch;
        EXPECT_EQ(name, "alt");
        EXPECT_FALSE(Vorhanden());
    }
    EXPECT_EQ(b.Meldungen().size(), 4u);
    EXPECT_EQ(b.Meldungen()[0], "Fehler bei der Übertragung des Zeichensatznamen!");
}

TEST_F(Uebergabetest, BetrachterGibtNurGeaendertenUndBestaetigtenZurueck) {
    // Outside the main program nothing is handed back.
    EXPECT_FALSE(ZeichensatzZurueckgeben(b, start, false, "N.FNT", "A.FNT"));
    // Unchanged: no question.
    EXPECT_FALSE(ZeichensatzZurueckgeben(b, start, true, "A.FNT", "A.FNT"));
    EXPECT_TRUE(b.Ereignisse().empty());
    EXPECT_FALSE(Vorhanden());

    b.antworten = {false, true};
    EXPECT_FALSE(ZeichensatzZurueckgeben(b, start, true, "N.FNT", "A.FNT"));
    EXPECT_FALSE(Vorhanden());
    EXPECT_TRUE(ZeichensatzZurueckgeben(b, start, true, "N.FNT", "A.FNT"));
    EXPECT_EQ(ordner.Lesen("CurrentFont.TMP"), "N.FNT\r\r\n");
    EXPECT_EQ(b.Ereignisse(), (std::vector<std::string>{"frage: Zeichensatz übernehmen? -> nein",
                                                      "frage: Zeichensatz übernehmen? -> ja"}));
}

} // namespace
} // namespace korvx
