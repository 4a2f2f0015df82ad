// Spectrum Analyzer passes: the whole screen, and a pointer move as the window makes it: only the
// cursor column recorded again, then the two strips it leaves and enters replayed.
#include <benchmark/benchmark.h>

#include <QImage>
#include <array>

#include "BenchPass.h"
#include "data/EntryWriter.h"
#include "render/SpectrumScreen.h"

namespace {

using namespace quorvel;

// The longest trace an entry holds: a Cable sweep of 202 samples with a varied level line.
std::array<std::uint8_t, SpectrumEntry::kSize> FullSweep() {
    std::array<std::uint8_t, SpectrumEntry::kSize> bytes{};
    EntryWriter sweep(bytes, EntryKind::Spectrum);
    sweep.Set("startMHz", 47).Set("currentMHz", 474).Set("endMHz", 47 + 5 * 202)
        .Set("currentLevel", 57).Set("tone22k", 1).Set("lnbVoltage", 1);
    for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i) {
        sweep.Set("levels", 38 + (i * 7) % 31, i);
    }
    return bytes;
}

void BM_SpectrumPass(benchmark::State& state) {
    const auto bytes = FullSweep();
    const SpectrumEntry entry(bytes);
    const SpectrumView view{Language::English, DvbType::Cable, 40, 101};
    QImage screen = NewScreenImage();
    for (auto _ : state) {
        bench::PaintPass(screen, bench::kWholeArea, [&](Canvas& canvas) {
            benchmark::DoNotOptimize(DrawSpectrum(canvas, entry, view));
        });
    }
    benchmark::DoNotOptimize(screen.constBits());
}
BENCHMARK(BM_SpectrumPass);

// The cursor jumps between x 300 and x 600; each pass repaints the old and the new column.
void BM_SpectrumPointerMove(benchmark::State& state) {
    const auto bytes = FullSweep();
    const SpectrumEntry entry(bytes);
    SpectrumView view{Language::English, DvbType::Cable, 40, 300};
    QImage screen = NewScreenImage();
    DisplayList list;
    {
        Canvas canvas(list);
        DrawSpectrum(canvas, entry, view);
        ReplayScreen(screen, bench::kWholeArea, list);
    }
    const std::vector<IntRect> strips{{299, 70, 4, 580}, {599, 70, 4, 580}};
    for (auto _ : state) {
        view.cursorX = view.cursorX == 300 ? 600 : 300;
        MoveSpectrumCursor(list, entry, view);
        ReplayScreen(screen, strips, list);
        benchmark::DoNotOptimize(list.cursorTipText);
    }
    benchmark::DoNotOptimize(screen.constBits());
}
BENCHMARK(BM_SpectrumPointerMove);

}  // namespace
