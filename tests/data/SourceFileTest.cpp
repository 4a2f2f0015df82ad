#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <vector>

#include "data/SourceFile.h"

namespace quorvel {

void PrintTo(LoadOutcome outcome, std::ostream* out) {
    constexpr const char* kNames[] = {"Loaded", "CannotOpen", "IncompleteRead"};
    *out << kNames[static_cast<int>(outcome)];
}

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "quorvel-data-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// Bytes that differ from position to position and from one file to another.
std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 31 + seed) ^ (i >> 8));
    }
    return bytes;
}

fs::path WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

class SourceFileTest : public ::testing::Test {
  protected:
    TemporaryFolder folder;
    std::unique_ptr<SourceRecord> record = std::make_unique<SourceRecord>();

    // Fills the record with a loaded file's contents, which later failures must keep.
    std::vector<std::uint8_t> LoadPrevious() {
        const auto previous = Pattern(record::kSize, 0x5A);
        EXPECT_EQ(LoadSourceFile(WriteFile(folder.path() / "previous.dat", previous), *record),
                  LoadOutcome::Loaded);
        return previous;
    }

    bool RecordHolds(const std::vector<std::uint8_t>& bytes) const {
        return std::equal(record->bytes.begin(), record->bytes.end(), bytes.begin(),
                          bytes.begin() + static_cast<std::ptrdiff_t>(record::kSize));
    }
};

TEST_F(SourceFileTest, LoadsTheFirstRecordSizeBytes) {
    for (const std::size_t size :
         {record::kSize, record::kSize + 1, record::kSize + 5000, std::size_t{100} * 1024 * 1024}) {
        const auto bytes =
            Pattern(std::min(size, record::kSize + 5000), static_cast<std::uint8_t>(size));
        const fs::path path = WriteFile(folder.path() / "good.dat", bytes);
        // Sparse beyond the pattern, so the 100 MB file needs no disk space.
        fs::resize_file(path, size);
        EXPECT_EQ(LoadSourceFile(path, *record), LoadOutcome::Loaded) << size;
        EXPECT_TRUE(RecordHolds(bytes)) << size;
    }
}

TEST_F(SourceFileTest, ShortFilesLeaveThePreviousRecord) {
    const auto previous = LoadPrevious();
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, std::size_t{4}, record::kSize - 1}) {
        const fs::path path = WriteFile(folder.path() / "short.dat", Pattern(size, 0x11));
        EXPECT_EQ(LoadSourceFile(path, *record), LoadOutcome::IncompleteRead) << size;
        EXPECT_TRUE(RecordHolds(previous)) << size;
    }
}

TEST_F(SourceFileTest, PathsThatAreNotRegularFilesCannotBeOpened) {
    const auto previous = LoadPrevious();
    const fs::path fifo = folder.path() / "pipe.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path subfolder = folder.path() / "folder.dat";
    fs::create_directory(subfolder);

    const fs::path paths[] = {
        folder.path() / "missing.dat", subfolder, fifo, "/dev/zero", "/dev/null", ""};
    for (const fs::path& path : paths) {
        // Run aside so that a loader that blocks fails the test instead of hanging it.
        auto outcome = std::async(std::launch::async, [&] {
            auto scratch = std::make_unique<SourceRecord>(*record);
            const LoadOutcome result = LoadSourceFile(path, *scratch);
            return std::make_pair(result, scratch->bytes == record->bytes);
        });
        if (outcome.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "loading " << path << " blocked";
            // A writer releases a reader stuck opening the FIFO.
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
        }
        const auto [result, unchanged] = outcome.get();
        EXPECT_EQ(result, LoadOutcome::CannotOpen) << path;
        EXPECT_TRUE(unchanged) << path;
    }
    EXPECT_TRUE(RecordHolds(previous));
}

TEST_F(SourceFileTest, FollowsSymbolicLinksToRegularFiles) {
    const auto bytes = Pattern(record::kSize, 0x33);
    const fs::path target = WriteFile(folder.path() / "target.dat", bytes);
    const fs::path link = folder.path() / "link.dat";
    fs::create_symlink(target, link);
    EXPECT_EQ(LoadSourceFile(link, *record), LoadOutcome::Loaded);
    EXPECT_TRUE(RecordHolds(bytes));
}

TEST_F(SourceFileTest, UnreadableFileCannotBeOpened) {
    const auto previous = LoadPrevious();
    const fs::path path = WriteFile(folder.path() / "locked.dat", Pattern(record::kSize, 1));
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
