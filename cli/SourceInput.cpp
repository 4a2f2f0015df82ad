#include "cli/SourceInput.h"

#include <QCryptographicHash>

#include "source/SourceReading.h"

namespace quorvel::cli {

SourceInput ReadSourceInput(const std::filesystem::path& path) {
    SourceRead read = ReadSource(path);
    return {std::move(read.record), std::move(read.reason)};
}

std::string Sha256OfRecord(const SourceRecord& record) {
    const QByteArrayView bytes(record.bytes.data(), static_cast<qsizetype>(record.bytes.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

}  // namespace quorvel::cli
