#include "cli/table_csv.h"

bool csvColumnPlaces(std::span<const std::string> header, std::span<const Column> columns,
                     std::string_view tableKey, std::vector<int>& place, std::vector<CsvProblem>& problems,
                     const CliOutput& io) {
    bool good = true;
    const auto problem = [&](std::string_view column, std::string why) {
        problems.push_back({1, std::string(column), std::move(why)});
        good = false;
    };
    place.assign(columns.size() + 1, -1);
    for (size_t c = 0; c < header.size(); ++c) {
        const std::string& name = header[c];
        const int index = name == "rest" ? static_cast<int>(columns.size()) : columnIndex(columns, name);
        if (name == "name") continue;
        if (index < 0) problem(name, say(io, Text::cliNoSuchColumn, {tableKey}));
        else if (place[static_cast<size_t>(index)] >= 0) problem(name, say(io, Text::cliColumnTwice));
        else place[static_cast<size_t>(index)] = static_cast<int>(c);
    }
    for (size_t i = 0; i < place.size(); ++i)
        if (place[i] < 0) problem(i < columns.size() ? columns[i].name : "rest", say(io, Text::cliColumnMissing));
    return good;
}

bool csvRowCells(const CsvRow& row, size_t headerWidth, std::span<const Column> columns,
                 std::span<const int> place, std::vector<std::string>& cells, std::string& rest,
                 std::vector<CsvProblem>& problems, const CliOutput& io) {
    if (row.cells.size() != headerWidth) {
        problems.push_back({row.row, "",
                            say(io, Text::cliCellsColumns,
                                {std::to_string(row.cells.size()), std::to_string(headerWidth)})});
        return false;
    }
    bool good = true;
    for (size_t i = 0; i < place.size(); ++i) {
        std::string& cell = i < columns.size() ? cells[i] : rest;
        if (!utf8ToCp1251Strict(row.cells[static_cast<size_t>(place[i])], cell)) {
            problems.push_back(
                {row.row, std::string(i < columns.size() ? columns[i].name : "rest"), say(io, Text::cliNotCp1251)});
            good = false;
        }
    }
    return good;
}
