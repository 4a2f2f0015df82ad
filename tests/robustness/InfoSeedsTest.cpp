// quorvel-cli info on the committed seeds of its fuzz target: what each prints, with control
// characters and stray bytes escaped, or why it is refused, at once.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/Commands.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(InfoSeeds, PrintEscapedTextOrAreRefusedWithTheReason) {
    const fs::path seedFolder = fs::path(QUORVEL_SOURCE_DIR) / "fuzz" / "seeds" / "info";
    // Seed file, and the standard output, or for a refusal the reason on standard error.
    const std::map<std::string, std::string> seeds = {
        {"bad-not-a-png.png", "(not a PNG picture)"},
        {"bad-text-chunk-claims-2gib.png",
         "(PNG is truncated: chunk of 2147483648 bytes at byte "
         "33, the file has 44)"},
        {"escapes.png",
         "Size: 2x2\nSource: a\\x1b[2Jb\\\\c\\xc2\\x9b\\x7f.dat\nEntry: ·€😀\U0010FFFF|"
         "\\xc2\\x9b31m|\\xe0\\x80\\x80|\\xf0\\x80\\x80\\x80|\\xed\\xa0\\x80|"
         "\\xf4\\x90\\x80\\x80|\\xff\\xe2\\x82\n"},
        {"latin1-text.png", "Size: 2x2\nEntry: café\n"},
        {"no-provenance.png", "Size: 2x2\n" + (seedFolder / "no-provenance.png").string() +
                                  ": no provenance text (not written by quorvel-cli render)\n"},
        {"provenance.png",
         "Size: 2x2\nResolution: 300 dpi\nTitle: Satellite > Satellite "
         "Finding\nSource: demo.dat\nDVB type: DVB-S\nEntry: Œuvre Σπέκτρο\n"
         "Software: quorvel-cli 1.0\n"},
    };
    std::size_t committed = 0;
    for (const auto& file : fs::directory_iterator(seedFolder)) {
        EXPECT_EQ(seeds.count(file.path().filename()), 1u) << file.path() << " has no expectation";
        ++committed;
    }
    EXPECT_EQ(committed, seeds.size());
    for (const auto& [name, expected] : seeds) {
        std::ostringstream out, err;
        const int status = cli::RunInfo({seedFolder / name}, out, err);
        if (name.starts_with("bad-")) {
            EXPECT_EQ(status, cli::kExitFailure) << name;
            EXPECT_EQ(out.str(), "") << name;
            EXPECT_NE(err.str().find(expected), std::string::npos) << err.str();
        } else {
            EXPECT_EQ(status, cli::kExitOk) << name << ": " << err.str();
            EXPECT_EQ(out.str(), expected) << name;
        }
    }
}

}  // namespace
}  // namespace quorvel
