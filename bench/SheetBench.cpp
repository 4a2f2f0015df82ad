// Writing the contact sheet of a thousand pictures: the page text the batch builds at its end.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/ContactSheet.h"

namespace {

using namespace quorvel;

// A thousand pictures spread as a batch of several files spreads them, one in twenty with an
// unfit text.
std::vector<PictureOutcome> ThousandPictures() {
    std::vector<PictureOutcome> pictures;
    for (std::size_t i = 0; i < 1000; ++i) {
        PictureOutcome picture;
        picture.planned.source = i / 70;
        picture.planned.request.dvbType = kDvbTypes[(i / 24) % 3];
        picture.planned.request.screen = kScreens[(i / 8) % 3];
        picture.planned.request.position = (i / 2) % 4;
        picture.planned.request.language = kLanguages[i % 2];
        picture.planned.fileName = "demo-" + std::to_string(i / 70) + "/t-measure-0" +
                                   std::to_string((i / 2) % 4) + "-fr.png";
        picture.planned.entryName = "UHF 21 474.00 MHz DVB-T";
        picture.sourceName = "demo.dat";
        if (i % 20 == 0) {
            picture.unfit.push_back(
                {u"bloquer", {490, 375, 300, 150}, u"bloqu", TextId::Lock, 100, 333.546875});
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

void BM_ContactSheet1000(benchmark::State& state) {
    const std::vector<PictureOutcome> pictures = ThousandPictures();
    for (auto _ : state) {
        std::string html = cli::ContactSheetHtml(pictures, 1);
        benchmark::DoNotOptimize(html);
    }
}
BENCHMARK(BM_ContactSheet1000)->Unit(benchmark::kMillisecond);

}  // namespace
