// The Constellation Analyzer screen as recorded operations: places, colours, texts and order.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ConstellationTestEntry.h"
#include "render/ConstellationScreen.h"
#include "render/RecordingCanvas.h"
#include "tests/render/RecordedOps.h"

namespace quorvel {
namespace {

using test::ConstellationBytes;
using test::Describe;
using test::TypicalConstellation;

constexpr IntRect kFullScreen{0, 0, kScreenWidth, kScreenHeight};
constexpr IntRect kBand{0, 240, 1280, 480};
constexpr Argb kPointColour = 0xFFC8C8C8;

std::vector<CanvasOp> Record(const ConstellationBytes& bytes, bool showMore,
                             IntRect area = kFullScreen, Language language = Language::English,
                             DvbType dvbType = DvbType::Satellite) {
    RecordingCanvas canvas(area);
    DrawConstellation(canvas, bytes.Entry(), language, dvbType, showMore);
    return canvas.Ops();
}

std::vector<IntRect> PointSquares(const std::vector<CanvasOp>& ops) {
    std::vector<IntRect> squares;
    for (const auto& op : ops) {
        const auto* fill = std::get_if<FillRectOp>(&op);
        if (fill && fill->colour == kPointColour) squares.push_back(fill->rect);
    }
    return squares;
}

std::optional<std::u16string> PointTextAt(const std::vector<CanvasOp>& ops, float x, float y) {
    for (const auto& op : ops) {
        const auto* text = std::get_if<PointTextOp>(&op);
        if (text && text->at == PointF{x, y}) return text->text;
    }
    return std::nullopt;
}

std::optional<std::u16string> BoxTextAt(const std::vector<CanvasOp>& ops, float x, float y) {
    for (const auto& op : ops) {
        const auto* text = std::get_if<RectTextOp>(&op);
        if (text && text->box.x == x && text->box.y == y) return text->text;
    }
    return std::nullopt;
}

std::optional<IntRect> FillAt(const std::vector<CanvasOp>& ops, Argb colour, int x, int y) {
    for (const auto& op : ops) {
        const auto* fill = std::get_if<FillRectOp>(&op);
        if (fill && fill->colour == colour && fill->rect.x == x && fill->rect.y == y) {
            return fill->rect;
        }
    }
    return std::nullopt;
}

const std::vector<std::string> kTypicalDiagram = {
    "fill ffe6e6e6 0,0 1280x720",
    "image 148 @1200,10",
    "image 145 @1000,650",
    "fill ff0080ff 0,78 1280x2",
    "text ff000000 35 @50,20 'Satellite > Constellation Analyzer'",
    "fill ff000000 0,90 650x630",
    "box ff000000 35 @680,120 500x60 1/1 '11778/V/27500'",
    "box ff000000 35 @680,200 500x60 1/1 'DVB-S2/8PSK'",
    "text ff000000 35 @680,280 'BER:'",
    "text ff000000 35 @880,280 '2.3E-5'",
    "text ff000000 35 @680,360 'C/N:'",
    "text ff000000 35 @880,360 '12.3 dB'",
    "text ff000000 35 @1060,650 'More'",
};

// Quality 80 and strength 60 differ, so a swapped pair of bars or percentages shows.
const std::vector<std::string> kTypicalMoreBand = {
    "fill ffe6e6e6 0,240 1280x480",
    "fill ff0080ff 50,310 1180x1",
    "fill ff0080ff 50,380 1180x1",
    "fill ffffffff 260,515 820x30",
    "fill ffffffff 260,585 820x30",
    "fill ff065e86 260,585 492x30",
    "fill ff065e86 260,515 656x30",
    "text ff000000 35 @60,250 'Transponder'",
    "text ff000000 35 @660,250 '11778/V/27500'",
    "text ff000000 35 @60,320 'PER:'",
    "text ff000000 35 @60,390 'C/N:'",
    "text ff000000 35 @660,320 'Mode:'",
    "text ff000000 35 @660,390 'BER:'",
    "text ff000000 35 @60,510 'Quality'",
    "text ff000000 35 @60,580 'Strength'",
    "text ffff0000 35 @200,320 '--45 dBm'",
    "text ffff8000 35 @800,320 'DVB-S2/8PSK'",
    "text ffff8000 35 @200,390 '12.3 dB'",
    "text ffff8000 35 @800,390 '2.3E-5'",
    "text ffff8000 35 @1100,580 '60 %'",
    "text ffff8000 35 @1100,510 '80 %'",
};

TEST(ConstellationScreen, DiagramViewDrawsItsElementsInOrder) {
    EXPECT_EQ(Describe(Record(TypicalConstellation(), false)), kTypicalDiagram);
}

TEST(ConstellationScreen, MoreViewOnTheF1RepaintDrawsOnlyTheBand) {
    EXPECT_EQ(Describe(Record(TypicalConstellation(), true, kBand)), kTypicalMoreBand);
}

TEST(ConstellationScreen, MoreViewOnAFullRepaintDrawsTheDiagramViewBeneathTheBand) {
    auto bytes = TypicalConstellation();
    bytes.Point(0, 10, -100).Point(1, 10, 300);
    // The whole diagram view comes first, points inside the band included; the band's
    // background then covers everything from y 240 down.
    std::vector<std::string> expected = kTypicalDiagram;
    expected.push_back("fill ffc8c8c8 10,20 2x2");
    expected.push_back("fill ffc8c8c8 10,420 2x2");
    expected.insert(expected.end(), kTypicalMoreBand.begin(), kTypicalMoreBand.end());
    EXPECT_EQ(Describe(Record(bytes, true)), expected);
    // One row above the band is enough to need the diagram view there.
    EXPECT_EQ(Describe(Record(bytes, true, {0, 239, 1280, 481})), expected);
}

struct TitleCase {
    int dvbType;
    Language language;
    std::optional<std::u16string> title;
};

TEST(ConstellationScreen, TitleFollowsTheBroadcastFamilyAndLanguage) {
    const TitleCase cases[] = {
        {2, Language::English, u"Satellite > Constellation Analyzer"},
        {2, Language::French, u"Satellite > Analyseur de constellation"},
        {1, Language::English, u"Terrestrial > Constellation Analyzer"},
        {1, Language::French, u"Terrestrial > Constellation Analyzer"},
        {0, Language::English, u"Cable > Constellation Analyzer"},
        {0, Language::French, u"Cable > Constellation Analyzer"},
        {3, Language::English, std::nullopt},
        {-1, Language::French, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto ops = Record(TypicalConstellation(), false, kFullScreen, c.language,
                                static_cast<DvbType>(c.dvbType));
        EXPECT_EQ(PointTextAt(ops, 50, 20), c.title) << "DvbType " << c.dvbType;
        EXPECT_EQ(ops.size(), kTypicalDiagram.size() - (c.title ? 0 : 1));
    }
}

struct NameCase {
    const char* what;
    std::int32_t frequency;
    std::u16string displayName;
    Language language;
    std::u16string expectedText;
    std::u16string expectedLabel;
};

TEST(ConstellationScreen, FrequencyZeroShowsTheDisplayNameInBothViews) {
    // 32 units fill bytes 50 to 113 with no terminator; the nonzero bytes 114 and 115 behind
    // them must not be read as a 33rd unit.
    const std::u16string full32 = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u20ac\u00e9\u4e2d\u6587!?";
    ASSERT_EQ(full32.size(), 32u);
    const NameCase cases[] = {
        {"name beyond Latin-1", 0, u"Astra \u20ac\u4e2d", Language::English, u"Astra \u20ac\u4e2d",
         u"Name"},
        {"French label", 0, u"Hotbird", Language::French, u"Hotbird", u"nom"},
        {"empty name", 0, u"", Language::English, u"", u"Name"},
        {"unterminated", 0, full32, Language::English, full32, u"Name"},
        {"negative frequency", -1, u"Hotbird", Language::English, u"-0001/V/27500", u"Transponder"},
    };
    for (const auto& c : cases) {
        auto bytes = TypicalConstellation();
        bytes.I32(ConstellationBytes::kFrequency, c.frequency)
            .Text16(ConstellationBytes::kDisplayName, c.displayName)
            .U8(115, 0x41);
        const auto diagram = Record(bytes, false, kFullScreen, c.language);
        const auto more = Record(bytes, true, kBand, c.language);
        EXPECT_EQ(BoxTextAt(diagram, 680, 120), c.expectedText) << c.what;
        EXPECT_EQ(PointTextAt(more, 660, 250), c.expectedText) << c.what;
        EXPECT_EQ(PointTextAt(more, 60, 250), c.expectedLabel) << c.what;
    }
}

struct PointCase {
    std::int16_t x, y;
    std::optional<IntRect> square;
};

TEST(ConstellationScreen, PointsAreDrawnUpToX600AndY570WithNoLowerLimit) {
    const PointCase cases[] = {
        {600, 570, IntRect{600, 690, 2, 2}},
        {601, 570, std::nullopt},
        {600, 571, std::nullopt},
        {10, 300, IntRect{10, 420, 2, 2}},
        {0, 0, IntRect{0, 120, 2, 2}},  // a zeroed slot is a point, not an empty one
        {-1, 0, IntRect{-1, 120, 2, 2}},
        {0, -100, IntRect{0, 20, 2, 2}},
        {-32768, -32768, IntRect{-32768, -32648, 2, 2}},
        {32767, 0, std::nullopt},
        {0, 32767, std::nullopt},
    };
    for (const auto& c : cases) {
        // The first and the last slot, so neither end of the arrays is left out.
        for (const int slot : {0, 999}) {
            auto bytes = TypicalConstellation();
            bytes.Point(slot, c.x, c.y);
            const auto squares = PointSquares(Record(bytes, false));
            const auto expected =
                c.square ? std::vector<IntRect>{*c.square} : std::vector<IntRect>{};
            EXPECT_EQ(squares, expected) << "x " << c.x << " y " << c.y << " slot " << slot;
        }
    }
}

TEST(ConstellationScreen, PointsComeLastAndInSlotOrder) {
    ConstellationBytes bytes = TypicalConstellation();
    std::vector<IntRect> expected;
    for (int slot = 0; slot < ConstellationBytes::kSlots; ++slot) {
        const auto x = static_cast<std::int16_t>(slot % 600);
        const auto y = static_cast<std::int16_t>(570 - slot / 2);
        bytes.Point(slot, x, y);
        expected.push_back({x, y + 120, 2, 2});
    }
    const auto ops = Record(bytes, false);
    ASSERT_EQ(ops.size(), kTypicalDiagram.size() + expected.size());
    const std::vector<CanvasOp> tail(ops.begin() + kTypicalDiagram.size(), ops.end());
    EXPECT_EQ(PointSquares(tail), expected);
}

TEST(ConstellationScreen, PointsAreSkippedOnlyWhenNoneCouldReachTheRepaintArea) {
    auto bytes = TypicalConstellation();
    bytes.Point(0, 0, -100);
    // A point above the diagram field lands in the title strip and must be repainted with it.
    EXPECT_EQ(PointSquares(Record(bytes, false, {0, 0, 1280, 30})).size(), 1u);
    EXPECT_TRUE(PointSquares(Record(bytes, false, {602, 0, 678, 720})).empty());
    EXPECT_TRUE(PointSquares(Record(bytes, false, {0, 692, 1280, 28})).empty());
}

struct BarCase {
    std::uint8_t quality, strength;
    int qualityWidth, strengthWidth;
    std::u16string qualityText, strengthText;
};

TEST(ConstellationScreen, BarsAreTheUnclampedPercentageOfTheTrack) {
    const BarCase cases[] = {
        {0, 5, 0, 41, u"00 %", u"05 %"},        {1, 50, 8, 410, u"01 %", u"50 %"},
        {99, 100, 811, 820, u"99 %", u"100 %"}, {101, 255, 828, 2091, u"101 %", u"255 %"},
        {255, 0, 2091, 0, u"255 %", u"00 %"},
    };
    for (const auto& c : cases) {
        auto bytes = TypicalConstellation();
        bytes.U8(ConstellationBytes::kQuality, c.quality)
            .U8(ConstellationBytes::kStrength, c.strength);
        const auto ops = Record(bytes, true, kBand);
        const auto qualityBar = FillAt(ops, 0xFF065E86, 260, 515);
        const auto strengthBar = FillAt(ops, 0xFF065E86, 260, 585);
        ASSERT_TRUE(qualityBar && strengthBar);
        EXPECT_EQ(qualityBar->w, c.qualityWidth) << int(c.quality);
        EXPECT_EQ(strengthBar->w, c.strengthWidth) << int(c.strength);
        EXPECT_EQ(PointTextAt(ops, 1100, 510), c.qualityText);
        EXPECT_EQ(PointTextAt(ops, 1100, 580), c.strengthText);
    }
}

TEST(ConstellationScreen, LevelIsPrintedAfterTwoDashes) {
    const std::pair<std::int32_t, std::u16string> cases[] = {
        {45, u"--45 dBm"}, {-45, u"---45 dBm"}, {0, u"--0 dBm"}};
    for (const auto& [level, text] : cases) {
        auto bytes = TypicalConstellation();
        bytes.I32(ConstellationBytes::kLevelDbm, level);
        EXPECT_EQ(PointTextAt(Record(bytes, true, kBand), 200, 320), text);
    }
}

TEST(ConstellationScreen, BitErrorRateWithoutReadingIsEmptyAndZeroIsBelowTheFloor) {
    const std::pair<std::int32_t, std::u16string> cases[] = {{-1, u""}, {0, u"<1.0E-9"}};
    for (const auto& [mantissa, text] : cases) {
        auto bytes = TypicalConstellation();
        bytes.I32(ConstellationBytes::kBerMantissa, mantissa)
            .I32(ConstellationBytes::kBerExponent, 7);
        EXPECT_EQ(PointTextAt(Record(bytes, false), 880, 280), text);
        EXPECT_EQ(PointTextAt(Record(bytes, true, kBand), 800, 390), text);
    }
}

}  // namespace
}  // namespace quorvel
