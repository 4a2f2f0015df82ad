#include "cli/PngEncoder.h"

#include <png.h>

#include <bit>
#include <csetjmp>

namespace quorvel::cli {

namespace {

// Rows are stored unfiltered and compressed at zlib level 1. The screens are mostly flat colour,
// which LZ77 matches as it stands; on samples/demo.dat this makes files smaller than Qt's
// writer (every filter tried on every row, level 4) at about a third of its cost, and Qt's
// writer offers no way to choose the filter. PNG is lossless, so no choice here changes a pixel.
constexpr int kZlibLevel = 1;

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports errors by longjmp; this frame holds nothing that needs destroying.
bool Write(png_structp png, png_infop info, const QImage& image) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kZlibLevel);
    png_write_info(png, info);
    // An RGB32 pixel is the 32-bit value 0xFFRRGGBB: in memory B, G, R, 0xFF on a
    // little-endian machine and 0xFF, R, G, B on a big-endian one.
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < image.height(); ++y) {
        png_write_row(png, image.constScanLine(y));
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool EncodePng(const QImage& image, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool written = false;
    if (info) {
        png_set_write_fn(png, &bytes, AppendToVector, NoFlush);
        written = Write(png, info, image);
    }
    png_destroy_write_struct(&png, &info);
    if (!written) bytes.clear();
    return written;
}

}  // namespace quorvel::cli
