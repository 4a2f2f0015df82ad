#include "export/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

#include "export/TemporaryCleanup.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // the kernel's own limit within one path

std::string SystemReason(int error) {
    return std::strerror(error);
}

// The file a chain of symbolic links ends at, whether it exists or not; nullopt with `error`
// set when the chain cannot be followed (ELOOP for a loop).
std::optional<fs::path> FollowLinks(fs::path path, int& error) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::array<char, PATH_MAX> text;
        const ssize_t size = ::readlink(path.c_str(), text.data(), text.size());
        if (size < 0 || static_cast<std::size_t>(size) == text.size()) {
            error = size < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        const fs::path next(std::string(text.data(), static_cast<std::size_t>(size)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return std::nullopt;
}

// Short, so that any name the folder accepts as a target can be written; random, so that a
// name left by a killed process is simply passed over.
fs::path ShortHiddenName(const fs::path& folder) {
    thread_local std::mt19937 random{std::random_device{}()};
    char name[16];
    std::snprintf(name, sizeof name, ".qv%08x", static_cast<unsigned>(random()));
    return folder / name;
}

// Opening an unnamed file and naming it later goes through /proc, which a container may lack.
bool CanNameOpenFiles() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

std::string ProcName(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

// The file being written: unnamed where the file system allows, so that nothing is left
// behind whatever ends the process; otherwise under a short name that SIGINT, SIGTERM and
// SIGHUP remove.
class TemporaryFile {
  public:
    TemporaryFile(const fs::path& folder, int& error) : m_folder(folder) {
        if (CanNameOpenFiles()) {
            m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (m_fd >= 0) return;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
                error = errno;
                return;
            }
        }
        m_fd = OpenNamed([](const fs::path& name) {
            return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        });
        if (m_fd < 0) error = errno;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_name.empty()) ::unlink(m_name.c_str());
    }

    int Descriptor() const { return m_fd; }

    bool Close(int& error) {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) == 0) return true;
        error = errno;
        return false;
    }

    // Puts the written file at `target`, replacing what is there. The descriptor stays open
    // until then: an unnamed file is reached through it.
    bool Place(const fs::path& target, int& error) {
        if (m_name.empty()) {
            const std::string self = ProcName(m_fd);
            const auto link = [&self](const fs::path& name) {
                return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
            };
            if (link(target) == 0) return true;
            // A name exists already: give the file a name of its own, then rename it over.
            if (errno != EEXIST || OpenNamed(link) != 0) {
                error = errno;
                return false;
            }
        }
        if (::rename(m_name.c_str(), target.c_str()) != 0) {
            error = errno;
            return false;
        }
        m_name.clear();
        m_registration.reset();  // the name is the target's now, not ours to remove
        return true;
    }

  private:
    // Tries fresh names until `create` does not find one taken; returns what `create` did.
    template <typename Create>
    int OpenNamed(const Create& create) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = ShortHiddenName(m_folder);
            m_registration.emplace(name);
            const int result = create(name);
            if (result >= 0) {
                m_name = name;
                return result;
            }
            m_registration.reset();
            if (errno != EEXIST) return result;
        }
        return -1;
    }

    fs::path m_folder;
    int m_fd = -1;
    fs::path m_name;  // empty while the file has no name of its own
    std::optional<RegisteredTemporary> m_registration;
};

namespace {

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

// The replaced file's owner where the process may set it (only root can give a file away),
// and its permission bits in any case, so a private picture stays private.
bool TakeOverAttributes(int fd, const FileAttributes& old, int& error) {
    if (::fchown(fd, old.uid, old.gid) != 0 && errno != EPERM) {
        error = errno;
        return false;
    }
    if (::fchmod(fd, old.mode & 07777) != 0) {
        error = errno;
        return false;
    }
    return true;
}

}  // namespace

std::string CannotWrite(const fs::path& path, std::string_view why) {
    return "cannot write " + path.string() + ": " + std::string(why);
}

std::span<const std::uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

NextBytes AllAtOnce(std::span<const std::uint8_t> bytes) {
    return [bytes, handedOut = false]() mutable -> std::span<const std::uint8_t> {
        if (handedOut) return {};
        handedOut = true;
        return bytes;
    };
}

WriteOutcome WriteFileAtomically(const fs::path& target, std::span<const std::uint8_t> bytes) {
    return WriteFileAtomically(target, AllAtOnce(bytes));
}

std::optional<FileAttributes> AttributesOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileAttributes{status.st_uid, status.st_gid, status.st_mode & 07777};
}

WriteOutcome WriteFileAtomically(const fs::path& target, const NextBytes& next,
                                 const std::optional<FileAttributes>& replaced) {
    StagedFile staged(target, next, replaced);
    if (!staged.Written().ok) return staged.Written();
    return staged.Place();
}

WriteOutcome WriteTextAtomically(const fs::path& target, std::string_view text,
                                 const std::optional<FileAttributes>& replaced) {
    return WriteFileAtomically(target, AllAtOnce(BytesOf(text)), replaced);
}

StagedFile::StagedFile(const fs::path& requested, const NextBytes& next,
                       const std::optional<FileAttributes>& replaced) {
    int error = 0;
    m_written = [&]() -> WriteOutcome {
        // A link is followed, so the file it names gets the new contents and the link stays a
        // link.
        std::optional<fs::path> target = FollowLinks(requested, error);
        if (!target) return {false, SystemReason(error)};
        m_target = std::move(*target);
        // Renaming over a device, pipe or folder would destroy it instead of writing a file.
        struct stat existing {};
        const bool exists = ::stat(m_target.c_str(), &existing) == 0;
        if (!exists && errno != ENOENT) return {false, SystemReason(errno)};
        if (exists && !S_ISREG(existing.st_mode)) {
            return {false, S_ISDIR(existing.st_mode) ? SystemReason(EISDIR) : "Not a regular file"};
        }
        // Only a file with contents has anything a power cut between rename and write-back
        // could take away; syncing a new file would multiply the cost of a save, or make a batch
        // of new pictures wait for the disk, for nothing kept safe.
        const bool syncBeforeRename = exists && existing.st_size > 0;
        const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
        m_temporary = std::make_unique<TemporaryFile>(folder, error);
        if (m_temporary->Descriptor() < 0) return {false, SystemReason(error)};
        const int fd = m_temporary->Descriptor();
        const std::optional<FileAttributes> old =
            replaced ? replaced
            : exists ? std::optional<FileAttributes>(
                           FileAttributes{existing.st_uid, existing.st_gid, existing.st_mode})
                     : std::nullopt;
        bool written = !old || TakeOverAttributes(fd, *old, error);
        while (written) {
            const std::span<const std::uint8_t> piece = next();
            if (piece.empty()) break;
            written = WriteAll(fd, piece, error);
        }
        if (written && syncBeforeRename && ::fdatasync(fd) != 0) {
            error = errno;
            written = false;
        }
        if (!written) return {false, SystemReason(error)};
        return {true, {}};
    }();
    if (!m_written.ok) m_temporary.reset();
}

StagedFile::~StagedFile() = default;
StagedFile::StagedFile(StagedFile&&) noexcept = default;
StagedFile& StagedFile::operator=(StagedFile&&) noexcept = default;

WriteOutcome StagedFile::Place() {
    if (!m_written.ok || !m_temporary) return {false, SystemReason(EINVAL)};
    int error = 0;
    const std::unique_ptr<TemporaryFile> temporary = std::move(m_temporary);
    if (!temporary->Place(m_target, error) || !temporary->Close(error)) {
        return {false, SystemReason(error)};
    }
    return {true, {}};
}

}  // namespace quorvel
