// "Datei / G-Code importieren…" in the main window, offscreen: the converted
// program is saved beside the source, loaded and summed up in one message; a
// refused file and a declined replacement load and write nothing.
#include "interpreter/Gcodeimport.h"
#include "qtkit/QtText.h"
#include "support/TempOrdner.h"
#include "support/Widgetsuche.h"
#include "ui/FraesMainUnit.h"
#include "ui/Kastenantworter.h"

#include <QAction>
#include <QMenu>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvx::ui {
namespace {

// A small contour as CAM programs write it.
constexpr const char* kKontur = "%\n"
                                "(Kontur)\n"
                                "G17 G21 G90\n"
                                "G0 Z5\n"
                                "G0 X10 Y5\n"
                                "G1 Z-1 F300\n"
                                "G1 X20 Y5\n"
                                "G1 X20 Y15\n"
                                "G0 Z5\n"
                                "M30\n"
                                "%\n";

struct GcodeImportTest : ::testing::Test {
    test::TempOrdner ordner;
    Kastenantworter kasten;
    std::unique_ptr<TFraesForm> fenster = std::make_unique<TFraesForm>();
    Maschinenzustand& z = fenster->anlage().zustand;

    GcodeImportTest() {
        fenster->programmEnde = nullptr;
        fenster->EinstellungenLadenUndAnzeigen(ordner.pfad().string() + "/");
        z.HaftungAkzeptiert = true;
    }

    // Chooses `datei` in the next file dialog and triggers the menu entry.
    void Importieren(const std::string& datei) {
        fenster->dateiwahl = [this, datei](TFraesForm::Dateiwahl art, const std::string&) {
            gewaehlt.push_back(art);
            return std::optional<std::string>(datei);
        };
        test::Kind<QAction>(fenster, "GCodeimportieren1")->trigger();
    }
    // What the converter makes of the text, for comparing with what the window did.
    static rs274::Umsetzung Erwartet(std::string_view text, std::string_view name) {
        rs274::Umsetzoptionen optionen;
        optionen.quellname = std::string(name);
        return rs274::Umsetzen(text, optionen);
    }

    std::vector<TFraesForm::Dateiwahl> gewaehlt;
};

TEST_F(GcodeImportTest, MenuEntrySitsInTheFileMenuWithItsHelpPage) {
    auto* datei = test::Kind<QMenu>(fenster, "Datei1");
    auto* eintrag = test::Kind<QAction>(fenster, "GCodeimportieren1");
    EXPECT_TRUE(datei->actions().contains(eintrag));
    EXPECT_EQ(eintrag->text(), QString::fromUtf8("G-Code importieren…"));
    EXPECT_EQ(eintrag->data().toInt(), 530);

    // Cancelling the file dialog does nothing at all.
    fenster->dateiwahl = [](TFraesForm::Dateiwahl, const std::string&) {
        return std::optional<std::string>();
    };
    eintrag->trigger();
    EXPECT_TRUE(kasten.texte.empty());
    EXPECT_EQ(fenster->Hilfekontext(), 530);
}

TEST_F(GcodeImportTest, RefusedFileShowsItsMessageAndLoadsNothing) {
    ordner.Schreiben("ALT.CNC", "N10 G00 X1\r\nN20 M30\r\n");
    fenster->dateiwahl = [this](TFraesForm::Dateiwahl, const std::string&) {
        return std::optional<std::string>(ordner.Datei("ALT.CNC"));
    };
    fenster->TeileprogrammLaden(false);
    ASSERT_EQ(fenster->anlage().programm.Anzahl(), 2u);

    // Parameters are never converted.
    const std::string quelle = "G21 G90\n#1=5\nG1 X#1 F100\nM30\n";
    ordner.Schreiben("PARAM.ngc", quelle);
    Importieren(ordner.Datei("PARAM.ngc"));
    ASSERT_EQ(gewaehlt.size(), 1u);
    EXPECT_EQ(gewaehlt[0], TFraesForm::Dateiwahl::GCode);
    const rs274::Umsetzung erwartet = Erwartet(quelle, "PARAM.ngc");
    ASSERT_FALSE(erwartet.ok);
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(VonQt(QString::fromStdString(kasten.texte[0])), erwartet.ablehnung);
    // The program in memory and its name stay; no file is written.
    EXPECT_EQ(fenster->anlage().programm.Zeilen(),
              (std::vector<std::string>{"N10 G00 X1", "N20 M30"}));
    EXPECT_EQ(z.konfig.TeileprogrammDatei.Text(), ordner.Datei("ALT.CNC"));
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad() / "PARAM.CNC"));

    // An unreadable choice says so and loads nothing either.
    kasten.texte.clear();
    Importieren(ordner.Datei("FEHLT.ngc"));
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(kasten.texte[0], "Datei " + ordner.Datei("FEHLT.ngc") + " nicht gefunden!");
    EXPECT_EQ(fenster->anlage().programm.Anzahl(), 2u);
}

