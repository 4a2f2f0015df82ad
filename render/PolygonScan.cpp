#include "render/PolygonScan.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>
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

    // Without a branch: the wrap comes at no predictable rhythm.
    void Step() {
        key += keyStep;
        remainder -= remainderStep;
        const std::int64_t wrapped = remainder >> 63;  // -1 when negative, else 0
        remainder += denominator & wrapped;
        key -= wrapped;
    }
};

// The edge from a to b on the rows firstRow to endRow - 1, or nothing when it crosses none. A
// strict edge does not count for a centre exactly on it: its key is the first centre right of
// the crossing, ceil((A + 1) / D).
bool MakeEdge(IntPoint a, IntPoint b, std::int64_t rowBegin, std::int64_t rowEnd, bool strict,
              Edge& edge) {
    if (a.y == b.y) return false;
    const IntPoint top = a.y < b.y ? a : b;
    const IntPoint bottom = a.y < b.y ? b : a;
    edge.firstRow = std::max<std::int64_t>(top.y, rowBegin);
    edge.endRow = std::min<std::int64_t>(bottom.y, rowEnd);
    if (edge.firstRow >= edge.endRow) return false;
    const std::int64_t dx = std::int64_t{bottom.x} - top.x;
    const std::int64_t dy = std::int64_t{bottom.y} - top.y;
    edge.denominator = 2 * dy;
    const Int128 numerator = Int128{2 * (edge.firstRow - top.y) + 1} * dx - dy + (strict ? 1 : 0);
    const std::int64_t quotient = -FloorDiv(-numerator, edge.denominator);
    edge.key = top.x + quotient;
    edge.remainder = static_cast<std::int64_t>(Int128{quotient} * edge.denominator - numerator);
    edge.keyStep = FloorDiv(2 * dx, edge.denominator);
    edge.remainderStep = 2 * dx - edge.keyStep * edge.denominator;
    return true;
}

