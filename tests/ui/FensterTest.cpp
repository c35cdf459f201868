// The main window end to end, offscreen: the disclaimer gate, the status
// lines, keys, the protection zone, and whole runs in "Simulation" and in
// "Parallelgrafik" against korvx-ctlsim, with the real message boxes answered
// by a timer as an operator would.

#include "anlage/Anlage.h"
#include "ctlsim/SimProzess.h"
#include "interpreter/Handbetrieb.h"
#include "machine/SimProtokoll.h"
#include "qtkit/QtText.h"
#include "state/Einstellungsdateien.h"
#include "state/Meldungen.h"
#include "support/FakeBediener.h"
#include "support/Widgetsuche.h"
#include "tools/Werkzeugliste.h"
#include "ui/FensterFixture.h"
#include "ui/Fensterdialoge.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"
#include "ui/Statuszeilen.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace korvx::ui {
namespace {

using namespace std::chrono_literals;

TEST_F(FensterTest, DeclinedDisclaimerEndsBeforeAnythingIsWritten) {
    kasten.antworten = {false};
    fenster->EinstellungenLadenUndAnzeigen(Ordner());
    fenster->Aktivieren();
    ASSERT_GE(kasten.texte.size(), 2u);
    EXPECT_EQ(kasten.texte[kasten.texte.size() - 2],
              "Mit dem Haftungsausschluss bin ich einverstanden!");
    EXPECT_EQ(kasten.texte.back(),
              "Das Programm kann nur nach Verzicht auf jeden Haftungsanspruch gestartet werden!");
    EXPECT_EQ(fenster->Beendet(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(ordner.pfad()));
}

TEST_F(FensterTest, StatusLinesShowNamesPlaneAndSettings) {
    Zahlenformat komma(',');
    Maschinenzustand s;
    s.Interpolationsebene = kEbene3D;
    EXPECT_EQ(Statuszeile1(s), "Teileprogramm:  Zeichensatz:  Interpolationsebene: 3D");
    const std::string zeile2 = Statuszeile2(s, komma);
    EXPECT_EQ(zeile2.rfind("        /        /T0/Vc1,00/1,00/1,00/1,00/F0,00/S750/B0,00/Sz0,0/", 0),
              0u)
        << zeile2;
    EXPECT_TRUE(zeile2.ends_with("/TA/SA"));
    s.konfig.TeileprogrammDatei.Setzen("/home/u/TEIL.CNC");
    s.konfig.ZeichensatzDatei.Setzen("C:\\Fonts\\FUTURAL.FNT");
    s.konfig.Testanzeige = true;
    s.konfig.Schrittbetrieb = true;
    EXPECT_EQ(Statuszeile1(s),
              "Teileprogramm: TEIL.CNC Zeichensatz: FUTURAL.FNT Interpolationsebene: 3D");
    EXPECT_EQ(Statuszeile2(s, komma).rfind("TEIL.CNC/FUTURAL.FNT/T0/", 0), 0u);
    EXPECT_TRUE(Statuszeile2(s, komma).ends_with("/TE/SE"));
}

TEST_F(FensterTest, SimulationRunFromTheWindowDrawsThePath) {
    ASSERT_NO_FATAL_FAILURE(SimulationBereit());
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    ASSERT_FALSE(fenster->anlage().programm.Leer());
    EXPECT_EQ(Text("InfoLabel1").toStdString().rfind("Teileprogramm: KONTUR.CNC Zeichensatz: ", 0),
              0u);
    EXPECT_EQ(Text("InfoLabel2").toStdString().rfind("KONTUR.CNC/        /T1/", 0), 0u);

    fenster->Automatik(false);
    EXPECT_TRUE(fenster->anlage().zustand.stopp.Grund() == Stoppgrund::Ende ||
                fenster->anlage().zustand.stopp.Grund() == Stoppgrund::M30)
        << static_cast<int>(fenster->anlage().zustand.stopp.Grund()) << " "
        << (kasten.texte.empty() ? "" : kasten.texte.back());
    EXPECT_GT(fenster->anlage().lauf.bewegungen, 10);
    EXPECT_FALSE(fenster->Laeuft());
    EXPECT_TRUE(fenster->anlage().grafik.Gezeichnet);
    EXPECT_GT(ZeichnungsPixel(), 200);
    EXPECT_NE(Text("x_EnhEdit"), NachQt(meldung::UnbekanntePosition(fenster->anlage().format)));
    EXPECT_FALSE(Text("NCSatzLabel").isEmpty());
    // The menus are usable again after the run.
    EXPECT_TRUE(test::Kind<QWidget>(fenster, "HauptMenu")->isEnabled());
}

TEST_F(FensterTest, EscWithNothingUnderWayKeepsTheReferenceAndFunctionKeysAct) {
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    // Esc that closed a menu or answered a question: its press and its
    // release reach the window with nothing moving. No stop, no reference lost.
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &druck);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &los);
    EXPECT_FALSE(z.stopp.Abbruch());
    EXPECT_FALSE(z.stopp.Abgebrochen());
    EXPECT_TRUE(z.ReferenzAngefahren);
    z.stopp.SendenSperren(); // as an earlier stop leaves it; F5 must still refuse

