// Every refusal of the real executable: its message, its exit status, and no output file left.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "Version.h"
#include "CliProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// In a command, `%DIR%` stands for a fresh temporary folder that holds short.dat (one byte short
// of a record), bad.json and range.json, and `%DEMO%` for the sample source file.
struct ErrorCase {
    const char* label;
    const char* command;  // arguments separated by single spaces
    int status;
    const char* message;
    const char* output;  // relative to %DIR%; must not exist afterwards
};

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class CliRefuses : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CliRefuses, WithItsMessageStatusAndNoFile) {
    const ErrorCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const fs::path dir = folder.path().toStdString();
    WriteText(dir / "short.dat", std::string(156'835, '\0'));
    WriteText(dir / "bad.json", "{\"measure\": [");
    WriteText(dir / "range.json", R"({"measure": [{"fields": {"quality": 256}}]})");

    QStringList arguments;
    for (QString argument : QString::fromLatin1(c.command).split(' ')) {
        arguments << argument.replace("%DEMO%", QString::fromStdString(kDemoFile))
                         .replace("%DIR%", folder.path());
    }
    const CliRun run = RunCliTool(arguments);
    EXPECT_EQ(run.status, c.status) << c.label << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.label << "\n" << run.err;
    EXPECT_TRUE(run.out.empty()) << c.label;
    EXPECT_FALSE(fs::exists(dir / c.output)) << c.label;
    // Nothing but the inputs is left in the folder: no temporary file either.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 3u) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliRefuses,
    ::testing::Values(
        ErrorCase{"missing source file",
                  "render %DIR%/none.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure,
                  "cannot open", "a.bmp"},
        ErrorCase{"short source file",
                  "render %DIR%/short.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure,
                  "156836 bytes", "a.bmp"},
        ErrorCase{"folder as source file", "render %DIR% --dvb s --screen measure -o %DIR%/a.bmp",
                  kFailure, "cannot open", "a.bmp"},
        ErrorCase{"entry past the list",
                  "render %DEMO% --dvb s --screen measure --entry 4 -o %DIR%/a.bmp", kFailure,
                  "--entry 4: the DVB-S measure list has 4 entries (positions 0 to 3)", "a.bmp"},
        ErrorCase{"negative entry",
                  "render %DEMO% --dvb s --screen measure --entry -1 -o %DIR%/a.bmp", kUsage,
                  "--entry", "a.bmp"},
        ErrorCase{"reference level off the 5 dB steps",
                  "render %DEMO% --dvb s --screen spectrum --ref-level 42 -o %DIR%/a.bmp", kUsage,
                  "0 to 75 in steps of 5", "a.bmp"},
        ErrorCase{"reference level above 75",
                  "render %DEMO% --dvb s --screen spectrum --ref-level 80 -o %DIR%/a.bmp", kUsage,
                  "--ref-level", "a.bmp"},
        ErrorCase{"cursor left of the plot",
                  "render %DEMO% --dvb s --screen spectrum --cursor-x 100 -o %DIR%/a.bmp", kUsage,
                  "--cursor-x", "a.bmp"},
        ErrorCase{"cursor right of the plot",
                  "render %DEMO% --dvb s --screen spectrum --cursor-x 1000 -o %DIR%/a.bmp", kUsage,
                  "--cursor-x", "a.bmp"},
        ErrorCase{"unknown DVB type", "render %DEMO% --dvb x --screen measure -o %DIR%/a.bmp",
                  kUsage, "--dvb", "a.bmp"},
        ErrorCase{"no screen", "render %DEMO% --dvb s -o %DIR%/a.bmp", kUsage, "--dvb and --screen",
                  "a.bmp"},
        ErrorCase{"unknown picture extension",
                  "render %DEMO% --dvb s --screen measure -o %DIR%/a.jpg", kUsage,
                  "must end in .bmp or .png", "a.jpg"},
        ErrorCase{"More view of a spectrum",
                  "render %DEMO% --dvb s --screen spectrum --more -o %DIR%/a.bmp", kUsage,
                  "only the constellation screen has a More view", "a.bmp"},
        ErrorCase{"output folder missing",
                  "render %DEMO% --dvb s --screen measure -o %DIR%/no/a.bmp", kFailure,
                  "cannot write", "no"},
        ErrorCase{"--all with a single-screen option", "render %DEMO% --all --dvb s -o %DIR%/shots",
                  kUsage, "excludes", "shots"},
        ErrorCase{"--all from a short file", "render %DIR%/short.dat --all -o %DIR%/shots",
                  kFailure, "cannot read", "shots"},
        ErrorCase{"dump of a missing file", "dump %DIR%/none.dat", kFailure, "cannot open",
                  "none.dat"},
        ErrorCase{"build from invalid JSON", "build %DIR%/bad.json -o %DIR%/out.dat", kFailure,
                  "not valid JSON", "out.dat"},
        // Each refusal of the JSON's contents has its message checked in RecordJsonTest.
        ErrorCase{"build with a value out of range", "build %DIR%/range.json -o %DIR%/out.dat",
                  kFailure, "measure slot 0, field quality: 256 is outside 0 to 255", "out.dat"},
        ErrorCase{"build without an output", "build %DIR%/range.json", kUsage, "--output",
                  "out.dat"}),
    [](const ::testing::TestParamInfo<ErrorCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

TEST(CliRefuses, BuildErrorLeavesAnExistingOutputAsItWas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const fs::path dir = folder.path().toStdString();
    WriteText(dir / "range.json", R"({"measure": [{"fields": {"quality": 256}}]})");
    WriteText(dir / "out.dat", "keep me");
    const CliRun run = RunCliTool({"build", QString::fromStdString((dir / "range.json").string()),
                                   "-o", QString::fromStdString((dir / "out.dat").string())});
    EXPECT_EQ(run.status, kFailure);
    std::ifstream kept(dir / "out.dat");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
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
