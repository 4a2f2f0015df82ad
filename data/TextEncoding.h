// Widening of the file's 8-bit texts (Windows-1252, the meter's code page) to UTF-16, and
// UTF-8 checked byte by byte for names that the file system holds as bytes.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

std::u16string WidenText(std::string_view text);

// Bytes in the UTF-8 sequence that starts at `at`, 0 when none starts there (a stray
// continuation byte, a bad lead byte, a cut or overlong sequence, a surrogate or beyond U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

// `bytes` as UTF-8 text, each byte that starts no valid sequence replaced by U+FFFD. JSON, CSV and
// HTML hold only text, so every name they show from the file system goes through here.
std::string ValidUtf8(std::string_view bytes);

}  // namespace quorvel
