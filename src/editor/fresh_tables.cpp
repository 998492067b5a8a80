// A window that stays fresh: when it is activated again, the tables another
// program changed since the window read or wrote them come in at once, merged
// with the window's edits as Save merges them. A change that does not merge
// cleanly waits for Save, which asks about it.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "tables/game_state.h"
#include "tables/save_merge.h"
#include "tables/table_files.h"
#include "text/file_fingerprint.h"
#include "text/format.h"
#include "ui/control.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

size_t slot(TableId id) { return static_cast<size_t>(id); }

// The first record list of the page shown, where the notice stands.
Control& shownList(MainForm& f) {
    switch (currentTab(*f.tabs)) {
    case 1: return *f.laser.list;
    case 2: return *f.station.list;
    default: return *f.shipList;
    }
}

} // namespace

bool takeChangedTables(MainForm& f) {
    GameState& game = *f.game;
    std::vector<TableId> changed;
    std::array<FileFingerprint, kTableCount> onDisk{};
    for (const TableFileEntry& entry : tablesChangedOnDisk(game)) {
        changed.push_back(entry.id);
        onDisk[slot(entry.id)] = fingerprintOnDisk(game.folder + std::string(entry.name));
    }
    if (changed.empty()) return false;
    const SaveMerge merge = mergeOnSave(game, changed, f.tableBases);
    // All or nothing: the tables name each other's records by place.
    if (!std::all_of(changed.begin(), changed.end(), [&](TableId id) { return merge.clean[slot(id)]; })) return false;
    bool editsChanged = false;
    for (const TableName& t : kTableNames) {
        const TableMerge& m = merge.merge.tables[slot(t.id)];
        if (!m.changesMine) continue;
        copyTable(merge.merge.merged, t.id, game);
        // A table whose file did not change now differs from it (its references
        // follow records the other program moved): it is Save's to write.
        if (std::find(changed.begin(), changed.end(), t.id) == changed.end()) editsChanged = true;
    }
    // What the merge was made with is what the window has read of each file; a
    // file written again meanwhile is merged (or asked about) by a later look.
    for (TableId id : changed) {
        tableFile(game, id).identity = onDisk[slot(id)];
        rememberBase(game, id, f.tableBases);
    }
    for (TableId id : changed) refillRecordLists(f, id);
    showEveryRecord(f);
    if (editsChanged) markChanged(f, true);
    std::string files;
    for (TableId id : changed) files += (files.empty() ? "" : ", ") + std::string(tableName(id).fileName);
    showNotice(shownList(f), f.text(Text::refreshedTitle), formatText(f.text(Text::refreshed), {files}));
    return true;
}

void onWindowActivated(void* context, Control&) {
    MainForm& f = *static_cast<MainForm*>(context);
    if (f.busy == 0) takeChangedTables(f);
}
