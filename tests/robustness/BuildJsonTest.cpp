// quorvel-cli build on the committed JSON seeds: each is refused with a message and nothing
// written, or gives a record that dump and build return byte for byte.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/RecordJson.h"
#include "data/SourceRecord.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

const fs::path kSeedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "build-json";

// Seed file and whether build accepts it.
const std::map<std::string, bool> kSeeds = {
    {"deep-nesting.json", false},
    {"empty-object.json", true},
    {"magic-only.json", true},
    // A number beyond every numeric type once ended the process from inside the JSON parser.
    {"number-overflow.json", false},
    {"one-of-each.json", true},
    {"too-many-levels.json", false},
    {"truncated.json", false},
    {"unknown-member.json", false},
    {"wrong-types.json", false},
};

class BuildJsonTest : public ::testing::TestWithParam<std::pair<const std::string, bool>> {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "quorvel-build-json-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
};

TEST(BuildJsonSeedsTest, EverySeedHasAnExpectation) {
    std::set<std::string> committed;
    for (const fs::directory_entry& file : fs::directory_iterator(kSeedFolder)) {
        committed.insert(file.path().filename().string());
    }
    std::set<std::string> expected;
    for (const auto& [name, accepted] : kSeeds) expected.insert(name);
    EXPECT_EQ(committed, expected);
}

TEST_P(BuildJsonTest, RefusesWithAMessageOrBuildsARecordThatSurvivesDumpAndBuild) {
    const auto& [name, accepted] = GetParam();
    const fs::path output = m_folder / "built.dat";
    std::ostringstream err;
    const int status = cli::RunBuild({kSeedFolder / name, output}, err);
    if (!accepted) {
        EXPECT_EQ(status, cli::kExitFailure);
        EXPECT_NE(err.str().find(name), std::string::npos) << err.str();
        EXPECT_FALSE(fs::exists(output));
        return;
    }
    ASSERT_EQ(status, cli::kExitOk) << err.str();
    std::ifstream file(output, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(bytes.size(), record::kSize);
    auto record = std::make_unique<SourceRecord>();
    std::copy(bytes.begin(), bytes.end(), record->bytes.begin());
    const cli::BuiltRecord again = cli::BuildRecord(cli::DumpRecord(*record));
    ASSERT_NE(again.record, nullptr) << again.error;
    EXPECT_TRUE(again.record->bytes == record->bytes);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BuildJsonTest, ::testing::ValuesIn(kSeeds), [](const auto& seed) {
    std::string name = seed.param.first.substr(0, seed.param.first.find('.'));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
}  // namespace quorvel
