// The fixed 156,836-byte image of a source data file and its presence masks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/ByteReader.h"
#include "data/Types.h"

namespace quorvel {

namespace record {
inline constexpr std::size_t kSize = 156'836;
inline constexpr std::uint32_t kMagic = 0xAABBCCDD;
inline constexpr std::size_t kMagicOffset = 0;

inline constexpr std::size_t kConstellationMaskOffset = 4;
inline constexpr std::size_t kConstellationMaskSize = 4;
inline constexpr std::size_t kConstellationEntriesOffset = 8;
inline constexpr std::size_t kConstellationEntrySize = 4140;
inline constexpr std::size_t kConstellationSlots = 32;

inline constexpr std::size_t kSpectrumMaskOffset = 132'489;
inline constexpr std::size_t kSpectrumMaskSize = 8;
inline constexpr std::size_t kSpectrumEntriesOffset = 132'500;
inline constexpr std::size_t kSpectrumEntrySize = 252;
inline constexpr std::size_t kSpectrumSlots = 64;

inline constexpr std::size_t kMeasureMaskOffset = 148'629;
inline constexpr std::size_t kMeasureMaskSize = 8;
inline constexpr std::size_t kMeasureEntriesOffset = 148'640;
inline constexpr std::size_t kMeasureEntrySize = 128;
inline constexpr std::size_t kMeasureSlots = 64;

static_assert(kConstellationEntriesOffset + kConstellationSlots * kConstellationEntrySize == 132'488);
static_assert(kSpectrumEntriesOffset + kSpectrumSlots * kSpectrumEntrySize == 148'628);
static_assert(kMeasureEntriesOffset + kMeasureSlots * kMeasureEntrySize == 156'832);
static_assert(kMeasureEntriesOffset + kMeasureSlots * kMeasureEntrySize + 4 == kSize);

// Layout of one kind's slots inside the record.
struct KindLayout {
    std::size_t maskOffset;
    std::size_t entriesOffset;
    std::size_t entrySize;
    std::size_t slots;
};

constexpr KindLayout LayoutOf(EntryKind kind) {
    switch (kind) {
        case EntryKind::Spectrum:
            return {kSpectrumMaskOffset, kSpectrumEntriesOffset, kSpectrumEntrySize, kSpectrumSlots};
        case EntryKind::Constellation:
            return {kConstellationMaskOffset, kConstellationEntriesOffset, kConstellationEntrySize,
                    kConstellationSlots};
        case EntryKind::Measure:
            return {kMeasureMaskOffset, kMeasureEntriesOffset, kMeasureEntrySize, kMeasureSlots};
    }
    return {};
}
}  // namespace record

// The whole file image, held by value; all zero (no magic, no entries) when constructed.
struct SourceRecord {
    std::array<std::uint8_t, record::kSize> bytes{};

    std::span<const std::uint8_t, record::kSize> View() const { return bytes; }

    // The bytes of one slot; `slot` must be below the kind's slot count.
    std::span<const std::uint8_t> Slot(EntryKind kind, std::size_t slot) const;
};

// Stamps the magic into a record that lacks it and then clears its presence masks, so that a
// foreign file lists nothing. Entries and reserved bytes are left alone.
void EnsureMagic(SourceRecord& record);

void ClearPresenceMasks(SourceRecord& record);

// True when the slot's bit is set: bit (slot mod 8) of mask byte (slot div 8), LSB first.
// Slots outside the kind's range are never present.
bool IsSlotPresent(const SourceRecord& record, EntryKind kind, std::size_t slot);

}  // namespace quorvel
