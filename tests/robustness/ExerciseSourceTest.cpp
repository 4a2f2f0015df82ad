// The robustness path on the committed seed corpus and on fixed batches of random records:
// nothing crashes (the sanitizer builds run this suite), loads end as the window's would, the
// catalogue lists what the bytes allow, and partial repaints equal full ones.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data/EntryWriter.h"
#include "data/SourceRecord.h"
#include "fuzz/ExerciseSource.h"
#include "fuzz/FuzzSeeds.h"
#include "support/Files.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

const fs::path kSeedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "source";
constexpr int kAllSlots = 32 + 64 + 64;

TEST(SeedCorpus, CommittedSeedsAreExactlyWhatTheGeneratorWrites) {
    std::set<std::string> generated;
    for (const seeds::Seed& seed : seeds::SourceSeeds()) {
        generated.insert(seed.fileName);
        EXPECT_EQ(test::ReadFile(kSeedFolder / seed.fileName), seed.bytes)
            << seed.fileName << " differs from the generator's; run make_fuzz_seeds "
            << kSeedFolder;
    }
    std::set<std::string> committed;
    for (const auto& file : fs::directory_iterator(kSeedFolder))
        committed.insert(file.path().filename());
    EXPECT_EQ(committed, generated);
}

void ExpectConsistent(const ExerciseReport& report, LoadOutcome outcome, int listed) {
    EXPECT_EQ(report.outcome, outcome);
    if (listed >= 0) {
        EXPECT_EQ(report.listedEntries, listed);
    }
    EXPECT_EQ(report.repaintMismatches, 0);
    if (report.listedEntries > 0) {
        EXPECT_GT(report.passes, report.listedEntries);
    }
}

// What each edge record must give; a wrong offset or length check moves these numbers.
TEST(SeedCorpus, EachSeedLoadsListsAndPaintsAsExpected) {
    const std::map<std::string, std::pair<LoadOutcome, int>> expected = {
        {"all-masks-random.dat", {LoadOutcome::Loaded, -1}},  // whatever random headers allow
        {"all-masks-valid-names.dat", {LoadOutcome::Loaded, kAllSlots}},
        {"constellation-limits.dat", {LoadOutcome::Loaded, 4}},
        {"empty.dat", {LoadOutcome::IncompleteRead, 0}},
        {"magic-only.dat", {LoadOutcome::Loaded, 0}},
        {"magic-wrong-byte-order.dat", {LoadOutcome::Loaded, 0}},
        {"measure-limits.dat", {LoadOutcome::Loaded, 6}},
        // 29 characters and an 8-bit name are listed; 30 characters, no name and family 3 are not.
        {"name-lengths.dat", {LoadOutcome::Loaded, 6}},
        {"no-magic.dat", {LoadOutcome::Loaded, 0}},
        {"one-byte.dat", {LoadOutcome::IncompleteRead, 0}},
        {"one-byte-long.dat", {LoadOutcome::Loaded, 9}},
        {"one-byte-short.dat", {LoadOutcome::IncompleteRead, 0}},
        {"spectrum-edges.dat", {LoadOutcome::Loaded, 8}},
    };
    ASSERT_EQ(expected.size(), seeds::SourceSeeds().size());
    for (const auto& [name, outcome] : expected) {
        SCOPED_TRACE(name);
        ExpectConsistent(ExerciseSource(test::ReadFile(kSeedFolder / name)), outcome.first,
                         outcome.second);
    }
}

TEST(ExerciseSource, DemoFileAndRandomRecordsLoadAndPaintConsistently) {
    const ExerciseReport demo =
        ExerciseSource(test::ReadFile(QUORVEL_SOURCE_DIR "/samples/demo.dat"));
    ExpectConsistent(demo, LoadOutcome::Loaded, -1);
    EXPECT_GT(demo.listedEntries, 20);
    // Random entries behind valid headers are all listed.
    ExpectConsistent(ExerciseSource(seeds::RandomListedRecord(200)), LoadOutcome::Loaded,
                     kAllSlots);
    for (std::uint32_t seed = 100; seed < 120; ++seed) {
        SCOPED_TRACE(seed);
        std::vector<std::uint8_t> bytes = seeds::RandomRecord(seed);
        // With the magic in place the random masks reach the catalogue's header checks.
        if (seed % 2 == 0) StampMagic(bytes);
        ExpectConsistent(ExerciseSource(bytes), LoadOutcome::Loaded, -1);
    }
}

}  // namespace
}  // namespace quorvel
