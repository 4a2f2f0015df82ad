// What a write does to what was there: links followed to their end (even one that names no file
// yet), loops refused, permission bits kept, names up to the longest a folder takes, and
// temporary names that SIGINT, SIGTERM and SIGHUP remove.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

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
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string Read(const std::string& name) const {
        std::ifstream in(m_folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Put(const std::string& name, const std::string& text) const {
        std::ofstream(m_folder / name, std::ios::binary) << text;
    }
    WriteOutcome Write(const std::string& name, const std::string& text) const {
        return WriteFileAtomically(
            m_folder / name, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    mode_t Mode(const std::string& name) const {
        struct stat status {};
        ::stat((m_folder / name).c_str(), &status);
        return status.st_mode & 07777;
    }

    fs::path m_folder;
};

TEST_F(LinksAndModes, LinksAreFollowedToTheirEndAndLoopsRefused) {
    fs::create_symlink("sub/missing.bmp", m_folder / "dangling.bmp");
    fs::create_directory(m_folder / "sub");
    fs::create_symlink("dangling.bmp", m_folder / "chain.bmp");
    ASSERT_TRUE(Write("chain.bmp", "new").ok);
    EXPECT_EQ(Read("sub/missing.bmp"), "new");
    EXPECT_TRUE(fs::is_symlink(m_folder / "chain.bmp"));
    EXPECT_TRUE(fs::is_symlink(m_folder / "dangling.bmp"));

    fs::create_symlink("loop-b.bmp", m_folder / "loop-a.bmp");
    fs::create_symlink("loop-a.bmp", m_folder / "loop-b.bmp");
    const WriteOutcome loop = Write("loop-a.bmp", "new");
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.error, "Too many levels of symbolic links");
    EXPECT_EQ(Names(), (std::set<std::string>{"chain.bmp", "dangling.bmp", "loop-a.bmp",
                                              "loop-b.bmp", "sub"}));
}

TEST_F(LinksAndModes, ReplacedFileKeepsItsModeAndHardLinksKeepTheOldContents) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0751}}) {
        Put("private.bmp", "old");
        ::chmod((m_folder / "private.bmp").c_str(), mode);
        ASSERT_TRUE(Write("private.bmp", "new").ok);
        EXPECT_EQ(Mode("private.bmp"), mode);
        EXPECT_EQ(Read("private.bmp"), "new");
    }
    const mode_t previous = ::umask(027);
    ASSERT_TRUE(Write("fresh.bmp", "new").ok);
    ::umask(previous);
    EXPECT_EQ(Mode("fresh.bmp"), 0640) << "a new file gets the usual mode less the umask";

    // Replacing means a new file under the name: another name for the old one still reads it.
    Put("shared.bmp", "old");
    fs::create_hard_link(m_folder / "shared.bmp", m_folder / "other-name.bmp");
    ASSERT_TRUE(Write("shared.bmp", "new").ok);
    EXPECT_EQ(Read("other-name.bmp"), "old");
    EXPECT_EQ(Names(),
              (std::set<std::string>{"fresh.bmp", "other-name.bmp", "private.bmp", "shared.bmp"}));
}

TEST_F(LinksAndModes, LongestNamesAreWrittenAndReplaced) {
    for (const std::size_t length : {std::size_t{243}, std::size_t{255}}) {
        const std::string name(length, 'n');
        ASSERT_TRUE(Write(name, "first").ok) << length;
        const WriteOutcome again = Write(name, "second");
        ASSERT_TRUE(again.ok) << again.error;
        EXPECT_EQ(Read(name), "second");
    }
    EXPECT_EQ(Names().size(), 2u);
}

// Runs `body` in a child process that then raises `signalNumber`; returns how the child ended.
template <typename Body>
int ChildEndedBy(int signalNumber, Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::raise(signalNumber);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST_F(LinksAndModes, SignalsRemoveRegisteredTemporariesOnlyAndStillEndTheProcess) {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const fs::path held = m_folder / ".held";
        const fs::path released = m_folder / ".released";
        const int endedBy = ChildEndedBy(signalNumber, [&] {
            std::ofstream(held).flush();
            std::ofstream(released).flush();
            { const RegisteredTemporary done(released); }
            static RegisteredTemporary stillWriting(held);
        });
        EXPECT_EQ(endedBy, signalNumber);
        EXPECT_EQ(Names(), std::set<std::string>{".released"}) << signalNumber;
        fs::remove(released);
    }
}

}  // namespace
}  // namespace quorvel
