// Read-only view of one 4140-byte constellation entry: values and 1000 diagram points.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/ByteReader.h"
#include "data/EntryHeader.h"
#include "data/SourceRecord.h"

namespace quorvel {

class ConstellationEntry {
public:
    static constexpr std::size_t kSize = record::kConstellationEntrySize;
    static constexpr std::size_t kPointCount = 1000;
    static constexpr std::size_t kPointXOffset = 140;
    static constexpr std::size_t kPointYOffset = 2140;
    static constexpr std::size_t kDisplayNameOffset = 50;
    static constexpr std::size_t kDisplayNameUnits = 32;  // bytes 50..113
    static_assert(kPointYOffset + 2 * kPointCount == kSize);
    using Bytes = std::span<const std::uint8_t, kSize>;

    explicit ConstellationEntry(Bytes bytes) : m_bytes(bytes) {}

    std::uint8_t dvbType() const { return bytes::U8<0>(m_bytes); }
    std::string_view name() const { return entry::Name(m_bytes); }
    std::int32_t frequency() const { return bytes::I32<32>(m_bytes); }
    std::uint16_t symbolRate() const { return bytes::U16<36>(m_bytes); }
    std::uint8_t polarisation() const { return bytes::U8<38>(m_bytes); }
    std::uint8_t deliverySystem() const { return bytes::U8<114>(m_bytes); }
    std::uint32_t modulation() const { return bytes::U32<116>(m_bytes); }
    std::int32_t berMantissa() const { return bytes::I32<120>(m_bytes); }
    std::int32_t berExponent() const { return bytes::I32<124>(m_bytes); }
    std::int32_t carrierToNoise() const { return bytes::I32<128>(m_bytes); }
    std::int32_t levelDbm() const { return bytes::I32<132>(m_bytes); }
    std::uint8_t quality() const { return bytes::U8<137>(m_bytes); }
    std::uint8_t strength() const { return bytes::U8<138>(m_bytes); }

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
        return bytes::I16At<kPointXOffset, kPointCount>(m_bytes, index);
    }
    std::int16_t pointY(std::size_t index) const {
        return bytes::I16At<kPointYOffset, kPointCount>(m_bytes, index);
    }

private:
    Bytes m_bytes;
};

}  // namespace quorvel
