// Satellite Finding screen: recorded passes checked for values, places, conditions and order.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <ostream>

#include "render/ImageCanvas.h"
#include "render/RecordingCanvas.h"
#include "render/SatelliteFindingScreen.h"
#include "render/ScreenPainter.h"
#include "tests/render/MeasureTestSupport.h"

namespace quorvel {
namespace {

using test::DrawnText;
using test::ExpectTexts;
using test::MeasureBytes;
using test::RectsIn;
using test::TextAt;
namespace field = test::field;

constexpr std::uint8_t kSatellite = 2;
constexpr Argb kGrey = 0xFFE6E6E6, kWhite = 0xFFFFFFFF, kBar = 0xFF800000, kBlue = 0xFF0080FF;
constexpr Argb kBlack = 0xFF000000, kOrange = 0xFFFF8000, kGreen = 0xFF00FF00, kRed = 0xFFFF0000;

std::vector<CanvasOp> Record(const MeasureBytes& bytes, Language language = Language::English) {
    RecordingCanvas canvas;
    DrawSatelliteFinding(canvas, MeasureEntry(bytes.View()), language);
    return canvas.Ops();
}

TEST(SatelliteFindingScreen, TypicalEntryPutsEachFieldBesideItsLabel) {
    const auto ops = Record(test::TypicalMeasureEntry(kSatellite));
    ExpectTexts(ops, {
                         {660, 103, "Astra 1KR", kBlack},
                         {660, 170, "11778/V/27500", kBlack},
                         {660, 240, "OK", kBlack},
                         {360, 310, "DVB-S2/8PSK 12603/22000 019.2\u00B0 E", kBlack},
                         {530, 380, "PER:", kBlack},
                         {650, 380, "-65 dBm", kOrange},
                         {900, 380, "C/N:", kBlack},
                         {1000, 380, "12.3 dB", kOrange},
                         {530, 450, "FEC:", kBlack},
                         {650, 450, "3/4", kOrange},
                         {900, 450, "BER:", kBlack},
                         {1000, 450, "2.3E-5", kOrange},
                         {1100, 510, "87 %", kOrange},
                         {1100, 580, "64 %", kOrange},
                     });
    // The packet error rate (4.1E-7) has no place on this screen.
    for (const DrawnText& text : test::TextsOf(ops)) EXPECT_NE(text.text, "4.1E-7");
}

TEST(SatelliteFindingScreen, AllZeroEntryStillDrawsEveryElement) {
    const auto ops = Record(test::ZeroMeasureEntry(kSatellite));
    EXPECT_EQ(ops.size(), 33u);  // 35 elements less the two badges
    ExpectTexts(ops, {
                         {660, 103, "", kBlack},
                         {660, 170, "00000/H/00000", kBlack},
                         {360, 310, "DVB-T/16-QAM 00000/00000 000.0\u00B0 W", kBlack},
                         {650, 380, "0 dBm", kOrange},
                         {1000, 380, "00.0 dB", kOrange},
                         {650, 450, "1/2", kOrange},
                         {1000, 450, "<1.0E-9", kOrange},
                         {1100, 510, "00 %", kOrange},
                         {1100, 580, "00 %", kOrange},
                     });
    EXPECT_EQ(RectsIn(ops, kBar), (std::vector<IntRect>{{220, 525, 0, 30}, {220, 595, 0, 30}}));
    EXPECT_EQ(test::IconsOf(ops), std::vector<IconId>{IconId::Battery});
    const auto* lock = std::get_if<RectTextOp>(&ops.back());
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(test::Utf8(lock->text), "UNLOCK");
    EXPECT_EQ(lock->colour, kRed);
}

TEST(SatelliteFindingScreen, LayersFromBackgroundToLockWord) {
    const auto ops = Record(test::TypicalMeasureEntry(kSatellite));
    ASSERT_EQ(ops.size(), 35u);

    const auto fills = test::OpsOf<FillRectOp>(ops);
    ASSERT_EQ(fills.size(), 11u);
    EXPECT_EQ(fills[0].colour, kGrey);
    EXPECT_EQ(fills[0].rect, (IntRect{0, 0, kScreenWidth, kScreenHeight}));
    EXPECT_EQ(fills[1].colour, kWhite);
    EXPECT_EQ(fills[1].rect, (IntRect{0, 300, 1280, 340}));
    // Grey tracks, then the bars over them, then the blue rules over everything filled so far.
    EXPECT_EQ(fills[2].colour, kGrey);
    EXPECT_EQ(fills[3].colour, kGrey);
    EXPECT_EQ(fills[2].rect, (IntRect{220, 525, 860, 30}));
    EXPECT_EQ(fills[3].rect, (IntRect{220, 595, 860, 30}));
    EXPECT_EQ(fills[4].colour, kBar);
    EXPECT_EQ(fills[5].colour, kBar);
    for (std::size_t i = 6; i < fills.size(); ++i) EXPECT_EQ(fills[i].colour, kBlue) << i;
    EXPECT_EQ(fills[9].rect, (IntRect{0, 300, 1280, 5}));  // the white band's upper edge

    // Fills, then icons, then texts; each kind in one run.
    std::string kinds;
    for (const CanvasOp& op : ops) kinds += "FPTBI"[op.index()];
    EXPECT_EQ(kinds, std::string(11, 'F') + "III" + "TTTT" + "BBBB" + std::string(12, 'T') + "B");

    const auto texts = test::TextsOf(ops);
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        EXPECT_EQ(texts[i].font, kFontNormal) << i;
    }
    const auto boxes = test::OpsOf<RectTextOp>(ops);
    for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].format, (TextFormat{Align::Center, Align::Center})) << i;
    }
}

