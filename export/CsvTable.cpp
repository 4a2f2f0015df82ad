#include "export/CsvTable.h"

namespace quorvel {

bool IsPlainDecimal(std::string_view text) {
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (digits == text.size()) return false;
    bool point = false;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (text[i] == '.' && !point && i > digits && i + 1 < text.size()) {
            point = true;
        } else if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

std::string CsvField(std::string_view text) {
    const bool formula = !text.empty() &&
                         std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
                         !IsPlainDecimal(text);
    std::string cell(formula ? 1 : 0, '\'');
    cell.append(text.data(), text.size());
    const bool padded = !cell.empty() && (cell.front() == ' ' || cell.back() == ' ');
    if (!padded && cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string TsvField(std::string_view text) {
    std::string field;
    for (char c : text) {
        switch (c) {
            case '\t':
                field += "\\t";
                break;
            case '\n':
                field += "\\n";
                break;
            case '\r':
                field += "\\r";
                break;
            case '\\':
                field += "\\\\";
                break;
            default:
                field += c;
        }
    }
    return field;
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
    std::string out = "\xEF\xBB\xBF";
    AppendRow(out, table.columns);
    for (const auto& row : table.rows) AppendRow(out, row);
    return out;
}

}  // namespace quorvel
