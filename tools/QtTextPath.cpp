#include "tools/QtTextPath.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <QtMath>
#include <vector>

#include "render/PainterText.h"

namespace quorvel {
namespace {

// Wide enough for any single line at the screens' sizes.
constexpr qreal kUnboundedWidth = 1e6;

// A glyph's box relative to its pen position: whole pixels for an untransformed font.
IntPoint Corner(const QRectF& box) {
    return {qRound(box.x()), qRound(box.y())};
}

IntPoint Pen(QPointF position) {
    return {qRound(position.x()), qRound(position.y())};
}

IntPoint Plus(IntPoint a, IntPoint b) {
    return {a.x + b.x, a.y + b.y};
}

// Calls `each(rawFont, glyphIndex, pen)` for every glyph of `runs`.
template <typename Each>
void ForEachGlyph(const QList<QGlyphRun>& runs, Each each) {
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) each(font, indexes[i], Pen(positions[i]));
    }
}

}  // namespace

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

RenderedText RenderThroughQt(const QFont& font, std::u16string_view text, float width,
                             Align horizontal, Argb colour) {
    const QString string = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    QTextLayout layout(string, font);
    const QSizeF size = LayOutScreenText(layout, width, horizontal);

    // Rows packed tightly, as the table keeps them.
    std::vector<std::vector<std::uint8_t>> maps;
    std::vector<PlacedCoverage> placed;
    IntRect bounds;
    ForEachGlyph(layout.glyphRuns(), [&](const QRawFont& raw, quint32 glyph, IntPoint pen) {
        const QImage map = raw.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing)
                               .convertToFormat(QImage::Format_Alpha8);
        if (map.isNull()) return;
        std::vector<std::uint8_t>& rows = maps.emplace_back();
        for (int y = 0; y < map.height(); ++y) {
            rows.insert(rows.end(), map.constScanLine(y), map.constScanLine(y) + map.width());
        }
        const IntPoint corner = Plus(pen, Corner(raw.boundingRect(glyph)));
        placed.push_back({{}, map.width(), map.height(), corner});
        bounds = Union(bounds, {corner.x, corner.y, map.width(), map.height()});
    });
    for (std::size_t i = 0; i < maps.size(); ++i) placed[i].map = maps[i];
    RenderedText rendered;
    rendered.offset = {bounds.x, bounds.y};
    rendered.layoutWidth = size.width();
    rendered.layoutHeight = size.height();
    if (!IsEmpty(bounds)) rendered.image = ColouriseCoverage(placed, bounds, colour);
    if (width < 0) return rendered;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        RenderedLine out{line.textStart(), line.textLength(), {}, false};
        const int end = out.start + out.length;
        out.breaksWord = end > 0 && end < string.size() && string[end - 1].isLetterOrNumber() &&
                         string[end].isLetterOrNumber();
        ForEachGlyph(line.glyphRuns(), [&](const QRawFont& raw, quint32 glyph, IntPoint pen) {
            const QRectF box = raw.boundingRect(glyph);
            if (box.isEmpty()) return;
            const IntPoint corner = Plus(pen, Corner(box));
            out.ink = Union(out.ink, {corner.x, corner.y, qCeil(box.width()), qCeil(box.height())});
        });
        rendered.lines.push_back(out);
    }
    return rendered;
}

}  // namespace quorvel
