#include "data/Formatting.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::array<std::string_view, 26> kCodeRates = {
    "1/2",   "2/3",   "3/4",   "4/5",   "5/6",   "7/8",   "8/9",   "9/10",  "1/3",
    "1/4",   "2/5",   "3/5",   "5/9",   "7/9",   "8/15",  "11/15", "13/18", "9/20",
    "11/20", "23/36", "25/36", "13/45", "26/45", "28/45", "13/45", "77/90"};

// Columns: modulation codes 0, 2, 4, 5, 6, then any other code.
struct ModulationRow {
    std::uint8_t system;
    std::array<std::string_view, 6> names;
};
constexpr std::array<ModulationRow, 6> kModulationNames = {{
    {0, {"DVB-T/16-QAM", "DVB-T/64-QAM", "DVB-T", "DVB-T/QPSK", "DVB-T", "DVB-T"}},
    {1, {"DVB-C/16-QAM", "DVB-C/64-QAM", "DVB-C", "DVB-C/QPSK", "DVB-C", "DVB-C"}},
    {2, {"DVB-S", "DVB-S", "DVB-S", "DVB-S/QPSK", "DVB-S", "DVB-S"}},
    {3, {"DVB-S2", "DVB-S2", "DVB-S2", "DVB-S2/QPSK", "DVB-S2/8PSK", "DVB-S2"}},
    {5, {"DVB-T2/16-QAM", "DVB-T2/64-QAM", "DVB-T2/256-QAM", "DVB-T2/QPSK", "DVB-T2", "DVB-T2"}},
    {8, {"DVB-C2/16-QAM", "DVB-C2/64-QAM", "DVB-C2", "DVB-C2/QPSK", "DVB-C2", "DVB-C2"}},
}};

constexpr std::size_t ModulationColumn(std::uint32_t modulation) {
    switch (modulation) {
        case 0:
            return 0;
        case 2:
            return 1;
        case 4:
            return 2;
        case 5:
            return 3;
        case 6:
            return 4;
        default:
            return 5;
    }
}

constexpr std::array<std::string_view, 6> kBandwidths = {"1.7 MHz", "6 MHz",  "7 MHz",
                                                         "8 MHz",   "10 MHz", "5 M"};
constexpr std::string_view kDefaultBandwidth = "8 MHz";

constexpr char kDegreeSign = static_cast<char>(0xB0);
constexpr std::uint16_t kNoPosition = 0xFFFF;
constexpr std::uint16_t kNoPositionEast = 0x8000;

std::string VFormat(const char* format, std::va_list arguments) {
    std::va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

}  // namespace

std::string FormatPrintf(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = VFormat(format, arguments);
    va_end(arguments);
    return text;
}

std::string FormatFec(std::uint8_t code) {
    if (code >= kCodeRates.size()) return {};
    return std::string(kCodeRates[code]);
}

std::string FormatCnDb(std::int32_t hundredthsDb) {
    // Formatted on the magnitude so that INT32_MIN needs no signed negation.
    const std::uint32_t magnitude = hundredthsDb < 0 ? 0u - static_cast<std::uint32_t>(hundredthsDb)
                                                     : static_cast<std::uint32_t>(hundredthsDb);
    const std::uint32_t tenths = magnitude / 10;
    return FormatPrintf("%s%02u.%01u dB", hundredthsDb < 0 ? "-" : "", tenths / 10, tenths % 10);
}

std::string FormatBer(std::int32_t mantissa, std::int32_t exponent) {
    if (mantissa < 0) return {};
    if (mantissa == 0) return "<1.0E-9";
    return FormatPrintf("%01d.%01dE-%01d", mantissa / 10, mantissa % 10, exponent);
}

std::string FormatFreqPol(std::int32_t first, std::uint16_t second, std::uint8_t polarisation) {
    return FormatPrintf(polarisation == 1 ? "%05d/V/%05d" : "%05d/H/%05d", first, int{second});
}

std::string ModulationName(std::uint32_t system, std::uint32_t modulation) {
    const auto lowByte = static_cast<std::uint8_t>(system & 0xFFu);
    for (const ModulationRow& row : kModulationNames) {
        if (row.system == lowByte) return std::string(row.names[ModulationColumn(modulation)]);
    }
    return {};
}

std::string FormatServiceLine(std::uint16_t position, std::uint32_t system,
                              std::uint32_t modulation, std::uint16_t frequency,
                              std::uint16_t symbolRate) {
    const std::string name = ModulationName(system, modulation);
    if (position == kNoPosition || position == kNoPositionEast) {
        return FormatPrintf("%s %05d/%05d", name.c_str(), int{frequency}, int{symbolRate});
    }
    const bool east = (position & 0x8000u) != 0;
    return FormatPrintf(east ? "%s %05d/%05d %d%d%d.%d%c E" : "%s %05d/%05d %d%d%d.%d%c W",
                        name.c_str(), int{frequency}, int{symbolRate}, (position >> 12) & 0x7,
                        (position >> 8) & 0xF, (position >> 4) & 0xF, position & 0xF, kDegreeSign);
}

std::string FormatPercent(std::uint8_t percent) {
    return FormatPrintf("%02d %%", percent);
}

std::string BandwidthName(std::uint32_t code) {
    const std::uint32_t lowHalf = code & 0xFFFFu;
    return std::string(lowHalf < kBandwidths.size() ? kBandwidths[lowHalf] : kDefaultBandwidth);
}

}  // namespace quorvel
