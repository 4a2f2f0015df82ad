// build against input meant to break it: deep, huge or oversized JSON is refused with a short
// message that says why, and nothing is written.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "source/JsonInput.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

std::string Nested(std::size_t levels, const std::string& inner = "") {
    return std::string(levels, '[') + inner + std::string(levels, ']');
}

struct HostileCase {
    std::string json;
    std::string message;  // what the error must say
};

std::vector<HostileCase> HostileCases() {
    std::string numbers = "[1000";
    for (int i = 0; i < 1'000'000; ++i) numbers += ",1000";
    return {
        {"{\"magic\":" + Nested(60000) + "}", "nests lists and objects more than 256 levels deep"},
        {"{\"measure\":[{\"fields\":{\"quality\":" + Nested(60000) + "}}]}",
         "more than 256 levels"},
        {"{\"reservedBytes\":" + Nested(60000) + "}", "more than 256 levels"},
        {Nested(257), "more than 256 levels"},
        {Nested(256), "document: expected an object"},  // the limit itself parses
        {"{\"magic\":" + Nested(255, "7") + "}",
         "magic: expected \"0x\" and 8 hex digits, not " + std::string(60, '[') + "...\n"},
        {"{\"measure\":[{\"fields\":{\"name\":\"" + std::string(10'000'000, 'x') + "\"}}]}",
         "measure slot 0, field name: \"" + std::string(59, 'x') +
             "... is longer than the field's"},
        {"{\"spectrum\":[{\"slot\":" + numbers + "]}]}",
         "spectrum[0].slot: [1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000... is"},
        {"{\"magic\":\"" + std::string(1'000'000, 'y') + "\" x}",
         "is not valid JSON: line 1, column 1000013: unexpected 'x'"},
        {"{\n\"magic\":\n  [1,,2]}", "is not valid JSON: line 3, column 6: unexpected ','"},
        {"{\"magic\": [1, 2", "is not valid JSON: the text ends before the JSON is complete"},
        {"{\"measure\":[{\"fields\":{\"name\":\"" + std::string(50, 'e') +
             "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\"}}]}",
         std::string(50, 'e') + "\u00e9\u00e9\u00e9\u00e9... is longer"},  // cut on a character
    };
}

TEST(HostileJson, IsRefusedBrieflyAndWritesNothing) {
    TemporaryFolder folder;
    const fs::path output = folder / "out.dat";
    for (const HostileCase& c : HostileCases()) {
        const fs::path input = WriteFile(folder / "in.json", c.json);
        std::ostringstream err;
        EXPECT_EQ(cli::RunBuild({input, output}, err), cli::kExitFailure);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_LT(err.str().size(), 300u) << "a message never repeats a whole value";
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST(HostileJson, SizeLimitIsCheckedBeforeParsing) {
    TemporaryFolder folder;
    for (const std::size_t size : {kMaxJsonBytes, kMaxJsonBytes + 1}) {
        const fs::path input = WriteFile(folder / "big.json", "{}" + std::string(size - 2, ' '));
        const JsonInput read = ReadJsonInput(input);
        EXPECT_EQ(read.document.has_value(), size == kMaxJsonBytes);
        if (!read.document) {
            EXPECT_EQ(read.error, input.string() +
                                      " is larger than 64 MiB; a dump of a full "
                                      "record is about 1 MB");
        }
    }
}

}  // namespace
}  // namespace quorvel::test
