#include "compare/PictureDecoder.h"

#include "compare/MappedFile.h"

namespace quorvel::compare {

std::string Picture::Note(const std::string& key) const {
    for (const auto& [noteKey, text] : notes) {
        if (noteKey == key) return text;
    }
    return {};
}

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

DecodeOutcome DecodePicture(std::span<const std::uint8_t> bytes, bool withPixels) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return DecodeBmp(bytes, withPixels);
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G') {
        return DecodePng(bytes);
    }
    return {{}, "not a BMP or PNG picture"};
}

DecodeOutcome ReadPicture(const std::filesystem::path& path) {
    const MappedFile file(path);
    if (!file.Ok()) return {{}, file.Error()};
    DecodeOutcome outcome = DecodePicture(file.Bytes());
    if (!outcome.ok()) outcome.error = path.string() + ": " + outcome.error;
    return outcome;
}

}  // namespace quorvel::compare
