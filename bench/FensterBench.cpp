// Event latency of the main window while a large program is drawn in
// "Simulation" at the fastest time factor: a 10 ms timer's lateness, its
// maximum and 99th percentile, over a run of BLOECKE blocks (default 100,000).
// Offscreen; prints one line.
//
//     bench_fenster [BLOECKE]
#include "ui/FraesMainUnit.h"
#include "ui/Grafikbild.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Short lines, rapid moves and arcs inside the default protection zone, so the
// simulated moves take well under a millisecond each at the fastest factor:
// the run is as busy as it can be.
std::string Programm(int bloecke) {
    std::string text;
    text.reserve(static_cast<std::size_t>(bloecke) * 32);
    text += "N1 G00 X100 Y100 Z-1 F1.0\n";
    double x = 100.0;
    double y = 100.0;
    for (int n = 2; n < bloecke; ++n) {
        char zeile[96];
        switch (n % 5) {
        case 0: // a half circle of radius 0.25 to the right
            std::snprintf(zeile, sizeof zeile, "N%d G02 X%.3f Y%.3f I0.25 J0\n", n, x + 0.5, y);
            x += 0.5;
            break;
        case 1:
            std::snprintf(zeile, sizeof zeile, "N%d G00 X%.3f Y%.3f\n", n, x, y + 0.3);
            y += 0.3;
            break;
        default:
            x = x > 240.0 ? 60.0 : x + 0.4;
            y = y > 160.0 ? 50.0 : y + 0.1;
            std::snprintf(zeile, sizeof zeile, "N%d G01 X%.3f Y%.3f\n", n, x, y);
            break;
        }
        text += zeile;
    }
    text += "M30\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int bloecke = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;
    QTemporaryDir ordner;
    // Nobody is there to answer a message box: each is reported and closed.
    QTimer kasten;
    QObject::connect(&kasten, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "bench_fenster: %s\n", box->text().toUtf8().constData());
            box->done(QMessageBox::Yes);
        }
    });
    kasten.start(20);

    korvx::ui::TFraesForm fenster;
    fenster.programmEnde = nullptr;
    auto& z = fenster.anlage().zustand;
    fenster.EinstellungenLadenUndAnzeigen(ordner.path().toStdString() + "/");
    z.HaftungAkzeptiert = true;
    z.konfig.Grafikmodus = korvx::Grafikart::Simulation;
    z.SimulationsZeitFaktor = 0.01;
    fenster.show();
    fenster.Referenzfahren(true);
    fenster.anlage().programm = korvx::BlockList::Hauptprogramm(Programm(bloecke));
    z.konfig.TeileprogrammDatei.Setzen(ordner.filePath("BENCH.CNC").toStdString());

    // The timer's lateness: how much later than 10 ms after the last tick each
    // tick came.
    std::vector<double> verspaetung;
    QElapsedTimer uhr;
    QTimer takt;
    takt.setTimerType(Qt::PreciseTimer);
    takt.setInterval(10);
    qint64 letzter = 0;
    QObject::connect(&takt, &QTimer::timeout, [&] {
        const qint64 jetzt = uhr.nsecsElapsed();
        verspaetung.push_back(std::max(0.0, static_cast<double>(jetzt - letzter) / 1e6 - 10.0));
        letzter = jetzt;
    });
    uhr.start();
    takt.start();
    QElapsedTimer dauer;
    dauer.start();
    fenster.Automatik(false);
    const double sekunden = static_cast<double>(dauer.elapsed()) / 1000.0;
    takt.stop();

    if (verspaetung.empty()) {
        std::printf("window: no timer tick during the run\n");
        return 1;
    }
    std::sort(verspaetung.begin(), verspaetung.end());
    const double maximum = verspaetung.back();
    const double p99 =
        verspaetung[static_cast<std::size_t>(0.99 * static_cast<double>(verspaetung.size() - 1))];
    std::printf("window: %d blocks drawn in %.1f s, %d repaints; 10 ms timer late by max %.1f ms, "
                "p99 %.1f ms over %zu ticks (target < 50 ms)\n",
                bloecke, sekunden, fenster.grafik().Neuzeichnungen(), maximum, p99,
                verspaetung.size());
    return maximum < 50.0 ? 0 : 1;
}
