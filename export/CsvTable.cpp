#include "export/CsvTable.h"

#include <algorithm>

namespace quorvel {

bool IsPlainDecimal(std::string_view text, char decimalMark) {
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (digits == text.size()) return false;
    bool mark = false;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (text[i] == decimalMark && !mark && i > digits && i + 1 < text.size()) {
            mark = true;
        } else if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

bool IsSpreadsheetNumber(std::string_view text, char decimalMark) {
    const std::size_t e = text.find('E');
    if (e == std::string_view::npos) return IsPlainDecimal(text, decimalMark);
    std::string_view exponent = text.substr(e + 1);
    if (exponent.starts_with('-') || exponent.starts_with('+')) exponent.remove_prefix(1);
    return IsPlainDecimal(text.substr(0, e), decimalMark) && !exponent.empty() &&
           exponent.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string CsvField(std::string_view text, const CsvDialect& dialect) {
    std::string written(text);
    if (IsSpreadsheetNumber(written, '.')) {
        std::replace(written.begin(), written.end(), '.', dialect.decimalMark);
    }
    const bool formula = !written.empty() &&
                         std::string_view("=+-@\t\r").find(written[0]) != std::string_view::npos &&
                         !IsSpreadsheetNumber(written, dialect.decimalMark);
    std::string cell(formula ? 1 : 0, '\'');
    cell += written;
    const char mustQuote[] = {dialect.separator, '"', '\r', '\n'};
    const bool padded = !cell.empty() && (cell.front() == ' ' || cell.back() == ' ');
    if (!padded && cell.find_first_of(std::string_view(mustQuote, std::size(mustQuote))) ==
                       std::string::npos) {
        return cell;
    }
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

void AppendRow(std::string& out, const std::vector<std::string>& fields,
               const CsvDialect& dialect) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += dialect.separator;
        out += CsvField(fields[i], dialect);
    }
    out += "\r\n";
}

}  // namespace

std::string CsvText(const CsvTable& table, const CsvDialect& dialect) {
    std::string out = "\xEF\xBB\xBF";
    AppendRow(out, table.columns, dialect);
    for (const auto& row : table.rows) AppendRow(out, row, dialect);
    return out;
}

}  // namespace quorvel
