// Tables as CSV text: a header row, comma-separated fields, CRLF line ends, quoting when needed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct CsvTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // each as long as `columns`
};

// The field as it goes between commas: in double quotes, its quotes doubled, when it holds a
// comma, a quote, a line break or a space at either end; as it is otherwise. Bytes other than
// these pass through, so UTF-8 texts stay UTF-8.
std::string CsvField(std::string_view text);

// The header row, then every row, each ended by CRLF.
std::string CsvText(const CsvTable& table);

}  // namespace quorvel
