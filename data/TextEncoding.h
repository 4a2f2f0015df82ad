// Widening of the file's 8-bit texts (Windows-1252, the meter's code page) to UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

std::u16string WidenText(std::string_view text);

}  // namespace quorvel
