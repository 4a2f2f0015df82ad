// The reference every pass is compared with: one plain fill of the whole 1280 by 720 image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

void BM_PlainFill(benchmark::State& state) {
    QImage image(1280, 720, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, 1280, 720), QColor::fromRgba(0xFFE6E6E6));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainFill);

}  // namespace
