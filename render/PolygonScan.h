// Even-odd scan conversion of an integer polygon into the runs of whole pixels it fills.
#pragma once

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

// Takes a polygon's pixels, top row first.
class RowSink {
  public:
    virtual ~RowSink() = default;
    // Rows y to y + count - 1 all hold the same runs, as RowRuns gets them.
    virtual void Rows(int y, int count, std::span<const PixelRun> runs) = 0;
};

// The pixels of the closed polygon through `points` (the last point joins the first) under the
// even-odd rule, limited to `limit`: a pixel is filled when its centre (x + 0.5, y + 0.5) has an
// odd number of edge crossings to its left on its row. A centre exactly on a crossing counts as
// right of it, so a run starts at the first centre at or right of a crossing and ends before the
// first centre at or right of the next one: shapes that share an edge never share a pixel.
// Exact integer arithmetic for any int coordinates, huge or negative.
void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, const RowRuns& emit);
// The same pixels, for a writer that can take a stretch of like rows at once.
void ScanEvenOdd(std::span<const IntPoint> points, IntRect limit, RowSink& sink);

}  // namespace quorvel
