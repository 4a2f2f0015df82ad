#include "render/ValueTexts.h"

#include "data/Formatting.h"
#include "render/ScreenParts.h"

namespace quorvel {

std::string MeasureFrequencyText(std::uint32_t frequency) {
    return FormatPrintf("%u.%02u MHz", frequency / 100, frequency % 100);
}

std::string MeasureThirdRowText(std::uint16_t symbolRateOrBandwidth, DvbType dvbType) {
    if (dvbType == DvbType::Terrestrial) return BandwidthName(symbolRateOrBandwidth);
    return FormatPrintf("%d", symbolRateOrBandwidth);
}

std::u16string TransponderOrName(const ConstellationEntry& entry) {
    if (entry.frequency() == 0) return entry.displayName();
    return Widened(FormatFreqPol(entry.frequency(), entry.symbolRate(), entry.polarisation()));
}

std::string ConstellationLevelText(std::int32_t levelDbm) {
    return FormatPrintf("--%d dBm", levelDbm);
}

}  // namespace quorvel
