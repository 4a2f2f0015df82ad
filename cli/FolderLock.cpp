#include "cli/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvel::cli {

FolderLock::FolderLock(const std::filesystem::path& folder) {
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_problem = std::strerror(errno);
        return;
    }
    // Refused rather than waited for: two batches into one folder would overwrite each other's
    // pictures, so the second one is a mistake to point out, not a queue.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_problem = errno == EWOULDBLOCK
                        ? "another render --all is writing into this folder; let it finish or "
                          "choose another folder"
                        : std::string("cannot lock the folder: ") + std::strerror(errno);
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace quorvel::cli
