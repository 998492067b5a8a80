#include "tables/save_merge.h"

#include <algorithm>
#include <utility>

#include "tables/load_tables.h"
#include "text/file_identity.h"
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
        if (readWholeFile(state.folder + std::string(v.name.fileName), bytes) && identityOf(bytes) == v.file.identity)
            base = std::move(bytes);
    });
}

void rememberBases(const GameState& state, TableBases& bases) {
    for (size_t i = 0; i < bases.size(); ++i) rememberBase(state, static_cast<TableId>(i), bases);
}

SaveMerge mergeOnSave(const GameState& mine, TableId id, const TableBases& bases) {
    SaveMerge out;
    out.id = id;
    const std::optional<std::string>& baseBytes = bases[index(id)];
    if (!baseBytes) return out;
    GameState base, theirs;
    base.folder = theirs.folder = mine.folder;
    loadTableBytes(base, id, *baseBytes);
    loadTableFrom(theirs, id, tableName(id).fileName);
    bool theirsWritable = false;
    visitTable(theirs, id, [&](const auto& v) { theirsWritable = writtenBySave(v.file); });
    if (!theirsWritable) return out;

    // `merged` starts empty: mergeTable puts the table there only when it differs from MINE's.
    const TableMerge m = mergeTable(base, mine, theirs, id, Prefer::none, out.merged);
    out.conflicts = m.conflicts;
    out.changesMine = m.changesMine;
    out.clean = m.merged && m.exists && m.conflicts.empty();
    return out;
}
