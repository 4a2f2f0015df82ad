#include "render/ScreenPixels.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Source-over of premultiplied pixels: the source plus what its alpha leaves of the pixel
// beneath. Exact for every source, a clear one (which leaves the pixel) and an opaque one (which
// replaces it) included.
void BlendRow(std::uint32_t* out, const std::uint32_t* in, int count) {
    int x = 0;
#if defined(__SSE2__)
    // Four pixels at a time, as QPainter blends: most of a text's ink is clear or opaque.
    const __m128i evenMask = _mm_set1_epi32(0x00FF00FF);
    const __m128i half = _mm_set1_epi32(0x00800080);
    const __m128i full = _mm_set1_epi32(255);
    for (; x + 4 <= count; x += 4) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i alpha = _mm_srli_epi32(source, 24);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(source, _mm_setzero_si128())) == 0xFFFF) continue;
        auto* destination = reinterpret_cast<__m128i*>(out + x);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, full)) == 0xFFFF) {
            _mm_storeu_si128(destination, source);
            continue;
        }
        __m128i keep = _mm_sub_epi32(full, alpha);
        keep = _mm_or_si128(keep, _mm_slli_epi32(keep, 16));
        const __m128i beneath = _mm_loadu_si128(destination);
        __m128i redBlue = _mm_mullo_epi16(_mm_and_si128(beneath, evenMask), keep);
        redBlue = _mm_add_epi16(_mm_add_epi16(redBlue, _mm_srli_epi16(redBlue, 8)), half);
        redBlue = _mm_srli_epi16(redBlue, 8);
        __m128i alphaGreen = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(beneath, 8), evenMask), keep);
        alphaGreen = _mm_add_epi16(_mm_add_epi16(alphaGreen, _mm_srli_epi16(alphaGreen, 8)), half);
        alphaGreen = _mm_andnot_si128(evenMask, alphaGreen);
        _mm_storeu_si128(destination,
                         _mm_add_epi32(source, _mm_or_si128(alphaGreen, redBlue)));
    }
#endif
    for (; x < count; ++x) out[x] = in[x] + ByteMul(out[x], 255 - (in[x] >> 24));
}

}  // namespace

void IndexInk(PixelImage& picture) {
    picture.runs.clear();
    picture.rowRuns.assign(1, 0);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.Row(y);
        for (int x = 0; x < picture.width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < picture.width && row[x] != 0) ++x;
            picture.runs.push_back({begin, x});
        }
        picture.rowRuns.push_back(static_cast<std::uint32_t>(picture.runs.size()));
    }
}

// Opaque pictures (the icons) are plain copies; texts blend source-over their premultiplied ink,
// where they have any.
void Draw(const Target& target, IntRect piece, const PixelImage& picture, IntPoint at) {
    const int left = piece.x - at.x;
    const int right = left + piece.w;
    for (int y = piece.y; y < piece.y + piece.h; ++y) {
        const int row = y - at.y;
        const std::uint32_t* in = picture.Row(row);
        std::uint32_t* out = target.Row(y) + at.x;
        if (!picture.premultiplied) {
            std::memcpy(out + left, in + left, static_cast<std::size_t>(piece.w) * sizeof(std::uint32_t));
            continue;
        }
        const auto first = static_cast<std::size_t>(picture.rowRuns[static_cast<std::size_t>(row)]);
        const auto last = static_cast<std::size_t>(picture.rowRuns[static_cast<std::size_t>(row) + 1]);
        for (std::size_t r = first; r < last; ++r) {
            const int begin = std::max(picture.runs[r].begin, left);
            const int end = std::min(picture.runs[r].end, right);
            if (begin < end) BlendRow(out + begin, in + begin, end - begin);
        }
    }
}

}  // namespace quorvel::pixels
