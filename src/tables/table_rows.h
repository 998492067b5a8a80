#pragma once
// A record as a row of cells, for tools that hand tables to spreadsheets and
// back: the columns of each record kind by their names in the code, each cell
// the writer's text of its column, and a record read back from cells by the
// loader's own rules.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/columns.h"
#include "tables/read_table_file.h"
#include "tables/record_line.h"
#include "tables/records.h"
#include "tables/save_tables.h"
#include "tables/table_file.h"
#include "text/format.h"
#include "text/language.h"
#include "text/line_list.h"
#include "text/texts.h"

enum class ColumnKind { integer, real, text, groups };

struct Column {
    std::string_view name;
    ColumnKind kind;
};

// The columns a record kind's list in columns.h names, in line order. A ship's
// first group (its items) gives its count column, then the one "groups" column
// that holds every later group (turret count, turrets, gun groups) as well.
class ColumnCollector {
public:
    void operator()(std::string_view name, const int32_t&) { add(name, ColumnKind::integer); }
    void operator()(std::string_view name, const double&) { add(name, ColumnKind::real); }
    void operator()(std::string_view name, const std::string&) { add(name, ColumnKind::text); }
    void manoeuvrability(std::string_view name, const double&) { add(name, ColumnKind::real); }
    template <class Entry>
    std::span<const Entry> group(std::string_view name, const int32_t&, const std::vector<Entry>&) {
        if (!inGroups_) {
            add(name, ColumnKind::integer);
            add("groups", ColumnKind::groups);
            inGroups_ = true;
        }
        return {};
    }
    std::vector<Column> columns;

private:
    void add(std::string_view name, ColumnKind kind) { columns.push_back({name, kind}); }
    bool inGroups_ = false;
};

// The columns of a record kind in line order, ending with objectId, as the
// column lists of columns.h name them (the reader and writer use the same). A ship's
// items, turret count and turrets (with their gun groups) are one column
// "groups" between itemCount and tail1.
template <class Record> std::span<const Column> recordColumns() {
    static const std::vector<Column> columns = [] {
        ColumnCollector collector;
        const Record record{};
        forEachColumn(record, collector);
        return std::move(collector.columns);
    }();
    return columns;
}

// The index of the column called `name` (exact spelling), or -1.
int columnIndex(std::span<const Column> columns, std::string_view name);

// The cells of a record line without its rest and line end (cellsOf below).
std::vector<std::string> cellsOfLine(std::string_view line, std::span<const Column> columns);

// One cell per column, each the text the table writer writes for it; a ship's
// groups cell holds the writer's fields of its groups, each ended by ";"
// ("4;5;6;7;1;0;2;0;0;"). The record's rest is not a cell.
template <class Record> std::vector<std::string> recordCells(const Record& record) {
    std::string line;
    appendRecordLine(line, record, "");
    line.resize(line.size() - record.rest.size());
    return cellsOfLine(line, recordColumns<Record>());
}

struct CellProblem {
    int column = 0;     // index into the record kind's columns; -1 for rest
    std::string reason; // Windows-1251
};

// Where the file saveTableFile would write for `records` (with `headerValue` and
// what `file` kept) does not load back, in format, as exactly these records: the
// first record that fails (index from 0), its column (-1 for rest) and the reason
// in `language`. Record -1 when every record comes back.
struct ReadBackProblem {
    int record = -1;
    int column = -1;
    std::string reason; // Windows-1251
};
template <class Record>
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file, std::span<const Record> records,
                                Language language);

// The cells' own problems, as recordFromCells tells them; `cells` gets the
// cells as the loader is to read them (a real's decimal comma a point).
std::vector<CellProblem> cellProblems(std::span<const Column> columns, std::span<const std::string> given,
                                      std::vector<std::string>& cells, Language language);
// The record line the cells make, with `rest` after its last field.
std::string lineOfCells(std::span<const Column> columns, std::span<const std::string> cells,
                        std::string_view rest);
// The loader's fault in the line the cells make, in the column that holds it.
CellProblem lineProblem(std::span<const Column> columns, std::span<const std::string> cells,
                        const LineFault& fault, Language language);
