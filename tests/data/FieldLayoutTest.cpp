#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "data/ConstellationEntry.h"
#include "data/FieldLayout.h"
#include "data/MeasureEntry.h"
#include "data/SpectrumEntry.h"
#include "data/TextEncoding.h"

namespace quorvel {
namespace {

using layout::Field;
using layout::FieldType;

// What the view class reads for a field: a number (element `index` for arrays) or a text.
template <class View>
struct ViewReaders {
    std::map<std::string, std::function<std::int64_t(const View&, std::size_t)>> numbers;
    std::map<std::string, std::function<std::u16string(const View&)>> texts;
};

#define NUMBER(field)                                                              \
    {                                                                              \
#field, [](const auto& v, std::size_t) { return std::int64_t{v.field()}; } \
    }
#define ELEMENTS(field, reader)                                                        \
    {                                                                                  \
#field, [](const auto& v, std::size_t i) { return std::int64_t{v.reader(i)}; } \
    }

ViewReaders<MeasureEntry> MeasureReaders() {
    return {{NUMBER(dvbType),
             NUMBER(lineFrequency),
             NUMBER(lineSymbolRate),
             NUMBER(frequency),
             NUMBER(symbolRateOrBandwidth),
             NUMBER(polarisation),
             NUMBER(quality),
             NUMBER(strength),
             NUMBER(levelDbm),
             NUMBER(carrierToNoise),
             NUMBER(berMantissa),
             NUMBER(berExponent),
             NUMBER(perMantissa),
             NUMBER(perExponent),
             NUMBER(deliverySystem),
             NUMBER(modulation),
             NUMBER(fecIndex),
             NUMBER(locked),
             NUMBER(orbitalPosition),
             NUMBER(tone22k),
             NUMBER(lnbVoltage)},
            {{"name", [](const MeasureEntry& v) { return WidenText(v.name()); }},
             {"targetName", [](const MeasureEntry& v) { return WidenText(v.targetName()); }}}};
}

ViewReaders<SpectrumEntry> SpectrumReaders() {
    return {{NUMBER(dvbType), NUMBER(startMHz), NUMBER(currentMHz), NUMBER(endMHz),
             NUMBER(currentLevel), NUMBER(tone22k), NUMBER(lnbVoltage), ELEMENTS(levels, level)},
            {{"name", [](const SpectrumEntry& v) { return WidenText(v.name()); }}}};
}

ViewReaders<ConstellationEntry> ConstellationReaders() {
    return {{NUMBER(dvbType), NUMBER(frequency), NUMBER(symbolRate), NUMBER(polarisation),
             NUMBER(deliverySystem), NUMBER(modulation), NUMBER(berMantissa), NUMBER(berExponent),
             NUMBER(carrierToNoise), NUMBER(levelDbm), NUMBER(quality), NUMBER(strength),
             ELEMENTS(pointX, pointX), ELEMENTS(pointY, pointY)},
            {{"name", [](const ConstellationEntry& v) { return WidenText(v.name()); }},
             {"displayName", [](const ConstellationEntry& v) { return v.displayName(); }}}};
}

#undef NUMBER
#undef ELEMENTS

// A value whose every byte differs, so a shifted or truncated read cannot match it.
std::int64_t Distinctive(FieldType type) {
    switch (type) {
        case FieldType::U8:
            return 0xA5;
        case FieldType::U16:
            return 0xB4C3;
        case FieldType::U32:
            return 0xD2E1F0A7;
        case FieldType::I32:
            return -123456789;
        case FieldType::I8Array:
            return -7;
        case FieldType::I16Array:
            return -12345;
        case FieldType::Text8:
        case FieldType::Text16:
            break;
    }
    return 0;
}

template <class View>
void ExpectTableMatchesView(EntryKind kind, const ViewReaders<View>& readers) {
    const auto fields = layout::FieldsOf(kind);
    ASSERT_EQ(fields.size(), readers.numbers.size() + readers.texts.size());
    for (const Field& field : fields) {
        SCOPED_TRACE(std::string(field.name));
        std::array<std::uint8_t, View::kSize> bytes{};
        const View view{std::span<const std::uint8_t, View::kSize>(bytes)};
        if (layout::IsNumber(field.type)) {
            ASSERT_EQ(readers.numbers.count(std::string(field.name)), 1u);
            const auto& read = readers.numbers.at(std::string(field.name));
            const std::size_t elements = field.size / layout::ElementSize(field.type);
            for (const std::size_t index : {std::size_t{0}, elements - 1}) {
                bytes.fill(0);
                const std::int64_t value = Distinctive(field.type);
                ASSERT_TRUE(layout::WriteNumber(bytes, field, value, index));
                EXPECT_EQ(read(view, index), value) << "element " << index;
                EXPECT_EQ(layout::ReadNumber(bytes, field, index), value) << "element " << index;
            }
        } else {
            ASSERT_EQ(readers.texts.count(std::string(field.name)), 1u);
            const auto& read = readers.texts.at(std::string(field.name));
            if (field.type == FieldType::Text8) {
                const std::string text = "T\xE9xt " + std::string(field.name);
                ASSERT_TRUE(layout::WriteText(bytes, field, text));
                EXPECT_EQ(read(view), WidenText(text));
            } else {
                const std::u16string text = u"\u00C9crit \u2020 " + WidenText(field.name);
                ASSERT_TRUE(layout::WriteText(bytes, field, text));
                EXPECT_EQ(read(view), text);
            }
        }
    }
}

TEST(FieldLayout, MeasureTableMatchesTheView) {
    ExpectTableMatchesView(EntryKind::Measure, MeasureReaders());
}
TEST(FieldLayout, SpectrumTableMatchesTheView) {
    ExpectTableMatchesView(EntryKind::Spectrum, SpectrumReaders());
}
TEST(FieldLayout, ConstellationTableMatchesTheView) {
    ExpectTableMatchesView(EntryKind::Constellation, ConstellationReaders());
}

TEST(FieldLayout, FieldsAreOrderedDisjointWholeElementsInsideTheEntry) {
    for (EntryKind kind : {EntryKind::Spectrum, EntryKind::Constellation, EntryKind::Measure}) {
        std::size_t end = 0;
        for (const Field& field : layout::FieldsOf(kind)) {
            SCOPED_TRACE(std::string(field.name));
            EXPECT_GE(field.offset, end) << "overlaps the field before it";
            EXPECT_GT(field.size, 0u);
            EXPECT_EQ(field.size % layout::ElementSize(field.type), 0u);
            if (layout::IsNumber(field.type) && field.type != FieldType::I8Array &&
                field.type != FieldType::I16Array) {
                EXPECT_EQ(field.size, layout::ElementSize(field.type));
            }
            end = field.offset + field.size;
        }
        EXPECT_LE(end, layout::EntrySizeOf(kind));
        EXPECT_EQ(layout::FindField(kind, "dvbType")->offset, 0u);
        EXPECT_EQ(layout::FindField(kind, "name")->size, 30u);
    }
}

TEST(FieldLayout, UncoveredBytesAreTheUnreadOnes) {
    using Ranges = std::vector<layout::ByteRange>;
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Measure), (Ranges{{77, 3}, {105, 3}, {118, 10}}));
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Spectrum), (Ranges{{31, 1}, {48, 2}}));
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Constellation),
              (Ranges{{31, 1}, {39, 11}, {115, 1}, {136, 1}, {139, 1}}));
}

