#include <gtest/gtest.h>

#include <set>

#include "data/ScreenText.h"
#include "data/TextEncoding.h"

namespace quorvel {
namespace {

TEST(ScreenText, LanguagesDifferOnlyWhereTheMeterTranslatesAndUnknownIdsAreEmpty) {
    const std::set<int> translated = {2, 3, 5, 6, 11, 13, 15, 29};
    for (int id = 0; id < kScreenTextCount; ++id) {
        const std::u16string_view english = ScreenText(Language::English, static_cast<TextId>(id));
        const std::u16string_view french = ScreenText(Language::French, static_cast<TextId>(id));
        EXPECT_EQ(english != french, translated.count(id) == 1) << "id " << id;
        EXPECT_EQ(english.empty(), id == 35) << "id " << id;
        EXPECT_EQ(french.empty(), id == 35) << "id " << id;
    }
    EXPECT_EQ(ScreenText(Language::French, TextId::Quality), u"qualit\u00e9");
    EXPECT_EQ(ScreenText(Language::English, TextId::CableSpectrumTitle),
              u"Cable > Spectrum Analyzer");
    EXPECT_TRUE(ScreenText(Language::English, static_cast<TextId>(-1)).empty());
    EXPECT_TRUE(ScreenText(Language::English, static_cast<TextId>(kScreenTextCount)).empty());
    EXPECT_TRUE(ScreenText(static_cast<Language>(2), TextId::Satellite).empty());
}

TEST(WidenText, MapsEveryWindows1252ByteToOneCodeUnit) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const std::u16string wide = WidenText(all);
    ASSERT_EQ(wide.size(), 256u);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x80 || byte > 0x9F) {
            EXPECT_EQ(wide[static_cast<std::size_t>(byte)], byte) << byte;
        }
    }
    EXPECT_EQ(wide.substr(0x80, 32),
              std::u16string_view(u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                                  u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                  u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                  u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178"));
}

}  // namespace
}  // namespace quorvel
