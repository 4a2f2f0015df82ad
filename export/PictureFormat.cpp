#include "export/PictureFormat.h"

#include <algorithm>
#include <cctype>

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

}  // namespace quorvel
