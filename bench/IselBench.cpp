// Round trip of one straight move over a pseudo-terminal against
// korvx-ctlsim at 9600 baud with zero motion time: position query, its
// 19-character reply, the move command and its "0". Reported as the ratio of
// the measured time to the pure line time of those bytes (10 bits per byte);
// the link itself should add at most a fifth.
#include "anlage/Anlage.h"
#include "ctlsim/SimProzess.h"
#include "machine/Isel.h"
#include "machine/SerielleLeitung.h"
#include "state/StillerBediener.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

using namespace korvx;

// An operator nobody watches, on the real clock.
class UhrBediener : public StillerBediener {
public:
    void Meldung(std::string_view text) override {
        std::fprintf(stderr, "Meldung: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    void Warten(std::int32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    std::int64_t Millisekunden() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

void BM_GeradeRundlauf9600(benchmark::State& state) {
    char vorlage[] = "/tmp/korvx-bench-XXXXXX";
    const std::string ordner = mkdtemp(vorlage);
    {
        ctlsim::SimProzess sim(KORVX_CTLSIM, {"--link", ordner, "--lifetime", "600", "--time-scale",
                                              "0", "--baud", "9600"});
        UhrBediener b;
        Anlage a(b, Zahlenformat(','));
        TSerial serial(ordner);
        SerielleLeitung leitung(serial);
        a.maschine.leitung = &leitung;
        a.zustand.konfig.Grafikmodus = Grafikart::Aus;
        ReferenzfahrtAusfuehren(a);
        if (!a.zustand.ReferenzAngefahren) {
            state.SkipWithError("reference run failed");
            return;
        }
        const std::string hin =
            FahrBefehlBilden(a.zustand, {true, true, false, false}, {1, 1, 0, 0}, {1, 1, 1, 1});
        const std::string zurueck =
            FahrBefehlBilden(a.zustand, {true, true, false, false}, {-1, -1, 0, 0}, {1, 1, 1, 1});
        const double bytes = 4 + 19 + static_cast<double>(hin.size()) + 2 + 1;
        const double leitungszeit = bytes * 10.0 / 9600.0;

        bool vor = true;
        std::int64_t n = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (auto _ : state) {
            TPunkt3D p;
            bool ok = false;
            if (!PositionAbfragen(a, p)) {
                state.SkipWithError("position query failed");
                break;
            }
            ok = BefehlSenden(a, vor ? hin : zurueck, 0);
            if (!ok) {
                state.SkipWithError("move failed");
                break;
            }
            vor = !vor;
            ++n;
        }
        const double proFahrt =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() /
            static_cast<double>(std::max<std::int64_t>(1, n));
        state.counters["line_ms"] = leitungszeit * 1000.0;
        state.counters["ratio_to_line_time"] = proFahrt / leitungszeit;
        std::printf(
            "straight-move round trip: %.2f ms, line time %.2f ms, ratio %.3f (target <= 1.2)\n",
            proFahrt * 1000.0, leitungszeit * 1000.0, proFahrt / leitungszeit);
    }
    std::filesystem::remove_all(ordner);
}
BENCHMARK(BM_GeradeRundlauf9600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

} // namespace

BENCHMARK_MAIN();
