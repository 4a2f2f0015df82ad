// Every refusal of the real executable: its message, its exit status, and no output file left.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "Version.h"

namespace quorvel::test {
namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// In a command, `%DIR%` stands for a fresh temporary folder that holds short.dat (one byte short
// of a record), bad.json, deep.json (nested past the limit), range.json and kept.dat, `%DEMO%`
// for the sample source file and `%SAMPLES%` for its folder.
// Afterwards the folder holds those five only, as they were: no output and no temporary file.
struct ErrorCase {
    const char* command;  // arguments separated by single spaces
    int status;
    const char* message;
};

class CliRefuses : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CliRefuses, WithItsMessageStatusAndNoFile) {
    const ErrorCase& c = GetParam();
    TemporaryFolder folder;
    WriteFile(folder / "short.dat", std::string(156'835, '\0'));
    WriteFile(folder / "bad.json", std::string("{\"measure\": ["));
    WriteFile(folder / "deep.json", std::string(300, '['));
    WriteFile(folder / "range.json", std::string(R"({"measure": [{"fields": {"quality": 256}}]})"));
    WriteFile(folder / "kept.dat", std::string("keep me"));

    QStringList arguments;
    for (QString argument : QString::fromLatin1(c.command).split(' ')) {
        arguments << argument.replace("%DEMO%", QtPath(kDemoFile))
                         .replace("%SAMPLES%", QStringLiteral(QUORVEL_SOURCE_DIR "/samples"))
                         .replace("%DIR%", QtPath(folder.path()));
    }
    const CliRun run = RunCliTool(arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"bad.json", "deep.json", "kept.dat", "range.json",
                                        "short.dat"}));
    EXPECT_EQ(ReadText(folder / "kept.dat"), "keep me");
}

