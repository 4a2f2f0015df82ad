#include "data/TextEncoding.h"

#include <array>

namespace quorvel {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined keep their value.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

bool IsLeadSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsTrailSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(char32_t code, std::string& out) {
    const auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | code >> 6);
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | code >> 12);
        byte(0x80 | (code >> 6 & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | code >> 18);
        byte(0x80 | (code >> 12 & 0x3F));
        byte(0x80 | (code >> 6 & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::u16string WidenText(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        wide.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControlBlock[byte - 0x80]
                                                    : static_cast<char16_t>(byte));
    }
    return wide;
}

std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    if (length == 3 && ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0)))
        return 0;
    if (length == 4 && ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90)))
        return 0;
    return length;
}

std::string ValidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, at);
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            ++at;
        } else {
            text.append(bytes, at, length);
            at += length;
        }
    }
    return text;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char32_t unit = text[at];
        if (IsLeadSurrogate(unit) && at + 1 < text.size() && IsTrailSurrogate(text[at + 1])) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (text[++at] - 0xDC00), utf8);
        } else {
            AppendUtf8(IsLeadSurrogate(unit) || IsTrailSurrogate(unit) ? kReplacement : unit, utf8);
        }
    }
    return utf8;
}

std::string Utf8FromText8(std::string_view text) {
    return Utf8FromUtf16(WidenText(text));
}

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
    std::u16string utf16;
    utf16.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) return std::nullopt;
        const auto lead = static_cast<unsigned char>(text[at]);
        // The lead byte keeps 7, 5, 4 or 3 bits of the code point; each further byte six more.
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        }
        if (code < 0x10000) {
            utf16.push_back(static_cast<char16_t>(code));
        } else {
            utf16.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
        at += length;
    }
    return utf16;
}

}  // namespace quorvel
