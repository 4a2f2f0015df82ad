// Keeps one batch at a time writing into a folder, through an advisory lock on the folder.
#pragma once

#include <filesystem>
#include <string>

namespace quorvel::cli {

// The folder itself is locked rather than a file in it, so a batch leaves nothing of its own
// behind; the lock ends with the process however it ends.
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    bool Held() const { return m_problem.empty(); }
    const std::string& Problem() const { return m_problem; }  // why not held

  private:
    int m_fd = -1;
    std::string m_problem;
};

}  // namespace quorvel::cli
