// Builds entry and record images field by field, little-endian, for tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace quorvel::test {

template <std::size_t N>
struct EntryBytes {
    std::array<std::uint8_t, N> bytes{};

    EntryBytes& U8(std::size_t offset, std::uint8_t value) {
        bytes.at(offset) = value;
        return *this;
    }
    EntryBytes& U16(std::size_t offset, std::uint16_t value) {
        bytes.at(offset) = static_cast<std::uint8_t>(value);
        bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
        return *this;
    }
    EntryBytes& U32(std::size_t offset, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
        return *this;
    }
    EntryBytes& I32(std::size_t offset, std::int32_t value) { return U32(offset, static_cast<std::uint32_t>(value)); }
    EntryBytes& I16(std::size_t offset, std::int16_t value) { return U16(offset, static_cast<std::uint16_t>(value)); }
    // Copies the characters only; the terminator is whatever byte follows (zero unless set).
    EntryBytes& Text(std::size_t offset, std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(text[i]);
        return *this;
    }
    EntryBytes& Text16(std::size_t offset, std::u16string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) U16(offset + 2 * i, static_cast<std::uint16_t>(text[i]));
        return *this;
    }

    std::span<const std::uint8_t, N> View() const { return bytes; }
};

}  // namespace quorvel::test