    // F5 without a zero point tells so.
    QKeyEvent f5(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &f5);
    ASSERT_FALSE(kasten.texte.empty());
    EXPECT_EQ(kasten.texte.back(),
              "Referenzpunkt nicht angefahren oder Werkzeugnullpunkt nicht gewählt!");

    // Ctrl+S asks, and yes switches step mode on.
    QKeyEvent strgS(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
    QApplication::sendEvent(fenster.get(), &strgS);
    // Ctrl let go before the letter: its release does nothing more.
    QKeyEvent nurS(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &nurS);
    EXPECT_EQ(kasten.texte.back(), "Schrittbetrieb einschalten? (J/N) ");
    EXPECT_TRUE(z.konfig.Schrittbetrieb);
    EXPECT_TRUE(Text("InfoLabel2").endsWith("/SE"));
}

// At F0 the first move of 100 mm would wait minutes even at the fastest
// time factor; Esc ends it at once and status line 1 asks for a reference
// run until one is made.
TEST_F(FensterTest, EscEndsALongSimulatedMoveAtOnceAndTheStatusAsksForAReferenceRun) {
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    ordner.Schreiben("LANG.CNC", "N10 G01 F0 X100\nN20 X0\n");
    ProgrammLaden(ordner.Datei("LANG.CNC"));
    std::chrono::steady_clock::time_point gedrueckt;
    fenster->anlage().lauf.befehlMelden = [&](const std::string&) {
        QTimer::singleShot(200, fenster.get(), [&] {
            gedrueckt = std::chrono::steady_clock::now();
            QKeyEvent druck(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(fenster.get(), &druck);
        });
    };
    fenster->Automatik(false);
    const auto ende = std::chrono::steady_clock::now();
    ASSERT_NE(gedrueckt, std::chrono::steady_clock::time_point());
    EXPECT_LT(ende - gedrueckt, 100ms);
    EXPECT_EQ(fenster->anlage().zustand.stopp.Grund(), Stoppgrund::Notaus);
    EXPECT_EQ(fenster->anlage().lauf.bewegungen, 1);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_TRUE(Text("InfoLabel1").endsWith(" - Notaus: Referenzfahrt erforderlich!"))
        << Text("InfoLabel1").toStdString();

    z.stopp.Freigeben();
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    EXPECT_FALSE(Text("InfoLabel1").contains("Referenzfahrt"));
}

// Closing the window during a run asks; "Nein" goes on, "Ja" makes the
// emergency stop and then ends as "Beenden" does, writing the settings.
TEST_F(FensterTest, ClosingDuringARunAsksAndYesStopsBeforeItEnds) {
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    ordner.Schreiben("LANG.CNC", "N10 G01 F0 X100\nN20 X0\n");
    ProgrammLaden(ordner.Datei("LANG.CNC"));
    kasten.antworten = {false, true};
    int versuche = 0;
    fenster->anlage().lauf.befehlMelden = [&](const std::string&) {
        for (int ms : {100, 300}) {
            QTimer::singleShot(ms, fenster.get(), [&] {
                ++versuche;
                fenster->close();
            });
        }
    };
    fenster->Automatik(false);
    EXPECT_EQ(versuche, 2);
    EXPECT_EQ(kasten.texte,
              (std::vector<std::string>{"Ein Teileprogramm läuft. Wirklich beenden?",
                                        "Ein Teileprogramm läuft. Wirklich beenden?"}));
    EXPECT_EQ(fenster->anlage().zustand.stopp.Grund(), Stoppgrund::Notaus);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(fenster->Beendet(), 0);
    EXPECT_TRUE(std::filesystem::exists(ordner.pfad() / "Korvelantrix.CNF"));
}

TEST_F(FensterTest, ClosingWithNothingUnderWayAsksNothing) {
    Starten();
    fenster->close();
    EXPECT_TRUE(kasten.texte.empty());
    EXPECT_EQ(fenster->Beendet(), 0);
}

TEST_F(FensterTest, F1ShowsTheHelpOfTheHighlightedMenuItemOrTheLastCommand) {
    int gezeigt = 0;
    fenster->haken.hilfe = [&gezeigt](int kontext) { gezeigt = kontext; };
    auto* menue = test::Kind<QMenu>(fenster, "Einrichtebetrieb1");
    ASSERT_NE(menue, nullptr);
    menue->popup(QPoint(0, 0));
    menue->setActiveAction(test::Kind<QAction>(fenster, "Vorschub1"));
    QKeyEvent imMenue(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(menue, &imMenue);
    EXPECT_EQ(gezeigt, 580);
    menue->close();
    fenster->DialogOeffnen(Dialog::Version, 570);
    QKeyEvent imFenster(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &imFenster);
    EXPECT_EQ(gezeigt, 570);
}

// A point form that hands out scripted corners, or cancels.
struct Eckenform : Punkteingabe {
    std::deque<std::optional<TPunkt3D>> ecken;
    bool Punkt(std::uint8_t, TPunkt3D& wert) override {
        auto e = ecken.front();
        ecken.pop_front();
        if (e) {
            wert = *e;
        }
        return e.has_value();
    }
};

TEST_F(FensterTest, CancellingTheSecondZoneCornerKeepsTheWholeOldZone) {
    Starten();
    Eckenform form;
    struct : Tippeingabe {
        bool Tippen(std::uint8_t, Handbetrieb&) override { return false; }
    } tippen;
    fenster->haken.punktform = &form;
    fenster->haken.tippform = &tippen;
    const TPunkt3D altUnten = z.konfig.SchutzzoneMin, altOben = z.konfig.SchutzzoneMax;
    form.ecken = {TPunkt3D{10, 10, 10}, std::nullopt};
    fenster->SchutzzoneSetzen();
    EXPECT_EQ(kasten.texte.back(), "Die alte Schutzzone wird beibehalten!");
    EXPECT_EQ(z.konfig.SchutzzoneMin, altUnten);
    EXPECT_EQ(z.konfig.SchutzzoneMax, altOben);
    form.ecken = {TPunkt3D{10, 10, 10}, TPunkt3D{100, 90, 50}};
    fenster->SchutzzoneSetzen();
    EXPECT_EQ(z.konfig.SchutzzoneMin, (TPunkt3D{10, 10, 10}));
    EXPECT_EQ(z.konfig.SchutzzoneMax, (TPunkt3D{100, 90, 50}));
}

// Chooses tool `nummer` in the window's tool choice dialog as an operator
// would: the number typed into its field, "Übernehmen" clicked.
void WerkzeugWaehlen(TFraesForm& fenster, int nummer) {
    QTimer bediener;
    bediener.setInterval(5);
    QObject::connect(&bediener, &QTimer::timeout, [&bediener, nummer] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* feld = dialog ? dialog->findChild<QLineEdit*>("WkzEdit") : nullptr;
        if (feld == nullptr || !dialog->isVisible()) {
            return;
        }
        bediener.stop();
        feld->setText(QString::number(nummer));
        test::Kind<QPushButton>(dialog, "UebernahmeButton")->click();
    });
    bediener.start();
    fenster.DialogOeffnen(Dialog::Werkzeugwahl, 740);
}

struct Nullpunktform : Punkteingabe {
    bool Punkt(std::uint8_t, TPunkt3D& wert) override {
        wert = {0, 0, 40};
        return true;
    }
};

TEST_F(FensterTest, ToolChoiceMovesTheSpindleByTheLengthDifferenceAndKeepsTheTip) {
    Beispiel("FraesWkz.DAT"); // tool 1 40 mm, tool 2 50 mm long
    Starten();
    Fensterdialoge dialoge(*fenster, "");
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    Anlage& a = fenster->anlage();

    // Before the reference run the tool goes in with no move.
    WerkzeugWaehlen(*fenster, 1);
    ASSERT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    EXPECT_EQ(z.Laengenversatz(), 0.0);

    // At the top of the travel a longer tool cannot go in: the old one stays.
    kasten.texte.clear();
    WerkzeugWaehlen(*fenster, 2);
    ASSERT_FALSE(kasten.texte.empty());
    EXPECT_EQ(kasten.texte.back(), "Der zulässige Bereich wird verlassen!");
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 1);
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_EQ(z.PositionM.z, 65.0);

    // Down to W z -5 below a zero point 40 mm under the top, then tool 2:
    // the spindle rises by 10 mm and the tip stays, as the display shows.
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    Nullpunktform nullpunkt;
    ASSERT_TRUE(NullpunktSetzen(a, nullpunkt));
    struct : Punkteingabe {
        bool Punkt(std::uint8_t, TPunkt3D& wert) override {
            wert = {10, 10, -5};
            return true;
        }
    } ziel;
    ASSERT_TRUE(PunktAnfahren(a, ziel));
    ASSERT_NEAR(z.PositionM.z, 35.0, 1e-9);
    const QString tiefe = Text("z_enhEdit");
    WerkzeugWaehlen(*fenster, 2);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Nummer, 2);
    EXPECT_NEAR(z.PositionM.z, 45.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -5.0, 1e-9);
    EXPECT_EQ(Text("z_enhEdit"), tiefe);
    EXPECT_EQ(Text("ZielLabel"), "Position (W)");
    const QString hinweis = Text("HinweisLabel"); // the spindle's x/y/z
    EXPECT_TRUE(hinweis.endsWith("/45,00") || hinweis.endsWith("/45.00")) << hinweis.toStdString();

