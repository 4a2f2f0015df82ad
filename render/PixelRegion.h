// A set of screen pixels as disjoint rectangles: the part of the screen a pass repaints, less
// what later opaque fills cover.
#pragma once

#include <span>
#include <vector>

#include "render/Geometry.h"

namespace quorvel {

class PixelRegion {
  public:
    PixelRegion() = default;
    // The pixels of `rects` (which may overlap) inside `limit`.
    PixelRegion(std::span<const IntRect> rects, IntRect limit);

    void Subtract(IntRect cut);
    bool Intersects(IntRect rect) const;

    bool Empty() const { return m_rects.empty(); }
    IntRect Bounds() const { return m_bounds; }
    std::span<const IntRect> Rects() const { return m_rects; }

  private:
    void Add(IntRect rect);
    void UpdateBounds();

    std::vector<IntRect> m_rects;  // disjoint, none empty
    IntRect m_bounds;
};

}  // namespace quorvel
