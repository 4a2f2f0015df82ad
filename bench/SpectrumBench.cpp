// Spectrum Analyzer passes: the whole screen, and the two strips a pointer move repaints.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QRegion>
#include <array>

#include "data/EntryWriter.h"

#include "render/ImageCanvas.h"
#include "render/ScreenPainter.h"
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
    const QRegion whole(screen.rect());
    for (auto _ : state) {
        ImageCanvas canvas(screen, whole);
        benchmark::DoNotOptimize(DrawSpectrum(canvas, entry, view));
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
    {
        ImageCanvas canvas(screen, QRegion(screen.rect()));
        DrawSpectrum(canvas, entry, view);
    }
    const QRegion strips = QRegion(299, 70, 4, 580) + QRegion(599, 70, 4, 580);
    for (auto _ : state) {
        view.cursorX = view.cursorX == 300 ? 600 : 300;
        ImageCanvas canvas(screen, strips);
        benchmark::DoNotOptimize(DrawSpectrum(canvas, entry, view));
    }
    benchmark::DoNotOptimize(screen.constBits());
}
BENCHMARK(BM_SpectrumPointerMove);

}  // namespace
