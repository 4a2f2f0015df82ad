// Busy entries for the screen benchmarks: every element of the screen present, built by field name.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "data/ConstellationEntry.h"
#include "data/EntryWriter.h"
#include "data/MeasureEntry.h"

namespace quorvel::bench {

using MeasureBytes = std::array<std::uint8_t, MeasureEntry::kSize>;
using ConstellationBytes = std::array<std::uint8_t, ConstellationEntry::kSize>;

// Both badges, a full strength bar and every value present: no element is left out.
inline MeasureBytes BusyMeasure(DvbType family) {
    MeasureBytes bytes{};
    EntryWriter(bytes, EntryKind::Measure)
        .Set("dvbType", static_cast<int>(family)).Text("name", "typical")
        .Text("targetName", "Astra 1KR").Set("lineFrequency", 12603).Set("lineSymbolRate", 22000)
        .Set("frequency", 11778)
        .Set("symbolRateOrBandwidth", family == DvbType::Satellite ? 27500 : 3)
        .Set("polarisation", 1).Set("quality", 64).Set("strength", 100).Set("levelDbm", -65)
        .Set("carrierToNoise", 1234).Set("berMantissa", 23).Set("berExponent", 5)
        .Set("perMantissa", 41).Set("perExponent", 7).Set("deliverySystem", 3)
        .Set("modulation", 6).Set("fecIndex", 2).Set("locked", 1).Set("orbitalPosition", 0x8192)
        .Set("tone22k", 1).Set("lnbVoltage", 2);
    return bytes;
}

// An 8PSK-like diagram: all 1000 slots visible, spread over the whole field.
inline ConstellationBytes BusyConstellation() {
    ConstellationBytes bytes{};
    EntryWriter entry(bytes, EntryKind::Constellation);
    entry.Set("frequency", 11778).Set("symbolRate", 27500).Set("polarisation", 1)
        .Set("deliverySystem", 3).Set("modulation", 6).Set("berMantissa", 23)
        .Set("berExponent", 5).Set("carrierToNoise", 1234).Set("levelDbm", 45).Set("quality", 80)
        .Set("strength", 60);
    for (std::size_t slot = 0; slot < ConstellationEntry::kPointCount; ++slot) {
        const double angle = (slot % 8) * std::numbers::pi / 4 + 0.1 * std::sin(slot * 1.7);
        const double radius = 250 + 20 * std::cos(slot * 2.3);
        entry.Set("pointX", static_cast<std::int16_t>(300 + radius * std::cos(angle)), slot)
            .Set("pointY", static_cast<std::int16_t>(270 + radius * std::sin(angle)), slot);
    }
    return bytes;
}

}  // namespace quorvel::bench
