// Removes this process's named temporary files when SIGINT, SIGTERM or SIGHUP ends it.
#pragma once

#include <filesystem>

namespace quorvel {

// Keeps `path` on the list the signal handler removes, from construction to destruction. The
// handler is installed on first use for each of those signals still at its default action;
// after removing the files it lets the signal end the process as it would have.
class RegisteredTemporary {
  public:
    explicit RegisteredTemporary(const std::filesystem::path& path);
    RegisteredTemporary(const RegisteredTemporary&) = delete;
    RegisteredTemporary& operator=(const RegisteredTemporary&) = delete;
    ~RegisteredTemporary();

  private:
    int m_slot = -1;  // -1: the list was full or the name too long, so it is not registered
};

}  // namespace quorvel
