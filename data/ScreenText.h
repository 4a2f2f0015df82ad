// The meter's fixed screen words in English and French, by their text ids.
#pragma once

#include <string_view>

#include "data/Types.h"

namespace quorvel {

// Values are the meter's own text ids.
enum class TextId : int {
    SatelliteFindingTitle = 0,
    Satellite = 1,
    Transponder = 2,
    Search = 3,
    Ok = 4,
    Strength = 5,
    Quality = 6,
    PerLabel = 7,  // Satellite Finding labels the dBm level with it
    CnLabel = 8,
    BerLabel = 9,
    FecLabel = 10,
    SatelliteConstellationTitle = 11,
    More = 12,
    Name = 13,
    Mode = 14,
    None = 15,
    Ellipsis = 16,
    SatelliteSpectrumTitle = 17,
    Start = 18,
    End = 19,
    Current = 20,
    Level = 21,
    ChannelNo = 22,
    TerrestrialMeasureTitle = 23,
    BandWidth = 24,
    Snr = 25,
    CableMeasureTitle = 26,
    Frequency = 27,
    MeasurePerLabel = 28,
    Lock = 29,
    Unlock = 30,
    TerrestrialConstellationTitle = 31,
    CableConstellationTitle = 32,
    TerrestrialSpectrumTitle = 33,
    CableSpectrumTitle = 34,
    Empty = 35,
};

inline constexpr int kScreenTextCount = 36;

// Ids outside the table give the empty text.
std::u16string_view ScreenText(Language language, TextId id);

}  // namespace quorvel
