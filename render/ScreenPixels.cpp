#include "render/ScreenPixels.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUORVEL_BLEND_AVX2 1
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
    : m_premultiplied(Premultiplied16(InScreenOrder(colour))), m_keep(255 - (colour >> 24)) {}

void SolidFill::FillLong(std::uint32_t* row, int count) const {
#if defined(__wasm_simd128__)
    // The browser page's C library fills 32-bit words one at a time; this loop the compiler
    // turns into 16-byte stores.
    const std::uint32_t colour = m_premultiplied;
    for (int i = 0; i < count; ++i) row[i] = colour;
#else
    // wchar_t is 32 bits here, and the C library's wmemset is the fastest 32-bit fill.
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
    std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(m_premultiplied),
                 static_cast<std::size_t>(count));
#endif
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
void BlendRowPortable(std::uint32_t* out, const std::uint32_t* in, int count) {
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

#if QUORVEL_BLEND_AVX2
// The same arithmetic eight pixels at a time, where the processor has the instructions; text
// ink is most of what a pass blends.
__attribute__((target("avx2"))) __m256i BlendEight(__m256i source, __m256i beneath) {
    const __m256i evenMask = _mm256_set1_epi32(0x00FF00FF);
    const __m256i half = _mm256_set1_epi32(0x00800080);
    const __m256i full = _mm256_set1_epi32(255);
    __m256i keep = _mm256_sub_epi32(full, _mm256_srli_epi32(source, 24));
    keep = _mm256_or_si256(keep, _mm256_slli_epi32(keep, 16));
    __m256i redBlue = _mm256_mullo_epi16(_mm256_and_si256(beneath, evenMask), keep);
    redBlue = _mm256_add_epi16(_mm256_add_epi16(redBlue, _mm256_srli_epi16(redBlue, 8)), half);
    redBlue = _mm256_srli_epi16(redBlue, 8);
    __m256i alphaGreen =
        _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(beneath, 8), evenMask), keep);
    alphaGreen =
        _mm256_add_epi16(_mm256_add_epi16(alphaGreen, _mm256_srli_epi16(alphaGreen, 8)), half);
    alphaGreen = _mm256_andnot_si256(evenMask, alphaGreen);
    return _mm256_add_epi32(source, _mm256_or_si256(alphaGreen, redBlue));
}

__attribute__((target("avx2"))) void BlendRowAvx2(std::uint32_t* out, const std::uint32_t* in,
                                                  int count) {
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        if (_mm256_testz_si256(source, source)) continue;
        auto* destination = reinterpret_cast<__m256i*>(out + x);
        if (_mm256_testc_si256(source, opaque)) {
            _mm256_storeu_si256(destination, source);
            continue;
        }
        _mm256_storeu_si256(destination, BlendEight(source, _mm256_loadu_si256(destination)));
    }
    if (x == count) return;
    // The last few pixels through a mask, which neither reads nor writes past the row.
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(count - x), lanes);
    const auto* source = reinterpret_cast<const int*>(in + x);
    auto* destination = reinterpret_cast<int*>(out + x);
    _mm256_maskstore_epi32(destination, mask,
                           BlendEight(_mm256_maskload_epi32(source, mask),
                                      _mm256_maskload_epi32(destination, mask)));
}
#endif

void BlendRow(std::uint32_t* out, const std::uint32_t* in, int count) {
#if QUORVEL_BLEND_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        BlendRowAvx2(out, in, count);
        return;
    }
#endif
    BlendRowPortable(out, in, count);
}

}  // namespace

void IndexInk(PixelImage& picture) {
    picture.rowInk.assign(static_cast<std::size_t>(std::max(picture.height, 0)), {});
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.Row(y);
        int begin = 0;
        int end = picture.width;
        while (begin < end && row[begin] == 0) ++begin;
        while (end > begin && row[end - 1] == 0) --end;
        picture.rowInk[static_cast<std::size_t>(y)] = {begin, end};
    }
}

// Opaque pictures (the icons) are plain copies; texts blend source-over their premultiplied ink,
// where they have any.
void Draw(const Target& target, IntRect piece, const PixelImage& picture, IntPoint at) {
    const int left = piece.x - at.x;
    const int right = left + piece.w;
    const int room = std::min(picture.width, target.Bounds().w - at.x);
    for (int y = piece.y; y < piece.y + piece.h; ++y) {
        const int row = y - at.y;
        const std::uint32_t* in = picture.Row(row);
        std::uint32_t* out = target.Row(y) + at.x;
        if (!picture.premultiplied) {
            std::memcpy(out + left, in + left, static_cast<std::size_t>(piece.w) * sizeof(std::uint32_t));
            continue;
        }
        // One stretch a row, clear pixels and all: blending skips clear blocks of eight for
        // less than it would cost to start again at every stroke.
        const InkRun ink = picture.rowInk[static_cast<std::size_t>(row)];
        const int begin = std::max(ink.begin, left);
        int end = std::min(ink.end, right);
        // Rounded up to whole blocks of eight where the piece does not cut the ink: the pixels
        // after it are clear, and a clear pixel blended leaves the one beneath as it was.
        if (ink.end <= right) end = std::min(begin + ((end - begin + 7) & ~7), room);
        if (begin < end) BlendRow(out + begin, in + begin, end - begin);
    }
}

}  // namespace quorvel::pixels
