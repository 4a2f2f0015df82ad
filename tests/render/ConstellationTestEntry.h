// A constellation entry image for the screen's tests, its fields set at their file offsets.
#pragma once

#include <cstdint>

#include "data/ConstellationEntry.h"
#include "support/EntryBytes.h"

namespace quorvel::test {

struct ConstellationBytes : EntryBytes<ConstellationEntry::kSize> {
    static constexpr std::size_t kFrequency = 32;
    static constexpr std::size_t kSymbolRate = 36;
    static constexpr std::size_t kPolarisation = 38;
    static constexpr std::size_t kDisplayName = 50;
    static constexpr std::size_t kDeliverySystem = 114;
    static constexpr std::size_t kModulation = 116;
    static constexpr std::size_t kBerMantissa = 120;
    static constexpr std::size_t kBerExponent = 124;
    static constexpr std::size_t kCarrierToNoise = 128;
    static constexpr std::size_t kLevelDbm = 132;
    static constexpr std::size_t kQuality = 137;
    static constexpr std::size_t kStrength = 138;
    static constexpr std::size_t kPointX = 140;
    static constexpr std::size_t kPointY = 2140;
    static constexpr int kSlots = 1000;

    ConstellationBytes& Point(int slot, std::int16_t x, std::int16_t y) {
        I16(kPointX + 2 * static_cast<std::size_t>(slot), x);
        I16(kPointY + 2 * static_cast<std::size_t>(slot), y);
        return *this;
    }
    // x 601 is the first column the screen refuses, so such a slot draws nothing.
    ConstellationBytes& HideAllPoints() {
        for (int slot = 0; slot < kSlots; ++slot) Point(slot, 601, 0);
        return *this;
    }
    ConstellationEntry Entry() const { return ConstellationEntry(View()); }
};

// 11778/V/27500, DVB-S2 8PSK, BER 2.3E-5, C/N 12.34 dB, level 45, quality 80, strength 60, and
// every point slot hidden.
inline ConstellationBytes TypicalConstellation() {
    ConstellationBytes bytes;
    bytes.I32(ConstellationBytes::kFrequency, 11778)
        .U16(ConstellationBytes::kSymbolRate, 27500)
        .U8(ConstellationBytes::kPolarisation, 1)
        .U8(ConstellationBytes::kDeliverySystem, 3)
        .U32(ConstellationBytes::kModulation, 6)
        .I32(ConstellationBytes::kBerMantissa, 23)
        .I32(ConstellationBytes::kBerExponent, 5)
        .I32(ConstellationBytes::kCarrierToNoise, 1234)
        .I32(ConstellationBytes::kLevelDbm, 45)
        .U8(ConstellationBytes::kQuality, 80)
        .U8(ConstellationBytes::kStrength, 60);
    bytes.HideAllPoints();
    return bytes;
}

}  // namespace quorvel::test
