// build against input meant to break it: deep, huge or oversized JSON is refused with a short
// message that says why, and nothing is written.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "cli/JsonInput.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

std::string Nested(int levels, const std::string& inner = "") {
    return std::string(static_cast<std::size_t>(levels), '[') + inner +
           std::string(static_cast<std::size_t>(levels), ']');
}

std::string NumberList(std::size_t count) {
    std::string list = "[";
    for (std::size_t i = 0; i < count; ++i) list += (i ? ",1000" : "1000");
    return list + "]";
}

struct HostileCase {
    const char* label;
    std::function<std::string()> json;
    std::string message;  // what the error must say
};

const HostileCase kHostile[] = {
    {"deep at the top", [] { return "{\"magic\":" + Nested(60000) + "}"; },
     "nests lists and objects more than 256 levels deep"},
    {"deep in a slot field",
     [] { return "{\"measure\":[{\"fields\":{\"quality\":" + Nested(60000) + "}}]}"; },
     "more than 256 levels deep"},
    {"deep in reserved bytes", [] { return "{\"reservedBytes\":" + Nested(60000) + "}"; },
     "more than 256 levels deep"},
    // The limit itself: 256 levels parse, and only then are refused for their shape.
    {"257 levels", [] { return Nested(257); }, "more than 256 levels"},
    {"256 levels", [] { return Nested(256); }, "document: expected an object"},
    {"256 levels under the magic", [] { return "{\"magic\":" + Nested(255, "7") + "}"; },
     "magic: expected \"0x\" and 8 hex digits, not " + std::string(60, '[') + "...\n"},
    {"a 10 MB name",
     [] {
         return "{\"measure\":[{\"fields\":{\"name\":\"" + std::string(10'000'000, 'x') + "\"}}]}";
     },
     "measure slot 0, field name: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx... "
     "is longer than the field's 30 bytes"},
    {"a million numbers as a slot number",
     [] { return "{\"spectrum\":[{\"slot\":" + NumberList(1'000'000) + "}]}"; },
     "spectrum[0].slot: [1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000... is not"},
    {"a bad token after a long string",
     [] { return "{\"magic\":\"" + std::string(1'000'000, 'y') + "\" x}"; }, "is not valid JSON"},
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.label;
}

class HostileJson : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileJson, IsRefusedBrieflyAndWritesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SCOPED_TRACE(GetParam().label);
    const fs::path input = fs::path(folder.path().toStdString()) / "in.json";
    const fs::path output = fs::path(folder.path().toStdString()) / "out.dat";
    std::ofstream(input, std::ios::binary) << GetParam().json();

    std::ostringstream err;
    EXPECT_EQ(cli::RunBuild({input, output}, err), cli::kExitFailure);
    EXPECT_NE(err.str().find(GetParam().message), std::string::npos) << err.str();
    EXPECT_LT(err.str().size(), 400u) << "a message never repeats a whole value";
    EXPECT_FALSE(fs::exists(output));
}

INSTANTIATE_TEST_SUITE_P(Inputs, HostileJson, ::testing::ValuesIn(kHostile),
                         [](const auto& testCase) {
                             return "case" + std::to_string(testCase.index);
                         });

TEST(HostileJsonInput, SizeLimitIsCheckedBeforeParsing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const fs::path input = fs::path(folder.path().toStdString()) / "big.json";
    // A valid document padded with spaces: only its size can be wrong.
    const auto writeSized = [&](std::size_t size) {
        std::string text(size, ' ');
        text.replace(0, 2, "{}");
        std::ofstream(input, std::ios::binary) << text;
    };
    writeSized(cli::kMaxJsonBytes);
    EXPECT_TRUE(cli::ReadJsonInput(input).document);
    writeSized(cli::kMaxJsonBytes + 1);
    const cli::JsonInput refused = cli::ReadJsonInput(input);
    EXPECT_FALSE(refused.document);
    EXPECT_EQ(refused.error,
              input.string() + " is larger than 64 MiB; a dump of a full record is about 1 MB");
}

TEST(HostileJsonInput, ExcerptsAreWholeWhenShortAndCutOnACharacter) {
    EXPECT_EQ(cli::JsonExcerpt(cli::Json::parse(R"([1, {"a": [true, null]}, "z"])")),
              R"([1,{"a":[true,null]},"z"])");
    const std::string cut = cli::JsonExcerpt(cli::Json(std::string(100, 'e') + "\u00e9"));
    EXPECT_EQ(cut, "\"" + std::string(59, 'e') + "...");
    const std::string accents =
        cli::JsonExcerpt(cli::Json(std::string(50, 'e') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"));
    // 51 bytes of quote and letters, then two-byte letters: a cut at 60 would split one.
    EXPECT_EQ(accents, "\"" + std::string(50, 'e') + "\u00e9\u00e9\u00e9\u00e9...");
}

}  // namespace
}  // namespace quorvel::test
