// Integer rectangle arithmetic shared by the canvases.
#pragma once

#include "render/Canvas.h"

namespace quorvel {

constexpr bool IsEmpty(IntRect r) { return r.w <= 0 || r.h <= 0; }

constexpr bool Intersects(IntRect a, IntRect b) {
    if (IsEmpty(a) || IsEmpty(b)) return false;
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace quorvel
