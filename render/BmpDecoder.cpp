#include "render/BmpDecoder.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace quorvel {

static_assert(std::endian::native == std::endian::little, "32-bit rows are copied as words");

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

DecodedBmp Refuse(std::string reason) {
    return {0, 0, {}, "BMP " + std::move(reason)};
}

// 32-bit pixels with bit fields are read only in the usual order; any other order is refused
// rather than guessed.
bool HasUsualMasks(std::span<const std::uint8_t> bytes, std::size_t masksAt) {
    return masksAt + 12 <= bytes.size() && Le32(bytes, masksAt) == 0x00FF0000 &&
           Le32(bytes, masksAt + 4) == 0x0000FF00 && Le32(bytes, masksAt + 8) == 0x000000FF;
}

}  // namespace

std::string CheckPictureSize(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) {
        return "picture of " + std::to_string(width) + " by " + std::to_string(height) +
               " pixels has no pixels";
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) >
            kMaxPicturePixels) {
        return "picture of " + std::to_string(width) + " by " + std::to_string(height) +
               " pixels is larger than " + std::to_string(kMaxPictureSide) + " by " +
               std::to_string(kMaxPictureSide) + " or " + std::to_string(kMaxPicturePixels) +
               " pixels";
    }
    return {};
}

DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes, bool withPixels) {
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes) {
        return Refuse("is truncated: " + std::to_string(bytes.size()) +
                      " bytes cannot hold its headers");
    }
    const std::uint32_t declaredSize = Le32(bytes, 2);
    if (declaredSize > bytes.size()) {
        return Refuse("is truncated: its header says " + std::to_string(declaredSize) +
                      " bytes, the file has " + std::to_string(bytes.size()));
    }
    const std::uint32_t pixelOffset = Le32(bytes, 10);
    const std::uint32_t infoSize = Le32(bytes, 14);
    if (infoSize < kInfoHeaderBytes || infoSize > 124) {
        return Refuse("info header of " + std::to_string(infoSize) + " bytes is not supported");
    }
    const auto width = static_cast<std::int32_t>(Le32(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(Le32(bytes, 22));
    const std::uint16_t bitsPerPixel = Le16(bytes, 28);
    const std::uint32_t compression = Le32(bytes, 30);
    // A negative height marks rows stored top-down.
    const bool topDown = signedHeight < 0;
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(signedHeight));
    if (std::string tooLarge = CheckPictureSize(width, height); !tooLarge.empty()) {
        return Refuse(std::move(tooLarge));
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        return Refuse("of " + std::to_string(bitsPerPixel) +
                      " bits per pixel is not supported (24 or 32 only)");
    }
    const bool plain = compression == kUncompressed;
    const bool usualFields = compression == kBitFields && bitsPerPixel == 32 &&
                             HasUsualMasks(bytes, kFileHeaderBytes + kInfoHeaderBytes);
    if (!plain && !usualFields) {
        return Refuse("compression " + std::to_string(compression) + " is not supported");
    }

    const std::size_t bytesPerPixel = bitsPerPixel / 8;
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    const std::size_t rows = static_cast<std::size_t>(height);
    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > bytes.size() ||
        (bytes.size() - pixelOffset) / rowBytes < rows) {
        return Refuse("is truncated: " + std::to_string(width) + " by " + std::to_string(height) +
                      " pixels need " + std::to_string(rowBytes * rows) + " bytes from byte " +
                      std::to_string(pixelOffset) + ", the file has " +
                      std::to_string(bytes.size()));
    }

    DecodedBmp picture;
    picture.width = width;
    picture.height = static_cast<int>(height);
    if (!withPixels) return picture;
    picture.pixels.resize(static_cast<std::size_t>(width) * rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t fileRow = topDown ? row : rows - 1 - row;
        const std::uint8_t* in = bytes.data() + pixelOffset + fileRow * rowBytes;
        std::uint32_t* out = picture.pixels.data() + row * static_cast<std::size_t>(width);
        if (bytesPerPixel == 4) {
            // Blue, green, red, unused: read as a little-endian word that is 0x??RRGGBB.
            std::memcpy(out, in, static_cast<std::size_t>(width) * 4);
            for (int x = 0; x < width; ++x) out[x] &= 0xFFFFFF;
            continue;
        }
        for (int x = 0; x < width; ++x, in += bytesPerPixel) {
            out[x] = static_cast<std::uint32_t>(in[2]) << 16 |
                     static_cast<std::uint32_t>(in[1]) << 8 | in[0];
        }
    }
    return picture;
}

}  // namespace quorvel
