#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "export/AtomicFile.h"
#include "export/BmpEncoder.h"
#include "export/BmpFile.h"
#include "export/TemporaryCleanup.h"
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

WriteOutcome WriteText(const fs::path& path, const std::string& text) {
    return WriteFileAtomically(
        path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void PutOldFile() { test::WriteFile(target, old); }
    std::string Read(const fs::path& name) const { return test::ReadText(folder / name); }
    WriteOutcome Write(const fs::path& name, const std::string& text) const {
        return WriteText(folder / name, text);
    }
    mode_t Mode(const fs::path& name) const {
        struct stat status {};
        ::stat((folder / name).c_str(), &status);
        return status.st_mode & 07777;
    }

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

TEST_F(AtomicFileTest, LinksAreFollowedToTheirEndAndLoopsRefused) {
    fs::create_directory(folder / "sub");
    fs::create_symlink("sub/missing.bmp", folder / "dangling.bmp");
    fs::create_symlink("dangling.bmp", folder / "chain.bmp");
    // Named relative to the working folder, as on a command line.
    const fs::path caller = fs::current_path();
    fs::current_path(folder.path());
    const WriteOutcome relative = WriteText("chain.bmp", "new");
    fs::current_path(caller);
    ASSERT_TRUE(relative.ok) << relative.error;
    EXPECT_EQ(Read("sub/missing.bmp"), "new");
    EXPECT_TRUE(fs::is_symlink(folder / "chain.bmp") && fs::is_symlink(folder / "dangling.bmp"));

    fs::create_symlink("loop-b.bmp", folder / "loop-a.bmp");
    fs::create_symlink("loop-a.bmp", folder / "loop-b.bmp");
    EXPECT_EQ(Write("loop-a.bmp", "new").error, "Too many levels of symbolic links");
    EXPECT_EQ(folder.Names(), (Names{"chain.bmp", "dangling.bmp", "loop-a.bmp", "loop-b.bmp", "sub"}));
}

TEST_F(AtomicFileTest, ModesAreKeptHardLinksKeepTheOldFileAndLongNamesWork) {
    const fs::path kept = folder / "private.bmp";
    for (const mode_t mode : {mode_t{0600}, mode_t{0751}}) {
        std::ofstream(kept) << "old";
        ::chmod(kept.c_str(), mode);
        // Only root may give a file away; anyone else keeps the owner they already are.
        const bool root = ::geteuid() == 0;
        ASSERT_EQ(::chown(kept.c_str(), root ? 65534 : -1, root ? 65534 : -1), 0);
        ASSERT_TRUE(Write("private.bmp", "new").ok);
        EXPECT_EQ(Mode("private.bmp"), mode);
        struct stat status {};
        ::stat(kept.c_str(), &status);
        EXPECT_EQ(status.st_uid, root ? 65534u : ::geteuid());
    }
    const mode_t previous = ::umask(027);
    ASSERT_TRUE(Write("fresh.bmp", "new").ok);
    ::umask(previous);
    EXPECT_EQ(Mode("fresh.bmp"), 0640u) << "a new file gets the usual mode less the umask";

    fs::create_hard_link(kept, folder / "other-name.bmp");
    ASSERT_TRUE(Write("private.bmp", "newer").ok);
    EXPECT_EQ(Read("other-name.bmp"), "new");
    EXPECT_EQ(Read("private.bmp"), "newer");

    for (const std::size_t length : {243, 255}) {
        ASSERT_TRUE(Write(std::string(length, 'n'), "first").ok) << length;
        ASSERT_TRUE(Write(std::string(length, 'n'), "second").ok) << length;
    }
    EXPECT_EQ(folder.Names().size(), 5u) << "no temporary is left";
}

TEST_F(AtomicFileTest, SignalsRemoveRegisteredTemporariesOnlyAndStillEndTheProcess) {
    const fs::path held = folder / ".held", released = folder / ".released";
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::ofstream(held).flush();
            std::ofstream(released).flush();
            { const RegisteredTemporary done(released.c_str()); }
            const RegisteredTemporary pending(held.c_str());
            ::raise(signalNumber);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber;
        EXPECT_FALSE(fs::exists(held));
        EXPECT_TRUE(fs::remove(released));
    }
}

}  // namespace
}  // namespace quorvel
