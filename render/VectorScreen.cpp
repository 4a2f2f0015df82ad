#include "render/VectorScreen.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>

#include "render/PainterReplay.h"
#include "render/ScreenRecording.h"

namespace quorvel {
namespace {

constexpr int kScreenDpi = 96;
constexpr qreal kPaperMarginMm = 10;
const QRect kScreenRect(0, 0, kScreenWidth, kScreenHeight);

QPageSize PageSizeOf(PaperSize paper) {
    switch (paper) {
        case PaperSize::A4:
            return QPageSize(QPageSize::A4);
        case PaperSize::Letter:
            return QPageSize(QPageSize::Letter);
        case PaperSize::Screen:
            break;
    }
    // Points are 1/72 inch: the screen's pixels at 96 per inch.
    return QPageSize(QSizeF(kScreenWidth * 72.0 / kScreenDpi, kScreenHeight * 72.0 / kScreenDpi),
                     QPageSize::Point, QString(), QPageSize::ExactMatch);
}

}  // namespace

std::vector<int> PaintPasses(QPainter& painter, std::span<const ScreenPass> passes,
                             const Catalogue& catalogue, const QFont& face) {
    std::vector<int> missing;
    // Constellation points may lie anywhere up and left of the screen.
    painter.save();
    painter.setClipRect(kScreenRect, Qt::IntersectClip);
    for (std::size_t i = 0; i < passes.size(); ++i) {
        PixelRegion area({&passes[i].area, 1}, kWholeScreen);
        for (std::size_t later = i + 1; later < passes.size(); ++later) {
            area.Subtract(passes[later].area);
        }
        const DisplayList list = RecordScreen(passes[i].state, catalogue);
        ReplayOnPainter(painter, list, area, face);
        for (const MissingIcon& icon : list.missingIcons) {
            if (std::find(missing.begin(), missing.end(), icon.id) == missing.end()) {
                missing.push_back(icon.id);
            }
        }
    }
    painter.restore();
    return missing;
}

QRectF FitCentred(QSizeF size, const QRectF& room) {
    const QSizeF fitted = size.scaled(room.size(), Qt::KeepAspectRatio);
    return QRectF(room.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

VectorPicture ScreenSvg(std::span<const ScreenPass> passes, const Catalogue& catalogue) {
    VectorPicture picture;
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(kScreenRect.size());
    generator.setViewBox(kScreenRect);
    generator.setResolution(kScreenDpi);
    generator.setTitle(QStringLiteral("Quorvel screen"));
    QPainter painter;
    if (!painter.begin(&generator)) return {};
    picture.missingIcons = PaintPasses(painter, passes, catalogue);
    painter.end();
    const qsizetype root = picture.bytes.indexOf("<svg ");
    const qsizetype rootEnd = picture.bytes.indexOf('>', root);
    if (root < 0 || rootEnd < 0) return picture;
    // The generator gives the size in millimetres to a thousandth, a little over 1280 pixels,
    // so viewers opened a picture one pixel wider than the screen; whole pixels say it exactly.
    // Fills are whole pixels too: a viewer draws their edges crisp, as the meter does. Texts
    // are not shapes, so they keep their smoothing.
    QString rootTag = QString::fromUtf8(picture.bytes.mid(root, rootEnd - root));
    static const QRegularExpression size(QStringLiteral(R"(width="[^"]*" height="[^"]*")"));
    rootTag.replace(size, QStringLiteral(R"(shape-rendering="crispEdges" width="%1" height="%2")")
                              .arg(kScreenWidth)
                              .arg(kScreenHeight));
    picture.bytes.replace(root, rootEnd - root, rootTag.toUtf8());
    return picture;
}

VectorPicture ScreenPdf(std::span<const ScreenPass> passes, const Catalogue& catalogue,
                        PaperSize paper) {
    VectorPicture picture;
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kScreenDpi);
    writer.setCreator(QStringLiteral("Quorvel"));
    writer.setTitle(QStringLiteral("Quorvel screen"));
    const bool onPaper = paper != PaperSize::Screen;
    writer.setPageLayout(QPageLayout(PageSizeOf(paper),
                                     onPaper ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    if (onPaper) {
        const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(kScreenDpi).size());
        const qreal margin = kPaperMarginMm / 25.4 * kScreenDpi;
        const QRectF target =
            FitCentred(kScreenRect.size(), page.adjusted(margin, margin, -margin, -margin));
        painter.translate(target.topLeft());
        painter.scale(target.width() / kScreenWidth, target.height() / kScreenHeight);
    }
    picture.missingIcons = PaintPasses(painter, passes, catalogue);
    painter.end();
    return picture;
}

}  // namespace quorvel
