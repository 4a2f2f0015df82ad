#include "data/FieldLayout.h"

#include <algorithm>

#include "data/SourceRecord.h"

namespace quorvel::layout {

namespace {

bool Fits(std::size_t entrySize, const Field& field) {
    return field.offset <= entrySize && field.size <= entrySize - field.offset;
}

bool IsSigned(FieldType type) {
    return type == FieldType::I32 || type == FieldType::I8Array || type == FieldType::I16Array;
}

}  // namespace

std::span<const Field> FieldsOf(EntryKind kind) {
    switch (kind) {
        case EntryKind::Spectrum:
            return kSpectrumFields;
        case EntryKind::Constellation:
            return kConstellationFields;
        case EntryKind::Measure:
            return kMeasureFields;
    }
    return {};
}

std::size_t EntrySizeOf(EntryKind kind) {
    return record::LayoutOf(kind).entrySize;
}

const Field* FindField(EntryKind kind, std::string_view name) {
    const std::span<const Field> fields = FieldsOf(kind);
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&](const Field& field) { return field.name == name; });
    return found == fields.end() ? nullptr : &*found;
}

std::vector<ByteRange> UncoveredRanges(EntryKind kind) {
    std::vector<ByteRange> ranges;
    std::size_t covered = 0;
    for (const Field& field : FieldsOf(kind)) {
        if (field.offset > covered) ranges.push_back({covered, field.offset - covered});
        covered = std::max(covered, field.offset + field.size);
    }
    const std::size_t entrySize = EntrySizeOf(kind);
    if (covered < entrySize) ranges.push_back({covered, entrySize - covered});
    return ranges;
}

std::optional<std::int64_t> ReadNumber(std::span<const std::uint8_t> entry, const Field& field,
                                       std::size_t index) {
    if (!IsNumber(field.type) || !Fits(entry.size(), field)) return std::nullopt;
    const std::size_t width = ElementSize(field.type);
    if (index >= field.size / width) return std::nullopt;
    const std::size_t at = field.offset + index * width;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= std::uint64_t{entry[at + i]} << (8 * i);
    const std::uint64_t signBit = std::uint64_t{1} << (8 * width - 1);
    if (IsSigned(field.type) && (value & signBit) != 0) {
        return static_cast<std::int64_t>(value) - static_cast<std::int64_t>(signBit << 1);
    }
    return static_cast<std::int64_t>(value);
}

bool WriteNumber(std::span<std::uint8_t> entry, const Field& field, std::int64_t value,
                 std::size_t index) {
    if (!IsNumber(field.type) || !Fits(entry.size(), field)) return false;
    const std::size_t width = ElementSize(field.type);
    if (index >= field.size / width) return false;
    const std::size_t at = field.offset + index * width;
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < width; ++i)
        entry[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return true;
}

bool WriteText(std::span<std::uint8_t> entry, const Field& field, std::string_view text) {
    if (field.type != FieldType::Text8 || !Fits(entry.size(), field) || text.size() > field.size) {
        return false;
    }
    const auto target = entry.subspan(field.offset, field.size);
    std::fill(target.begin(), target.end(), std::uint8_t{0});
    std::transform(text.begin(), text.end(), target.begin(),
                   [](char character) { return static_cast<std::uint8_t>(character); });
    return true;
}

bool WriteText(std::span<std::uint8_t> entry, const Field& field, std::u16string_view text) {
    if (field.type != FieldType::Text16 || !Fits(entry.size(), field) ||
        text.size() > field.size / 2) {
        return false;
    }
    const auto target = entry.subspan(field.offset, field.size);
    std::fill(target.begin(), target.end(), std::uint8_t{0});
    for (std::size_t i = 0; i < text.size(); ++i) {
        target[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
        target[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    return true;
}

}  // namespace quorvel::layout
