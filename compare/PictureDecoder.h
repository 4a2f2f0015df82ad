// Decodes BMP and PNG files into pixels, refusing anything malformed or too large with a reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "compare/Picture.h"

namespace quorvel::compare {

// Larger pictures are refused before any pixel memory is taken: a lying header must not make
// the tool allocate gigabytes. A screen at scale 8 (10240 by 5760) still fits.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

struct DecodeOutcome {
    Picture picture;
    std::string error;  // empty when decoded
    bool ok() const { return error.empty(); }
};

// Chooses the decoder from the first bytes, never from a file name. Without `withPixels` a BMP
// is checked as thoroughly but its pixels are not produced (a PNG has to be decoded to be
// checked; its pixels come anyway).
DecodeOutcome DecodePicture(std::span<const std::uint8_t> bytes, bool withPixels = true);
DecodeOutcome DecodeBmp(std::span<const std::uint8_t> bytes, bool withPixels = true);
DecodeOutcome DecodePng(std::span<const std::uint8_t> bytes);

// Reads and decodes a file; the error then says what was wrong with it.
DecodeOutcome ReadPicture(const std::filesystem::path& path);

// Empty when a width by height picture may be decoded, otherwise why not.
std::string CheckPictureSize(std::int64_t width, std::int64_t height);

}  // namespace quorvel::compare
