// PNG files of any colour type and depth, read through libpng into 8-bit RGB; alpha is dropped.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "compare/PictureDecoder.h"

namespace quorvel::compare {

namespace {

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
    png_set_chunk_malloc_max(state.png, 8u << 20);
    png_read_info(state.png, state.info);
    const png_uint_32 width = png_get_image_width(state.png, state.info);
    const png_uint_32 height = png_get_image_height(state.png, state.info);
    state.sizeError = CheckPictureSize(width, height);
    if (!state.sizeError.empty()) return false;

    png_set_expand(state.png);
    png_set_strip_16(state.png);
    png_set_strip_alpha(state.png);
    png_set_gray_to_rgb(state.png);
    png_set_interlace_handling(state.png);
    png_read_update_info(state.png, state.info);
    if (png_get_rowbytes(state.png, state.info) != std::size_t{width} * 3) {
        png_error(state.png, "unexpected row layout after conversion");
    }
    state.rgb.resize(std::size_t{width} * 3 * height);
    state.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) state.rows[y] = state.rgb.data() + std::size_t{y} * width * 3;
    png_read_image(state.png, state.rows.data());
    // Text chunks may also follow the pixels.
    png_read_end(state.png, state.info);

    png_textp texts = nullptr;
    const int count = png_get_text(state.png, state.info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        picture.notes.emplace_back(texts[i].key,
                                   std::string(texts[i].text, texts[i].text_length));
    }
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return true;
}

}  // namespace

DecodeOutcome DecodePng(std::span<const std::uint8_t> bytes) {
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
    Picture& picture = outcome.picture;
    picture.pixels.resize(state.rgb.size() / 3);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint8_t* in = state.rgb.data() + i * 3;
        picture.pixels[i] = static_cast<std::uint32_t>(in[0]) << 16 |
                            static_cast<std::uint32_t>(in[1]) << 8 | in[2];
    }
    return outcome;
}

}  // namespace quorvel::compare
