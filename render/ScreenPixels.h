// Fills, copies and blends straight into 32-bit screen pixels, rounded as QPainter rounds them,
// so a picture is the same whichever way it was drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Geometry.h"

namespace quorvel::pixels {

// Screen pixels keep alpha in the top byte. Natively the other bytes are red, green, blue from
// the top (0xAARRGGBB), as QImage and BMP files hold them. The browser page's core is built with
// QUORVEL_SCREEN_RGBA: there they are blue, green, red (0xAABBGGRR), which stored little-endian
// are the bytes red, green, blue, alpha a canvas takes, so a painted picture goes onto the canvas
// as it lies. Every blend treats red and blue alike, so only the colours and pictures that enter
// a pass and the pictures that leave it are put in order. The swap undoes itself: the same call
// turns a screen pixel back into 0xAARRGGBB.
constexpr std::uint32_t InScreenOrder(std::uint32_t argb) {
#if defined(QUORVEL_SCREEN_RGBA)
    return (argb & 0xFF00FF00u) | ((argb & 0xFFu) << 16) | ((argb >> 16) & 0xFFu);
#else
    return argb;
#endif
}

// x * a / 255 on each 8-bit channel, rounded as QPainter's 32-bit blending rounds it.
constexpr std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t redBlue = (x & 0xff00ff) * a;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    std::uint32_t alphaGreen = ((x >> 8) & 0xff00ff) * a;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return alphaGreen | redBlue;
}

// The colour with its alpha applied to its channels at 8 bits, as QPainter stores pictures.
constexpr std::uint32_t Premultiplied8(Argb colour) {
    return ByteMul(colour | 0xFF000000u, colour >> 24);
}

// The same through 16 bits a channel, as QPainter premultiplies a solid colour before it blends.
std::uint32_t Premultiplied16(Argb colour);

// Columns begin to end - 1 of one row of a picture.
struct InkRun {
    int begin = 0;
    int end = 0;
    bool operator==(const InkRun&) const = default;
};

// Pixels 0xAARRGGBB, row after row: a picture of its own (an icon, a text's ink).
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool premultiplied = false;  // false: opaque, copied; true: blended source-over
    // A blended picture's ink, row by row: from the first pixel that is not clear to the one
    // after the last (begin == end in a clear row). Most of a text's box is clear above, below
    // and beside its glyphs, and drawing skips it.
    std::vector<InkRun> rowInk{};

    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelImage&) const = default;
    const std::uint32_t* Row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
};

// The rows of a 32-bit screen buffer, which the caller owns (a QImage's, a browser's).
class Target {
  public:
    Target(std::uint32_t* bits, std::ptrdiff_t stride, int width, int height)
        : m_bits(bits), m_stride(stride), m_width(width), m_height(height) {}
    std::uint32_t* Row(int y) const { return m_bits + y * m_stride; }
    // Pixels from one row to the next.
    std::ptrdiff_t Stride() const { return m_stride; }
    IntRect Bounds() const { return {0, 0, m_width, m_height}; }

  private:
    std::uint32_t* m_bits;
    std::ptrdiff_t m_stride;
    int m_width;
    int m_height;
};

// One colour laid over runs of pixels: copied when opaque, blended source-over otherwise.
class SolidFill {
  public:
    explicit SolidFill(Argb colour);
    // Inline: a spectrum trace lays tens of thousands of runs a few pixels long.
    void Apply(std::uint32_t* row, int count) const {
        // A local copy: the pixels are 32-bit words too, so the member would be read again per
        // pixel.
        const std::uint32_t colour = m_premultiplied;
        if (m_keep != 0) {
            Blend(row, 0, count, 1);
        } else if (count > kShortRun) {
            FillLong(row, count);
        } else {
            for (int i = 0; i < count; ++i) row[i] = colour;
        }
    }
    // `rows` runs of `count` pixels, each `stride` pixels after the one before: the strips a
    // pointer move repaints are hundreds of rows a few pixels wide.
    void ApplyRows(std::uint32_t* row, std::ptrdiff_t stride, int count, int rows) const;

  private:
    static constexpr int kShortRun = 16;
    void FillLong(std::uint32_t* row, int count) const;
    void Blend(std::uint32_t* row, std::ptrdiff_t stride, int count, int rows) const;

    std::uint32_t m_premultiplied;
    std::uint32_t m_keep;  // 255 - alpha: how much of what lies beneath shows through
};

// Finds each row's ink; a blended picture is drawn only there.
void IndexInk(PixelImage& picture);

// Each function writes only inside `piece`, which must lie inside the target and inside the
// picture's footprint when its top-left corner is at `at`.
void Fill(const Target& target, IntRect piece, const SolidFill& fill);
void Draw(const Target& target, IntRect piece, const PixelImage& picture, IntPoint at);

}  // namespace quorvel::pixels
