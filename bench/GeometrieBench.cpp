// Throughput of arc interpolation (points per second) and of cutter radius
// compensation (1,000-element contours per second).
#include "anlage/Anlage.h"
#include "geometry/Korrektur.h"
#include "geometry/Kreis.h"
#include "state/StillerBediener.h"
#include "state/Werkzeug.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace korvx {
namespace {

void KreisPunkte(benchmark::State& state) {
    StillerBediener b;
    TKreis kreis;
    KreisSchrittWaehlen(kreis, 1);
    std::int64_t punkte = 0;
    for (auto _ : state) {
        bool fertig = !KreisInitialisieren(kreis, b, kKreisGegenUhrzeigersinn, {60.0, 10.0, 0.0},
                                           60.0, 10.0, -50.0, 0.0);
        while (!fertig) {
            const Kreispunkt p = KreisNaechsterPunkt(kreis, b, "N10", kKreisGegenUhrzeigersinn);
            fertig = p.fertig;
            benchmark::DoNotOptimize(p.erste);
            benchmark::DoNotOptimize(p.zweite);
            ++punkte;
        }
    }
    state.SetItemsProcessed(punkte);
}
BENCHMARK(KreisPunkte);

// A closed wavy contour (convex and concave stretches) of `n` elements, every
// third an arc bulging outwards, run counter-clockwise, with an approach and
// the closing repeat.
TKorrekturListe Stern(int n) {
    constexpr double kPi = 3.14159265358979323846;
    std::vector<TPunkt3D> ecken;
    for (int i = 0; i < n; ++i) {
        const double w = 2 * kPi * i / n;
        const double r = 400.0 + 20.0 * std::sin(7 * w);
        ecken.push_back({r * std::cos(w), r * std::sin(w), 0.0});
    }
    TKorrekturListe liste;
    TPunkt3D aktuell{0.0, 0.0, 0.0};
    KorrekturSatzAnhaengen(liste, kSatzGerade, ecken[0], 0, 0, 0, "N10", aktuell);
    for (int i = 1; i <= n + 1; ++i) {
        const TPunkt3D& a = ecken[(i - 1) % n];
        const TPunkt3D& e = ecken[i % n];
        if (i % 3 == 0) {
            // Centre three chord lengths to the left: a short arc bulging out.
            const double dx = e.x - a.x, dy = e.y - a.y;
            const TPunkt3D m{(a.x + e.x) / 2 - 3 * dy, (a.y + e.y) / 2 + 3 * dx, 0.0};
            KorrekturSatzAnhaengen(liste, kSatzKreisGegenUhr, e, m.x - a.x, m.y - a.y, 0, "N20",
                                   aktuell);
        } else {
            KorrekturSatzAnhaengen(liste, kSatzGerade, e, 0, 0, 0, "N30", aktuell);
        }
    }
    return liste;
}

void Kompensation1000(benchmark::State& state) {
    StillerBediener b;
    Anlage anlage(b, Zahlenformat('.'));
    TWerkzeug werkzeug = KeinWerkzeug();
    werkzeug.Durchmesser = 4.0;
    const TKorrekturListe vorlage = Stern(1000);
    for (auto _ : state) {
        TKorrekturListe programm = vorlage;
        TKorrekturListe korrigiert;
        TPunkt3D aktuell{0.0, 0.0, 0.0};
        const bool ok =
            KorrekturBerechnen(anlage, programm, korrigiert, werkzeug, kKorrekturLinks, aktuell);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(korrigiert.data());
    }
    state.SetItemsProcessed(state.iterations());
    // The contour is meant to be computed without a single message.
    if (b.meldungen != 0) {
        state.SkipWithError("compensation reported a problem");
    }
}
BENCHMARK(Kompensation1000);

} // namespace
} // namespace korvx

BENCHMARK_MAIN();
