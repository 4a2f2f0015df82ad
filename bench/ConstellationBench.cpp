// Cost of the Constellation screen's passes: the full diagram, the F1 band repaints, a full More
// pass.
#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <numbers>

#include "BenchEntries.h"
#include "BenchPass.h"
#include "render/ConstellationScreen.h"

namespace {

using quorvel::ConstellationEntry;
using quorvel::DvbType;
using quorvel::Language;

using Area = std::vector<quorvel::IntRect>;
const Area& kFullScreen = quorvel::bench::kWholeArea;
// What F1 invalidates.
const Area kBand{quorvel::constellation::kMoreBand};

const quorvel::bench::ConstellationBytes& BusyEntry() {
    static const quorvel::bench::ConstellationBytes bytes = quorvel::bench::BusyConstellation();
    return bytes;
}

void Paint(QImage& screen, const Area& area, bool showMore) {
    quorvel::bench::PaintPass(screen, area, [showMore](quorvel::Canvas& canvas) {
        quorvel::DrawConstellation(canvas, ConstellationEntry(BusyEntry()), Language::English,
                                   DvbType::Satellite, showMore);
    });
}

void RunPasses(benchmark::State& state, const Area& area, bool showMore) {
    QImage screen = quorvel::NewScreenImage();
    for (auto _ : state) {
        Paint(screen, area, showMore);
        benchmark::DoNotOptimize(screen.constBits());
        benchmark::ClobberMemory();
    }
}

// A band repaint, timed next to a full diagram pass in every iteration: both are bound by
// memory bandwidth, which drifts on a shared machine between one benchmark and the next, so
// their ratio is only steady when they are measured side by side. The reported time is the
// band's; the counter `per_diagram_pass` is the band's time over the full passes' time.
void RunBandBesidePass(benchmark::State& state, bool showMore) {
    using Clock = std::chrono::steady_clock;
    QImage screen = quorvel::NewScreenImage();
    Clock::duration bands{};
    Clock::duration passes{};
    for (auto _ : state) {
        const auto start = Clock::now();
        Paint(screen, kBand, showMore);
        benchmark::ClobberMemory();
        const auto bandEnd = Clock::now();
        Paint(screen, kFullScreen, false);
        benchmark::ClobberMemory();
        passes += Clock::now() - bandEnd;
        bands += bandEnd - start;
        state.SetIterationTime(std::chrono::duration<double>(bandEnd - start).count());
    }
    state.counters["per_diagram_pass"] =
        std::chrono::duration<double>(bands) / std::chrono::duration<double>(passes);
}

void BM_ConstellationDiagramPass(benchmark::State& state) {
    RunPasses(state, kFullScreen, false);
}
BENCHMARK(BM_ConstellationDiagramPass);

// F1 into the More view: only the band is repainted.
void BM_ConstellationMoreBand(benchmark::State& state) {
    RunBandBesidePass(state, true);
}
BENCHMARK(BM_ConstellationMoreBand)->UseManualTime();

// F1 back to the diagram view: the band again, now with the points in it.
void BM_ConstellationDiagramBand(benchmark::State& state) {
    RunBandBesidePass(state, false);
}
BENCHMARK(BM_ConstellationDiagramBand)->UseManualTime();

// A full repaint while the More view is on: the diagram view first, then the band.
void BM_ConstellationMorePass(benchmark::State& state) {
    RunPasses(state, kFullScreen, true);
}
BENCHMARK(BM_ConstellationMorePass);

}  // namespace
