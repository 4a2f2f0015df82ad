// The meter's value texts: 8-bit strings (the degree sign is byte 0xB0), widened for drawing.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

std::string FormatFec(std::uint8_t code);                 // "" for codes above 25
std::string FormatCnDb(std::int32_t hundredthsDb);       // "%02d.%01d dB"; negative: "-" + magnitude
std::string FormatBer(std::int32_t mantissa, std::int32_t exponent);
std::string FormatFreqPol(std::int32_t first, std::uint16_t second, std::uint8_t polarisation);
std::string ModulationName(std::uint32_t system, std::uint32_t modulation);
std::string FormatServiceLine(std::uint16_t position, std::uint32_t system, std::uint32_t modulation,
                              std::uint16_t frequency, std::uint16_t symbolRate);
std::string BandwidthName(std::uint32_t code);
// "%02d %%" of the raw byte: 5 gives "05 %", 255 gives "255 %".
std::string FormatPercent(std::uint8_t percent);

// printf-style formatting into a std::string, for the screens' own number formats.
std::string FormatPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace quorvel
