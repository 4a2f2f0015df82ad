// Even-odd scan conversion: exact runs, self-overlap, degenerate and far-away outlines.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <random>
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

// The sink's stretches of like rows, expanded row by row.
std::vector<Row> ScanThroughSink(const std::vector<IntPoint>& points, IntRect limit) {
    struct Collect final : RowSink {
        std::vector<Row> rows;
        void Rows(int y, int count, std::span<const PixelRun> runs) override {
            for (int i = 0; i < count; ++i) rows.push_back({y + i, {runs.begin(), runs.end()}});
        }
    } sink;
    ScanEvenOdd(points, limit, sink);
    return sink.rows;
}

// Random outlines, some spread over a large area and some crowded into a few pixels (where edges
// cross, touch and run along rows), scanned inside random limits both wide and one or a few
// pixels narrow, as a pointer move's strips are: the scan must fill exactly the pixels whose
// centre has an odd number of crossings at or left of it.
TEST(PolygonScan, RandomOutlinesFillExactlyThePixelsTheCountingRuleFills) {
    std::mt19937 random(2026);
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 200; ++round) {
        const int spread = round % 3 == 0 ? 10 : 120;
        std::vector<IntPoint> outline(static_cast<std::size_t>(uniform(3, 30)));
        for (IntPoint& point : outline) point = {uniform(-15, spread), uniform(-15, spread)};
        const IntRect limit{uniform(-5, spread / 2), uniform(-5, spread / 2),
                            round % 2 == 0 ? uniform(1, 4) : uniform(1, spread + 10),
                            uniform(1, spread + 10)};
        const std::vector<Row> expected = ScanByCounting(outline, limit);
        ASSERT_EQ(Scan(outline, limit), expected) << "round " << round;
        ASSERT_EQ(ScanThroughSink(outline, limit), expected) << "round " << round;
    }
    // Limits without area, which the random ones never are.
    const std::vector<IntPoint> square = {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
    EXPECT_TRUE(Scan(square, {0, 0, 0, 100}).empty());
    EXPECT_TRUE(Scan(square, {0, 0, 100, -1}).empty());
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

}  // namespace
}  // namespace quorvel
