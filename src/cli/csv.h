#pragma once
// CSV as RFC 4180 has it, written the way spreadsheets open it best and read the
// way spreadsheets save it.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Appends one row: cells separated by commas, a cell quoted (its quotes doubled)
// when it holds a comma, a semicolon, a quote, CR or LF, or begins or ends with
// a blank; CR LF at the end.
void appendCsvRow(std::string& out, std::span<const std::string> cells);

struct CsvRow {
    int row = 0; // from 1: the header row is 1
    std::vector<std::string> cells;
};

// Reads a CSV text: an optional UTF-8 byte-order mark; the separator is a comma
// or a semicolon, whichever the first row holds more of outside quotes (a comma
// when neither); quoted cells with doubled quotes and line breaks inside; rows
// ended by CR LF, LF or CR. Rows that are one empty cell (blank lines) are
// skipped. False, with the row where it began in `badRow`, when a quoted cell is
// never closed or a quote is followed by other text than a separator or a line end.
bool parseCsv(std::string_view text, std::vector<CsvRow>& rows, int& badRow);
// The same reading without keeping the rows: each row is handed to `take` as it
// ends (which may move its cells away), so a large CSV is never held twice.
bool forEachCsvRow(std::string_view text, int& badRow, const std::function<void(CsvRow&)>& take);
