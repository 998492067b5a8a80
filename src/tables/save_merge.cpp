#include "tables/save_merge.h"

#include <algorithm>
#include <utility>

#include "tables/load_tables.h"
#include "text/file_fingerprint.h"
#include "text/files.h"

namespace {

size_t index(TableId id) { return static_cast<size_t>(id); }

} // namespace

void rememberBase(const GameState& state, TableId id, TableBases& bases) {
    std::optional<std::string>& base = bases[index(id)];
    base.reset();
    visitTable(state, id, [&](const auto& v) {
        if (!writtenBySave(v.file)) return;
        std::string bytes;
        if (readWholeFile(state.folder + std::string(tableName(id).fileName), bytes) && fingerprintOf(bytes) == v.file.identity)
            base = std::move(bytes);
    });
}

void rememberBases(const GameState& state, TableBases& bases) {
    for (size_t i = 0; i < bases.size(); ++i) rememberBase(state, static_cast<TableId>(i), bases);
}

SaveMerge mergeOnSave(const GameState& mine, std::span<const TableId> changedOnDisk, const TableBases& bases) {
    SaveMerge out;
    // Without a BASE a table is MINE's on every side: nothing of it merges.
    GameState base = mine, theirs = mine;
    for (const TableName& t : kTableNames)
        if (bases[index(t.id)]) loadTableBytes(base, t.id, *bases[index(t.id)]);
    theirs = base;
    for (const TableName& t : kTableNames)
        if (!bases[index(t.id)]) copyTable(mine, t.id, base), copyTable(mine, t.id, theirs);
    std::array<bool, kTableCount> readable{};
    for (TableId id : changedOnDisk) {
        if (!bases[index(id)]) continue;
        GameState now;
        now.folder = mine.folder;
        loadTableFrom(now, id, tableName(id).fileName);
        visitTable(now, id, [&](const auto& v) { readable[index(id)] = writtenBySave(v.file); });
        // A file gone or unreadable now is asked about, never merged.
        if (readable[index(id)]) copyTable(now, id, theirs);
    }
    out.merge = mergeGame(base, mine, theirs, Prefer::mine);
    for (TableId id : changedOnDisk) {
        const TableMerge& m = out.merge.tables[index(id)];
        out.clean[index(id)] = readable[index(id)] && m.readable && m.exists && m.conflicts.empty();
    }
    return out;
}

std::vector<TableId> linkedTables(TableId id) {
    static constexpr TableId shipGroup[] = {TableId::ships, TableId::shields, TableId::rockets, TableId::cockpits};
    static constexpr TableId laserGroup[] = {TableId::lasers, TableId::bullets};
    for (std::span<const TableId> group : {std::span<const TableId>(shipGroup), std::span<const TableId>(laserGroup)})
        if (std::find(group.begin(), group.end(), id) != group.end()) return {group.begin(), group.end()};
    return {id};
}