// Horizontal runs of the rows of `limit`. With `kMirrored` the polygon is read with x and y
// swapped, and its edges whose x grows with y do not count for a centre exactly on them.
template <bool kMirrored>
void ScanRows(std::span<const IntPoint> points, IntRect limit, const RowRuns& emit) {
    const std::int64_t rowBegin = limit.y;
    const std::int64_t rowEnd = rowBegin + limit.h;
    const std::int64_t columnBegin = limit.x;
    const std::int64_t columnEnd = std::min<std::int64_t>(columnBegin + limit.w, INT_MAX);

    // An edge wholly left of the limit crosses every row it spans left of every centre, so it
    // only flips which side of the limit's left edge is inside; one wholly right of it never
    // counts. Only the edges in between are walked.
    std::vector<Edge> edges;
    std::vector<std::int64_t> flips;  // rows where an edge wholly left of the limit starts or ends
    const auto read = [](IntPoint p) { return kMirrored ? IntPoint{p.y, p.x} : p; };
    IntPoint previous = read(points.back());
    for (const IntPoint point : points) {
        const IntPoint b = read(point);
        const IntPoint a = std::exchange(previous, b);
        // Rows first: along a thin strip scanned by columns, most edges miss its few columns.
        if (std::max(a.y, b.y) <= rowBegin || std::min(a.y, b.y) >= rowEnd) continue;
        if (std::min(a.x, b.x) >= columnEnd) continue;
        const bool rising = (a.y < b.y) == (a.x < b.x) && a.x != b.x;
        Edge edge;
        if (!MakeEdge(a, b, rowBegin, rowEnd, kMirrored && rising, edge)) continue;
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

        // Crossings pair up from the left; an odd one out leaves the rest of the row inside (its
        // partner lies right of the limit).
        runs.clear();
        const auto addRun = [&runs, columnBegin, columnEnd](std::int64_t left, std::int64_t right) {
            left = std::clamp(left, columnBegin, columnEnd);
            right = std::clamp(right, columnBegin, columnEnd);
            if (left >= right) return;
            if (!runs.empty() && runs.back().end == left) {
                runs.back().end = static_cast<int>(right);
            } else {
                runs.push_back({static_cast<int>(left), static_cast<int>(right)});
            }
        };
        const std::size_t count = active.size();
        std::size_t crossing = 0;
        if (insideAtLeft) addRun(columnBegin, count > 0 ? active[crossing++].key : columnEnd);
        for (; crossing + 1 < count; crossing += 2) {
            addRun(active[crossing].key, active[crossing + 1].key);
        }
        if (crossing < count) addRun(active[crossing].key, columnEnd);
        if (!runs.empty()) emit(static_cast<int>(y), runs);

        // Step to the next row, dropping the edges that end here; crossing edges swap places.
        ++y;
        std::size_t kept = 0;
        bool ordered = true;
        std::int64_t previousKey = INT64_MIN;
        for (std::size_t k = 0; k < count; ++k) {
            Edge& edge = active[k];
            if (edge.endRow <= y) continue;
            edge.Step();
            ordered &= edge.key >= previousKey;
            previousKey = edge.key;
            if (kept != k) active[kept] = edge;
            ++kept;
        }
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

// The runs of set bits in a row mask whose bit 0 is column firstColumn, least significant first.
void MaskRuns(int firstColumn, std::span<const std::uint64_t> words, std::vector<PixelRun>& runs) {
    runs.clear();
    for (std::size_t word = 0; word < words.size(); ++word) {
        std::uint64_t bits = words[word];
        const int base = firstColumn + static_cast<int>(word * 64);
        while (bits != 0) {
            const int begin = std::countr_zero(bits);
            const int end = std::countr_one(bits >> begin) + begin;
            if (!runs.empty() && runs.back().end == base + begin) {
                runs.back().end = base + end;
            } else {
                runs.push_back({base + begin, base + end});
            }
            bits = end == 64 ? 0 : bits & (~std::uint64_t{0} << end);
        }
    }
}

// Runs of whole columns turned into rows: each column run flips its column on at its first row
// and off past its last, and the columns that are on are handed out as runs for each stretch of
// rows between flips.
class ColumnsToRows {
  public:
    explicit ColumnsToRows(IntRect limit)
        : m_limit(limit), m_mask((static_cast<std::size_t>(limit.w) + 63) / 64) {
        // Most columns of a trace hold one run.
        m_flips.reserve(2 * static_cast<std::size_t>(limit.w));
    }

    void AddColumn(int column, std::span<const PixelRun> runs) {
        for (const PixelRun& run : runs) {
            m_flips.push_back({run.begin - m_limit.y, column - m_limit.x});
            m_flips.push_back({run.end - m_limit.y, column - m_limit.x});
        }
    }

    void EmitRows(RowSink& sink) {
        SortByRow();
        std::vector<PixelRun> runs;
        int previousRow = -1;
        for (std::size_t i = 0; i < m_flips.size();) {
            const int row = m_flips[i].row;
            if (previousRow >= 0) {
                MaskRuns(m_limit.x, m_mask, runs);
                if (!runs.empty()) sink.Rows(m_limit.y + previousRow, row - previousRow, runs);
            }
            for (; i < m_flips.size() && m_flips[i].row == row; ++i) {
                const int offset = m_flips[i].offset;
                m_mask[static_cast<std::size_t>(offset / 64)] ^= std::uint64_t{1} << (offset % 64);
            }
            previousRow = row;
        }
    }

  private:
    struct Flip {
        int row;     // row - the limit's first row
        int offset;  // column - the limit's first column
    };

    // Runs lie inside the limit's rows, so flips fall on its rows or just past the last one: a
    // counting sort over the rows, unless there are so few flips (a thin strip's handful) that
    // passing over every row would cost more.
    void SortByRow() {
        const auto rowOf = [](const Flip& a, const Flip& b) { return a.row < b.row; };
        if (m_flips.size() * kRowsPerFlipToCompare < static_cast<std::size_t>(m_limit.h)) {
            std::sort(m_flips.begin(), m_flips.end(), rowOf);
            return;
        }
        std::vector<int> firstFlip(static_cast<std::size_t>(m_limit.h) + 2, 0);
        for (const Flip& flip : m_flips) ++firstFlip[static_cast<std::size_t>(flip.row) + 1];
        for (std::size_t row = 1; row < firstFlip.size(); ++row) {
            firstFlip[row] += firstFlip[row - 1];
        }
        std::vector<Flip> sorted(m_flips.size());
        for (const Flip& flip : m_flips) {
            sorted[static_cast<std::size_t>(firstFlip[static_cast<std::size_t>(flip.row)]++)] =
                flip;
        }
        m_flips.swap(sorted);
    }

    static constexpr std::size_t kRowsPerFlipToCompare = 16;

    IntRect m_limit;
    std::vector<std::uint64_t> m_mask;
    std::vector<Flip> m_flips;
};

// Hands each row of a stretch on by itself.
class RowByRow final : public RowSink {
  public:
    explicit RowByRow(const RowRuns& emit) : m_emit(emit) {}

    void Rows(int y, int count, std::span<const PixelRun> runs) override {
        for (int row = y; row < y + count; ++row) m_emit(row, runs);
    }

  private:
    const RowRuns& m_emit;
};

// Beyond this width the column mask would cost more than it saves.
constexpr int kMaxMaskWidth = 1 << 14;

}  // namespace

// Work grows with the crossings, one per row an edge spans when scanning rows and one per column
// when scanning columns: a spectrum trace spans far fewer columns than rows. Scanning columns is
// scanning the mirrored polygon's rows. Parity at a point off every edge does not depend on the
// ray's direction, and a centre exactly on a crossing is inside exactly when the point just right
// of it is; seen along a column, that is when the edge falls to the right (its y shrinks as x
// grows), so edges rising to the right are strict there.
void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, RowSink& sink) {
    if (points.size() < 3 || limit.w <= 0 || limit.h <= 0) return;
    std::int64_t rowCrossings = 0;
    std::int64_t columnCrossings = 0;
    IntPoint a = points.back();
    for (const IntPoint b : points) {
        rowCrossings += std::abs(std::int64_t{a.y} - b.y);
        columnCrossings += std::abs(std::int64_t{a.x} - b.x);
        a = b;
    }
    if (rowCrossings <= columnCrossings || limit.w > kMaxMaskWidth) {
        ScanRows<false>(points, limit,
                        [&sink](int y, std::span<const PixelRun> runs) { sink.Rows(y, 1, runs); });
        return;
    }
    ColumnsToRows rows(limit);
    ScanRows<true>(
        points, {limit.y, limit.x, limit.h, limit.w},
        [&rows](int column, std::span<const PixelRun> runs) { rows.AddColumn(column, runs); });
    rows.EmitRows(sink);
}

void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, const RowRuns& emit) {
    RowByRow sink(emit);
    ScanEvenOdd(points, limit, sink);
}

}  // namespace quorvel
