#include "tables/table_diff.h"

#include <span>
#include <unordered_map>

#include "tables/editor_fields.h"
#include "tables/table_rows.h"

namespace {

bool keptTextDiffers(const TableFile& a, const TableFile& b) {
    return a.remarks != b.remarks || a.headerRest != b.headerRest || a.trailingLines != b.trailingLines;
}

} // namespace

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

TableDiff diffTable(const GameState& oldSide, const GameState& newSide, TableId id) {
    TableDiff diff;
    diff.table = id;
    visitTable(oldSide, id, [&](const auto& before) {
        visitTable(newSide, id, [&](const auto& after) {
            using Record = typename decltype(before.records)::value_type;
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
                diffRecords(std::span<const Record>(before.records), std::span<const Record>(after.records), diff);
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
