// Value texts that a screen shows and the measurement tables repeat, so both print one text.
#pragma once

#include <cstdint>
#include <string>

#include "data/ConstellationEntry.h"
#include "data/Types.h"

namespace quorvel {

// The Measure screen's frequency: the field counts 10 kHz steps ("%u.%02u MHz").
std::string MeasureFrequencyText(std::uint32_t frequency);

// The Measure screen's third row: a bandwidth name for Terrestrial entries, the plain number
// the field holds for Cable ones.
std::string MeasureThirdRowText(std::uint16_t symbolRateOrBandwidth, DvbType dvbType);

// The Constellation screen's transponder, or the entry's own UTF-16 name when it carries no
// transponder data.
std::u16string TransponderOrName(const ConstellationEntry& entry);

// The More view's level, "--%d dBm" as the meter prints it.
std::string ConstellationLevelText(std::int32_t levelDbm);

// Points are accepted up to x 600 and y 570, with no lower limit.
inline constexpr int kPointMaxX = 600;
inline constexpr int kPointMaxY = 570;
constexpr bool PointIsDrawn(int x, int y) {
    return x <= kPointMaxX && y <= kPointMaxY;
}

}  // namespace quorvel
