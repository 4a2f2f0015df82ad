#include "export/PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "export/PngEncoder.h"
#include "export/ScreenBmp.h"

namespace quorvel {

std::string_view FormatExtension(PictureFormat format) {
    return format == PictureFormat::Png ? "png" : "bmp";
}

std::optional<PictureFormat> FormatFromName(std::string_view name) {
    if (name == "bmp") return PictureFormat::Bmp;
    if (name == "png") return PictureFormat::Png;
    return std::nullopt;
}

std::string LowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::optional<PictureFormat> FormatFromPath(const std::filesystem::path& path) {
    const std::string extension = LowerExtension(path);
    if (extension.empty()) return std::nullopt;
    return FormatFromName(extension);
}

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
    if (!EncodePng(pixels, extras, bytes)) return {false, "the picture could not be encoded"};
    return WriteFileAtomically(path, bytes);
}

}  // namespace quorvel
