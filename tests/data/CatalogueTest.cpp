#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordBuilder.h"
#include "data/Catalogue.h"

namespace quorvel {
namespace {

using test::AddEntry;
using test::MakeRecord;
using Names = std::vector<std::string>;

constexpr std::uint8_t kCable = 0;
constexpr std::uint8_t kTerrestrial = 1;
constexpr std::uint8_t kSatellite = 2;

class CatalogueTest : public ::testing::Test {
  protected:
    std::unique_ptr<SourceRecord> record = MakeRecord();
    std::unique_ptr<Catalogue> catalogue = std::make_unique<Catalogue>();

    void Rebuild(DvbType dvbType) { RebuildCatalogue(*record, dvbType, *catalogue); }
};

TEST_F(CatalogueTest, KeepsSlotOrderAndCopiesWholeEntries) {
    AddEntry(*record, EntryKind::Measure, 5, kSatellite, "Sat five", 0x55);
    AddEntry(*record, EntryKind::Measure, 9, kTerrestrial, "Terr nine", 0x99);
    AddEntry(*record, EntryKind::Measure, 12, kSatellite, "Sat twelve", 0xCC);

    Rebuild(DvbType::Satellite);
    ASSERT_EQ(catalogue->measure.names, (Names{"Sat five", "Sat twelve"}));
    for (std::size_t position = 0; position < 2; ++position) {
        const std::size_t slot = position == 0 ? 5 : 12;
        const auto source = record->Slot(EntryKind::Measure, slot);
        const auto copy = catalogue->measure.At(position);
        EXPECT_TRUE(std::equal(source.begin(), source.end(), copy.begin(), copy.end()))
            << "position " << position;
    }
    EXPECT_EQ(catalogue->Measure(1).name(), "Sat twelve");
    EXPECT_EQ(catalogue->Measure(1).levelDbm(), static_cast<std::int32_t>(0xCCCCCCCC));
    EXPECT_EQ(PreferredCategory(*catalogue), Category::Measure);

    Rebuild(DvbType::Terrestrial);
    EXPECT_EQ(catalogue->measure.names, (Names{"Terr nine"}));
    EXPECT_EQ(catalogue->Measure(0).quality(), 0x99);
    // Nothing of the previous rebuild is left behind position 0.
    EXPECT_EQ(catalogue->measure.At(1)[0], 0);
    EXPECT_EQ(catalogue->measure.At(1)[75], 0);
}

TEST_F(CatalogueTest, EachKindUsesItsOwnMaskAndSlots) {
    AddEntry(*record, EntryKind::Constellation, 31, kCable, "Last constellation", 0x31);
    AddEntry(*record, EntryKind::Spectrum, 63, kCable, "Last spectrum", 0x63);
    AddEntry(*record, EntryKind::Spectrum, 0, kCable, "First spectrum", 0x01);
    AddEntry(*record, EntryKind::Measure, 63, kCable, "Last measure", 0x64);

    Rebuild(DvbType::Cable);
    EXPECT_EQ(catalogue->constellation.names, (Names{"Last constellation"}));
    EXPECT_EQ(catalogue->spectrum.names, (Names{"First spectrum", "Last spectrum"}));
    EXPECT_EQ(catalogue->measure.names, (Names{"Last measure"}));
    EXPECT_EQ(catalogue->Constellation(0).pointY(999), static_cast<std::int16_t>(0x3131));
    EXPECT_EQ(catalogue->Spectrum(1).level(201), 0x63);
    EXPECT_EQ(catalogue->Measure(0).lnbVoltage(), 0x64);
    EXPECT_EQ(catalogue->Count(Category::Spectrum), 2u);
    EXPECT_EQ(catalogue->Count(Category::Constellation), 1u);
    EXPECT_EQ(catalogue->Count(Category::Measure), 1u);
    EXPECT_EQ(catalogue->Count(Category::None), 0u);
}

TEST_F(CatalogueTest, RefusesEntriesFailingTheHeaderTest) {
    const std::string name29(29, 'N');
    const std::string name30(30, 'X');
    AddEntry(*record, EntryKind::Spectrum, 1, kSatellite, name29);
    AddEntry(*record, EntryKind::Spectrum, 2, kSatellite, name30);
    AddEntry(*record, EntryKind::Spectrum, 3, kSatellite, "");
    AddEntry(*record, EntryKind::Spectrum, 4, 3, "Type three");
    AddEntry(*record, EntryKind::Spectrum, 5, 255, "Type 255");
    AddEntry(*record, EntryKind::Spectrum, 6, kCable, "Cable");
    AddEntry(*record, EntryKind::Spectrum, 7, kSatellite, "Unmasked");
    record->bytes[record::kSpectrumMaskOffset] &= static_cast<std::uint8_t>(~0x80u);
    AddEntry(*record, EntryKind::Spectrum, 8, kSatellite, "Kept");

    Rebuild(DvbType::Satellite);
    EXPECT_EQ(catalogue->spectrum.names, (Names{name29, "Kept"}));

    struct Expectation {
        std::size_t slot;
        std::optional<Rejection> rejection;
    };
    const Expectation expectations[] = {
        {0, Rejection::NotPresent},
        {1, std::nullopt},
        {2, Rejection::NameTooLong},
        {3, Rejection::EmptyName},
        {4, Rejection::OtherDvbType},
        {5, Rejection::OtherDvbType},
        {6, Rejection::OtherDvbType},
        {7, Rejection::NotPresent},
        {8, std::nullopt},
    };
    for (const Expectation& e : expectations) {
        EXPECT_EQ(CheckSlot(*record, EntryKind::Spectrum, e.slot, DvbType::Satellite), e.rejection)
            << "slot " << e.slot;
    }
    EXPECT_EQ(CheckSlot(*record, EntryKind::Constellation, 32, DvbType::Satellite),
              Rejection::NotPresent);

    // Entries of type 3 or more stay out of every family's lists.
    Rebuild(DvbType::Cable);
    EXPECT_EQ(catalogue->spectrum.names, (Names{"Cable"}));
    Rebuild(DvbType::Terrestrial);
    EXPECT_TRUE(catalogue->spectrum.Empty());
}

TEST_F(CatalogueTest, NamesAreNeitherSortedNorMerged) {
    AddEntry(*record, EntryKind::Constellation, 0, kTerrestrial, "Zulu", 0x10);
    AddEntry(*record, EntryKind::Constellation, 1, kTerrestrial, "Alpha", 0x11);
    AddEntry(*record, EntryKind::Constellation, 2, kTerrestrial, "Alpha", 0x12);

    Rebuild(DvbType::Terrestrial);
    EXPECT_EQ(catalogue->constellation.names, (Names{"Zulu", "Alpha", "Alpha"}));
    EXPECT_EQ(catalogue->Constellation(1).quality(), 0x11);
    EXPECT_EQ(catalogue->Constellation(2).quality(), 0x12);
}

TEST_F(CatalogueTest, PrefersMeasureThenConstellationThenSpectrum) {
    Rebuild(DvbType::Satellite);
    EXPECT_EQ(PreferredCategory(*catalogue), std::nullopt);

    AddEntry(*record, EntryKind::Spectrum, 3, kSatellite, "Sweep");
    Rebuild(DvbType::Satellite);
    EXPECT_EQ(PreferredCategory(*catalogue), Category::Spectrum);

    AddEntry(*record, EntryKind::Constellation, 3, kSatellite, "Points");
    Rebuild(DvbType::Satellite);
    EXPECT_EQ(PreferredCategory(*catalogue), Category::Constellation);

    AddEntry(*record, EntryKind::Measure, 3, kSatellite, "Readings");
    Rebuild(DvbType::Satellite);
    EXPECT_EQ(PreferredCategory(*catalogue), Category::Measure);

    // Another broadcast family has none of them.
    Rebuild(DvbType::Cable);
    EXPECT_EQ(PreferredCategory(*catalogue), std::nullopt);
    EXPECT_TRUE(catalogue->measure.Empty());
}

TEST_F(CatalogueTest, ForeignMagicListsNothingAndClearsTheMasksForGood) {
    record = MakeRecord(false);
    record->bytes[0] = 0xAA;
    record->bytes[1] = 0xBB;
    record->bytes[2] = 0xCC;
    record->bytes[3] = 0xDD;
    AddEntry(*record, EntryKind::Measure, 0, kSatellite, "Hidden");
    AddEntry(*record, EntryKind::Spectrum, 0, kSatellite, "Hidden");
    AddEntry(*record, EntryKind::Constellation, 0, kSatellite, "Hidden");

    Rebuild(DvbType::Satellite);
    EXPECT_EQ(catalogue->Count(Category::Measure) + catalogue->Count(Category::Spectrum) +
                  catalogue->Count(Category::Constellation),
              0u);
    EXPECT_EQ(record->bytes[0], 0xDD);
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Measure, 0));

    // The stamped magic stays, so a later rebuild keeps the cleared masks.
    Rebuild(DvbType::Satellite);
    EXPECT_TRUE(catalogue->measure.Empty());
}

}  // namespace
}  // namespace quorvel
