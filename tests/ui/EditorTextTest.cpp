// The editor's text logic on plain strings: renumbering for the program in
// memory, the function-key line commands and the case changes.
#include "ui/EditorText.h"
#include "interpreter/BlockList.h"
#include "state/Meldungen.h"

#include <gtest/gtest.h>

namespace korvx {
namespace {

using meldung::T;

std::vector<std::string> Nummeriert(std::vector<std::string> zeilen) {
    BlockList programm;
    programm.Anhaengen("alt");
    EditorNachProgramm(zeilen, programm);
    return programm.Zeilen();
}

TEST(EditorText, RenumbersBlocksButKeepsRemarksAndProgramNumbers) {
    EXPECT_EQ(Nummeriert({"N10 G00 X0", "(Kontur)", "G01 X5", "", "%1"}),
              (std::vector<std::string>{"N1 G00 X0", "(Kontur)", "N2 G01 X5", "", "%1"}));
    EXPECT_EQ(Nummeriert({"N20 (Bohrung)", "N30", "N 7 G01", "(a) G01"}),
              (std::vector<std::string>{"N20 (Bohrung)", "", "N1 G01", "N2 (a) G01"}));
    EXPECT_TRUE(Nummeriert({}).empty());
    EXPECT_EQ(Nummeriert({"G01 X" + std::string(90, '1')})[0].size(), kSatzLaenge);
}

TEST(EditorText, LinePartsDeleteOrChangeCase) {
    const auto befehl = [](std::string_view zeile, std::size_t spalte, Zeilenteil teil,
                           Zeilenwirkung wirkung) {
        const Zeilenstand s = Zeilenbefehl(zeile, spalte, teil, wirkung);
        return s.zeile + "|" + std::to_string(s.spalte);
    };
    using enum Zeilenteil;
    using enum Zeilenwirkung;
    EXPECT_EQ(befehl("G01X10", 3, AbCaret, Loeschen), "G01|3");
    EXPECT_EQ(befehl("G01X10", 0, AbCaret, Loeschen), "|0");
    EXPECT_EQ(befehl("G01X10", 0, BisCaret, Loeschen), "G01X10|0");
    EXPECT_EQ(befehl("G01X10", 3, BisCaret, Loeschen), "X10|0");
    EXPECT_EQ(befehl("g01x10y5", 3, AbCaret, Gross), "g01X10Y5|3");
    EXPECT_EQ(befehl("G01X10", 4, BisCaret, Klein), "g01x10|4");
    EXPECT_EQ(befehl(T("é x"), 9, Zeile, Gross), T("É X|3")) << "caret past the end";
}

TEST(EditorText, CaseChangesOfThePartsTouchOnlyLettersAndUmlauts) {
    // „ is 0x84 and Ž 0x8E in Windows-1252: they must not be taken for ä and Ä.
    EXPECT_EQ(BuchstabenGross(T("aäöüß„é")), T("AÄÖÜß„é"));
    EXPECT_EQ(BuchstabenKlein(T("AÄÖÜŽÉ")), T("aäöüŽÉ"));
    EXPECT_EQ(GrossCp1252(T("aéšÿßäœ")), T("AÉŠŸßÄŒ"));
    EXPECT_EQ(KleinCp1252(T("AÉŠŸÄ×Ž")), T("aéšÿä×ž"));
}

TEST(EditorText, ModifiersChooseTheEffect) {
    EXPECT_EQ(WirkungDerTaste(false, false, false), Zeilenwirkung::Loeschen);
    EXPECT_EQ(WirkungDerTaste(true, true, false), Zeilenwirkung::Gross);
    EXPECT_EQ(WirkungDerTaste(false, true, false), Zeilenwirkung::Klein);
    EXPECT_FALSE(WirkungDerTaste(true, false, true));
}

TEST(EditorText, TextSplitsIntoLines) {
    EXPECT_EQ(TextZeilen("A\n\nB\n"), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_TRUE(TextZeilen("").empty());
}

} // namespace
} // namespace korvx
