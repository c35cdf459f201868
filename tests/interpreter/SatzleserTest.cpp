#include "interpreter/Satzleser.h"
#include "anlage/Anlage.h"
#include "support/FakeBediener.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace korvx {
namespace {

using test::FakeBediener;
using Zeilen = std::vector<std::string>;

std::string Zahl(double w) {
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%.10g", w);
    return puffer;
}

// Records every handler call in order, e.g. "G1", "X-5", "R2=5", "ende".
class Protokoll : public SatzHandler {
public:
    Zeilen aufrufe;
    bool anzeigen = true;
    bool r24Ganz = false;
    bool statusProtokollieren = false;
    std::function<void(const std::string&)> bei;

    void Neu(const std::string& s) {
        aufrufe.push_back(s);
        if (bei) {
            bei(s);
        }
    }
    bool SatzAnzeigen() override { return anzeigen; }
    void GFunktion(std::int32_t n) override { Neu("G" + std::to_string(n)); }
    void MFunktion(std::int32_t n) override { Neu("M" + std::to_string(n)); }
    void Werkzeugwechsel(std::int32_t n) override { Neu("T" + std::to_string(n)); }
    void Satznummer(std::int32_t n) override { Neu("N" + std::to_string(n)); }
    void Vorschub(double f) override { Neu("F" + Zahl(f)); }
    void Spindel(double s) override { Neu("S" + Zahl(s)); }
    void Koordinate(char a, double w) override { Neu(std::string(1, a) + Zahl(w)); }
    void Wert(char a, double w) override { Neu(std::string(1, a) + Zahl(w)); }
    void Parameter(std::int32_t n, double w) override {
        Neu("R" + std::to_string(n) + "=" + Zahl(w));
    }
    void UnbekannterParameter(std::int32_t n) override { Neu("R" + std::to_string(n) + "?"); }
    void Text(const std::string& t) override { Neu("H'" + t + "'"); }
    void Unterprogramm(const std::string& n) override { Neu("L" + n); }
    bool R24Ganzzahlig() override { return r24Ganz; }
    void StatusAuffrischen() override {
        if (statusProtokollieren) {
            Neu("status");
        }
    }
    void Satzende() override { Neu("ende"); }
};

class Satzleser : public ::testing::Test {
protected:
    FakeBediener bediener;
    Anlage anlage{bediener, Zahlenformat(',')};
    Satzwerte werte;
    Protokoll handler;

