// Read-only view of one 252-byte spectrum entry: a sweep and its 202 level samples.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/FieldLayout.h"
#include "data/SourceRecord.h"

namespace quorvel {

class SpectrumEntry {
  public:
    static constexpr std::size_t kSize = record::kSpectrumEntrySize;
    static constexpr std::size_t kLevelsOffset = layout::spectrum::kLevels.offset;
    static constexpr std::size_t kLevelCount = layout::ElementCount(layout::spectrum::kLevels);
    static_assert(kLevelsOffset + kLevelCount == kSize);
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit SpectrumEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return layout::Read<layout::kDvbType>(m_bytes); }
    std::string_view name() const { return layout::ReadText<layout::kName>(m_bytes); }
    std::int32_t startMHz() const { return layout::Read<layout::spectrum::kStartMHz>(m_bytes); }
    std::int32_t currentMHz() const { return layout::Read<layout::spectrum::kCurrentMHz>(m_bytes); }
    std::int32_t endMHz() const { return layout::Read<layout::spectrum::kEndMHz>(m_bytes); }
    std::uint16_t currentLevel() const {
        return layout::Read<layout::spectrum::kCurrentLevel>(m_bytes);
    }
    std::uint8_t tone22k() const { return layout::Read<layout::spectrum::kTone22k>(m_bytes); }
    std::uint8_t lnbVoltage() const { return layout::Read<layout::spectrum::kLnbVoltage>(m_bytes); }

    // Level sample `index` in dBuV (signed); 0 for an index past the 202 samples the entry holds.
    std::int8_t level(std::size_t index) const {
        return layout::ReadElement<layout::spectrum::kLevels>(m_bytes, index);
    }

  private:
    Bytes m_bytes;
};

}  // namespace quorvel
