#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/ScreenText.h"
#include "data/TextEncoding.h"

namespace quorvel {
namespace {

TEST(ScreenText, LanguagesDifferOnlyWhereTheMeterTranslatesAndOnlyTheLastIdIsEmpty) {
    const std::set<int> translated = {2, 3, 5, 6, 11, 13, 15, 29};
    for (int id = 0; id < kScreenTextCount; ++id) {
        const std::u16string_view english = ScreenText(Language::English, static_cast<TextId>(id));
        const std::u16string_view french = ScreenText(Language::French, static_cast<TextId>(id));
        EXPECT_EQ(english != french, translated.count(id) == 1) << "id " << id;
        EXPECT_EQ(english.empty(), id == 35) << "id " << id;
        EXPECT_EQ(french.empty(), id == 35) << "id " << id;
    }
}

TEST(ScreenText, SpotChecksInBothLanguages) {
    struct Case {
        int id;
        std::u16string_view english;
        std::u16string_view french;
    };
    const Case cases[] = {
        {0, u"Satellite > Satellite Finding", u"Satellite > Satellite Finding"},
        {2, u"Transponder", u"transpondeur"},
        {3, u"Search", u"recherche"},
        {5, u"Strength", u"force"},
        {6, u"Quality", u"qualit\u00e9"},
        {7, u"PER:", u"PER:"},
        {11, u"Satellite > Constellation Analyzer", u"Satellite > Analyseur de constellation"},
        {13, u"Name", u"nom"},
        {15, u"None", u"aucun"},
        {22, u"Channel No.", u"Channel No."},
        {26, u"Cable > Measure", u"Cable > Measure"},
        {28, u"PER:", u"PER:"},
        {29, u"LOCK", u"bloquer"},
        {30, u"UNLOCK", u"UNLOCK"},
        {31, u"Terrestrial > Constellation Analyzer", u"Terrestrial > Constellation Analyzer"},
        {34, u"Cable > Spectrum Analyzer", u"Cable > Spectrum Analyzer"},
        {35, u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenText(Language::English, static_cast<TextId>(c.id)), c.english) << "id " << c.id;
        EXPECT_EQ(ScreenText(Language::French, static_cast<TextId>(c.id)), c.french) << "id " << c.id;
    }
}

TEST(ScreenText, UnknownIdsAndLanguagesGiveEmptyText) {
    EXPECT_TRUE(ScreenText(Language::English, static_cast<TextId>(-1)).empty());
    EXPECT_TRUE(ScreenText(Language::English, static_cast<TextId>(36)).empty());
    EXPECT_TRUE(ScreenText(Language::French, static_cast<TextId>(1000)).empty());
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
    EXPECT_EQ(WidenText(""), u"");
}

}  // namespace
}  // namespace quorvel
