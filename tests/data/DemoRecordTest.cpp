#include <gtest/gtest.h>

#include <memory>

#include "data/Catalogue.h"
#include "support/Files.h"
#include "tools/DemoRecord.h"

namespace quorvel {
namespace {

TEST(DemoRecord, CommittedSampleIsTheGeneratorsOutputWhateverTheRecordHeldBefore) {
    const auto file = test::ReadFile(QUORVEL_SOURCE_DIR "/samples/demo.dat");
    ASSERT_EQ(file.size(), record::kSize);
    auto built = std::make_unique<SourceRecord>();
    built->bytes.fill(0xEE);
    demo::BuildDemoRecord(*built);
    ASSERT_TRUE(std::equal(file.begin(), file.end(), built->bytes.begin()))
        << "samples/demo.dat is stale: regenerate it with make_demo_dat";
}

TEST(DemoRecord, ListsEveryScreenForEveryFamilyAndRefusesEachBadEntry) {
    auto record = std::make_unique<SourceRecord>();
    demo::BuildDemoRecord(*record);
    auto catalogue = std::make_unique<Catalogue>();
    for (DvbType type : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        SCOPED_TRACE(static_cast<int>(type));
        RebuildCatalogue(*record, type, *catalogue);
        EXPECT_GE(catalogue->Count(Category::Measure), 3u);
        EXPECT_GE(catalogue->Count(Category::Spectrum), 3u);
        EXPECT_GE(catalogue->Count(Category::Constellation), 2u);
        EXPECT_EQ(CheckSlot(*record, EntryKind::Spectrum, 50, type), Rejection::OtherDvbType);
    }
    EXPECT_EQ(CheckSlot(*record, EntryKind::Measure, 25, DvbType::Satellite),
              Rejection::NameTooLong);
    EXPECT_EQ(CheckSlot(*record, EntryKind::Constellation, 26, DvbType::Satellite),
              Rejection::NotPresent);
    EXPECT_NE(record->Slot(EntryKind::Constellation, 26)[0], 0) << "the unmasked slot is filled";
}

}  // namespace
}  // namespace quorvel
