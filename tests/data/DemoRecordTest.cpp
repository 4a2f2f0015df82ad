#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "data/Catalogue.h"
#include "data/SourceFile.h"
#include "tools/DemoRecord.h"

namespace quorvel {
namespace {

const char* const kDemoPath = QUORVEL_SOURCE_DIR "/samples/demo.dat";

std::unique_ptr<SourceRecord> BuiltDemo() {
    auto record = std::make_unique<SourceRecord>();
    demo::BuildDemoRecord(*record);
    return record;
}

TEST(DemoRecord, CommittedSampleIsTheGeneratorsOutput) {
    std::ifstream in(kDemoPath, std::ios::binary);
    ASSERT_TRUE(in) << kDemoPath;
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    ASSERT_EQ(file.size(), record::kSize);

    const auto built = BuiltDemo();
    ASSERT_TRUE(std::equal(file.begin(), file.end(), built->bytes.begin()))
        << "samples/demo.dat is stale: regenerate it with make_demo_dat";
}

TEST(DemoRecord, BuildingTwiceGivesTheSameBytes) {
    const auto first = BuiltDemo();
    auto second = std::make_unique<SourceRecord>();
    second->bytes.fill(0xEE);
    demo::BuildDemoRecord(*second);
    EXPECT_EQ(first->bytes, second->bytes);
}

TEST(DemoRecord, EveryFamilyHasEveryScreen) {
    auto record = std::make_unique<SourceRecord>();
    ASSERT_EQ(LoadSourceFile(kDemoPath, *record), LoadOutcome::Loaded);
    auto catalogue = std::make_unique<Catalogue>();
    for (DvbType type : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        SCOPED_TRACE(static_cast<int>(type));
        RebuildCatalogue(*record, type, *catalogue);
        EXPECT_GE(catalogue->Count(Category::Measure), 3u);
        EXPECT_GE(catalogue->Count(Category::Spectrum), 3u);
        EXPECT_GE(catalogue->Count(Category::Constellation), 2u);
        for (const auto* names : {&catalogue->measure.names, &catalogue->spectrum.names,
                                  &catalogue->constellation.names}) {
            for (const std::string& name : *names)
                EXPECT_FALSE(name.starts_with("Refused")) << name;
        }
    }
}

TEST(DemoRecord, HoldsOneEntryForEachWayOfBeingRefused) {
    const auto record = BuiltDemo();
    EXPECT_EQ(CheckSlot(*record, EntryKind::Measure, 25, DvbType::Satellite),
              Rejection::NameTooLong);
    for (DvbType type : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        EXPECT_EQ(CheckSlot(*record, EntryKind::Spectrum, 50, type), Rejection::OtherDvbType);
    }
    EXPECT_EQ(CheckSlot(*record, EntryKind::Constellation, 26, DvbType::Satellite),
              Rejection::NotPresent);
    EXPECT_NE(record->Slot(EntryKind::Constellation, 26)[0], 0) << "the unmasked slot is filled";
}

TEST(DemoRecord, SweepsAndPointsFitTheScreens) {
    auto record = BuiltDemo();
    auto catalogue = std::make_unique<Catalogue>();
    for (DvbType type : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        SCOPED_TRACE(static_cast<int>(type));
        RebuildCatalogue(*record, type, *catalogue);
        const int step = type == DvbType::Satellite ? 10 : 5;
        for (std::size_t k = 0; k < catalogue->spectrum.Count(); ++k) {
            const SpectrumEntry sweep = catalogue->Spectrum(k);
            const int samples = (sweep.endMHz() - sweep.startMHz()) / step;
            EXPECT_GE(samples, 1);
            EXPECT_LE(samples, 202);
            int highest = 0;
            for (int i = 0; i < samples; ++i) {
                EXPECT_GE(sweep.level(static_cast<std::size_t>(i)), 30) << sweep.name() << " " << i;
                EXPECT_LE(sweep.level(static_cast<std::size_t>(i)), 70) << sweep.name() << " " << i;
                highest = std::max<int>(highest, sweep.level(static_cast<std::size_t>(i)));
            }
            EXPECT_GT(highest, 45) << sweep.name() << " shows no carrier above the floor";
        }
        for (std::size_t k = 0; k < catalogue->constellation.Count(); ++k) {
            const ConstellationEntry diagram = catalogue->Constellation(k);
            for (std::size_t i = 0; i < ConstellationEntry::kPointCount; ++i) {
                EXPECT_GE(diagram.pointX(i), 0);
                EXPECT_LE(diagram.pointX(i), 600);
                EXPECT_GE(diagram.pointY(i), -30);
                EXPECT_LE(diagram.pointY(i), 570);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
