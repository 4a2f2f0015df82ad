// `info PICTURE.png`: the provenance text a batch wrote into a picture, read back.
#include <QImage>
#include <QImageReader>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <ostream>

#include "cli/Commands.h"
#include "cli/PictureProvenance.h"

namespace quorvel::cli {

namespace {

std::uint32_t BigEndian32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

// Dots per inch from the pHYs chunk, 0 when the file records none (Qt reports its own default
// then, so its reading cannot tell).
long RecordedDpi(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    char signature[8];
    if (!file.read(signature, 8)) return 0;
    char header[8];
    while (file.read(header, 8)) {
        const std::uint32_t length = BigEndian32(header);
        const std::string type(header + 4, 4);
        if (type == "IDAT" || type == "IEND") return 0;
        if (type == "pHYs" && length == 9) {
            char data[9];
            if (!file.read(data, 9) || data[8] != 1) return 0;
            return std::lround(BigEndian32(data) * 0.0254);
        }
        file.seekg(static_cast<std::streamoff>(length) + 4, std::ios::cur);
    }
    return 0;
}

}  // namespace

int RunInfo(const InfoOptions& options, std::ostream& out, std::ostream& err) {
    const QString path = QString::fromStdString(options.picture.string());
    QImageReader reader(path, "png");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        err << "quorvel-cli: " << options.picture.string() << ": not a readable PNG picture ("
            << reader.errorString().toStdString() << ")\n";
        return kExitFailure;
    }
    out << "Size: " << picture.width() << "x" << picture.height() << "\n";
    if (const long dpi = RecordedDpi(options.picture); dpi > 0) {
        out << "Resolution: " << dpi << " dpi\n";
    }
    bool found = false;
    for (std::string_view key : kProvenanceKeys) {
        const QString value = picture.text(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
        if (value.isEmpty()) continue;
        found = true;
        out << key << ": " << value.toStdString() << "\n";
    }
    if (!found) {
        out << options.picture.string()
            << ": no provenance text (not written by quorvel-cli render)\n";
    }
    return kExitOk;
}

}  // namespace quorvel::cli
