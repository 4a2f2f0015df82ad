// Cost of exporting the screen (BMP encode plus the all-or-nothing write) against the reference
// measured in the same run: one plain write of the same number of bytes into the same folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "export/AtomicFile.h"
#include "export/BmpEncoder.h"
#include "export/BmpFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

using quorvel::bench::ScratchFolder;

QImage BusyScreen() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) line[x] = 0xFF000000u | (x * 2654435761u + y * 40503u);
    }
    return image;
}

void BM_PlainWrite(benchmark::State& state) {
    const ScratchFolder folder("plain");
    const std::vector<std::uint8_t> bytes(quorvel::Bmp32FileSize(kWidth, kHeight), 0x5A);
    const fs::path target = folder.Path() / "screen.bmp";
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const bool written = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) ==
                                            static_cast<ssize_t>(bytes.size());
        if (fd >= 0) ::close(fd);
        if (!written) {
            state.SkipWithError("plain write failed");
            break;
        }
    }
}
BENCHMARK(BM_PlainWrite);

// The picture replaces the one written by the previous iteration, as repeated File > Save does.
void BM_ExportBmp(benchmark::State& state) {
    const ScratchFolder folder("export");
    const QImage screen = BusyScreen();
    const fs::path target = folder.Path() / "screen.bmp";
    for (auto _ : state) {
        const quorvel::WriteOutcome outcome = quorvel::WriteBmp32File(
            target, reinterpret_cast<const std::uint32_t*>(screen.constBits()), kWidth, kHeight,
            static_cast<std::size_t>(screen.bytesPerLine()));
        if (!outcome.ok) {
            state.SkipWithError(outcome.error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_ExportBmp);

void BM_EncodeBmp(benchmark::State& state) {
    const QImage screen = BusyScreen();
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes =
            quorvel::EncodeBmp32(reinterpret_cast<const std::uint32_t*>(screen.constBits()), kWidth,
                                 kHeight, static_cast<std::size_t>(screen.bytesPerLine()));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EncodeBmp);

}  // namespace
