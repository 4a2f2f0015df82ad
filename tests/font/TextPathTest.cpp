// The font table against the Qt path it was made from: the committed file is the tool's output,
// and random texts come out the same through both.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cstdio>
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
    const QByteArray bytes = file.readAll();
    const std::vector<std::uint8_t> committed(bytes.begin(), bytes.end());
    const std::vector<std::uint8_t> built = SerializeFontTable(BuildFontTable(PinnedFamily()));
    EXPECT_TRUE(committed == built)
        << "rewrite it with build/<preset>/tools/make_font_table res/font/liberation-sans.qft";
    const std::span<const std::uint8_t> embedded = EmbeddedFontTableBytes();
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), built.begin(), built.end()));
}

constexpr Argb kInk = 0xFF102030;

bool Same(const RenderedText& a, const RenderedText& b) {
    const auto sameLine = [](const RenderedLine& x, const RenderedLine& y) {
        return x.start == y.start && x.length == y.length && x.ink == y.ink &&
               x.breaksWord == y.breaksWord;
    };
    return a.image == b.image && (a.image.Empty() || a.offset == b.offset) &&
           a.layoutHeight == b.layoutHeight &&
           std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end(), sameLine);
}

// Texts of up to 30 characters the table holds, about one in six a space so that most hold
// several words; each laid out in one of `widths` (negative: unwrapped) with a random alignment.
int CountSame(int pixelSize, int count, const std::vector<float>& widths, std::mt19937& random) {
    const std::vector<char16_t> alphabet = TableCharacters();
    const QFont font = ScreenQFont(PinnedFamily(), pixelSize);
    int same = 0;
    for (int i = 0; i < count; ++i) {
        std::u16string text(std::uniform_int_distribution<int>(1, 30)(random), u' ');
        for (char16_t& c : text) {
            if (random() % 6 != 0) c = alphabet[random() % alphabet.size()];
        }
        const float width = widths[random() % widths.size()];
        const auto align = static_cast<Align>(random() % 3);
        same += Same(RenderScreenText(ScreenFontTable(), text, pixelSize, width, align, kInk),
                     RenderThroughQt(font, text, width, align, kInk));
    }
    return same;
}

TEST(FontTable, RandomTextsComeOutAsQtDrawsThem) {
    ASSERT_FALSE(PinnedFamily().isEmpty());
#if defined(__SANITIZE_ADDRESS__)
    // A tenth under the sanitizers, where each text costs thirty times more: the release run
    // holds all of them to Qt, and a thousand still walk every path of the layout.
    constexpr int kCount = 1000;
#else
    constexpr int kCount = 10000;
#endif
    std::mt19937 random(20261207);
    std::vector<float> narrow;  // far narrower than any screen's box, down to nothing
    for (int quarter = 0; quarter < 800; quarter += 3) narrow.push_back(quarter / 4.0f);
    for (int pixelSize : kTableSizes) {
        const int unwrapped = CountSame(pixelSize, kCount, {-1.0f}, random);
        const int wrapped = CountSame(pixelSize, kCount, {300, 500, 560, 600}, random);
        const int thin = CountSame(pixelSize, kCount, narrow, random);
        std::printf(
            "%d px: unwrapped %d, wrapped at the screens' widths %d, in narrow boxes %d of "
            "%d\n",
            pixelSize, unwrapped, wrapped, thin, kCount);
        EXPECT_EQ(unwrapped, kCount) << pixelSize;
        EXPECT_EQ(wrapped, kCount) << pixelSize;
        // What is left, about one text in 10,000 whatever the width: '!', '/', '?' and '}' break
        // alike between two characters, so the table gives all four the part '}' plays in a
        // number, where Qt holds "2/6" together and lets "4?" end one. And a text without a Latin
        // letter is shaped with no script, which splits a kerning pair's adjustment between its
        // two glyphs: a line that ends inside such a pair counts only the first glyph's share.
        EXPECT_GE(thin, kCount - 1) << pixelSize;
    }
}

// Texts built around the turns Qt's wrapping takes, in every box from nothing to a little wider
// than the text, right-aligned so that a line's advance shows in full: the overhang of a first
// word that spaces follow or that ends the text, spaces before and after a word, a soft hyphen's
// room and where it shows, and a number that ends the text.
TEST(FontTable, TurnsOfWrappingComeOutAsQtDrawsThemInEveryBox) {
    ASSERT_FALSE(PinnedFamily().isEmpty());
    const std::u16string texts[] = {
        u"ww x",           u"ww",          u"  ww",       u"ww   ",
        u"ab\u00ADcd ef",  u"ab\u00AD cd", u"ab\u00AD  ", u"\u00ADab\u00ADcd",
        u"x \u00A2\u00A18"};
    for (int pixelSize : kTableSizes) {
        const QFont font = ScreenQFont(PinnedFamily(), pixelSize);
        for (const std::u16string& text : texts) {
            const double wide = RenderThroughQt(font, text, -1.0f, Align::Near, kInk).layoutWidth;
            int differ = 0;
            for (float width = 0; width < wide + 2; width += 0.25f) {
                differ += !Same(
                    RenderScreenText(ScreenFontTable(), text, pixelSize, width, Align::Far, kInk),
                    RenderThroughQt(font, text, width, Align::Far, kInk));
            }
            EXPECT_EQ(differ, 0) << QString::fromStdU16String(text).toStdString() << " at "
                                 << pixelSize << " px";
        }
    }
}

}  // namespace
}  // namespace quorvel
