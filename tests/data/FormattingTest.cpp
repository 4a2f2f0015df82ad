#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "data/Formatting.h"

namespace quorvel {
namespace {

const std::string kDegree = "\xB0";

TEST(FormatFec, CoversTheWholeCodeRateTable) {
    const char* expected[] = {"1/2",   "2/3",   "3/4",   "4/5",   "5/6",   "7/8",   "8/9",
                              "9/10",  "1/3",   "1/4",   "2/5",   "3/5",   "5/9",   "7/9",
                              "8/15",  "11/15", "13/18", "9/20",  "11/20", "23/36", "25/36",
                              "13/45", "26/45", "28/45", "13/45", "77/90"};
    for (std::uint8_t code = 0; code < 26; ++code) EXPECT_EQ(FormatFec(code), expected[code]);
    EXPECT_EQ(FormatFec(26), "");
    EXPECT_EQ(FormatFec(255), "");
}

TEST(FormatCnDb, ShowsTenthsOfADecibel) {
    struct Case {
        std::int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "00.0 dB"},
        {9, "00.0 dB"},
        {40, "00.4 dB"},
        {99, "00.9 dB"},
        {905, "09.0 dB"},
        {1234, "12.3 dB"},
        {12345, "123.4 dB"},
        {-1234, "-12.3 dB"},
        {-5, "-00.0 dB"},
        {-40, "-00.4 dB"},
        {INT32_MAX, "21474836.4 dB"},
        {INT32_MIN, "-21474836.4 dB"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatCnDb(c.value), c.text) << c.value;
}

TEST(FormatBer, MantissaInTenthsAndNegativeExponent) {
    EXPECT_EQ(FormatBer(23, 5), "2.3E-5");
    EXPECT_EQ(FormatBer(10, 7), "1.0E-7");
    EXPECT_EQ(FormatBer(99, 3), "9.9E-3");
    EXPECT_EQ(FormatBer(123, 12), "12.3E-12");
    EXPECT_EQ(FormatBer(0, 5), "<1.0E-9");
    EXPECT_EQ(FormatBer(0, -100), "<1.0E-9");
    EXPECT_EQ(FormatBer(-1, 5), "");
    EXPECT_EQ(FormatBer(INT32_MIN, 5), "");
}

TEST(FormatFreqPol, PadsBothNumbersAndOnlyOneMeansVertical) {
    EXPECT_EQ(FormatFreqPol(11778, 27500, 1), "11778/V/27500");
    EXPECT_EQ(FormatFreqPol(0, 0, 0), "00000/H/00000");
    EXPECT_EQ(FormatFreqPol(474, 6900, 2), "00474/H/06900");
    EXPECT_EQ(FormatFreqPol(123456, 65535, 255), "123456/H/65535");
    EXPECT_EQ(FormatFreqPol(-12, 1, 1), "-0012/V/00001");
}

TEST(ModulationName, FollowsTheTableByLowByteOfTheSystem) {
    struct Case {
        std::uint32_t system;
        std::uint32_t modulation;
        const char* name;
    };
    const Case cases[] = {
        {0, 0, "DVB-T/16-QAM"},
        {0, 2, "DVB-T/64-QAM"},
        {0, 4, "DVB-T"},
        {0, 5, "DVB-T/QPSK"},
        {0, 6, "DVB-T"},
        {0, 1, "DVB-T"},
        {1, 0, "DVB-C/16-QAM"},
        {1, 2, "DVB-C/64-QAM"},
        {1, 5, "DVB-C/QPSK"},
        {1, 3, "DVB-C"},
        {2, 5, "DVB-S/QPSK"},
        {2, 6, "DVB-S"},
        {3, 5, "DVB-S2/QPSK"},
        {3, 6, "DVB-S2/8PSK"},
        {3, 0, "DVB-S2"},
        {5, 0, "DVB-T2/16-QAM"},
        {5, 2, "DVB-T2/64-QAM"},
        {5, 4, "DVB-T2/256-QAM"},
        {5, 5, "DVB-T2/QPSK"},
        {5, 6, "DVB-T2"},
        {8, 0, "DVB-C2/16-QAM"},
        {8, 2, "DVB-C2/64-QAM"},
        {8, 4, "DVB-C2"},
        {8, 5, "DVB-C2/QPSK"},
        {0x103, 6, "DVB-S2/8PSK"},
        {3, 0x106, "DVB-S2"},
        {3, 0xFFFFFFFF, "DVB-S2"},
        {4, 0, ""},
        {6, 5, ""},
        {7, 2, ""},
        {9, 0, ""},
        {255, 5, ""},
        {0x100, 0, "DVB-T/16-QAM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModulationName(c.system, c.modulation), c.name)
            << "system " << c.system << " modulation " << c.modulation;
    }
}

TEST(FormatServiceLine, AppendsAPackedOrbitalPosition) {
    EXPECT_EQ(FormatServiceLine(0x8192, 3, 6, 11778, 27500),
              "DVB-S2/8PSK 11778/27500 019.2" + kDegree + " E");
    EXPECT_EQ(FormatServiceLine(0x0300, 2, 5, 12092, 2000),
              "DVB-S/QPSK 12092/02000 030.0" + kDegree + " W");
    EXPECT_EQ(FormatServiceLine(0x8000 | 0x1359, 2, 5, 1, 2),
              "DVB-S/QPSK 00001/00002 135.9" + kDegree + " E");
    EXPECT_EQ(FormatServiceLine(0xFFFF, 3, 6, 11778, 27500), "DVB-S2/8PSK 11778/27500");
    EXPECT_EQ(FormatServiceLine(0x8000, 3, 6, 11778, 27500), "DVB-S2/8PSK 11778/27500");
    EXPECT_EQ(FormatServiceLine(0x0000, 3, 6, 11778, 27500),
              "DVB-S2/8PSK 11778/27500 000.0" + kDegree + " W");
    // Nibbles above 9 print as two digits; an unnamed system leaves the name empty.
    EXPECT_EQ(FormatServiceLine(0x7FFE, 4, 0, 65535, 65535),
              " 65535/65535 71515.14" + kDegree + " W");
}

TEST(BandwidthName, UsesTheLowSixteenBits) {
    const char* expected[] = {"1.7 MHz", "6 MHz", "7 MHz", "8 MHz", "10 MHz", "5 M", "8 MHz"};
    for (std::uint32_t code = 0; code < 7; ++code) EXPECT_EQ(BandwidthName(code), expected[code]);
    EXPECT_EQ(BandwidthName(0x10001), "6 MHz");
    EXPECT_EQ(BandwidthName(0xFFFF0004), "10 MHz");
    EXPECT_EQ(BandwidthName(0xFFFF), "8 MHz");
}

TEST(FormatPrintf, FormatsAnyLength) {
    EXPECT_EQ(FormatPrintf("%d.%02d MHz", 474, 0), "474.00 MHz");
    EXPECT_EQ(FormatPrintf("%02d %%", 7), "07 %");
    EXPECT_EQ(FormatPrintf("%s", std::string(1000, 'a').c_str()).size(), 1000u);
    EXPECT_EQ(FormatPrintf("%s", ""), "");
}

}  // namespace
}  // namespace quorvel
