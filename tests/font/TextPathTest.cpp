// The font table against the Qt path it was made from: the committed file is the tool's output,
// and random texts come out the same through both.
#include <gtest/gtest.h>

#include <QFile>
#include <cstring>
#include <random>

#include "render/FontTableBytes.h"
#include "render/PainterText.h"
#include "render/TextLayoutCache.h"
#include "tools/FontTableBuilder.h"
#include "tools/QtTextPath.h"

namespace quorvel {
namespace {

const QString& PinnedFamily() {
    static const QString family = LoadPinnedFont(QString::fromLatin1(kLiberationSansPath)).family;
    return family;
}

TEST(FontTable, CommittedTableIsTheToolsOutputAndIsTheOneBuiltIn) {
    ASSERT_FALSE(PinnedFamily().isEmpty());
    QFile file(QStringLiteral(QUORVEL_SOURCE_DIR "/res/font/liberation-sans.qft"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray committed = file.readAll();
    const std::vector<std::uint8_t> built = SerializeFontTable(BuildFontTable(PinnedFamily()));
    ASSERT_EQ(static_cast<std::size_t>(committed.size()), built.size());
    EXPECT_EQ(std::memcmp(committed.constData(), built.data(), built.size()), 0);
    const std::span<const std::uint8_t> embedded = EmbeddedFontTableBytes();
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), built.begin(), built.end()));
}

struct Outcome {
    int same = 0;
    int total = 0;
};

bool Same(const RenderedText& a, const RenderedText& b, bool wraps) {
    if (a.image != b.image || (!a.image.isNull() && a.offset != b.offset) ||
        a.layout.height() != b.layout.height() || a.lines.size() != b.lines.size()) {
        return false;
    }
    for (std::size_t i = 0; wraps && i < a.lines.size(); ++i) {
        if (a.lines[i].start != b.lines[i].start || a.lines[i].length != b.lines[i].length ||
            a.lines[i].ink != b.lines[i].ink || a.lines[i].breaksWord != b.lines[i].breaksWord) {
            return false;
        }
    }
    return true;
}

std::u16string RandomText(std::mt19937& random, const std::vector<char16_t>& alphabet) {
    std::u16string text(std::uniform_int_distribution<int>(1, 30)(random), u' ');
    for (char16_t& c : text) {
        // Spaces often enough that most texts hold several words.
        if (random() % 6 != 0) c = alphabet[random() % alphabet.size()];
    }
    return text;
}

Outcome Compare(int pixelSize, int count, std::vector<float> widths, std::mt19937& random) {
    const std::vector<char16_t> alphabet = TableCharacters();
    const QFont font = ScreenQFont(PinnedFamily(), pixelSize);
    Outcome outcome;
    const Align aligns[] = {Align::Near, Align::Center, Align::Far};
    for (int i = 0; i < count; ++i) {
        const std::u16string text = RandomText(random, alphabet);
        const float width = widths[random() % widths.size()];
        const Align align = aligns[random() % 3];
        const RenderedText table =
            RenderScreenText(ScreenFontTable(), text, pixelSize, width, align, 0xFF102030);
        const RenderedText qt = RenderThroughQt(font, text, width, align, 0xFF102030);
        const bool same = Same(table, qt, width >= 0);
        outcome.same += same;
        ++outcome.total;
        if (!same && outcome.total - outcome.same <= 5) {
            std::string utf8 = QString::fromStdU16String(text).toStdString();
            ADD_FAILURE() << pixelSize << " w=" << width << " a=" << int(align) << " [" << utf8
                          << "] lines " << table.lines.size() << "/" << qt.lines.size() << " off "
                          << table.offset.x() << "/" << qt.offset.x() << " h "
                          << table.layout.height() << "/" << qt.layout.height();
            for (std::size_t l = 0; l < std::min(table.lines.size(), qt.lines.size()); ++l) {
                ADD_FAILURE() << "  line " << table.lines[l].start << "+" << table.lines[l].length
                              << " vs " << qt.lines[l].start << "+" << qt.lines[l].length;
            }
        }
    }
    return outcome;
}

TEST(FontTable, RandomTextsMatchQt) {
    ASSERT_FALSE(PinnedFamily().isEmpty());
    std::mt19937 random(20261207);
    for (int pixelSize : kTableSizes) {
        const Outcome line = Compare(pixelSize, 10000, {-1.0f}, random);
        const Outcome block = Compare(pixelSize, 10000, {300, 500, 560, 600}, random);
        std::vector<float> narrow;
        for (int w = 0; w < 200; ++w) narrow.push_back(w * 0.75f);
        const Outcome thin = Compare(pixelSize, 10000, narrow, random);
        std::printf("size %d: unwrapped %d/%d, wrapped %d/%d, narrow %d/%d\n", pixelSize, line.same,
                    line.total, block.same, block.total, thin.same, thin.total);
    }
}

}  // namespace
}  // namespace quorvel
