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

// The pixels both rectangles hold; empty (zero or negative size) when they share none.
constexpr IntRect Cut(IntRect a, IntRect b) {
    const int left = a.x > b.x ? a.x : b.x;
    const int top = a.y > b.y ? a.y : b.y;
    const int right = a.x + a.w < b.x + b.w ? a.x + a.w : b.x + b.w;
    const int bottom = a.y + a.h < b.y + b.h ? a.y + a.h : b.y + b.h;
    return {left, top, right - left, bottom - top};
}

// The smallest rectangle holding both; an empty one adds nothing.
constexpr IntRect Union(IntRect a, IntRect b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    const int left = a.x < b.x ? a.x : b.x;
    const int top = a.y < b.y ? a.y : b.y;
    const int right = a.x + a.w > b.x + b.w ? a.x + a.w : b.x + b.w;
    const int bottom = a.y + a.h > b.y + b.h ? a.y + a.h : b.y + b.h;
    return {left, top, right - left, bottom - top};
}

// True when every pixel of `inner` lies in `outer`; an empty `inner` lies anywhere.
constexpr bool Contains(IntRect outer, IntRect inner) {
    if (IsEmpty(inner)) return true;
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

constexpr IntRect Moved(IntRect r, IntPoint by) {
    return {r.x + by.x, r.y + by.y, r.w, r.h};
}

// A box whose corners are whole pixels, as those pixels.
constexpr IntRect ToIntRect(RectF r) {
    return {static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.w),
            static_cast<int>(r.h)};
}

constexpr RectF ToRectF(IntRect r) {
    return {static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w),
            static_cast<float>(r.h)};
}

}  // namespace quorvel
