// Tables as CSV text (a byte order mark, a header row, separated fields, CRLF line ends, quoting
// when needed) for the spreadsheet that reads them, and fields of tab-separated text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct CsvTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // each as long as `columns`
};

// What a spreadsheet expects in its locale: the character between fields and the one between a
// number's whole and fractional digits. Cells hold numbers with a point; a comma as
// `decimalMark` replaces it on writing.
struct CsvDialect {
    char separator = ',';
    char decimalMark = '.';
};

// An optional minus, digits, and at most one `decimalMark` with digits on both sides: the cells a
// JSON reader is meant to take as numbers.
bool IsPlainDecimal(std::string_view text, char decimalMark = '.');

// A plain decimal, or one followed by E and a whole exponent ("2.3E-5"): the cells a spreadsheet
// takes as numbers.
bool IsSpreadsheetNumber(std::string_view text, char decimalMark);

// The field as it goes between separators: a number with the dialect's decimal mark; in double
// quotes, its quotes doubled, when it holds the separator, a quote, a line break or a space at
// either end; as it is otherwise. Bytes other than these pass through, so UTF-8 texts stay UTF-8.
// A text a spreadsheet would run as a formula (one that begins with =, +, -, @, a tab or a
// carriage return and is no number) gets an apostrophe in front, which spreadsheets take as
// "this is text".
std::string CsvField(std::string_view text, const CsvDialect& dialect = {});

// The field as it goes between tabs: a tab, line feed, carriage return or backslash in it written
// as \t, \n, \r or \\, so that no text can split a row or a column.
std::string TsvField(std::string_view text);

// A UTF-8 byte order mark, without which spreadsheets read the bytes in the machine's own code
// page ("019.2Â° E"); then the header row and every row, each ended by CRLF.
std::string CsvText(const CsvTable& table, const CsvDialect& dialect = {});

}  // namespace quorvel
