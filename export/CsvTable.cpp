#include "export/CsvTable.h"

namespace quorvel {

std::string CsvField(std::string_view text) {
    const bool padded = !text.empty() && (text.front() == ' ' || text.back() == ' ');
    if (!padded && text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

namespace {

void AppendRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        out += CsvField(fields[i]);
    }
    out += "\r\n";
}

}  // namespace

std::string CsvText(const CsvTable& table) {
    std::string out;
    AppendRow(out, table.columns);
    for (const auto& row : table.rows) AppendRow(out, row);
    return out;
}

}  // namespace quorvel
