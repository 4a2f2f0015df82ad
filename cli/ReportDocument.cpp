#include "cli/ReportDocument.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <memory>

#include "cli/MeasurementTables.h"
#include "cli/ReportTexts.h"
#include "data/TextEncoding.h"
#include "figures/ScreenNames.h"
#include "render/ScreenRequest.h"
#include "render/VectorScreen.h"

namespace quorvel::cli {
namespace {

constexpr int kDpi = 96;
constexpr qreal kMargin = 48;
constexpr qreal kHeadingHeight = 44;
constexpr qreal kFooterHeight = 30;
constexpr qreal kCaptionHeight = 36;
constexpr qreal kCellPadding = 8;
constexpr int kTableFontPixels = 12;
constexpr int kSmallestTableFontPixels = 7;

QFont ReportFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Page {
    QString heading;
    std::function<void(QPainter&, const QRectF& body)> draw;
};

// A table drawn as rows of cells with a bold header row and hairlines between rows.
struct TableLayout {
    std::vector<QString> header;
    std::vector<std::vector<QString>> rows;
    std::vector<qreal> widths;
    int fontPixels = kTableFontPixels;
    qreal rowHeight = 0;
};

TableLayout FitTable(std::vector<QString> header, std::vector<std::vector<QString>> rows,
                     qreal width) {
    TableLayout table{std::move(header), std::move(rows), {}, kTableFontPixels, 0};
    const QFontMetricsF plain(ReportFont(kTableFontPixels));
    const QFontMetricsF bold(ReportFont(kTableFontPixels, true));
    table.widths.assign(table.header.size(), 0);
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        table.widths[c] = bold.horizontalAdvance(table.header[c]);
        for (const auto& row : table.rows) {
            table.widths[c] = std::max(table.widths[c], plain.horizontalAdvance(row[c]));
        }
        table.widths[c] += kCellPadding;
    }
    qreal natural = 0;
    for (qreal w : table.widths) natural += w;
    // A wide table gets a smaller font rather than cut words.
    if (natural > width) {
        const qreal scale = width / natural;
        table.fontPixels =
            std::max(kSmallestTableFontPixels, static_cast<int>(kTableFontPixels * scale));
        for (qreal& w : table.widths) w *= scale;
    }
    table.rowHeight = table.fontPixels * 1.8;
    return table;
}

void DrawTableRows(QPainter& painter, const TableLayout& table, std::size_t first,
                   std::size_t count, QPointF at) {
    const auto drawRow = [&](const std::vector<QString>& cells, qreal y, bool bold) {
        painter.setFont(ReportFont(table.fontPixels, bold));
        qreal x = at.x();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            painter.drawText(QRectF(x, y, table.widths[c], table.rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
            x += table.widths[c];
        }
        painter.drawLine(QPointF(at.x(), y + table.rowHeight), QPointF(x, y + table.rowHeight));
    };
    drawRow(table.header, at.y(), true);
    for (std::size_t r = 0; r < count; ++r) {
        drawRow(table.rows[first + r], at.y() + table.rowHeight * static_cast<qreal>(r + 1), false);
    }
}

class ReportBuilder {
  public:
    explicit ReportBuilder(const ReportInput& input)
        : m_input(input), m_texts(TextsFor(input.language)) {}

    Report Make() {
        Report report;
        QBuffer buffer(&report.pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setCreator(QStringLiteral("Quorvel ") + QString::fromStdString(m_input.version));
        writer.setTitle(m_texts.title + QStringLiteral(": ") +
                        QString::fromStdString(m_input.fileName));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(), QPageLayout::Millimeter));
        const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(kDpi).size());
        m_body =
            page.adjusted(kMargin, kMargin + kHeadingHeight, -kMargin, -kMargin - kFooterHeight);
        Plan();

        QPainter painter;
        if (!painter.begin(&writer)) return {};
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            if (i > 0) writer.newPage();
            painter.setPen(Qt::black);
            painter.setFont(ReportFont(22, true));
            painter.drawText(QRectF(kMargin, kMargin, page.width() - 2 * kMargin, kHeadingHeight),
                             Qt::AlignLeft | Qt::AlignTop, m_pages[i].heading);
            painter.setFont(ReportFont(12));
            painter.drawText(QRectF(kMargin, page.height() - kMargin - kFooterHeight / 2,
                                    page.width() - 2 * kMargin, kFooterHeight),
                             Qt::AlignHCenter | Qt::AlignTop,
                             m_texts.page.arg(i + 1).arg(m_pages.size()));
            m_pages[i].draw(painter, m_body);
        }
        painter.end();
        report.pages = static_cast<int>(m_pages.size());
        report.missingIcons = m_missingIcons;
        return report;
    }

  private:
    void Plan() {
        PlanTitle();
        const MeasurementTables tables =
            BuildMeasurementTables(*m_input.record, m_input.dvbTypes, m_input.language);
        for (DvbType dvbType : m_input.dvbTypes) PlanValues(dvbType, tables.measure);
        for (DvbType dvbType : m_input.dvbTypes) PlanScreens(dvbType);
    }

    void PlanTitle() {
        std::vector<std::vector<QString>> counts;
        std::size_t total = 0;
        for (DvbType dvbType : m_input.dvbTypes) {
            const auto catalogue = CatalogueFor(*m_input.record, dvbType);
            std::vector<QString> row{QString::fromUtf8(DvbDisplayName(dvbType))};
            for (Category family : kScreens) {
                row.push_back(QString::number(catalogue->Count(family)));
                total += catalogue->Count(family);
            }
            counts.push_back(std::move(row));
        }
        const std::vector<std::pair<QString, QString>> facts = {
            {m_texts.file, QString::fromStdString(m_input.fileName)},
            {m_texts.sha256, QString::fromStdString(m_input.sha256)},
            {m_texts.date, QString::fromStdString(m_input.date)},
            {m_texts.version, QString::fromStdString(m_input.version)}};
        const TableLayout countTable =
            FitTable({m_texts.dvbType, m_texts.measure, m_texts.spectrum, m_texts.constellation},
                     std::move(counts), m_body.width());
        m_pages.push_back(
            {m_texts.title,
             [this, facts, countTable, total](QPainter& painter, const QRectF& body) {
                 qreal y = body.top();
                 for (const auto& [label, value] : facts) {
                     painter.setFont(ReportFont(16, true));
                     painter.drawText(QPointF(body.left(), y + 16), label);
                     painter.setFont(ReportFont(16));
                     painter.drawText(QPointF(body.left() + 260, y + 16), value);
                     y += 30;
                 }
                 y += 20;
                 painter.setFont(ReportFont(18, true));
                 painter.drawText(QPointF(body.left(), y + 18), m_texts.countsHeading);
                 y += 34;
                 DrawTableRows(painter, countTable, 0, countTable.rows.size(),
                               QPointF(body.left(), y));
                 y += countTable.rowHeight * static_cast<qreal>(countTable.rows.size() + 2);
                 if (total == 0) {
                     painter.setFont(ReportFont(16));
                     painter.drawText(QRectF(body.left(), y, body.width(), 80), Qt::TextWordWrap,
                                      m_texts.nothingListed);
                 }
             }});
    }

    void PlanValues(DvbType dvbType, const CsvTable& measure) {
        const std::string display(DvbDisplayName(dvbType));
        std::vector<std::vector<std::string>> rows;
        for (const auto& row : measure.rows) {
            if (row.front() == display) rows.push_back(row);
        }
        if (rows.empty()) return;
        // The DVB type is the page's heading; columns this type's screens never show are left out.
        std::vector<std::size_t> shown;
        for (std::size_t c = 1; c < measure.columns.size(); ++c) {
            if (std::any_of(rows.begin(), rows.end(),
                            [c](const auto& row) { return !row[c].empty(); })) {
                shown.push_back(c);
            }
        }
        std::vector<QString> header;
        for (std::size_t c : shown)
            header.push_back(ColumnName(m_input.language, measure.columns[c]));
        std::vector<std::vector<QString>> cells;
        for (const auto& row : rows) {
            std::vector<QString> line;
            for (std::size_t c : shown) line.push_back(FromUtf8(row[c]));
            cells.push_back(std::move(line));
        }
        const TableLayout table = FitTable(std::move(header), std::move(cells), m_body.width());
        const auto perPage = std::max<std::size_t>(
            1, static_cast<std::size_t>(m_body.height() / table.rowHeight) - 1);
        const QString heading = m_texts.valuesHeading.arg(QString::fromStdString(display));
        for (std::size_t first = 0; first < table.rows.size(); first += perPage) {
            const std::size_t count = std::min(perPage, table.rows.size() - first);
            m_pages.push_back(
                {heading, [table, first, count](QPainter& painter, const QRectF& body) {
                     DrawTableRows(painter, table, first, count, body.topLeft());
                 }});
        }
    }

    void PlanScreens(DvbType dvbType) {
        const std::shared_ptr<const Catalogue> catalogue = CatalogueFor(*m_input.record, dvbType);
        const QString dvb = QString::fromUtf8(DvbDisplayName(dvbType));
        const QString heading = m_texts.screensHeading.arg(dvb);
        for (Category family : kScreens) {
            for (std::size_t k = 0; k < catalogue->Count(family); ++k) {
                ScreenRequest request;
                request.dvbType = dvbType;
                request.screen = family;
                request.position = k;
                request.language = m_input.language;
                const QString name = FamilyName(family, false);
                AddScreen(heading, catalogue, request, dvb, name);
                if (family == Category::Constellation) {
                    request.more = true;
                    AddScreen(heading, catalogue, request, dvb, FamilyName(family, true));
                }
            }
        }
    }

    QString FamilyName(Category family, bool more) const {
        switch (family) {
            case Category::Measure:
                return m_texts.measure;
            case Category::Spectrum:
                return m_texts.spectrum;
            case Category::Constellation:
                return more ? m_texts.constellationMore : m_texts.constellation;
            case Category::None:
                break;
        }
        return {};
    }

    void AddScreen(const QString& heading, std::shared_ptr<const Catalogue> catalogue,
                   const ScreenRequest& request, const QString& dvb, const QString& screenName) {
        const QString caption =
            m_texts.caption.arg(dvb, screenName, QString::number(request.position),
                                FromUtf8(EntryName(*catalogue, request)), m_texts.languageName);
        m_pages.push_back(
            {heading, [this, catalogue, request, caption](QPainter& painter, const QRectF& body) {
                 const QRectF room = body.adjusted(0, 0, 0, -kCaptionHeight);
                 const QRectF target = FitCentred(QSizeF(kScreenWidth, kScreenHeight), room);
                 painter.save();
                 painter.translate(target.topLeft());
                 painter.scale(target.width() / kScreenWidth, target.height() / kScreenHeight);
                 for (int icon : PaintPasses(painter, PassesFor(*catalogue, request), *catalogue)) {
                     if (std::find(m_missingIcons.begin(), m_missingIcons.end(), icon) ==
                         m_missingIcons.end()) {
                         m_missingIcons.push_back(icon);
                     }
                 }
                 painter.restore();
                 painter.setPen(Qt::black);
                 painter.setFont(ReportFont(14));
                 painter.drawText(
                     QRectF(body.left(), target.bottom() + 8, body.width(), kCaptionHeight),
                     Qt::AlignHCenter | Qt::AlignTop, caption);
             }});
    }

    static std::string EntryName(const Catalogue& catalogue, const ScreenRequest& request) {
        switch (request.screen) {
            case Category::Measure:
                return Utf8FromText8(catalogue.measure.names[request.position]);
            case Category::Spectrum:
                return Utf8FromText8(catalogue.spectrum.names[request.position]);
            case Category::Constellation:
                return Utf8FromText8(catalogue.constellation.names[request.position]);
            case Category::None:
                break;
        }
        return {};
    }

    const ReportInput& m_input;
    const ReportTexts& m_texts;
    QRectF m_body;
    std::vector<Page> m_pages;
    std::vector<int> m_missingIcons;
};

}  // namespace

Report MakeReport(const ReportInput& input) {
    return ReportBuilder(input).Make();
}

}  // namespace quorvel::cli
