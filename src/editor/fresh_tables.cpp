// A window that stays fresh: when it is activated again, the tables another
// program changed since the window read or wrote them come in at once, merged
// with the window's edits as Save merges them, and so does the name page when
// the window has no names of its own. A change that does not merge cleanly
// waits for Save, which asks about it.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/save_merge.h"
#include "tables/table_files.h"
#include "text/file_fingerprint.h"
#include "text/files.h"
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

// The name page another program changed, read again when the window has no
// names of its own to keep (else Save merges it): true when it was.
bool takeChangedPage(MainForm& f) {
    const std::string path = f.game->folder + f.page.name;
    if (f.page.bytes != f.page.base || fingerprintOnDisk(path) == f.page.identity) return false;
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    f.page.bytes = f.page.base = bytes;
    f.page.identity = fingerprintOf(bytes);
    readNamePage(*f.nameLines, f.page.bytes);
    return true;
}

// The changed tables, taken in when every one merges cleanly; empty otherwise.
std::vector<TableId> takeTables(MainForm& f) {
    GameState& game = *f.game;
    std::vector<TableId> changed;
    std::array<FileFingerprint, kTableCount> onDisk{};
    for (const TableFileEntry& entry : tablesChangedOnDisk(game)) {
        changed.push_back(entry.id);
        onDisk[slot(entry.id)] = fingerprintOnDisk(game.folder + std::string(entry.name));
    }
    if (changed.empty()) return changed;
    const SaveMerge merge = mergeOnSave(game, changed, f.tableBases);
    // All or nothing: the tables name each other's records by place.
    if (!std::all_of(changed.begin(), changed.end(), [&](TableId id) { return merge.clean[slot(id)]; })) return {};
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
    if (editsChanged) markChanged(f, true);
    return changed;
}

} // namespace

bool takeChangedTables(MainForm& f) {
    const std::vector<TableId> tables = takeTables(f);
    const bool page = takeChangedPage(f);
    if (tables.empty() && !page) return false;
    std::string files;
    const auto name = [&](std::string_view file) { files += (files.empty() ? "" : ", ") + std::string(file); };
    for (TableId id : tables) name(tableName(id).fileName);
    if (page) name(f.page.name);
    // New names are in every list; a changed table in its own.
    for (TableId id : {TableId::ships, TableId::lasers, TableId::shields, TableId::rockets, TableId::stations,
                       TableId::wareB})
        if (page || std::find(tables.begin(), tables.end(), id) != tables.end() ||
            (id == TableId::wareB && std::any_of(tables.begin(), tables.end(), [](TableId t) { return t >= TableId::wareB; })))
            refillRecordLists(f, id);
    showEveryRecord(f);
    showNotice(shownList(f), f.text(Text::refreshedTitle), formatText(f.text(Text::refreshed), {files}));
    return true;
}

void onWindowActivated(void* context, Control&) {
    MainForm& f = *static_cast<MainForm*>(context);
    if (f.busy == 0) takeChangedTables(f);
}
