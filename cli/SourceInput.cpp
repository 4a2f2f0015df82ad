#include "cli/SourceInput.h"

#include <QCryptographicHash>
#include <ostream>

#include "source/JsonInput.h"
#include "source/SourceReading.h"

namespace quorvel::cli {

std::unique_ptr<SourceRecord> ReadSourceOrFail(const std::filesystem::path& path,
                                               std::ostream& err) {
    SourceRead read = ReadSource(path);
    if (!read.record) err << "quorvel-cli: " << read.reason << "\n";
    return std::move(read.record);
}

std::optional<Json> ReadJsonOrFail(const std::filesystem::path& path, std::ostream& err) {
    JsonInput input = ReadJsonInput(path);
    if (!input.document) err << "quorvel-cli: " << input.error << "\n";
    return std::move(input.document);
}

std::string Sha256OfRecord(const SourceRecord& record) {
    const QByteArrayView bytes(record.bytes.data(), static_cast<qsizetype>(record.bytes.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

}  // namespace quorvel::cli