const ErrorCase kCases[] = {
    {"render %DIR%/none.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure, "cannot open"},
    {"render %DIR%/short.dat --dvb s --screen measure -o %DIR%/a.bmp", kFailure, "156836 bytes"},
    {"render %DIR% --dvb s --screen measure -o %DIR%/a.bmp", kFailure, "cannot open"},
    {"render %DEMO% --dvb s --screen measure --entry 4 -o %DIR%/a.bmp", kFailure,
     "--entry 4: the DVB-S measure list has 4 entries (positions 0 to 3)"},
    {"render %DEMO% --dvb s --screen measure --entry -1 -o %DIR%/a.bmp", kUsage, "--entry"},
    {"render %DEMO% --dvb s --screen measure --entry 64 -o %DIR%/a.bmp", kUsage, "--entry"},
    {"render %DEMO% --dvb s --screen spectrum --ref-level 42 -o %DIR%/a.bmp", kUsage,
     "0 to 75 in steps of 5"},
    {"render %DEMO% --dvb s --screen spectrum --ref-level 80 -o %DIR%/a.bmp", kUsage,
     "--ref-level"},
    {"render %DEMO% --dvb s --screen spectrum --cursor-x 100 -o %DIR%/a.bmp", kUsage, "--cursor-x"},
    {"render %DEMO% --dvb s --screen spectrum --cursor-x 1000 -o %DIR%/a.bmp", kUsage,
     "--cursor-x"},
    {"render %DEMO% --dvb x --screen measure -o %DIR%/a.bmp", kUsage, "--dvb"},
    {"render %DEMO% --dvb s -o %DIR%/a.bmp", kUsage, "--dvb and --screen"},
    {"render %DEMO% --dvb s --screen measure -o %DIR%/a.jpg", kUsage,
     "must end in .bmp, .png, .svg or .pdf"},
    {"render %DEMO% --dvb s --screen measure --page a4 -o %DIR%/a.svg", kUsage,
     "only a .pdf output has pages"},
    {"render %DEMO% --dvb s --screen spectrum --more -o %DIR%/a.bmp", kUsage,
     "only the constellation screen has a More view"},
    {"render %DEMO% --dvb s --screen measure --smooth -o %DIR%/a.png", kUsage,
     "--smooth: needs --scale 2, 3 or 4"},
    {"render %DEMO% --dvb s --screen measure --scale 1 --smooth -o %DIR%/a.png", kUsage,
     "--smooth: needs --scale 2, 3 or 4"},
    {"render %DEMO% --dvb s --screen measure --scale 2 --smooth -o %DIR%/a.svg", kUsage,
     "--smooth: only a .bmp or .png output is drawn smooth"},
    {"render %DEMO% --dvb s --screen measure --scale 4 --smooth -o %DIR%/a.pdf", kUsage,
     "--smooth: only a .bmp or .png output is drawn smooth"},
    {"render %DEMO% --all --format svg --smooth --scale 2 -o %DIR%/shots", kUsage,
     "--smooth: only a .bmp or .png output is drawn smooth"},
    {"render %DEMO% --dvb s --screen measure --scale 1 -o %DIR%/a.svg", kUsage,
     "--scale: an SVG or PDF has no pixels to repeat"},
    {"render %DEMO% --all --format pdf --scale 2 -o %DIR%/shots", kUsage,
     "--scale: an SVG or PDF has no pixels to repeat"},
    {"render %DEMO% --dvb s --screen measure --dpi 300 -o %DIR%/a.bmp", kUsage,
     "--dpi: only a PNG picture records a resolution, not a bmp"},
    {"render %DEMO% --dvb s --screen measure --dpi 300 -o %DIR%/a.PDF", kUsage,
     "--dpi: only a PNG picture records a resolution, not a pdf"},
    {"render %DEMO% --all --dpi 300 -o %DIR%/shots", kUsage,
     "--dpi: only a PNG picture records a resolution, not a bmp"},
    {"render %DEMO% --all --format svg --dpi 300 -o %DIR%/shots", kUsage,
     "--dpi: only a PNG picture records a resolution, not a svg"},
    {"render %DEMO% --all --format png -o %DIR%/a.png", kUsage,
     "--all writes a folder; give a folder's name"},
    {"render %DEMO% --all -o %DIR%/a.Svg", kUsage, "--all writes a folder"},
    {"render %DEMO% --all --format jpg -o %DIR%/shots", kUsage, "jpg"},
    {"render %DEMO% --dvb s --screen measure -o %DIR%/no/a.bmp", kFailure, "cannot write"},
    {"render %DEMO% --all --entry 1 -o %DIR%/shots", kUsage, "excludes"},
    {"render %DEMO% --dvb s,t --screen measure -o %DIR%/a.bmp", kUsage, "a list needs --all"},
    {"render %DIR%/short.dat --all -o %DIR%/shots", kFailure, "cannot read"},
    {"render %DIR%/deep.json --dvb s --screen measure -o %DIR%/a.bmp", kFailure,
     "deep.json nests lists and objects more than 256 levels deep"},
    {"render %DIR%/deep.json --all -o %DIR%/shots", kFailure, "more than 256 levels"},
    {"render %DEMO% --all --lang de -o %DIR%/shots", kUsage, "de"},
    {"render %DEMO% --all --dvb s,x -o %DIR%/shots", kUsage, "x"},
    {"render %DEMO% --all --screen measure, -o %DIR%/shots", kUsage, "''"},
    {"render %DEMO% --all --scale 5 -o %DIR%/shots", kUsage, "5"},
    {"render %DEMO% --all --scale 0 -o %DIR%/shots", kUsage, "0"},
    {"render %DEMO% --all --smooth -o %DIR%/shots", kUsage, "--smooth: needs --scale 2, 3 or 4"},
    {"render %DEMO% --all --dpi 10001 -o %DIR%/shots", kUsage, "10001"},
    {"render %DEMO% --all --dpi 0 -o %DIR%/shots", kUsage, "0"},
    {"render %DEMO% --all %DEMO% -o %DIR%/shots", kUsage, "twice"},
    {"render %DEMO% --all %SAMPLES%/../samples/demo.dat -o %DIR%/shots", kUsage, "twice"},
    {"render %DEMO% --all -o %DIR%/kept.dat", kFailure, "kept.dat"},
    {"export %DEMO% -o %DIR%/short.dat/tables", kFailure, "cannot write"},
    {"export %DEMO% --dvb x -o %DIR%/tables", kUsage, "--dvb"},
    {"export %DIR%/bad.json -o %DIR%/tables", kFailure, "bad.json is not valid JSON"},
    {"export %DEMO% --csv-separator | -o %DIR%/tables", kUsage,
     "--csv-separator: fields are separated by , ; or tab, not '|'"},
    {"export %DEMO% --decimal-comma --csv-separator , -o %DIR%/tables", kUsage,
     "--decimal-comma: a comma cannot also separate the fields"},
    {"report %DIR%/short.dat -o %DIR%/r.pdf", kFailure, "156836 bytes"},
    {"report %DEMO% -o %DIR%/no/r.pdf", kFailure, "cannot write"},
    {"report %DEMO% --lang de -o %DIR%/r.pdf", kUsage, "--lang"},
    {"dump %DIR%/none.dat", kFailure, "cannot open"},
    {"report %DIR%/range.json -o %DIR%/r.pdf", kFailure, "field quality: 256 is outside 0 to 255"},
    {"dump %DIR%/none.json", kFailure, "cannot open"},
    {"info %DEMO%", kFailure, "demo.dat"},
    {"build %DIR%/bad.json -o %DIR%/out.dat", kFailure, "not valid JSON"},
    {"compare %SAMPLES% %DIR% -o %DIR%", kUsage, "the report would be written over"},
    {"compare %DIR% %DIR% --accept --crop 0,0", kUsage, "--accept cannot take --crop"},
    // Each refusal of the JSON's contents has its message checked in RecordJsonTest.
    {"build %DIR%/range.json -o %DIR%/kept.dat", kFailure,
     "measure slot 0, field quality: 256 is outside 0 to 255"},
    {"build %DIR%/range.json", kUsage, "--output"},
};

INSTANTIATE_TEST_SUITE_P(Commands, CliRefuses, ::testing::ValuesIn(kCases), CaseName);

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