TEST(FieldLayout, FindsFieldsByTheirExactName) {
    EXPECT_EQ(layout::FindField(EntryKind::Measure, "symbolRateOrBandwidth")->offset, 72u);
    EXPECT_EQ(layout::FindField(EntryKind::Constellation, "symbolRate")->offset, 36u);
    EXPECT_EQ(layout::FindField(EntryKind::Spectrum, "levels")->size, 202u);
    EXPECT_EQ(layout::FindField(EntryKind::Spectrum, "symbolRate"), nullptr);
    EXPECT_EQ(layout::FindField(EntryKind::Measure, "Frequency"), nullptr);
}

TEST(FieldLayout, NumbersKeepTheirSignednessAndBounds) {
    std::array<std::uint8_t, 252> spectrum{};
    const Field& levels = *layout::FindField(EntryKind::Spectrum, "levels");
    const Field& level = *layout::FindField(EntryKind::Spectrum, "currentLevel");
    spectrum[50 + 201] = 0x80;
    spectrum[44] = 0xFF;
    spectrum[45] = 0xFF;
    EXPECT_EQ(layout::ReadNumber(spectrum, levels, 201), -128);
    EXPECT_EQ(layout::ReadNumber(spectrum, level), 65535);
    EXPECT_EQ(layout::ReadNumber(spectrum, levels, 202), std::nullopt);
    EXPECT_FALSE(layout::WriteNumber(spectrum, levels, 1, 202));
    EXPECT_EQ(layout::ReadNumber(spectrum, *layout::FindField(EntryKind::Spectrum, "name")),
              std::nullopt);
    // Only the field's own bytes are written, truncated to its width.
    EXPECT_TRUE(layout::WriteNumber(spectrum, level, 0x12345678));
    EXPECT_EQ(spectrum[43], 0);
    EXPECT_EQ(spectrum[44], 0x78);
    EXPECT_EQ(spectrum[45], 0x56);
    EXPECT_EQ(spectrum[46], 0);
    // An entry too short for the field is refused rather than overrun.
    std::array<std::uint8_t, 45> tooShort{};
    EXPECT_FALSE(layout::WriteNumber(tooShort, level, 1));
    EXPECT_EQ(layout::ReadNumber(tooShort, level), std::nullopt);
}

TEST(FieldLayout, TextsFillTheirFieldAtMost) {
    std::array<std::uint8_t, 128> measure;
    measure.fill(0xEE);
    const Field& name = *layout::FindField(EntryKind::Measure, "name");
    EXPECT_TRUE(layout::WriteText(measure, name, "Short"));
    EXPECT_EQ(MeasureEntry(measure).name(), "Short");
    EXPECT_EQ(measure[30], 0) << "the rest of the field is cleared";
    EXPECT_EQ(measure[31], 0xEE) << "the next field is untouched";

    const std::string thirty(30, 'X');
    EXPECT_TRUE(layout::WriteText(measure, name, thirty));
    EXPECT_EQ(MeasureEntry(measure).name(), thirty);
    EXPECT_FALSE(layout::WriteText(measure, name, thirty + "X"));
    EXPECT_FALSE(layout::WriteText(measure, name, u"wide"));

    std::array<std::uint8_t, 4140> constellation{};
    const Field& displayName = *layout::FindField(EntryKind::Constellation, "displayName");
    EXPECT_TRUE(layout::WriteText(constellation, displayName, std::u16string(32, u'w')));
    EXPECT_FALSE(layout::WriteText(constellation, displayName, std::u16string(33, u'w')));
    EXPECT_FALSE(layout::WriteText(constellation, displayName, "narrow"));
}

}  // namespace
}  // namespace quorvel
