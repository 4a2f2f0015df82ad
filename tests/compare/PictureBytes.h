// Builds BMP and PNG files of a picture in memory, so the decoders can be fed every layout.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

#include "compare/Picture.h"

namespace quorvel::test {

inline void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A picture whose every pixel differs from its neighbours in each channel.
inline compare::Picture PatternPicture(int width, int height) {
    compare::Picture picture{width, height, {}, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(static_cast<std::uint32_t>((x * 53 + y * 7) & 0xFF) << 16 |
                                     static_cast<std::uint32_t>((y * 71 + x) & 0xFF) << 8 |
                                     static_cast<std::uint32_t>((x * 13 + y * 29 + 5) & 0xFF));
        }
    }
    return picture;
}

inline std::vector<std::uint8_t> BmpBytes(const compare::Picture& picture, int bitsPerPixel,
                                          bool topDown) {
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bitsPerPixel) / 8;
    const std::size_t rowBytes = (picture.width * bytesPerPixel + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> bytes(54 + rowBytes * picture.height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, 54);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<std::uint32_t>(picture.width));
    Put32(bytes, 22, static_cast<std::uint32_t>(topDown ? -picture.height : picture.height));
    bytes[26] = 1;
    bytes[28] = static_cast<std::uint8_t>(bitsPerPixel);
    for (int y = 0; y < picture.height; ++y) {
        const int fileRow = topDown ? y : picture.height - 1 - y;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.At(x, y);
            const std::size_t at = 54 + fileRow * rowBytes + x * bytesPerPixel;
            bytes[at] = pixel & 0xFF;
            bytes[at + 1] = (pixel >> 8) & 0xFF;
            bytes[at + 2] = (pixel >> 16) & 0xFF;
            if (bitsPerPixel == 32) bytes[at + 3] = 0x7F;  // alpha, which the comparison drops
        }
    }
    return bytes;
}

// An RGB PNG, or with `withAlpha` an RGBA one with alpha varying per pixel.
inline std::vector<std::uint8_t> PngBytes(const compare::Picture& picture, bool withAlpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t pixel = picture.pixels[i];
        rgb.insert(rgb.end(),
                   {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                    static_cast<std::uint8_t>(pixel)});
        if (withAlpha) rgb.push_back(static_cast<std::uint8_t>(255 - i % 200));
    }
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

}  // namespace quorvel::test
