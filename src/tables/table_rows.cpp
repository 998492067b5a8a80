#include "tables/table_rows.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "tables/columns.h"
#include "tables/read_table_file.h"
#include "tables/record_line.h"
#include "tables/save_tables.h"
#include "text/convert.h"
#include "text/texts.h"
#include "text/format.h"

namespace {

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

template <class Record> std::vector<Column> collectColumns() {
    ColumnCollector collector;
    const Record record{};
    forEachColumn(record, collector);
    return std::move(collector.columns);
}

// A ship's columns before its "groups" column (up to itemCount) and after it
// (tail1 .. tail5, objectId), each one field.
struct ShipLineShape {
    size_t fixedFields;
    size_t tailFields;
};
ShipLineShape shipLineShape(); // defined after recordColumns

std::string faultReason(FieldFault fault, std::string_view field, Language language) {
    return problemReason({problemKindOf(fault), 0, 0, std::string(field)}, language);
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ';') {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return fields;
}

template <class Record> std::vector<std::string> cellsOf(const Record& record) {
    std::string line;
    appendRecordLine(line, record);
    line.resize(line.size() - 2 - record.rest.size()); // CR LF, rest
    const std::vector<std::string_view> fields = splitFields(line);
    std::vector<std::string> cells;
    if constexpr (std::is_same_v<Record, TShips>) {
        static const ShipLineShape shape = shipLineShape();
        const size_t groupsEnd = fields.size() - shape.tailFields;
        cells.assign(fields.begin(), fields.begin() + static_cast<long>(shape.fixedFields));
        std::string groups;
        for (size_t i = shape.fixedFields; i < groupsEnd; ++i) (groups += fields[i]) += ';';
        cells.push_back(std::move(groups));
        cells.insert(cells.end(), fields.begin() + static_cast<long>(groupsEnd), fields.end());
    } else {
        cells.assign(fields.begin(), fields.end());
    }
    return cells;
}

// Checks a groups cell against the ship's itemCount: items of four fields, the
// turret count, and per turret four fields (the last its gun group count) and
// six per gun group. Returns the reason, or empty text.
std::string groupsProblem(std::string_view cell, int32_t itemCount, Language language) {
    if (!cell.empty() && cell.back() != ';')
        return std::string(text(Text::unfinishedLastField, language));
    const std::vector<std::string_view> fields = splitFields(cell);
    for (std::string_view field : fields)
        if (field.empty()) return std::string(text(Text::cellEmptyNumber, language));
        else if (const FieldFault fault = checkIntegerField(field); fault != FieldFault::none)
            return faultReason(fault, field, language);
    int64_t needed = kEntryFields<TShipItem> * int64_t{std::max(0, itemCount)} + 1;
    bool countTooLarge = itemCount > kMaxTableCount;
    if (needed <= static_cast<int64_t>(fields.size())) {
        const int32_t turrets = textToInt(fields[static_cast<size_t>(needed - 1)]);
        countTooLarge = countTooLarge || turrets > kMaxTableCount;
        for (int32_t t = 0; t < turrets && !countTooLarge; ++t) {
            needed += kEntryFields<TTurret>;
            if (needed > static_cast<int64_t>(fields.size())) break;
            const int32_t gunGroups = textToInt(fields[static_cast<size_t>(needed - 1)]);
            countTooLarge = gunGroups > kMaxTableCount;
            needed += kEntryFields<TGunGroup> * int64_t{std::max(0, gunGroups)};
        }
    }
    if (countTooLarge)
        return formatText(text(Text::groupLargerThan, language), {kMaxTableCount});
    if (needed == static_cast<int64_t>(fields.size())) return {};
    return formatText(
        text(Text::groupsCellFields, language),
        {static_cast<int32_t>(fields.size()), itemCount,
         needed > static_cast<int64_t>(fields.size()) ? text(Text::atLeast, language) : "",
         static_cast<int32_t>(std::min<int64_t>(needed, INT32_MAX))});
}

// The column that holds field `field` (from 1) of the line the cells make; -1
// (rest) for 0 or a field past the last column.
int columnOfField(std::span<const Column> columns, std::span<const std::string> cells, int field) {
    int64_t first = 1;
    for (size_t c = 0; c < columns.size(); ++c) {
        const int64_t width = columns[c].kind == ColumnKind::groups
                                  ? std::count(cells[c].begin(), cells[c].end(), ';')
                                  : 1;
        if (field >= first && field < first + width) return static_cast<int>(c);
        first += width;
    }
    return -1;
}

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

template <class Record> std::vector<double> realValues(const Record& record) {
    RealValues collector;
    forEachColumn(record, collector);
    return std::move(collector.values);
}

// The column whose text holds byte `offset` of the record line the cells make
// (cells joined by ";", a groups cell bringing its own); -1 past the last one.
int columnAtOffset(std::span<const Column> columns, std::span<const std::string> cells, size_t offset) {
    size_t end = 0;
    for (size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
        end += cells[c].size() + (columns[c].kind == ColumnKind::groups ? 0 : 1);
        if (offset < end) return static_cast<int>(c);
    }
    return -1;
}

template <class Record>
ReadBackProblem readBack(int32_t headerValue, const TableFile& file, std::span<const Record> records,
                         Language language);
template <class Record>
ReadBackProblem readBackBlock(const LineList& block, int firstLine, std::span<const Record> records,
                              int from, int to, Language language);
// Records the read-back loads at a time.
constexpr int kReadBackBlock = 4096;

template <class Record>
std::vector<CellProblem> readCells(std::span<const std::string> given, std::string_view rest,
                                   Record& record, Language language) {
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<CellProblem> problems;
    if (given.size() != columns.size()) {
        problems.push_back({-1, formatText(text(Text::cellCount, language),
                                           {static_cast<int32_t>(given.size()),
                                            static_cast<int32_t>(columns.size())})});
        return problems;
    }
    std::vector<std::string> cells(given.begin(), given.end());
    int32_t itemCount = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        std::string& cell = cells[c];
        const int column = static_cast<int>(c);
        const bool numeric = columns[c].kind == ColumnKind::integer || columns[c].kind == ColumnKind::real;
        if (numeric && cell.empty()) { // the writer never writes one: a deleted cell
            problems.push_back({column, std::string(text(Text::cellEmptyNumber, language))});
            continue;
        }
        FieldFault fault = FieldFault::none;
        switch (columns[c].kind) {
        case ColumnKind::integer: fault = checkIntegerField(cell); break;
        case ColumnKind::real:
            cell = realWithPoint(cell);
            fault = checkRealField(cell);
            break;
        case ColumnKind::text:
            if (cell.find(';') != std::string::npos)
                problems.push_back({column, formatText(text(Text::cellHoldsSemicolon, language), {cell})});
            break;
        case ColumnKind::groups: break; // after itemCount, below
        }
        if (fault != FieldFault::none) problems.push_back({column, faultReason(fault, cell, language)});
        else if (columns[c].name == "itemCount") itemCount = textToInt(cell);
    }
    if constexpr (std::is_same_v<Record, TShips>) {
        const int groups = columnIndex(columns, "groups");
        const bool itemCountBad = std::any_of(problems.begin(), problems.end(), [&](auto& p) {
            return p.column == groups - 1;
        });
        std::string reason = groupsProblem(cells[static_cast<size_t>(groups)], itemCount, language);
        if (!reason.empty() && !itemCountBad) problems.push_back({groups, std::move(reason)});
    }
    if (!problems.empty()) return problems;

    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
        line += cells[c];
        if (columns[c].kind != ColumnKind::groups) line += ';';
    }
    line += rest;
    // The loader's own judgement of the line the cells make; the checks above
    // should leave it nothing to find.
    int64_t budget = 0; // every group entry has its fields in the line
    const LineFault fault = readRecordLine(line, record, budget);
    if (fault.kind != TableProblemKind::none) {
        TableProblem problem{fault.kind, 0, fault.field, std::string(fault.text)};
        problems.push_back(
            {columnOfField(columns, cells, fault.field), problemReason(problem, language)});
        return problems;
    }
    // A real the writer cannot give back: more digits than it writes, or beyond
    // what a double holds ("0.1" and 120 ones, "1e400").
    const std::vector<std::string> written = cellsOf(record);
    for (size_t c = 0; c < cells.size(); ++c)
        if (columns[c].kind == ColumnKind::real && !(textToReal(written[c]) == textToReal(cells[c])))
            problems.push_back({static_cast<int>(c), formatText(text(Text::cellWrittenOtherwise, language),
                                                                {quotedText(cells[c], language), quotedText(written[c], language)})});
    if (!problems.empty()) return problems;
    // Then the loader's own judgement of the written line, as a table file holds
    // it: whatever it would not give back as this record (a byte that ends a
    // line within a text) is refused, and nothing else.
    const ReadBackProblem back = readBack(0, TableFile{}, std::span<const Record>(&record, 1), language);
    if (back.record >= 0) problems.push_back({back.column, back.reason});
    return problems;
}

