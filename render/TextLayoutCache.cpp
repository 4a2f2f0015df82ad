#include "render/TextLayoutCache.h"

#include <QColor>
#include <array>
#include <functional>

#include "render/TextLayout.h"

namespace quorvel {

// Every text a pass has not drawn before comes through here, so the loops stay on plain pointers.
QImage ColouriseCoverage(const std::vector<PlacedCoverage>& glyphs, const QRect& bounds,
                         Argb colour) {
    const int width = bounds.width();
    const int height = bounds.height();
    std::vector<uchar> coverage(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (const PlacedCoverage& glyph : glyphs) {
        const QPoint at = glyph.topLeft - bounds.topLeft();
        for (int y = 0; y < glyph.height; ++y) {
            const std::uint8_t* src = glyph.map.data() + static_cast<std::size_t>(y) * glyph.width;
            uchar* dst = coverage.data() + static_cast<std::size_t>(at.y() + y) * width + at.x();
            for (int x = 0; x < glyph.width; ++x) {
                dst[x] = static_cast<uchar>(dst[x] + (src[x] * (255 - dst[x]) + 127) / 255);
            }
        }
    }
    std::array<QRgb, 256> shade;
    const int alpha = qAlpha(colour);
    for (int level = 0; level < 256; ++level) {
        shade[static_cast<std::size_t>(level)] = qPremultiply(
            qRgba(qRed(colour), qGreen(colour), qBlue(colour), (level * alpha + 127) / 255));
    }
    QImage image(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const uchar* cover = coverage.data() + static_cast<std::size_t>(y) * width;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) out[x] = shade[cover[x]];
    }
    return image;
}

RenderedText RenderScreenText(const FontTable& table, std::u16string_view text, int pixelSize,
                              float width, Align horizontal, Argb colour) {
    const FontSizeData& size = table.Size(pixelSize);
    const LaidOutText laidOut = LayOutText(table, size, text, width, horizontal);
    std::vector<PlacedCoverage> maps;
    QRect bounds;
    for (const LaidOutGlyph& placed : laidOut.glyphs) {
        const GlyphEntry& glyph = size.glyphs[placed.index];
        if (glyph.mapWidth == 0 || glyph.mapHeight == 0) continue;
        const QPoint topLeft(placed.x + glyph.mapLeft, placed.y + glyph.mapTop);
        maps.push_back({size.Map(glyph), glyph.mapWidth, glyph.mapHeight, topLeft});
        bounds |= QRect(topLeft, QSize(glyph.mapWidth, glyph.mapHeight));
    }
    RenderedText rendered{
        QImage(), bounds.topLeft(), QSizeF(laidOut.width / 64.0, laidOut.height / 64.0), {}};
    if (!bounds.isEmpty()) rendered.image = ColouriseCoverage(maps, bounds, colour);
    if (width < 0) return rendered;
    for (const LaidOutLine& line : laidOut.lines) {
        RenderedLine out{line.start, line.length, QRect(), line.breaksWord};
        for (std::size_t g = line.firstGlyph; g < line.firstGlyph + line.glyphCount; ++g) {
            const LaidOutGlyph& placed = laidOut.glyphs[g];
            const GlyphEntry& glyph = size.glyphs[placed.index];
            if (glyph.inkWidth == 0) continue;
            out.ink |= QRect(placed.x + glyph.inkLeft, placed.y + glyph.inkTop, glyph.inkWidth,
                             glyph.inkHeight);
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

const RenderedText& TextLayoutCache::Line(std::u16string_view text, int pixelSize, Argb colour) {
    return Find(Key{std::u16string(text), pixelSize, -1.0f, Align::Near, colour});
}

const RenderedText& TextLayoutCache::Block(std::u16string_view text, int pixelSize, float width,
                                           Align horizontal, Argb colour) {
    return Find(Key{std::u16string(text), pixelSize, std::max(width, 0.0f), horizontal, colour});
}

void TextLayoutCache::Clear() {
    m_texts.clear();
}

const RenderedText& TextLayoutCache::Find(Key key) {
    if (auto found = m_texts.find(key); found != m_texts.end()) return found->second;
    if (m_texts.size() >= kCapacity) m_texts.clear();
    RenderedText rendered = RenderScreenText(ScreenFontTable(), key.text, key.pixelSize, key.width,
                                             key.horizontal, key.colour);
    return m_texts.emplace(std::move(key), std::move(rendered)).first->second;
}

TextLayoutCache& SharedTextLayoutCache() {
    thread_local TextLayoutCache cache;
    return cache;
}

}  // namespace quorvel
