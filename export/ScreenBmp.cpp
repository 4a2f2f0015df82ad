#include "export/ScreenBmp.h"

#include "export/BmpFile.h"

namespace quorvel {

WriteOutcome WriteScreenBmp(const QImage& screen, const std::filesystem::path& target) {
    const QImage pixels = screen.format() == QImage::Format_RGB32
                              ? screen
                              : screen.convertToFormat(QImage::Format_RGB32);
    return WriteBmp32File(target, reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                          pixels.width(), pixels.height(),
                          static_cast<std::size_t>(pixels.bytesPerLine()));
}

}  // namespace quorvel
