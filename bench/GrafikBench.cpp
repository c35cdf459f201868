// Drawing speed of the simulation graphic on an 800 × 600 QImage: path
// segments per second in each display mode, and the time to draw the axes.
#include "anlage/Anlage.h"
#include "graphics/Achsen.h"
#include "graphics/Bahn.h"
#include "graphics/qt/BildLeinwand.h"
#include "state/StillerBediener.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace korvx;

void Segmente(benchmark::State& state) {
    const auto modus = static_cast<std::uint8_t>(state.range(0));
    const bool eilgang = state.range(1) != 0;
    StillerBediener bediener;
    Anlage anlage(bediener, Zahlenformat(','));
    BildLeinwand leinwand(800, 600);
    anlage.grafik.bild = &leinwand;
    anlage.grafik.zOben = 0;
    anlage.grafik.zUnten = -10;
    GrafikEinrichten(anlage, true);
    TWerkzeug w;
    w.Durchmesser = 6;
    w.Farbe = 4;
    // Chords of a circle of radius 100 mm in 360 steps, going down 5 mm.
    TPunkt3D alt{100, 0, 0};
    int i = 0;
    for (auto _ : state) {
        ++i;
        const double winkel = (i % 360) * 3.14159265358979 / 180.0;
        const TPunkt3D neu{100 * std::cos(winkel), 100 * std::sin(winkel), -(i % 10) * 0.5};
        BahnZeichnen(anlage, alt, neu, w, anlage.grafik.ErsterPunkt, modus, eilgang);
        alt = neu;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Segmente)
    ->ArgNames({"modus", "eilgang"})
    ->Args({kMittelpunktbahn, 0})
    ->Args({kFraeserbahn, 0})
    ->Args({kFraeserbahnGefuellt, 0})
    ->Args({kMittelpunktbahn, 1});

void Achsen(benchmark::State& state) {
    StillerBediener bediener;
    Anlage anlage(bediener, Zahlenformat(','));
    BildLeinwand leinwand(800, 600);
    anlage.grafik.bild = &leinwand;
    anlage.zustand.konfig.SkalenWeiteX = static_cast<double>(state.range(0));
    anlage.zustand.konfig.SkalenWeiteY = static_cast<double>(state.range(0));
    for (auto _ : state) {
        GrafikEinrichten(anlage, true);
    }
}
BENCHMARK(Achsen)->ArgName("teilung_mm")->Arg(50)->Arg(5)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
