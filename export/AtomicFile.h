// Replaces a file's contents all at once: either the whole new file is there, or the old one is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

struct WriteOutcome {
    bool ok = false;
    std::string error;  // the system's reason when !ok
};

// "cannot write <path>: <why>": every message about a failed write says it in these words.
std::string CannotWrite(const std::filesystem::path& path, std::string_view why);

// The bytes of `text`, valid as long as the text is.
std::span<const std::uint8_t> BytesOf(std::string_view text);

// Writes `bytes` to a temporary file in the target's folder and renames it over `target` once
// every byte is written. On any failure the temporary file is removed and `target` is left
// untouched. A target that exists but is not a regular file (a folder, device or pipe) is
// refused; a symbolic link is followed.
// A file that replaces one with contents reaches the disk before the rename, so even a power cut
// leaves the old file or the new one. A new file is not forced out: a power cut can only lose
// that file, never anything that was there before.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 std::span<const std::uint8_t> bytes);

// The file's bytes in order, a piece per call; an empty piece ends the file. A piece stays valid
// until the next call.
using NextBytes = std::function<std::span<const std::uint8_t>()>;

// `bytes` as a file of one piece; they must outlive the write.
NextBytes AllAtOnce(std::span<const std::uint8_t> bytes);

// The owner and permission bits a file hands on to the file that replaces it.
struct FileAttributes {
    unsigned uid = 0;
    unsigned gid = 0;
    unsigned mode = 0;
};

// Those of the file at `path`, following links; nothing when there is no such file.
std::optional<FileAttributes> AttributesOf(const std::filesystem::path& path);

// The same for a file produced piece by piece, so it can be written as it is made. `replaced`,
// when given, stands for the attributes of a target that was removed earlier on purpose.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target, const NextBytes& next,
                                 const std::optional<FileAttributes>& replaced = std::nullopt);

// A text file (an index, a page, a table), with the same guarantees.
WriteOutcome WriteTextAtomically(const std::filesystem::path& target, std::string_view text,
                                 const std::optional<FileAttributes>& replaced = std::nullopt);

class TemporaryFile;

// A file written in full beside its target and put there only by Place(): several can be
// written first and placed together at the end, so that failing to write any of them replaces
// none. Destroyed unplaced, it leaves nothing behind.
class StagedFile {
  public:
    StagedFile(const std::filesystem::path& target, const NextBytes& next,
               const std::optional<FileAttributes>& replaced = std::nullopt);
    ~StagedFile();
    StagedFile(StagedFile&&) noexcept;
    StagedFile& operator=(StagedFile&&) noexcept;

    // Whether every byte was written, with the system's reason when not.
    const WriteOutcome& Written() const { return m_written; }
    // Puts the file at its target, replacing what is there; only once, after Written().ok.
    WriteOutcome Place();

  private:
    std::filesystem::path m_target;  // the end of any chain of links
    std::unique_ptr<TemporaryFile> m_temporary;
    WriteOutcome m_written;
};

}  // namespace quorvel
