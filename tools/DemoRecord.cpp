#include "tools/DemoRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "data/EntryWriter.h"

namespace quorvel::demo {

namespace {

constexpr std::uint8_t kCable = 0;
constexpr std::uint8_t kTerrestrial = 1;
constexpr std::uint8_t kSatellite = 2;

// xorshift32 with a fixed seed: the sample file must not change between runs or libraries.
class Xorshift32 {
  public:
    explicit Xorshift32(std::uint32_t seed) : m_state(seed) {}

    std::uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Uniform(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
    }
    // A bell-shaped spread of at most `spread` either way: the mean of four uniform draws.
    int Bell(int spread) {
        int sum = 0;
        for (int i = 0; i < 4; ++i) sum += Uniform(-spread, spread);
        return sum / 4;
    }

  private:
    std::uint32_t m_state;
};

// ---- Measure entries ----

struct MeasureValues {
    std::size_t slot;
    std::uint8_t dvbType;
    std::string_view name;
    std::string_view targetName;
    std::uint16_t lineFrequency;
    std::uint16_t lineSymbolRate;
    std::uint32_t frequency;  // satellite: MHz; terrestrial and cable: 10 kHz steps
    std::uint16_t symbolRateOrBandwidth;
    std::uint8_t polarisation;
    std::uint8_t quality;
    std::uint8_t strength;
    std::int32_t levelDbm;
    std::int32_t carrierToNoise;
    std::int32_t berMantissa;
    std::int32_t berExponent;
    std::int32_t perMantissa;
    std::int32_t perExponent;
    std::uint8_t deliverySystem;
    std::uint32_t modulation;
    std::uint8_t fecIndex;
    std::uint8_t locked;
    std::uint16_t orbitalPosition;
    std::uint8_t tone22k;
    std::uint8_t lnbVoltage;
};

// Delivery systems 0 DVB-T, 1 DVB-C, 2 DVB-S, 3 DVB-S2, 5 DVB-T2; modulations 0 16-QAM,
// 2 64-QAM, 4 256-QAM, 5 QPSK, 6 8PSK; bandwidth code 2 is 7 MHz, 3 is 8 MHz.
constexpr MeasureValues kMeasures[] = {
    {0,
     kSatellite,
     "Astra 19.2E 11778 V",
     "Astra 19.2E",
     11778,
     27500,
     11778,
     27500,
     1,
     78,
     85,
     -52,
     1250,
     23,
     5,
     0,
     0,
     2,
     5,
     2,
     1,
     0x8192,
     1,
     1},
    {3,
     kSatellite,
     "Hot Bird 13.0E 12476 H",
     "Hot Bird 13.0E",
     12476,
     29900,
     12476,
     29900,
     0,
     84,
     88,
     -48,
     1410,
     10,
     7,
     0,
     0,
     3,
     6,
     2,
     1,
     0x8130,
     1,
     2},
    {7,
     kSatellite,
     "Astra 28.2E 10773 H",
     "Astra 28.2E",
     10773,
     22000,
     10773,
     22000,
     0,
     71,
     79,
     -55,
     1080,
     45,
     6,
     0,
     0,
     3,
     6,
     4,
     1,
     0x8282,
     0,
     2},
    {12,
     kSatellite,
     "Hispasat 30.0W 11811 V",
     "Hispasat 30.0W",
     11811,
     27500,
     11811,
     27500,
     1,
     0,
     23,
     -78,
     210,
     -1,
     0,
     -1,
     0,
     2,
     5,
     5,
     0,
     0x0300,
     1,
     1},
    {1,
     kTerrestrial,
     "UHF 21 474.00 MHz DVB-T",
     "21",
     0,
     0,
     47400,
     3,
     0,
     88,
     74,
     -42,
     2450,
     0,
     0,
     0,
     0,
     0,
     2,
     1,
     1,
     0xFFFF,
     0,
     0},
    {9,
     kTerrestrial,
     "UHF 34 578.00 MHz DVB-T2",
     "34",
     0,
     0,
     57800,
     3,
     0,
     91,
     70,
     -45,
     2830,
     0,
     0,
     0,
     0,
     5,
     4,
     1,
     1,
     0xFFFF,
     0,
     0},
    {20,
     kTerrestrial,
     "UHF 45 666.00 MHz weak",
     "45",
     0,
     0,
     66600,
     3,
     0,
     35,
     41,
     -71,
     1620,
     38,
     4,
     12,
     3,
     0,
     2,
     1,
     1,
     0xFFFF,
     0,
     0},
    {33,
     kTerrestrial,
     "VHF 7 191.50 MHz no lock",
     "7",
     0,
     0,
     19150,
     2,
     0,
     0,
     12,
     -85,
     310,
     -1,
     0,
     -1,
     0,
     0,
     0,
     1,
     0,
     0xFFFF,
     0,
     0},
    {5,      kCable, "Cable S21 306.00 MHz 64-QAM",
     "S21",  0,      0,
     30600,  6900,   0,
     94,     80,     -38,
     3420,   0,      0,
     0,      0,      1,
     2,      0,      1,
     0xFFFF, 0,      0},
    {17,     kCable, "Cable S30 378.00 MHz 256-QAM",
     "S30",  0,      0,
     37800,  6952,   0,
     87,     78,     -40,
     3510,   21,     8,
     0,      0,      1,
     4,      0,      1,
     0xFFFF, 0,      0},
    {40,     kCable, "Cable E40 626.00 MHz 16-QAM",
     "E40",  0,      0,
     62600,  6900,   0,
     62,     55,     -58,
     2210,   47,     6,
     15,     5,      1,
     0,      0,      1,
     0xFFFF, 0,      0},
};

void WriteMeasure(SourceRecord& record, const MeasureValues& m, bool present = true) {
    PlaceEntry(record.bytes, EntryKind::Measure, m.slot, m.dvbType, m.name, present)
        .Text("targetName", m.targetName)
        .Set("lineFrequency", m.lineFrequency)
        .Set("lineSymbolRate", m.lineSymbolRate)
        .Set("frequency", m.frequency)
        .Set("symbolRateOrBandwidth", m.symbolRateOrBandwidth)
        .Set("polarisation", m.polarisation)
        .Set("quality", m.quality)
        .Set("strength", m.strength)
        .Set("levelDbm", m.levelDbm)
        .Set("carrierToNoise", m.carrierToNoise)
        .Set("berMantissa", m.berMantissa)
        .Set("berExponent", m.berExponent)
        .Set("perMantissa", m.perMantissa)
        .Set("perExponent", m.perExponent)
        .Set("deliverySystem", m.deliverySystem)
        .Set("modulation", m.modulation)
        .Set("fecIndex", m.fecIndex)
        .Set("locked", m.locked)
        .Set("orbitalPosition", m.orbitalPosition)
        .Set("tone22k", m.tone22k)
        .Set("lnbVoltage", m.lnbVoltage);
}

// ---- Spectrum entries ----

// Channels or transponders as flat-topped humps: `centre` ± `halfWidth` at about `peak`, with
// skirts falling to the noise floor over another `halfWidth` / 2 + 5 MHz.
struct Carriers {
    int firstCentre;
    int spacing;
    int lastCentre;
    int halfWidth;
    int peakLow;
    int peakHigh;
    int skipOneIn;  // 0: every carrier is on air
};

struct SpectrumValues {
    std::size_t slot;
    std::uint8_t dvbType;
    std::string_view name;
    int startMHz;
    int currentMHz;
    int endMHz;
    std::uint8_t tone22k;
    std::uint8_t lnbVoltage;
    int noiseFloor;
    std::uint32_t seed;
    std::array<Carriers, 3> bands;  // unused bands have spacing 0
};

constexpr int SampleStep(std::uint8_t dvbType) {
    return dvbType == kSatellite ? 10 : 5;
}

std::vector<std::array<int, 3>> LayCarriers(const Carriers& band, Xorshift32& random) {
    std::vector<std::array<int, 3>> humps;  // centre, half width, peak
    if (band.spacing <= 0) return humps;
    for (int centre = band.firstCentre; centre <= band.lastCentre; centre += band.spacing) {
        const int peak = random.Uniform(band.peakLow, band.peakHigh);
        if (band.skipOneIn > 0 && random.Uniform(1, band.skipOneIn) == 1) continue;
        humps.push_back({centre, band.halfWidth, peak});
    }
    return humps;
}

int LevelAt(int frequency, int noiseFloor, const std::vector<std::array<int, 3>>& humps,
            Xorshift32& random) {
    int level = noiseFloor + random.Uniform(-2, 2);
    for (const auto& [centre, halfWidth, peak] : humps) {
        const int distance = std::abs(frequency - centre);
        const int skirt = halfWidth / 2 + 5;
        int hump = 0;
        if (distance <= halfWidth) {
            hump = peak + random.Uniform(-1, 1);
        } else if (distance < halfWidth + skirt) {
            hump = peak - (peak - noiseFloor) * (distance - halfWidth) / skirt;
        }
        level = std::max(level, hump);
    }
    return level;
}

void WriteSpectrum(SourceRecord& record, const SpectrumValues& s, bool present = true) {
    EntryWriter writer =
        PlaceEntry(record.bytes, EntryKind::Spectrum, s.slot, s.dvbType, s.name, present);
    Xorshift32 random(s.seed);
    std::vector<std::array<int, 3>> humps;
    for (const Carriers& band : s.bands) {
        const auto laid = LayCarriers(band, random);
        humps.insert(humps.end(), laid.begin(), laid.end());
    }
    const int step = SampleStep(s.dvbType);
    const int samples = (s.endMHz - s.startMHz) / step;
    int currentLevel = 0;
    for (int i = 0; i < samples; ++i) {
        const int frequency = s.startMHz + i * step;
        const int level = LevelAt(frequency, s.noiseFloor, humps, random);
        writer.Set("levels", level, static_cast<std::size_t>(i));
        if (std::abs(frequency - s.currentMHz) * 2 < step) currentLevel = level;
    }
    writer.Set("startMHz", s.startMHz)
        .Set("currentMHz", s.currentMHz)
        .Set("endMHz", s.endMHz)
        .Set("currentLevel", currentLevel)
        .Set("tone22k", s.tone22k)
        .Set("lnbVoltage", s.lnbVoltage);
}

// Satellite sweeps cover the LNB's IF, 950 to 2150 MHz in 10 MHz steps (120 samples); the
// transponders sit at their downlink frequency less the LO (10600 high band, 9750 low band).
// UHF sweeps run over 474 to 858 MHz, channels centred on 306 + 8 n MHz; cable sweeps over 47 to
// 862 MHz (163 samples) with FM radio and 8 MHz QAM channels.
constexpr SpectrumValues kSpectra[] = {
    {2,
     kSatellite,
     "Astra 19.2E high band V",
     950,
     1180,
     2150,
     1,
     1,
     42,
     0x19201,
     {{{1120, 39, 2140, 15, 56, 63, 6}, {}, {}}}},
    {10,
     kSatellite,
     "Hot Bird 13.0E high band H",
     950,
     1880,
     2150,
     1,
     2,
     41,
     0x13001,
     {{{1110, 38, 2140, 16, 55, 62, 5}, {}, {}}}},
    {31,
     kSatellite,
     "Astra 28.2E low band H",
     950,
     1020,
     2150,
     0,
     2,
     40,
     0x28201,
     {{{980, 30, 1950, 11, 52, 60, 4}, {}, {}}}},
    {44,
     kSatellite,
     "Hispasat 30.0W weak dish V",
     950,
     1210,
     2150,
     1,
     1,
     38,
     0x03001,
     {{{1090, 40, 2100, 15, 44, 49, 3}, {}, {}}}},
    {4,
     kTerrestrial,
     "UHF 474-858 MHz roof aerial",
     474,
     474,
     858,
     0,
     0,
     41,
     0x47401,
     {{{474, 24, 570, 4, 58, 64, 0}, {578, 8, 602, 4, 57, 63, 2}, {666, 40, 786, 4, 55, 61, 0}}}},
    {15,
     kTerrestrial,
     "UHF 474-858 MHz indoor aerial",
     474,
     578,
     858,
     0,
     0,
     40,
     0x47402,
     {{{474, 24, 570, 4, 47, 52, 0}, {578, 8, 602, 4, 46, 51, 2}, {666, 40, 786, 4, 44, 50, 0}}}},
    {45,
     kTerrestrial,
     "UHF 474-858 MHz with LTE 800",
     474,
     802,
     858,
     0,
     0,
     41,
     0x47403,
     {{{474, 48, 762, 4, 56, 62, 0}, {806, 10, 816, 10, 64, 66, 0}, {}}}},
    {6,
     kCable,
     "Cable 47-862 MHz full network",
     47,
     346,
     862,
     0,
     0,
     40,
     0x04701,
     {{{98, 40, 98, 10, 46, 50, 0}, {306, 8, 466, 4, 56, 60, 0}, {474, 8, 786, 4, 54, 59, 5}}}},
    {22,
     kCable,
     "Cable 47-862 MHz tilted amp",
     47,
     626,
     862,
     0,
     0,
     40,
     0x04702,
     {{{114, 8, 298, 4, 50, 53, 0}, {306, 8, 466, 4, 54, 58, 0}, {474, 8, 858, 4, 59, 64, 4}}}},
    {63,
     kCable,
     "Cable 47-862 MHz weak tap",
     47,
     306,
     862,
     0,
     0,
     39,
     0x04703,
     {{{306, 8, 466, 4, 45, 49, 0}, {474, 8, 786, 4, 44, 48, 3}, {}}}},
};

// ---- Constellation entries ----

enum class Scheme { Qpsk, Psk8, Qam16, Qam64 };

// Ideal symbol positions around the diagram centre, in pixels (I right, Q up).
std::vector<std::array<int, 2>> Symbols(Scheme scheme) {
    std::vector<std::array<int, 2>> symbols;
    auto grid = [&](int levels, int step) {
        for (int i = 0; i < levels; ++i) {
            for (int q = 0; q < levels; ++q) {
                symbols.push_back({(2 * i - levels + 1) * step, (2 * q - levels + 1) * step});
            }
        }
    };
    switch (scheme) {
        case Scheme::Qpsk:
            symbols = {{177, 177}, {-177, 177}, {-177, -177}, {177, -177}};
            break;
        case Scheme::Psk8:
            // Radius 250 at 22.5 degrees plus multiples of 45.
            symbols = {{231, 96},   {96, 231},   {-96, 231}, {-231, 96},
                       {-231, -96}, {-96, -231}, {96, -231}, {231, -96}};
            break;
        case Scheme::Qam16:
            grid(4, 83);
            break;
        case Scheme::Qam64:
            grid(8, 35);
            break;
    }
    return symbols;
}

struct ConstellationValues {
    std::size_t slot;
    std::uint8_t dvbType;
    std::string_view name;
    std::int32_t frequency;  // 0: the entry shows displayName instead
    std::uint16_t symbolRate;
    std::uint8_t polarisation;
    std::u16string_view displayName;
    std::uint8_t deliverySystem;
    std::uint32_t modulation;
    std::int32_t berMantissa;
    std::int32_t berExponent;
    std::int32_t carrierToNoise;
    std::int32_t levelDbm;  // shown after "--", so held as a magnitude
    std::uint8_t quality;
    std::uint8_t strength;
    Scheme scheme;
    int noise;
    std::uint32_t seed;
};

constexpr int kCentreX = 300;
constexpr int kCentreY = 300;  // drawn at pixel row 420

constexpr ConstellationValues kConstellations[] = {
    {0, kSatellite, "Astra 19.2E 11778 V QPSK", 11778, 27500, 1, u"", 2, 5, 23, 5, 1180, 48, 82, 76,
     Scheme::Qpsk, 45, 0xC0001},
    {5, kSatellite, "Hot Bird 13.0E 12476 H 8PSK", 12476, 29900, 0, u"", 3, 6, 15, 6, 1320, 45, 88,
     80, Scheme::Psk8, 32, 0xC0002},
    {13, kSatellite, "Astra 28.2E 8PSK display name", 0, 22000, 0, u"Astra 28.2\u00B0E 10773 H", 3,
     6, 38, 4, 820, 57, 41, 63, Scheme::Psk8, 55, 0xC0003},
    {2, kTerrestrial, "UHF 21 474 MHz DVB-T 16-QAM", 0, 0, 0, u"UHF 21 474.00 MHz", 0, 0, 0, 0,
     2250, 38, 90, 71, Scheme::Qam16, 34, 0xC0004},
    {20, kTerrestrial, "UHF 34 578 MHz DVB-T2 64-QAM", 0, 0, 0, u"UHF 34 578.00 MHz", 5, 2, 12, 7,
     2710, 41, 86, 68, Scheme::Qam64, 14, 0xC0005},
    {7, kCable, "Cable S21 306 MHz 64-QAM", 306000, 6900, 0, u"", 1, 2, 0, 0, 3420, 52, 95, 83,
     Scheme::Qam64, 11, 0xC0006},
    {31, kCable, "Cable E40 626 MHz 16-QAM", 626000, 6900, 0, u"", 1, 0, 31, 8, 2980, 44, 79, 70,
     Scheme::Qam16, 26, 0xC0007},
};

void WriteConstellation(SourceRecord& record, const ConstellationValues& c, bool present = true) {
    EntryWriter writer =
        PlaceEntry(record.bytes, EntryKind::Constellation, c.slot, c.dvbType, c.name, present);
    writer.Set("frequency", c.frequency)
        .Set("symbolRate", c.symbolRate)
        .Set("polarisation", c.polarisation)
        .Text("displayName", c.displayName)
        .Set("deliverySystem", c.deliverySystem)
        .Set("modulation", c.modulation)
        .Set("berMantissa", c.berMantissa)
        .Set("berExponent", c.berExponent)
        .Set("carrierToNoise", c.carrierToNoise)
        .Set("levelDbm", c.levelDbm)
        .Set("quality", c.quality)
        .Set("strength", c.strength);

    // Every one of the 1000 slots is a point; all stay inside the diagram field.
    const auto symbols = Symbols(c.scheme);
    Xorshift32 random(c.seed);
    for (std::size_t i = 0; i < 1000; ++i) {
        const auto& [inPhase, quadrature] = symbols[random.Next() % symbols.size()];
        const int x = std::clamp(kCentreX + inPhase + random.Bell(c.noise), 2, 598);
        const int y = std::clamp(kCentreY - quadrature + random.Bell(c.noise), -28, 568);
        writer.Set("pointX", x, i).Set("pointY", y, i);
    }
}

}  // namespace

void BuildDemoRecord(SourceRecord& record) {
    record.bytes.fill(0);
    StampMagic(record.bytes);
    for (const MeasureValues& measure : kMeasures) WriteMeasure(record, measure);
    for (const SpectrumValues& spectrum : kSpectra) WriteSpectrum(record, spectrum);
    for (const ConstellationValues& constellation : kConstellations) {
        WriteConstellation(record, constellation);
    }

    // Entries the catalogue refuses, each otherwise complete: a 30-character name, a broadcast
    // family byte of 3, and a filled slot whose presence bit is clear.
    MeasureValues longName = kMeasures[0];
    longName.slot = 25;
    longName.name = "Refused: name of 30 characters";
    WriteMeasure(record, longName);

    SpectrumValues unknownFamily = kSpectra[4];
    unknownFamily.slot = 50;
    unknownFamily.dvbType = 3;
    unknownFamily.name = "Refused: dvbType 3";
    WriteSpectrum(record, unknownFamily);

    ConstellationValues unmasked = kConstellations[0];
    unmasked.slot = 26;
    unmasked.name = "Refused: presence bit clear";
    WriteConstellation(record, unmasked, false);
}

}  // namespace quorvel::demo
