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
    // Inline for the one-rectangle region most operations of a pass are drawn in.
    bool Intersects(IntRect rect) const {
        if (!quorvel::Intersects(m_bounds, rect)) return false;
        return m_rects.size() == 1 || AnyIntersects(rect);
    }

    bool Empty() const { return m_rects.empty(); }
    IntRect Bounds() const { return m_bounds; }
    std::span<const IntRect> Rects() const { return m_rects; }

  private:
    bool AnyIntersects(IntRect rect) const;
    void Add(IntRect rect);
    void UpdateBounds();

    std::vector<IntRect> m_rects;  // disjoint, none empty
    IntRect m_bounds;
};

}  // namespace quorvel
