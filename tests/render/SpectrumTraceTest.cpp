// The sweep arithmetic behind the spectrum trace and its cursor readout.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/SpectrumTrace.h"
#include "support/EntryBytes.h"

namespace quorvel::spectrum {
namespace {

using Bytes = test::EntryBytes<SpectrumEntry::kSize>;

Bytes SweepBytes(std::int32_t startMHz, std::int32_t endMHz) {
    Bytes bytes;
    bytes.I32(32, startMHz).I32(40, endMHz);
    for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i) {
        bytes.U8(SpectrumEntry::kLevelsOffset + i, static_cast<std::uint8_t>(40 + i % 30));
    }
    return bytes;
}

struct CountCase {
    std::int32_t start, end;
    DvbType dvbType;
    int sampleCount;
};

TEST(SpectrumTraceTest, SampleCountDropsTheRemainderAndStaysWithinTheEntry) {
    const CountCase cases[] = {
        {950, 2150, DvbType::Satellite, 120},
        {474, 858, DvbType::Terrestrial, 76},
        {47, 862, DvbType::Cable, 163},
        {100, 110, DvbType::Satellite, 1},
        {100, 109, DvbType::Satellite, 0},   // less than one step
        {2150, 950, DvbType::Satellite, 0},  // end below start
        {47, 47 + 5 * 202, DvbType::Cable, 202},
        {47, 47 + 5 * 203, DvbType::Cable, 202},  // more samples than the entry holds
        {INT_MIN, INT_MAX, DvbType::Satellite, 202},
        {INT_MAX, INT_MIN, DvbType::Cable, 0},
    };
    for (const CountCase& c : cases) {
        EXPECT_EQ(SampleCount(c.start, c.end, SampleStep(c.dvbType)), c.sampleCount)
            << c.start << ".." << c.end;
    }
}

TEST(SpectrumTraceTest, ColumnWidthIsThePlotWidthPerSample) {
    EXPECT_EQ(ColumnWidth(120), 7);
    EXPECT_EQ(ColumnWidth(76), 11);
    EXPECT_EQ(ColumnWidth(1), 900);
    EXPECT_EQ(ColumnWidth(181), 4);
    EXPECT_EQ(ColumnWidth(202), 4);
}

TEST(SpectrumTraceTest, LevelToYTruncatesTowardZeroAndClampsToThePlot) {
    struct Case {
        int level, reference, y;
    };
    const Case cases[] = {
        {40, 40, 650}, {41, 40, 627}, {43, 40, 581}, {45, 40, 534},   {65, 40, 70}, {66, 40, 70},
        {127, 40, 70}, {39, 40, 650}, {0, 40, 650},  {-128, 40, 650}, {-1, 0, 650}, {0, 75, 650},
        {80, 75, 534}, {100, 75, 70}, {5, 0, 534},   {1, 0, 627},     {24, 0, 94},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LevelToY(static_cast<std::int8_t>(c.level), c.reference), c.y)
            << "level " << c.level << " at reference " << c.reference;
    }
}

TEST(SpectrumTraceTest, SatelliteSweepGivesOneVertexPerSampleThenClosesAlongTheBottom) {
    Bytes bytes = SweepBytes(950, 2150);
    bytes.U8(SpectrumEntry::kLevelsOffset + 0, 40).U8(SpectrumEntry::kLevelsOffset + 1, 43);
    bytes.U8(SpectrumEntry::kLevelsOffset + 119, 65).U8(SpectrumEntry::kLevelsOffset + 120, 65);
    const SpectrumEntry entry(bytes.View());

    const Trace trace = BuildTrace(entry, 120, 40);
    const auto vertices = trace.Vertices();
    ASSERT_EQ(vertices.size(), 122u);
    for (int i = 0; i < 120; ++i) {
        EXPECT_EQ(vertices[i].x, 100 + 7 * i);
        EXPECT_EQ(vertices[i].y, LevelToY(entry.level(i), 40));
    }
    EXPECT_EQ(vertices[0], (IntPoint{100, 650}));
    EXPECT_EQ(vertices[1], (IntPoint{107, 581}));
    EXPECT_EQ(vertices[119], (IntPoint{933, 70}));
    EXPECT_EQ(vertices[120], (IntPoint{933, 650}));
    EXPECT_EQ(vertices[121], (IntPoint{100, 650}));
}

