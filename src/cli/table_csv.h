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

// Reads the CSV of table `tableKey` into one record per row after the header
// (columns found by their names in the header row, in any order; "name"
// ignored), and the CSV row of each record into `rowNumbers`. Rows are read one
// at a time and never held all at once. False, with every problem found, when
// any row or the header is bad.
template <class Record>
bool recordsFromCsv(std::string_view text, std::string_view tableKey, std::vector<int>& rowNumbers,
                    std::vector<Record>& records, std::vector<CsvProblem>& problems, Language language) {
    const CliOutput io{{}, {}, language};
    const auto problem = [&](int row, std::string_view column, const std::string& why) {
        problems.push_back({row, std::string(column), why});
    };
    rowNumbers.clear();
    records.clear();
    const size_t firstProblem = problems.size();
    const std::span<const Column> columns = recordColumns<Record>();
    // Where each column of the table stands in the CSV's rows; the last is rest.
    std::vector<int> place(columns.size() + 1, -1);
    std::vector<std::string> header;
    bool headerRead = false, headerBad = false, bad = false;
    std::vector<std::string> cells(columns.size());
    std::string rest;

    const auto readHeader = [&](CsvRow& row) {
        header = std::move(row.cells);
        for (size_t c = 0; c < header.size(); ++c) {
            const std::string& name = header[c];
            const int index = name == "rest" ? static_cast<int>(columns.size()) : columnIndex(columns, name);
            if (name == "name") continue;
            if (index < 0) {
                problem(1, name, say(io, Text::cliNoSuchColumn, {tableKey}));
                headerBad = true;
            } else if (place[static_cast<size_t>(index)] >= 0) {
                problem(1, name, say(io, Text::cliColumnTwice));
                headerBad = true;
            } else {
                place[static_cast<size_t>(index)] = static_cast<int>(c);
            }
        }
        for (size_t i = 0; i < place.size(); ++i)
            if (place[i] < 0) {
                problem(1, i < columns.size() ? columns[i].name : "rest", say(io, Text::cliColumnMissing));
                headerBad = true;
            }
    };
    const auto readRecord = [&](const CsvRow& row) {
        Record& record = records.emplace_back();
        rowNumbers.push_back(row.row);
        if (row.cells.size() != header.size()) {
            problem(row.row, "",
                    say(io, Text::cliCellsColumns,
                        {std::to_string(row.cells.size()), std::to_string(header.size())}));
            bad = true;
            return;
        }
        bool rowBad = false;
        for (size_t i = 0; i < place.size(); ++i) {
            std::string& cell = i < columns.size() ? cells[i] : rest;
            if (!utf8ToCp1251Strict(row.cells[static_cast<size_t>(place[i])], cell)) {
                problem(row.row, i < columns.size() ? columns[i].name : "rest", say(io, Text::cliNotCp1251));
                rowBad = true;
            }
        }
        if (rowBad) {
            bad = true;
            return;
        }
        for (const CellProblem& p : recordFromCells(cells, rest, record, io.language)) {
            problem(row.row, p.column < 0 ? "rest" : columns[static_cast<size_t>(p.column)].name,
                    cp1251ToUtf8(p.reason));
            bad = true;
        }
    };

    int badRow = 0;
    const bool whole = forEachCsvRow(text, badRow, [&](CsvRow& row) {
        if (!headerRead) {
            headerRead = true;
            readHeader(row);
        } else if (!headerBad) {
            readRecord(row);
        }
    });
    // A broken quote is told first, then what the rows before it hold wrong.
    if (!whole)
        problems.insert(problems.begin() + static_cast<std::ptrdiff_t>(firstProblem),
                        {badRow, "", say(io, Text::cliQuotes)});
    else if (!headerRead)
        problem(1, "", say(io, Text::cliNoHeaderRow));
    return headerRead && !headerBad && !bad;
}
