// Builds source records for the data tests: magic and present entries by slot.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "data/SourceRecord.h"
#include "support/RecordBytes.h"

namespace quorvel::test {

inline std::unique_ptr<SourceRecord> MakeRecord(bool withMagic = true) {
    auto record = std::make_unique<SourceRecord>();
    if (withMagic) StampMagic(record->bytes);
    return record;
}

// Puts a present entry with the given header into a slot, its remaining bytes set to `fill` so
// that copies can be told apart.
inline void AddEntry(SourceRecord& record, EntryKind kind, std::size_t slot, std::uint8_t dvbType,
                     std::string_view name, std::uint8_t fill = 0) {
    const std::span<std::uint8_t> entry = SlotBytes(record.bytes, kind, slot);
    std::fill(entry.begin(), entry.end(), fill);
    PutHeader(entry, dvbType, name);
    MarkPresent(record.bytes, kind, slot);
}

}  // namespace quorvel::test