TEST(SpectrumTraceTest, TerrestrialSweepEndsAtColumnSeventyFive) {
    const Bytes bytes = SweepBytes(474, 858);
    const Trace trace = BuildTrace(SpectrumEntry(bytes.View()), 76, 40);
    ASSERT_EQ(trace.vertexCount, 78);
    EXPECT_EQ(trace.vertices[75].x, 925);
    EXPECT_EQ(trace.vertices[76], (IntPoint{925, 650}));
}

TEST(SpectrumTraceTest, SingleSampleGivesThreeVerticesOnOneVerticalLine) {
    Bytes bytes = SweepBytes(950, 960);
    bytes.U8(SpectrumEntry::kLevelsOffset, 50);
    const Trace trace = BuildTrace(SpectrumEntry(bytes.View()), 1, 40);
    const auto vertices = trace.Vertices();
    ASSERT_EQ(vertices.size(), 3u);
    EXPECT_EQ(vertices[0], (IntPoint{100, 418}));
    EXPECT_EQ(vertices[1], (IntPoint{100, 650}));
    EXPECT_EQ(vertices[2], (IntPoint{100, 650}));
}

TEST(SpectrumTraceTest, BoundsRunFromTheHighestSampleToTheBottomLineAndTheLastSample) {
    Bytes bytes = SweepBytes(950, 2150);
    for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i) {
        bytes.U8(SpectrumEntry::kLevelsOffset + i, 0);  // no reading: on the bottom line
    }
    bytes.U8(SpectrumEntry::kLevelsOffset + 12, 43);  // y 581
    EXPECT_EQ(BuildTrace(SpectrumEntry(bytes.View()), 120, 40).bounds,
              (IntRect{100, 581, 834, 70}));
    bytes.U8(SpectrumEntry::kLevelsOffset + 119, 66);  // clamped to the top, on the last column
    EXPECT_EQ(BuildTrace(SpectrumEntry(bytes.View()), 120, 40).bounds,
              (IntRect{100, 70, 834, 581}));
    // One sample: a vertical line, one pixel wide in its bounds.
    EXPECT_EQ(BuildTrace(SpectrumEntry(bytes.View()), 1, 40).bounds, (IntRect{100, 650, 1, 1}));
}

TEST(SpectrumTraceTest, ReadoutIndexTruncatesTowardZero) {
    EXPECT_EQ(ReadoutIndex(101, 7), 0);
    EXPECT_EQ(ReadoutIndex(106, 7), 0);
    EXPECT_EQ(ReadoutIndex(107, 7), 1);
    EXPECT_EQ(ReadoutIndex(999, 7), 128);
    EXPECT_EQ(ReadoutIndex(94, 7), 0);  // -6 / 7 truncates to 0
    EXPECT_EQ(ReadoutIndex(93, 7), -1);
    EXPECT_EQ(ReadoutIndex(999, 4), 224);
    EXPECT_LT(ReadoutIndex(INT_MIN, 4), 0);
    EXPECT_EQ(ReadoutIndex(INT_MAX, 900), (std::int64_t{INT_MAX} - 100) / 900);
}

TEST(SpectrumTraceTest, ReadoutShowsFrequencyAndSignedLevelWithoutOverflow) {
    Bytes bytes = SweepBytes(950, 2150);
    bytes.U8(SpectrumEntry::kLevelsOffset + 128, 0xF9).U8(SpectrumEntry::kLevelsOffset + 201, 0x80);
    const SpectrumEntry entry(bytes.View());
    EXPECT_EQ(FormatReadout(entry, 0, 10), "[ 950MHz : 40dBuV ]");
    EXPECT_EQ(FormatReadout(entry, 128, 10), "[ 2230MHz : -7dBuV ]");
    EXPECT_EQ(FormatReadout(entry, 128, 5), "[ 1590MHz : -7dBuV ]");

    const Bytes high = Bytes(bytes).I32(32, INT_MAX);
    EXPECT_EQ(FormatReadout(SpectrumEntry(high.View()), 201, 10), "[ 2147485657MHz : -128dBuV ]");
    const Bytes low = Bytes(bytes).I32(32, INT_MIN);
    EXPECT_EQ(FormatReadout(SpectrumEntry(low.View()), 0, 5), "[ -2147483648MHz : 40dBuV ]");
}

}  // namespace
}  // namespace quorvel::spectrum
