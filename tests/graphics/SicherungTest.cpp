#include "graphics/Sicherung.h"
#include "anlage/Anlage.h"
#include "graphics/GrafikDatei.h"
#include "support/AufzeichnungsLeinwand.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvx::test {
namespace {

namespace fs = std::filesystem;

TEST(PfadZerlegen, OrdnerNameErweiterung) {
    auto t = PfadZerlegen("/home/cnc/CNC.V2/TEIL.A.CNC");
    EXPECT_EQ(t.verzeichnis, "/home/cnc/CNC.V2/");
    EXPECT_EQ(t.name, "TEIL");
    EXPECT_EQ(t.erweiterung, ".A.CNC");
    t = PfadZerlegen("TEIL");
    EXPECT_EQ(t.verzeichnis, "");
    EXPECT_EQ(t.name, "TEIL");
    EXPECT_EQ(t.erweiterung, "");
    t = PfadZerlegen("");
    EXPECT_EQ(t.name, "");
}

class Sicherung : public ::testing::Test {
protected:
    TempOrdner ordner;
    FakeBediener bediener;
};

TEST_F(Sicherung, BakBleibtImOrdnerAuchWennDessenNameEinenPunktHat) {
    fs::create_directory(ordner.pfad() / "CNC.V2");
    ordner.Schreiben("CNC.V2/TEIL.CNC", "neu");
    ordner.Schreiben("CNC.V2/TEIL.BAK", "alt");
    EXPECT_TRUE(BakSichern(bediener, ordner.Datei("CNC.V2/TEIL.CNC")));
    EXPECT_EQ(ordner.Lesen("CNC.V2/TEIL.BAK"), "neu");
    EXPECT_EQ(ordner.Lesen("CNC.V2/TEIL.CNC"), "neu"); // the file itself stays
    EXPECT_FALSE(fs::exists(ordner.pfad() / "CNC.BAK"));

    ordner.Schreiben("OHNEPUNKT", "x");
    EXPECT_TRUE(BakSichern(bediener, ordner.Datei("OHNEPUNKT")));
    EXPECT_EQ(ordner.Lesen("OHNEPUNKT.BAK"), "x");

    // A file that is a backup itself is not destroyed by backing it up.
    EXPECT_TRUE(BakSichern(bediener, ordner.Datei("OHNEPUNKT.BAK")));
    EXPECT_EQ(ordner.Lesen("OHNEPUNKT.BAK"), "x");

    EXPECT_TRUE(BakSichern(bediener, ordner.Datei("FEHLT.CNC")));
    EXPECT_FALSE(fs::exists(ordner.pfad() / "FEHLT.BAK"));
    EXPECT_TRUE(bediener.Meldungen().empty());
}

TEST_F(Sicherung, BakFehlerWirdGemeldet) {
    ordner.Schreiben("TEIL.CNC", "x");
    fs::create_directory(ordner.pfad() / "TEIL.BAK");
    ordner.Schreiben("TEIL.BAK/drin", "y"); // a full folder cannot be replaced
    EXPECT_FALSE(BakSichern(bediener, ordner.Datei("TEIL.CNC")));
    EXPECT_EQ(bediener.Meldungen(),
              (std::vector<std::string>{"Fehler beim Anlegen der BAK-Datei!"}));
}

TEST_F(Sicherung, ZeilenSchreibenMitCrLfUndBakKopie) {
    ordner.Schreiben("TEIL.CNC", "N10 G00 X0\r\n");
    const std::vector<std::string> zeilen = {"N10 G01 X5", "", "N20 M30"};
    EXPECT_TRUE(ZeilenSchreiben(bediener, zeilen, ordner.Datei("TEIL.CNC")));
    EXPECT_EQ(ordner.Lesen("TEIL.CNC"), "N10 G01 X5\r\n\r\nN20 M30\r\n");
    EXPECT_EQ(ordner.Lesen("TEIL.BAK"), "N10 G00 X0\r\n");

    EXPECT_TRUE(ZeilenSchreiben(bediener, {}, ordner.Datei("NEU.CNC")));
    EXPECT_EQ(ordner.Lesen("NEU.CNC"), "");
    EXPECT_FALSE(fs::exists(ordner.pfad() / "NEU.BAK"));
}

TEST_F(Sicherung, ZeilenSchreibenMeldetEinenFehlschlag) {
    EXPECT_FALSE(
        ZeilenSchreiben(bediener, std::vector<std::string>{"x"}, ordner.Datei("FEHLT/TEIL.CNC")));
    ASSERT_EQ(bediener.Meldungen().size(), 1u);
    EXPECT_EQ(bediener.Meldungen()[0],
              "Fehler beim Speichern der Datei " + ordner.Datei("FEHLT/TEIL.CNC") + "!");
}

TEST_F(Sicherung, NummernSichernZaehltHochUndHoertBei99Auf) {
    ordner.Schreiben("BILD.BMP", "1");
    EXPECT_TRUE(NummernSichern(bediener, ordner.Datei("BILD.BMP")));
    EXPECT_EQ(ordner.Lesen("BILD.BM1"), "1");
    EXPECT_FALSE(fs::exists(ordner.pfad() / "BILD.BMP"));
    ordner.Schreiben("BILD.BMP", "2");
    EXPECT_TRUE(NummernSichern(bediener, ordner.Datei("BILD.BMP")));
    EXPECT_EQ(ordner.Lesen("BILD.BM2"), "2");

    for (int i = 3; i <= 99; ++i) {
        ordner.Schreiben("BILD.BM" + std::to_string(i), "alt");
    }
    ordner.Schreiben("BILD.BMP", "3");
    EXPECT_FALSE(NummernSichern(bediener, ordner.Datei("BILD.BMP")));
    EXPECT_EQ(
        bediener.Meldungen(),
        (std::vector<std::string>{"Fehler beim Anlegen der Sicherungsdatei: zu viele Dateien!"}));
    EXPECT_EQ(ordner.Lesen("BILD.BMP"), "3");
    EXPECT_FALSE(fs::exists(ordner.pfad() / "BILD.BM100"));

    // No "." in the file name (the folder's does not count).
    fs::create_directory(ordner.pfad() / "A.B");
    ordner.Schreiben("A.B/BILD", "x");
    EXPECT_TRUE(NummernSichern(bediener, ordner.Datei("A.B/BILD")));
    EXPECT_EQ(ordner.Lesen("A.B/BILD.1"), "x");
}

class GrafikDatei : public Sicherung {
protected:
    GrafikDatei() : anlage(bediener, Zahlenformat(',')), vorher(fs::current_path()) {
        fs::current_path(ordner.pfad());
    }
    ~GrafikDatei() override { fs::current_path(vorher); }
    Anlage anlage;
    AufzeichnungsLeinwand bild;
    fs::path vorher;
};

TEST_F(GrafikDatei, NameNachDemTeileprogrammUndFrage) {
    anlage.zustand.konfig.TeileprogrammDatei.Setzen("/home/cnc/CNC.V2/PLATTE.CNC");
    EXPECT_EQ(GrafikDateiname(anlage), "Korvelantrix_Grafik_PLATTE.BMP");
    EXPECT_TRUE(GrafikSpeichern(anlage, bild));
    EXPECT_EQ(bediener.Ereignisse(),
              (std::vector<std::string>{"frage: Speichern der Grafik-Datei unter dem Namen "
                                        "Korvelantrix_Grafik_PLATTE.BMP (J/N)? -> ja"}));
    EXPECT_EQ(ordner.Lesen("Korvelantrix_Grafik_PLATTE.BMP"), "BM");

    // Saving again moves the old picture to a numbered copy.
    ordner.Schreiben("Korvelantrix_Grafik_PLATTE.BMP", "alt");
    EXPECT_TRUE(GrafikSpeichern(anlage, bild));
    EXPECT_EQ(bediener.Ereignisse().size(), 2U);
    EXPECT_EQ(bediener.Ereignisse().back(), bediener.Ereignisse().front());
    EXPECT_EQ(ordner.Lesen("Korvelantrix_Grafik_PLATTE.BM1"), "alt");
    EXPECT_EQ(ordner.Lesen("Korvelantrix_Grafik_PLATTE.BMP"), "BM");

    anlage.zustand.konfig.TeileprogrammDatei.Setzen("");
    EXPECT_EQ(GrafikDateiname(anlage), "Korvelantrix_Grafik_.BMP");
}

TEST_F(GrafikDatei, NeinSpeichertNichts) {
    bediener.antworten = {false};
    EXPECT_FALSE(GrafikSpeichern(anlage, bild));
    EXPECT_FALSE(fs::exists("Korvelantrix_Grafik_.BMP"));
}

TEST_F(GrafikDatei, OhneFreieNummerBleibtDasAlteBild) {
    ordner.Schreiben("Korvelantrix_Grafik_.BMP", "alt");
    for (int i = 1; i <= 99; ++i) {
        ordner.Schreiben("Korvelantrix_Grafik_.BM" + std::to_string(i), "x");
    }
    EXPECT_FALSE(GrafikSpeichern(anlage, bild));
    EXPECT_EQ(
        bediener.Meldungen(),
        (std::vector<std::string>{"Fehler beim Anlegen der Sicherungsdatei: zu viele Dateien!"}));
    EXPECT_EQ(ordner.Lesen("Korvelantrix_Grafik_.BMP"), "alt");
}

} // namespace
} // namespace korvx::test
