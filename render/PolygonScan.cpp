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

    // An edge wholly left of the limit crosses every row it spans left of every centre, so it
    // only flips which side of the limit's left edge is inside; one wholly right of it never
    // counts. Only the edges in between are walked.
    std::vector<Edge> edges;
    std::vector<std::int64_t> flips;  // rows where an edge wholly left of the limit starts or ends
    for (std::size_t i = 0; i < points.size(); ++i) {
        const IntPoint a = points[i];
        const IntPoint b = points[(i + 1) % points.size()];
        if (std::min(a.x, b.x) >= columnEnd) continue;
        Edge edge;
        if (!MakeEdge(a, b, rowBegin, rowEnd, edge)) continue;
        if (std::max(a.x, b.x) <= columnBegin) {
            flips.push_back(edge.firstRow);
            flips.push_back(edge.endRow);
        } else {
            edges.push_back(edge);
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.firstRow < b.firstRow; });
    std::sort(flips.begin(), flips.end());

    std::vector<Edge> active;
    std::vector<PixelRun> runs;
    std::size_t nextEdge = 0;
    std::size_t nextFlip = 0;
    bool insideAtLeft = false;
    std::int64_t y = rowBegin;
    while (y < rowEnd) {
        if (active.empty() && !insideAtLeft) {
            // Nothing inside until the next edge or flip: jump to it.
            std::int64_t next = rowEnd;
            if (nextEdge < edges.size()) next = std::min(next, edges[nextEdge].firstRow);
            if (nextFlip < flips.size()) next = std::min(next, flips[nextFlip]);
            if (next >= rowEnd) break;
            y = std::max(y, next);
        }
        for (; nextFlip < flips.size() && flips[nextFlip] == y; ++nextFlip)
            insideAtLeft = !insideAtLeft;
        for (; nextEdge < edges.size() && edges[nextEdge].firstRow == y; ++nextEdge) {
            active.push_back(edges[nextEdge]);
            // Keep the crossings in order from left to right.
            for (std::size_t j = active.size() - 1; j > 0 && active[j].key < active[j - 1].key;
                 --j) {
                std::swap(active[j], active[j - 1]);
            }
        }

        // One walk over the crossings both emits this row's runs and steps them to the next row,
        // dropping the edges that end here; edges that cross each other are reordered after.
        runs.clear();
        bool inside = insideAtLeft;
        std::int64_t runStart = columnBegin;
        const auto addRun = [&runs](std::int64_t left, std::int64_t right) {
            if (!runs.empty() && runs.back().right == left) {
                runs.back().right = static_cast<int>(right);
            } else {
                runs.push_back({static_cast<int>(left), static_cast<int>(right)});
            }
        };
        ++y;
        std::size_t kept = 0;
        bool ordered = true;
        std::int64_t previousKey = INT64_MIN;
        for (std::size_t i = 0; i < active.size(); ++i) {
            Edge& edge = active[i];
            const std::int64_t at = std::clamp(edge.key, columnBegin, columnEnd);
            if (inside && runStart < at) addRun(runStart, at);
            inside = !inside;
            runStart = at;
            if (edge.endRow <= y) continue;
            edge.Step();
            ordered &= edge.key >= previousKey;
            previousKey = edge.key;
            if (kept != i) active[kept] = edge;
            ++kept;
        }
        if (inside && runStart < columnEnd) addRun(runStart, columnEnd);
        if (!runs.empty()) emit(static_cast<int>(y - 1), runs);
        active.resize(kept);
        if (!ordered) {
            for (std::size_t i = 1; i < active.size(); ++i) {
                for (std::size_t j = i; j > 0 && active[j].key < active[j - 1].key; --j) {
                    std::swap(active[j], active[j - 1]);
                }
            }
        }
    }
}

}  // namespace quorvel
