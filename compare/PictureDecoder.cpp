#include "compare/PictureDecoder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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

DecodeOutcome DecodePicture(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G') {
        return DecodePng(bytes);
    }
    return {{}, "not a BMP or PNG picture"};
}

DecodeOutcome ReadPicture(const std::filesystem::path& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    struct stat status {};
    if (!file || ::fstat(::fileno(file.get()), &status) != 0) {
        return {{}, "cannot read " + path.string() + ": " + std::strerror(errno)};
    }
    if (S_ISDIR(status.st_mode)) return {{}, "cannot read " + path.string() + ": it is a folder"};
    // A picture within the size limits is far smaller than this even as 32-bit BMP.
    constexpr off_t kMaxFileBytes = off_t{1} << 30;
    if (status.st_size > kMaxFileBytes) {
        return {{}, path.string() + ": file of " + std::to_string(status.st_size) +
                        " bytes is too large for a picture"};
    }
    // One read of the known size, and one more byte to notice a file that grew meanwhile.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size) + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) return {{}, "cannot read " + path.string()};
    bytes.resize(got);
    DecodeOutcome outcome = DecodePicture(bytes);
    if (!outcome.ok()) outcome.error = path.string() + ": " + outcome.error;
    return outcome;
}

}  // namespace quorvel::compare
