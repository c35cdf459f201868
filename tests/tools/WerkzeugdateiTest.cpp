#include "tools/Werkzeugdatei.h"
#include "anlage/Anlage.h"
#include "state/Text.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"
#include "tools/Werkzeugliste.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace korvx {
namespace {

std::string Programm() {
    char puffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", puffer, sizeof puffer - 1);
    return NachCp1252(std::string(puffer, static_cast<std::size_t>(n)));
}

std::string Kopf() {
    return Programm() + " - Werkzeugdatei\r\n";
}

// Six lines of one tool as the program writes them (UTF-8 in, file bytes out).
std::string Block(std::string_view nummer, std::string_view name, std::string_view l,
                  std::string_view nl, std::string_view d, std::string_view farbe) {
    const std::string e = "          ";
    return NachCp1252("Werkzeugnummer=" + std::string(nummer) + "\r\n" + e + "Werkzeugbenennung=" +
                      std::string(name) + "\r\n" + e + "Werkzeuglänge=" + std::string(l) + "\r\n" +
                      e + "Werkzeugnutzlänge=" + std::string(nl) + "\r\n" + e +
                      "Werkzeugdurchmesser=" + std::string(d) + "\r\n" + e +
                      "Zeichenfarbe=" + std::string(farbe) + "\r\n");
}

struct Werkzeugdatei : ::testing::Test {
    test::TempOrdner ordner;
    test::FakeBediener b;
    Anlage a{b, Zahlenformat(',')};
    std::string pfad = ordner.Datei("FraesWkz.DAT");

    Werkzeugdatei() { a.zustand.konfig.WerkzeugDatei.Setzen(pfad); }

    void Laden(std::string_view inhalt) {
        ordner.Schreiben("FraesWkz.DAT", inhalt);
        WkzDateiLesen(a);
    }
    std::vector<int> Nummern() const {
        std::vector<int> n;
        for (const auto& w : a.werkzeuge.WkzListe) {
            n.push_back(w.Nummer);
        }
        return n;
    }
};

TEST_F(Werkzeugdatei, SchreibtDasBekannteFormatByteGenau) {
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.DAT"), Kopf());
    TWerkzeug w;
    w.Nummer = 3;
    w.Benennung.Setzen(NachCp1252("Fräser"));
    w.Laenge = 40.0;
    w.Nutzlaenge = 12.5;
    w.Durchmesser = 3.0;
    w.Farbe = 4;
    WkzAnhaengen(b, a.werkzeuge, w);
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.DAT"),
              Kopf() + Block("3", "Fräser", "40,00", "12,50", "3,00", "4"));
}

TEST_F(Werkzeugdatei, RundreiseByteFuerByte) {
    const std::string datei = Kopf() +
                              Block("7", "Gravierstichel 60°", "35,00", "4,00", "0,20", "12") +
                              Block("1", "  Schaftfräser", "1234567,89", "-0,50", "0,50", "0") +
                              Block("255", "x=y", "0,00", "0,00", "0,00", "15");
    Laden(datei);
    ASSERT_EQ(Nummern(), (std::vector<int>{7, 1, 255}));
    EXPECT_EQ(a.werkzeuge.WkzListe[1].Benennung.Text(), NachCp1252("  Schaftfräser"));
    EXPECT_TRUE(b.Meldungen().empty());

    // Unchanged: the file stays as it is and no backup is made.
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.DAT"), datei);
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad() / "FraesWkz.BAK"));

    // Exponent form for values longer than the precision survives too.
    a.zustand.konfig.Anzeigegenauigkeit = 4;
    const std::string kurz = WkzDateiText(a);
    EXPECT_NE(kurz.find("Werkzeugl\xE4nge=1,235E+06\r\n"), std::string::npos);
    Laden(kurz);
    EXPECT_EQ(WkzDateiText(a), kurz);
}

