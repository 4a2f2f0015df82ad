#include "render/PixelRegion.h"

#include <algorithm>

namespace quorvel {
namespace {

// What is left of `rect` once `cut` is taken out: at most a band above, one below, and the
// pieces left and right of `cut` between them.
template <typename Keep>
void Remainder(IntRect rect, IntRect cut, Keep keep) {
    const IntRect shared = Cut(rect, cut);
    if (IsEmpty(shared)) {
        keep(rect);
        return;
    }
    const int bottom = rect.y + rect.h;
    const int sharedBottom = shared.y + shared.h;
    if (shared.y > rect.y) keep({rect.x, rect.y, rect.w, shared.y - rect.y});
    if (bottom > sharedBottom) keep({rect.x, sharedBottom, rect.w, bottom - sharedBottom});
    if (shared.x > rect.x) keep({rect.x, shared.y, shared.x - rect.x, shared.h});
    const int right = rect.x + rect.w;
    const int sharedRight = shared.x + shared.w;
    if (right > sharedRight) keep({sharedRight, shared.y, right - sharedRight, shared.h});
}

}  // namespace

PixelRegion::PixelRegion(std::span<const IntRect> rects, IntRect limit) {
    for (const IntRect& rect : rects) Add(Cut(rect, limit));
    UpdateBounds();
}

// Overlapping rectangles keep only the part earlier ones do not hold.
void PixelRegion::Add(IntRect rect) {
    if (IsEmpty(rect)) return;
    std::vector<IntRect> pieces{rect};
    for (const IntRect& held : m_rects) {
        std::vector<IntRect> rest;
        for (const IntRect& piece : pieces) {
            Remainder(piece, held, [&rest](IntRect r) { rest.push_back(r); });
        }
        pieces = std::move(rest);
    }
    m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void PixelRegion::Subtract(IntRect cut) {
    if (!Intersects(cut)) return;
    std::vector<IntRect> rest;
    for (const IntRect& rect : m_rects) {
        Remainder(rect, cut, [&rest](IntRect r) { rest.push_back(r); });
    }
    m_rects = std::move(rest);
    UpdateBounds();
}

bool PixelRegion::AnyIntersects(IntRect rect) const {
    return std::any_of(m_rects.begin(), m_rects.end(),
                       [rect](IntRect r) { return quorvel::Intersects(r, rect); });
}

void PixelRegion::UpdateBounds() {
    m_bounds = {};
    for (const IntRect& rect : m_rects) m_bounds = Union(m_bounds, rect);
}

}  // namespace quorvel
