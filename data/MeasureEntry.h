// Read-only view of one 128-byte measure entry: the values of the Measure screens.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/ByteReader.h"
#include "data/EntryHeader.h"
#include "data/SourceRecord.h"

namespace quorvel {

class MeasureEntry {
public:
    static constexpr std::size_t kSize = record::kMeasureEntrySize;
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit MeasureEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return bytes::U8<0>(m_bytes); }
    std::string_view name() const { return entry::Name(m_bytes); }
    std::string_view targetName() const { return bytes::Text<31, 33>(m_bytes); }
    std::uint16_t lineFrequency() const { return bytes::U16<64>(m_bytes); }
    std::uint16_t lineSymbolRate() const { return bytes::U16<66>(m_bytes); }
    std::uint32_t frequency() const { return bytes::U32<68>(m_bytes); }
    std::uint16_t symbolRateOrBandwidth() const { return bytes::U16<72>(m_bytes); }
    std::uint8_t polarisation() const { return bytes::U8<74>(m_bytes); }
    std::uint8_t quality() const { return bytes::U8<75>(m_bytes); }
    std::uint8_t strength() const { return bytes::U8<76>(m_bytes); }
    std::int32_t levelDbm() const { return bytes::I32<80>(m_bytes); }
    std::int32_t carrierToNoise() const { return bytes::I32<84>(m_bytes); }
    std::int32_t berMantissa() const { return bytes::I32<88>(m_bytes); }
    std::int32_t berExponent() const { return bytes::I32<92>(m_bytes); }
    std::int32_t perMantissa() const { return bytes::I32<96>(m_bytes); }
    std::int32_t perExponent() const { return bytes::I32<100>(m_bytes); }
    std::uint8_t deliverySystem() const { return bytes::U8<104>(m_bytes); }
    std::uint32_t modulation() const { return bytes::U32<108>(m_bytes); }
    std::uint8_t fecIndex() const { return bytes::U8<112>(m_bytes); }
    std::uint8_t locked() const { return bytes::U8<113>(m_bytes); }
    std::uint16_t orbitalPosition() const { return bytes::U16<114>(m_bytes); }
    std::uint8_t tone22k() const { return bytes::U8<116>(m_bytes); }
    std::uint8_t lnbVoltage() const { return bytes::U8<117>(m_bytes); }

private:
    Bytes m_bytes;
};

}  // namespace quorvel
