// Redrawing the finished picture of a large program: runs the program in
// simulation onto an 800 × 600 image (keeping the drawn path), then times
// drawing it anew after one zoom step in and one out, and reports what the
// kept path holds.
//
//   bench_neuzeichnen PROGRAM.CNC   (made by bench/programm_erzeugen.py)
#include "anlage/Anlage.h"
#include "graphics/Achsen.h"
#include "graphics/Bahn.h"
#include "graphics/qt/BildLeinwand.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/Dateien.h"
#include "state/StillerBediener.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using namespace korvx;
using Uhr = std::chrono::steady_clock;

double Sekunden(Uhr::time_point seit) {
    return std::chrono::duration<double>(Uhr::now() - seit).count();
}

// The window one zoom step (1.25) about its centre.
Weltfenster Gezoomt(const Weltfenster& w, double faktor) {
    const double cx = (w.xmin + w.xmax) / 2.0;
    const double cy = (w.ymin + w.ymax) / 2.0;
    const double hx = (w.xmax - w.xmin) / 2.0 / faktor;
    const double hy = (w.ymax - w.ymin) / 2.0 / faktor;
    return {cx - hx, cy - hy, cx + hx, cy + hy};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "bench_neuzeichnen PROGRAMM.CNC\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    StillerBediener still;
    Anlage anlage(still, Zahlenformat(','));
    const auto inhalt = DateiLesen(argv[1]);
    if (!inhalt) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    anlage.programm = BlockList::Hauptprogramm(
        std::string_view(reinterpret_cast<const char*>(inhalt->data()), inhalt->size()));
    anlage.zustand.konfig.Grafikmodus = Grafikart::Simulation;
    BildLeinwand bild(800, 600);
    anlage.grafik.bild = &bild;
    anlage.grafik.bahnBehalten = true;
    const Uhr::time_point lauf = Uhr::now();
    ReferenzfahrtAusfuehren(anlage);
    Automatikbetrieb(anlage);
    const double laufzeit = Sekunden(lauf);

    const Bahnspeicher& bahn = anlage.grafik.bahn;
    const Weltfenster ganz{-200, -150, 300, 140};
    double schlechteste = 0.0;
    for (const double faktor : {1.25, 1.0 / 1.25}) {
        anlage.grafik.ansicht = Gezoomt(ganz, faktor);
        const Uhr::time_point t = Uhr::now();
        BahnNeuZeichnen(anlage, anlage.zustand.konfig.BahnDarstellung);
        (void)bild.Bild(); // the painter ends, as when the window shows it
        schlechteste = std::max(schlechteste, Sekunden(t));
    }
    std::printf("redraw: %zu blocks run in %.2f s, %lld moves, %zu kept segments, %.1f MB; "
                "redraw after a zoom step at most %.3f s (target <= 0.5 s, <= 200 MB)\n",
                anlage.programm.Anzahl(), laufzeit, static_cast<long long>(anlage.lauf.bewegungen),
                bahn.Segmente().size(), static_cast<double>(bahn.Speicher()) / 1e6, schlechteste);
    return 0;
}
