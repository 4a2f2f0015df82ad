#include "tools/FontTableBuilder.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "data/ScreenText.h"
#include "data/TextEncoding.h"
#include "render/PainterText.h"
#include "tools/QtTextPath.h"

namespace quorvel {
namespace {

// Qt's text distances are whole 1/64 pixels.
std::int32_t Fixed(qreal value) {
    return static_cast<std::int32_t>(std::lround(value * 64));
}

QString Text(std::initializer_list<char16_t> characters) {
    QString text;
    for (char16_t c : characters) text.append(QChar(c));
    return text;
}

// Where QTextLayout puts the second of two characters' glyphs, relative to the first.
std::int32_t PenStep(const QFont& font, char16_t first, char16_t second) {
    QTextLayout layout(Text({first, second}), font);
    LayOutScreenText(layout, -1.0f, Align::Near);
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.size() == 1 && runs[0].positions().size() == 2
               ? Fixed(runs[0].positions()[1].x() - runs[0].positions()[0].x())
               : -1;
}

// The room a character takes at the end of a line of its own.
std::int32_t LineAdvance(const QFont& font, char16_t character) {
    QTextLayout layout(Text({character}), font);
    LayOutScreenText(layout, -1.0f, Align::Near);
    return Fixed(layout.lineAt(0).naturalTextWidth());
}

bool FitsOneLine(const QFont& font, const QString& text, std::int32_t width) {
    QTextLayout layout(text, font);
    LayOutScreenText(layout, static_cast<float>(width / 64.0), Align::Near);
    return layout.lineCount() == 1;
}

// How far past its advance the layout lets a glyph reach when it decides whether a word fits:
// the narrowest box that keeps "x <c>" on one line, less the advances.
std::int32_t Overhang(const QFont& font, const FontSizeData& size,
                      const std::vector<char16_t>& characters, std::uint16_t c) {
    const auto x = static_cast<std::uint16_t>(
        std::lower_bound(characters.begin(), characters.end(), u'x') - characters.begin());
    const auto space = static_cast<std::uint16_t>(
        std::lower_bound(characters.begin(), characters.end(), u' ') - characters.begin());
    const QString text = Text({u'x', u' ', characters[c]});
    const std::int32_t advances =
        size.Step(x, space) + size.Step(space, c) + size.glyphs[c].advance;
    std::int32_t low = advances;  // the narrowest box tried that may still be too narrow
    std::int32_t high = advances + 64 * size.pixelSize;
    if (FitsOneLine(font, text, low)) return 0;
    while (high - low > 1) {
        const std::int32_t middle = (low + high) / 2;
        (FitsOneLine(font, text, middle) ? high : low) = middle;
    }
    return high - advances;
}

// The step most pairs take is the glyph's advance; the others are kerning pairs.
std::int32_t MostCommon(const std::vector<std::int32_t>& steps) {
    std::map<std::int32_t, int> counts;
    for (std::int32_t step : steps) ++counts[step];
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

GlyphEntry Glyph(const QRawFont& raw, char16_t character, std::vector<std::uint8_t>& coverage) {
    GlyphEntry entry;
    const quint32 glyph = raw.glyphIndexesForString(Text({character})).value(0);
    const QRectF box = raw.boundingRect(glyph);
    if (!box.isEmpty()) {
        entry.inkLeft = static_cast<std::int16_t>(qRound(box.x()));
        entry.inkTop = static_cast<std::int16_t>(qRound(box.y()));
        entry.inkWidth = static_cast<std::uint16_t>(qCeil(box.width()));
        entry.inkHeight = static_cast<std::uint16_t>(qCeil(box.height()));
    }
    const QImage map = raw.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing)
                           .convertToFormat(QImage::Format_Alpha8);
    if (map.isNull()) return entry;
    entry.mapLeft = static_cast<std::int16_t>(qRound(box.x()));
    entry.mapTop = static_cast<std::int16_t>(qRound(box.y()));
    entry.mapWidth = static_cast<std::uint16_t>(map.width());
    entry.mapHeight = static_cast<std::uint16_t>(map.height());
    entry.mapOffset = static_cast<std::uint32_t>(coverage.size());
    for (int y = 0; y < map.height(); ++y) {
        coverage.insert(coverage.end(), map.constScanLine(y), map.constScanLine(y) + map.width());
    }
    return entry;
}

FontSizeData BuildSize(const QString& family, int pixelSize,
                       const std::vector<char16_t>& characters) {
    const QFont font = ScreenQFont(family, pixelSize);
    const QRawFont raw = QRawFont::fromFont(font);
    FontSizeData size;
    size.pixelSize = pixelSize;
    QTextLayout probe(QStringLiteral("x"), font);
    LayOutScreenText(probe, -1.0f, Align::Near);
    size.ascent = Fixed(probe.lineAt(0).ascent());
    size.lineHeight = Fixed(probe.lineAt(0).height());
    for (char16_t c : characters) size.glyphs.push_back(Glyph(raw, c, size.coverage));
    // A soft hyphen never sits between two glyphs on a line: the layout kerns across it.
    std::vector<std::uint16_t> drawn;
    for (std::uint16_t c = 0; c < characters.size(); ++c) {
        if (characters[c] != u'\u00AD') drawn.push_back(c);
        // It shows only where it ends a line, as a hyphen that takes its own room.
        if (characters[c] == u'\u00AD') size.glyphs[c].advance = LineAdvance(font, characters[c]);
    }
    for (std::uint16_t a : drawn) {
        std::vector<std::int32_t> steps;
        for (std::uint16_t b : drawn) steps.push_back(PenStep(font, characters[a], characters[b]));
        size.glyphs[a].advance = MostCommon(steps);
        for (std::size_t b = 0; b < drawn.size(); ++b) {
            const std::int32_t adjustment = steps[b] - size.glyphs[a].advance;
            if (adjustment != 0) size.kerning.push_back({a, drawn[b], adjustment});
        }
    }
    for (std::uint16_t c : drawn) {
        size.glyphs[c].rightBearing = -Overhang(font, size, characters, c);
    }
    return size;
}

// Qt's line-break opportunities between two characters, grouped into classes of characters that
// break alike on either side.
void BuildBreaks(FontTableData& table) {
    const std::size_t count = table.characters.size();
    std::vector<std::vector<bool>> breaks(count, std::vector<bool>(count));
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = 0; b < count; ++b) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Line,
                                       Text({table.characters[a], table.characters[b]}));
            finder.setPosition(1);
            breaks[a][b] = finder.isAtBoundary();
        }
    }
    std::map<std::vector<bool>, std::uint8_t> classes;
    std::vector<std::size_t> representative;
    for (std::size_t c = 0; c < count; ++c) {
        std::vector<bool> signature = breaks[c];
        for (std::size_t other = 0; other < count; ++other) signature.push_back(breaks[other][c]);
        const auto [found, added] =
            classes.emplace(signature, static_cast<std::uint8_t>(classes.size()));
        if (added) representative.push_back(c);
        table.breakClass.push_back(found->second);
    }
    table.classCount = static_cast<int>(classes.size());
    // A character's part in a number follows from the class it breaks with, named by a
    // character known to have it; mathematical symbols that break as letters separate digits.
    const auto classOf = [&](char16_t c) {
        const auto at = std::lower_bound(table.characters.begin(), table.characters.end(), c);
        return table.breakClass[static_cast<std::size_t>(at - table.characters.begin())];
    };
    const std::pair<char16_t, NumberPart> kParts[] = {{u'$', NumberPart::PrefixOrPostfix},
                                                      {u'%', NumberPart::PrefixOrPostfix},
                                                      {u'(', NumberPart::OpenOrHyphen},
                                                      {u'-', NumberPart::OpenOrHyphen},
                                                      {u'0', NumberPart::Digit},
                                                      {u',', NumberPart::Separator},
                                                      {u'/', NumberPart::Separator},
                                                      {u')', NumberPart::Close},
                                                      {u'}', NumberPart::Close}};
    for (std::size_t c = 0; c < count; ++c) {
        NumberPart part = NumberPart::None;
        for (const auto& [named, namedPart] : kParts) {
            if (table.breakClass[c] == classOf(named)) part = namedPart;
        }
        if (table.breakClass[c] == classOf(u'a') &&
            QChar(table.characters[c]).category() == QChar::Symbol_Math) {
            part = NumberPart::Separator;
        }
        table.numberPart.push_back(static_cast<std::uint8_t>(part));
    }
    for (std::size_t row : representative) {
        for (std::size_t column : representative) table.breaks.push_back(breaks[row][column]);
    }
}

}  // namespace

std::vector<char16_t> TableCharacters() {
    std::set<char16_t> characters;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char narrow = static_cast<char>(byte);
        const char16_t wide = WidenText(std::string_view(&narrow, 1)).front();
        if (QChar(wide).category() != QChar::Other_Control) characters.insert(wide);
    }
    for (Language language : {Language::English, Language::French}) {
        for (int id = 0; id < kScreenTextCount; ++id) {
            for (char16_t c : ScreenText(language, static_cast<TextId>(id))) characters.insert(c);
        }
    }
    return {characters.begin(), characters.end()};
}

FontTableData BuildFontTable(const QString& family) {
    FontTableData table;
    table.characters = TableCharacters();
    for (char16_t c : table.characters) table.wordCharacter.push_back(QChar(c).isLetterOrNumber());
    BuildBreaks(table);
    for (int pixelSize : kTableSizes)
        table.sizes.push_back(BuildSize(family, pixelSize, table.characters));
    return table;
}

}  // namespace quorvel
