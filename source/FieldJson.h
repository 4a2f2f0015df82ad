// JSON form of one entry field, lossless both ways: numbers as integers, arrays as integer
// lists, texts as strings when the string gives back the very same bytes, otherwise as the
// field's raw elements (bytes for 8-bit texts, code units for UTF-16 texts).
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "data/FieldLayout.h"

namespace quorvel {

using Json = nlohmann::ordered_json;

Json EncodeField(std::span<const std::uint8_t> entry, const layout::Field& field);

// Writes the field's bytes from `value`; the rest of the field is zero. Returns an empty string,
// or what is wrong with the value (without the field's name; the caller adds where it was).
std::string DecodeField(const Json& value, std::span<std::uint8_t> entry,
                        const layout::Field& field);

// Raw bytes as a list of integers 0 to 255, and back.
Json EncodeBytes(std::span<const std::uint8_t> bytes);
std::string DecodeBytes(const Json& value, std::span<std::uint8_t> target);

}  // namespace quorvel
