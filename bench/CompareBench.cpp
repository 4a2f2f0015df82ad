// Comparing pictures: a folder of identical screen pairs on both cores, and one differing pair
// with its difference picture and report entry.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "compare/CompareReport.h"
#include "compare/CompareRun.h"
#include "export/BmpFile.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvel::compare;
using quorvel::bench::ScratchFolder;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kPairs = 30;  // per iteration: the 300 pairs a second target is 100 ms for 30

// A screen with busy pixels, as the window's BMP export writes it; `changed` pixels differ.
void WriteScreen(const fs::path& path, int changed) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            pixels[y * kWidth + x] = (x * 2654435761u + y * 40503u) & 0xFFFFFF;
    }
    // Changed pixels: a text-sized block and a scatter over the plot, as a new value shows.
    for (int i = 0; i < changed; ++i)
        pixels[(300 + i % 40) * kWidth + 500 + i / 40 * 3] ^= 0x00FF00;
    fs::create_directories(path.parent_path());
    quorvel::WriteBmp32File(path, pixels.data(), kWidth, kHeight, kWidth * 4);
}

void BM_Compare30IdenticalPairs(benchmark::State& state) {
    const ScratchFolder folder("compare-same");
    for (int i = 0; i < kPairs; ++i) {
        const std::string name = "s-measure-" + std::to_string(10 + i) + "-en.bmp";
        WriteScreen(folder.Path() / "approved" / name, 0);
        WriteScreen(folder.Path() / "new" / name, 0);
    }
    for (auto _ : state) {
        const PairListing listing =
            PairFolders(folder.Path() / "approved", folder.Path() / "new", std::nullopt);
        const std::vector<PairResult> results = CompareAll(listing.pairs, {});
        if (Summarize(results).same != kPairs) {
            state.SkipWithError("pairs were not the same");
            break;
        }
    }
}
BENCHMARK(BM_Compare30IdenticalPairs)->Unit(benchmark::kMillisecond);

void BM_CompareDifferingPair(benchmark::State& state) {
    const ScratchFolder folder("compare-differing");
    const PicturePair pair{"s-measure-00-en.bmp", folder.Path() / "approved.bmp",
                           folder.Path() / "new.bmp"};
    WriteScreen(*pair.approved, 0);
    WriteScreen(*pair.fresh, 2000);
    CompareSettings settings;
    settings.pictureFolder = folder.Path() / "report";
    for (auto _ : state) {
        // A report folder starts empty, as a first comparison into it does.
        state.PauseTiming();
        fs::remove_all(*settings.pictureFolder);
        state.ResumeTiming();
        const std::vector<PairResult> results = {ComparePair(pair, settings)};
        const CompareSummary summary = Summarize(results);
        const std::string failed = WriteReport(*settings.pictureFolder, results, settings, summary);
        if (summary.different != 1 || !failed.empty()) {
            state.SkipWithError("the pair was not reported as different");
            break;
        }
    }
}
BENCHMARK(BM_CompareDifferingPair)->Unit(benchmark::kMillisecond);

}  // namespace
