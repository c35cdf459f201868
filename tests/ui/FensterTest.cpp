// The main window end to end, offscreen: the disclaimer gate, the status
// lines, keys, the protection zone, and whole runs in "Simulation" and in
// "Parallelgrafik" against korvx-ctlsim, with the real message boxes answered
// by a timer as an operator would.
#include "ctlsim/SimProzess.h"
#include "interpreter/Handbetrieb.h"
#include "machine/SimProtokoll.h"
#include "support/TempOrdner.h"
#include "tools/Werkzeugliste.h"
#include "ui/Fensterdialoge.h"
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"
#include "ui/QtText.h"
#include "ui/Statuszeilen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
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

// Answers every modal message box the window opens: records its text and
// presses the next scripted button (Yes/OK when the script is empty).
class Kastenantworter {
public:
    std::vector<std::string> texte;
    std::deque<bool> antworten;

    Kastenantworter() {
        zeit_.setInterval(5);
        QObject::connect(&zeit_, &QTimer::timeout, [this] { Antworten(); });
        zeit_.start();
    }

private:
    void Antworten() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        texte.push_back(box->text().toStdString());
        bool ja = true;
        if (!antworten.empty()) {
            ja = antworten.front();
            antworten.pop_front();
        }
        for (QAbstractButton* knopf : box->buttons()) {
            const auto rolle = box->buttonRole(knopf);
            const bool passt =
                ja ? (rolle == QMessageBox::YesRole || rolle == QMessageBox::AcceptRole)
                   : (rolle == QMessageBox::NoRole || rolle == QMessageBox::RejectRole);
            if (passt) {
                knopf->click();
                return;
            }
        }
        box->buttons().front()->click();
    }
    QTimer zeit_;
};

struct FensterTest : ::testing::Test {
    test::TempOrdner ordner;
    Kastenantworter kasten;
    std::unique_ptr<TFraesForm> fenster = std::make_unique<TFraesForm>();
    Maschinenzustand& z = fenster->anlage().zustand;

    FensterTest() { fenster->programmEnde = nullptr; }

    std::string Ordner() const { return ordner.pfad().string() + "/"; }
    QString Text(const char* name) const {
        if (auto* l = fenster->findChild<QLabel*>(name)) {
            return l->text();
        }
        return fenster->findChild<QLineEdit*>(name)->text();
    }
    void Beispiel(const char* name) const {
        std::filesystem::copy_file(std::filesystem::path(KORVX_BEISPIELE) / name,
                                   ordner.pfad() / name);
    }
    // Start-up as the program makes it, disclaimer accepted.
    void Starten() {
        fenster->EinstellungenLadenUndAnzeigen(Ordner());
        fenster->Aktivieren();
        ASSERT_TRUE(z.HaftungAkzeptiert);
        kasten.texte.clear();
    }
    void ProgrammLaden(const std::string& datei) {
        fenster->dateiwahl = [datei](TFraesForm::Dateiwahl, const std::string&) {
            return std::optional<std::string>(datei);
        };
        fenster->TeileprogrammLaden(false);
    }
    int ZeichnungsPixel() {
        const QImage& bild = fenster->grafik().Leinwand().Bild();
        int n = 0;
        for (int y = 0; y < bild.height(); y += 2) {
            for (int x = 0; x < bild.width(); x += 2) {
                n += bild.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        return n;
    }
};

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
    Beispiel("KONTUR.CNC");
    Beispiel("FraesWkz.DAT");
    Beispiel("BOHRUNG.CNC");
    Starten();
    z.konfig.Grafikmodus = 2;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    z.konfig.AktuellesWerkzeug = WkzSuchen(fenster->anlage().werkzeuge, 1);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    ASSERT_FALSE(fenster->anlage().programm.Leer());
    EXPECT_EQ(Text("InfoLabel1").toStdString().rfind("Teileprogramm: KONTUR.CNC Zeichensatz: ", 0),
              0u);
    EXPECT_EQ(Text("InfoLabel2").toStdString().rfind("KONTUR.CNC/        /T1/", 0), 0u);

    fenster->Automatik(false);
    EXPECT_TRUE(fenster->anlage().lauf.grund == Stoppgrund::Ende ||
                fenster->anlage().lauf.grund == Stoppgrund::M30)
        << static_cast<int>(fenster->anlage().lauf.grund) << " "
        << (kasten.texte.empty() ? "" : kasten.texte.back());
    EXPECT_GT(fenster->anlage().lauf.bewegungen, 10);
    EXPECT_FALSE(fenster->Laeuft());
    EXPECT_TRUE(fenster->anlage().grafik.Gezeichnet);
    EXPECT_GT(ZeichnungsPixel(), 200);
    EXPECT_NE(Text("x_EnhEdit"), "999,99");
    EXPECT_FALSE(Text("NCSatzLabel").isEmpty());
    // The menus are usable again after the run.
    EXPECT_TRUE(fenster->findChild<QWidget*>("HauptMenu")->isEnabled());
}

TEST_F(FensterTest, EscInSimulationStopsWithoutSendingAndFunctionKeysWaitForTheRun) {
    Starten();
    z.konfig.Grafikmodus = 2;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &los);
    EXPECT_TRUE(z.Abbruch);
    EXPECT_TRUE(z.Abgebrochen);

