// Cost of recording and replaying itself: a text-heavy full pass and the same pass clipped to two
// strips.
#include <benchmark/benchmark.h>

#include <QImage>
#include <string>
#include <vector>

#include "BenchPass.h"

namespace {

using namespace quorvel;

// About what a Measure screen draws: background, bands, rules, two icons and 30 texts of 35 px.
void DrawTextHeavyPass(Canvas& canvas) {
    static const std::vector<std::u16string> kWords = [] {
        std::vector<std::u16string> words;
        for (int i = 0; i < 30; ++i)
            words.push_back(u"Value " + std::u16string(1, u'A' + i) + u" 12.5 dB");
        return words;
    }();
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
    canvas.FillRect(0xFFFFFFFF, {0, 300, 1280, 340});
    canvas.FillRect(0xFF800000, {220, 525, 700, 30});
    canvas.FillRect(0xFF0080FF, {0, 78, 1280, 2});
    canvas.FillRect(0xFF0080FF, {0, 640, 1280, 2});
    canvas.DrawImage(IconId::Battery, 1200, 10);
    canvas.DrawImage(IconId::Badge18V, 1030, 20);
    for (std::size_t i = 0; i < kWords.size(); ++i) {
        const float x = 40.0f + 420.0f * static_cast<float>(i % 3);
        const float y = 90.0f + 60.0f * static_cast<float>(i / 3);
        if (i % 2 == 0) {
            canvas.DrawText(kWords[i], kFontNormal, PointF{x, y}, 0xFF000000);
        } else {
            canvas.DrawText(kWords[i], kFontNormal, RectF{x, y, 400, 60},
                            {Align::Center, Align::Center}, 0xFFFF8000);
        }
    }
}

void RunPasses(benchmark::State& state, const std::vector<IntRect>& area) {
    QImage screen = NewScreenImage();
    for (auto _ : state) {
        bench::PaintPass(screen, area, DrawTextHeavyPass);
        benchmark::DoNotOptimize(screen.constBits());
        benchmark::ClobberMemory();
    }
}

void BM_CanvasTextPass(benchmark::State& state) {
    RunPasses(state, bench::kWholeArea);
}
BENCHMARK(BM_CanvasTextPass);

// What a spectrum pointer move repaints: the old and the new cursor column.
void BM_CanvasStripPass(benchmark::State& state) {
    RunPasses(state, {{300, 60, 4, 600}, {700, 60, 4, 600}});
}
BENCHMARK(BM_CanvasStripPass);

// The first pass of a process: every text is laid out and rasterised.
void BM_CanvasTextPassUncached(benchmark::State& state) {
    QImage screen = NewScreenImage();
    for (auto _ : state) {
        TextLayoutCache texts;
        bench::PaintPass(screen, bench::kWholeArea, DrawTextHeavyPass, texts);
        benchmark::DoNotOptimize(screen.constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CanvasTextPassUncached);

}  // namespace
