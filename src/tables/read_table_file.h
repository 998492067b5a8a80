#pragma once
// The loading procedure every table follows; used by the loaders, and by the
// check that a table about to be written reads back as meant (table_rows.h).

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/fields.h"
#include "tables/record_line.h"
#include "tables/table_file.h"
#include "text/convert.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
#include "text/line_list.h"

// The header's first two fields, each a whole integer ended by its semicolon.
// Returns the fault of the first one that is not; kind none when both are.
inline LineFault readHeaderFields(std::string_view& header, int32_t& value, int32_t& count) {
    int32_t* targets[2] = {&value, &count};
    for (int i = 0; i < 2; ++i) {
        if (header.find(';') == std::string_view::npos) return {TableProblemKind::noHeader, 0, {}};
        const std::string_view field = takeField(header);
        const FieldFault fault = readIntegerField(field, *targets[i]);
        if (field.empty() || fault == FieldFault::notNumber) return {TableProblemKind::noHeader, 0, {}};
        // A number of the wrong kind or size is named with its field.
        if (fault != FieldFault::none) return {problemKindOf(fault), i + 1, field};
    }
    return {};
}

// Marks `file` as kept from saving for the fault found on file line `line` (from 0).
inline void keepAsRead(TableFile& file, const LineFault& fault, int line) {
    const bool unreadable = fault.kind == TableProblemKind::badCount ||
                            fault.kind == TableProblemKind::groupTooLarge ||
                            fault.kind == TableProblemKind::tooManyEmpty;
    file.unreadable = unreadable;
    file.notInFormat = !unreadable;
    file.problem = {fault.kind, line + 1, fault.field, std::string(fault.text)};
    file.remarks.clear();
    file.headerRest.clear();
}

// Reads the table file at `path` and appends its records to `table`. Sets
// headerValue, count and file as load_tables.h describes; on an unreadable or
// not-in-format file the records appended so far are taken back and count is 0,
// except for a count above the lines (recordsLoaded), whose records are kept
// and counted.
// loadTableFile on the lines of a file already read.
template <class Record>
void loadTableLines(const LineList& lines, std::vector<Record>& table, int32_t& headerValue,
                    int32_t& count, TableFile& file) {
    file = TableFile{};
    headerValue = 0;
    count = 0;

    // The lines stop at a NUL; whatever came after it would be lost by a save.
    if (const LineList::Shape& shape = lines.shape(); shape.nulOffset >= 0) {
        keepAsRead(file, {TableProblemKind::nulByte, 0, {}}, shape.nulLine);
        file.problem.text = std::to_string(shape.nulOffset);
        return;
    }

    // Remarks ("//" lines) stand before the header; record k is the k-th line after it.
    int headerLine = 0;
    while (headerLine < lines.count() && lines.item(headerLine).starts_with("//"))
        file.remarks.emplace_back(lines.item(headerLine++));

    std::string_view header = lines.item(headerLine);
    int32_t declared = 0;
    if (const LineFault fault = readHeaderFields(header, headerValue, declared);
        fault.kind != TableProblemKind::none) {
        headerValue = 0;
        keepAsRead(file, fault, headerLine);
        return;
    }
    if (declared < 0 || declared > kMaxTableCount) {
        const std::string countText = intToText(declared);
        keepAsRead(file, {TableProblemKind::badCount, 0, countText}, headerLine);
        return;
    }
    file.headerRest = header;
    file.lfOnly = lines.shape().lfOnly;
    file.finalLineEnd = lines.shape().finalBreak;

    // Only the records the file has lines for are read: a count above the lines
    // never makes up records (a save would write them as real ones).
    const int firstRecordLine = headerLine + 1;
    const int32_t recordLines = std::max(0, lines.count() - firstRecordLine);
    const int32_t present = std::min(declared, recordLines);
    int64_t paddingBudget = kMaxPaddingEntries; // for group entries a ship line cannot fill

    const size_t first = table.size();
    auto takeBack = [&](const LineFault& fault, int line) {
        table.resize(first);
        table.shrink_to_fit();
        keepAsRead(file, fault, line);
    };
    table.resize(first + static_cast<size_t>(present));
    for (int32_t k = 0; k < present; ++k) {
        Record& record = table[first + static_cast<size_t>(k)];
        const LineFault fault = readRecordLine(lines.item(firstRecordLine + k), record, paddingBudget);
        if (fault.kind != TableProblemKind::none) {
            // The fault's text views the line list, which is still alive here.
            takeBack(fault, firstRecordLine + k);
            return;
        }
    }
    count = present;
    for (int i = firstRecordLine + present; i < lines.count(); ++i)
        file.trailingLines.emplace_back(lines.item(i));
    if (declared > recordLines) {
        file.notInFormat = true;
        file.problem = {TableProblemKind::countAboveLines, headerLine + 1, 2, intToText(declared),
                        recordLines};
    }
}

// loadTableFile on bytes already read from the table's file.
template <class Record>
void loadTableText(std::string bytes, std::vector<Record>& table, int32_t& headerValue, int32_t& count,
                   TableFile& file) {
    const FileFingerprint identity = fingerprintOf(bytes);
    LineList lines;
    lines.setText(std::move(bytes));
    loadTableLines(lines, table, headerValue, count, file);
    file.identity = identity;
}

template <class Record>
void loadTableFile(const std::string& path, std::vector<Record>& table, int32_t& headerValue,
                   int32_t& count, TableFile& file) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        file = TableFile{};
        headerValue = 0;
        count = 0;
        file.missing = true;
        return;
    }
    loadTableText(std::move(bytes), table, headerValue, count, file);
}
