#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "data/SourceFile.h"
#include "support/Files.h"
#include "tools/GoldenPictures.h"

namespace quorvel {
namespace {

// Any pixel change in any batch picture of the sample file shows here and, once the table is
// rewritten on purpose with make_golden_table, in the table's diff under review.
TEST(GoldenPictures, EveryBatchPictureOfTheSampleMatchesTheTable) {
    const std::string table =
        test::ReadText(QUORVEL_SOURCE_DIR "/tests/golden/demo-pictures.sha256");
    EXPECT_GT(std::count(table.begin(), table.end(), '\n'), 60);
    auto record = std::make_unique<SourceRecord>();
    ASSERT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", *record), LoadOutcome::Loaded);
    EXPECT_EQ(golden::PictureTable(*record), table)
        << "if the change is meant, rewrite the table with: "
           "build/<preset>/tools/make_golden_table samples/demo.dat "
           "tests/golden/demo-pictures.sha256";
}

}  // namespace
}  // namespace quorvel
