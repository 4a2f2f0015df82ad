#include "render/ScreenPixels.h"

#include <cstring>
#include <cwchar>

namespace quorvel::pixels {
namespace {

// A 16-bit channel back to 8 bits, rounded.
constexpr std::uint32_t To8(std::uint32_t x) {
    x += 0x80;
    return (x - (x >> 8)) >> 8;
}

}  // namespace

std::uint32_t Premultiplied16(Argb colour) {
    const std::uint32_t alpha = colour >> 24;
    if (alpha == 255) return colour;
    if (alpha == 0) return 0;
    const std::uint64_t a16 = alpha * 257u;
    std::uint32_t out = alpha << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint64_t c = ((colour >> shift) & 0xff) * 257u * a16;
        const auto premultiplied = static_cast<std::uint32_t>((c + (c >> 16) + 0x8000) >> 16);
        out |= To8(premultiplied) << shift;
    }
    return out;
}

SolidFill::SolidFill(Argb colour)
    : m_premultiplied(Premultiplied16(colour)), m_keep(255 - (colour >> 24)) {}

void SolidFill::FillLong(std::uint32_t* row, int count) const {
    // wchar_t is 32 bits here, and the C library's wmemset is the fastest 32-bit fill.
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
    std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(m_premultiplied),
                 static_cast<std::size_t>(count));
}

// What lies beneath a fill repeats (the plot's black, the trace's green), so the last pixel's
// result is kept and the arithmetic runs only when the pixel beneath changes.
void SolidFill::Blend(std::uint32_t* row, std::ptrdiff_t stride, int count, int rows) const {
    if (m_keep == 255 || count <= 0 || rows <= 0) return;
    const std::uint32_t colour = m_premultiplied;
    const std::uint32_t keep = m_keep;
    std::uint32_t beneath = row[0];
    std::uint32_t blended = colour + ByteMul(beneath, keep);
    for (int r = 0; r < rows; ++r, row += stride) {
        for (int i = 0; i < count; ++i) {
            if (row[i] != beneath) {
                beneath = row[i];
                blended = colour + ByteMul(beneath, keep);
            }
            row[i] = blended;
        }
    }
}

void SolidFill::ApplyRows(std::uint32_t* row, std::ptrdiff_t stride, int count, int rows) const {
    const std::uint32_t colour = m_premultiplied;
    if (m_keep != 0) {
        Blend(row, stride, count, rows);
    } else if (count > kShortRun) {
        for (int r = 0; r < rows; ++r, row += stride) FillLong(row, count);
    } else {
        for (int r = 0; r < rows; ++r, row += stride) {
            for (int i = 0; i < count; ++i) row[i] = colour;
        }
    }
}

void Fill(const Target& target, IntRect piece, const SolidFill& fill) {
    fill.ApplyRows(target.Row(piece.y) + piece.x, target.Stride(), piece.w, piece.h);
}

// Opaque pictures (the icons) are plain copies; texts blend source-over their premultiplied ink.
void Draw(const Target& target, IntRect piece, const PixelImage& picture, IntPoint at) {
    for (int y = piece.y; y < piece.y + piece.h; ++y) {
        const std::uint32_t* in = picture.Row(y - at.y) + (piece.x - at.x);
        std::uint32_t* out = target.Row(y) + piece.x;
        if (!picture.premultiplied) {
            std::memcpy(out, in, static_cast<std::size_t>(piece.w) * sizeof(std::uint32_t));
            continue;
        }
        for (int x = 0; x < piece.w; ++x) {
            const std::uint32_t source = in[x];
            if (source >= 0xFF000000u) {
                out[x] = source;
            } else if (source != 0) {
                out[x] = source + ByteMul(out[x], 255 - (source >> 24));
            }
        }
    }
}

}  // namespace quorvel::pixels
