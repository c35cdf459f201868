#include "state/Einstellungsdateien.h"
#include "state/ByteBild.h"
#include "support/FakeBediener.h"
#include "support/TempOrdner.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace korvx {
namespace {

using test::FakeBediener;
using test::TempOrdner;

class Einstellungsdateien : public ::testing::Test {
protected:
    TempOrdner ordner;
    FakeBediener bediener;
    Maschinenzustand zustand;

    void SetUp() override { zustand.StartVerzeichnis = ordner.pfad().string() + "/"; }

    std::vector<std::uint8_t> Dat(double faktor, std::size_t groesse = 48) {
        std::vector<std::uint8_t> b(groesse, 0);
        ByteSchreiber s(b);
        s.U8(0, 3);
        s.F64(8, 11.0);
        s.F64(16, 22.0);
        s.F64(24, 33.0);
        s.F64(32, faktor);
        s.U8(40, 1);
        b[45] = 0xAB; // an unused byte that must survive a rewrite
        return b;
    }
};

TEST_F(Einstellungsdateien, NoFilesGiveTheResetDefaultsSilently) {
    EinstellungenLaden(zustand, bediener);
    EXPECT_TRUE(bediener.Ereignisse().empty());
    EXPECT_EQ(zustand.konfig.Grafikmodus, Grafikart::Simulation);
    EXPECT_EQ(zustand.konfig.Nachkommastellen, 2);
    EXPECT_EQ(zustand.konfig.EilgangGeschw.z2, 5.0);
    EXPECT_EQ(zustand.konfig.SchutzzoneMax, (TPunkt3D{295.0, 205.0, 65.0}));
    EXPECT_EQ(zustand.konfig.AktuellesWerkzeug.Benennung.Text(), "kein Werkzeug");
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
}

TEST_F(Einstellungsdateien, WrongSizeGivesSizeMessageAndDefaults) {
    for (std::size_t groesse : {1251u, 1253u}) {
        FakeBediener b;
        Maschinenzustand z;
        ordner.Schreiben("Korvelantrix.CNF", std::vector<std::uint8_t>(groesse, 0));
        const std::string pfad = ordner.Datei("Korvelantrix.CNF");
        EXPECT_FALSE(KonfigurationLaden(z, b, pfad));
        ASSERT_EQ(b.Meldungen().size(), 1u);
        EXPECT_EQ(b.Meldungen()[0],
                  "Dateigrößenfehler! Die Konfigurationsdatei " + pfad + " wurde nicht geladen.");
        EXPECT_EQ(z.konfig.Grafikmodus, Grafikart::Simulation);
        EXPECT_EQ(z.konfig.Nachkommastellen, 2);
    }
}

TEST_F(Einstellungsdateien, BlockWithUnusableMachineDataIsRefusedAsAWhole) {
    struct Fall {
        const char* was;
        void (*setzen)(TKonfiguration&);
    };
    const Fall faelle[] = {
        {"pitch 0", [](TKonfiguration& k) { k.Spindelsteigung.y = 0.0; }},
        {"pitch infinite", [](TKonfiguration& k) { k.Spindelsteigung.x = HUGE_VAL; }},
        {"negative steps", [](TKonfiguration& k) { k.SchritteProUmdrehung = -400; }},
        {"step factor 0", [](TKonfiguration& k) { k.Schrittfaktor = 0; }},
        {"length NaN", [](TKonfiguration& k) { k.Spindellaenge.z = std::nan(""); }},
    };
    const std::string pfad = ordner.Datei("Korvelantrix.CNF");
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Maschinenzustand alt;
        alt.konfig.TeileprogrammDatei.Setzen("/tmp/TEIL.CNC");
        alt.konfig.Grafikmodus = Grafikart::Parallel;
        f.setzen(alt.konfig);
        ASSERT_TRUE(KonfigurationSpeichern(alt, bediener, pfad));

        FakeBediener b;
        Maschinenzustand z;
        EXPECT_FALSE(KonfigurationLaden(z, b, pfad));
        ASSERT_EQ(b.Meldungen().size(), 1u);
        EXPECT_EQ(b.Meldungen()[0], "Die Konfigurationsdatei " + pfad +
                                        " enthält unzulässige Maschinendaten und wurde nicht "
                                        "geladen.");
        const TKonfiguration standard;
        EXPECT_EQ(z.konfig.Spindelsteigung, standard.Spindelsteigung);
        EXPECT_EQ(z.konfig.SchritteProUmdrehung, standard.SchritteProUmdrehung);
        EXPECT_EQ(z.konfig.Schrittfaktor, standard.Schrittfaktor);
        EXPECT_EQ(z.konfig.Spindellaenge, standard.Spindellaenge);
        EXPECT_EQ(z.konfig.TeileprogrammDatei.Text(), "");
        EXPECT_EQ(z.konfig.Grafikmodus, Grafikart::Simulation);
        EXPECT_EQ(z.konfig.Nachkommastellen, 2);
    }
}

