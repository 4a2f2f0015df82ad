// Little-endian reads from a fixed-size byte image; offsets are checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel::bytes {

template <std::size_t Offset, std::size_t Extent>
constexpr std::uint8_t U8(std::span<const std::uint8_t, Extent> image) {
    static_assert(Offset + 1 <= Extent, "field lies outside the image");
    return image[Offset];
}

template <std::size_t Offset, std::size_t Extent>
constexpr std::uint16_t U16(std::span<const std::uint8_t, Extent> image) {
    static_assert(Offset + 2 <= Extent, "field lies outside the image");
    return static_cast<std::uint16_t>(image[Offset] | (image[Offset + 1] << 8));
}

template <std::size_t Offset, std::size_t Extent>
constexpr std::uint32_t U32(std::span<const std::uint8_t, Extent> image) {
    static_assert(Offset + 4 <= Extent, "field lies outside the image");
    return static_cast<std::uint32_t>(image[Offset]) |
           (static_cast<std::uint32_t>(image[Offset + 1]) << 8) |
           (static_cast<std::uint32_t>(image[Offset + 2]) << 16) |
           (static_cast<std::uint32_t>(image[Offset + 3]) << 24);
}

template <std::size_t Offset, std::size_t Extent>
constexpr std::int32_t I32(std::span<const std::uint8_t, Extent> image) {
    return static_cast<std::int32_t>(U32<Offset>(image));
}

// Element `index` of an array of 16-bit values starting at Offset; `index` is checked by the
// caller's loop bound, so the read is clamped to the image as a last line of defence.
template <std::size_t Offset, std::size_t Count, std::size_t Extent>
constexpr std::int16_t I16At(std::span<const std::uint8_t, Extent> image, std::size_t index) {
    static_assert(Offset + 2 * Count <= Extent, "array lies outside the image");
    if (index >= Count) return 0;
    const std::size_t at = Offset + 2 * index;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(image[at] | (image[at + 1] << 8)));
}

// An 8-bit NUL-terminated text inside a field of Size bytes; a text without its NUL ends at
// the end of the field, never beyond it.
template <std::size_t Offset, std::size_t Size, std::size_t Extent>
std::string_view Text(std::span<const std::uint8_t, Extent> image) {
    static_assert(Offset + Size <= Extent, "field lies outside the image");
    const char* begin = reinterpret_cast<const char*>(image.data() + Offset);
    std::size_t length = 0;
    while (length < Size && begin[length] != '\0') ++length;
    return {begin, length};
}

}  // namespace quorvel::bytes
