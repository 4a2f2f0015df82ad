// The spectrum plot's arithmetic: sampling, level-to-pixel mapping, trace outline and readout,
// at the limits the file allows.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "data/EntryWriter.h"
#include "render/SpectrumTrace.h"

namespace quorvel::spectrum {
namespace {

// A sweep whose levels are 40, 41, ... 69, 40, ... unless `levels` names one.
struct Sweep {
    std::array<std::uint8_t, SpectrumEntry::kSize> bytes{};
    Sweep(std::int32_t startMHz, std::int32_t endMHz,
          std::initializer_list<std::pair<std::size_t, int>> levels = {}) {
        EntryWriter writer(bytes, EntryKind::Spectrum);
        writer.Set("startMHz", startMHz).Set("endMHz", endMHz);
        for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i) writer.Set("levels", 40 + i % 30, i);
        for (auto [index, level] : levels) writer.Set("levels", level, index);
    }
    SpectrumEntry Entry() const { return SpectrumEntry(bytes); }
};

TEST(SpectrumTrace, SampleCountAndColumnWidthAtTheLimits) {
    struct Case {
        std::int32_t start, end;
        DvbType dvbType;
        int sampleCount;
    };
    const Case cases[] = {
        {950, 2150, DvbType::Satellite, 120},  {474, 858, DvbType::Terrestrial, 76},
        {100, 110, DvbType::Satellite, 1},     {100, 109, DvbType::Satellite, 0},
        {2150, 950, DvbType::Satellite, 0},    {47, 47 + 5 * 202, DvbType::Cable, 202},
        {47, 47 + 5 * 203, DvbType::Cable, 202}, {INT_MIN, INT_MAX, DvbType::Satellite, 202},
        {INT_MAX, INT_MIN, DvbType::Cable, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SampleCount(c.start, c.end, SampleStep(c.dvbType)), c.sampleCount)
            << c.start << ".." << c.end;
    }
    EXPECT_EQ(ColumnWidth(120), 7);
    EXPECT_EQ(ColumnWidth(1), 900);
    EXPECT_EQ(ColumnWidth(202), 4);
}

TEST(SpectrumTrace, LevelToYTruncatesTowardZeroAndClampsToThePlot) {
    struct Case {
        int level, reference, y;
    };
    const Case cases[] = {
        {40, 40, 650}, {41, 40, 627}, {43, 40, 581}, {45, 40, 534}, {65, 40, 70},
        {66, 40, 70},  {127, 40, 70}, {39, 40, 650}, {0, 40, 650},  {-128, 40, 650},
        {-1, 0, 650},  {0, 75, 650},  {80, 75, 534}, {1, 0, 627},   {24, 0, 94},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LevelToY(static_cast<std::int8_t>(c.level), c.reference), c.y)
            << "level " << c.level << " at reference " << c.reference;
    }
}

TEST(SpectrumTrace, OneVertexPerSampleThenDownToTheBottomLineAndBack) {
    const Sweep sweep(950, 2150, {{0, 40}, {1, 43}, {119, 66}, {120, 66}});
    const Trace trace = BuildTrace(sweep.Entry(), 120, 40);
    const auto vertices = trace.Vertices();
    ASSERT_EQ(vertices.size(), 122u);
    for (int i = 0; i < 120; ++i) {
        EXPECT_EQ(vertices[i], (IntPoint{100 + 7 * i, LevelToY(sweep.Entry().level(i), 40)}));
    }
    EXPECT_EQ(vertices[1], (IntPoint{107, 581}));
    EXPECT_EQ(vertices[120], (IntPoint{933, 650}));
    EXPECT_EQ(vertices[121], (IntPoint{100, 650}));
    EXPECT_EQ(trace.bounds, (IntRect{100, 70, 834, 581}));

    const Sweep single(950, 960, {{0, 50}});
    const Trace line = BuildTrace(single.Entry(), 1, 40);
    EXPECT_EQ(std::vector<IntPoint>(line.Vertices().begin(), line.Vertices().end()),
              (std::vector<IntPoint>{{100, 418}, {100, 650}, {100, 650}}));
    EXPECT_EQ(line.bounds, (IntRect{100, 418, 1, 233}));
}

TEST(SpectrumTrace, ReadoutIndexAndTextWithoutOverflow) {
    EXPECT_EQ(ReadoutIndex(106, 7), 0);
    EXPECT_EQ(ReadoutIndex(107, 7), 1);
    EXPECT_EQ(ReadoutIndex(94, 7), 0);  // -6 / 7 truncates toward zero
    EXPECT_EQ(ReadoutIndex(93, 7), -1);
    EXPECT_EQ(ReadoutIndex(999, 4), 224);
    EXPECT_EQ(ReadoutIndex(INT_MAX, 900), (std::int64_t{INT_MAX} - 100) / 900);

    const Sweep sweep(950, 2150, {{128, -7}, {201, -128}});
    EXPECT_EQ(FormatReadout(sweep.Entry(), 0, 10), "[ 950MHz : 40dBuV ]");
    EXPECT_EQ(FormatReadout(sweep.Entry(), 128, 5), "[ 1590MHz : -7dBuV ]");
    const Sweep high(INT_MAX, INT_MAX, {{201, -128}});
    EXPECT_EQ(FormatReadout(high.Entry(), 201, 10), "[ 2147485657MHz : -128dBuV ]");
    const Sweep low(INT_MIN, 0);
    EXPECT_EQ(FormatReadout(low.Entry(), 0, 5), "[ -2147483648MHz : 40dBuV ]");
}

}  // namespace
}  // namespace quorvel::spectrum
