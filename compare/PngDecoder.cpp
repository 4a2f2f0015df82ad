// PNG files of any colour type and depth, read through libpng into 8-bit RGB; alpha is dropped.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <string_view>

#include "compare/PictureDecoder.h"

namespace quorvel::compare {

namespace {

constexpr std::size_t kMostDeflateShrinks = 1032;

struct MemoryInput {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

struct ErrorSink {
    char message[200] = "";
};

// libpng reports a fatal error by calling this and expecting it not to return.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep into, png_size_t count) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (input->bytes.size() - input->at < count) png_error(png, "file is truncated");
    std::memcpy(into, input->bytes.data() + input->at, count);
    input->at += count;
}

// Everything between setjmp and a possible longjmp lives in objects created before setjmp, so
// nothing with a destructor is skipped when libpng gives up.
void AppendRgbRow(const std::uint8_t* rgb, std::size_t width, std::vector<std::uint32_t>& pixels) {
    for (std::size_t x = 0; x < width; ++x, rgb += 3) {
        pixels.push_back(static_cast<std::uint32_t>(rgb[0]) << 16 |
                         static_cast<std::uint32_t>(rgb[1]) << 8 | rgb[2]);
    }
}

// Plain text chunks hold Latin-1, whose characters are the first 256 of Unicode.
std::string Utf8FromLatin1(std::string_view text) {
    std::string utf8;
    for (const unsigned char c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | c >> 6);
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

struct ReadState {
    MemoryInput input;
    ErrorSink sink;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<std::uint8_t> rgb;
    std::vector<png_bytep> rows;
    std::string sizeError;
};

bool ReadInto(ReadState& state, Picture& picture) {
    if (setjmp(png_jmpbuf(state.png))) return false;
    png_set_read_fn(state.png, &state.input, ReadFromMemory);
    png_set_user_limits(state.png, kMaxPictureSide, kMaxPictureSide);
    // Text notes are short; a file of thousands of (compressed) text chunks must not cost
    // seconds or gigabytes.
    png_set_chunk_malloc_max(state.png, 1u << 20);
    png_set_chunk_cache_max(state.png, 64);
    png_read_info(state.png, state.info);
    const png_uint_32 width = png_get_image_width(state.png, state.info);
    const png_uint_32 height = png_get_image_height(state.png, state.info);
    state.sizeError = CheckPictureSize(width, height);
    if (!state.sizeError.empty()) return false;

    // Deflate shrinks data at most about 1032 to 1, so a file too small to hold the picture's
    // rows even at that ratio is refused before any row memory is taken.
    const std::size_t rawBytes =
        (png_get_rowbytes(state.png, state.info) + 1) * std::size_t{height};
    if (rawBytes / kMostDeflateShrinks > state.input.bytes.size()) {
        png_error(state.png, "file is truncated: too small for the picture its header declares");
    }
    png_set_expand(state.png);
    png_set_strip_16(state.png);
    png_set_strip_alpha(state.png);
    png_set_gray_to_rgb(state.png);
    const int passes = png_set_interlace_handling(state.png);
    png_read_update_info(state.png, state.info);
    if (png_get_rowbytes(state.png, state.info) != std::size_t{width} * 3) {
        png_error(state.png, "unexpected row layout after conversion");
    }
    const std::size_t rowBytes = std::size_t{width} * 3;
    if (passes > 1) {
        // Interlaced passes revisit every row, so the whole picture is held at once.
        state.rgb.resize(rowBytes * height);
        state.rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) state.rows[y] = state.rgb.data() + y * rowBytes;
        png_read_image(state.png, state.rows.data());
    } else {
        // Row by row, so a small file claiming a huge picture fails before memory is taken
        // for rows it does not have.
        state.rgb.resize(rowBytes);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(state.png, state.rgb.data(), nullptr);
            AppendRgbRow(state.rgb.data(), width, picture.pixels);
        }
    }
    // Text chunks may also follow the pixels.
    png_read_end(state.png, state.info);

    png_textp texts = nullptr;
    const int count = png_get_text(state.png, state.info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        const bool international = texts[i].compression >= PNG_ITXT_COMPRESSION_NONE;
        const std::string_view text(texts[i].text,
                                    international ? texts[i].itxt_length : texts[i].text_length);
        picture.notes.emplace_back(texts[i].key,
                                   international ? std::string(text) : Utf8FromLatin1(text));
    }
    png_uint_32 xPerUnit = 0, yPerUnit = 0;
    int unit = 0;
    if (png_get_pHYs(state.png, state.info, &xPerUnit, &yPerUnit, &unit) != 0 &&
        unit == PNG_RESOLUTION_METER) {
        picture.dotsPerMetre = xPerUnit;
    }
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return true;
}

// libpng takes memory for a chunk as its length field says, before reading it; a chunk that
// claims more bytes than the file has left is refused first.
std::string CheckChunkLengths(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kSignatureBytes = 8, kChunkOverhead = 12;
    // A chunk header alone is enough for libpng to take memory, so any header is checked.
    constexpr std::size_t kHeaderBytes = 8;
    for (std::size_t at = kSignatureBytes; at + kHeaderBytes <= bytes.size();) {
        const std::size_t length = std::size_t{bytes[at]} << 24 | std::size_t{bytes[at + 1]} << 16 |
                                   std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        const std::string type(bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                               bytes.begin() + static_cast<std::ptrdiff_t>(at) + 8);
        if (bytes.size() - at < kChunkOverhead || length > bytes.size() - at - kChunkOverhead) {
            return "is truncated: chunk of " + std::to_string(length) + " bytes at byte " +
                   std::to_string(at) + ", the file has " + std::to_string(bytes.size());
        }
        if (type == "IEND") break;
        at += kChunkOverhead + length;
    }
    return {};
}

}  // namespace

DecodeOutcome DecodePng(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return {{}, "not a PNG picture"};
    if (std::string cut = CheckChunkLengths(bytes); !cut.empty()) return {{}, "PNG " + cut};
    ReadState state;
    state.input.bytes = bytes;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state.sink, OnError, OnWarning);
    if (state.png != nullptr) state.info = png_create_info_struct(state.png);
    if (state.info == nullptr) {
        png_destroy_read_struct(&state.png, nullptr, nullptr);
        return {{}, "PNG decoder could not start"};
    }
    DecodeOutcome outcome;
    const bool read = ReadInto(state, outcome.picture);
    png_destroy_read_struct(&state.png, &state.info, nullptr);
    if (!read) {
        outcome.picture = {};
        outcome.error = state.sizeError.empty() ? "PNG " + std::string(state.sink.message)
                                                : "PNG " + state.sizeError;
        return outcome;
    }
    if (outcome.picture.pixels.empty()) {
        AppendRgbRow(state.rgb.data(), state.rgb.size() / 3, outcome.picture.pixels);
    }
    return outcome;
}

}  // namespace quorvel::compare
