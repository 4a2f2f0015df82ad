// The header every entry kind starts with: the broadcast family byte and the 8-bit name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel::entry {

inline constexpr std::size_t kDvbTypeOffset = 0;
inline constexpr std::size_t kNameOffset = 1;
inline constexpr std::size_t kNameFieldSize = 30;  // bytes 1..30
inline constexpr std::size_t kMaxNameLength = 29;

// The name up to its NUL, or the whole 30-byte field when it has none.
inline std::string_view Name(std::span<const std::uint8_t> entry) {
    const char* begin = reinterpret_cast<const char*>(entry.data() + kNameOffset);
    std::size_t length = 0;
    while (length < kNameFieldSize && begin[length] != '\0') ++length;
    return {begin, length};
}

// The catalogue lists a name only when its NUL lies at entry byte 2 to 30 (1 to 29 characters).
inline bool HasValidName(std::span<const std::uint8_t> entry) {
    const std::size_t length = Name(entry).size();
    return length >= 1 && length <= kMaxNameLength;
}

}  // namespace quorvel::entry
