// A folder of a benchmark's own in the temporary folder, removed when the benchmark ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace quorvel::bench {

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() /
                 ("quorvel-bench-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace quorvel::bench
