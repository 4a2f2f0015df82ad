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

#include "data/ByteReader.h"
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

// Every kind starts with the same header: the broadcast family byte and a 30-byte 8-bit name.
inline constexpr Field kDvbType{"dvbType", 0, 1, FieldType::U8};
inline constexpr Field kName{"name", 1, 30, FieldType::Text8};

namespace measure {
inline constexpr Field kTargetName{"targetName", 31, 33, FieldType::Text8};
inline constexpr Field kLineFrequency{"lineFrequency", 64, 2, FieldType::U16};
inline constexpr Field kLineSymbolRate{"lineSymbolRate", 66, 2, FieldType::U16};
inline constexpr Field kFrequency{"frequency", 68, 4, FieldType::U32};
inline constexpr Field kSymbolRateOrBandwidth{"symbolRateOrBandwidth", 72, 2, FieldType::U16};
inline constexpr Field kPolarisation{"polarisation", 74, 1, FieldType::U8};
inline constexpr Field kQuality{"quality", 75, 1, FieldType::U8};
inline constexpr Field kStrength{"strength", 76, 1, FieldType::U8};
inline constexpr Field kLevelDbm{"levelDbm", 80, 4, FieldType::I32};
inline constexpr Field kCarrierToNoise{"carrierToNoise", 84, 4, FieldType::I32};
inline constexpr Field kBerMantissa{"berMantissa", 88, 4, FieldType::I32};
inline constexpr Field kBerExponent{"berExponent", 92, 4, FieldType::I32};
inline constexpr Field kPerMantissa{"perMantissa", 96, 4, FieldType::I32};
inline constexpr Field kPerExponent{"perExponent", 100, 4, FieldType::I32};
inline constexpr Field kDeliverySystem{"deliverySystem", 104, 1, FieldType::U8};
inline constexpr Field kModulation{"modulation", 108, 4, FieldType::U32};
inline constexpr Field kFecIndex{"fecIndex", 112, 1, FieldType::U8};
inline constexpr Field kLocked{"locked", 113, 1, FieldType::U8};
inline constexpr Field kOrbitalPosition{"orbitalPosition", 114, 2, FieldType::U16};
inline constexpr Field kTone22k{"tone22k", 116, 1, FieldType::U8};
inline constexpr Field kLnbVoltage{"lnbVoltage", 117, 1, FieldType::U8};
}  // namespace measure

namespace spectrum {
inline constexpr Field kStartMHz{"startMHz", 32, 4, FieldType::I32};
inline constexpr Field kCurrentMHz{"currentMHz", 36, 4, FieldType::I32};
inline constexpr Field kEndMHz{"endMHz", 40, 4, FieldType::I32};
inline constexpr Field kCurrentLevel{"currentLevel", 44, 2, FieldType::U16};
inline constexpr Field kTone22k{"tone22k", 46, 1, FieldType::U8};
inline constexpr Field kLnbVoltage{"lnbVoltage", 47, 1, FieldType::U8};
inline constexpr Field kLevels{"levels", 50, 202, FieldType::I8Array};
}  // namespace spectrum

namespace constellation {
inline constexpr Field kFrequency{"frequency", 32, 4, FieldType::I32};
inline constexpr Field kSymbolRate{"symbolRate", 36, 2, FieldType::U16};
inline constexpr Field kPolarisation{"polarisation", 38, 1, FieldType::U8};
inline constexpr Field kDisplayName{"displayName", 50, 64, FieldType::Text16};
inline constexpr Field kDeliverySystem{"deliverySystem", 114, 1, FieldType::U8};
inline constexpr Field kModulation{"modulation", 116, 4, FieldType::U32};
inline constexpr Field kBerMantissa{"berMantissa", 120, 4, FieldType::I32};
inline constexpr Field kBerExponent{"berExponent", 124, 4, FieldType::I32};
inline constexpr Field kCarrierToNoise{"carrierToNoise", 128, 4, FieldType::I32};
inline constexpr Field kLevelDbm{"levelDbm", 132, 4, FieldType::I32};
inline constexpr Field kQuality{"quality", 137, 1, FieldType::U8};
inline constexpr Field kStrength{"strength", 138, 1, FieldType::U8};
inline constexpr Field kPointX{"pointX", 140, 2000, FieldType::I16Array};
inline constexpr Field kPointY{"pointY", 2140, 2000, FieldType::I16Array};
}  // namespace constellation

