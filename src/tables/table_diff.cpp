#include "tables/table_diff.h"

#include <span>
#include <unordered_map>

#include "tables/editor_fields.h"
#include "tables/table_rows.h"

namespace {

bool keptTextDiffers(const TableFile& a, const TableFile& b) {
    return a.remarks != b.remarks || a.headerRest != b.headerRest || a.trailingLines != b.trailingLines;
}

template <class Record>
void compareRecords(std::span<const Record> before, std::span<const Record> after, TableDiff& diff) {
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

} // namespace

template <class Record> ShownField showColumn(std::string_view column, const Record& r, TableId table) {
    ShownField shown;
    if constexpr (!std::is_same_v<Record, TCockpits>) {
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
    }
    return shown;
}

std::vector<size_t> matchIds(std::span<const std::string_view> before, std::span<const std::string_view> after) {
    // Each id's first old index not yet matched; the later ones with that id
    // follow it in `next` (a map of vectors would allocate once per id).
    std::unordered_map<std::string_view, size_t> first;
    first.reserve(before.size());
    std::vector<size_t> next(before.size(), kNoMatch);
    for (size_t i = before.size(); i-- > 0;) {
        const auto [found, added] = first.try_emplace(before[i], i);
        if (!added) {
            next[i] = found->second;
            found->second = i;
        }
    }
    std::vector<size_t> matches(after.size(), kNoMatch);
    for (size_t n = 0; n < after.size(); ++n) {
        const auto found = first.find(after[n]);
        if (found == first.end() || found->second == kNoMatch) continue;
        matches[n] = found->second;
        found->second = next[found->second];
    }
    return matches;
}

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

#define ORVEX_DIFF_OF(Record)                                                                      \
    template ShownField showColumn(std::string_view, const Record&, TableId);                      \
    template std::vector<FieldDiff> fieldChanges(const Record&, const Record&, TableId);
ORVEX_DIFF_OF(TShips)
ORVEX_DIFF_OF(TLasers)
ORVEX_DIFF_OF(TBullets)
ORVEX_DIFF_OF(TShields)
ORVEX_DIFF_OF(TRockets)
ORVEX_DIFF_OF(TCockpits)
ORVEX_DIFF_OF(TStations)
ORVEX_DIFF_OF(TWares)
#undef ORVEX_DIFF_OF

TableDiff diffTable(const GameState& oldSide, const GameState& newSide, TableId id) {
    TableDiff diff;
    diff.table = id;
    visitTable(oldSide, id, [&](const auto& before) {
        visitTable(newSide, id, [&](const auto& after) {
            if constexpr (std::is_same_v<decltype(before), decltype(after)>) {
                if (keptFromSaving(after.file) || keptFromSaving(before.file)) {
                    // The same bytes on both sides of a table that could not be read
                    // (a folder against its copy): nothing changed.
                    if (keptFromSaving(after.file) && keptFromSaving(before.file) &&
                        before.file.identity.present && before.file.identity == after.file.identity)
                        return;
                    diff.state = DiffState::notComparable;
                    diff.refusedSide = keptFromSaving(after.file) ? DiffSide::newSide : DiffSide::oldSide;
                    return;
                }
                if (before.file.missing || after.file.missing) {
                    if (before.file.missing != after.file.missing)
                        diff.state = before.file.missing ? DiffState::added : DiffState::removed;
                    return;
                }
                if (before.headerValue != after.headerValue) {
                    diff.oldHeader = before.headerValue;
                    diff.newHeader = after.headerValue;
                }
                diff.remarksChanged = keptTextDiffers(before.file, after.file);
                compareRecords(before.records, after.records, diff);
            }
        });
    });
    return diff;
}

bool hasDifferences(const TableDiff& diff) {
    if (diff.state == DiffState::added || diff.state == DiffState::removed) return true;
    return diff.oldHeader.has_value() || diff.remarksChanged || diff.reordered || !diff.changed.empty() ||
           !diff.added.empty() || !diff.removed.empty();
}

#define ORVEX_DIFF_RECORDS(Record)                                                                \
    void diffRecords(std::span<const Record> before, std::span<const Record> after, TableDiff& diff) { \
        compareRecords(before, after, diff);                                                      \
    }
ORVEX_DIFF_RECORDS(TShips)
ORVEX_DIFF_RECORDS(TLasers)
ORVEX_DIFF_RECORDS(TBullets)
ORVEX_DIFF_RECORDS(TShields)
ORVEX_DIFF_RECORDS(TRockets)
ORVEX_DIFF_RECORDS(TCockpits)
ORVEX_DIFF_RECORDS(TStations)
ORVEX_DIFF_RECORDS(TWares)
#undef ORVEX_DIFF_RECORDS
