// Names as the file system holds them: bytes that are not UTF-8, names up to the longest a
// folder takes, and links; and a standard output that cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CliProcess.h"

extern char** environ;

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kBmpSize = 3'686'454;

// The executable run with its arguments as bytes, untouched by any text conversion; its
// standard output goes to `out`, or is closed when `out` is empty.
CliRun RunWithByteArguments(const std::vector<std::string>& arguments, const fs::path& out,
                            const fs::path& err) {
    const std::string program = kCliPath.toStdString();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out.empty()) {
        posix_spawn_file_actions_addclose(&actions, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream errFile(err, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(errFile), {});
    return run;
}

struct NameCase {
    const char* label;
    std::vector<std::string> arguments;  // %DIR% is a fresh folder holding caf\xe9.dat
    const char* produced;                // relative to %DIR%: must be there afterwards
};

const std::string kLatin1 = "caf\xe9";
const std::string k255 = std::string(251, 'n') + ".bmp";

const NameCase kNames[] = {
    {"Latin-1 source, dump", {"dump", "%DIR%/" + kLatin1 + ".dat"}, "stdout.txt"},
    {"Latin-1 source and picture",
     {"render", "%DIR%/" + kLatin1 + ".dat", "--dvb", "s", "--screen", "spectrum", "-o",
      "%DIR%/" + kLatin1 + ".bmp"},
     "caf\xe9.bmp"},
    {"Latin-1 source and folder, every screen",
     {"render", "%DIR%/" + kLatin1 + ".dat", "--all", "-o", "%DIR%/" + kLatin1},
     "caf\xe9/index.json"},
    {"255-byte picture name",
     {"render", "%DIR%/" + kLatin1 + ".dat", "--dvb", "t", "--screen", "measure", "-o",
      "%DIR%/" + k255},
     nullptr},
    {"dangling link as the picture",
     {"render", "%DIR%/" + kLatin1 + ".dat", "--dvb", "c", "--screen", "measure", "-o",
      "%DIR%/dangling.bmp"},
     "created.bmp"},
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.label;
}

class ByteNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ByteNames, AreUsedAsTheFileSystemHoldsThem) {
    const NameCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string dir = folder.path().toStdString();
    fs::copy_file(kDemoFile, dir + "/" + kLatin1 + ".dat");
    fs::create_symlink("created.bmp", dir + "/dangling.bmp");
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
        if (argument.rfind("%DIR%", 0) == 0) argument.replace(0, 5, dir);
    }
    const CliRun run = RunWithByteArguments(arguments, dir + "/stdout.txt", dir + "/stderr.txt");
    EXPECT_EQ(run.status, 0) << c.label << "\n" << run.err;
    const fs::path produced = dir + "/" + (c.produced ? c.produced : k255);
    ASSERT_TRUE(fs::exists(produced)) << c.label;
    if (produced.extension() == ".bmp") {
        EXPECT_EQ(fs::file_size(produced), kBmpSize) << c.label;
    }
    EXPECT_GT(fs::file_size(produced), 100u) << c.label;
    EXPECT_TRUE(fs::is_symlink(dir + "/dangling.bmp")) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Paths, ByteNames, ::testing::ValuesIn(kNames), [](const auto& testCase) {
    return "case" + std::to_string(testCase.index);
});

TEST(ByteNamesRefused, LinkLoopGivesTheSystemsReasonAndWritesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string dir = folder.path().toStdString();
    fs::create_symlink("b.bmp", dir + "/a.bmp");
    fs::create_symlink("a.bmp", dir + "/b.bmp");
    const CliRun run = RunWithByteArguments(
        {"render", kDemoFile, "--dvb", "s", "--screen", "measure", "-o", dir + "/a.bmp"},
        dir + "/stdout.txt", dir + "/stderr.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "quorvel-cli: cannot write " + dir + "/a.bmp: Too many levels of symbolic links\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}

TEST(DumpOutput, FailedStandardOutputIsReportedWithTheReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string err = folder.path().toStdString() + "/stderr.txt";
    const CliRun full = RunWithByteArguments({"dump", kDemoFile}, "/dev/full", err);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "quorvel-cli: cannot write standard output: No space left on device\n");
    const CliRun closed = RunWithByteArguments({"dump", kDemoFile}, {}, err);
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err, "quorvel-cli: cannot write standard output: Bad file descriptor\n");
}

}  // namespace
}  // namespace quorvel::test
