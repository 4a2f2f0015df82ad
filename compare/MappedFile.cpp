#include "compare/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvel::compare {

namespace {

// Far beyond a picture within the size limits even as 32-bit BMP.
constexpr off_t kMaxFileBytes = off_t{1} << 30;

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& path) {
    // O_NONBLOCK: a FIFO given as a picture must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        m_error = "cannot read " + path.string() + ": " + std::strerror(errno);
    } else if (S_ISDIR(status.st_mode)) {
        m_error = "cannot read " + path.string() + ": it is a folder";
    } else if (!S_ISREG(status.st_mode)) {
        m_error = "cannot read " + path.string() + ": not a regular file";
    } else if (status.st_size > kMaxFileBytes) {
        m_error = path.string() + ": file of " + std::to_string(status.st_size) +
                  " bytes is too large for a picture";
    } else if (status.st_size > 0) {
        m_size = static_cast<std::size_t>(status.st_size);
        void* data = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (data == MAP_FAILED) {
            m_error = "cannot read " + path.string() + ": " + std::strerror(errno);
            m_size = 0;
        } else {
            m_data = static_cast<const std::uint8_t*>(data);
            m_mapped = true;
        }
    }
    if (fd >= 0) ::close(fd);
}

MappedFile::~MappedFile() {
    if (m_mapped) ::munmap(const_cast<std::uint8_t*>(m_data), m_size);
}

}  // namespace quorvel::compare
