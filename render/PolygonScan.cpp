#include "render/PolygonScan.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace quorvel {
namespace {

// Products of two coordinate differences reach 2^65; only an edge's first row needs them.
__extension__ using Int128 = __int128;

// Largest integer not above a / d, for d > 0.
std::int64_t FloorDiv(Int128 a, std::int64_t d) {
    Int128 q = a / d;
    if (a % d != 0 && a < 0) --q;
    return static_cast<std::int64_t>(q);
}

// A non-horizontal edge, walked down one row at a time. On row y it crosses the row's centre
// line at x = xTop + (2 (y - yTop) + 1) dx / (2 dy), and the first pixel whose centre lies at or
// right of that is key = xTop + ceil(A / D) with A = (2 (y - yTop) + 1) dx - dy and D = 2 dy.
// Key and remainder (A = (key - xTop) D - remainder, 0 <= remainder < D) are carried from row to
// row, so no row after the first divides.
struct Edge {
    std::int64_t firstRow = 0;
    std::int64_t endRow = 0;  // past its last row
    std::int64_t key = 0;
    std::int64_t remainder = 0;
    std::int64_t denominator = 0;
    std::int64_t keyStep = 0;        // floor(2 dx / D)
    std::int64_t remainderStep = 0;  // 2 dx - keyStep D

    void Step() {
        key += keyStep;
        remainder -= remainderStep;
        if (remainder < 0) {
            remainder += denominator;
            ++key;
        }
    }
};

// The edge from a to b on the rows firstRow to endRow - 1, or nothing when it crosses none.
bool MakeEdge(IntPoint a, IntPoint b, std::int64_t rowBegin, std::int64_t rowEnd, Edge& edge) {
    if (a.y == b.y) return false;
    const IntPoint top = a.y < b.y ? a : b;
    const IntPoint bottom = a.y < b.y ? b : a;
    edge.firstRow = std::max<std::int64_t>(top.y, rowBegin);
    edge.endRow = std::min<std::int64_t>(bottom.y, rowEnd);
    if (edge.firstRow >= edge.endRow) return false;
    const std::int64_t dx = std::int64_t{bottom.x} - top.x;
    const std::int64_t dy = std::int64_t{bottom.y} - top.y;
    edge.denominator = 2 * dy;
    const Int128 numerator = Int128{2 * (edge.firstRow - top.y) + 1} * dx - dy;
    const std::int64_t quotient = -FloorDiv(-numerator, edge.denominator);
    edge.key = top.x + quotient;
    edge.remainder = static_cast<std::int64_t>(Int128{quotient} * edge.denominator - numerator);
    edge.keyStep = FloorDiv(2 * dx, edge.denominator);
    edge.remainderStep = 2 * dx - edge.keyStep * edge.denominator;
    return true;
}

}  // namespace

void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, const RowRuns& emit) {
    if (points.size() < 3 || limit.w <= 0 || limit.h <= 0) return;
    const std::int64_t rowBegin = limit.y;
    const std::int64_t rowEnd = rowBegin + limit.h;
    const std::int64_t columnBegin = limit.x;
    const std::int64_t columnEnd = std::min<std::int64_t>(columnBegin + limit.w, INT_MAX);

    std::vector<Edge> edges;
    edges.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        Edge edge;
        if (MakeEdge(points[i], points[(i + 1) % points.size()], rowBegin, rowEnd, edge)) {
            edges.push_back(edge);
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.firstRow < b.firstRow; });

    std::vector<Edge> active;
    std::vector<PixelRun> runs;
    std::size_t next = 0;
    std::int64_t y = edges.empty() ? rowEnd : edges.front().firstRow;
    while (y < rowEnd && (next < edges.size() || !active.empty())) {
        if (active.empty()) y = std::max(y, edges[next].firstRow);
        while (next < edges.size() && edges[next].firstRow == y) active.push_back(edges[next++]);
        std::erase_if(active, [y](const Edge& edge) { return edge.endRow <= y; });
        // Crossings move little from one row to the next: insertion sort is near linear.
        for (std::size_t i = 1; i < active.size(); ++i) {
            for (std::size_t j = i; j > 0 && active[j].key < active[j - 1].key; --j) {
                std::swap(active[j], active[j - 1]);
            }
        }
        runs.clear();
        for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
            const auto left = static_cast<int>(std::clamp(active[i].key, columnBegin, columnEnd));
            const auto right =
                static_cast<int>(std::clamp(active[i + 1].key, columnBegin, columnEnd));
            if (left >= right) continue;
            if (!runs.empty() && runs.back().right == left) {
                runs.back().right = right;
            } else {
                runs.push_back({left, right});
            }
        }
        if (!runs.empty()) emit(static_cast<int>(y), runs);
        for (Edge& edge : active) edge.Step();
        ++y;
    }
}

}  // namespace quorvel