TEST_F(Werkzeugdatei, KommaUndPunktWerdenInJedemGebietsschemaGelesen) {
    const std::string komma = Kopf() + Block("2", "a", "40,25", "10,5", "3,00", "1");
    const std::string punkt = Kopf() + Block("2", "a", "40.25", "10.5", "3.00", "1");
    for (char trenner : {'.', ','}) {
        for (const std::string* datei : {&komma, &punkt}) {
            a.format = Zahlenformat(trenner);
            Laden(*datei);
            ASSERT_EQ(Nummern(), (std::vector<int>{2})) << trenner;
            EXPECT_DOUBLE_EQ(a.werkzeuge.WkzListe[0].Laenge, 40.25);
            EXPECT_DOUBLE_EQ(a.werkzeuge.WkzListe[0].Nutzlaenge, 10.5);
        }
        // Written with the locale's own separator.
        EXPECT_EQ(WkzDateiText(a), trenner == ','
                                       ? Kopf() + Block("2", "a", "40,25", "10,50", "3,00", "1")
                                       : Kopf() + Block("2", "a", "40.25", "10.50", "3.00", "1"));
    }
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(Werkzeugdatei, ZeilenInJederReihenfolgeSchreibweiseUndEinrueckung) {
    Laden(NachCp1252("Kopf\r\n"
                     "   zeichenfarbe=3\r\n"
                     "WERKZEUGLÄNGE=10\r\n"
                     "\tohne Gleichheitszeichen\r\n"
                     "werkzeugnummer=8\n"
                     "        Werkzeugbenennung=Bohrer=lang\r"
                     "Werkzeugdurchmesser=2,5\r\n"
                     "WerkzeugNutzlänge=7\r\n"));
    ASSERT_EQ(Nummern(), (std::vector<int>{8}));
    const auto& w = a.werkzeuge.WkzListe[0];
    EXPECT_EQ(w.Benennung.Text(), "Bohrer=lang");
    EXPECT_DOUBLE_EQ(w.Laenge, 10.0);
    EXPECT_DOUBLE_EQ(w.Nutzlaenge, 7.0);
    EXPECT_DOUBLE_EQ(w.Durchmesser, 2.5);
    EXPECT_EQ(w.Farbe, 3);
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(Werkzeugdatei, FehlendeZeilen) {
    // Only tool without a diameter: 0.0.
    std::string ohneD = Block("1", "a", "1,00", "2,00", "3,00", "4");
    ohneD.erase(ohneD.find("          Werkzeugdurchmesser"), 36);
    Laden(Kopf() + ohneD);
    ASSERT_EQ(Nummern(), (std::vector<int>{1}));
    EXPECT_EQ(a.werkzeuge.WkzListe[0].Durchmesser, 0.0);

    // Among several, the first remaining diameter line is taken.
    Laden(Kopf() + ohneD + Block("2", "b", "1,00", "2,00", "9,00", "4"));
    ASSERT_EQ(Nummern(), (std::vector<int>{1, 2}));
    EXPECT_EQ(a.werkzeuge.WkzListe[0].Durchmesser, 9.0);
    EXPECT_EQ(a.werkzeuge.WkzListe[1].Durchmesser, 0.0);

    // A last tool without colour is missing; the ones before stay.
    std::string ohneFarbe = Block("5", "c", "1,00", "2,00", "3,00", "4");
    ohneFarbe.erase(ohneFarbe.find("          Zeichenfarbe"));
    Laden(Kopf() + Block("2", "b", "1,00", "2,00", "9,00", "4") + ohneFarbe);
    EXPECT_EQ(Nummern(), (std::vector<int>{2}));
    EXPECT_TRUE(b.Meldungen().empty());
}

TEST_F(Werkzeugdatei, LeereLangeUndFehlendeDateien) {
    Laden("");
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());
    EXPECT_TRUE(b.Meldungen().empty());
    // Names are cut to 20 characters.
    Laden(Kopf() + Block("1", "1234567890123456789012345", "1,00", "2,00", "3,00", "0"));
    EXPECT_EQ(WkzDateiText(a),
              Kopf() + Block("1", "12345678901234567890", "1,00", "2,00", "3,00", "0"));

    ::unlink(pfad.c_str());
    WkzDateiLesen(a);
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());
    EXPECT_EQ(b.Meldungen().back(), "Fehler beim Laden der Werkzeugdatei " + pfad + " !");
}

