// Even-odd scan conversion: exact runs, self-overlap, degenerate and far-away outlines.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <ostream>
#include <set>
#include <vector>

#include "render/PolygonScan.h"

namespace quorvel {
namespace {

struct Row {
    int y;
    std::vector<PixelRun> runs;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << "row " << row.y << ":";
    for (const PixelRun& run : row.runs) *out << " [" << run.begin << ", " << run.end << ")";
}

// Adds pixel x to a row whose pixels come left to right.
void AddPixel(Row& row, int x) {
    if (!row.runs.empty() && row.runs.back().end == x) {
        ++row.runs.back().end;
    } else {
        row.runs.push_back({x, x + 1});
    }
}

// The scan's rows, checked for the order and shape of their runs.
std::vector<Row> Scan(const std::vector<IntPoint>& points, IntRect limit) {
    std::map<int, std::set<int>> pixels;  // y -> x
    ScanEvenOdd(points, limit, [&](int y, std::span<const PixelRun> runs) {
        EXPECT_TRUE(pixels.find(y) == pixels.end()) << "row " << y << " given twice";
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_LT(runs[i].begin, runs[i].end);
            if (i > 0) {
                EXPECT_LT(runs[i - 1].end, runs[i].begin) << "runs touch or overlap";
            }
            for (int x = runs[i].begin; x < runs[i].end; ++x) pixels[y].insert(x);
        }
    });
    std::vector<Row> rows;
    for (const auto& [y, xs] : pixels) {
        Row row{y, {}};
        for (int x : xs) AddPixel(row, x);
        rows.push_back(row);
    }
    return rows;
}

// The rule stated plainly, one pixel at a time: count the edges crossing the pixel's centre line
// at or left of its centre. Coordinates must stay small enough for 64-bit products.
bool InsideByCounting(const std::vector<IntPoint>& points, int x, int y) {
    int crossings = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        IntPoint a = points[i], b = points[(i + 1) % points.size()];
        if (a.y > b.y) std::swap(a, b);
        if (!(a.y <= y && y < b.y)) continue;
        const std::int64_t dy = std::int64_t{b.y} - a.y, dx = std::int64_t{b.x} - a.x;
        // crossing x = a.x + (2 (y - a.y) + 1) dx / (2 dy) <= x + 0.5, times 2 dy
        if (2 * a.x * dy + (2 * (std::int64_t{y} - a.y) + 1) * dx <=
            (2 * std::int64_t{x} + 1) * dy) {
            ++crossings;
        }
    }
    return crossings % 2 == 1;
}

std::vector<Row> ScanByCounting(const std::vector<IntPoint>& points, IntRect limit) {
    std::vector<Row> rows;
    for (int y = limit.y; y < limit.y + limit.h; ++y) {
        Row row{y, {}};
        for (int x = limit.x; x < limit.x + limit.w; ++x) {
            if (InsideByCounting(points, x, y)) AddPixel(row, x);
        }
        if (!row.runs.empty()) rows.push_back(row);
    }
    return rows;
}

std::vector<IntPoint> Star(IntPoint centre, int radius) {
    std::vector<IntPoint> star;
    for (int k = 0; k < 5; ++k) {
        const double angle = -std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
        star.push_back({centre.x + static_cast<int>(std::lround(radius * std::cos(angle))),
                        centre.y + static_cast<int>(std::lround(radius * std::sin(angle)))});
    }
    return star;
}

// A spectrum trace of 202 samples 4 pixels apart whose level jumps about on every sample.
std::vector<IntPoint> JaggedTrace() {
    std::vector<IntPoint> trace;
    std::uint32_t seed = 7;
    for (int i = 0; i < 202; ++i) {
        seed = seed * 1103515245u + 12345u;
        trace.push_back({100 + 4 * i, 70 + static_cast<int>((seed >> 16) % 581)});
    }
    trace.push_back({100 + 4 * 201, 650});
    trace.push_back({100, 650});
    return trace;
}

