#include "cli/SourceInput.h"

#include <QCryptographicHash>

#include "data/SourceFile.h"

namespace quorvel::cli {

SourceInput ReadSourceInput(const std::filesystem::path& path) {
    SourceInput input;
    auto record = std::make_unique<SourceRecord>();
    switch (LoadSourceFile(path, *record)) {
        case LoadOutcome::Loaded:
            input.record = std::move(record);
            break;
        case LoadOutcome::CannotOpen:
            input.error = "cannot open " + path.string() + " (missing, unreadable or not a file)";
            break;
        case LoadOutcome::IncompleteRead:
            input.error = "cannot read " + path.string() + ": a source data file holds " +
                          std::to_string(record::kSize) + " bytes";
            break;
    }
    return input;
}

std::string Sha256OfRecord(const SourceRecord& record) {
    const QByteArrayView bytes(record.bytes.data(), static_cast<qsizetype>(record.bytes.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

}  // namespace quorvel::cli
