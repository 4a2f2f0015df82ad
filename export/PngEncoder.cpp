#include "export/PngEncoder.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <new>
#include <vector>

namespace quorvel {

namespace {

// Rows are stored unfiltered and compressed at zlib level 1. The screens are mostly flat colour,
// which LZ77 matches as it stands; on samples/demo.dat this makes files smaller than Qt's
// writer (every filter tried on every row, level 4) at about a third of its cost, and Qt's
// writer offers no way to choose the filter. PNG is lossless, so no choice here changes a pixel.
constexpr int kZlibLevel = 1;

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    // No exception may cross libpng's C frames; png_error takes the longjmp path instead.
    try {
        bytes->insert(bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void NoFlush(png_structp) {}

// Rows go to libpng as plain R, G, B bytes: converting them here costs less than libpng's own
// strip-and-swap transform, and reads the 32-bit values the same on any byte order. An enlarged
// picture repeats each pixel `scale` times along the row and each row `scale` times.
void WriteRows(png_structp png, PixelRows rows, int scale, std::vector<png_byte>& row) {
    for (int y = 0; y < rows.height; ++y) {
        const std::uint32_t* pixels = rows.first + y * rows.stride;
        png_byte* out = row.data();
        for (int x = 0; x < rows.width; ++x) {
            for (int repeat = 0; repeat < scale; ++repeat, out += 3) {
                out[0] = static_cast<png_byte>(pixels[x] >> 16);
                out[1] = static_cast<png_byte>(pixels[x] >> 8);
                out[2] = static_cast<png_byte>(pixels[x]);
            }
        }
        for (int repeat = 0; repeat < scale; ++repeat) png_write_row(png, row.data());
    }
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// Plain text chunks hold Latin-1, so a value with other characters goes in an international
// one, which holds UTF-8.
std::vector<png_text> TextChunks(const PictureExtras& extras) {
    std::vector<png_text> chunks;
    for (const auto& [key, value] : extras.texts) {
        png_text chunk{};
        chunk.compression = IsAscii(value) ? PNG_TEXT_COMPRESSION_NONE : PNG_ITXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(key.c_str());
        chunk.text = const_cast<char*>(value.c_str());
        chunk.text_length = value.size();
        chunk.lang = const_cast<char*>("");
        chunk.lang_key = const_cast<char*>("");
        chunks.push_back(chunk);
    }
    return chunks;
}

// libpng reports errors by longjmp, so this frame holds nothing that needs destroying; `row`
// (one row of R, G, B bytes) and `texts` belong to the caller.
bool Write(png_structp png, png_infop info, PixelRows rows, const PictureExtras& extras,
           std::vector<png_text>& texts, std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width * extras.scale),
                 static_cast<png_uint_32>(rows.height * extras.scale), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (extras.dpi > 0) {
        const auto perMetre = static_cast<png_uint_32>(std::lround(extras.dpi / 0.0254));
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    if (!texts.empty()) png_set_text(png, info, texts.data(), static_cast<int>(texts.size()));
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kZlibLevel);
    png_write_info(png, info);
    WriteRows(png, rows, extras.scale, row);
    png_write_end(png, info);
    return true;
}

}  // namespace

bool EncodePng(PixelRows rows, const PictureExtras& extras, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    bool written = false;
    if (info) {
        png_set_write_fn(png, &bytes, AppendToVector, NoFlush);
        std::vector<png_byte> row(static_cast<std::size_t>(rows.width) * 3 *
                                  static_cast<std::size_t>(extras.scale));
        std::vector<png_text> texts = TextChunks(extras);
        written = Write(png, info, rows, extras, texts, row);
    }
    png_destroy_write_struct(&png, &info);
    if (!written) bytes.clear();
    return written;
}

}  // namespace quorvel
