#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "data/Formatting.h"

namespace quorvel {
namespace {

const std::string kDegree = "\xB0";

TEST(Formatting, FecRatesEndAtTheTablesEdge) {
    EXPECT_EQ(FormatFec(0), "1/2");
    EXPECT_EQ(FormatFec(25), "77/90");
    EXPECT_EQ(FormatFec(26), "");
    EXPECT_EQ(FormatFec(255), "");
}

TEST(Formatting, CarrierToNoiseShowsTenthsOfADecibel) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "00.0 dB"},
        {9, "00.0 dB"},
        {99, "00.9 dB"},
        {905, "09.0 dB"},
        {12345, "123.4 dB"},
        {-1234, "-12.3 dB"},
        {-5, "-00.0 dB"},
        {INT32_MAX, "21474836.4 dB"},
        {INT32_MIN, "-21474836.4 dB"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatCnDb(value), text) << value;
}

TEST(Formatting, BitErrorRatesAndFrequencyLines) {
    EXPECT_EQ(FormatBer(23, 5), "2.3E-5");
    EXPECT_EQ(FormatBer(123, 12), "12.3E-12");
    EXPECT_EQ(FormatBer(1, 7), "0.1E-7");
    EXPECT_EQ(FormatBer(0, -100), "<1.0E-9");
    EXPECT_EQ(FormatBer(-1, 5), "");
    EXPECT_EQ(FormatFreqPol(11778, 27500, 1), "11778/V/27500");
    EXPECT_EQ(FormatFreqPol(474, 6900, 2), "00474/H/06900");
    EXPECT_EQ(FormatFreqPol(-12, 1, 0), "-0012/H/00001");
    EXPECT_EQ(FormatPrintf("%s", std::string(1000, 'a').c_str()).size(), 1000u);
    EXPECT_EQ(FormatPrintf("%s", ""), "");
}

TEST(Formatting, ModulationNamesFollowTheLowByteOfTheSystem) {
    EXPECT_EQ(ModulationName(0, 0), "DVB-T/16-QAM");
    EXPECT_EQ(ModulationName(1, 2), "DVB-C/64-QAM");
    EXPECT_EQ(ModulationName(5, 4), "DVB-T2/256-QAM");
    EXPECT_EQ(ModulationName(8, 5), "DVB-C2/QPSK");
    EXPECT_EQ(ModulationName(0x103, 6), "DVB-S2/8PSK");
    EXPECT_EQ(ModulationName(3, 0x106), "DVB-S2") << "the modulation is used whole";
    EXPECT_EQ(ModulationName(2, 1), "DVB-S");
    EXPECT_EQ(ModulationName(4, 0), "");
    EXPECT_EQ(ModulationName(9, 0), "");
}

TEST(Formatting, ServiceLineAppendsAPackedOrbitalPosition) {
    EXPECT_EQ(FormatServiceLine(0x8192, 3, 6, 11778, 27500),
              "DVB-S2/8PSK 11778/27500 019.2" + kDegree + " E");
    EXPECT_EQ(FormatServiceLine(0x0300, 2, 5, 12092, 2000),
              "DVB-S/QPSK 12092/02000 030.0" + kDegree + " W");
    EXPECT_EQ(FormatServiceLine(0xFFFF, 3, 6, 1, 2), "DVB-S2/8PSK 00001/00002");
    EXPECT_EQ(FormatServiceLine(0x8000, 3, 6, 1, 2), "DVB-S2/8PSK 00001/00002");
    // Nibbles above 9 print as two digits; an unnamed system leaves the name empty.
    EXPECT_EQ(FormatServiceLine(0x7FFE, 4, 0, 65535, 65535),
              " 65535/65535 71515.14" + kDegree + " W");
}

TEST(Formatting, BandwidthUsesTheLowSixteenBits) {
    EXPECT_EQ(BandwidthName(0), "1.7 MHz");
    EXPECT_EQ(BandwidthName(5), "5 M");
    EXPECT_EQ(BandwidthName(6), "8 MHz");
    EXPECT_EQ(BandwidthName(0xFFFF0004), "10 MHz");
    EXPECT_EQ(BandwidthName(0x10001), "6 MHz");
}

}  // namespace
}  // namespace quorvel
