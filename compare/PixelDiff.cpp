#include "compare/PixelDiff.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel::compare {

namespace {

bool ChannelsWithin(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) return false;
    }
    return true;
}

// Rows of the mask with the ignored rectangles cut out, as [begin, end) column spans per row.
std::vector<std::uint8_t> IgnoredMask(const std::vector<IntRect>& ignored, int width, int height) {
    std::vector<std::uint8_t> mask;
    if (ignored.empty()) return mask;
    mask.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (const IntRect& rect : ignored) {
        const int x0 = std::clamp(rect.x, 0, width), x1 = std::clamp(rect.x + rect.w, 0, width);
        const int y0 = std::clamp(rect.y, 0, height), y1 = std::clamp(rect.y + rect.h, 0, height);
        for (int y = y0; y < y1; ++y) {
            std::fill(mask.begin() + static_cast<std::ptrdiff_t>(y) * width + x0,
                      mask.begin() + static_cast<std::ptrdiff_t>(y) * width + x1, std::uint8_t{1});
        }
    }
    return mask;
}

bool Touch(const IntRect& a, const IntRect& b) {
    return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

// Merges boxes that touch until none do. Sorting by left edge lets each box stop looking once
// the others start right of it.
void MergeTouching(std::vector<IntRect>& boxes) {
    for (bool merged = true; merged;) {
        merged = false;
        std::ranges::sort(boxes, {}, &IntRect::x);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1;
                 j < boxes.size() && boxes[j].x <= boxes[i].x + boxes[i].w;) {
                if (Touch(boxes[i], boxes[j])) {
                    boxes[i] = Union(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                } else {
                    ++j;
                }
            }
        }
    }
    std::ranges::sort(boxes, [](const IntRect& a, const IntRect& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
}

}  // namespace

std::vector<IntRect> AreasOfMask(const std::vector<std::uint8_t>& mask, int width, int height) {
    // Flood fill over 8 neighbours; visited pixels are cleared in a copy.
    std::vector<std::uint8_t> open = mask;
    std::vector<IntRect> boxes;
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!open[static_cast<std::size_t>(y) * width + x]) continue;
            int x0 = x, x1 = x, y0 = y, y1 = y;
            open[static_cast<std::size_t>(y) * width + x] = 0;
            stack.emplace_back(x, y);
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                x0 = std::min(x0, px), x1 = std::max(x1, px);
                y0 = std::min(y0, py), y1 = std::max(y1, py);
                for (int ny = std::max(py - 1, 0); ny <= std::min(py + 1, height - 1); ++ny) {
                    for (int nx = std::max(px - 1, 0); nx <= std::min(px + 1, width - 1); ++nx) {
                        std::uint8_t& cell = open[static_cast<std::size_t>(ny) * width + nx];
                        if (cell) {
                            cell = 0;
                            stack.emplace_back(nx, ny);
                        }
                    }
                }
            }
            boxes.push_back({x0, y0, x1 - x0 + 1, y1 - y0 + 1});
        }
    }
    MergeTouching(boxes);
    return boxes;
}

PixelDiff DiffPixels(const Picture& approved, const Picture& fresh, const DiffSettings& settings,
                     bool keepMask) {
    const int width = approved.width, height = approved.height;
    const std::size_t count = approved.pixels.size();
    const std::vector<std::uint8_t> ignored = IgnoredMask(settings.ignored, width, height);
    PixelDiff diff;
    // The common case, identical pictures, is one pass of plain comparisons without a mask.
    if (ignored.empty() && approved.pixels == fresh.pixels) return diff;

    diff.mask.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t a = approved.pixels[i], b = fresh.pixels[i];
        if (a == b || (!ignored.empty() && ignored[i])) continue;
        if (settings.tolerance > 0 && ChannelsWithin(a, b, settings.tolerance)) continue;
        diff.mask[i] = 1;
        ++diff.differingPixels;
    }
    if (diff.differingPixels > 0) diff.areas = AreasOfMask(diff.mask, width, height);
    if (!keepMask || diff.differingPixels == 0) diff.mask.clear();
    return diff;
}

}  // namespace quorvel::compare
