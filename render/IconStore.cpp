#include "render/IconStore.h"

#include <map>
#include <mutex>

#include "render/BmpDecoder.h"
#include "render/IconBytes.h"

namespace quorvel {
namespace {

struct DecodedIcon {
    pixels::PixelImage image;
    bool decoded = false;
    int errorCode = 0;
};

DecodedIcon Decode(int id) {
    const std::span<const std::uint8_t> bytes = EmbeddedIconBytes(id);
    if (bytes.empty()) return {{}, false, kResourceNotFound};
    DecodedBmp bmp = DecodeBmp(bytes);
    if (!bmp.error.empty()) return {};
    // Opaque words in the screen's order make drawing an icon a plain copy onto the screen.
    for (std::uint32_t& pixel : bmp.pixels) pixel = pixels::InScreenOrder(pixel | 0xFF000000u);
    return {{bmp.width, bmp.height, std::move(bmp.pixels), false}, true, 0};
}

class EmbeddedIconSource final : public IconSource {
  public:
    ResourceImage Load(IconId icon) const override {
        return LoadResourceImage(static_cast<int>(icon));
    }
};

}  // namespace

ResourceImage LoadResourceImage(int id) {
    static std::mutex mutex;
    // A map: its elements never move, so the pictures handed out stay where they are.
    static std::map<int, DecodedIcon> decoded;
    const std::lock_guard lock(mutex);
    auto found = decoded.find(id);
    if (found == decoded.end()) found = decoded.emplace(id, Decode(id)).first;
    const DecodedIcon& icon = found->second;
    return {icon.decoded ? &icon.image : nullptr, icon.errorCode};
}

const IconSource& EmbeddedIcons() {
    static const EmbeddedIconSource source;
    return source;
}

}  // namespace quorvel
