#include "cli/PictureText.h"

#include <QString>
#include <cstdio>

#include "data/TextEncoding.h"

namespace quorvel::cli {

std::string Utf8FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::string Utf8FromText8(std::string_view text) {
    return Utf8FromUtf16(WidenText(text));
}

std::string Utf8Name(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

namespace {

// Bytes in the UTF-8 sequence that starts at `at`, 0 when none starts there (a stray
// continuation byte, a bad lead byte, a cut or overlong sequence, a surrogate or beyond U+10FFFF).
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

}  // namespace

std::string PrintableText(std::string_view utf8) {
    std::string shown;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = Utf8SequenceAt(utf8, at);
        const auto lead = static_cast<unsigned char>(utf8[at]);
        // U+0080 to U+009F, the C1 controls, are 0xC2 0x80 to 0xC2 0x9F.
        const bool control = length == 1 ? lead < 0x20 || lead == 0x7F
                                         : length == 2 && lead == 0xC2 &&
                                               static_cast<unsigned char>(utf8[at + 1]) < 0xA0;
        if (length == 0 || control) {
            const std::size_t escaped = length == 0 ? 1 : length;
            for (std::size_t i = 0; i < escaped; ++i) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(utf8[at + i]));
                shown += hex;
            }
            at += escaped;
            continue;
        }
        if (lead == '\\') shown += '\\';
        shown.append(utf8, at, length);
        at += length;
    }
    return shown;
}

std::string Utf8FileName(const std::filesystem::path& path) {
    return Utf8Name(path.filename().native());
}

}  // namespace quorvel::cli
