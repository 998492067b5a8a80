#include "tables/table_rows.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "text/convert.h"
#include "text/format.h"
#include "text/texts.h"

namespace {

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

// The problem of one cell by its column's format rule, if any; a real cell is
// first given its decimal point. A groups cell is judged with its ship (below).
std::optional<std::string> cellProblem(const Column& column, std::string& cell, Language language) {
    const bool numeric = column.kind == ColumnKind::integer || column.kind == ColumnKind::real;
    if (numeric && cell.empty()) // the writer never writes one: a deleted cell
        return std::string(text(Text::cellEmptyNumber, language));
    FieldFault fault = FieldFault::none;
    switch (column.kind) {
    case ColumnKind::integer: fault = checkIntegerField(cell); break;
    case ColumnKind::real:
        cell = realWithPoint(cell);
        fault = checkRealField(cell);
        break;
    case ColumnKind::text:
        if (cell.find(';') != std::string::npos)
            return formatText(text(Text::cellHoldsSemicolon, language), {cell});
        break;
    case ColumnKind::groups: break;
    }
    if (fault != FieldFault::none) return faultReason(fault, cell, language);
    return std::nullopt;
}

} // namespace

int columnIndex(std::span<const Column> columns, std::string_view name) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> cellsOfLine(std::string_view line, std::span<const Column> columns) {
    const std::vector<std::string_view> fields = splitFields(line);
    const int groups = columnIndex(columns, "groups");
    if (groups < 0) return {fields.begin(), fields.end()};
    // The fields before the groups (up to itemCount) and after them (tail1 ..
    // tail5, objectId) are a cell each; those between are the one groups cell.
    const size_t fixedFields = static_cast<size_t>(groups);
    const size_t groupsEnd = fields.size() - (columns.size() - fixedFields - 1);
    std::vector<std::string> cells(fields.begin(), fields.begin() + static_cast<long>(fixedFields));
    std::string& groupsCell = cells.emplace_back();
    for (size_t i = fixedFields; i < groupsEnd; ++i) (groupsCell += fields[i]) += ';';
    cells.insert(cells.end(), fields.begin() + static_cast<long>(groupsEnd), fields.end());
    return cells;
}

std::vector<CellProblem> cellProblems(std::span<const Column> columns, std::span<const std::string> given,
                                      std::vector<std::string>& cells, Language language) {
    std::vector<CellProblem> problems;
    if (given.size() != columns.size()) {
        problems.push_back({-1, formatText(text(Text::cellCount, language),
                                           {static_cast<int32_t>(given.size()),
                                            static_cast<int32_t>(columns.size())})});
        return problems;
    }
    cells.assign(given.begin(), given.end());
    int32_t itemCount = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (std::optional<std::string> reason = cellProblem(columns[c], cells[c], language))
            problems.push_back({static_cast<int>(c), std::move(*reason)});
        else if (columns[c].name == "itemCount")
            itemCount = textToInt(cells[c]);
    }
    // A ship's groups, as many as its itemCount and their own counts announce.
    if (const int groups = columnIndex(columns, "groups"); groups >= 0) {
        const bool itemCountBad = std::any_of(problems.begin(), problems.end(), [&](auto& p) {
            return p.column == groups - 1;
        });
        std::string reason = groupsProblem(cells[static_cast<size_t>(groups)], itemCount, language);
        if (!reason.empty() && !itemCountBad) problems.push_back({groups, std::move(reason)});
    }
    return problems;
}

std::string lineOfCells(std::span<const Column> columns, std::span<const std::string> cells,
                        std::string_view rest) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
        line += cells[c];
        if (columns[c].kind != ColumnKind::groups) line += ';';
    }
    line += rest;
    return line;
}

CellProblem lineProblem(std::span<const Column> columns, std::span<const std::string> cells,
                        const LineFault& fault, Language language) {
    const TableProblem problem{fault.kind, 0, fault.field, std::string(fault.text)};
    return {columnOfField(columns, cells, fault.field), problemReason(problem, language)};
}

std::vector<CellProblem> realsWrittenOtherwise(std::span<const Column> columns, std::span<const std::string> cells,
                                               std::span<const std::string> written, Language language) {
    std::vector<CellProblem> problems;
    for (size_t c = 0; c < cells.size(); ++c)
        if (columns[c].kind == ColumnKind::real && !(textToReal(written[c]) == textToReal(cells[c])))
            problems.push_back({static_cast<int>(c), formatText(text(Text::cellWrittenOtherwise, language),
                                                                {quotedText(cells[c], language), quotedText(written[c], language)})});
    return problems;
}

int columnAtOffset(std::span<const Column> columns, std::span<const std::string> cells, size_t offset) {
    size_t end = 0;
    for (size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
        end += cells[c].size() + (columns[c].kind == ColumnKind::groups ? 0 : 1);
        if (offset < end) return static_cast<int>(c);
    }
    return -1;
}

int columnOfProblem(std::span<const Column> columns, std::span<const std::string> cells, int field) {
    int column = columnOfField(columns, cells, field);
    // Text after the line's last field: the line ended early, at a byte that ends lines.
    for (size_t c = 0; field == 0 && column < 0 && c < cells.size(); ++c)
        if (cells[c].find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos)
            column = static_cast<int>(c);
    return column;
}

std::string blockText(const LineList& lines, int firstLine, int32_t headerValue, const TableFile& file, int from,
                      int to, int recordCount) {
    std::string text;
    for (int i = 0; i < firstLine - 1; ++i) (text += lines.item(i)) += "\r\n";
    text += formatText("%d;%d;", {headerValue, to - from});
    (text += file.headerRest) += "\r\n";
    for (int i = firstLine + from; i < firstLine + to; ++i) (text += lines.item(i)) += "\r\n";
    if (to == recordCount)
        for (int i = firstLine + recordCount; i < lines.count(); ++i) (text += lines.item(i)) += "\r\n";
    return text;
}
