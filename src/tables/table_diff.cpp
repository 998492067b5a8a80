#include "tables/table_diff.h"

#include <span>
#include <unordered_map>

#include "tables/editor_fields.h"
#include "tables/table_rows.h"

namespace {

// The inputs the editor shows for a record kind (none for cockpits).
template <class Record> std::span<const FieldOf<Record>> editorFields() {
    if constexpr (std::is_same_v<Record, TShips>) return kShipFields;
    else if constexpr (std::is_same_v<Record, TLasers>) return kLaserFields;
    else if constexpr (std::is_same_v<Record, TBullets>) return kBulletFields;
    else if constexpr (std::is_same_v<Record, TShields>) return kShieldFields;
    else if constexpr (std::is_same_v<Record, TRockets>) return kRocketFields;
    else if constexpr (std::is_same_v<Record, TStations>) return kStationFields;
    else if constexpr (std::is_same_v<Record, TWares>) return kWareFields;
    else return {};
}

bool keptTextDiffers(const TableFile& a, const TableFile& b) {
    return a.remarks != b.remarks || a.headerRest != b.headerRest || a.trailingLines != b.trailingLines;
}

// The fields whose cells differ; the cells are compared, not the records, since
// the cells are what the file holds.
template <class Record> std::vector<FieldDiff> fieldChanges(const Record& before, const Record& after) {
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
        if constexpr (!std::is_same_v<Record, TCockpits>) {
            for (const FieldOf<Record>& input : editorFields<Record>()) {
                if (input.column != field.column) continue;
                field.label = input.label;
                field.unit = input.unit;
                field.shownOld = shownText(input, before);
                field.shownNew = shownText(input, after);
            }
        }
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

template <class Record>
void compareRecords(std::span<const Record> before, std::span<const Record> after, TableDiff& diff) {
    // Each id's old indexes, last first, so that matching takes them in order.
    std::unordered_map<std::string_view, std::vector<size_t>> byId;
    byId.reserve(before.size());
    for (size_t i = before.size(); i-- > 0;) byId[before[i].objectId].push_back(i);
    std::vector<bool> matched(before.size());
    size_t lastMatched = 0;
    for (size_t n = 0; n < after.size(); ++n) {
        const Record& r = after[n];
        const auto found = byId.find(r.objectId);
        if (found == byId.end() || found->second.empty()) {
            diff.added.push_back({r.objectId, n});
            continue;
        }
        const size_t i = found->second.back();
        found->second.pop_back();
        matched[i] = true;
        if (i < lastMatched) diff.reordered = true;
        lastMatched = i;
        std::vector<FieldDiff> fields = fieldChanges(before[i], r);
        if (!fields.empty()) diff.changed.push_back({r.objectId, i, n, std::move(fields)});
    }
    for (size_t i = 0; i < before.size(); ++i)
        if (!matched[i]) diff.removed.push_back({before[i].objectId, i});
}

} // namespace

TableDiff diffTable(const GameState& oldSide, const GameState& newSide, TableId id) {
    TableDiff diff;
    diff.table = id;
    visitTable(oldSide, id, [&](const auto& before) {
        visitTable(newSide, id, [&](const auto& after) {
            if constexpr (std::is_same_v<decltype(before), decltype(after)>) {
                if (keptFromSaving(after.file) || keptFromSaving(before.file)) {
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
