// Shared helpers for the Measure-family screen tests: entry fields by offset and op look-ups.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "RecordedOps.h"
#include "data/MeasureEntry.h"
#include "render/ImageCanvas.h"
#include "render/RecordingCanvas.h"
#include "render/ScreenPainter.h"
#include "support/EntryBytes.h"

namespace quorvel::test {

// Byte offsets of the measure entry fields, as the source file lays them out.
namespace field {
inline constexpr std::size_t kTargetName = 31;
inline constexpr std::size_t kLineFrequency = 64;
inline constexpr std::size_t kLineSymbolRate = 66;
inline constexpr std::size_t kFrequency = 68;
inline constexpr std::size_t kSymbolRateOrBandwidth = 72;
inline constexpr std::size_t kPolarisation = 74;
inline constexpr std::size_t kQuality = 75;
inline constexpr std::size_t kStrength = 76;
inline constexpr std::size_t kLevelDbm = 80;
inline constexpr std::size_t kCarrierToNoise = 84;
inline constexpr std::size_t kBerMantissa = 88;
inline constexpr std::size_t kBerExponent = 92;
inline constexpr std::size_t kPerMantissa = 96;
inline constexpr std::size_t kPerExponent = 100;
inline constexpr std::size_t kDeliverySystem = 104;
inline constexpr std::size_t kModulation = 108;
inline constexpr std::size_t kFecIndex = 112;
inline constexpr std::size_t kLocked = 113;
inline constexpr std::size_t kOrbitalPosition = 114;
inline constexpr std::size_t kTone22k = 116;
inline constexpr std::size_t kLnbVoltage = 117;
}  // namespace field

using MeasureBytes = EntryBytes<MeasureEntry::kSize>;

// The colours both Measure-family screens paint with.
inline constexpr Argb kGrey = 0xFFE6E6E6, kWhite = 0xFFFFFFFF, kBar = 0xFF800000;
inline constexpr Argb kBlue = 0xFF0080FF, kBlack = 0xFF000000, kOrange = 0xFFFF8000;
inline constexpr Argb kGreen = 0xFF00FF00, kRed = 0xFFFF0000;

// An entry with only its header set: every measured value is zero.
inline MeasureBytes ZeroMeasureEntry(std::uint8_t dvbType) {
    MeasureBytes entry;
    entry.U8(0, dvbType).Text(1, "zero");
    return entry;
}

// Every field set to a value no other field shares, so a swapped or shifted read shows.
inline MeasureBytes TypicalMeasureEntry(std::uint8_t dvbType) {
    MeasureBytes entry;
    entry.U8(0, dvbType)
        .Text(1, "typical")
        .Text(field::kTargetName, "Astra 1KR")
        .U16(field::kLineFrequency, 12603)
        .U16(field::kLineSymbolRate, 22000)
        .U32(field::kFrequency, 11778)
        .U16(field::kSymbolRateOrBandwidth, 27500)
        .U8(field::kPolarisation, 1)
        .U8(field::kQuality, 64)
        .U8(field::kStrength, 87)
        .I32(field::kLevelDbm, -65)
        .I32(field::kCarrierToNoise, 1234)
        .I32(field::kBerMantissa, 23)
        .I32(field::kBerExponent, 5)
        .I32(field::kPerMantissa, 41)
        .I32(field::kPerExponent, 7)
        .U8(field::kDeliverySystem, 3)
        .U32(field::kModulation, 6)
        .U8(field::kFecIndex, 2)
        .U8(field::kLocked, 1)
        .U16(field::kOrbitalPosition, 0x8192)
        .U8(field::kTone22k, 1)
        .U8(field::kLnbVoltage, 2);
    return entry;
}

// One text op of either layout, flattened for comparison.
struct DrawnText {
    std::string text;
    float x, y;
    bool inBox;
    Argb colour;
    ScreenFont font;
};

inline std::vector<DrawnText> TextsOf(const std::vector<CanvasOp>& ops) {
    std::vector<DrawnText> texts;
    for (const CanvasOp& op : ops) {
        if (const auto* point = std::get_if<PointTextOp>(&op)) {
            texts.push_back(
                {Utf8(point->text), point->at.x, point->at.y, false, point->colour, point->font});
        } else if (const auto* box = std::get_if<RectTextOp>(&op)) {
            texts.push_back(
                {Utf8(box->text), box->box.x, box->box.y, true, box->colour, box->font});
        }
    }
    return texts;
}

// The text op whose point or box corner is (x, y), or null when nothing is drawn there.
inline const DrawnText* TextAt(const std::vector<DrawnText>& texts, float x, float y) {
    for (const DrawnText& text : texts) {
        if (text.x == x && text.y == y) return &text;
    }
    return nullptr;
}

// The text drawn at (x, y), or a marker that cannot match any screen text.
inline std::string TextAt(const std::vector<CanvasOp>& ops, float x, float y) {
    const auto texts = TextsOf(ops);
    const DrawnText* found = TextAt(texts, x, y);
    return found ? found->text : "<nothing drawn here>";
}

inline std::vector<IntRect> RectsIn(const std::vector<CanvasOp>& ops, Argb colour) {
    std::vector<IntRect> rects;
    for (const FillRectOp& op : OpsOf<FillRectOp>(ops)) {
        if (op.colour == colour) rects.push_back(op.rect);
    }
    return rects;
}

struct PlacedText {
    float x, y;
    std::string text;
    Argb colour;
};

// Each expected text is drawn at its place, in its colour.
inline void ExpectTexts(const std::vector<CanvasOp>& ops, const std::vector<PlacedText>& expected) {
    const auto texts = TextsOf(ops);
    for (const PlacedText& want : expected) {
        SCOPED_TRACE(testing::Message() << "at " << want.x << "," << want.y);
        const DrawnText* got = TextAt(texts, want.x, want.y);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(got->text, want.text);
        EXPECT_EQ(got->colour, want.colour);
    }
}

inline std::vector<IconId> IconsOf(const std::vector<CanvasOp>& ops) {
    std::vector<IconId> icons;
    for (const ImageOp& op : OpsOf<ImageOp>(ops)) icons.push_back(op.icon);
    return icons;
}

// How many pixels of `area` hold exactly `colour`.
inline int CountPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

// The lock word is the pass's last op: a top-centred box in the lock font.
inline void ExpectLockWord(const std::vector<CanvasOp>& ops, const std::string& word, Argb colour,
                           RectF box) {
    const auto* lock = std::get_if<RectTextOp>(&ops.back());
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(Utf8(lock->text), word);
    EXPECT_EQ(lock->colour, colour);
    EXPECT_EQ(lock->font, kFontLock);
    EXPECT_EQ(lock->box, box);
    EXPECT_EQ(lock->format, (TextFormat{Align::Center, Align::Near}));
}

// One letter per op in pass order (Fill, Polygon, Text, Box, Image), so the layering reads at once.
inline std::string OpKinds(const std::vector<CanvasOp>& ops) {
    std::string kinds;
    for (const CanvasOp& op : ops) kinds += "FPTBI"[op.index()];
    return kinds;
}

// Every text but the lock word is in the normal font, and every box but its one is centred.
inline void ExpectPlainTextsBeforeTheLockWord(const std::vector<CanvasOp>& ops) {
    const auto texts = TextsOf(ops);
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) EXPECT_EQ(texts[i].font, kFontNormal) << i;
    const auto boxes = OpsOf<RectTextOp>(ops);
    for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].format, (TextFormat{Align::Center, Align::Center})) << i;
    }
}

// A full pass of `draw(canvas)` into a fresh screen image.
template <class Draw>
QImage PaintedScreen(Draw draw) {
    QImage screen = NewScreenImage();
    ImageCanvas canvas(screen, QRegion(0, 0, kScreenWidth, kScreenHeight));
    draw(canvas);
    canvas.Finish();
    return screen;
}

// The lock word paints plenty of its own colour inside its box and none of the other state's.
inline void ExpectLockPixels(const QImage& locked, const QImage& unlocked, const QRect& box) {
    EXPECT_GT(CountPixels(locked, box, kGreen), 200);
    EXPECT_EQ(CountPixels(locked, box, kRed), 0);
    EXPECT_GT(CountPixels(unlocked, box, kRed), 200);
    EXPECT_EQ(CountPixels(unlocked, box, kGreen), 0);
}

}  // namespace quorvel::test
