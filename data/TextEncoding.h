// Widening of the file's 8-bit texts (Windows-1252, the meter's code page) to UTF-16, UTF-8
// checked byte by byte for names that the file system holds as bytes, and the conversions
// between UTF-16 and UTF-8 that texts take on their way to JSON, CSV and the terminal.
#pragma once

#include <optional>
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

// Each unpaired surrogate becomes U+FFFD: it stands for no character.
std::string Utf8FromUtf16(std::u16string_view text);
std::string Utf8FromText8(std::string_view text);
// Nothing when any byte of `text` starts no valid sequence (see Utf8SequenceAt): a caller that
// must give the same bytes back cannot take a replacement.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

}  // namespace quorvel
