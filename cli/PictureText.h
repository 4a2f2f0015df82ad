// Texts and file names as a terminal or a document shows them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel::cli {

// UTF-8 text made safe for a terminal: control characters (C0, DEL, C1) and bytes that are no
// UTF-8 become \xHH escapes, and a backslash becomes \\, so no text read from a file can move
// the cursor, change colours or hide what follows.
std::string PrintableText(std::string_view utf8);
// A file's name without its folder, as ValidUtf8 gives it.
std::string Utf8FileName(const std::filesystem::path& path);

}  // namespace quorvel::cli
