// Every refusal of the real executable: its message, its exit status, and no output file left.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CliProcess.h"
#include "Version.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// In a command, `%DIR%` stands for a fresh temporary folder that holds short.dat (one byte short
// of a record), bad.json and range.json, and `%DEMO%` for the sample source file.
struct ErrorCase {
    const char* command;  // arguments separated by single spaces
    int status;
    const char* message;
    const char* output;  // relative to %DIR%; must not exist afterwards
};

const std::string kRangeJson = R"({"measure": [{"fields": {"quality": 256}}]})";

class CliRefuses : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CliRefuses, WithItsMessageStatusAndNoFile) {
    const ErrorCase& c = GetParam();
    TemporaryFolder folder;
    WriteFile(folder / "short.dat", std::string(156'835, '\0'));
    WriteFile(folder / "bad.json", std::string("{\"measure\": ["));
    WriteFile(folder / "range.json", kRangeJson);

    QStringList arguments;
    for (QString argument : QString::fromLatin1(c.command).split(' ')) {
        arguments << argument.replace("%DEMO%", QString::fromStdString(kDemoFile))
                         .replace("%DIR%", QString::fromStdString(folder.path()));
    }
    const CliRun run = RunCliTool(arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(fs::exists(folder / c.output));
    EXPECT_EQ(folder.Names().size(), 3u) << "nothing but the inputs, no temporary file either";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliRefuses,
    ::testing::Values(
        ErrorCase{"render %DIR%/none.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure,
                  "cannot open", "a.bmp"},
        ErrorCase{"render %DIR%/short.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure,
                  "156836 bytes", "a.bmp"},
        ErrorCase{"render %DIR% --dvb s --screen measure -o %DIR%/a.bmp", kFailure, "cannot open",
                  "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen measure --entry 4 -o %DIR%/a.bmp", kFailure,
                  "--entry 4: the DVB-S measure list has 4 entries (positions 0 to 3)", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen measure --entry -1 -o %DIR%/a.bmp", kUsage,
                  "--entry", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen measure --entry 64 -o %DIR%/a.bmp", kUsage,
                  "--entry", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen spectrum --ref-level 42 -o %DIR%/a.bmp", kUsage,
                  "0 to 75 in steps of 5", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen spectrum --ref-level 80 -o %DIR%/a.bmp", kUsage,
                  "--ref-level", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen spectrum --cursor-x 100 -o %DIR%/a.bmp", kUsage,
                  "--cursor-x", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen spectrum --cursor-x 1000 -o %DIR%/a.bmp", kUsage,
                  "--cursor-x", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb x --screen measure -o %DIR%/a.bmp", kUsage, "--dvb",
                  "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s -o %DIR%/a.bmp", kUsage, "--dvb and --screen", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen measure -o %DIR%/a.jpg", kUsage,
                  "must end in .bmp, .png, .svg or .pdf", "a.jpg"},
        ErrorCase{"render %DEMO% --dvb s --screen measure --page a4 -o %DIR%/a.svg", kUsage,
                  "only a .pdf output has pages", "a.svg"},
        ErrorCase{"render %DEMO% --dvb s --screen spectrum --more -o %DIR%/a.bmp", kUsage,
                  "only the constellation screen has a More view", "a.bmp"},
        ErrorCase{"render %DEMO% --dvb s --screen measure -o %DIR%/no/a.bmp", kFailure,
                  "cannot write", "no"},
        ErrorCase{"render %DEMO% --all --entry 1 -o %DIR%/shots", kUsage, "excludes", "shots"},
        ErrorCase{"render %DEMO% --dvb s,t --screen measure -o %DIR%/a.bmp", kUsage,
                  "a list needs --all", "a.bmp"},
        ErrorCase{"render %DIR%/short.dat --all -o %DIR%/shots", kFailure, "cannot read", "shots"},
        ErrorCase{"export %DEMO% -o %DIR%/short.dat/tables", kFailure, "cannot write",
                  "short.dat/tables"},
        ErrorCase{"export %DEMO% --dvb x -o %DIR%/tables", kUsage, "--dvb", "tables"},
        ErrorCase{"report %DIR%/short.dat -o %DIR%/r.pdf", kFailure, "156836 bytes", "r.pdf"},
        ErrorCase{"report %DEMO% -o %DIR%/no/r.pdf", kFailure, "cannot write", "no"},
        ErrorCase{"report %DEMO% --lang de -o %DIR%/r.pdf", kUsage, "--lang", "r.pdf"},
        ErrorCase{"dump %DIR%/none.dat", kFailure, "cannot open", "none.dat"},
        ErrorCase{"build %DIR%/bad.json -o %DIR%/out.dat", kFailure, "not valid JSON", "out.dat"},
        // Each refusal of the JSON's contents has its message checked in RecordJsonTest.
        ErrorCase{"build %DIR%/range.json -o %DIR%/out.dat", kFailure,
                  "measure slot 0, field quality: 256 is outside 0 to 255", "out.dat"},
        ErrorCase{"build %DIR%/range.json", kUsage, "--output", "out.dat"}),
    [](const ::testing::TestParamInfo<ErrorCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

TEST(CliRefuses, BuildErrorLeavesAnExistingOutputAsItWas) {
    TemporaryFolder folder;
    WriteFile(folder / "range.json", kRangeJson);
    WriteFile(folder / "out.dat", std::string("keep me"));
    const CliRun run = RunCliTool({"build", QString::fromStdString(folder / "range.json"), "-o",
                                   QString::fromStdString(folder / "out.dat")});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_EQ(ReadFile(folder / "out.dat"),
              std::vector<std::uint8_t>({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}

TEST(CliHelp, ToolAndEachCommandAnswerHelpAndTheToolItsVersion) {
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"render", "--help"}, QStringList{"dump", "--help"},
          QStringList{"build", "--help"}}) {
        const CliRun run = RunCliTool(arguments);
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
        EXPECT_NE(run.out.find("Usage: quorvel-cli"), std::string::npos) << run.out;
    }
    const CliRun version = RunCliTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorvel-cli ") + kVersion + "\n");
}

}  // namespace
}  // namespace quorvel::test
