#include "render/TextLayoutCache.h"

#include <array>
#include <functional>

namespace quorvel {

// Every text a pass has not drawn before comes through here, so the loops stay on plain pointers.
pixels::PixelImage ColouriseCoverage(const std::vector<PlacedCoverage>& glyphs, IntRect bounds,
                                     Argb colour) {
    const int width = bounds.w;
    const int height = bounds.h;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) *
                                       static_cast<std::size_t>(height));
    for (const PlacedCoverage& glyph : glyphs) {
        const int atX = glyph.topLeft.x - bounds.x;
        const int atY = glyph.topLeft.y - bounds.y;
        for (int y = 0; y < glyph.height; ++y) {
            const std::uint8_t* src = glyph.map.data() + static_cast<std::size_t>(y) * glyph.width;
            std::uint8_t* dst =
                coverage.data() + static_cast<std::size_t>(atY + y) * width + atX;
            for (int x = 0; x < glyph.width; ++x) {
                dst[x] = static_cast<std::uint8_t>(dst[x] + (src[x] * (255 - dst[x]) + 127) / 255);
            }
        }
    }
    std::array<std::uint32_t, 256> shade;
    const std::uint32_t alpha = colour >> 24;
    const std::uint32_t ordered = pixels::InScreenOrder(colour) & 0xFFFFFFu;
    for (std::uint32_t level = 0; level < 256; ++level) {
        const std::uint32_t levelAlpha = (level * alpha + 127) / 255;
        shade[level] = pixels::Premultiplied8(ordered | levelAlpha << 24);
    }
    pixels::PixelImage image{width, height, std::vector<std::uint32_t>(coverage.size()), true};
    for (std::size_t i = 0; i < coverage.size(); ++i) image.pixels[i] = shade[coverage[i]];
    pixels::IndexInk(image);
    return image;
}

RenderedText RenderScreenText(const FontTable& table, std::u16string_view text, int pixelSize,
                              float width, Align horizontal, Argb colour) {
    const FontSizeData& size = table.Size(pixelSize);
    RenderedText rendered;
    rendered.text = text;
    rendered.laidOut = LayOutText(table, size, text, width, horizontal);
    const LaidOutText& laidOut = rendered.laidOut;
    std::vector<PlacedCoverage> maps;
    IntRect bounds;
    for (const LaidOutGlyph& placed : laidOut.glyphs) {
        const GlyphEntry& glyph = size.glyphs[placed.index];
        if (glyph.mapWidth == 0 || glyph.mapHeight == 0) continue;
        const IntPoint topLeft{placed.x + glyph.mapLeft, placed.y + glyph.mapTop};
        maps.push_back({size.Map(glyph), glyph.mapWidth, glyph.mapHeight, topLeft});
        bounds = Union(bounds, {topLeft.x, topLeft.y, glyph.mapWidth, glyph.mapHeight});
    }
    rendered.offset = {bounds.x, bounds.y};
    rendered.layoutWidth = laidOut.width / 64.0;
    rendered.layoutHeight = laidOut.height / 64.0;
    if (!IsEmpty(bounds)) rendered.image = ColouriseCoverage(maps, bounds, colour);
    if (width < 0) return rendered;
    for (const LaidOutLine& line : laidOut.lines) {
        RenderedLine out{line.start, line.length, {}, line.breaksWord};
        for (std::size_t g = line.firstGlyph; g < line.firstGlyph + line.glyphCount; ++g) {
            const LaidOutGlyph& placed = laidOut.glyphs[g];
            const GlyphEntry& glyph = size.glyphs[placed.index];
            if (glyph.inkWidth == 0) continue;
            out.ink = Union(out.ink, {placed.x + glyph.inkLeft, placed.y + glyph.inkTop,
                                      glyph.inkWidth, glyph.inkHeight});
        }
        rendered.lines.push_back(out);
    }
    return rendered;
}

std::size_t TextLayoutCache::KeyHash::operator()(const Key& key) const {
    std::size_t hash = std::hash<std::u16string>{}(key.text);
    for (std::size_t part :
         {std::hash<int>{}(key.pixelSize), std::hash<float>{}(key.width),
          static_cast<std::size_t>(key.horizontal), static_cast<std::size_t>(key.colour)}) {
        hash ^= part + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2);
    }
    return hash;
}

TextLayoutCache::Entry TextLayoutCache::Line(std::u16string_view text, int pixelSize,
                                             Argb colour) {
    return Find(Key{std::u16string(text), pixelSize, -1.0f, Align::Near, colour});
}

TextLayoutCache::Entry TextLayoutCache::Block(std::u16string_view text, int pixelSize,
                                              float width, Align horizontal, Argb colour) {
    return Find(Key{std::u16string(text), pixelSize, std::max(width, 0.0f), horizontal, colour});
}

void TextLayoutCache::Clear() {
    m_texts.clear();
}

TextLayoutCache::Entry TextLayoutCache::Find(Key key) {
    if (auto found = m_texts.find(key); found != m_texts.end()) return found->second;
    if (m_texts.size() >= kCapacity) m_texts.clear();
    auto rendered = std::make_shared<const RenderedText>(RenderScreenText(
        ScreenFontTable(), key.text, key.pixelSize, key.width, key.horizontal, key.colour));
    return m_texts.emplace(std::move(key), std::move(rendered)).first->second;
}

TextLayoutCache& SharedTextLayoutCache() {
    thread_local TextLayoutCache cache;
    return cache;
}

}  // namespace quorvel
