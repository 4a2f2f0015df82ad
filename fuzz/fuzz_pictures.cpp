// libFuzzer target: any bytes as a BMP or PNG picture to compare. A decoder must refuse bad
// bytes with a reason or give a picture within the size limits whose pixels all exist; the
// comparison of a decoded picture with itself finds nothing, and with one changed pixel finds
// exactly that pixel.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "compare/PictureDecoder.h"
#include "compare/PixelDiff.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel::compare;
    const std::span<const std::uint8_t> bytes(data, size);
    // Both decoders see every input, not only the one its first bytes choose.
    for (const DecodeOutcome& outcome : {DecodeBmp(bytes), DecodePng(bytes)}) {
        if (!outcome.ok()) continue;
        const Picture& picture = outcome.picture;
        if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxPictureSide ||
            picture.height > kMaxPictureSide ||
            picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
            std::abort();
        }
        if (DiffPixels(picture, picture, {}, false).differingPixels != 0) std::abort();
        Picture changed = picture;
        const int x = picture.width / 2, y = picture.height / 2;
        changed.pixels[static_cast<std::size_t>(y) * picture.width + x] ^= 0x010000;
        const PixelDiff diff = DiffPixels(picture, changed, {}, false);
        if (diff.differingPixels != 1 || diff.areas.size() != 1 ||
            !(diff.areas[0] == quorvel::IntRect{x, y, 1, 1})) {
            std::abort();
        }
    }
    return 0;
}
