// Every named field of each entry kind: offset, size and type, for generic dumping and building.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/Types.h"

namespace quorvel::layout {

enum class FieldType {
    U8,
    U16,
    U32,
    I32,
    I8Array,   // signed 8-bit elements
    I16Array,  // signed 16-bit elements, little-endian
    Text8,     // NUL-terminated Windows-1252 text inside the field
    Text16,    // UTF-16LE text ending with a 16-bit zero inside the field
};

struct Field {
    std::string_view name;
    std::size_t offset;
    std::size_t size;  // bytes, the whole array or text field
    FieldType type;
};

// Bytes of one element: the whole field for scalars, one element for arrays, one code unit for
// texts.
constexpr std::size_t ElementSize(FieldType type) {
    switch (type) {
        case FieldType::U8:
        case FieldType::I8Array:
        case FieldType::Text8:
            return 1;
        case FieldType::U16:
        case FieldType::I16Array:
        case FieldType::Text16:
            return 2;
        case FieldType::U32:
        case FieldType::I32:
            return 4;
    }
    return 1;
}

constexpr bool IsNumber(FieldType type) {
    return type != FieldType::Text8 && type != FieldType::Text16;
}

// Tables in offset order; the bytes they leave out are the ones no reader looks at.
inline constexpr std::array kMeasureFields = {
    Field{"dvbType", 0, 1, FieldType::U8},
    Field{"name", 1, 30, FieldType::Text8},
    Field{"targetName", 31, 33, FieldType::Text8},
    Field{"lineFrequency", 64, 2, FieldType::U16},
    Field{"lineSymbolRate", 66, 2, FieldType::U16},
    Field{"frequency", 68, 4, FieldType::U32},
    Field{"symbolRateOrBandwidth", 72, 2, FieldType::U16},
    Field{"polarisation", 74, 1, FieldType::U8},
    Field{"quality", 75, 1, FieldType::U8},
    Field{"strength", 76, 1, FieldType::U8},
    Field{"levelDbm", 80, 4, FieldType::I32},
    Field{"carrierToNoise", 84, 4, FieldType::I32},
    Field{"berMantissa", 88, 4, FieldType::I32},
    Field{"berExponent", 92, 4, FieldType::I32},
    Field{"perMantissa", 96, 4, FieldType::I32},
    Field{"perExponent", 100, 4, FieldType::I32},
    Field{"deliverySystem", 104, 1, FieldType::U8},
    Field{"modulation", 108, 4, FieldType::U32},
    Field{"fecIndex", 112, 1, FieldType::U8},
    Field{"locked", 113, 1, FieldType::U8},
    Field{"orbitalPosition", 114, 2, FieldType::U16},
    Field{"tone22k", 116, 1, FieldType::U8},
    Field{"lnbVoltage", 117, 1, FieldType::U8},
};

inline constexpr std::array kSpectrumFields = {
    Field{"dvbType", 0, 1, FieldType::U8},        Field{"name", 1, 30, FieldType::Text8},
    Field{"startMHz", 32, 4, FieldType::I32},     Field{"currentMHz", 36, 4, FieldType::I32},
    Field{"endMHz", 40, 4, FieldType::I32},       Field{"currentLevel", 44, 2, FieldType::U16},
    Field{"tone22k", 46, 1, FieldType::U8},       Field{"lnbVoltage", 47, 1, FieldType::U8},
    Field{"levels", 50, 202, FieldType::I8Array},
};

inline constexpr std::array kConstellationFields = {
    Field{"dvbType", 0, 1, FieldType::U8},
    Field{"name", 1, 30, FieldType::Text8},
    Field{"frequency", 32, 4, FieldType::I32},
    Field{"symbolRate", 36, 2, FieldType::U16},
    Field{"polarisation", 38, 1, FieldType::U8},
    Field{"displayName", 50, 64, FieldType::Text16},
    Field{"deliverySystem", 114, 1, FieldType::U8},
    Field{"modulation", 116, 4, FieldType::U32},
    Field{"berMantissa", 120, 4, FieldType::I32},
    Field{"berExponent", 124, 4, FieldType::I32},
    Field{"carrierToNoise", 128, 4, FieldType::I32},
    Field{"levelDbm", 132, 4, FieldType::I32},
    Field{"quality", 137, 1, FieldType::U8},
    Field{"strength", 138, 1, FieldType::U8},
    Field{"pointX", 140, 2000, FieldType::I16Array},
    Field{"pointY", 2140, 2000, FieldType::I16Array},
};

std::span<const Field> FieldsOf(EntryKind kind);
std::size_t EntrySizeOf(EntryKind kind);

// The field called `name`, or nullptr.
const Field* FindField(EntryKind kind, std::string_view name);

// A run of bytes that no field covers.
struct ByteRange {
    std::size_t offset;
    std::size_t size;
    bool operator==(const ByteRange&) const = default;
};
std::vector<ByteRange> UncoveredRanges(EntryKind kind);

// Numeric element `index` of a number field (0 for scalars), sign-extended for signed types.
// Returns nullopt for text fields and out-of-range elements or entries too short for the field.
std::optional<std::int64_t> ReadNumber(std::span<const std::uint8_t> entry, const Field& field,
                                       std::size_t index = 0);

// Stores the low bytes of `value` little-endian in element `index`; false (and nothing written)
// for text fields, an element outside the field or an entry too short for the field.
bool WriteNumber(std::span<std::uint8_t> entry, const Field& field, std::int64_t value,
                 std::size_t index = 0);

// Writes a text, then zeroes the rest of the field, which holds the terminator when the text is
// shorter than the field (a text filling the field has none, as readers allow). False, with
// nothing written, when the field has the other text type or the text does not fit.
bool WriteText(std::span<std::uint8_t> entry, const Field& field, std::string_view text);
bool WriteText(std::span<std::uint8_t> entry, const Field& field, std::u16string_view text);

}  // namespace quorvel::layout
