#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "export/AtomicFile.h"
#include "export/BmpEncoder.h"
#include "export/BmpFile.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("quorvel-atomic-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }

    static std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t fill) {
        return std::vector<std::uint8_t>(size, fill);
    }
    static std::vector<std::uint8_t> ReadAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Every file in the folder: a failed write must leave no temporary file behind.
    std::vector<fs::path> Entries() const {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(m_folder))
            entries.push_back(entry.path().filename());
        return entries;
    }
    void PutOldFile(const fs::path& path) {
        std::ofstream(path, std::ios::binary) << "old picture";
    }

    fs::path m_folder;
};

TEST_F(AtomicFileTest, WritesNewFileAndReplacesExistingOne) {
    const fs::path target = m_folder / "Trovik.bmp";
    ASSERT_TRUE(WriteFileAtomically(target, Bytes(1000, 7)).ok);
    EXPECT_EQ(ReadAll(target), Bytes(1000, 7));

    // A file with contents is synced before it is replaced; an empty one is not.
    const auto outcome = WriteFileAtomically(target, Bytes(10, 9));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(ReadAll(target), Bytes(10, 9));
    std::ofstream(m_folder / "empty.bmp", std::ios::binary).flush();
    ASSERT_TRUE(WriteFileAtomically(m_folder / "empty.bmp", Bytes(5, 4)).ok);
    EXPECT_EQ(ReadAll(m_folder / "empty.bmp"), Bytes(5, 4));
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(AtomicFileTest, MissingFolderFailsWithReasonAndWritesNothing) {
    const auto outcome = WriteFileAtomically(m_folder / "no-such-folder" / "x.bmp", Bytes(10, 1));
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("No such file"), std::string::npos) << outcome.error;
    EXPECT_TRUE(Entries().empty());
}

TEST_F(AtomicFileTest, TargetThatIsAFolderIsNotDestroyed) {
    fs::create_directory(m_folder / "shots");
    const auto outcome = WriteFileAtomically(m_folder / "shots", Bytes(10, 1));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(fs::is_directory(m_folder / "shots"));
    EXPECT_EQ(Entries(), std::vector<fs::path>{"shots"});
}

// Runs `body` in a child process and returns its exit status; lets a test drop privileges or
// set resource limits without affecting the test runner.
template <typename Body>
int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(AtomicFileTest, FolderWithoutWritePermissionKeepsOldFile) {
    const fs::path target = m_folder / "screen.bmp";
    PutOldFile(target);
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    // Root ignores permission bits, so the write is attempted as an unprivileged user.
    const int status = InChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) return 3;
        const auto outcome = WriteFileAtomically(target, Bytes(100, 1));
        if (outcome.ok) return 1;
        return outcome.error.find("Permission denied") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(target),
              std::vector<std::uint8_t>({'o', 'l', 'd', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    EXPECT_EQ(Entries(), std::vector<fs::path>{"screen.bmp"});
}

TEST_F(AtomicFileTest, WriteFailingMidwayKeepsOldFileAndLeavesNoTemporary) {
    const fs::path target = m_folder / "screen.bmp";
    PutOldFile(target);
    // A file-size limit makes the write stop part-way with an error, as a full disk does.
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        const auto outcome = WriteFileAtomically(target, Bytes(3'686'454, 5));
        if (outcome.ok) return 1;
        return outcome.error.find("too large") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(target).size(), 11u);
    EXPECT_EQ(Entries(), std::vector<fs::path>{"screen.bmp"});
}

// A picture written as it is encoded: the file is the encoder's, and a failure after several
// blocks have reached the temporary file still leaves the old picture as it was.
TEST_F(AtomicFileTest, PictureWrittenAsEncodedIsAllOrNothing) {
    std::vector<std::uint32_t> screen(1280 * 720);
    for (std::size_t i = 0; i < screen.size(); ++i)
        screen[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const auto write = [&](const fs::path& target) {
        return WriteBmp32File(target, screen.data(), 1280, 720, 1280 * 4);
    };
    const fs::path target = m_folder / "screen.bmp";
    ASSERT_TRUE(write(m_folder / "new.bmp").ok);
    EXPECT_EQ(ReadAll(m_folder / "new.bmp"), EncodeBmp32(screen.data(), 1280, 720, 1280 * 4));

    PutOldFile(target);
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1'000'000, 1'000'000};  // a few blocks in
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        return write(target).ok ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(target).size(), 11u);
    std::vector<fs::path> entries = Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<fs::path>{"new.bmp", "screen.bmp"}));
}

TEST_F(AtomicFileTest, SpecialFilesAreRefusedNotReplaced) {
    const fs::path pipe = m_folder / "pipe.bmp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto outcome = WriteFileAtomically(pipe, Bytes(100, 1));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Entries(), std::vector<fs::path>{"pipe.bmp"});
}

TEST_F(AtomicFileTest, SymbolicLinkKeepsPointingAtTheNewPicture) {
    const fs::path real = m_folder / "real.bmp";
    PutOldFile(real);
    fs::create_symlink(real, m_folder / "link.bmp");
    ASSERT_TRUE(WriteFileAtomically(m_folder / "link.bmp", Bytes(3, 4)).ok);
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.bmp"));
    EXPECT_EQ(ReadAll(real), Bytes(3, 4));
}

}  // namespace
}  // namespace quorvel
