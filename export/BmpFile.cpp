#include "export/BmpFile.h"

#include <vector>

#include "export/BmpEncoder.h"

namespace quorvel {

WriteOutcome WriteBmp32File(const std::filesystem::path& target, const std::uint32_t* pixels,
                            int width, int height, std::size_t strideBytes) {
    thread_local std::vector<std::uint8_t> buffer;
    Bmp32Blocks blocks(pixels, width, height, strideBytes, buffer);
    return WriteFileAtomically(target, [&blocks] { return blocks.Next(); });
}

}  // namespace quorvel
