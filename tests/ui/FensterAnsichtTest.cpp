// The main window's program listing and its picture after a run: the listing
// follows the blocks as they run and a click selects the start block.

#include "qtkit/QtText.h"
#include "tools/Werkzeugliste.h"
#include "ui/FensterFixture.h"

#include <QApplication>
#include <QListView>
#include <QString>
#include <QTimer>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace korvx::ui {
namespace {

TEST_F(FensterTest, ProgrammlisteFolgtDemLaufUndWaehltDenAnwahlsatz) {
    ASSERT_NO_FATAL_FAILURE(SimulationBereit());
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    auto* liste = test::Kind<QListView>(fenster, "ProgrammListe");
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
    ASSERT_NO_FATAL_FAILURE(SimulationBereit());
    fenster->show();
    fenster->resize(1280, 860);
    ProgrammLaden(ordner.Datei("KONTUR.CNC"));
    fenster->Automatik(false);
    EXPECT_TRUE(fenster->anlage().zustand.stopp.Grund() == Stoppgrund::Ende ||
                fenster->anlage().zustand.stopp.Grund() == Stoppgrund::M30);
    fenster->GrafikAnpassen();
    fenster->ListeFolgen();
    QApplication::processEvents();
    const QString datei =
        QString::fromLocal8Bit(std::getenv("KORVX_BILDER")) + "/TFraesForm_Lauf.png";
    EXPECT_TRUE(fenster->grab().save(datei)) << datei.toStdString();
}

} // namespace
} // namespace korvx::ui
