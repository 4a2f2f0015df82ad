#include "data/SourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>

namespace quorvel {

namespace {

// Closes the descriptor on every way out of the loader.
class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : m_descriptor(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_descriptor >= 0) ::close(m_descriptor);
    }
    int get() const { return m_descriptor; }

  private:
    int m_descriptor;
};

bool IsRegularFile(const struct stat& status) {
    return S_ISREG(status.st_mode);
}

// Reads until `buffer` is full, the file ends or a read fails; returns the bytes read.
std::size_t ReadFully(int descriptor, std::span<std::uint8_t> buffer) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(descriptor, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

}  // namespace

LoadOutcome LoadSourceFile(const std::filesystem::path& path, SourceRecord& record) {
    // Folders, FIFOs and devices are refused before opening: reading them could block or
    // return endless data. O_NONBLOCK keeps the open itself from waiting should the path be
    // swapped for a FIFO in between, and the descriptor is checked again after opening.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !IsRegularFile(status)) {
        return LoadOutcome::CannotOpen;
    }
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) return LoadOutcome::CannotOpen;
    if (::fstat(file.get(), &status) != 0 || !IsRegularFile(status)) {
        return LoadOutcome::CannotOpen;
    }

    // A separate buffer, so that a short file leaves the loaded record untouched.
    auto incoming = std::make_unique<std::array<std::uint8_t, record::kSize>>();
    if (ReadFully(file.get(), *incoming) != record::kSize) return LoadOutcome::IncompleteRead;
    record.bytes = *incoming;
    return LoadOutcome::Loaded;
}

}  // namespace quorvel