// Each real cell the writer writes otherwise (`written`): more digits than it
// keeps, or beyond what a double holds ("0.1" and 120 ones, "1e400").
std::vector<CellProblem> realsWrittenOtherwise(std::span<const Column> columns, std::span<const std::string> cells,
                                               std::span<const std::string> written, Language language);

// Reads `record` (taken as freshly made) from one cell per column and the text
// kept after the line's last field, as the loader reads the line they make. Every
// cell must pass the loader's format rule for its column, a real cell also in its
// decimal-comma form (realWithPoint), and no numeric cell or field may be empty
// (the writer never writes one); objectId holds no ";"; a ship's groups cell is a
// list of integer fields each ended by ";", exactly as many as itemCount and the
// counts in the cell announce. Then the line the writer writes for the record must
// read back, as a table file's line, as the same record (readBackProblem): a real
// with more digits than the writer keeps, or a byte that ends lines in a text, is
// refused in its own column; any other text (tabs included) is taken. Returns
// every problem found (the record is then unspecified); empty when the record was
// read. The reasons are in `language`.
template <class Record>
std::vector<CellProblem> recordFromCells(std::span<const std::string> given, std::string_view rest, Record& record,
                                         Language language) {
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<std::string> cells;
    std::vector<CellProblem> problems = cellProblems(columns, given, cells, language);
    if (!problems.empty()) return problems;
    // The loader's own judgement of the line the cells make; the checks above
    // should leave it nothing to find.
    int64_t budget = 0; // every group entry has its fields in the line
    const LineFault fault = readRecordLine(lineOfCells(columns, cells, rest), record, budget);
    if (fault.kind != TableProblemKind::none) return {lineProblem(columns, cells, fault, language)};
    problems = realsWrittenOtherwise(columns, cells, recordCells(record), language);
    if (!problems.empty()) return problems;
    // Then the loader's own judgement of the written line, as a table file holds
    // it: whatever it would not give back as this record (a byte that ends a
    // line within a text) is refused, and nothing else.
    const ReadBackProblem back = readBackProblem(0, TableFile{}, std::span<const Record>(&record, 1), language);
    if (back.record >= 0) problems.push_back({back.column, back.reason});
    return problems;
}

// ---- How the read-back works ----

// Each column's real value, 0 for the others (a ship's groups one 0): where a
// record reads back with the same cells but other values, the column to name.
class RealValues {
public:
    void operator()(std::string_view, const int32_t&) { values.push_back(0); }
    void operator()(std::string_view, const double& value) { values.push_back(value); }
    void operator()(std::string_view, const std::string&) { values.push_back(0); }
    void manoeuvrability(std::string_view, const double& value) { values.push_back(value); }
    template <class Entry>
    std::span<const Entry> group(std::string_view, const int32_t&, const std::vector<Entry>&) {
        if (!inGroups_) values.insert(values.end(), {0, 0});
        inGroups_ = true;
        return {};
    }
    std::vector<double> values;

private:
    bool inGroups_ = false;
};

// The column whose text holds byte `offset` of the record line the cells make
// (cells joined by ";", a groups cell bringing its own); -1 past the last one.
int columnAtOffset(std::span<const Column> columns, std::span<const std::string> cells, size_t offset);
// The column of the record line the cells make that a loader's problem with
// field `field` (from 1) names; a text with a byte that ends lines for the text
// after the line's last field (0), -1 when there is none.
int columnOfProblem(std::span<const Column> columns, std::span<const std::string> cells, int field);
// The text of a table file holding records [from, to) of the written `lines`
// (the remarks, a header counting them, their lines, and after the last block
// the kept lines).
std::string blockText(const LineList& lines, int firstLine, int32_t headerValue, const TableFile& file, int from,
                      int to, int recordCount);
// Records the read-back loads at a time.
inline constexpr int kReadBackBlock = 4096;