TEST(PolygonScan, TriangleRunsStartAtTheFirstCentreOnOrRightOfEachCrossing) {
    // The left edge runs x = 2 + y / 2, so row y (centre line y + 0.5) crosses it at 2.25, 2.75,
    // 3.25, ...: the first centre at or right of that is 2.5, 3.5, 3.5, 4.5, ... The right edge
    // is vertical at x 10: centre 9.5 is the last one left of it.
    const std::vector<Row> expected = {
        {0, {{2, 10}}}, {1, {{3, 10}}}, {2, {{3, 10}}}, {3, {{4, 10}}},
        {4, {{4, 10}}}, {5, {{5, 10}}}, {6, {{5, 10}}}, {7, {{6, 10}}},
    };
    const std::vector<IntPoint> triangle = {{2, 0}, {10, 0}, {10, 16}};
    EXPECT_EQ(Scan(triangle, {0, 0, 20, 8}), expected);
    EXPECT_EQ(Scan(triangle, {0, 0, 20, 20}), ScanByCounting(triangle, {0, 0, 20, 20}));
}

TEST(PolygonScan, SquaresSharingAnEdgeNeverShareAPixel) {
    const std::vector<IntPoint> left = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    const std::vector<IntPoint> right = {{20, 10}, {30, 10}, {30, 20}, {20, 20}};
    const std::vector<Row> leftRows = Scan(left, {0, 0, 40, 40});
    ASSERT_EQ(leftRows.size(), 10u);
    EXPECT_EQ(leftRows.front(), (Row{10, {{10, 20}}}));
    EXPECT_EQ(leftRows.back(), (Row{19, {{10, 20}}}));
    EXPECT_EQ(Scan(right, {0, 0, 40, 40}).front(), (Row{10, {{20, 30}}}));
}

TEST(PolygonScan, EvenOddLeavesTheInnerSquareAndTheStarsPentagonEmpty) {
    const std::vector<IntPoint> nested = {{10, 10}, {60, 10}, {60, 60}, {10, 60}, {10, 10},
                                          {20, 20}, {50, 20}, {50, 50}, {20, 50}, {20, 20}};
    const std::vector<Row> rows = Scan(nested, {0, 0, 100, 100});
    EXPECT_EQ(rows.at(0), (Row{10, {{10, 60}}}));
    EXPECT_EQ(rows.at(15), (Row{25, {{10, 20}, {50, 60}}}));
    EXPECT_EQ(rows, ScanByCounting(nested, {0, 0, 100, 100}));

    const std::vector<IntPoint> star = Star({300, 300}, 100);
    const std::vector<Row> starRows = Scan(star, {150, 150, 300, 300});
    EXPECT_EQ(starRows, ScanByCounting(star, {150, 150, 300, 300}));
    const auto centreRow =
        std::find_if(starRows.begin(), starRows.end(), [](const Row& row) { return row.y == 300; });
    ASSERT_NE(centreRow, starRows.end());
    ASSERT_EQ(centreRow->runs.size(), 2u);  // the arms either side of the empty pentagon
    EXPECT_LT(centreRow->runs[0].end, 300);
    EXPECT_GT(centreRow->runs[1].begin, 300);
}

TEST(PolygonScan, OutlinesWithoutAreaFillNothing) {
    const std::vector<std::vector<IntPoint>> outlines = {
        {{100, 418}, {100, 650}, {100, 650}},  // a one-sample trace: one vertical line
        {{5, 5}, {50, 5}, {20, 5}},            // one horizontal line
        {{5, 5}, {40, 40}, {20, 20}},          // one slanted line, back and forth
        {{7, 7}, {7, 7}, {7, 7}},
        {{0, 0}, {10, 10}},  // fewer than three points
    };
    for (const auto& outline : outlines) {
        EXPECT_TRUE(Scan(outline, {0, 0, 1280, 720}).empty()) << outline[0].x;
    }
}