    SatzErgebnis Lesen(std::string_view satz) { return SatzLesen(satz, werte, handler, anlage); }
    // Scans with a fresh handler and operator; returns the calls and messages.
    std::pair<Zeilen, Zeilen> Frisch(std::string_view satz) {
        handler.aufrufe.clear();
        bediener.Meldungen().clear();
        Lesen(satz);
        return {handler.aufrufe, bediener.Meldungen()};
    }
};

TEST_F(Satzleser, WordsActInOrderAndValuesAreStored) {
    EXPECT_EQ(Lesen("N10 G01 X10Y20Z-5 F0,5 S1500 T2 M3 I1.5 J-2 K3 A4 B5"),
              SatzErgebnis::Ausgefuehrt);
    EXPECT_EQ(handler.aufrufe, (Zeilen{"N10", "G1", "X10", "Y20", "Z-5", "F0.5", "S1500", "T2",
                                       "M3", "I1.5", "J-2", "K3", "A4", "B5", "ende"}));
    EXPECT_TRUE(bediener.Meldungen().empty());
    EXPECT_EQ(bediener.anzeigen[Anzeige::NCSatz],
              "N10 G01 X10Y20Z-5 F0,5 S1500 T2 M3 I1.5 J-2 K3 A4 B5");
    EXPECT_EQ(werte.X, 10.0);
    EXPECT_EQ(werte.Y, 20.0);
    EXPECT_EQ(werte.Z, -5.0);
    EXPECT_EQ(werte.I, 1.5);
    EXPECT_EQ(werte.J, -2.0);
    EXPECT_EQ(werte.B, 5.0);
    EXPECT_TRUE(werte.gegeben.X && werte.gegeben.K && werte.gegeben.A);
    EXPECT_FALSE(werte.gegeben.R1 || werte.gegeben.H || werte.gegeben.L);

    // Values stay for the next block; the given-flags start afresh.
    EXPECT_EQ(Lesen("G01 Y7"), SatzErgebnis::Ausgefuehrt);
    EXPECT_EQ(werte.X, 10.0);
    EXPECT_EQ(werte.I, 1.5);
    EXPECT_FALSE(werte.gegeben.X);
    EXPECT_TRUE(werte.gegeben.Y);
}

TEST_F(Satzleser, IntegerWords) {
    EXPECT_EQ(Frisch("G1").first, (Zeilen{"G1", "ende"}));
    EXPECT_EQ(Frisch("G01").first, (Zeilen{"G1", "ende"}));
    EXPECT_EQ(Frisch("G 01").first, (Zeilen{"G1", "ende"}));
    EXPECT_EQ(Frisch("G170 %100").first, (Zeilen{"G170", "ende"}));
    // Only ten digits count; the rest are read and dropped.
    EXPECT_EQ(Frisch("N12345678901 G0").first, (Zeilen{"N1234567890", "G0", "ende"}));
    EXPECT_EQ(Frisch("N2147483647").first, (Zeilen{"N2147483647", "ende"}));

    // G1.5: G01 is executed, then the point is an unknown character.
    const auto [aufrufe, meldungen] = Frisch("G1.5");
    EXPECT_EQ(aufrufe, (Zeilen{"G1"}));
    EXPECT_EQ(meldungen, (Zeilen{"Unbekanntes Zeichen: \" . \" in G1.5"}));
}

TEST_F(Satzleser, IntegerErrors) {
    // Beyond the 32-bit range: no message of the reader's own.
    auto [aufrufe, meldungen] = Frisch("N10 G2147483648 X5");
    EXPECT_EQ(aufrufe, (Zeilen{"N10"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehler in Satz: N10 G2147483648 X5"}));

    for (const char* satz : {"N10 G", "G-1", "M X5", "%", "T+2"}) {
        std::tie(aufrufe, meldungen) = Frisch(satz);
        const Zeilen erwartet{"Fehlender Zahlenwert!", std::string("Fehler in Satz: ") + satz};
        EXPECT_EQ(meldungen, erwartet) << satz;
        bediener.Meldungen().clear();
        EXPECT_EQ(Lesen(satz), SatzErgebnis::Fehler);
        EXPECT_EQ(bediener.Meldungen(), erwartet) << satz;
    }
}

TEST_F(Satzleser, RealWords) {
    EXPECT_EQ(Frisch("X1,5").first, (Zeilen{"X1.5", "ende"}));
    EXPECT_EQ(Frisch("X 5. Y.5 Z-,25").first, (Zeilen{"X5", "Y0.5", "Z-0.25", "ende"}));
    EXPECT_EQ(Frisch("X123.45678901").first, (Zeilen{"X123.456789", "ende"}));
    EXPECT_EQ(Frisch("X-1234567890123").first, (Zeilen{"X-123456789", "ende"}));

    auto [aufrufe, meldungen] = Frisch("N5 X+5");
    EXPECT_EQ(aufrufe, (Zeilen{"N5"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehlender Zahlenwert!", "Fehler in Satz: N5 X+5"}));

    for (const char* satz : {"X1-2", "X1.2.3", "X-", "X.", "Y--1", "F1,2,3"}) {
        std::tie(aufrufe, meldungen) = Frisch(satz);
        EXPECT_EQ(aufrufe, Zeilen{}) << satz;
        EXPECT_EQ(meldungen, (Zeilen{std::string("Fehler in Satz: ") + satz})) << satz;
    }
    std::tie(aufrufe, meldungen) = Frisch("G01 X");
    EXPECT_EQ(meldungen, (Zeilen{"Fehlender Zahlenwert!", "Fehler in Satz: G01 X"}));
}

TEST_F(Satzleser, ParameterWords) {
    EXPECT_EQ(Frisch("R2=5").first, (Zeilen{"R2=5", "ende"}));
    EXPECT_EQ(Frisch("R2 5").first, (Zeilen{"R2=5", "ende"}));
    EXPECT_EQ(Frisch("R 2:5").first, (Zeilen{"R2=5", "ende"}));
    EXPECT_EQ(Frisch("R1=1 R3=-2,5 R23=0.5 R24=6.5").first,
              (Zeilen{"R1=1", "R3=-2.5", "R23=0.5", "R24=6.5", "ende"}));
    EXPECT_EQ(werte.R3, -2.5);
    EXPECT_TRUE(werte.gegeben.R24);

    // R25 is parameter 25: the block is reported and scanning goes on after 25.
    auto [aufrufe, meldungen] = Frisch("R25 X1");
    EXPECT_EQ(aufrufe, (Zeilen{"R25?", "X1", "ende"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehler in Satz: R25 X1"}));
    // Its value is stepped over, so the block goes on after it.
    std::tie(aufrufe, meldungen) = Frisch("R25=5 X2");
    EXPECT_EQ(aufrufe, (Zeilen{"R25?", "X2", "ende"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehler in Satz: R25=5 X2"}));

    for (const char* satz : {"R2", "R2=", "R=5"}) {
        std::tie(aufrufe, meldungen) = Frisch(satz);
        EXPECT_EQ(meldungen,
                  (Zeilen{"Fehlender Zahlenwert!", std::string("Fehler in Satz: ") + satz}))
            << satz;
    }

    // In bolt-hole mode R24 is a whole number.
    handler.r24Ganz = true;
    EXPECT_EQ(Frisch("R24=6").first, (Zeilen{"R24=6", "ende"}));
    std::tie(aufrufe, meldungen) = Frisch("R24=6.5");
    EXPECT_EQ(aufrufe, (Zeilen{"R24=6"}));
    EXPECT_EQ(meldungen, (Zeilen{"Unbekanntes Zeichen: \" . \" in R24=6.5"}));
    EXPECT_EQ(Frisch("R24=-6").second, (Zeilen{"Fehlender Zahlenwert!", "Fehler in Satz: R24=-6"}));
    EXPECT_EQ(Frisch("R2=-6,5").first, (Zeilen{"R2=-6.5", "ende"}));
}

TEST_F(Satzleser, UnknownCharacters) {
    auto [aufrufe, meldungen] = Frisch("N10 G01 x5");
    EXPECT_EQ(aufrufe, (Zeilen{"N10", "G1"}));
    EXPECT_EQ(meldungen, (Zeilen{"Unbekanntes Zeichen: \" x \" in N10 G01 x5"}));
    EXPECT_EQ(Lesen("N10 G01 x5"), SatzErgebnis::Fehler);

    // Lower case stops at the first letter; so do digits in letter position,
    // tabs, Windows-1252 letters and the letters without a meaning.
    EXPECT_EQ(Frisch("n10 g01").second, (Zeilen{"Unbekanntes Zeichen: \" n \" in n10 g01"}));
    EXPECT_EQ(Frisch("5").second, (Zeilen{"Unbekanntes Zeichen: \" 5 \" in 5"}));
    EXPECT_EQ(Frisch("G0\tX1").second, (Zeilen{"Unbekanntes Zeichen: \" \t \" in G0\tX1"}));
    EXPECT_EQ(Frisch("N1 \xC4").second, (Zeilen{"Unbekanntes Zeichen: \" Ä \" in N1 Ä"}));
    for (char c : std::string("CDEOPQUVW")) {
        const std::string satz = std::string(1, c) + "1";
        EXPECT_EQ(Frisch(satz).second,
                  (Zeilen{"Unbekanntes Zeichen: \" " + std::string(1, c) + " \" in " + satz}));
    }
}

TEST_F(Satzleser, CommentsAndBlankLines) {
    // A comment line is shown but not scanned and has no block end.
    EXPECT_EQ(Lesen("(Bohrung 1 mit X5)"), SatzErgebnis::Kommentar);
    EXPECT_EQ(handler.aufrufe, Zeilen{});
    EXPECT_EQ(bediener.anzeigen[Anzeige::NCSatz], "(Bohrung 1 mit X5)");

    EXPECT_EQ(Frisch("N10 (Bohrung 1) G01 X5").first, (Zeilen{"N10", "G1", "X5", "ende"}));
    EXPECT_EQ(Frisch("N10 (ohne Ende G01 X5").first, (Zeilen{"N10", "ende"}));
    EXPECT_EQ(Frisch("   ").first, (Zeilen{"ende"}));
    EXPECT_EQ(Frisch("").first, (Zeilen{"ende"}));

    auto [aufrufe, meldungen] = Frisch("N10 (");
    EXPECT_EQ(aufrufe, (Zeilen{"N10"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehlender Kommentartext!", "Fehler in Satz: N10 ("}));
}

TEST_F(Satzleser, TextWords) {
    EXPECT_EQ(Frisch("G89 H'Hallo Welt (1)' X5").first,
              (Zeilen{"G89", "H'Hallo Welt (1)'", "X5", "ende"}));
    EXPECT_EQ(werte.H, "Hallo Welt (1)");
    // Everything up to the first apostrophe is passed over.
    EXPECT_EQ(Frisch("H X9 'ab'").first, (Zeilen{"H'ab'", "ende"}));
    EXPECT_EQ(Frisch("H''").first, (Zeilen{"H''", "ende"}));

    werte.H = "alt";
    auto [aufrufe, meldungen] = Frisch("N1 H'offen");
    EXPECT_EQ(aufrufe, (Zeilen{"N1"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehlender Text!", "Fehler in Satz: N1 H'offen"}));
    EXPECT_EQ(werte.H, "");
    EXPECT_EQ(Frisch("H").second, (Zeilen{"Fehlender Text!", "Fehler in Satz: H"}));
    EXPECT_EQ(Frisch("H abc").second, (Zeilen{"Fehlender Text!", "Fehler in Satz: H abc"}));
}

TEST_F(Satzleser, SubprogramNames) {
    EXPECT_EQ(Frisch("N20 L UP 1 (Tasche)").first, (Zeilen{"N20", "LUP1.CNC", "ende"}));
    EXPECT_EQ(werte.L, "UP1.CNC");
    EXPECT_EQ(Frisch("N20 L tasche.nc").first, (Zeilen{"N20", "Ltasche.nc", "ende"}));
    EXPECT_EQ(Frisch("L   (leer)").first, (Zeilen{"L.CNC", "ende"}));
    // The name runs to the end: L must be the block's last word.
    EXPECT_EQ(Frisch("L BOHR X5").first, (Zeilen{"LBOHRX5.CNC", "ende"}));

    const auto [aufrufe, meldungen] = Frisch("N20 L");
    EXPECT_EQ(aufrufe, (Zeilen{"N20"}));
    EXPECT_EQ(meldungen, (Zeilen{"Fehlender Unterprogramm-Name!", "Fehler in Satz: N20 L"}));
}

TEST_F(Satzleser, AfterEachWordStatusThenEventsThenStopThenError) {
    handler.statusProtokollieren = true;
    bediener.beiNachrichten = [&] { handler.aufrufe.push_back("nachrichten"); };
    EXPECT_EQ(Lesen("G0 X1"), SatzErgebnis::Ausgefuehrt);
    EXPECT_EQ(handler.aufrufe, (Zeilen{"G0", "status", "nachrichten", "status", "nachrichten", "X1",
                                       "status", "nachrichten", "ende"}));

    // A stop requested by a word (M30) ends the block right after it.
    handler.aufrufe.clear();
    handler.statusProtokollieren = false;
    bediener.beiNachrichten = nullptr;
    handler.bei = [&](const std::string& s) {
        if (s == "M30") {
            anlage.zustand.stopp.Beenden();
        }
    };
    EXPECT_EQ(Lesen("N90 M30 X5"), SatzErgebnis::Angehalten);
    EXPECT_EQ(handler.aufrufe, (Zeilen{"N90", "M30"}));
    EXPECT_TRUE(bediener.Meldungen().empty());

    // A stop found together with a reader error wins: no "Fehler in Satz".
    anlage.zustand.stopp.Fortsetzen();
    handler.aufrufe.clear();
    bediener.beiNachrichten = [&] { anlage.zustand.stopp.Beenden(); };
    EXPECT_EQ(Lesen("X+1"), SatzErgebnis::Angehalten);
    EXPECT_EQ(bediener.Meldungen(), (Zeilen{"Fehlender Zahlenwert!"}));
}

TEST_F(Satzleser, HandlerMayShowTheBlockItself) {
    handler.anzeigen = false;
    Lesen("N10 G01 X5");
    EXPECT_EQ(bediener.anzeigen.count(Anzeige::NCSatz), 0u);
}

} // namespace
} // namespace korvx
