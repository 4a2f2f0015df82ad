// Builds source records for the data tests: magic, presence bits and entries by slot.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "data/SourceRecord.h"
#include "support/EntryBytes.h"

namespace quorvel::test {

inline std::unique_ptr<SourceRecord> MakeRecord(bool withMagic = true) {
    auto record = std::make_unique<SourceRecord>();
    if (withMagic) {
        for (std::size_t i = 0; i < 4; ++i) {
            record->bytes[i] = static_cast<std::uint8_t>(record::kMagic >> (8 * i));
        }
    }
    return record;
}

inline void SetPresent(SourceRecord& record, EntryKind kind, std::size_t slot) {
    record.bytes.at(record::LayoutOf(kind).maskOffset + slot / 8) |=
        static_cast<std::uint8_t>(1u << (slot % 8));
}

inline void PutEntry(SourceRecord& record, EntryKind kind, std::size_t slot,
                     std::span<const std::uint8_t> entry) {
    const record::KindLayout layout = record::LayoutOf(kind);
    std::copy(entry.begin(), entry.end(),
              record.bytes.begin() +
                  static_cast<std::ptrdiff_t>(layout.entriesOffset + slot * layout.entrySize));
}

// An entry holding only the header, with the remaining bytes marked by `fill` so that copies can
// be told apart.
template <std::size_t N>
EntryBytes<N> Header(std::uint8_t dvbType, std::string_view name, std::uint8_t fill = 0) {
    EntryBytes<N> entry;
    entry.bytes.fill(fill);
    entry.U8(0, dvbType);
    std::fill_n(entry.bytes.begin() + 1, 30, std::uint8_t{0});
    entry.Text(1, name);
    return entry;
}

// Puts a present entry with the given header into a slot.
inline void AddEntry(SourceRecord& record, EntryKind kind, std::size_t slot, std::uint8_t dvbType,
                     std::string_view name, std::uint8_t fill = 0) {
    switch (kind) {
        case EntryKind::Spectrum:
            PutEntry(record, kind, slot,
                     Header<record::kSpectrumEntrySize>(dvbType, name, fill).View());
            break;
        case EntryKind::Constellation:
            PutEntry(record, kind, slot,
                     Header<record::kConstellationEntrySize>(dvbType, name, fill).View());
            break;
        case EntryKind::Measure:
            PutEntry(record, kind, slot,
                     Header<record::kMeasureEntrySize>(dvbType, name, fill).View());
            break;
    }
    SetPresent(record, kind, slot);
}

}  // namespace quorvel::test