struct BarCase {
    std::uint8_t strength, quality;
    int strengthWidth, qualityWidth;
    const char* strengthText;
    const char* qualityText;
};

std::ostream& operator<<(std::ostream& out, const BarCase& c) {
    return out << "strength " << +c.strength << ", quality " << +c.quality;
}

class SatelliteFindingBars : public testing::TestWithParam<BarCase> {};

TEST_P(SatelliteFindingBars, LengthAndPercentFollowTheRawByte) {
    const BarCase c = GetParam();
    const auto ops = Record(test::TypicalMeasureEntry(kSatellite)
                                .U8(field::kStrength, c.strength)
                                .U8(field::kQuality, c.quality));
    EXPECT_EQ(RectsIn(ops, kBar), (std::vector<IntRect>{{220, 525, c.strengthWidth, 30},
                                                        {220, 595, c.qualityWidth, 30}}));
    EXPECT_EQ(TextAt(ops, 1100, 510), c.strengthText);
    EXPECT_EQ(TextAt(ops, 1100, 580), c.qualityText);
}

INSTANTIATE_TEST_SUITE_P(Widths, SatelliteFindingBars,
                         testing::Values(BarCase{0, 100, 0, 860, "00 %", "100 %"},
                                         BarCase{7, 99, 60, 851, "07 %", "99 %"},
                                         BarCase{50, 1, 430, 8, "50 %", "01 %"},
                                         BarCase{100, 5, 860, 43, "100 %", "05 %"},
                                         BarCase{255, 0, 2193, 0, "255 %", "00 %"}));

struct BadgeCase {
    std::uint8_t lnbVoltage, tone22k;
    std::vector<ImageOp> badges;  // after the battery
};

std::ostream& operator<<(std::ostream& out, const BadgeCase& c) {
    return out << "lnbVoltage " << +c.lnbVoltage << ", tone22k " << +c.tone22k;
}

class SatelliteFindingBadges : public testing::TestWithParam<BadgeCase> {};

