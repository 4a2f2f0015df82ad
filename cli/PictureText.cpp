#include "cli/PictureText.h"

#include <QString>

#include "data/TextEncoding.h"

namespace quorvel::cli {

std::string Utf8FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::string Utf8FromText8(std::string_view text) {
    return Utf8FromUtf16(WidenText(text));
}

std::string Utf8FileName(const std::filesystem::path& path) {
    return QString::fromLocal8Bit(path.filename().native()).toStdString();
}

}  // namespace quorvel::cli
