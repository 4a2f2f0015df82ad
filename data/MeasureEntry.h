// Read-only view of one 128-byte measure entry: the values of the Measure screens.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/FieldLayout.h"
#include "data/SourceRecord.h"

namespace quorvel {

class MeasureEntry {
  public:
    static constexpr std::size_t kSize = record::kMeasureEntrySize;
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit MeasureEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return layout::Read<layout::kDvbType>(m_bytes); }
    std::string_view name() const { return layout::ReadText<layout::kName>(m_bytes); }
    std::string_view targetName() const {
        return layout::ReadText<layout::measure::kTargetName>(m_bytes);
    }
    std::uint16_t lineFrequency() const {
        return layout::Read<layout::measure::kLineFrequency>(m_bytes);
    }
    std::uint16_t lineSymbolRate() const {
        return layout::Read<layout::measure::kLineSymbolRate>(m_bytes);
    }
    std::uint32_t frequency() const { return layout::Read<layout::measure::kFrequency>(m_bytes); }
    std::uint16_t symbolRateOrBandwidth() const {
        return layout::Read<layout::measure::kSymbolRateOrBandwidth>(m_bytes);
    }
    std::uint8_t polarisation() const {
        return layout::Read<layout::measure::kPolarisation>(m_bytes);
    }
    std::uint8_t quality() const { return layout::Read<layout::measure::kQuality>(m_bytes); }
    std::uint8_t strength() const { return layout::Read<layout::measure::kStrength>(m_bytes); }
    std::int32_t levelDbm() const { return layout::Read<layout::measure::kLevelDbm>(m_bytes); }
    std::int32_t carrierToNoise() const {
        return layout::Read<layout::measure::kCarrierToNoise>(m_bytes);
    }
    std::int32_t berMantissa() const {
        return layout::Read<layout::measure::kBerMantissa>(m_bytes);
    }
    std::int32_t berExponent() const {
        return layout::Read<layout::measure::kBerExponent>(m_bytes);
    }
    std::int32_t perMantissa() const {
        return layout::Read<layout::measure::kPerMantissa>(m_bytes);
    }
    std::int32_t perExponent() const {
        return layout::Read<layout::measure::kPerExponent>(m_bytes);
    }
    std::uint8_t deliverySystem() const {
        return layout::Read<layout::measure::kDeliverySystem>(m_bytes);
    }
    std::uint32_t modulation() const { return layout::Read<layout::measure::kModulation>(m_bytes); }
    std::uint8_t fecIndex() const { return layout::Read<layout::measure::kFecIndex>(m_bytes); }
    std::uint8_t locked() const { return layout::Read<layout::measure::kLocked>(m_bytes); }
    std::uint16_t orbitalPosition() const {
        return layout::Read<layout::measure::kOrbitalPosition>(m_bytes);
    }
    std::uint8_t tone22k() const { return layout::Read<layout::measure::kTone22k>(m_bytes); }
    std::uint8_t lnbVoltage() const { return layout::Read<layout::measure::kLnbVoltage>(m_bytes); }

  private:
    Bytes m_bytes;
};

}  // namespace quorvel
