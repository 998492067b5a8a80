#pragma once
// The loading procedure every table follows; used by the loaders only.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/fields.h"
#include "tables/record_line.h"
#include "tables/table_file.h"
#include "text/convert.h"
#include "text/line_list.h"

struct NoRecordStep {
    template <class Record> void operator()(Record&) const {}
};

// Reads the table file at `path` and appends its records to `table`, calling
// before(record) ahead of each line and after(record) once the line is read.
// Sets headerValue, count and file as load_tables.h describes; on an unreadable file
// the records appended so far are taken back and count is 0.
template <class Record, class Before = NoRecordStep, class After = NoRecordStep>
void loadTableFile(const std::string& path, std::vector<Record>& table, int32_t& headerValue,
                   int32_t& count, TableFile& file, Before before = {}, After after = {}) {
    file = TableFile{};
    headerValue = 0;
    count = 0;
    LineList lines;
    if (!lines.loadFromFile(path)) {
        file.missing = true;
        return;
    }

    std::string_view header = lines.item(0);
    headerValue = textToInt(takeField(header));
    const bool countEnded = header.find(';') != std::string_view::npos;
    const int32_t declared = textToInt(takeField(header));
    if (declared < 0 || declared > kMaxTableCount) {
        file.unreadable = true;
        return;
    }
    if (countEnded) file.headerRest = header;

    // Records beyond the file's last line are empty ones; they use up the same
    // allowance as unfillable group entries.
    const int64_t recordLines = std::max(0, lines.count() - 1);
    int64_t paddingBudget = kMaxPaddingEntries - std::max<int64_t>(0, declared - recordLines);

    const size_t first = table.size();
    table.resize(first + static_cast<size_t>(declared));
    for (int32_t k = 0; k < declared; ++k) {
        Record& record = table[first + static_cast<size_t>(k)];
        before(record);
        if (!readRecordLine(lines.item(k + 1), record, paddingBudget)) {
            table.resize(first);
            table.shrink_to_fit();
            file.headerRest.clear();
            file.unreadable = true;
            return;
        }
        after(record);
    }
    count = declared;
    for (int i = declared + 1; i < lines.count(); ++i) file.trailingLines.emplace_back(lines.item(i));
}
