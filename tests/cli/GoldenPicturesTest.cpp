#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/SourceFile.h"
#include "tools/GoldenPictures.h"

namespace quorvel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Any pixel change in any batch picture of the sample file shows here and, once the table is
// rewritten on purpose with make_golden_table, in the table's diff under review.
TEST(GoldenPictures, EveryBatchPictureOfTheSampleMatchesTheTable) {
    const char* const tablePath = QUORVEL_SOURCE_DIR "/tests/golden/demo-pictures.sha256";
    std::ifstream in(tablePath, std::ios::binary);
    ASSERT_TRUE(in) << tablePath;
    std::stringstream table;
    table << in.rdbuf();

    auto record = std::make_unique<SourceRecord>();
    ASSERT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", *record), LoadOutcome::Loaded);
    const std::vector<std::string> expected = Lines(table.str());
    const std::vector<std::string> actual = Lines(golden::PictureTable(*record));

    EXPECT_GT(expected.size(), 60u);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]);
    if (HasFailure()) {
        ADD_FAILURE() << "if the change is meant, rewrite the table with: "
                         "build/<preset>/tools/make_golden_table samples/demo.dat "
                         "tests/golden/demo-pictures.sha256";
    }
}

}  // namespace
}  // namespace quorvel
