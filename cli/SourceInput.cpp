#include "cli/SourceInput.h"

#include <QCryptographicHash>
#include <QFile>

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

std::string Sha256OfFile(const std::filesystem::path& path) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path.string())));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return hash.result().toHex().toStdString();
}

}  // namespace quorvel::cli
