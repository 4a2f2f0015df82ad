// Writes the magic, presence bits and entry headers into a whole-record image, for tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "data/SourceRecord.h"

namespace quorvel::test {

inline void StampMagic(std::span<std::uint8_t> record) {
    for (std::size_t i = 0; i < 4; ++i) {
        record[record::kMagicOffset + i] = static_cast<std::uint8_t>(record::kMagic >> (8 * i));
    }
}

inline void MarkPresent(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot) {
    record[record::LayoutOf(kind).maskOffset + slot / 8] |=
        static_cast<std::uint8_t>(1u << (slot % 8));
}

inline std::span<std::uint8_t> SlotBytes(std::span<std::uint8_t> record, EntryKind kind,
                                         std::size_t slot) {
    const record::KindLayout layout = record::LayoutOf(kind);
    return record.subspan(layout.entriesOffset + slot * layout.entrySize, layout.entrySize);
}

// The header the catalogue checks: the DVB type byte, then the name in a zero-filled 30 bytes.
inline void PutHeader(std::span<std::uint8_t> entry, std::uint8_t dvbType, std::string_view name) {
    entry[0] = dvbType;
    std::fill_n(entry.begin() + 1, 30, std::uint8_t{0});
    std::copy(name.begin(), name.end(), entry.begin() + 1);
}

}  // namespace quorvel::test