TEST(PolygonScan, RunsStayInsideTheLimit) {
    const std::vector<IntPoint> square = {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
    const std::vector<Row> rows = Scan(square, {0, 0, 1280, 720});
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows.front(), (Row{0, {{0, 50}}}));
    EXPECT_EQ(Scan(square, {20, 30, 5, 3}),
              (std::vector<Row>{{30, {{20, 25}}}, {31, {{20, 25}}}, {32, {{20, 25}}}}));
    EXPECT_TRUE(Scan(square, {60, 0, 100, 100}).empty());
    EXPECT_TRUE(Scan(square, {0, 0, 0, 100}).empty());
    EXPECT_TRUE(Scan(square, {0, 0, 100, -1}).empty());
}

TEST(PolygonScan, HugeAndNegativeCoordinatesStayExact) {
    // Corners at the ends of the int range: the diagonal is y = x, so row y fills x < y.
    const std::vector<IntPoint> half = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
    const std::vector<Row> rows = Scan(half, {0, 0, 1280, 720});
    ASSERT_EQ(rows.size(), 719u);
    for (const Row& row : rows) {
        ASSERT_EQ(row.runs, (std::vector<PixelRun>{{0, row.y}})) << row.y;
    }
    // A band whose edges cross the screen steeply, from one end of the range to the other. On
    // row 0 the left edge lies at x = 600 + 1000 / (2^32 - 1): just right of 600, so the first
    // centre at or right of it is 600.5.
    const std::vector<IntPoint> steep = {
        {100, INT_MIN}, {300, INT_MIN}, {1300, INT_MAX}, {1100, INT_MAX}};
    const std::vector<Row> steepRows = Scan(steep, {0, 0, 1280, 720});
    EXPECT_EQ(steepRows.front(), (Row{0, {{600, 800}}}));
    EXPECT_EQ(steepRows, ScanByCounting(steep, {0, 0, 1280, 720}));
    // The whole screen inside a rectangle reaching past every edge.
    const std::vector<IntPoint> everything = {
        {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
    const std::vector<Row> all = Scan(everything, {0, 0, 1280, 720});
    ASSERT_EQ(all.size(), 720u);
    EXPECT_EQ(all.back(), (Row{719, {{0, 1280}}}));
    // A limit reaching the end of the int range does not overflow either.
    EXPECT_EQ(Scan(everything, {INT_MAX - 3, INT_MAX - 2, 3, 2}),
              (std::vector<Row>{{INT_MAX - 2, {{INT_MAX - 3, INT_MAX}}},
                                {INT_MAX - 1, {{INT_MAX - 3, INT_MAX}}}}));
}

TEST(PolygonScan, JaggedTraceMatchesTheCountAtEveryPixelCentre) {
    const std::vector<IntPoint> trace = JaggedTrace();
    ASSERT_EQ(trace.size(), 204u);
    const IntRect plot{90, 60, 920, 600};
    EXPECT_EQ(Scan(trace, plot), ScanByCounting(trace, plot));
    // Only rows with an active edge pair produce runs; the bottom line itself is outside.
    const std::vector<Row> rows = Scan(trace, plot);
    EXPECT_EQ(rows.back().y, 649);
    EXPECT_EQ(rows.back().runs.front().begin, 100);
    EXPECT_EQ(rows.back().runs.back().end, 904);  // the last sample's column is outside
    // Narrow limits, as a pointer move repaints: edges wholly left of them still count.
    for (const IntRect strip : {IntRect{299, 70, 4, 580}, IntRect{100, 70, 1, 580},
                                IntRect{903, 60, 4, 600}, IntRect{500, 300, 50, 7}}) {
        EXPECT_EQ(Scan(trace, strip), ScanByCounting(trace, strip)) << strip.x;
    }
    const std::vector<IntPoint> star = Star({300, 300}, 100);
    for (const IntRect strip : {IntRect{299, 150, 4, 300}, IntRect{240, 250, 3, 100}}) {
        EXPECT_EQ(Scan(star, strip), ScanByCounting(star, strip)) << strip.x;
    }
}

}  // namespace
}  // namespace quorvel
