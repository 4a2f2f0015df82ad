// Shared helpers for the Measure-family screen tests: entry fields by offset and op look-ups.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "data/MeasureEntry.h"
#include "render/RecordingCanvas.h"
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

template <class Op>
std::vector<Op> OpsOf(const std::vector<CanvasOp>& ops) {
    std::vector<Op> found;
    for (const CanvasOp& op : ops) {
        if (const Op* typed = std::get_if<Op>(&op)) found.push_back(*typed);
    }
    return found;
}

// UTF-8 for readable comparisons and failure messages.
// The screens only draw characters of the Basic Multilingual Plane, so no surrogate pairs.
inline std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
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

}  // namespace quorvel::test
