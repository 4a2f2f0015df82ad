#include "render/TextLayoutCache.h"

#include <QCoreApplication>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QTextOption>
#include <QThread>
#include <QtMath>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace quorvel {
namespace {

// Wide enough for any single line at the screens' sizes.
constexpr qreal kUnboundedWidth = 1e6;

struct PlacedGlyph {
    QImage coverage;  // Format_Alpha8
    QPoint topLeft;   // relative to the layout box
};

std::vector<PlacedGlyph> PlaceGlyphs(const QTextLayout& layout) {
    std::vector<PlacedGlyph> placed;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            QImage coverage = font.alphaMapForGlyph(indexes[i], QRawFont::PixelAntialiasing);
            if (coverage.isNull()) continue;
            if (coverage.format() != QImage::Format_Alpha8) {
                coverage = coverage.convertToFormat(QImage::Format_Alpha8);
            }
            // The map's box relative to the pen position: whole pixels for an untransformed font.
            const QRectF box = font.boundingRect(indexes[i]);
            const QPoint pen(qRound(positions[i].x()), qRound(positions[i].y()));
            placed.push_back({coverage, pen + QPoint(qRound(box.x()), qRound(box.y()))});
        }
    }
    return placed;
}

// Overlapping glyphs combine as coverage over coverage, then take the colour. Every text a
// pass has not drawn before comes through here, so the loops stay on plain pointers.
QImage Colourise(const std::vector<PlacedGlyph>& glyphs, const QRect& bounds, Argb colour) {
    const int width = bounds.width();
    const int height = bounds.height();
    std::vector<uchar> coverage(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (const PlacedGlyph& glyph : glyphs) {
        const QPoint at = glyph.topLeft - bounds.topLeft();
        const int glyphWidth = glyph.coverage.width();
        const int glyphHeight = glyph.coverage.height();
        for (int y = 0; y < glyphHeight; ++y) {
            const uchar* src = glyph.coverage.constScanLine(y);
            uchar* dst = coverage.data() + static_cast<std::size_t>(at.y() + y) * width + at.x();
            for (int x = 0; x < glyphWidth; ++x) {
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

bool InWord(QChar c) {
    return c.isLetterOrNumber();
}

// Each line's characters and ink box, from the glyph boxes the font gives (no coverage maps,
// which are the costly part of a rendering).
std::vector<RenderedLine> LinesOf(const QTextLayout& layout) {
    const QString& text = layout.text();
    std::vector<RenderedLine> lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        RenderedLine out{line.textStart(), line.textLength(), QRect(), false};
        const int end = out.start + out.length;
        out.breaksWord = end > 0 && end < text.size() && InWord(text[end - 1]) && InWord(text[end]);
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                const QRectF box = font.boundingRect(indexes[g]);
                if (box.isEmpty()) continue;
                const QPoint pen(qRound(positions[g].x()), qRound(positions[g].y()));
                out.ink |= QRect(pen + QPoint(qRound(box.x()), qRound(box.y())),
                                 QSize(qCeil(box.width()), qCeil(box.height())));
            }
        }
        lines.push_back(out);
    }
    return lines;
}

}  // namespace

QFont ScreenQFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QSizeF LayOutScreenText(QTextLayout& layout, float width, Align horizontal) {
    const bool wraps = width >= 0;
    QTextOption option;
    if (wraps) {
        static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                        Qt::AlignRight};
        option.setAlignment(kHorizontal[static_cast<int>(horizontal)]);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    } else {
        option.setWrapMode(QTextOption::NoWrap);
    }
    layout.setTextOption(option);
    qreal height = 0;
    qreal widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(wraps ? width : kUnboundedWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return {widest, height};
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

const QFont& TextLayoutCache::Font(int pixelSize) {
    auto found = m_fonts.find(pixelSize);
    if (found == m_fonts.end()) found = m_fonts.emplace(pixelSize, ScreenQFont(pixelSize)).first;
    return found->second;
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
    m_fonts.clear();
}

const RenderedText& TextLayoutCache::Find(Key key) {
    if (auto found = m_texts.find(key); found != m_texts.end()) return found->second;
    if (m_texts.size() >= kCapacity) m_texts.clear();
    RenderedText rendered = Render(key);
    return m_texts.emplace(std::move(key), std::move(rendered)).first->second;
}

RenderedText TextLayoutCache::Render(const Key& key) {
    QTextLayout layout(QString::fromUtf16(key.text.data(), static_cast<qsizetype>(key.text.size())),
                       Font(key.pixelSize));
    const QSizeF size = LayOutScreenText(layout, key.width, key.horizontal);

    const std::vector<PlacedGlyph> glyphs = PlaceGlyphs(layout);
    QRect bounds;
    for (const PlacedGlyph& glyph : glyphs) bounds |= QRect(glyph.topLeft, glyph.coverage.size());
    RenderedText rendered{QImage(), bounds.topLeft(), size, {}};
    if (!bounds.isEmpty()) rendered.image = Colourise(glyphs, bounds, key.colour);
    if (key.width >= 0) rendered.lines = LinesOf(layout);  // rectangle layout
    return rendered;
}

TextLayoutCache& SharedTextLayoutCache() {
    thread_local TextLayoutCache cache;
    // The application's own thread keeps its cache until the process ends, after Qt has shut its
    // font database down, so that cache lets go of its fonts when the application object goes.
    // Worker threads drop theirs when they end. The routine is registered by the thread whose
    // cache it clears, so it never touches a cache that was not constructed.
    thread_local const bool clearedWithApplication = [] {
        const QCoreApplication* application = QCoreApplication::instance();
        if (application && QThread::currentThread() == application->thread()) {
            qAddPostRoutine([] { SharedTextLayoutCache().Clear(); });
        }
        return true;
    }();
    (void)clearedWithApplication;
    return cache;
}

}  // namespace quorvel
