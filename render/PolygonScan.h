// Even-odd scan conversion of an integer polygon into the runs of whole pixels it fills.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "render/Canvas.h"

namespace quorvel {

// Pixels begin to end - 1 along one row or column.
struct PixelRun {
    int begin = 0;
    int end = 0;
    bool operator==(const PixelRun&) const = default;
};

// Called once per row that has pixels to fill, top row first, with that row's runs from left to
// right; runs never overlap, never touch, and are never empty.
using RowRuns = std::function<void(int y, std::span<const PixelRun> runs)>;

// Takes a polygon's pixels row by row, top row first, in whichever form the scan has them.
class RowSink {
  public:
    virtual ~RowSink() = default;
    // One row's runs, as RowRuns gets them.
    virtual void Runs(int y, std::span<const PixelRun> runs) = 0;
    // Rows y to y + count - 1, all alike: bit b of words[w] (least significant first) is the
    // pixel in column firstColumn + 64 w + b. The words may all be zero.
    virtual void Mask(int y, int count, int firstColumn, std::span<const std::uint64_t> words) = 0;
};

// The pixels of the closed polygon through `points` (the last point joins the first) under the
// even-odd rule, limited to `limit`: a pixel is filled when its centre (x + 0.5, y + 0.5) has an
// odd number of edge crossings to its left on its row. A centre exactly on a crossing counts as
// right of it, so a run starts at the first centre at or right of a crossing and ends before the
// first centre at or right of the next one: shapes that share an edge never share a pixel.
// Exact integer arithmetic for any int coordinates, huge or negative.
void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, const RowRuns& emit);
// The same pixels, for a writer that can take whole rows as bit masks.
void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, RowSink& sink);

}  // namespace quorvel
