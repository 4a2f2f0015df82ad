#include "cli/PictureText.h"

#include <cstdio>

#include "data/TextEncoding.h"

namespace quorvel::cli {

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
    return ValidUtf8(path.filename().native());
}

}  // namespace quorvel::cli
