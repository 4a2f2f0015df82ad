#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/EntryWriter.h"

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

constexpr std::uint8_t kCable = 0;
constexpr std::uint8_t kTerrestrial = 1;
constexpr std::uint8_t kSatellite = 2;

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { StampMagic(record->bytes); }
    void Rebuild(DvbType dvbType) { RebuildCatalogue(*record, dvbType, *catalogue); }
    // A present entry whose bytes after the header are all `fill`, so copies can be told apart.
    void Add(EntryKind kind, std::size_t slot, std::uint8_t dvbType, std::string_view name,
             std::uint8_t fill = 0) {
        const auto entry = SlotBytes(record->bytes, kind, slot);
        std::fill(entry.begin(), entry.end(), fill);
        PlaceEntry(record->bytes, kind, slot, dvbType, name);
    }

    std::unique_ptr<SourceRecord> record = std::make_unique<SourceRecord>();
    std::unique_ptr<Catalogue> catalogue = std::make_unique<Catalogue>();
};

TEST_F(CatalogueTest, KeepsSlotOrderAndCopiesWholeEntriesOfEachKind) {
    Add(EntryKind::Measure, 5, kSatellite, "Sat five", 0x55);
    Add(EntryKind::Measure, 9, kTerrestrial, "Terr nine", 0x99);
    Add(EntryKind::Measure, 63, kSatellite, "Sat last", 0xCC);
    Add(EntryKind::Constellation, 31, kSatellite, "Last constellation", 0x31);
    Add(EntryKind::Spectrum, 63, kSatellite, "Last spectrum", 0x63);
    Add(EntryKind::Spectrum, 0, kSatellite, "First spectrum", 0x01);

    Rebuild(DvbType::Satellite);
    ASSERT_EQ(catalogue->measure.names, (Names{"Sat five", "Sat last"}));
    for (const auto& [position, slot] : {std::pair<std::size_t, std::size_t>{0, 5}, {1, 63}}) {
        const auto source = record->Slot(EntryKind::Measure, slot);
        const auto copy = catalogue->measure.At(position);
        EXPECT_TRUE(std::equal(source.begin(), source.end(), copy.begin(), copy.end())) << slot;
    }
    EXPECT_EQ(catalogue->spectrum.names, (Names{"First spectrum", "Last spectrum"}));
    EXPECT_EQ(catalogue->constellation.names, (Names{"Last constellation"}));
    EXPECT_EQ(catalogue->Constellation(0).pointY(999), static_cast<std::int16_t>(0x3131));
    EXPECT_EQ(catalogue->Spectrum(1).level(201), 0x63);
    EXPECT_EQ(catalogue->Count(Category::Spectrum), 2u);
    EXPECT_EQ(catalogue->Count(Category::Constellation), 1u);
    EXPECT_EQ(catalogue->Count(Category::Measure), 2u);
    EXPECT_EQ(catalogue->Count(Category::None), 0u);

    Rebuild(DvbType::Terrestrial);
    EXPECT_EQ(catalogue->measure.names, (Names{"Terr nine"}));
    EXPECT_EQ(catalogue->Measure(0).quality(), 0x99);
    EXPECT_EQ(catalogue->measure.At(1)[0], 0) << "nothing of the last rebuild is left behind";
    EXPECT_EQ(catalogue->measure.At(1)[75], 0);
}

TEST_F(CatalogueTest, RefusesEntriesFailingTheHeaderTestAndNeitherSortsNorMerges) {
    const std::string name29(29, 'N');
    Add(EntryKind::Spectrum, 1, kSatellite, name29);
    Add(EntryKind::Spectrum, 2, kSatellite, std::string(30, 'X'));
    Add(EntryKind::Spectrum, 3, kSatellite, "");
    Add(EntryKind::Spectrum, 4, 3, "Type three");
    Add(EntryKind::Spectrum, 5, 255, "Type 255");
    Add(EntryKind::Spectrum, 6, kCable, "Cable");
    PlaceEntry(record->bytes, EntryKind::Spectrum, 7, kSatellite, "Unmasked", false);
    Add(EntryKind::Spectrum, 8, kSatellite, "Alpha");
    Add(EntryKind::Spectrum, 9, kSatellite, "Alpha");
    Add(EntryKind::Spectrum, 10, kSatellite, "Able");

    Rebuild(DvbType::Satellite);
    EXPECT_EQ(catalogue->spectrum.names, (Names{name29, "Alpha", "Alpha", "Able"}));
    const std::optional<Rejection> expected[] = {Rejection::NotPresent,
                                                 std::nullopt,
                                                 Rejection::NameTooLong,
                                                 Rejection::EmptyName,
                                                 Rejection::OtherDvbType,
                                                 Rejection::OtherDvbType,
                                                 Rejection::OtherDvbType,
                                                 Rejection::NotPresent,
                                                 std::nullopt};
    for (std::size_t slot = 0; slot < std::size(expected); ++slot) {
        EXPECT_EQ(CheckSlot(*record, EntryKind::Spectrum, slot, DvbType::Satellite), expected[slot])
            << "slot " << slot;
    }
    EXPECT_EQ(CheckSlot(*record, EntryKind::Measure, 64, DvbType::Satellite),
              Rejection::NotPresent);

    // Entries of type 3 or more stay out of every family's lists.
    Rebuild(DvbType::Cable);
    EXPECT_EQ(catalogue->spectrum.names, (Names{"Cable"}));
    Rebuild(DvbType::Terrestrial);
    EXPECT_TRUE(catalogue->spectrum.Empty());
}

TEST_F(CatalogueTest, PrefersMeasureThenConstellationThenSpectrum) {
    Rebuild(DvbType::Satellite);
    EXPECT_EQ(PreferredCategory(*catalogue), std::nullopt);
    const std::pair<EntryKind, Category> order[] = {
        {EntryKind::Spectrum, Category::Spectrum},
        {EntryKind::Constellation, Category::Constellation},
        {EntryKind::Measure, Category::Measure}};
    for (const auto& [kind, category] : order) {
        Add(kind, 3, kSatellite, "Entry");
        Rebuild(DvbType::Satellite);
        EXPECT_EQ(PreferredCategory(*catalogue), category);
    }
    Rebuild(DvbType::Cable);
    EXPECT_EQ(PreferredCategory(*catalogue), std::nullopt);
}

TEST_F(CatalogueTest, ForeignMagicListsNothingAndClearsTheMasksForGood) {
    for (const EntryKind kind :
         {EntryKind::Measure, EntryKind::Spectrum, EntryKind::Constellation}) {
        Add(kind, 0, kSatellite, "Hidden");
    }
    record->bytes[0] = 0xAA;  // the magic with its first and last bytes swapped
    record->bytes[3] = 0xDD;

    Rebuild(DvbType::Satellite);
    EXPECT_EQ(catalogue->Count(Category::Measure) + catalogue->Count(Category::Spectrum) +
                  catalogue->Count(Category::Constellation),
              0u);
    EXPECT_EQ(record->bytes[0], 0xDD);
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Measure, 0));
    Rebuild(DvbType::Satellite);
    EXPECT_TRUE(catalogue->measure.Empty()) << "the stamped magic keeps the masks cleared";
}

}  // namespace
}  // namespace quorvel
