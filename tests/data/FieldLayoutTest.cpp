#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

#include "data/ConstellationEntry.h"
#include "data/EntryWriter.h"
#include "data/FieldLayout.h"
#include "data/MeasureEntry.h"
#include "data/SpectrumEntry.h"

namespace quorvel {
namespace {

using layout::Field;
using layout::FieldType;
// The unread bytes are fixed by the file format, so this pins every offset and size at once.
TEST(FieldLayout, UncoveredBytesAreTheUnreadOnes) {
    using Ranges = std::vector<layout::ByteRange>;
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Measure), (Ranges{{77, 3}, {105, 3}, {118, 10}}));
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Spectrum), (Ranges{{31, 1}, {48, 2}}));
    EXPECT_EQ(layout::UncoveredRanges(EntryKind::Constellation),
              (Ranges{{31, 1}, {39, 11}, {115, 1}, {136, 1}, {139, 1}}));
    EXPECT_EQ(layout::FindField(EntryKind::Spectrum, "symbolRate"), nullptr);
    EXPECT_EQ(layout::FindField(EntryKind::Measure, "Frequency"), nullptr);
}

TEST(FieldLayout, NumbersAndTextsStayInsideTheirField) {
    std::array<std::uint8_t, SpectrumEntry::kSize> spectrum{};
    EntryWriter writer(spectrum, EntryKind::Spectrum);
    writer.Set("levels", -128, 201).Set("currentLevel", 0x12345678);
    const SpectrumEntry view(spectrum);
    EXPECT_EQ(view.level(201), -128);
    EXPECT_EQ(view.currentLevel(), 0x5678) << "kept to the field's width";
    EXPECT_EQ(view.tone22k(), 0);
    EXPECT_EQ(view.endMHz(), 0);
    const Field& levels = layout::spectrum::kLevels;
    EXPECT_EQ(layout::ReadNumber(spectrum, levels, 202), std::nullopt);
    EXPECT_FALSE(layout::WriteNumber(spectrum, levels, 1, 202));
    EXPECT_EQ(layout::ReadNumber(spectrum, layout::kName), std::nullopt);
    std::array<std::uint8_t, 45> tooShort{};  // ends inside currentLevel
    EXPECT_FALSE(layout::WriteNumber(tooShort, layout::spectrum::kCurrentLevel, 1));
    EXPECT_EQ(layout::ReadNumber(tooShort, layout::spectrum::kCurrentLevel), std::nullopt);

    std::array<std::uint8_t, MeasureEntry::kSize> measure;
    measure.fill(0xEE);
    EntryWriter(measure, EntryKind::Measure).Text("name", "Short");
    EXPECT_EQ(MeasureEntry(measure).name(), "Short") << "the rest of the field is cleared";
    EXPECT_EQ(MeasureEntry(measure).targetName().front(), '\xEE');
    EntryWriter(measure, EntryKind::Measure).Text("name", std::string(30, 'X'));
    EXPECT_EQ(MeasureEntry(measure).name(), std::string(30, 'X'));
    EXPECT_FALSE(layout::WriteText(measure, layout::kName, std::string(31, 'X')));
    EXPECT_FALSE(layout::WriteText(measure, layout::kName, u"wide"));

    // A name filling its field ends there, not at the bytes after it.
    std::array<std::uint8_t, ConstellationEntry::kSize> constellation;
    constellation.fill(0xEE);
    const Field& display = layout::constellation::kDisplayName;
    EXPECT_TRUE(layout::WriteText(constellation, display, std::u16string(32, u'\u20AC')));
    EXPECT_EQ(ConstellationEntry(constellation).displayName(), std::u16string(32, u'\u20AC'));
    EXPECT_FALSE(layout::WriteText(constellation, display, std::u16string(33, u'w')));
    EXPECT_FALSE(layout::WriteText(constellation, display, "narrow"));
}

TEST(EntryWriter, RefusesWhatTheTableDoesNotAllowAndPlacesHeaders) {
    std::array<std::uint8_t, MeasureEntry::kSize> measure{};
    EntryWriter writer(measure, EntryKind::Measure);
    EXPECT_THROW(writer.Set("levels", 1), std::logic_error);
    EXPECT_THROW(writer.Text("quality", "x"), std::logic_error);
    EXPECT_THROW(writer.Text("name", std::string(31, 'x')), std::logic_error);

    auto record = std::make_unique<SourceRecord>();
    PlaceEntry(record->bytes, EntryKind::Spectrum, 63, 2, "Last").Set("endMHz", -1);
    PlaceEntry(record->bytes, EntryKind::Measure, 9, 1, "Hidden", false);
    EXPECT_TRUE(IsSlotPresent(*record, EntryKind::Spectrum, 63));
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Measure, 9));
    const SpectrumEntry last(record->Slot(EntryKind::Spectrum, 63).first<SpectrumEntry::kSize>());
    EXPECT_EQ(last.name(), "Last");
    EXPECT_EQ(last.dvbType(), 2);
    EXPECT_EQ(last.endMHz(), -1);
    EXPECT_THROW(PlaceEntry(record->bytes, EntryKind::Constellation, 32, 0, "x"), std::logic_error);
}

}  // namespace
}  // namespace quorvel