template <class Record>
ReadBackProblem readBack(int32_t headerValue, const TableFile& file, std::span<const Record> records,
                         Language language) {
    const std::span<const Column> columns = recordColumns<Record>();
    LineList lines;
    lines.setText(tableFileText(headerValue, file, records));
    // Each record must come back as a line of its own: a byte that ends lines,
    // within a text the writer copies, would cut it.
    const int firstLine = static_cast<int>(file.remarks.size()) + 1;
    std::string written;
    for (size_t k = 0; k < records.size(); ++k) {
        written.clear();
        appendRecordLine(written, records[k]);
        written.resize(written.size() - 2); // CR LF
        const std::string_view read = lines.item(firstLine + static_cast<int>(k));
        if (read == written) continue;
        const size_t at = static_cast<size_t>(
            std::mismatch(read.begin(), read.end(), written.begin(), written.end()).second - written.begin());
        if (at >= written.size()) break; // the loader's judgement below
        const std::vector<std::string> cells = recordCells(records[k]);
        return {static_cast<int>(k), columnAtOffset(columns, cells, at),
                formatText(text(Text::breakInCell, language), {static_cast<unsigned char>(written[at])})};
    }
    // The loader's judgement, a block of records at a time under a header that
    // counts the block, so that a large table is never held twice in memory.
    const int recordCount = static_cast<int>(records.size());
    for (int from = 0; from == 0 || from < recordCount; from += kReadBackBlock) {
        const int to = std::min(recordCount, from + kReadBackBlock);
        std::string text;
        for (int i = 0; i < firstLine - 1; ++i) (text += lines.item(i)) += "\r\n";
        text += formatText("%d;%d;", {headerValue, to - from});
        (text += file.headerRest) += "\r\n";
        for (int i = firstLine + from; i < firstLine + to; ++i) (text += lines.item(i)) += "\r\n";
        if (to == recordCount)
            for (int i = firstLine + recordCount; i < lines.count(); ++i) (text += lines.item(i)) += "\r\n";
        LineList block;
        block.setText(std::move(text));
        const ReadBackProblem problem = readBackBlock(block, firstLine, records, from, to, language);
        if (problem.record >= 0) return problem;
    }
    return {};
}

