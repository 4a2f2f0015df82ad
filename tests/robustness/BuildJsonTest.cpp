// quorvel-cli build on the committed JSON seeds: each is refused with a message and nothing
// written, or gives a record that dump and build return byte for byte.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "cli/Commands.h"
#include "data/SourceRecord.h"
#include "source/RecordJson.h"
#include "support/Files.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(BuildJsonSeeds, EachIsRefusedWithAMessageOrSurvivesDumpAndBuild) {
    const fs::path seedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "build-json";
    // Seed file and whether build accepts it. A number beyond every numeric type once ended the
    // process from inside the JSON parser.
    const std::map<std::string, bool> seeds = {
        {"deep-in-slot.json", false},    {"deep-nesting.json", false},
        {"empty-object.json", true},     {"magic-only.json", true},
        {"number-overflow.json", false}, {"one-of-each.json", true},
        {"too-many-levels.json", false}, {"truncated.json", false},
        {"unknown-member.json", false},  {"wrong-types.json", false},
    };
    std::size_t committed = 0;
    for (const auto& file : fs::directory_iterator(seedFolder)) {
        EXPECT_EQ(seeds.count(file.path().filename()), 1u) << file.path() << " has no expectation";
        ++committed;
    }
    EXPECT_EQ(committed, seeds.size());

    test::TemporaryFolder folder;
    for (const auto& [name, accepted] : seeds) {
        SCOPED_TRACE(name);
        const fs::path output = folder / (name + ".dat");
        std::ostringstream err;
        const int status = cli::RunBuild({seedFolder / name, output}, err);
        if (!accepted) {
            EXPECT_EQ(status, cli::kExitFailure);
            EXPECT_NE(err.str().find(name), std::string::npos) << err.str();
            EXPECT_FALSE(fs::exists(output));
            continue;
        }
        ASSERT_EQ(status, cli::kExitOk) << err.str();
        const auto bytes = test::ReadFile(output);
        ASSERT_EQ(bytes.size(), record::kSize);
        auto record = std::make_unique<SourceRecord>();
        std::copy(bytes.begin(), bytes.end(), record->bytes.begin());
        const BuiltRecord again = BuildRecord(DumpRecord(*record));
        ASSERT_NE(again.record, nullptr) << again.error;
        EXPECT_TRUE(again.record->bytes == record->bytes);
    }
}

}  // namespace
}  // namespace quorvel
