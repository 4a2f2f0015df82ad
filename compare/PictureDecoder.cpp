#include "compare/PictureDecoder.h"

#include "compare/MappedFile.h"

namespace quorvel::compare {

std::string Picture::Note(const std::string& key) const {
    for (const auto& [noteKey, text] : notes) {
        if (noteKey == key) return text;
    }
    return {};
}

DecodeOutcome DecodeBmp(std::span<const std::uint8_t> bytes, bool withPixels) {
    DecodedBmp decoded = quorvel::DecodeBmp(bytes, withPixels);
    DecodeOutcome outcome;
    outcome.error = std::move(decoded.error);
    outcome.picture.width = decoded.width;
    outcome.picture.height = decoded.height;
    outcome.picture.pixels = std::move(decoded.pixels);
    return outcome;
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
