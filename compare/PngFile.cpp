#include "compare/PngFile.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace quorvel::compare {

// libpng's simplified writer: the report's pictures need no notes, scale or tuned compression,
// and this library stays free of the Qt image the screen pictures' encoder takes.
WriteOutcome WritePngFile(const std::filesystem::path& target, const Picture& picture) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (const std::uint32_t pixel : picture.pixels) {
        rgb.insert(rgb.end(),
                   {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                    static_cast<std::uint8_t>(pixel)});
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    std::vector<std::uint8_t> bytes;
    // The first call measures the file, the second writes it.
    if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
        bytes.resize(size);
        if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr))
            bytes.clear();
    }
    if (bytes.empty()) {
        png_image_free(&image);
        return {false, std::string("PNG encoding failed: ") + image.message};
    }
    return WriteFileAtomically(target, bytes);
}

}  // namespace quorvel::compare