    // F5 without a zero point tells so.
    QKeyEvent f5(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(fenster.get(), &f5);
    ASSERT_FALSE(kasten.texte.empty());
    EXPECT_EQ(kasten.texte.back(),
              "Referenzpunkt nicht angefahren oder Werkzeugnullpunkt nicht gewählt!");

    // Ctrl+S asks, and yes switches step mode on.
    QKeyEvent strgS(QEvent::KeyRelease, Qt::Key_S, Qt::ControlModifier);
    QApplication::sendEvent(fenster.get(), &strgS);
    EXPECT_EQ(kasten.texte.back(), "Schrittbetrieb einschalten? (J/N) ");
    EXPECT_TRUE(z.konfig.Schrittbetrieb);
    EXPECT_TRUE(Text("InfoLabel2").endsWith("/SE"));
}

TEST_F(FensterTest, F1ShowsTheHelpOfTheHighlightedMenuItemOrTheLastCommand) {
    int gezeigt = 0;
    fenster->haken.hilfe = [&gezeigt](int kontext) { gezeigt = kontext; };
    auto* menue = fenster->findChild<QMenu*>("Einrichtebetrieb1");
    ASSERT_NE(menue, nullptr);
    menue->popup(QPoint(0, 0));
    menue->setActiveAction(fenster->findChild<QAction*>("Vorschub1"));
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

TEST_F(FensterTest, EscDuringAMoveInParallelGraphicStopsAndNothingIsSentAfter) {
    // The axes start near home, so the reference run is short; the move of
    // 10 mm at 0.1 m/min takes 6 s; Esc comes 300 ms after it was sent.
    ctlsim::SimProzess sim(KORVX_CTLSIM,
                           {"--link", ordner.pfad().string(), "--lifetime", "30", "--baud",
                            "1000000", "--start", "50,50,50", "--log", ordner.Datei("ctlsim.log")});
    ASSERT_FALSE(sim.Geraet().empty());
    Starten();
    z.konfig.Grafikmodus = 1;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren) << (kasten.texte.empty() ? "" : kasten.texte[0]);
    ordner.Schreiben("LANG.CNC", "N10 G01 F0.1 X10\nN20 X20\n");
    ProgrammLaden(ordner.Datei("LANG.CNC"));
    fenster->anlage().lauf.befehlMelden = [this](const std::string&) {
        QTimer::singleShot(300, fenster.get(), [this] {
            QKeyEvent los(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(fenster.get(), &los);
        });
    };
    const auto t0 = std::chrono::steady_clock::now();
    fenster->Automatik(false);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 3s);
    EXPECT_EQ(fenster->anlage().lauf.grund, Stoppgrund::Notaus);
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

TEST_F(FensterTest, ProgrammlisteFolgtDemLaufUndWaehltDenAnwahlsatz) {
    Beispiel("KONTUR.CNC");
    Beispiel("FraesWkz.DAT");
    Beispiel("BOHRUNG.CNC");
    Starten();
    z.konfig.Grafikmodus = 2;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    ASSERT_TRUE(z.ReferenzAngefahren);
    z.konfig.AktuellesWerkzeug = WkzSuchen(fenster->anlage().werkzeuge, 1);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    auto* liste = fenster->findChild<QListView*>("ProgrammListe");
    ASSERT_NE(liste, nullptr);
    fenster->ListeFolgen();
    // A view over the block list: every block, nothing marked before a run.
    ASSERT_EQ(static_cast<std::size_t>(liste->model()->rowCount()),
              fenster->anlage().programm.Anzahl());
    EXPECT_EQ(liste->model()->index(2, 0).data().toString(),
              NachQt(fenster->anlage().programm.Zeile(2)));

    // A click on a block selects it as the start block while nothing runs.
    const BlockList& programm = fenster->anlage().programm;
    const auto zeileMit = [&](std::string_view anfang) {
        for (std::size_t i = 0; i < programm.Anzahl(); ++i) {
            if (programm.Zeile(i).substr(0, anfang.size()) == anfang) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int n10 = zeileMit("N10 ");
    ASSERT_GE(n10, 1);
    fenster->ListeGeklickt(zeileMit("N40 "));
    EXPECT_EQ(z.Anwahlsatz, 40);
    fenster->ListeGeklickt(n10);
    EXPECT_EQ(z.Anwahlsatz, 10);
    fenster->ListeGeklickt(0); // "%200", where a run from block 1 starts
    EXPECT_EQ(z.Anwahlsatz, 1);
    fenster->ListeGeklickt(zeileMit("N120 "));
    EXPECT_EQ(z.Anwahlsatz, 120);
    fenster->ListeGeklickt(zeileMit("(Kontur")); // a comment line has no number
    EXPECT_EQ(z.Anwahlsatz, 120);
    fenster->ListeGeklickt(0);

    // During the run the marked row follows the blocks.
    std::vector<int> markiert;
    bool unterprogrammGezeigt = false;
    QTimer beobachter;
    beobachter.setInterval(1);
    QObject::connect(&beobachter, &QTimer::timeout, [&] {
        // The subprogram's blocks are listed while it runs.
        unterprogrammGezeigt |=
            liste->model()->rowCount() > 0 &&
            liste->model()->index(0, 0).data().toString() != NachQt(programm.Zeile(0));
        for (int r = 0; r < liste->model()->rowCount(); ++r) {
            if (liste->model()->index(r, 0).data(Qt::BackgroundRole).isValid()) {
                if (markiert.empty() || markiert.back() != r) {
                    markiert.push_back(r);
                }
            }
        }
    });
    beobachter.start();
    fenster->Automatik(false);
    beobachter.stop();
    // Several blocks were marked one after another.
    ASSERT_GE(markiert.size(), 3u);
    EXPECT_GE(markiert.front(), n10);
    EXPECT_TRUE(unterprogrammGezeigt);
    fenster->ListeFolgen();
    for (int r = 0; r < liste->model()->rowCount(); ++r) {
        EXPECT_FALSE(liste->model()->index(r, 0).data(Qt::BackgroundRole).isValid());
    }
}

TEST_F(FensterTest, BildDesHauptfenstersNachEinemLauf) {
    // The README's picture of the main window: written only when
    // KORVX_BILDER names a folder.
    if (std::getenv("KORVX_BILDER") == nullptr) {
        GTEST_SKIP() << "KORVX_BILDER not set";
    }
    Beispiel("KONTUR.CNC");
    Beispiel("FraesWkz.DAT");
    Beispiel("BOHRUNG.CNC");
    Starten();
    z.konfig.Grafikmodus = 2;
    z.SimulationsZeitFaktor = 0.01;
    fenster->Referenzfahren(true);
    z.konfig.AktuellesWerkzeug = WkzSuchen(fenster->anlage().werkzeuge, 1);
    fenster->show();
    fenster->resize(1280, 860);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    fenster->Automatik(false);
    EXPECT_TRUE(fenster->anlage().lauf.grund == Stoppgrund::Ende ||
                fenster->anlage().lauf.grund == Stoppgrund::M30);
    fenster->GrafikAnpassen();
    fenster->ListeFolgen();
    QApplication::processEvents();
    const QString datei =
        QString::fromLocal8Bit(std::getenv("KORVX_BILDER")) + "/TFraesForm_Lauf.png";
    EXPECT_TRUE(fenster->grab().save(datei)) << datei.toStdString();
}

} // namespace
} // namespace korvx::ui
