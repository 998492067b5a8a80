#pragma once
// What changed in one table between two versions of a game: records matched by
// objectId (the n-th record with an id on one side is the n-th with that id on
// the other), each changed field by its column and its cells as export writes
// them, and for an input the editor shows, its label, unit and the values as the
// editor shows them. Front ends name the records and put it in words.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/price_math.h"
#include "tables/table_list.h"
#include "tables/table_rows.h"
#include "text/texts.h"

enum class DiffState {
    compared,
    added,         // the file is on the new side only
    removed,       // the file is on the old side only
    noBackup,      // (set by the caller) no backup to compare with
    notComparable, // a side is unreadable or not in format: not compared
};

enum class DiffSide { none, oldSide, newSide };

// A column of a record as the editor shows it. No label: a column it does not show.
struct ShownField {
    std::optional<Text> label;
    std::optional<Text> unit;
    bool unitSquared = false;
    Shown shown = Shown::number;
    // The input's text; for a list the entry's text when the core knows the list
    // (empty outside it, and for the lists of names: see entry).
    std::string text;
    int64_t entry = 0;              // a list's entry, which may lie outside the list
    std::optional<ShownPrice> price; // for a price coefficient: the window's estimate
};

// Column `column` of record `r` of table `table` as the editor shows it.
template <class Record> ShownField showColumn(std::string_view column, const Record& r, TableId table) {
    ShownField shown;
    const std::span<const std::string_view> columns = editorColumns<Record>();
    const std::span<const FieldOf<Record>> inputs = editorFields<Record>();
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (columns[i] != column) continue;
        const FieldOf<Record>& input = inputs[i];
        shown.label = input.label;
        shown.unit = input.unit;
        shown.unitSquared = input.unitSquared;
        shown.shown = input.shown;
        if (isListField(input.shown)) {
            shown.entry = shownEntry(input, r);
            shown.text = shownEntryText(input, r);
        } else {
            shown.text = shownText(input, r);
        }
        if (column == "priceCoefficient") shown.price = shownPrice(r, table);
        break;
    }
    return shown;
}

struct FieldDiff {
    std::string_view column;      // as export names it; "rest": the text after the last field
    std::string oldCell, newCell; // Windows-1251, as export writes them
    // An input the editor shows: its label and unit, and the texts it shows.
    std::optional<Text> label;
    std::optional<Text> unit;
    std::string shownOld, shownNew;
    // Everything the window shows of the two values.
    ShownField oldShown, newShown;
};

struct RecordDiff {
    std::string objectId;
    size_t oldIndex = 0; // records counted from 0 within the table
    size_t newIndex = 0;
    std::vector<FieldDiff> fields;
};

struct RecordAt {
    std::string objectId;
    size_t index = 0; // on the new side for an added record, on the old side for a removed one
};

struct TableDiff {
    TableId table = TableId::ships;
    DiffState state = DiffState::compared;
    DiffSide refusedSide = DiffSide::none; // for notComparable: whose file (new side first)
    std::optional<int32_t> oldHeader, newHeader; // both set when the header value changed
    // The remark lines, or the other text the file keeps outside its records (after
    // the header's count, after the last record), differ.
    bool remarksChanged = false;
    bool reordered = false; // matched records stand in another order
    std::vector<RecordDiff> changed;
    std::vector<RecordAt> added;
    std::vector<RecordAt> removed;
};

// For each record of `after`, the index of the record of `before` it matches, or
// kNoMatch (added): the n-th record with an id on one side is the n-th record with
// that id on the other.
inline constexpr size_t kNoMatch = SIZE_MAX;
std::vector<size_t> matchIds(std::span<const std::string_view> before, std::span<const std::string_view> after);
template <class Record>
std::vector<size_t> matchRecords(std::span<const Record> before, std::span<const Record> after) {
    std::vector<std::string_view> a, b;
    a.reserve(before.size());
    b.reserve(after.size());
    for (const Record& r : before) a.push_back(r.objectId);
    for (const Record& r : after) b.push_back(r.objectId);
    return matchIds(a, b);
}

// The fields whose cells differ between two records of one kind, in column order
// ("rest" last), each with what the editor shows of it as a record of `table`.
// The cells are compared, not the records, since the cells are what the file holds.
template <class Record>
std::vector<FieldDiff> fieldChanges(const Record& before, const Record& after, TableId table) {
    std::vector<FieldDiff> fields;
    const std::span<const Column> columns = recordColumns<Record>();
    std::vector<std::string> oldCells = recordCells(before);
    std::vector<std::string> newCells = recordCells(after);
    for (size_t c = 0; c < columns.size(); ++c) {
        if (oldCells[c] == newCells[c]) continue;
        FieldDiff field;
        field.column = columns[c].name;
        field.oldCell = std::move(oldCells[c]);
        field.newCell = std::move(newCells[c]);
        field.oldShown = showColumn(field.column, before, table);
        field.newShown = showColumn(field.column, after, table);
        field.label = field.newShown.label;
        field.unit = field.newShown.unit;
        field.shownOld = field.oldShown.text;
        field.shownNew = field.newShown.text;
        fields.push_back(std::move(field));
    }
    if (before.rest != after.rest) {
        FieldDiff& rest = fields.emplace_back();
        rest.column = "rest";
        rest.oldCell = before.rest;
        rest.newCell = after.rest;
    }
    return fields;
}

// Compares table `id` of the old side with the same table of the new side. A file
// missing on both sides compares as equal; on one side only it is added or
// removed; unreadable or not in format on a side, the table is not compared,
// unless it is so on both sides with the same bytes (then it is equal).
TableDiff diffTable(const GameState& oldSide, const GameState& newSide, TableId id);

// Compares two versions of one table's records alone, the way diffTable does:
// fills diff's changed, added, removed and reordered (import's summary). The
// records are those of table diff.table.
template <class Record>
void diffRecords(std::span<const Record> before, std::span<const Record> after, TableDiff& diff) {
    const std::vector<size_t> matches = matchRecords(before, after);
    std::vector<bool> matched(before.size());
    size_t lastMatched = 0;
    for (size_t n = 0; n < after.size(); ++n) {
        const Record& r = after[n];
        const size_t i = matches[n];
        if (i == kNoMatch) {
            diff.added.push_back({r.objectId, n});
            continue;
        }
        matched[i] = true;
        if (i < lastMatched) diff.reordered = true;
        lastMatched = i;
        // Most records of two versions are equal: their cells need not be made.
        if (before[i] == r) continue;
        std::vector<FieldDiff> fields = fieldChanges(before[i], r, diff.table);
        if (!fields.empty()) diff.changed.push_back({r.objectId, i, n, std::move(fields)});
    }
    for (size_t i = 0; i < before.size(); ++i)
        if (!matched[i]) diff.removed.push_back({before[i].objectId, i});
}

// Any difference at all (a table that could not be compared is none).
bool hasDifferences(const TableDiff& diff);
