// Decodes BMP and PNG files into pixels, refusing anything malformed or too large with a reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "compare/Picture.h"
#include "render/BmpDecoder.h"

namespace quorvel::compare {

using quorvel::CheckPictureSize;
using quorvel::kMaxPictureSide;
using quorvel::kMaxPicturePixels;

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

}  // namespace quorvel::compare
