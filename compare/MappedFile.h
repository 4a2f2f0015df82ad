// A file's bytes mapped read-only into memory: no copy, and pages come from the page cache.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quorvel::compare {

class MappedFile {
  public:
    // On failure Bytes() is empty and Error() names the file and the reason.
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    std::span<const std::uint8_t> Bytes() const { return {m_data, m_size}; }

  private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
    std::string m_error;
};

}  // namespace quorvel::compare
