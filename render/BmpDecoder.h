// BMP files of 24 or 32 bits per pixel, rows bottom-up or top-down, uncompressed: the screens'
// built-in icons and the pictures a comparison reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvel {

// Larger pictures are refused before any pixel memory is taken: a lying header must not make
// the tool allocate gigabytes. A screen at scale 8 (10240 by 5760) still fits.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

// Empty when a width by height picture may be decoded, otherwise why not.
std::string CheckPictureSize(std::int64_t width, std::int64_t height);

struct DecodedBmp {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
    std::string error;                  // empty when decoded
};

// Without `withPixels` the file is checked as thoroughly but its pixels are not produced.
DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes, bool withPixels = true);

}  // namespace quorvel
