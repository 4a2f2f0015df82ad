// What a write does to what was there: links followed to their end (even one that names no file
// yet), loops refused, permission bits kept, names up to the longest a folder takes, and named
// temporaries that SIGINT, SIGTERM and SIGHUP remove.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "export/AtomicFile.h"
#include "export/TemporaryCleanup.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class LinksAndModes : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "quorvel-links-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        fs::current_path(pattern);
    }
    void TearDown() override {
        const fs::path folder = fs::current_path();
        fs::current_path("/");
        fs::remove_all(folder);
    }
    static std::string Read(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static WriteOutcome Write(const std::string& name, const std::string& text) {
        return WriteFileAtomically(
            name, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    static long Entries() { return std::distance(fs::directory_iterator("."), {}); }
    static mode_t Mode(const char* name) {
        struct stat status {};
        ::stat(name, &status);
        return status.st_mode & 07777;
    }
};

TEST_F(LinksAndModes, LinksAreFollowedToTheirEndAndLoopsRefused) {
    fs::create_directory("sub");
    fs::create_symlink("sub/missing.bmp", "dangling.bmp");
    fs::create_symlink("dangling.bmp", "chain.bmp");
    ASSERT_TRUE(Write("chain.bmp", "new").ok);
    EXPECT_EQ(Read("sub/missing.bmp"), "new");
    EXPECT_TRUE(fs::is_symlink("chain.bmp") && fs::is_symlink("dangling.bmp"));

    fs::create_symlink("loop-b.bmp", "loop-a.bmp");
    fs::create_symlink("loop-a.bmp", "loop-b.bmp");
    EXPECT_EQ(Write("loop-a.bmp", "new").error, "Too many levels of symbolic links");
    EXPECT_EQ(Entries(), 5);
}

TEST_F(LinksAndModes, ModesAreKeptHardLinksKeepTheOldFileAndLongNamesWork) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0751}}) {
        std::ofstream("private.bmp") << "old";
        ::chmod("private.bmp", mode);
        // Only root may give a file away; anyone else keeps the owner they already are.
        const bool root = ::geteuid() == 0;
        ASSERT_EQ(::chown("private.bmp", root ? 65534 : -1, root ? 65534 : -1), 0);
        ASSERT_TRUE(Write("private.bmp", "new").ok);
        EXPECT_EQ(Mode("private.bmp"), mode);
        struct stat status {};
        ::stat("private.bmp", &status);
        EXPECT_EQ(status.st_uid, root ? 65534u : ::geteuid());
    }
    const mode_t previous = ::umask(027);
    ASSERT_TRUE(Write("fresh.bmp", "new").ok);
    ::umask(previous);
    EXPECT_EQ(Mode("fresh.bmp"), 0640u) << "a new file gets the usual mode less the umask";

    fs::create_hard_link("private.bmp", "other-name.bmp");
    ASSERT_TRUE(Write("private.bmp", "newer").ok);
    EXPECT_EQ(Read("other-name.bmp"), "new");
    EXPECT_EQ(Read("private.bmp"), "newer");

    for (const std::size_t length : {243, 255}) {
        ASSERT_TRUE(Write(std::string(length, 'n'), "first").ok) << length;
        ASSERT_TRUE(Write(std::string(length, 'n'), "second").ok) << length;
    }
    EXPECT_EQ(Entries(), 5) << "no temporary is left";
}

TEST_F(LinksAndModes, SignalsRemoveRegisteredTemporariesOnlyAndStillEndTheProcess) {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::ofstream(".held").flush();
            std::ofstream(".released").flush();
            { const RegisteredTemporary released(".released"); }
            const RegisteredTemporary held(".held");
            ::raise(signalNumber);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber;
        EXPECT_FALSE(fs::exists(".held"));
        EXPECT_TRUE(fs::remove(".released"));
    }
}

}  // namespace
}  // namespace quorvel
