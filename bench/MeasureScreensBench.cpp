// Cost of one full pass of each Measure-family screen into the 1280 by 720 screen image.
#include <benchmark/benchmark.h>

#include <QImage>

#include "BenchEntries.h"
#include "BenchPass.h"
#include "render/MeasureScreen.h"
#include "render/SatelliteFindingScreen.h"
#include "render/ScreenPainter.h"

namespace {

using quorvel::DvbType;
using quorvel::Canvas;
using quorvel::Language;
using quorvel::MeasureEntry;

template <class Draw>
void RunFullPasses(benchmark::State& state, DvbType family, Draw draw) {
    QImage screen = quorvel::NewScreenImage();
    const quorvel::bench::MeasureBytes bytes = quorvel::bench::BusyMeasure(family);
    const MeasureEntry entry(bytes);
    for (auto _ : state) {
        quorvel::bench::PaintPass(screen, quorvel::bench::kWholeArea,
                                  [&](Canvas& canvas) { draw(canvas, entry); });
        benchmark::DoNotOptimize(screen.constBits());
        benchmark::ClobberMemory();
    }
}

void BM_SatelliteFindingPass(benchmark::State& state) {
    RunFullPasses(state, DvbType::Satellite, [](Canvas& canvas, const MeasureEntry& entry) {
        quorvel::DrawSatelliteFinding(canvas, entry, Language::English);
    });
}
BENCHMARK(BM_SatelliteFindingPass);

void BM_TerrestrialMeasurePass(benchmark::State& state) {
    RunFullPasses(state, DvbType::Terrestrial, [](Canvas& canvas, const MeasureEntry& entry) {
        quorvel::DrawMeasure(canvas, entry, Language::English, DvbType::Terrestrial);
    });
}
BENCHMARK(BM_TerrestrialMeasurePass);

void BM_CableMeasurePass(benchmark::State& state) {
    RunFullPasses(state, DvbType::Cable, [](Canvas& canvas, const MeasureEntry& entry) {
        quorvel::DrawMeasure(canvas, entry, Language::English, DvbType::Cable);
    });
}
BENCHMARK(BM_CableMeasurePass);

}  // namespace
