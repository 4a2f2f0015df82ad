// compare --accept on the committed seeds of its fuzz target: each approves what it may and
// nothing else.
#include <gtest/gtest.h>

#include <map>

#include "fuzz/ExerciseAccept.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

TEST(CompareAcceptSeeds, EachApprovesOnlyADecodedPictureWithAReadableIndex) {
    const fs::path seedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "compare-accept";
    // Seed file and whether the approved a.bmp is replaced. A 60,000-deep index once crashed the
    // writer after a picture was already replaced.
    const std::map<std::string, bool> seeds = {
        {"deep-index", false},   {"garbage-picture", false},  {"index-and-bmp", true},
        {"index-and-png", true}, {"index-not-object", false}, {"latin1-name", false},
        {"no-index", false},
    };
    std::size_t committed = 0;
    for (const auto& file : fs::directory_iterator(seedFolder)) {
        EXPECT_EQ(seeds.count(file.path().filename()), 1u) << file.path() << " has no expectation";
        ++committed;
    }
    EXPECT_EQ(committed, seeds.size());
    TemporaryFolder folder;
    for (const auto& [name, replaced] : seeds) {
        const AcceptReport report = ExerciseAccept(ReadFile(seedFolder / name), folder / "run");
        EXPECT_EQ(report.fault, "") << name;
        EXPECT_EQ(report.replaced, replaced) << name;
    }
}

}  // namespace
}  // namespace quorvel::test
