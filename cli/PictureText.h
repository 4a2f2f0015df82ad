// UTF-8 for showing the file's 8-bit (Windows-1252) texts, as the window widens them, and file
// names.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel::cli {

std::string Utf8FromUtf16(std::u16string_view text);
std::string Utf8FromText8(std::string_view text);
// A file's name as the user's locale shows it; bytes that are no character become U+FFFD.
std::string Utf8FileName(const std::filesystem::path& path);

}  // namespace quorvel::cli
