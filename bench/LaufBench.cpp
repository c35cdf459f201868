// Dry run of a generated part program in simulation, in-process and without
// any output: what the interpreter, the arc interpolation and building every
// controller command cost per block.
#include "anlage/Anlage.h"
#include "interpreter/Programmlauf.h"
#include "machine/Isel.h"
#include "state/StillerBediener.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

// 60 % G01, 20 % G00, 20 % quarter and half arcs of radius 1 … 20 mm.
std::string Programm(int bloecke) {
    std::mt19937 zufall(1);
    std::uniform_real_distribution<double> schritt(-20.0, 20.0);
    std::uniform_int_distribution<int> radius(1, 20);
    std::uniform_real_distribution<double> wahl(0.0, 1.0);
    double x = 100.0, y = 100.0;
    std::string text = "N1 G00 X100 Y100 Z-1 F1.0\n";
    char zeile[128];
    for (int n = 2; n < bloecke; ++n) {
        const double w = wahl(zufall);
        if (w < 0.8) {
            x = std::min(255.0, std::max(40.0, x + schritt(zufall)));
            y = std::min(165.0, std::max(40.0, y + schritt(zufall)));
            std::snprintf(zeile, sizeof zeile, "N%d %s X%.3f Y%.3f\n", n, w < 0.6 ? "G01" : "G00",
                          x, y);
        } else {
            const double r = radius(zufall);
            // Centre to the right of the start: a clockwise half turn.
            if (x + 2.0 * r > 255.0) {
                x -= 2.0 * r;
                std::snprintf(zeile, sizeof zeile, "N%d G00 X%.3f Y%.3f\n", n, x, y);
            } else {
                std::snprintf(zeile, sizeof zeile, "N%d G02 X%.3f Y%.3f I%.3f J0\n", n, x + 2.0 * r,
                              y, r);
                x += 2.0 * r;
            }
        }
        text += zeile;
    }
    text += "N" + std::to_string(bloecke) + " M30\n";
    return text;
}

void Trockenlauf(benchmark::State& state) {
    const int bloecke = static_cast<int>(state.range(0));
    const korvx::BlockList programm = korvx::BlockList::Hauptprogramm(Programm(bloecke));
    for (auto _ : state) {
        korvx::StillerBediener still;
        korvx::Anlage anlage(still, korvx::Zahlenformat(','));
        anlage.zustand.konfig.Grafikmodus = korvx::Grafikart::Simulation;
        anlage.programm = programm;
        korvx::ReferenzfahrtAusfuehren(anlage);
        korvx::Automatikbetrieb(anlage);
        benchmark::DoNotOptimize(anlage.lauf.bewegungen);
        if (anlage.zustand.stopp.Grund() != korvx::Stoppgrund::M30) {
            state.SkipWithError("the run did not end with M30");
        }
    }
    state.SetItemsProcessed(state.iterations() * bloecke);
}
BENCHMARK(Trockenlauf)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