    // Back to tool 1: down by 10 mm, the offset is 0 again.
    WerkzeugWaehlen(*fenster, 1);
    EXPECT_NEAR(z.PositionM.z, 35.0, 1e-9);
    EXPECT_NEAR(z.WerkzeugPositionW.z, -5.0, 1e-9);
    EXPECT_EQ(z.Laengenversatz(), 0.0);
    EXPECT_EQ(Text("z_enhEdit"), tiefe);
}

TEST_F(FensterTest, TheToolInUseOfTheSettingsTakesItsListEntryAtStart) {
    Beispiel("FraesWkz.DAT"); // tool 2: "Bohrer 3 mm", 50 mm long
    Maschinenzustand gespeichert;
    gespeichert.KonfigurationZuruecksetzen();
    gespeichert.konfig.AktuellesWerkzeug.Nummer = 2;
    gespeichert.konfig.AktuellesWerkzeug.Benennung.Setzen("alt");
    gespeichert.konfig.AktuellesWerkzeug.Laenge = 45.0;
    test::FakeBediener still;
    ASSERT_TRUE(KonfigurationSpeichern(gespeichert, still, ordner.Datei("Korvelantrix.CNF")));
    Starten();
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Laenge, 50.0);
    EXPECT_EQ(z.konfig.AktuellesWerkzeug.Benennung.Text(), "Bohrer 3 mm");
}

