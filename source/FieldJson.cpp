#include "source/FieldJson.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>

#include "data/TextEncoding.h"
#include "source/JsonInput.h"

namespace quorvel {

namespace {

using layout::Field;
using layout::FieldType;

struct Range {
    std::int64_t low;
    std::int64_t high;
};

Range RangeOf(FieldType type) {
    switch (type) {
        case FieldType::U8:
            return {0, 0xFF};
        case FieldType::U16:
            return {0, 0xFFFF};
        case FieldType::U32:
            return {0, 0xFFFFFFFF};
        case FieldType::I32:
            return {std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max()};
        case FieldType::I8Array:
            return {-128, 127};
        case FieldType::I16Array:
            return {-32768, 32767};
        case FieldType::Text8:
            return {0, 0xFF};
        case FieldType::Text16:
            return {0, 0xFFFF};
    }
    return {0, 0};
}

// The integer in `value` when it is one inside `range`; otherwise the reason in `problem`.
std::optional<std::int64_t> IntegerIn(const Json& value, Range range, std::string& problem) {
    if (!value.is_number_integer()) {
        problem = JsonExcerpt(value) + " is not an integer";
        return std::nullopt;
    }
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > std::uint64_t{0xFFFFFFFF}) {
        problem = JsonExcerpt(value) + " is outside " + std::to_string(range.low) + " to " +
                  std::to_string(range.high);
        return std::nullopt;
    }
    const auto number = value.get<std::int64_t>();
    if (number < range.low || number > range.high) {
        problem = JsonExcerpt(value) + " is outside " + std::to_string(range.low) + " to " +
                  std::to_string(range.high);
        return std::nullopt;
    }
    return number;
}

// Windows-1252 byte of each UTF-16 code unit WidenText produces, so UTF-8 goes back to bytes.
std::optional<std::uint8_t> NarrowUnit(char16_t unit) {
    static const std::array<char16_t, 256> wide = [] {
        std::array<char16_t, 256> table{};
        for (int byte = 1; byte < 256; ++byte) {
            table[byte] = WidenText(std::string(1, static_cast<char>(byte)))[0];
        }
        return table;
    }();
    for (int byte = 1; byte < 256; ++byte) {
        if (wide[byte] == unit) return static_cast<std::uint8_t>(byte);
    }
    return std::nullopt;
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::optional<std::string> Text8FromUtf8(std::string_view utf8) {
    // The code page has no U+FEFF, so in front of the text it can only be a byte order mark.
    if (utf8.starts_with(kUtf8ByteOrderMark)) utf8.remove_prefix(kUtf8ByteOrderMark.size());
    const std::optional<std::u16string> units = Utf16FromUtf8(utf8);
    if (!units) return std::nullopt;
    std::string text;
    for (char16_t unit : *units) {
        const std::optional<std::uint8_t> byte = NarrowUnit(unit);
        if (!byte) return std::nullopt;
        text.push_back(static_cast<char>(*byte));
    }
    return text;
}

// A UTF-16 text may hold U+FEFF as a character, so a string that starts with one is refused:
// keeping it or taking it for a byte order mark would both be a guess.
std::optional<std::u16string> Text16FromUtf8(std::string_view utf8) {
    if (utf8.starts_with(kUtf8ByteOrderMark)) return std::nullopt;
    return Utf16FromUtf8(utf8);
}

// Readers of UTF-16 take U+FEFF or U+FFFE in front for a byte order mark, dropping it or
// swapping the bytes of the rest; such a text stays a list of code units.
bool StartsLikeByteOrderMark(std::u16string_view text) {
    return !text.empty() && (text.front() == 0xFEFF || text.front() == 0xFFFE);
}

// The text before the first zero element when everything after it is zero too.
template <typename Unit>
std::optional<std::basic_string<Unit>> CleanText(const std::vector<Unit>& units) {
    const auto end = std::find(units.begin(), units.end(), Unit{0});
    if (std::any_of(end, units.end(), [](Unit unit) { return unit != 0; })) return std::nullopt;
    return std::basic_string<Unit>(units.begin(), end);
}

Json EncodeText8(std::span<const std::uint8_t> bytes) {
    const std::vector<char> units(bytes.begin(), bytes.end());
    if (const auto text = CleanText(units)) {
        const std::string utf8 = Utf8FromText8(*text);
        if (Text8FromUtf8(utf8) == *text) return utf8;
    }
    return EncodeBytes(bytes);
}

Json EncodeText16(std::span<const std::uint8_t> bytes) {
    std::vector<char16_t> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    if (const auto text = CleanText(units); text && !StartsLikeByteOrderMark(*text)) {
        const std::string utf8 = Utf8FromUtf16(*text);
        if (Text16FromUtf8(utf8) == *text) return utf8;
    }
    Json list = Json::array();
    for (char16_t unit : units) list.push_back(static_cast<int>(unit));
    return list;
}

std::string DecodeString(const Json& value, std::span<std::uint8_t> entry, const Field& field) {
    const std::string& utf8 = value.get_ref<const std::string&>();
    const bool narrow = field.type == FieldType::Text8;
    const std::size_t units = narrow ? field.size : field.size / 2;
    const std::string tooLong = JsonExcerpt(value) + " is longer than the field's " +
                                std::to_string(units) + (narrow ? " bytes" : " UTF-16 units");
    // No character takes more than three UTF-8 bytes per unit: a longer string cannot fit, and
    // converting it first could take far more memory than the field.
    if (utf8.size() > 3 * units) return tooLong;
    if (narrow) {
        const std::optional<std::string> text = Text8FromUtf8(utf8);
        if (!text) return JsonExcerpt(value) + " has characters outside Windows-1252 (or a NUL)";
        return layout::WriteText(entry, field, *text) ? std::string() : tooLong;
    }
    const std::optional<std::u16string> text = Text16FromUtf8(utf8);
    if (!text || text->find(u'\0') != std::u16string::npos) {
        return JsonExcerpt(value) + " is not valid text";
    }
    return layout::WriteText(entry, field, *text) ? std::string() : tooLong;
}

}  // namespace

Json EncodeBytes(std::span<const std::uint8_t> bytes) {
    Json list = Json::array();
    for (std::uint8_t byte : bytes) list.push_back(byte);
    return list;
}

std::string DecodeBytes(const Json& value, std::span<std::uint8_t> target) {
    if (!value.is_array()) return "expected a list of bytes";
    if (value.size() > target.size()) {
        return "has " + std::to_string(value.size()) + " bytes, at most " +
               std::to_string(target.size()) + " fit";
    }
    std::fill(target.begin(), target.end(), std::uint8_t{0});
    for (std::size_t i = 0; i < value.size(); ++i) {
        std::string problem;
        const auto byte = IntegerIn(value[i], {0, 0xFF}, problem);
        if (!byte) return "byte " + std::to_string(i) + ": " + problem;
        target[i] = static_cast<std::uint8_t>(*byte);
    }
    return {};
}

Json EncodeField(std::span<const std::uint8_t> entry, const Field& field) {
    switch (field.type) {
        case FieldType::Text8:
            return EncodeText8(entry.subspan(field.offset, field.size));
        case FieldType::Text16:
            return EncodeText16(entry.subspan(field.offset, field.size));
        case FieldType::I8Array:
        case FieldType::I16Array: {
            Json list = Json::array();
            const std::size_t count = field.size / layout::ElementSize(field.type);
            for (std::size_t i = 0; i < count; ++i) {
                list.push_back(layout::ReadNumber(entry, field, i).value_or(0));
            }
            return list;
        }
        default:
            return layout::ReadNumber(entry, field).value_or(0);
    }
}

std::string DecodeField(const Json& value, std::span<std::uint8_t> entry, const Field& field) {
    const auto target = entry.subspan(field.offset, field.size);
    std::fill(target.begin(), target.end(), std::uint8_t{0});
    const bool isText = field.type == FieldType::Text8 || field.type == FieldType::Text16;
    if (isText && value.is_string()) return DecodeString(value, entry, field);
    const bool isList =
        isText || field.type == FieldType::I8Array || field.type == FieldType::I16Array;
    const Range range = RangeOf(field.type);
    if (!isList) {
        std::string problem;
        const auto number = IntegerIn(value, range, problem);
        if (!number) return problem;
        layout::WriteNumber(entry, field, *number);
        return {};
    }
    if (!value.is_array()) return isText ? "expected a string or a list" : "expected a list";
    const std::size_t count = field.size / layout::ElementSize(field.type);
    if (value.size() > count) {
        return "has " + std::to_string(value.size()) + " elements, at most " +
               std::to_string(count) + " fit";
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        std::string problem;
        const auto number = IntegerIn(value[i], range, problem);
        if (!number) return "element " + std::to_string(i) + ": " + problem;
        if (isText) {
            const std::size_t width = layout::ElementSize(field.type);
            for (std::size_t b = 0; b < width; ++b) {
                target[i * width + b] = static_cast<std::uint8_t>(*number >> (8 * b));
            }
        } else {
            layout::WriteNumber(entry, field, *number, i);
        }
    }
    return {};
}

}  // namespace quorvel
