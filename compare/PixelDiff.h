// Which pixels of two same-sized pictures differ, and where: the areas they form.
#pragma once

#include <cstdint>
#include <vector>

#include "compare/Picture.h"
#include "render/Canvas.h"

namespace quorvel::compare {

struct DiffSettings {
    int tolerance = 0;             // a channel may be off by this much and still match
    std::vector<IntRect> ignored;  // pixels here are never compared
};

struct PixelDiff {
    std::uint64_t differingPixels = 0;
    // Bounding boxes of the differing pixels; pixels that touch, even at a corner, share a box,
    // and boxes that touch or overlap are merged. Ordered top to bottom, then left to right.
    std::vector<IntRect> areas;
    // One byte a pixel, 1 where the pictures differ; only filled when asked for.
    std::vector<std::uint8_t> mask;
};

// `approved` and `fresh` must have the same size. The mask is kept when `keepMask` is set.
PixelDiff DiffPixels(const Picture& approved, const Picture& fresh, const DiffSettings& settings,
                     bool keepMask);

// The boxes of the set pixels of a width by height mask, as PixelDiff::areas describes them.
std::vector<IntRect> AreasOfMask(const std::vector<std::uint8_t>& mask, int width, int height);

}  // namespace quorvel::compare
