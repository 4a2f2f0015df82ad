// UTF-8 for showing the file's 8-bit (Windows-1252) texts, as the window widens them.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::cli {

std::string Utf8FromUtf16(std::u16string_view text);
std::string Utf8FromText8(std::string_view text);

}  // namespace quorvel::cli
