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
                                 std::span<const std::uint8_t> bytes, Durability durability) {
    bool handedOut = false;
    return WriteFileAtomically(
        target,
        [&]() -> std::span<const std::uint8_t> {
            if (handedOut) return {};
            handedOut = true;
            return bytes;
        },
        durability);
}

WriteOutcome WriteFileAtomically(const std::filesystem::path& requested, const NextBytes& next,
                                 Durability durability) {
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
    // take away; syncing a new file would multiply the cost of a save for nothing kept safe.
    const bool syncBeforeRename =
        durability == Durability::ProtectExisting && exists && existing.st_size > 0;
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
    // Write-back starts now, while the caller goes on working, so the SyncFolder that ends a
    // series of writes finds little left to wait for. Only a hint: an error shows there.
    if (written && durability == Durability::Deferred) {
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
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

WriteOutcome SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {false, SystemReason(errno)};
    // syncfs writes back every file of the file system in one go, far cheaper than one fsync
    // per file; the folder's fsync then covers its entries on file systems that need it.
    int error = 0;
    if (::syncfs(fd) != 0 || ::fsync(fd) != 0) error = errno;
    ::close(fd);
    return error == 0 ? WriteOutcome{true, {}} : WriteOutcome{false, SystemReason(error)};
}

}  // namespace quorvel