// Tables in offset order; the bytes they leave out are the ones no reader looks at.
inline constexpr std::array kMeasureFields = {
    kDvbType,
    kName,
    measure::kTargetName,
    measure::kLineFrequency,
    measure::kLineSymbolRate,
    measure::kFrequency,
    measure::kSymbolRateOrBandwidth,
    measure::kPolarisation,
    measure::kQuality,
    measure::kStrength,
    measure::kLevelDbm,
    measure::kCarrierToNoise,
    measure::kBerMantissa,
    measure::kBerExponent,
    measure::kPerMantissa,
    measure::kPerExponent,
    measure::kDeliverySystem,
    measure::kModulation,
    measure::kFecIndex,
    measure::kLocked,
    measure::kOrbitalPosition,
    measure::kTone22k,
    measure::kLnbVoltage,
};

inline constexpr std::array kSpectrumFields = {
    kDvbType,
    kName,
    spectrum::kStartMHz,
    spectrum::kCurrentMHz,
    spectrum::kEndMHz,
    spectrum::kCurrentLevel,
    spectrum::kTone22k,
    spectrum::kLnbVoltage,
    spectrum::kLevels,
};

inline constexpr std::array kConstellationFields = {
    kDvbType,
    kName,
    constellation::kFrequency,
    constellation::kSymbolRate,
    constellation::kPolarisation,
    constellation::kDisplayName,
    constellation::kDeliverySystem,
    constellation::kModulation,
    constellation::kBerMantissa,
    constellation::kBerExponent,
    constellation::kCarrierToNoise,
    constellation::kLevelDbm,
    constellation::kQuality,
    constellation::kStrength,
    constellation::kPointX,
    constellation::kPointY,
};

// Number of elements: array entries, or code units of a text.
constexpr std::size_t ElementCount(const Field& field) {
    return field.size / ElementSize(field.type);
}

// The value of scalar field F, of the width and signedness the table gives it; a field that
// does not fit the entry does not compile.
template <const Field& F, std::size_t Extent>
constexpr auto Read(std::span<const std::uint8_t, Extent> entry) {
    static_assert(F.offset + F.size <= Extent, "field lies outside the entry");
    static_assert(F.size == ElementSize(F.type), "a scalar field is one element wide");
    if constexpr (F.type == FieldType::U8) {
        return bytes::U8<F.offset>(entry);
    } else if constexpr (F.type == FieldType::U16) {
        return bytes::U16<F.offset>(entry);
    } else if constexpr (F.type == FieldType::U32) {
        return bytes::U32<F.offset>(entry);
    } else {
        static_assert(F.type == FieldType::I32, "not a scalar field");
        return bytes::I32<F.offset>(entry);
    }
}

// Element `index` of array field F; 0 past the field's last element.
template <const Field& F, std::size_t Extent>
constexpr auto ReadElement(std::span<const std::uint8_t, Extent> entry, std::size_t index) {
    static_assert(F.offset + F.size <= Extent, "field lies outside the entry");
    if constexpr (F.type == FieldType::I8Array) {
        return index < F.size ? static_cast<std::int8_t>(entry[F.offset + index]) : std::int8_t{0};
    } else {
        static_assert(F.type == FieldType::I16Array, "not an array field");
        return bytes::I16At<F.offset, ElementCount(F)>(entry, index);
    }
}

// 8-bit text field F up to its NUL, or the whole field when it has none.
template <const Field& F, std::size_t Extent>
std::string_view ReadText(std::span<const std::uint8_t, Extent> entry) {
    static_assert(F.type == FieldType::Text8, "not an 8-bit text field");
    return bytes::Text<F.offset, F.size>(entry);
}

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
