// Cost of File > Open once a path is chosen: load samples/demo.dat from the page cache and
// rebuild the catalogue for one DVB type.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/Catalogue.h"
#include "data/SourceFile.h"

namespace {

void BM_LoadAndRebuild(benchmark::State& state) {
    const std::filesystem::path demo = QUORVEL_SOURCE_DIR "/samples/demo.dat";
    auto record = std::make_unique<quorvel::SourceRecord>();
    auto catalogue = std::make_unique<quorvel::Catalogue>();
    for (auto _ : state) {
        if (quorvel::LoadSourceFile(demo, *record) != quorvel::LoadOutcome::Loaded) {
            state.SkipWithError("samples/demo.dat could not be loaded");
            break;
        }
        quorvel::RebuildCatalogue(*record, quorvel::DvbType::Satellite, *catalogue);
        benchmark::DoNotOptimize(catalogue->measure.Count());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LoadAndRebuild);

}  // namespace
