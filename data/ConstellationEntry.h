// Read-only view of one 4140-byte constellation entry: values and 1000 diagram points.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/FieldLayout.h"
#include "data/SourceRecord.h"

namespace quorvel {

class ConstellationEntry {
  public:
    static constexpr std::size_t kSize = record::kConstellationEntrySize;
    static constexpr std::size_t kPointCount = layout::ElementCount(layout::constellation::kPointX);
    static constexpr std::size_t kPointXOffset = layout::constellation::kPointX.offset;
    static constexpr std::size_t kPointYOffset = layout::constellation::kPointY.offset;
    static constexpr std::size_t kDisplayNameOffset = layout::constellation::kDisplayName.offset;
    static constexpr std::size_t kDisplayNameUnits =
        layout::ElementCount(layout::constellation::kDisplayName);
    static_assert(layout::ElementCount(layout::constellation::kPointY) == kPointCount);
    static_assert(kPointYOffset + 2 * kPointCount == kSize);
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit ConstellationEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return layout::Read<layout::kDvbType>(m_bytes); }
    std::string_view name() const { return layout::ReadText<layout::kName>(m_bytes); }
    std::int32_t frequency() const {
        return layout::Read<layout::constellation::kFrequency>(m_bytes);
    }
    std::uint16_t symbolRate() const {
        return layout::Read<layout::constellation::kSymbolRate>(m_bytes);
    }
    std::uint8_t polarisation() const {
        return layout::Read<layout::constellation::kPolarisation>(m_bytes);
    }
    std::uint8_t deliverySystem() const {
        return layout::Read<layout::constellation::kDeliverySystem>(m_bytes);
    }
    std::uint32_t modulation() const {
        return layout::Read<layout::constellation::kModulation>(m_bytes);
    }
    std::int32_t berMantissa() const {
        return layout::Read<layout::constellation::kBerMantissa>(m_bytes);
    }
    std::int32_t berExponent() const {
        return layout::Read<layout::constellation::kBerExponent>(m_bytes);
    }
    std::int32_t carrierToNoise() const {
        return layout::Read<layout::constellation::kCarrierToNoise>(m_bytes);
    }
    std::int32_t levelDbm() const {
        return layout::Read<layout::constellation::kLevelDbm>(m_bytes);
    }
    std::uint8_t quality() const { return layout::Read<layout::constellation::kQuality>(m_bytes); }
    std::uint8_t strength() const {
        return layout::Read<layout::constellation::kStrength>(m_bytes);
    }

    // The UTF-16LE name up to its 16-bit zero; one without a zero ends at the field's end.
    std::u16string displayName() const {
        std::u16string text;
        for (std::size_t unit = 0; unit < kDisplayNameUnits; ++unit) {
            const std::size_t at = kDisplayNameOffset + 2 * unit;
            const auto code = static_cast<char16_t>(m_bytes[at] | (m_bytes[at + 1] << 8));
            if (code == 0) break;
            text.push_back(code);
        }
        return text;
    }

    std::int16_t pointX(std::size_t index) const {
        return layout::ReadElement<layout::constellation::kPointX>(m_bytes, index);
    }
    std::int16_t pointY(std::size_t index) const {
        return layout::ReadElement<layout::constellation::kPointY>(m_bytes, index);
    }

  private:
    Bytes m_bytes;
};

}  // namespace quorvel
