// Read-only view of one 252-byte spectrum entry: a sweep and its 202 level samples.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/ByteReader.h"
#include "data/EntryHeader.h"
#include "data/SourceRecord.h"

namespace quorvel {

class SpectrumEntry {
public:
    static constexpr std::size_t kSize = record::kSpectrumEntrySize;
    static constexpr std::size_t kLevelsOffset = 50;
    static constexpr std::size_t kLevelCount = 202;
    static_assert(kLevelsOffset + kLevelCount == kSize);
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit SpectrumEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return bytes::U8<0>(m_bytes); }
    std::string_view name() const { return entry::Name(m_bytes); }
    std::int32_t startMHz() const { return bytes::I32<32>(m_bytes); }
    std::int32_t currentMHz() const { return bytes::I32<36>(m_bytes); }
    std::int32_t endMHz() const { return bytes::I32<40>(m_bytes); }
    std::uint16_t currentLevel() const { return bytes::U16<44>(m_bytes); }
    std::uint8_t tone22k() const { return bytes::U8<46>(m_bytes); }
    std::uint8_t lnbVoltage() const { return bytes::U8<47>(m_bytes); }

    // Level sample `index` in dBuV (signed); 0 for an index past the 202 samples the entry holds.
    std::int8_t level(std::size_t index) const {
        if (index >= kLevelCount) return 0;
        return static_cast<std::int8_t>(m_bytes[kLevelsOffset + index]);
    }

private:
    Bytes m_bytes;
};

}  // namespace quorvel
