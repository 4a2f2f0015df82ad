// Every picture of the demo file's figure set painted into one screen's pixels: the native side
// of the browser page's full pass, which paints the same requests through the same core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "data/SourceFile.h"
#include "export/PictureFormat.h"
#include "figures/BatchPlan.h"
#include "render/PixelScreen.h"
#include "render/ScreenLayout.h"

namespace {

using namespace quorvel;

void BM_FigureSetPass(benchmark::State& state) {
    auto record = std::make_unique<SourceRecord>();
    if (LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", *record) != LoadOutcome::Loaded) {
        state.SkipWithError("samples/demo.dat could not be loaded");
        return;
    }
    const CataloguesByDvb catalogues = CataloguesForAllDvbTypes(*record);
    const std::vector<PlannedPicture> pictures =
        PlanAllPictures(catalogues, FormatExtension(PictureFormat::Png));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
    const pixels::Target target(pixels.data(), kScreenWidth, kScreenWidth, kScreenHeight);
    for (auto _ : state) {
        for (const PlannedPicture& picture : pictures) {
            PaintRequestInto(target, CatalogueOf(catalogues, picture.request.dvbType),
                             picture.request);
        }
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["pictures"] = static_cast<double>(pictures.size());
}
BENCHMARK(BM_FigureSetPass)->Unit(benchmark::kMillisecond);

}  // namespace