TEST_F(Werkzeugdatei, JederLadefehlerKostetNurSeinWerkzeug) {
    struct Fall {
        int feld;
        std::string meldung;
    };
    const std::vector<Fall> faelle = {
        {0, "Fehler beim Laden  der Werkzeugnummer!"},
        {2, "Fehler beim Laden der Werkrzeuglänge! Werkzeug T2 wird nicht geladen."},
        {3, "Fehler beim Laden der Werkzeugnutzlänge! Werkzeug T2 wird nicht geladen."},
        {4, "Fehler beim Laden  des Werkzeugdurchmessers! Werkzeug T2 wird nicht geladen."},
        {5, "Fehler beim Laden  der Werkzeug-Zeichenfarbe! Werkzeug T2 wird nicht geladen."},
    };
    for (const Fall& f : faelle) {
        std::array<std::string, 6> w = {"2", "b", "1,00", "2,00", "3,00", "4"};
        w[static_cast<std::size_t>(f.feld)] = f.feld == 5 ? "1,5" : "x1";
        b.Meldungen().clear();
        Laden(Kopf() + Block("1", "a", "1,00", "2,00", "3,00", "4") +
              Block(w[0], w[1], w[2], w[3], w[4], w[5]) + Block("3", "c", "1", "2", "3", "4"));
        EXPECT_EQ(Nummern(), (std::vector<int>{1, 3})) << f.meldung;
        EXPECT_EQ(b.Meldungen(), (std::vector<std::string>{f.meldung}));
    }
    // Two bad values in one tool: one message.
    b.Meldungen().clear();
    Laden(Kopf() + Block("7", "b", "x", "2,00", "y", "4") + Block("3", "c", "1", "2", "3", "4"));
    EXPECT_EQ(Nummern(), (std::vector<int>{3}));
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{
                  "Fehler beim Laden der Werkrzeuglänge! Werkzeug T7 wird nicht geladen."}));
}

TEST_F(Werkzeugdatei, NummernUndFarbenAusserhalbDesBereichs) {
    Laden(Kopf() + Block("0", "null", "1", "2", "3", "4") +
          Block("256", "zu gross", "1", "2", "3", "4") + Block("4", "bunt", "1", "2", "3", "16") +
          Block("5", "negativ", "1", "2", "3", "-1") + Block("6", "gut", "1", "2", "3", "15"));
    // Tools without a valid number are skipped; bad colours become black.
    EXPECT_EQ(Nummern(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(a.werkzeuge.WkzListe[0].Farbe, 0);
    EXPECT_EQ(a.werkzeuge.WkzListe[1].Farbe, 0);
    EXPECT_EQ(a.werkzeuge.WkzListe[2].Farbe, 15);
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{"Fehler beim Laden  der Werkzeugnummer!",
                                        "Fehler beim Laden  der Werkzeugnummer!",
                                        "Die Zeichenfarbe wird auf schwarz gesetzt!",
                                        "Die Zeichenfarbe wird auf schwarz gesetzt!"}));
}

