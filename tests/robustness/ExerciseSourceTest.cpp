// The robustness path on the committed seed corpus and on fixed batches of random records:
// nothing crashes (the sanitizer builds run this suite), loads end as the window's would, the
// catalogue lists what the bytes allow, and partial repaints equal full ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/SourceRecord.h"
#include "fuzz/ExerciseSource.h"
#include "fuzz/FuzzSeeds.h"
#include "support/RecordBytes.h"

namespace quorvel {

void PrintTo(LoadOutcome outcome, std::ostream* out) {
    constexpr const char* kNames[] = {"Loaded", "CannotOpen", "IncompleteRead"};
    *out << kNames[static_cast<int>(outcome)];
}

namespace {

namespace fs = std::filesystem;

const fs::path kSeedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "source";
const fs::path kDemoFile = fs::path(QUORVEL_SOURCE_DIR) / "samples" / "demo.dat";

// Every slot of every kind: 32 constellation, 64 spectrum and 64 measure slots.
constexpr int kAllSlots = 160;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(SeedCorpusTest, CommittedSeedsAreExactlyWhatTheGeneratorWrites) {
    std::set<std::string> generated;
    for (const seeds::Seed& seed : seeds::SourceSeeds()) {
        generated.insert(seed.fileName);
        EXPECT_EQ(ReadBytes(kSeedFolder / seed.fileName), seed.bytes)
            << seed.fileName << " differs from the generator's; run make_fuzz_seeds "
            << kSeedFolder;
    }
    std::set<std::string> committed;
    for (const fs::directory_entry& file : fs::directory_iterator(kSeedFolder)) {
        committed.insert(file.path().filename().string());
    }
    EXPECT_EQ(committed, generated);
}

struct SeedExpectation {
    LoadOutcome outcome;
    int listedEntries;  // names over the three broadcast families
};

// What each edge record must give; a wrong offset or length check moves these numbers.
const std::map<std::string, SeedExpectation> kSeedExpectations = {
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

class SeedReplayTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SeedReplayTest, LoadsListsAndPaintsEveryScreenConsistently) {
    const SeedExpectation& expected = kSeedExpectations.at(GetParam());
    const ExerciseReport report = ExerciseSource(ReadBytes(kSeedFolder / GetParam()));
    EXPECT_EQ(report.outcome, expected.outcome);
    if (expected.listedEntries >= 0) {
        EXPECT_EQ(report.listedEntries, expected.listedEntries);
    }
    EXPECT_EQ(report.repaintMismatches, 0);
    if (report.listedEntries > 0) {
        EXPECT_GT(report.passes, report.listedEntries);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, SeedReplayTest,
    [] {
        std::vector<std::string> names;
        for (const auto& [name, expected] : kSeedExpectations) names.push_back(name);
        return ::testing::ValuesIn(names);
    }(),
    [](const ::testing::TestParamInfo<std::string>& seed) {
        std::string name = seed.param.substr(0, seed.param.find('.'));
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(ExerciseSourceTest, DemoFileListsItsEntriesAndPaintsThemConsistently) {
    const ExerciseReport report = ExerciseSource(ReadBytes(kDemoFile));
    EXPECT_EQ(report.outcome, LoadOutcome::Loaded);
    EXPECT_GT(report.listedEntries, 0);
    EXPECT_EQ(report.repaintMismatches, 0);
}

TEST(ExerciseSourceTest, RandomRecordsLoadAndPaint) {
    for (std::uint32_t seed = 100; seed < 120; ++seed) {
        std::vector<std::uint8_t> bytes = seeds::RandomRecord(seed);
        // With the magic in place the random masks reach the catalogue's header checks.
        if (seed % 2 == 0) test::StampMagic(bytes);
        const ExerciseReport report = ExerciseSource(bytes);
        EXPECT_EQ(report.outcome, LoadOutcome::Loaded) << seed;
        EXPECT_EQ(report.repaintMismatches, 0) << seed;
    }
}

TEST(ExerciseSourceTest, RandomEntriesBehindValidHeadersAreAllListedAndPaint) {
    const ExerciseReport report = ExerciseSource(seeds::RandomListedRecord(200));
    EXPECT_EQ(report.outcome, LoadOutcome::Loaded);
    EXPECT_EQ(report.listedEntries, kAllSlots);
    EXPECT_EQ(report.repaintMismatches, 0);
}

}  // namespace
}  // namespace quorvel
