// What both Measure-family screens draw alike, each at its own place: bars, badges, lock word.
#include <gtest/gtest.h>

#include "render/MeasureScreen.h"
#include "render/SatelliteFindingScreen.h"
#include "tests/render/MeasureTestSupport.h"

namespace quorvel {
namespace {

using namespace test;

// Where one screen puts the shared pieces.
struct FamilyScreen {
    DvbType dvbType;  // Satellite entries show the Satellite Finding screen
    int barX, strengthY, qualityY;
    float percentX, strengthTextY, qualityTextY;
    RectF lockBox;
};

const FamilyScreen kScreens[] = {
    {DvbType::Satellite, 220, 525, 595, 1100, 510, 580, {20, 350, 500, 160}},
    {DvbType::Terrestrial, 240, 545, 595, 1130, 530, 580, {490, 375, 300, 150}},
    {DvbType::Cable, 240, 545, 595, 1130, 530, 580, {490, 375, 300, 150}},
};

void Draw(Canvas& canvas, const FamilyScreen& screen, const MeasureBytes& bytes,
          Language language = Language::English) {
    const MeasureEntry entry(bytes.View());
    if (screen.dvbType == DvbType::Satellite) {
        DrawSatelliteFinding(canvas, entry, language);
    } else {
        DrawMeasure(canvas, entry, language, screen.dvbType);
    }
}

std::vector<CanvasOp> Record(const FamilyScreen& screen, const MeasureBytes& bytes,
                             Language language = Language::English) {
    RecordingCanvas canvas;
    Draw(canvas, screen, bytes, language);
    return canvas.Ops();
}

QImage Painted(const FamilyScreen& screen, const MeasureBytes& bytes) {
    return PaintedScreen([&](Canvas& canvas) { Draw(canvas, screen, bytes); });
}

MeasureBytes Entry(const FamilyScreen& screen) {
    return TypicalMeasureEntry(static_cast<std::uint8_t>(screen.dvbType));
}

TEST(MeasureFamilyScreens, BarLengthAndPercentFollowTheRawByte) {
    const struct {
        std::uint8_t strength, quality;
        int strengthWidth, qualityWidth;
        const char* strengthText;
        const char* qualityText;
    } cases[] = {{0, 100, 0, 860, "00 %", "100 %"},  {7, 99, 60, 851, "07 %", "99 %"},
                 {50, 1, 430, 8, "50 %", "01 %"},    {100, 5, 860, 43, "100 %", "05 %"},
                 {255, 0, 2193, 0, "255 %", "00 %"}, {3, 255, 25, 2193, "03 %", "255 %"}};
    for (const FamilyScreen& screen : kScreens) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(screen.dvbType) << ": "
                                            << +c.strength << "/" << +c.quality);
            const auto ops = Record(
                screen,
                Entry(screen).U8(field::kStrength, c.strength).U8(field::kQuality, c.quality));
            EXPECT_EQ(RectsIn(ops, kBar),
                      (std::vector<IntRect>{{screen.barX, screen.strengthY, c.strengthWidth, 30},
                                            {screen.barX, screen.qualityY, c.qualityWidth, 30}}));
            EXPECT_EQ(TextAt(ops, screen.percentX, screen.strengthTextY), c.strengthText);
            EXPECT_EQ(TextAt(ops, screen.percentX, screen.qualityTextY), c.qualityText);
        }
    }
}

TEST(MeasureFamilyScreens, BadgesFollowVoltageAndTone) {
    const ImageOp k13V{IconId::Badge13V, 1030, 20}, k18V{IconId::Badge18V, 1030, 20};
    const ImageOp k22K{IconId::Badge22K, 1080, 20};
    const struct {
        std::uint8_t lnbVoltage, tone22k;
        std::vector<ImageOp> badges;  // after the battery
    } cases[] = {
        {0, 0, {}},     {1, 0, {k13V}},         {2, 0, {k18V}},        {3, 0, {}},
        {255, 0, {}},   {0, 1, {k22K}},         {1, 1, {k13V, k22K}},  {2, 1, {k18V, k22K}},
        {3, 1, {k22K}}, {2, 255, {k18V, k22K}}, {1, 128, {k13V, k22K}}};
    for (const FamilyScreen& screen : kScreens) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(screen.dvbType) << ": "
                                            << +c.lnbVoltage << "/" << +c.tone22k);
            const auto images = OpsOf<ImageOp>(Record(
                screen,
                Entry(screen).U8(field::kLnbVoltage, c.lnbVoltage).U8(field::kTone22k, c.tone22k)));
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
    }
}

TEST(MeasureFamilyScreens, LastOpIsTheLockWordTopCentredInTheBigFont) {
    const struct {
        std::uint8_t locked;
        Language language;
        const char* word;
        Argb colour;
    } cases[] = {{1, Language::English, "LOCK", kGreen},
                 {255, Language::English, "LOCK", kGreen},
                 {0, Language::English, "UNLOCK", kRed},
                 {9, Language::French, "bloquer", kGreen},
                 {0, Language::French, "UNLOCK", kRed}};
    for (const FamilyScreen& screen : kScreens) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(screen.dvbType) << ": " << +c.locked
                                            << " " << static_cast<int>(c.language));
            ExpectLockWord(Record(screen, Entry(screen).U8(field::kLocked, c.locked), c.language),
                           c.word, c.colour, screen.lockBox);
        }
    }
}

TEST(MeasureFamilyPixels, BarsStartAtTheTrackAndEndWhereTheirWidthSays) {
    for (const FamilyScreen& screen : kScreens) {
        SCOPED_TRACE(static_cast<int>(screen.dvbType));
        // Strength 50 gives 430 pixels; quality 100 fills the 860-pixel track exactly.
        const QImage image =
            Painted(screen, Entry(screen).U8(field::kStrength, 50).U8(field::kQuality, 100));
        const int x = screen.barX, strength = screen.strengthY + 15, quality = screen.qualityY + 15;
        EXPECT_EQ(image.pixel(x - 1, strength), kWhite);
        EXPECT_EQ(image.pixel(x, strength), kBar);
        EXPECT_EQ(image.pixel(x + 430 - 1, strength), kBar);
        EXPECT_EQ(image.pixel(x + 430, strength), kGrey);
        EXPECT_EQ(image.pixel(x + 860 - 1, strength), kGrey);  // track end
        EXPECT_EQ(image.pixel(x + 860, strength), kWhite);
        EXPECT_EQ(image.pixel(x - 1, quality), kWhite);
        EXPECT_EQ(image.pixel(x + 860 - 1, quality), kBar);
        EXPECT_EQ(image.pixel(x + 860, quality), kWhite);
    }
}

TEST(MeasureFamilyPixels, LockWordIsPaintedInItsColourInsideItsBox) {
    for (const FamilyScreen& screen : kScreens) {
        SCOPED_TRACE(static_cast<int>(screen.dvbType));
        const RectF& box = screen.lockBox;
        ExpectLockPixels(Painted(screen, Entry(screen)),
                         Painted(screen, Entry(screen).U8(field::kLocked, 0)),
                         QRect(int(box.x), int(box.y), int(box.w), int(box.h)));
    }
}

}  // namespace
}  // namespace quorvel