TEST_P(SatelliteFindingBadges, BadgesFollowVoltageAndTone) {
    const BadgeCase c = GetParam();
    const auto ops = Record(test::ZeroMeasureEntry(kSatellite)
                                .U8(field::kLnbVoltage, c.lnbVoltage)
                                .U8(field::kTone22k, c.tone22k));
    const auto images = test::OpsOf<ImageOp>(ops);
    ASSERT_EQ(images.size(), c.badges.size() + 1);
    EXPECT_EQ(images[0].icon, IconId::Battery);
    EXPECT_EQ((IntPoint{images[0].x, images[0].y}), (IntPoint{1200, 10}));
    for (std::size_t i = 0; i < c.badges.size(); ++i) {
        EXPECT_EQ(images[i + 1].icon, c.badges[i].icon) << i;
        EXPECT_EQ((IntPoint{images[i + 1].x, images[i + 1].y}),
                  (IntPoint{c.badges[i].x, c.badges[i].y}))
            << i;
    }
}

const ImageOp k13V{IconId::Badge13V, 1030, 20};
const ImageOp k18V{IconId::Badge18V, 1030, 20};
const ImageOp k22K{IconId::Badge22K, 1080, 20};

INSTANTIATE_TEST_SUITE_P(AllCombinations, SatelliteFindingBadges,
                         testing::Values(BadgeCase{0, 0, {}}, BadgeCase{1, 0, {k13V}},
                                         BadgeCase{2, 0, {k18V}}, BadgeCase{3, 0, {}},
                                         BadgeCase{255, 0, {}}, BadgeCase{0, 1, {k22K}},
                                         BadgeCase{1, 1, {k13V, k22K}},
                                         BadgeCase{2, 1, {k18V, k22K}}, BadgeCase{3, 1, {k22K}},
                                         BadgeCase{2, 255, {k18V, k22K}},
                                         BadgeCase{1, 128, {k13V, k22K}}));

struct LockCase {
    std::uint8_t locked;
    Language language;
    const char* word;
    Argb colour;
};

std::ostream& operator<<(std::ostream& out, const LockCase& c) {
    return out << "locked " << +c.locked << ", language " << static_cast<int>(c.language);
}

class SatelliteFindingLock : public testing::TestWithParam<LockCase> {};

TEST_P(SatelliteFindingLock, LastOpIsTheLockWordTopCentredInTheBigFont) {
    const LockCase c = GetParam();
    const auto ops =
        Record(test::TypicalMeasureEntry(kSatellite).U8(field::kLocked, c.locked), c.language);
    const auto* lock = std::get_if<RectTextOp>(&ops.back());
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(test::Utf8(lock->text), c.word);
    EXPECT_EQ(lock->colour, c.colour);
    EXPECT_EQ(lock->font, kFontLock);
    EXPECT_EQ(lock->box, (RectF{20, 350, 500, 160}));
    EXPECT_EQ(lock->format, (TextFormat{Align::Center, Align::Near}));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SatelliteFindingLock,
                         testing::Values(LockCase{1, Language::English, "LOCK", kGreen},
                                         LockCase{255, Language::English, "LOCK", kGreen},
                                         LockCase{0, Language::English, "UNLOCK", kRed},
                                         LockCase{1, Language::French, "bloquer", kGreen},
                                         LockCase{0, Language::French, "UNLOCK", kRed}));

TEST(SatelliteFindingScreen, FrenchWordsReplaceEveryTranslatedLabel) {
    const auto ops = Record(test::TypicalMeasureEntry(kSatellite), Language::French);
    ExpectTexts(ops, {
                         {50, 20, "Satellite > Satellite Finding", kBlack},
                         {60, 100, "Satellite", kBlack},
                         {60, 170, "transpondeur", kBlack},
                         {60, 240, "recherche", kBlack},
                         {30, 510, "force", kBlack},
                         {30, 580, "qualit\u00E9", kBlack},
                     });
}

