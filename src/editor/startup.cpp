// Start-up: choose and read the name page, load every table (beside making the
// shown page's windows), fill every list and show the first record of each
// group, before the window is first shown.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/display_names.h"
#include "names/name_page.h"
#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/load_tables.h"
#include "tables/save_merge.h"
#include "tables/table_files.h"
#include "tables/table_list.h"
#include "tables/ware_list.h"
#include "text/cp1251.h"
#include "text/files.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/styles.h"
#include "ui/trace.h"

#include <string>
#include <thread>

namespace {

// One line per table that no save will write: its file, " — ", the place and the
// reason. Empty when every table can be saved (missing ones are not listed).
std::string keptTablesText(const MainForm& f) {
    std::string lines;
    for (const TableFileEntry& entry : tableFiles(*f.game))
        if (keptFromSaving(*entry.file))
            lines += "\r\n" + std::string(entry.name) + std::string(u8" — "_cp1251) +
                     problemText(entry.file->problem, f.language);
    return lines.empty() ? lines : std::string(f.text(Text::keptTables)) + lines;
}

// The tables that were not found, one a line; or, without a `types` folder, only
// the question whether this is the game's folder. Empty when all were found.
std::string missingTablesText(const MainForm& f) {
    if (!folderExists(f.game->folder + "types")) return std::string(f.text(Text::noTypesFolder));
    std::string lines;
    for (const TableFileEntry& entry : tableFiles(*f.game))
        if (entry.file->missing) lines += "\r\n" + std::string(entry.name);
    return lines.empty() ? lines : std::string(f.text(Text::missingTables)) + lines;
}

// Everything start-up has to tell, in one message: another Orvex on this folder,
// the tables not found, those no save will write. Empty when there is nothing.
std::string startupNotes(const MainForm& f, bool openElsewhere) {
    std::string notes;
    const auto add = [&notes](const std::string& part) {
        if (part.empty()) return;
        if (!notes.empty()) notes += "\r\n\r\n";
        notes += part;
    };
    if (openElsewhere) add(std::string(f.text(Text::folderAlreadyOpen)));
    add(missingTablesText(f));
    add(keptTablesText(f));
    return notes;
}

// Shown once the window is visible, before the user can change anything.
void showStartupNotes(void* context, Control&) {
    MainForm& f = *static_cast<MainForm*>(context);
    messageBoxOwned(*f.window, f.startupNotes, controlText(*f.application),
                    kMbOk | kMbIconExclamation);
    f.startupNotes.clear();
}

// What start-up reads: the name page (its bytes kept, since names added from
// the window are edits of them), every table, and the tables as read for Save's
// merge. Run beside the making of the shown page's windows: it touches no control.
void readGame(MainForm& f, const std::string& page) {
    GameState& game = *f.game;
    f.page.name = page.substr(game.folder.size());
    readWholeFile(page, f.page.bytes);
    f.page.base = f.page.bytes;
    f.page.identity = fingerprintOf(f.page.bytes);
    f.nameLines = std::make_unique<NamePage>();
    readNamePage(*f.nameLines, f.page.bytes);
    for (TableId id : tablesInOrder(&TableName::readStep))
        loadTable(game, id);
    rememberBases(game, f.tableBases);
}

} // namespace

bool runStartup(MainForm& f) {
    GameState& game = *f.game;
    setTabItemSize(*f.tabs, 150, 18);

    const std::string page = findNamePage(game.folder);
    if (page.empty()) return false;
    // Claimed before anything is read, so that two editors started at once
    // cannot both miss each other.
    const bool openElsewhere = !claimFolder(*f.window, game.folder);
    // Both take long on a large game, and neither waits for the other.
    std::thread reader(readGame, std::ref(f), std::cref(page));
    makeWindows(*f.window);
    traceMark("shown page's windows made");
    reader.join();
    traceMark("name page and tables read beside them");

    fillRecordLists(f, TableId::ships);
    addListedEntries(*f.maxShieldCountList, Shown::countEntry);
    addListedEntries(*f.maxMissileCountList, Shown::countEntry);
    for (RecordGroup* g : {&f.laser, &f.shield, &f.rocket, &f.ware})
        addListedEntries(*g->averagePriceChange, Shown::percentEntry);
    for (TableId id : {TableId::lasers, TableId::shields, TableId::rockets})
        fillRecordLists(f, id);
    // Only now do the shield and missile lists hold the entries a ship selects.
    showShip(f);
    showLaser(f);
    showShield(f);
    showRocket(f);
    fillRecordLists(f, TableId::stations);
    showStation(f);
    fillRecordLists(f, TableId::wareB); // the ware list names all five files' records
    showWare(f);
    traceMark("lists filled, first records shown");

    f.startupNotes = startupNotes(f, openElsewhere);
    if (!f.startupNotes.empty()) f.window->onShown = {showStartupNotes, &f};
    return true;
}