TEST_F(GcodeImportTest, ConvertedProgramIsSavedLoadedAndSummedUp) {
    ordner.Schreiben("TEIL.ngc", kKontur);
    Importieren(ordner.Datei("TEIL.ngc"));
    const rs274::Umsetzung erwartet = Erwartet(kKontur, "TEIL.ngc");
    ASSERT_TRUE(erwartet.ok) << erwartet.ablehnung;

    // Saved beside the source in CR LF lines, loaded as the part program.
    std::string datei;
    for (const std::string& satz : erwartet.bloecke) {
        datei += satz + "\r\n";
    }
    EXPECT_EQ(ordner.Lesen("TEIL.CNC"), datei);
    EXPECT_EQ(fenster->anlage().programm.Zeilen(), erwartet.bloecke);
    EXPECT_EQ(z.konfig.TeileprogrammDatei.Text(), ordner.Datei("TEIL.CNC"));

    // One message: where it went, the extents in the window's number format,
    // and the notes with their lines.
    ASSERT_EQ(kasten.texte.size(), 1u);
    const std::string& text = kasten.texte[0];
    const std::string anfang = "G-Code TEIL.ngc umgesetzt und als TEIL.CNC gespeichert: " +
                               std::to_string(erwartet.bloecke.size()) + " Sätze.";
    EXPECT_EQ(text.rfind(anfang, 0), 0u) << text;
    const std::string ausdehnung =
        NachQt(AusdehnungText(erwartet.ausdehnung, fenster->anlage().format)).toStdString();
    EXPECT_NE(text.find(ausdehnung), std::string::npos) << text;
    // Up to x 20, y 15 in the window's decimal comma.
    EXPECT_NE(ausdehnung.find("…20,000 Y "), std::string::npos) << ausdehnung;
    EXPECT_NE(ausdehnung.find("…15,000 Z "), std::string::npos) << ausdehnung;
    // The box shows the text's line breaks (CR in the logic) as breaks.
    ASSERT_FALSE(erwartet.hinweise.empty());
    EXPECT_NE(text.find("\n\nHinweise:\nZeile "), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
    for (const rs274::Hinweis& h : erwartet.hinweise) {
        EXPECT_NE(text.find(NachQt(HinweisText(h)).toStdString()), std::string::npos) << text;
    }
}

TEST_F(GcodeImportTest, ExistingProgramIsReplacedOnlyWhenTheOperatorSaysSo) {
    ordner.Schreiben("TEIL.ngc", kKontur);
    const std::string alt = "N10 G00 X1\r\n";
    ordner.Schreiben("TEIL.CNC", alt);

    kasten.antworten = {false};
    Importieren(ordner.Datei("TEIL.ngc"));
    ASSERT_EQ(kasten.texte.size(), 1u);
    EXPECT_EQ(kasten.texte[0],
              "Die Datei " + ordner.Datei("TEIL.CNC") + " besteht schon. Ersetzen?");
    EXPECT_EQ(ordner.Lesen("TEIL.CNC"), alt);
    EXPECT_TRUE(fenster->anlage().programm.Leer());

    kasten.texte.clear();
    Importieren(ordner.Datei("TEIL.ngc"));
    ASSERT_EQ(kasten.texte.size(), 2u);
    EXPECT_NE(ordner.Lesen("TEIL.CNC"), alt);
    // The replaced program is kept as its backup copy.
    EXPECT_EQ(ordner.Lesen("TEIL.BAK"), alt);
    EXPECT_FALSE(fenster->anlage().programm.Leer());
}

} // namespace
} // namespace korvx::ui