// Loads the lines of records [from, to) (block: the remarks, a header counting
// them, their lines) and tells the first that does not come back as meant.
template <class Record>
ReadBackProblem readBackBlock(const LineList& block, int firstLine, std::span<const Record> records,
                              int from, int to, Language language) {
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<Record> loaded;
    int32_t loadedHeader = 0, count = 0;
    TableFile loadedFile;
    loadTableLines(block, loaded, loadedHeader, count, loadedFile);
    const auto inRange = [&](int64_t k) {
        return static_cast<int>(std::clamp<int64_t>(k, 0, std::max<int64_t>(0, static_cast<int64_t>(records.size()) - 1)));
    };
    if (keptFromSaving(loadedFile)) {
        const TableProblem& p = loadedFile.problem;
        const int record = inRange(from + p.line - 1 - firstLine);
        int column = -1;
        if (!records.empty()) {
            const std::vector<std::string> cells = recordCells(records[static_cast<size_t>(record)]);
            column = columnOfField(columns, cells, p.field);
            // Text after the line's last field: the line ended early, at a byte
            // that ends lines.
            for (size_t c = 0; p.field == 0 && column < 0 && c < cells.size(); ++c)
                if (cells[c].find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos)
                    column = static_cast<int>(c);
        }
        return {record, column,
                formatText(text(Text::readBackFault, language), {problemReason(p, language)})};
    }
    for (size_t k = static_cast<size_t>(from); k < static_cast<size_t>(to); ++k) {
        const size_t at = k - static_cast<size_t>(from); // within the block
        const Record& meant = records[k];
        if (at < loaded.size() && loaded[at] == meant) continue;
        const std::vector<std::string> want = recordCells(meant);
        const std::vector<std::string> got = at < loaded.size() ? recordCells(loaded[at]) : std::vector<std::string>(want.size());
        // The first cell that differs; when a ";" in objectId split it, the cells
        // before it agree and objectId (then rest) is what differs.
        int column = -1;
        std::string gotText, wantText;
        for (size_t c = 0; c < std::min(want.size(), got.size()) && column < 0; ++c)
            if (got[c] != want[c] && want.size() == got.size()) {
                column = static_cast<int>(c);
                gotText = got[c];
                wantText = want[c];
            }
        const Record& back = at < loaded.size() ? loaded[at] : Record{};
        if (column < 0 && back.objectId == meant.objectId && back.rest == meant.rest) {
            // The same texts, other values: a real the writer gives back otherwise.
            const std::vector<double> a = realValues(back), b = realValues(meant);
            for (size_t c = 0; c < a.size() && c < b.size() && column < 0; ++c)
                if (!(a[c] == b[c])) column = static_cast<int>(c);
            return {static_cast<int>(k), column,
                    formatText(text(Text::numberWrittenOtherwise, language),
                               {quotedText(column < 0 ? std::string() : want[static_cast<size_t>(column)], language)})};
        }
        if (column < 0) {
            const bool idDiffers = back.objectId != meant.objectId;
            column = idDiffers ? columnIndex(columns, "objectId") : -1;
            gotText = idDiffers ? back.objectId : back.rest;
            wantText = idDiffers ? meant.objectId : meant.rest;
        }
        return {static_cast<int>(k), column,
                formatText(text(Text::readBackDiffers, language), {gotText, wantText})};
    }
    return {};
}

} // namespace

