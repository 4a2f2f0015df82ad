#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/ScreenText.h"
#include "data/TextEncoding.h"

namespace quorvel {
namespace {

TEST(ScreenText, LanguagesDifferOnlyWhereTheMeterTranslates) {
    const std::set<int> translated = {2, 3, 5, 6, 11, 13, 15, 29};
    for (int id = 0; id < kScreenTextCount; ++id) {
        const bool differs = ScreenText(Language::English, id) != ScreenText(Language::French, id);
        EXPECT_EQ(differs, translated.count(id) == 1) << "id " << id;
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
        EXPECT_EQ(ScreenText(Language::English, c.id), c.english) << "id " << c.id;
        EXPECT_EQ(ScreenText(Language::French, c.id), c.french) << "id " << c.id;
    }
}

TEST(ScreenText, OnlyTheLastIdIsEmpty) {
    for (Language language : {Language::English, Language::French}) {
        for (int id = 0; id < kScreenTextCount; ++id) {
            EXPECT_EQ(ScreenText(language, id).empty(), id == 35) << "id " << id;
        }
    }
}

TEST(ScreenText, UnknownIdsAndLanguagesGiveEmptyText) {
    EXPECT_TRUE(ScreenText(Language::English, -1).empty());
    EXPECT_TRUE(ScreenText(Language::English, 36).empty());
    EXPECT_TRUE(ScreenText(Language::French, 1000).empty());
    EXPECT_TRUE(ScreenText(static_cast<Language>(2), 1).empty());
}

TEST(WidenText, MapsWindows1252) {
    EXPECT_EQ(WidenText("Astra 19.2\xB0 E"), u"Astra 19.2\u00B0 E");
    EXPECT_EQ(WidenText("qualit\xE9"), u"qualit\u00E9");
    EXPECT_EQ(WidenText("\x80\x8A\x9F\xFF"), u"\u20AC\u0160\u0178\u00FF");
    // Bytes the code page leaves undefined keep their value.
    EXPECT_EQ(WidenText("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(WidenText(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(WidenText(""), u"");
}

TEST(WidenText, EveryByteGivesOneCodeUnit) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const std::u16string wide = WidenText(all);
    ASSERT_EQ(wide.size(), 256u);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x80 || byte > 0x9F) {
            EXPECT_EQ(wide[static_cast<std::size_t>(byte)], byte) << byte;
        }
    }
    EXPECT_EQ(wide[0x85], u'\u2026');
    EXPECT_EQ(wide[0x96], u'\u2013');
    EXPECT_EQ(wide[0x99], u'\u2122');
}

}  // namespace
}  // namespace quorvel
