#include "cli/FitReportTable.h"

#include "data/Formatting.h"

namespace quorvel::cli {

namespace {

// Widths are whole 64ths of a pixel: ten digits show them exactly.
std::string Number(double value) {
    return FormatPrintf("%.10g", value);
}

}  // namespace

CsvTable FitReportTable(const FitReport& report) {
    CsvTable table{{"id", "language", "text", "English", "shown", "needed width (px)",
                    "box width (px)", "box height (px)", "font size (px)", "scale", "pictures"},
                   {}};
    for (const FitEntry& entry : report.entries) {
        std::string pictures;
        for (const std::string& file : entry.pictures) {
            pictures += (pictures.empty() ? "" : "; ") + file;
        }
        table.rows.push_back({entry.id, std::string(LanguageCode(entry.language)), entry.text,
                              entry.english, entry.shown, Number(entry.neededWidth),
                              Number(entry.boxWidth), Number(entry.boxHeight),
                              std::to_string(entry.fontSize), std::to_string(report.scale),
                              pictures});
    }
    return table;
}

std::string FitReportTsv(const CsvTable& table) {
    std::string tsv;
    const auto append = [&tsv](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) tsv += '\t';
            tsv += TsvField(fields[i]);
        }
        tsv += '\n';
    };
    append(table.columns);
    for (const std::vector<std::string>& row : table.rows) append(row);
    return tsv;
}

}  // namespace quorvel::cli