TEST_F(Einstellungsdateien, SavedBlockLoadsBackWithAnyHeader) {
    zustand.konfig.Spindelsteigung.y = 5.0;
    zustand.konfig.TeileprogrammDatei.Setzen("/tmp/TEIL.CNC");
    zustand.konfig.Konfigurationskennung[0] = 'X';
    const std::string pfad = ordner.Datei("Korvelantrix.CNF");
    ASSERT_TRUE(KonfigurationSpeichern(zustand, bediener, pfad));
    EXPECT_EQ(std::filesystem::file_size(pfad), 1252u);

    Maschinenzustand neu;
    EXPECT_TRUE(KonfigurationLaden(neu, bediener, pfad));
    EXPECT_EQ(neu.konfig, zustand.konfig);
    EXPECT_TRUE(bediener.Ereignisse().empty());
}

TEST_F(Einstellungsdateien, UnreadableFileGivesLoadMessageAndThreeDecimalsThenReset) {
    std::filesystem::create_directory(ordner.pfad() / "Korvelantrix.CNF");
    const std::string pfad = ordner.Datei("Korvelantrix.CNF");
    zustand.HaftungAkzeptiert = true;
    EXPECT_FALSE(KonfigurationLaden(zustand, bediener, pfad));
    ASSERT_EQ(bediener.Meldungen().size(), 1u);
    EXPECT_EQ(bediener.Meldungen()[0], "Die Konfigurationsdatei " + pfad + " wurde nicht geladen!");
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
    // The reset that follows brings the decimals back to 2.
    EXPECT_EQ(zustand.konfig.Nachkommastellen, 2);
    EXPECT_EQ(zustand.konfig.Grafikmodus, Grafikart::Simulation);
}

TEST_F(Einstellungsdateien, DatFactorAndZeroPointRules) {
    struct Fall {
        double gespeichert;
        double erwartet;
    };
    for (const Fall f : {Fall{0.0, 1.0}, Fall{-1.0, 1.0}, Fall{0.01, 0.01}, Fall{0.001, 0.001},
                         Fall{10.0, 10.0}}) {
        Maschinenzustand z;
        ordner.Schreiben("Korvelantrix.DAT", Dat(f.gespeichert));
        DatLaden(z, bediener, ordner.Datei("Korvelantrix.DAT"));
        EXPECT_EQ(z.SimulationsZeitFaktor, f.erwartet);
        EXPECT_EQ(z.Interpolationsebene, 3);
        EXPECT_TRUE(z.HaftungAkzeptiert);
        EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{0.0, 0.0, 0.0}));
    }
    EXPECT_TRUE(bediener.Ereignisse().empty());
}

