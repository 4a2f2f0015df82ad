#include "data/SourceRecord.h"

#include <algorithm>

namespace quorvel {

std::span<const std::uint8_t> SourceRecord::Slot(EntryKind kind, std::size_t slot) const {
    const record::KindLayout layout = record::LayoutOf(kind);
    if (slot >= layout.slots) return {};
    return std::span<const std::uint8_t>(bytes).subspan(layout.entriesOffset + slot * layout.entrySize,
                                                        layout.entrySize);
}

void ClearPresenceMasks(SourceRecord& record) {
    auto clear = [&](std::size_t offset, std::size_t size) {
        std::fill_n(record.bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, std::uint8_t{0});
    };
    clear(record::kConstellationMaskOffset, record::kConstellationMaskSize);
    clear(record::kSpectrumMaskOffset, record::kSpectrumMaskSize);
    clear(record::kMeasureMaskOffset, record::kMeasureMaskSize);
}

void EnsureMagic(SourceRecord& record) {
    const std::uint32_t magic = bytes::U32<record::kMagicOffset>(record.View());
    if (magic == record::kMagic) return;
    for (std::size_t i = 0; i < 4; ++i) {
        record.bytes[record::kMagicOffset + i] = static_cast<std::uint8_t>(record::kMagic >> (8 * i));
    }
    ClearPresenceMasks(record);
}

bool IsSlotPresent(const SourceRecord& record, EntryKind kind, std::size_t slot) {
    const record::KindLayout layout = record::LayoutOf(kind);
    if (slot >= layout.slots) return false;
    const std::uint8_t maskByte = record.bytes[layout.maskOffset + slot / 8];
    return (maskByte & (1u << (slot % 8))) != 0;
}

}  // namespace quorvel
