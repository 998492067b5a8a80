#pragma once
// A table as a spreadsheet's CSV and back, without files: the rows export writes
// and the records import reads from them (by the loader's rules, table_rows.h).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/utf8_text.h"
#include "tables/table_rows.h"

// What a CSV holds wrong: its row (from 1), the column by its name (empty for
// the row as a whole) and the reason, UTF-8.
struct CsvProblem {
    int row = 0;
    std::string column;
    std::string reason;
};

template <class Record> std::vector<std::string> csvHeaderRow() {
    std::vector<std::string> row{"name"};
    for (const Column& column : recordColumns<Record>()) row.emplace_back(column.name);
    row.emplace_back("rest");
    return row;
}

// The CSV of the records: a byte-order mark, the header row, then per record its
// name (nameOf(record), Windows-1251), its cells and rest, all as UTF-8.
template <class Records, class NameOf> std::string tableCsv(const Records& records, const NameOf& nameOf) {
    using Record = typename Records::value_type;
    std::string csv(kUtf8Bom);
    appendCsvRow(csv, csvHeaderRow<Record>());
    std::vector<std::string> row;
    for (const Record& r : records) {
        row.clear();
        row.push_back(cp1251ToUtf8(nameOf(r)));
        for (std::string& cell : recordCells(r)) row.push_back(cp1251ToUtf8(cell));
        row.push_back(cp1251ToUtf8(r.rest));
        appendCsvRow(csv, row);
    }
    return csv;
}

// Where each column stands in the CSV's rows, found by its name in the header
// row (`place`, the last entry for rest; "name" ignored); the header's problems
// go to `problems`. False when a column is unknown, twice or missing.
bool csvColumnPlaces(std::span<const std::string> header, std::span<const Column> columns,
                     std::string_view tableKey, std::vector<int>& place, std::vector<CsvProblem>& problems,
                     const CliOutput& io);

// The cells of one row after the header, in the columns' order, and its rest,
// all Windows-1251. False, with the problems, for a row of another width than the
// header's or a cell outside Windows-1251.
bool csvRowCells(const CsvRow& row, size_t headerWidth, std::span<const Column> columns,
                 std::span<const int> place, std::vector<std::string>& cells, std::string& rest,
                 std::vector<CsvProblem>& problems, const CliOutput& io);

// Reads the CSV of table `tableKey` into one record per row after the header
// (columns found by their names in the header row, in any order; "name"
// ignored), and the CSV row of each record into `rowNumbers`. Rows are read one
// at a time and never held all at once. False, with every problem found, when
// any row or the header is bad.
template <class Record>
bool recordsFromCsv(std::string_view text, std::string_view tableKey, std::vector<int>& rowNumbers,
                    std::vector<Record>& records, std::vector<CsvProblem>& problems, Language language) {
    const CliOutput io{{}, {}, language};
    rowNumbers.clear();
    records.clear();
    const size_t firstProblem = problems.size();
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<int> place;
    size_t headerWidth = 0;
    bool headerRead = false, headerGood = false, bad = false;
    std::vector<std::string> cells(columns.size());
    std::string rest;
    int badRow = 0;
    const bool whole = forEachCsvRow(text, badRow, [&](CsvRow& row) {
        if (!headerRead) {
            headerRead = true;
            headerWidth = row.cells.size();
            headerGood = csvColumnPlaces(row.cells, columns, tableKey, place, problems, io);
            return;
        }
        if (!headerGood) return;
        Record& record = records.emplace_back();
        rowNumbers.push_back(row.row);
        if (!csvRowCells(row, headerWidth, columns, place, cells, rest, problems, io)) {
            bad = true;
            return;
        }
        for (const CellProblem& p : recordFromCells(cells, rest, record, io.language)) {
            problems.push_back({row.row, std::string(p.column < 0 ? "rest" : columns[static_cast<size_t>(p.column)].name),
                                cp1251ToUtf8(p.reason)});
            bad = true;
        }
    });
    // A broken quote is told first, then what the rows before it hold wrong.
    if (!whole)
        problems.insert(problems.begin() + static_cast<std::ptrdiff_t>(firstProblem),
                        {badRow, "", say(io, Text::cliQuotes)});
    else if (!headerRead)
        problems.push_back({1, "", say(io, Text::cliNoHeaderRow)});
    return headerRead && headerGood && !bad;
}
