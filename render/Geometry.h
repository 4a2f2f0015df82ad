// Pixel coordinates, rectangles and colours of the screen, and the integer arithmetic on them.
#pragma once

#include <cstdint>

namespace quorvel {

using Argb = std::uint32_t;  // 0xAARRGGBB

struct IntRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const IntRect&) const = default;
};
struct IntPoint {
    int x = 0, y = 0;
    bool operator==(const IntPoint&) const = default;
};
struct PointF {
    float x = 0, y = 0;
    bool operator==(const PointF&) const = default;
};
struct RectF {
    float x = 0, y = 0, w = 0, h = 0;
    bool operator==(const RectF&) const = default;
};

constexpr bool IsEmpty(IntRect r) { return r.w <= 0 || r.h <= 0; }

constexpr bool Intersects(IntRect a, IntRect b) {
    if (IsEmpty(a) || IsEmpty(b)) return false;
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

constexpr RectF ToRectF(IntRect r) {
    return {static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w),
            static_cast<float>(r.h)};
}

}  // namespace quorvel
