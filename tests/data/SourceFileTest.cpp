#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>

#include "data/SourceFile.h"
#include "support/Files.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// Bytes that differ from position to position and from one file to another.
std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + seed) ^ (i >> 8));
    return bytes;
}

class SourceFileTest : public ::testing::Test {
  protected:
    // Fills the record with a loaded file's contents, which a refused file must leave alone.
    void SetUp() override {
        ASSERT_EQ(LoadSourceFile(test::WriteFile(folder / "previous.dat", previous), *record),
                  LoadOutcome::Loaded);
        ASSERT_TRUE(RecordHolds(previous));
    }
    bool RecordHolds(const std::vector<std::uint8_t>& bytes) const {
        return std::equal(record->bytes.begin(), record->bytes.end(), bytes.begin());
    }

    test::TemporaryFolder folder;
    const std::vector<std::uint8_t> previous = Pattern(record::kSize, 0x5A);
    std::unique_ptr<SourceRecord> record = std::make_unique<SourceRecord>();
};

TEST_F(SourceFileTest, LoadsTheFirstRecordSizeBytes) {
    for (const std::size_t size : {record::kSize, record::kSize + 1, std::size_t{100} << 20}) {
        const auto bytes = Pattern(record::kSize + 1, static_cast<std::uint8_t>(size));
        const fs::path path = test::WriteFile(folder / "good.dat", bytes);
        fs::resize_file(path, size);  // sparse beyond the pattern: 100 MB need no disk space
        EXPECT_EQ(LoadSourceFile(path, *record), LoadOutcome::Loaded) << size;
        EXPECT_TRUE(RecordHolds(bytes)) << size;
    }
    // A symbolic link to a regular file is followed.
    const auto bytes = Pattern(record::kSize, 0x33);
    fs::create_symlink(test::WriteFile(folder / "target.dat", bytes), folder / "link.dat");
    EXPECT_EQ(LoadSourceFile(folder / "link.dat", *record), LoadOutcome::Loaded);
    EXPECT_TRUE(RecordHolds(bytes));
}

TEST_F(SourceFileTest, ShortFilesLeaveThePreviousRecord) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, record::kSize - 1}) {
        const fs::path path = test::WriteFile(folder / "short.dat", Pattern(size, 0x11));
        EXPECT_EQ(LoadSourceFile(path, *record), LoadOutcome::IncompleteRead) << size;
        EXPECT_TRUE(RecordHolds(previous)) << size;
    }
}

TEST_F(SourceFileTest, PathsThatAreNotRegularFilesCannotBeOpened) {
    const fs::path fifo = folder / "pipe.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder / "folder.dat");
    for (const fs::path& path : {folder / "missing.dat", folder / "folder.dat", fifo,
                                 fs::path("/dev/zero"), fs::path("")}) {
        // Run aside so that a loader that blocks fails the test instead of hanging it.
        auto outcome = std::async(std::launch::async, [&] {
            auto scratch = std::make_unique<SourceRecord>(*record);
            const LoadOutcome result = LoadSourceFile(path, *scratch);
            return std::make_pair(result, scratch->bytes == record->bytes);
        });
        if (outcome.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "loading " << path << " blocked";
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // releases it
            if (writer >= 0) ::close(writer);
        }
        const auto [result, unchanged] = outcome.get();
        EXPECT_EQ(result, LoadOutcome::CannotOpen) << path;
        EXPECT_TRUE(unchanged) << path;
    }
}

TEST_F(SourceFileTest, UnreadableFileCannotBeOpened) {
    const fs::path path = test::WriteFile(folder / "locked.dat", Pattern(record::kSize, 1));
    fs::permissions(path, fs::perms::none);
    // Root ignores permission bits, so the load runs in a child that is the nobody user; the
    // child's copy of the record answers through its exit status.
    fs::permissions(folder.path(), fs::perms::all);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
        if (LoadSourceFile(path, *record) != LoadOutcome::CannotOpen) ::_exit(1);
        ::_exit(RecordHolds(previous) ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace quorvel
