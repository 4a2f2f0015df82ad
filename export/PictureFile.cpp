#include "export/PictureFile.h"

#include <cstdint>

#include "export/PngEncoder.h"
#include "export/ScreenBmp.h"

namespace quorvel {

WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path, const PictureExtras& extras) {
    if (format == PictureFormat::Bmp) {
        if (extras.scale == 1) return WriteScreenBmp(image, path);
        // Whole-number enlargement without smoothing repeats each pixel.
        return WriteScreenBmp(image.scaled(image.size() * extras.scale, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation),
                              path);
    }
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    // A batch thread encodes every picture into the same storage.
    thread_local std::vector<std::uint8_t> bytes;
    const PixelRows rows{reinterpret_cast<const std::uint32_t*>(pixels.constBits()), pixels.width(),
                         pixels.height(), pixels.bytesPerLine() / 4};
    if (!EncodePng(rows, extras, bytes)) return {false, "the picture could not be encoded"};
    return WriteFileAtomically(path, bytes);
}

}  // namespace quorvel