// Record `k` (`meant`) did not come back as `back`: the first cell that differs,
// or, with the same texts, the real the writer gives back otherwise.
template <class Record>
ReadBackProblem readBackDiffers(int k, const Record& meant, const Record* back, Language language) {
    const std::vector<std::string> want = recordCells(meant);
    const std::vector<std::string> got = back ? recordCells(*back) : std::vector<std::string>(want.size());
    // When a ";" in objectId split it, the cells before it agree and objectId
    // (then rest) is what differs.
    const Record loaded = back ? *back : Record{};
    for (size_t c = 0; c < want.size() && want.size() == got.size(); ++c)
        if (got[c] != want[c]) return {k, static_cast<int>(c), formatText(text(Text::readBackDiffers, language), {got[c], want[c]})};
    if (loaded.objectId == meant.objectId && loaded.rest == meant.rest) {
        // The same texts, other values: a real the writer gives back otherwise.
        RealValues a, b;
        forEachColumn(loaded, a);
        forEachColumn(meant, b);
        int column = -1;
        for (size_t c = 0; c < a.values.size() && c < b.values.size() && column < 0; ++c)
            if (!(a.values[c] == b.values[c])) column = static_cast<int>(c);
        return {k, column,
                formatText(text(Text::numberWrittenOtherwise, language),
                           {quotedText(column < 0 ? std::string() : want[static_cast<size_t>(column)], language)})};
    }
    const bool idDiffers = loaded.objectId != meant.objectId;
    return {k, idDiffers ? columnIndex(recordColumns<Record>(), "objectId") : -1,
            formatText(text(Text::readBackDiffers, language),
                       {idDiffers ? loaded.objectId : loaded.rest, idDiffers ? meant.objectId : meant.rest})};
}

// Loads the lines of records [from, to) (block: the remarks, a header counting
// them, their lines) and tells the first that does not come back as meant.
template <class Record>
ReadBackProblem readBackBlock(const LineList& block, int firstLine, std::span<const Record> records, int from,
                              int to, Language language) {
    std::vector<Record> loaded;
    int32_t loadedHeader = 0, count = 0;
    TableFile loadedFile;
    loadTableLines(block, loaded, loadedHeader, count, loadedFile);
    if (keptFromSaving(loadedFile)) {
        const TableProblem& p = loadedFile.problem;
        const int record = static_cast<int>(std::clamp<int64_t>(
            from + p.line - 1 - firstLine, 0, std::max<int64_t>(0, static_cast<int64_t>(records.size()) - 1)));
        const int column = records.empty() ? -1
                                           : columnOfProblem(recordColumns<Record>(),
                                                             recordCells(records[static_cast<size_t>(record)]), p.field);
        return {record, column, formatText(text(Text::readBackFault, language), {problemReason(p, language)})};
    }
    for (size_t k = static_cast<size_t>(from); k < static_cast<size_t>(to); ++k) {
        const size_t at = k - static_cast<size_t>(from); // within the block
        if (at < loaded.size() && loaded[at] == records[k]) continue;
        return readBackDiffers(static_cast<int>(k), records[k], at < loaded.size() ? &loaded[at] : nullptr, language);
    }
    return {};
}

template <class Record>
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file, std::span<const Record> records,
                                Language language) {
    LineList lines;
    lines.setText(tableFileText(headerValue, file, records));
    // Each record must come back as a line of its own: a byte that ends lines,
    // within a text the writer copies, would cut it.
    const int firstLine = static_cast<int>(file.remarks.size()) + 1;
    std::string written;
    for (size_t k = 0; k < records.size(); ++k) {
        written.clear();
        appendRecordLine(written, records[k], "");
        const std::string_view read = lines.item(firstLine + static_cast<int>(k));
        if (read == written) continue;
        const size_t at = static_cast<size_t>(
            std::mismatch(read.begin(), read.end(), written.begin(), written.end()).second - written.begin());
        if (at >= written.size()) break; // the loader's judgement below
        return {static_cast<int>(k), columnAtOffset(recordColumns<Record>(), recordCells(records[k]), at),
                formatText(text(Text::breakInCell, language), {static_cast<unsigned char>(written[at])})};
    }
    // The loader's judgement, a block of records at a time under a header that
    // counts the block, so that a large table is never held twice in memory.
    const int recordCount = static_cast<int>(records.size());
    for (int from = 0; from == 0 || from < recordCount; from += kReadBackBlock) {
        const int to = std::min(recordCount, from + kReadBackBlock);
        LineList block;
        block.setText(blockText(lines, firstLine, headerValue, file, from, to, recordCount));
        const ReadBackProblem problem = readBackBlock(block, firstLine, records, from, to, language);
        if (problem.record >= 0) return problem;
    }
    return {};
}