TEST_F(FensterTest, EscDuringAMoveInParallelGraphicStopsAndNothingIsSentAfter) {
    // The axes start near home, so the reference run is short; the move of
    // 10 mm at 0.1 m/min takes 6 s; Esc comes 300 ms after it was sent.
    ctlsim::SimProzess sim(KORVX_CTLSIM,
                           {"--link", ordner.pfad().string(), "--lifetime", "30", "--baud",
                            "1000000", "--start", "50,50,50", "--log", ordner.Datei("ctlsim.log")});
    ASSERT_FALSE(sim.Geraet().empty());
    Starten();
    z.konfig.Grafikmodus = Grafikart::Parallel;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren) << (kasten.texte.empty() ? "" : kasten.texte[0]);
    ordner.Schreiben("LANG.CNC", "N10 G01 F0.1 X10\nN20 X20\n");
    ProgrammLaden(ordner.Datei("LANG.CNC"));
    fenster->anlage().lauf.befehlMelden = [this](const std::string&) {
        QTimer::singleShot(300, fenster.get(), [this] {
            QKeyEvent druck(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(fenster.get(), &druck);
        });
    };
    const auto t0 = std::chrono::steady_clock::now();
    fenster->Automatik(false);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 3s);
    EXPECT_EQ(fenster->anlage().zustand.stopp.Grund(), Stoppgrund::Notaus);
    EXPECT_FALSE(z.ReferenzAngefahren);
    EXPECT_TRUE(fenster->anlage().grafik.Gezeichnet);
    std::this_thread::sleep_for(100ms);
    const auto rx = test::SimEmpfangen(ordner.Datei("ctlsim.log"));
    ASSERT_FALSE(rx.empty());
    EXPECT_EQ(rx.back(), "\\xFF") << "the stop byte is the last thing sent";
    int befehle = 0;
    for (const auto& zeile : rx) {
        befehle += zeile.rfind("@0A", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(befehle, 1);
}

// The smaller faults of the main window: the tool buttons after a run, the
// keys the help documents, and the first file dialogs.
TEST_F(FensterTest, ZeroPointButtonAfterARunOpensTheZeroPointForm) {
    Beispiel("KONTUR.CNC");
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    fenster->show();
    QTest::mouseClick(test::Kind<QWidget>(fenster, "AutomatikToolButton"), Qt::LeftButton);
    ASSERT_TRUE(fenster->anlage().grafik.Gezeichnet);
    Eckenform form;
    struct : Tippeingabe {
        bool Tippen(std::uint8_t, Handbetrieb&) override { return false; }
    } tippen;
    fenster->haken.punktform = &form;
    fenster->haken.tippform = &tippen;
    form.ecken = {TPunkt3D{10, 20, 30}};
    kasten.texte.clear();
    fenster->show();
    auto* knopf = test::Kind<QWidget>(fenster, "W_NullsetzToolButton");
    ASSERT_NE(knopf, nullptr);
    QTest::mouseClick(knopf, Qt::LeftButton);
    EXPECT_TRUE(form.ecken.empty()) << "the zero-point form was opened";
    EXPECT_EQ(z.WerkstueckNullpunkt, (TPunkt3D{10, 20, 30}));
    EXPECT_EQ(kasten.texte, std::vector<std::string>{});
}

TEST_F(FensterTest, TippButtonWithoutZeroPointSaysSoAsF6Does) {
    Starten();
    z.konfig.Grafikmodus = Grafikart::Simulation;
    fenster->Referenzfahren(true);
    struct : Tippeingabe {
        bool Tippen(std::uint8_t, Handbetrieb&) override { return false; }
    } tippen;
    Eckenform form;
    fenster->haken.punktform = &form;
    fenster->haken.tippform = &tippen;
    kasten.texte.clear();
    test::Kind<QAction>(fenster, "WkzanToolButtonAktion")->trigger();
    EXPECT_EQ(kasten.texte,
              std::vector<std::string>{
                  "Referenzpunkt nicht angefahren oder Werkzeugnullpunkt nicht gewählt!"});
}

TEST_F(FensterTest, CtrlSAndCtrlTAskAndShiftF1ShowsOnlyTheKeyOverview) {
    Starten();
    fenster->show();
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    kasten.antworten = {true, true};
    QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(fenster.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(kasten.texte, (std::vector<std::string>{"Schrittbetrieb einschalten? (J/N) ",
                                                      "Testanzeige einschalten? (J/N)"}));
    EXPECT_TRUE(z.konfig.Schrittbetrieb);
    EXPECT_TRUE(z.konfig.Testanzeige);

    std::vector<int> hilfe;
    int hinweise = 0;
    fenster->haken.hilfe = [&hilfe](int kontext) { hilfe.push_back(kontext); };
    fenster->haken.oeffnen[Dialog::Hinweise] = [&hinweise] { ++hinweise; };
    fenster->DialogOeffnen(Dialog::Version, 600);
    QTest::keyClick(fenster.get(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(hinweise, 1);
    EXPECT_TRUE(hilfe.empty());
    QTest::keyClick(fenster.get(), Qt::Key_F1);
    EXPECT_EQ(hilfe, std::vector<int>{600});
    EXPECT_EQ(hinweise, 1);
}

TEST_F(FensterTest, FirstFileDialogsOpenInTheStartFolder) {
    Starten();
    EXPECT_EQ(fenster->DateiwahlOrdner(""), Ordner());
    EXPECT_EQ(fenster->DateiwahlOrdner("/tmp/x/TEIL.CNC"), "/tmp/x/TEIL.CNC");
}

} // namespace
} // namespace korvx::ui
