// The PDF report of a source data file: a title page, the Measure values per DVB type, then
// every listed screen as a vector picture with its caption, in English or French.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "data/SourceRecord.h"
#include "data/Types.h"

namespace quorvel::cli {

struct ReportInput {
    const SourceRecord* record = nullptr;
    std::string fileName;  // UTF-8
    std::string sha256;
    std::string date;
    std::string version;
    Language language = Language::English;
    std::vector<DvbType> dvbTypes;
};

struct Report {
    QByteArray pdf;  // empty when the document could not be made
    int pages = 0;
    std::vector<int> missingIcons;
};

Report MakeReport(const ReportInput& input);

}  // namespace quorvel::cli