TEST(SatelliteFindingScreen, ServiceLineEndsWithTheOrbitalPosition) {
    const struct {
        std::uint16_t position;
        const char* line;
    } cases[] = {
        {0x8192, "DVB-S2/8PSK 12603/22000 019.2\u00B0 E"},
        {0x0300, "DVB-S2/8PSK 12603/22000 030.0\u00B0 W"},
        {0xFFFF, "DVB-S2/8PSK 12603/22000"},
        {0x8000, "DVB-S2/8PSK 12603/22000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const auto ops =
            Record(test::TypicalMeasureEntry(kSatellite).U16(field::kOrbitalPosition, c.position));
        EXPECT_EQ(TextAt(ops, 360, 310), c.line);
    }
}

TEST(SatelliteFindingScreen, PolarisationLetterIsVOnlyForOne) {
    const struct {
        std::uint8_t polarisation;
        const char* text;
    } cases[] = {
        {0, "11778/H/27500"}, {1, "11778/V/27500"}, {2, "11778/H/27500"}, {255, "11778/H/27500"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.polarisation);
        const auto ops =
            Record(test::TypicalMeasureEntry(kSatellite).U8(field::kPolarisation, c.polarisation));
        EXPECT_EQ(TextAt(ops, 660, 170), c.text);
    }
}

QImage Painted(const MeasureBytes& bytes) {
    QImage screen = NewScreenImage();
    ImageCanvas canvas(screen, QRegion(0, 0, kScreenWidth, kScreenHeight));
    DrawSatelliteFinding(canvas, MeasureEntry(bytes.View()), Language::English);
    canvas.Finish();
    return screen;
}

TEST(SatelliteFindingPixels, BarsEndWhereTheirWidthSays) {
    const QImage screen = Painted(
        test::TypicalMeasureEntry(kSatellite).U8(field::kStrength, 50).U8(field::kQuality, 100));
    EXPECT_EQ(screen.pixel(220, 540), kBar);
    EXPECT_EQ(screen.pixel(220 + 430 - 1, 540), kBar);
    EXPECT_EQ(screen.pixel(220 + 430, 540), kGrey);
    EXPECT_EQ(screen.pixel(1079, 540), kGrey);  // track end
    EXPECT_EQ(screen.pixel(1080, 540), kWhite);
    EXPECT_EQ(screen.pixel(219, 610), kWhite);
    EXPECT_EQ(screen.pixel(1079, 610), kBar);  // 100 fills the track exactly
    EXPECT_EQ(screen.pixel(1080, 610), kWhite);
}

TEST(SatelliteFindingPixels, OverlongBarRunsToTheCanvasEdge) {
    const QImage screen = Painted(test::TypicalMeasureEntry(kSatellite).U8(field::kStrength, 255));
    EXPECT_EQ(screen.pixel(1279, 530), kBar);
    EXPECT_EQ(screen.pixel(1279, 524), kWhite);
    EXPECT_EQ(screen.pixel(1279, 555), kWhite);
}

TEST(SatelliteFindingPixels, BandEdgesAndRules) {
    const QImage screen = Painted(test::ZeroMeasureEntry(kSatellite));
    const struct {
        int y;
        QRgb colour;
    } column[] = {{77, kGrey},  {78, kBlue},  {79, kBlue},  {80, kGrey},   {157, kGrey},
                  {299, kGrey}, {300, kBlue}, {304, kBlue}, {305, kWhite}, {639, kWhite},
                  {640, kBlue}, {641, kBlue}, {642, kGrey}, {719, kGrey}};
    for (const auto& probe : column) EXPECT_EQ(screen.pixel(5, probe.y), probe.colour) << probe.y;
    EXPECT_EQ(screen.pixel(49, 158), kGrey);  // row rules span x 50 to 1229
    EXPECT_EQ(screen.pixel(50, 158), kBlue);
    EXPECT_EQ(screen.pixel(1229, 228), kBlue);
    EXPECT_EQ(screen.pixel(1230, 228), kGrey);
}

TEST(SatelliteFindingPixels, LockWordIsPaintedInItsColourInsideItsBox) {
    const QRect box(20, 350, 500, 160);
    const QImage locked = Painted(test::TypicalMeasureEntry(kSatellite));
    EXPECT_GT(test::CountPixels(locked, box, kGreen), 200);
    EXPECT_EQ(test::CountPixels(locked, box, kRed), 0);
    const QImage unlocked = Painted(test::TypicalMeasureEntry(kSatellite).U8(field::kLocked, 0));
    EXPECT_GT(test::CountPixels(unlocked, box, kRed), 200);
    EXPECT_EQ(test::CountPixels(unlocked, box, kGreen), 0);
}

}  // namespace
}  // namespace quorvel
