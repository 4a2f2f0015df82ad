// The header every entry kind starts with: the broadcast family byte and the 8-bit name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "data/FieldLayout.h"

namespace quorvel::entry {

inline constexpr std::size_t kDvbTypeOffset = layout::kDvbType.offset;
inline constexpr std::size_t kNameOffset = layout::kName.offset;
inline constexpr std::size_t kNameFieldSize = layout::kName.size;
inline constexpr std::size_t kMaxNameLength = kNameFieldSize - 1;  // room for the NUL

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