TEST_F(Werkzeugdatei, WerkzeugMitNegativemMassWirdUebersprungen) {
    Laden(Kopf() + Block("1", "a", "1,00", "2,00", "3,00", "4") +
          Block("2", "kurz", "-0,50", "2,00", "3,00", "4") +
          Block("3", "c", "1,00", "2,00", "3,00", "4") +
          Block("4", "duenn", "1,00", "2,00", "-3,00", "4") +
          Block("5", "beides", "-1,00", "2,00", "-3,00", "4") +
          Block("0", "null", "-1,00", "2,00", "3,00", "4") +
          Block("6", "rund", "0,00", "0,00", "-0,00", "4"));
    // One message per skipped tool; zero (also "-0,00") is a valid size.
    EXPECT_EQ(Nummern(), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{
                  "Werkzeug T2: negative Länge, das Werkzeug wird nicht geladen!",
                  "Werkzeug T4: negativer Durchmesser, das Werkzeug wird nicht geladen!",
                  "Werkzeug T5: negative Länge, das Werkzeug wird nicht geladen!",
                  "Fehler beim Laden  der Werkzeugnummer!"}));
}

TEST_F(Werkzeugdatei, TeilweiseGeladeneDateiWirdNurNachEinerAenderungErsetzt) {
    const std::string original = Kopf() + Block("1", "a", "1,00", "2,00", "3,00", "4") +
                                 Block("2", "b", "kaputt", "2,00", "3,00", "4") +
                                 Block("3", "c", "1,00", "2,00", "3,00", "4");
    Laden(original);
    EXPECT_EQ(Nummern(), (std::vector<int>{1, 3}));
    EXPECT_EQ(b.Meldungen(),
              (std::vector<std::string>{
                  "Fehler beim Laden der Werkrzeuglänge! Werkzeug T2 wird nicht geladen."}));
    // Unchanged: the file with the entry that could not be read stays.
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.DAT"), original);
    EXPECT_FALSE(std::filesystem::exists(ordner.Datei("FraesWkz.BAK")));

    // Changed by the operator: the original is kept as .BAK, then replaced.
    a.werkzeuge.WkzListe[0].Durchmesser = 6.0;
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.BAK"), original);
    EXPECT_EQ(ordner.Lesen("FraesWkz.DAT"), Kopf() + Block("1", "a", "1,00", "2,00", "6,00", "4") +
                                                Block("3", "c", "1,00", "2,00", "3,00", "4"));

    // A clean file read again is written as usual; an unchanged exit leaves
    // both files alone.
    WkzDateiLesen(a);
    EXPECT_FALSE(a.werkzeuge.beiLesefehler);
    ASSERT_TRUE(WkzDateiSchreiben(a));
    EXPECT_EQ(ordner.Lesen("FraesWkz.BAK"), original);
}

TEST_F(Werkzeugdatei, UnlesbareDateiWirdOhneAenderungNichtUeberschrieben) {
    std::filesystem::create_directory(pfad);
    WkzDateiLesen(a);
    EXPECT_TRUE(a.werkzeuge.WkzListe.empty());
    b.Meldungen().clear();
    EXPECT_TRUE(WkzDateiSchreiben(a));
    EXPECT_TRUE(b.Meldungen().empty());
    EXPECT_TRUE(std::filesystem::is_directory(pfad));
}

TEST_F(Werkzeugdatei, SchreibfehlerWirdGemeldetUndDieAlteDateiBleibt) {
    a.zustand.konfig.WerkzeugDatei.Setzen(ordner.Datei("fehlt/FraesWkz.DAT"));
    EXPECT_FALSE(WkzDateiSchreiben(a));
    EXPECT_EQ(b.Meldungen().back(),
              "Fehler beim Speichern der Datei " + ordner.Datei("fehlt/FraesWkz.DAT") + "!");
}

TEST(WerkzeugBak, NameWirdAmPunktDesDateinamensGeschnitten) {
    EXPECT_EQ(WkzBakName("FraesWkz.DAT"), "FraesWkz.BAK");
    EXPECT_EQ(WkzBakName("/home/cnc.v2/wkz.liste.dat"), "/home/cnc.v2/wkz.BAK");
    EXPECT_EQ(WkzBakName("/home/cnc.v2/Werkzeuge"), "/home/cnc.v2/Werkzeuge.BAK");
    EXPECT_EQ(WkzBakName("alt.BAK"), "alt.BAK.BAK");
}

} // namespace
} // namespace korvx
