// Cost and size of the documents: one screen as SVG or PDF, the export of the sample file's
// tables, and the PDF report of the sample file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/Commands.h"
#include "cli/ReportDocument.h"
#include "data/SourceFile.h"
#include "figures/ScreenNames.h"
#include "render/ScreenRequest.h"
#include "render/VectorScreen.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvel;

const std::string kDemo = QUORVEL_SOURCE_DIR "/samples/demo.dat";

// The constellation diagram: a thousand point fills make it the busiest screen to write.
template <bool kPdf>
void BM_VectorScreen(benchmark::State& state) {
    SourceRecord record;
    if (LoadSourceFile(kDemo, record) != LoadOutcome::Loaded) {
        state.SkipWithError("demo.dat could not be read");
        return;
    }
    const auto catalogue = CatalogueFor(record, DvbType::Satellite);
    const std::vector<ScreenPass> passes =
        PassesFor(*catalogue, {DvbType::Satellite, Category::Constellation, 0});
    std::size_t bytes = 0;
    for (auto _ : state) {
        const VectorPicture picture =
            kPdf ? ScreenPdf(passes, *catalogue, PaperSize::Screen) : ScreenSvg(passes, *catalogue);
        bytes = static_cast<std::size_t>(picture.bytes.size());
        benchmark::DoNotOptimize(picture.bytes.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_VectorScreen<false>)->Name("BM_SvgScreen")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorScreen<true>)->Name("BM_PdfScreen")->Unit(benchmark::kMillisecond);

// Every table of the sample file written into a new folder, as the command does it. (Files that
// replace others are synced to the disk first, which is the disk's time, not the export's.)
void BM_ExportDemo(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("quorvel-bench-tables-" + std::to_string(::getpid()));
    cli::ExportOptions options{kDemo, folder, {}};
    std::ostringstream err;
    std::error_code ignored;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder, ignored);
        state.ResumeTiming();
        if (cli::RunExport(options, err) != cli::kExitOk) {
            state.SkipWithError("export failed");
            break;
        }
    }
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_ExportDemo)->Unit(benchmark::kMillisecond);

void BM_ReportDemo(benchmark::State& state) {
    SourceRecord record;
    if (LoadSourceFile(kDemo, record) != LoadOutcome::Loaded) {
        state.SkipWithError("demo.dat could not be read");
        return;
    }
    cli::ReportInput input{&record,
                           "demo.dat",
                           std::string(64, '0'),
                           "2026-01-01T00:00:00Z",
                           "0",
                           Language::French,
                           {kDvbTypes.begin(), kDvbTypes.end()}};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const cli::Report report = cli::MakeReport(input);
        bytes = static_cast<std::size_t>(report.pdf.size());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReportDemo)->Unit(benchmark::kMillisecond);

}  // namespace
