// The progress row of the main window: the feed override by key and button,
// and the block, progress bar, elapsed time and time left during and after a
// simulated run.
#include "qtkit/QtText.h"
#include "tools/Werkzeugliste.h"
#include "ui/FensterFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

namespace korvx::ui {
namespace {

struct FortschrittTest : FensterTest {
    std::vector<std::string> befehle;

    void Taste(int k, Qt::KeyboardModifiers mod = Qt::NoModifier, QObject* ziel = nullptr) {
        QKeyEvent druck(QEvent::KeyPress, k, mod, k == Qt::Key_Plus ? "+" : "-");
        QApplication::sendEvent(ziel != nullptr ? ziel : fenster.get(), &druck);
        QKeyEvent los(QEvent::KeyRelease, k, mod, k == Qt::Key_Plus ? "+" : "-");
        QApplication::sendEvent(ziel != nullptr ? ziel : fenster.get(), &los);
    }
    std::int32_t Prozent() const { return fenster->anlage().lauf.vorschubProzent; }
    int Balken() const { return test::Kind<QProgressBar>(fenster, "FortschrittBalken")->value(); }

    // Six relative moves of 5 mm at 1 m/min in simulation, 315 ms each as
    // estimated, run at half the simulated time.
    void Vorbereiten() {
        Beispiel("FraesWkz.DAT");
        Starten();
        z.konfig.Grafikmodus = Grafikart::Simulation;
        z.SimulationsZeitFaktor = 0.5;
        fenster->Referenzfahren(true);
        ASSERT_TRUE(z.ReferenzAngefahren);
        z.konfig.AktuellesWerkzeug = WkzSuchen(fenster->anlage().werkzeuge, 1);
        ordner.Schreiben("SECHS.CNC",
                         "N10 G91 G01 F1 X5\nN20 X5\nN30 X5\nN40 X5\nN50 X5\nN60 X5\n");
        ProgrammLaden(ordner.Datei("SECHS.CNC"));
        ASSERT_EQ(fenster->anlage().programm.Anzahl(), 6u);
    }
    static std::shared_ptr<const Laufschaetzung> Schaetzung() {
        auto s = std::make_shared<Laufschaetzung>();
        for (std::int64_t i = 0; i <= 6; ++i) {
            s->bisZeile.push_back(315 * i);
            s->vorschubBisZeile.push_back(315 * i);
        }
        return s;
    }
};

TEST_F(FortschrittTest, PlusAndMinusKeysAndButtonsChangeTheOverrideInSteps) {
    Starten();
    EXPECT_EQ(Text("VorschubLabel"), "F 100 %");
    Taste(Qt::Key_Plus);
    EXPECT_EQ(Prozent(), 110);
    EXPECT_EQ(Text("VorschubLabel"), "F 110 %");
    // The number pad's keys act alike.
    Taste(Qt::Key_Minus, Qt::KeypadModifier);
    Taste(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Prozent(), 90);
    Taste(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Prozent(), 100);
    // Ctrl with them zooms the graphic and leaves the feed alone.
    Taste(Qt::Key_Plus, Qt::ControlModifier);
    Taste(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Prozent(), 100);

    auto* mehr = test::Kind<QToolButton>(fenster, "VorschubMehrButton");
    for (int i = 0; i < 15; ++i) {
        QTest::mouseClick(mehr, Qt::LeftButton);
    }
    EXPECT_EQ(Prozent(), 200);
    EXPECT_EQ(Text("VorschubLabel"), "F 200 %");
    auto* weniger = test::Kind<QToolButton>(fenster, "VorschubWenigerButton");
    for (int i = 0; i < 25; ++i) {
        QTest::mouseClick(weniger, Qt::LeftButton);
    }
    EXPECT_EQ(Prozent(), 10);
    EXPECT_EQ(Text("VorschubLabel"), "F 10 %");

    // Another window (the editor, a dialog) keeps its own "+" and "-".
    QLineEdit feld;
    feld.show();
    feld.setFocus();
    Taste(Qt::Key_Plus, Qt::NoModifier, &feld);
    Taste(Qt::Key_Minus, Qt::KeypadModifier, &feld);
    EXPECT_EQ(feld.text(), "+-");
    EXPECT_EQ(Prozent(), 10);
}

TEST_F(FortschrittTest, ARunShowsBlockProgressTimesAndTheOverrideActsOnTheNextMove) {
    Vorbereiten();
    fenster->SchaetzungSetzen(Schaetzung());
    struct Stand {
        QString satz, laufzeit, restzeit;
        int balken;
    };
    std::vector<Stand> staende;
    fenster->anlage().lauf.befehlMelden = [&](const std::string& s) {
        befehle.push_back(s);
        // Half way the operator raises the feed to 150 %.
        if (befehle.size() == 3) {
            for (int i = 0; i < 5; ++i) {
                Taste(Qt::Key_Plus);
            }
        }
        QTest::qWait(10);
        staende.push_back(
            {Text("SatzFortschrittLabel"), Text("LaufzeitLabel"), Text("RestzeitLabel"), Balken()});
    };
    fenster->Automatik(false);
    ASSERT_EQ(fenster->anlage().zustand.stopp.Grund(), Stoppgrund::Ende);
    ASSERT_EQ(befehle.size(), 6u);
    // 1 m/min is 1667 steps/s; at 150 % 2500 from the move after the change.
    EXPECT_EQ(befehle[2], "@0A 500, 1667, 0, 1667, 0, 1667, 0, 1667");
    EXPECT_EQ(befehle[3], "@0A 500, 2500, 0, 2500, 0, 2500, 0, 2500");
    EXPECT_EQ(befehle[5], "@0A 500, 2500, 0, 2500, 0, 2500, 0, 2500");

    // During the run: the block and the time left moved on; the bar grew.
    ASSERT_EQ(staende.size(), 6u);
    EXPECT_TRUE(staende[4].satz.startsWith("Satz ")) << staende[4].satz.toStdString();
    EXPECT_TRUE(staende[4].satz.endsWith(" von 6")) << staende[4].satz.toStdString();
    EXPECT_GT(staende[4].balken, 0);
    EXPECT_LT(staende[4].balken, 1000);
    EXPECT_LE(staende[0].balken, staende[4].balken);
    EXPECT_TRUE(staende[4].laufzeit.startsWith("Laufzeit 0:00:0"));
    EXPECT_TRUE(staende[4].restzeit.startsWith("Restzeit 0:00:0"))
        << staende[4].restzeit.toStdString();
    // Afterwards: done, nothing left.
    EXPECT_EQ(Balken(), 1000);
    EXPECT_EQ(Text("SatzFortschrittLabel"), "Satz 6 von 6");
    EXPECT_EQ(Text("RestzeitLabel"), "Restzeit 0:00:00");
    EXPECT_TRUE(Text("LaufzeitLabel").startsWith("Laufzeit 0:00:0"));
    EXPECT_EQ(Text("VorschubLabel"), "F 150 %");
    // The override is the operator's until changed; it is not stored.
    EXPECT_EQ(Prozent(), 150);
}

TEST_F(FortschrittTest, EveryRunIsEstimatedFirstAndARefusedStartShowsNothing) {
    Vorbereiten();
    // No estimate handed in: the window checks the program before it runs.
    fenster->Automatik(false);
    ASSERT_EQ(fenster->anlage().zustand.stopp.Grund(), Stoppgrund::Ende);
    EXPECT_EQ(Balken(), 1000);
    EXPECT_EQ(Text("RestzeitLabel"), "Restzeit 0:00:00");
    EXPECT_EQ(Text("SatzFortschrittLabel"), "Satz 6 von 6");

    // A start refused for a lost reference leaves the row empty.
    z.ReferenzAngefahren = false;
    fenster->Automatik(false);
    kasten.texte.clear();
    EXPECT_EQ(Balken(), 0);
    EXPECT_TRUE(Text("SatzFortschrittLabel").isEmpty());
    EXPECT_TRUE(Text("LaufzeitLabel").isEmpty());
}

TEST_F(FortschrittTest, BildEinesLaufsMitFortschritt) {
    // The README's picture of a run with its progress: written only when
    // KORVX_BILDER names a folder.
    const char* bilder = std::getenv("KORVX_BILDER");
    if (bilder == nullptr) {
        GTEST_SKIP() << "KORVX_BILDER not set";
    }
    ASSERT_NO_FATAL_FAILURE(SimulationBereit());
    fenster->show();
    fenster->resize(1280, 860);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    // A first run gives the estimate (each move's duration at its line) and
    // the view.
    Laufzustand& l = fenster->anlage().lauf;
    auto schaetzung = std::make_shared<Laufschaetzung>();
    const std::size_t zeilen = fenster->anlage().programm.Anzahl();
    std::vector<std::int64_t> ms(zeilen + 1, 0), vorschub(zeilen + 1, 0);
    l.befehlMelden = [&](const std::string&) {
        const std::size_t i = std::min(l.hauptZeile, zeilen);
        ms[i] += z.Verfahrdauer;
        vorschub[i] += z.EilgangAktiv ? 0 : z.Verfahrdauer;
    };
    fenster->Automatik(false);
    schaetzung->bisZeile.push_back(0);
    schaetzung->vorschubBisZeile.push_back(0);
    for (std::size_t i = 0; i < zeilen; ++i) {
        schaetzung->bisZeile.push_back(schaetzung->bisZeile.back() + ms[i]);
        schaetzung->vorschubBisZeile.push_back(schaetzung->vorschubBisZeile.back() + vorschub[i]);
    }
    fenster->GrafikAnpassen();
    fenster->SchaetzungSetzen(schaetzung);
    z.SimulationsZeitFaktor = 0.2;
    for (int i = 0; i < 2; ++i) {
        fenster->VorschubAendern(1);
    }
    std::size_t zuege = 0;
    l.befehlMelden = [&](const std::string&) {
        if (++zuege == 60) {
            QTest::qWait(1200);
            const QString datei = QString::fromLocal8Bit(bilder) + "/Fortschritt.png";
            EXPECT_TRUE(fenster->grab().save(datei)) << datei.toStdString();
            fenster->AbbruchKnopf();
        }
    };
    fenster->Automatik(false);
}

} // namespace
} // namespace korvx::ui
