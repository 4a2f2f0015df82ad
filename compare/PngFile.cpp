#include "compare/PngFile.h"

#include <cstdint>
#include <vector>

#include "export/PngEncoder.h"

namespace quorvel::compare {

WriteOutcome WritePngFile(const std::filesystem::path& target, const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    const PixelRows rows{picture.pixels.data(), picture.width, picture.height, picture.width};
    if (!EncodePng(rows, {}, bytes)) return {false, "the picture could not be encoded"};
    return WriteFileAtomically(target, bytes);
}

}  // namespace quorvel::compare
