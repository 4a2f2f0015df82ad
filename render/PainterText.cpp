#include "render/PainterText.h"

#include <QTextOption>
#include <algorithm>

namespace quorvel {
namespace {

// Wide enough for any single line at the screens' sizes.
constexpr qreal kUnboundedWidth = 1e6;

}  // namespace

QFont ScreenQFont(const QString& family, int pixelSize) {
    return ScreenQFont(QFont(family), pixelSize);
}

QFont ScreenQFont(QFont face, int pixelSize) {
    face.setPixelSize(pixelSize);
    face.setWeight(QFont::Normal);
    face.setStyle(QFont::StyleNormal);
    return face;
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

}  // namespace quorvel