#define ORVEX_RECORD_COLUMNS(Record)                                                              \
    template <> std::span<const Column> recordColumns<Record>() {                                  \
        static const std::vector<Column> columns = collectColumns<Record>();                       \
        return columns;                                                                            \
    }
ORVEX_RECORD_COLUMNS(TShips)
ORVEX_RECORD_COLUMNS(TLasers)
ORVEX_RECORD_COLUMNS(TBullets)
ORVEX_RECORD_COLUMNS(TShields)
ORVEX_RECORD_COLUMNS(TRockets)
ORVEX_RECORD_COLUMNS(TCockpits)
ORVEX_RECORD_COLUMNS(TStations)
ORVEX_RECORD_COLUMNS(TWares)
#undef ORVEX_RECORD_COLUMNS

int columnIndex(std::span<const Column> columns, std::string_view name) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return static_cast<int>(i);
    return -1;
}

namespace {

ShipLineShape shipLineShape() {
    const std::span<const Column> columns = recordColumns<TShips>();
    const size_t groups = static_cast<size_t>(columnIndex(columns, "groups"));
    return {groups, columns.size() - groups - 1};
}

} // namespace

#define ORVEX_RECORD_ROWS(Record)                                                                 \
    std::vector<std::string> recordCells(const Record& record) { return cellsOf(record); }      \
    std::vector<CellProblem> recordFromCells(std::span<const std::string> cells,                  \
                                             std::string_view rest, Record& record,               \
                                             Language language) {                                 \
        return readCells(cells, rest, record, language);                                          \
    }
ORVEX_RECORD_ROWS(TShips)
ORVEX_RECORD_ROWS(TLasers)
ORVEX_RECORD_ROWS(TBullets)
ORVEX_RECORD_ROWS(TShields)
ORVEX_RECORD_ROWS(TRockets)
ORVEX_RECORD_ROWS(TCockpits)
ORVEX_RECORD_ROWS(TStations)
ORVEX_RECORD_ROWS(TWares)
#undef ORVEX_RECORD_ROWS

#define ORVEX_READ_BACK(Record)                                                                   \
    ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,                   \
                                    std::span<const Record> records, Language language) {         \
        return readBack(headerValue, file, records, language);                                    \
    }
ORVEX_READ_BACK(TShips)
ORVEX_READ_BACK(TLasers)
ORVEX_READ_BACK(TBullets)
ORVEX_READ_BACK(TShields)
ORVEX_READ_BACK(TRockets)
ORVEX_READ_BACK(TCockpits)
ORVEX_READ_BACK(TStations)
ORVEX_READ_BACK(TWares)
#undef ORVEX_READ_BACK
