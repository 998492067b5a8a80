#include "objects/merged_names.h"

#include <algorithm>
#include <type_traits>

#include "names/name_edit.h"
#include "names/name_page.h"
#include "tables/table_list.h"
#include "text/cp1251.h"

namespace {

template <class F> void forEachNamedTable(const GameState& s, F&& f) {
    for (const TableName& t : kTableNames)
        visitTable(s, t.id, [&](const auto& table) {
            using Record = typename std::remove_cvref_t<decltype(table.records)>::value_type;
            if constexpr (requires(Record r) { r.nameTextId; }) f(t.id, table.records);
        });
}

std::vector<int32_t> usedTextIds(const GameState& s) {
    std::vector<int32_t> ids;
    forEachNamedTable(s, [&](TableId, const auto& records) {
        for (const auto& r : records) ids.push_back(r.nameTextId);
    });
    return ids;
}

// Whether table `id` of `s` has a record `objectId` named by `textId`.
bool names(const GameState& s, TableId id, const std::string& objectId, int32_t textId) {
    bool found = false;
    forEachNamedTable(s, [&](TableId t, const auto& records) {
        if (t == id)
            for (const auto& r : records) found = found || (r.objectId == objectId && r.nameTextId == textId);
    });
    return found;
}

// The records of `merged` that THEIRS names by `from` and MINE does not take `to`;
// their tables join `tables`.
void moveTheirs(const GameState& mine, const GameState& theirs, GameState& merged, int32_t from, int32_t to,
                std::vector<TableId>& tables) {
    for (const TableName& t : kTableNames)
        visitTable(merged, t.id, [&](auto& table) {
            using Record = typename std::remove_cvref_t<decltype(table.records)>::value_type;
            if constexpr (requires(Record r) { r.nameTextId; })
                for (Record& r : table.records)
                    if (r.nameTextId == from && names(theirs, t.id, r.objectId, from) &&
                        !names(mine, t.id, r.objectId, from)) {
                        r.nameTextId = to;
                        if (std::find(tables.begin(), tables.end(), t.id) == tables.end()) tables.push_back(t.id);
                    }
        });
}

} // namespace

MergedNames mergeNames(std::string_view base, std::string_view mine, std::string_view theirs,
                       const GameState& mineGame, const GameState& theirsGame, GameState& merged) {
    NamePageMerge m = mergeNamePages(base, mine, theirs);
    MergedNames result{std::move(m.bytes), m.wholeFile, {}, 0, {}};
    if (result.wholeFile) return result;
    NamePage basePage;
    readNamePage(basePage, base);
    for (const NameConflict& c : m.conflicts) {
        // An id both added: THEIRS' name goes under a new id.
        if (!c.theirs.empty() && lookupName(basePage, c.textId).empty() && !c.mine.empty()) {
            const NameEdit added = addName(result.bytes, cp1251::toUtf8(c.theirs), usedTextIds(merged));
            if (added.fault == NameFault::none) {
                moveTheirs(mineGame, theirsGame, merged, c.textId, added.textId, result.tables);
                ++result.renumbered;
                continue;
            }
        }
        result.conflicts.push_back(c);
    }
    return result;
}

void takeTheirName(std::string& page, const NameConflict& conflict, const GameState& merged) {
    if (conflict.theirs.empty()) return; // THEIRS removed the line: MINE's stays, naming MINE's record
    renameName(page, conflict.textId, false, cp1251::toUtf8(conflict.theirs), usedTextIds(merged));
}