TEST_F(Einstellungsdateien, DatFactorOutsideItsRangeIsReportedAndBecomesOneToOne) {
    const std::string pfad = ordner.Datei("Korvelantrix.DAT");
    for (const double f : {100.0, 1e9, 0.0009, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
        Maschinenzustand z;
        bediener.Meldungen().clear();
        ordner.Schreiben("Korvelantrix.DAT", Dat(f));
        DatLaden(z, bediener, pfad);
        EXPECT_EQ(z.SimulationsZeitFaktor, 1.0) << f;
        ASSERT_EQ(bediener.Meldungen().size(), 1u) << f;
        EXPECT_EQ(bediener.Meldungen()[0], "Der Simulationszeitfaktor in der Datei " + pfad +
                                               " ist ungültig; es gilt 1 :1.");
        // The rest of the record is taken over as usual.
        EXPECT_TRUE(z.HaftungAkzeptiert);
    }
}

TEST_F(Einstellungsdateien, OldLongDatLoadsFromItsFirst48Bytes) {
    ordner.Schreiben("Korvelantrix.DAT", Dat(10.0, 6144));
    DatLaden(zustand, bediener, ordner.Datei("Korvelantrix.DAT"));
    EXPECT_EQ(zustand.SimulationsZeitFaktor, 10.0);
    EXPECT_TRUE(bediener.Ereignisse().empty());
}

TEST_F(Einstellungsdateien, ShortDatKeepsStartValuesAndSaysSo) {
    auto kurz = Dat(10.0);
    kurz.resize(47);
    ordner.Schreiben("Korvelantrix.DAT", kurz);
    const std::string pfad = ordner.Datei("Korvelantrix.DAT");
    DatLaden(zustand, bediener, pfad);
    ASSERT_EQ(bediener.Meldungen().size(), 1u);
    EXPECT_EQ(bediener.Meldungen()[0], "Die Datei " + pfad + " wurde nicht geladen!");
    EXPECT_EQ(zustand.SimulationsZeitFaktor, 1.0);
    EXPECT_EQ(zustand.Interpolationsebene, 0);
    EXPECT_FALSE(zustand.HaftungAkzeptiert);
}

TEST_F(Einstellungsdateien, DatWriteKeepsUnusedBytesAndDeclineClearsOnlyTheFlag) {
    ordner.Schreiben("Korvelantrix.DAT", Dat(2.0));
    const std::string pfad = ordner.Datei("Korvelantrix.DAT");
    DatLaden(zustand, bediener, pfad);
    zustand.WerkstueckNullpunkt = {1.5, 2.5, -3.5};
    zustand.Interpolationsebene = 1;
    ASSERT_TRUE(DatSpeichern(zustand, bediener, pfad));
    auto inhalt = ordner.Lesen("Korvelantrix.DAT");
    ASSERT_EQ(inhalt.size(), 48u);
    const ByteLeser l(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size()));
    EXPECT_EQ(l.U8(0), 1);
    EXPECT_EQ(l.F64(8), 1.5);
    EXPECT_EQ(l.F64(24), -3.5);
    EXPECT_EQ(l.F64(32), 2.0);
    EXPECT_EQ(l.U8(40), 1);
    EXPECT_EQ(l.U8(45), 0xAB);

    zustand.Interpolationsebene = 2;
    ASSERT_TRUE(DatHaftungAbgelehntSpeichern(zustand, bediener, pfad));
    const auto danach = ordner.Lesen("Korvelantrix.DAT");
    EXPECT_EQ(static_cast<std::uint8_t>(danach[40]), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(danach[0]), 1); // plane not rewritten
}

TEST_F(Einstellungsdateien, FailedWriteReportsBothMessagesAndKeepsTheOldFile) {
    EinstellungenLaden(zustand, bediener);
    ASSERT_TRUE(EinstellungenSpeichern(zustand, bediener));
    const std::string alt = ordner.Lesen("Korvelantrix.CNF");
    // A folder that does not exist: nothing can be created there.
    zustand.StartVerzeichnis = ordner.pfad().string() + "/fehlt/";
    EXPECT_FALSE(EinstellungenSpeichern(zustand, bediener));
    const std::string cnf = zustand.StartVerzeichnis + "Korvelantrix.CNF";
    const std::string dat = zustand.StartVerzeichnis + "Korvelantrix.DAT";
    ASSERT_EQ(bediener.Meldungen().size(), 4u);
    EXPECT_EQ(bediener.Meldungen()[0], "Die Konfigurationsdatei " + cnf + " wurde nicht erzeugt!");
    EXPECT_EQ(bediener.Meldungen()[1], "Fehler beim Speichern der Datei " + cnf + "!");
    EXPECT_EQ(bediener.Meldungen()[2], "Die Datei " + dat + " wurde nicht erzeugt!");
    EXPECT_EQ(bediener.Meldungen()[3], "Fehler beim Speichern der Datei " + dat + "!");
    EXPECT_EQ(ordner.Lesen("Korvelantrix.CNF"), alt);
    // No temporary files are left behind.
    int dateien = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(ordner.pfad())) {
        ++dateien;
    }
    EXPECT_EQ(dateien, 2);
}

TEST_F(Einstellungsdateien, RestartForgetsTheZeroPoint) {
    EinstellungenLaden(zustand, bediener);
    zustand.WerkstueckNullpunkt = {10.0, 20.0, 30.0};
    zustand.HaftungAkzeptiert = true;
    ASSERT_TRUE(EinstellungenSpeichern(zustand, bediener));
    Maschinenzustand neu;
    neu.StartVerzeichnis = zustand.StartVerzeichnis;
    neu.Anwahlsatz = 7;
    EinstellungenLaden(neu, bediener);
    EXPECT_EQ(neu.WerkstueckNullpunkt, (TPunkt3D{0.0, 0.0, 0.0}));
    EXPECT_TRUE(neu.HaftungAkzeptiert);
    EXPECT_EQ(neu.Anwahlsatz, 1);
}

} // namespace
} // namespace korvx
