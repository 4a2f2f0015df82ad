#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "export/AtomicFile.h"
#include "export/BmpEncoder.h"
#include "export/BmpFile.h"
#include "support/Files.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test::ReadFile;

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t fill) {
    return std::vector<std::uint8_t>(size, fill);
}

// Runs `body` in a child process and returns its exit status, so that a test can drop
// privileges or set resource limits without affecting the test runner.
template <typename Body>
int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// Writes in a child whose files may not grow past `limit` bytes, as on a disk that fills up;
// 0 when the write failed with the system's reason.
template <typename Write>
int WriteWithFileSizeLimit(rlim_t limit, Write write) {
    return InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 3;
        const WriteOutcome outcome = write();
        if (outcome.ok) return 1;
        return outcome.error.find("too large") != std::string::npos ? 0 : 2;
    });
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void PutOldFile() { test::WriteFile(target, old); }

    test::TemporaryFolder folder;
    const fs::path target = folder / "screen.bmp";
    const std::vector<std::uint8_t> old = Bytes(11, 'o');
};

TEST_F(AtomicFileTest, WritesNewFileAndReplacesExistingOneAndTheTargetOfALink) {
    ASSERT_TRUE(WriteFileAtomically(target, Bytes(1000, 7)).ok);
    EXPECT_EQ(ReadFile(target), Bytes(1000, 7));
    const auto outcome = WriteFileAtomically(target, Bytes(10, 9));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(ReadFile(target), Bytes(10, 9));
    test::WriteFile(folder / "empty.bmp", Bytes(0, 0));
    ASSERT_TRUE(WriteFileAtomically(folder / "empty.bmp", Bytes(5, 4)).ok);
    EXPECT_EQ(ReadFile(folder / "empty.bmp"), Bytes(5, 4));

    fs::create_symlink(target, folder / "link.bmp");
    ASSERT_TRUE(WriteFileAtomically(folder / "link.bmp", Bytes(3, 4)).ok);
    EXPECT_TRUE(fs::is_symlink(folder / "link.bmp"));
    EXPECT_EQ(ReadFile(target), Bytes(3, 4));
    EXPECT_EQ(folder.Names(), (Names{"empty.bmp", "link.bmp", "screen.bmp"}));
}

TEST_F(AtomicFileTest, MissingFolderFailsWithReasonAndWritesNothing) {
    const auto outcome = WriteFileAtomically(folder / "no-such-folder" / "x.bmp", Bytes(10, 1));
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("No such file"), std::string::npos) << outcome.error;
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(AtomicFileTest, FoldersAndSpecialFilesAreRefusedNotReplaced) {
    fs::create_directory(folder / "shots");
    ASSERT_EQ(::mkfifo((folder / "pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileAtomically(folder / "shots", Bytes(10, 1)).ok);
    EXPECT_FALSE(WriteFileAtomically(folder / "pipe.bmp", Bytes(10, 1)).ok);
    EXPECT_TRUE(fs::is_directory(folder / "shots"));
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.bmp"));
    EXPECT_EQ(folder.Names(), (Names{"pipe.bmp", "shots"}));
}

TEST_F(AtomicFileTest, FolderWithoutWritePermissionKeepsOldFile) {
    PutOldFile();
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    // Root ignores permission bits, so the write is attempted as an unprivileged user.
    const int status = InChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 3;
        const auto outcome = WriteFileAtomically(target, Bytes(100, 1));
        if (outcome.ok) return 1;
        return outcome.error.find("Permission denied") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(folder.Names(), Names{"screen.bmp"});
}

// A file filling up part-way, written whole or as it is encoded: the old picture stays as it
// was and no temporary file is left; a picture encoded as it is written is the encoder's file.
TEST_F(AtomicFileTest, WriteFailingMidwayKeepsOldFileAndLeavesNoTemporary) {
    std::vector<std::uint32_t> screen(1280 * 720);
    for (std::size_t i = 0; i < screen.size(); ++i)
        screen[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const auto writePicture = [&](const fs::path& path) {
        return WriteBmp32File(path, screen.data(), 1280, 720, 1280 * 4);
    };
    ASSERT_TRUE(writePicture(folder / "new.bmp").ok);
    EXPECT_EQ(ReadFile(folder / "new.bmp"), EncodeBmp32(screen.data(), 1280, 720, 1280 * 4));

    PutOldFile();
    EXPECT_EQ(WriteWithFileSizeLimit(
                  4096, [&] { return WriteFileAtomically(target, Bytes(3'686'454, 5)); }),
              0);
    EXPECT_EQ(WriteWithFileSizeLimit(1'000'000, [&] { return writePicture(target); }), 0);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(folder.Names(), (Names{"new.bmp", "screen.bmp"}));
}

}  // namespace
}  // namespace quorvel
