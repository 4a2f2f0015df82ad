#include "export/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace quorvel {
namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

// A name no other writer in this folder uses: the process id and a per-process counter.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on `"." + string` at -O3.
    std::string name = ".";
    name += target.filename().string();
    name += ".tmp-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (written == 0) {
            error = EIO;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 std::span<const std::uint8_t> bytes) {
    bool handedOut = false;
    return WriteFileAtomically(target, [&]() -> std::span<const std::uint8_t> {
        if (handedOut) return {};
        handedOut = true;
        return bytes;
    });
}

WriteOutcome WriteFileAtomically(const std::filesystem::path& requested, const NextBytes& next) {
    // A link is followed, so the file it names gets the new picture and the link stays a link.
    std::error_code ignored;
    const std::filesystem::path target = std::filesystem::is_symlink(requested, ignored)
                                             ? std::filesystem::weakly_canonical(requested, ignored)
                                             : requested;
    // Renaming over a device, pipe or folder would destroy it instead of writing a picture.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return {false, S_ISDIR(existing.st_mode) ? SystemReason(EISDIR) : "Not a regular file"};
    }
    // Only a file with contents has anything a power cut between rename and write-back could
    // take away; syncing a new file would multiply the cost of a save, or make a batch of new
    // pictures wait for the disk, for nothing kept safe.
    const bool syncBeforeRename = exists && existing.st_size > 0;
    const std::filesystem::path temporary = TemporaryBeside(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return {false, SystemReason(errno)};

    int error = 0;
    bool written = true;
    while (written) {
        const std::span<const std::uint8_t> piece = next();
        if (piece.empty()) break;
        written = WriteAll(fd, piece, error);
    }
    if (written && syncBeforeRename && ::fdatasync(fd) != 0) {
        error = errno;
        written = false;
    }
    if (::close(fd) != 0 && written) {
        error = errno;
        written = false;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        written = false;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return {false, SystemReason(error)};
    }
    return {true, {}};
}

}  // namespace quorvel
