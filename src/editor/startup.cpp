// Start-up: choose and read the name page, load every table, fill every list and
// show the first record of each group, before the window is first shown.

#include "editor/editor.h"
#include "editor/main_form.h"
#include "names/display_names.h"
#include "names/name_page.h"
#include "tables/editor_fields.h"
#include "tables/game_state.h"
#include "tables/load_tables.h"
#include "tables/save_merge.h"
#include "tables/table_files.h"
#include "tables/ware_list.h"
#include "text/cp1251.h"
#include "text/files.h"
#include "text/format.h"
#include "ui/control.h"
#include "ui/styles.h"
#include "ui/trace.h"

#include <string>

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

} // namespace

bool runStartup(MainForm& f) {
    GameState& game = *f.game;
    setTabItemSize(*f.tabs, 150, 18);

    const std::string page = findNamePage(game.folder);
    if (page.empty()) return false;
    // Claimed before anything is read, so that two editors started at once
    // cannot both miss each other.
    const bool openElsewhere = !claimFolder(*f.window, game.folder);
    // Its bytes are kept: names added from the window are edits of them.
    f.page.name = page.substr(game.folder.size());
    readWholeFile(page, f.page.bytes);
    f.page.base = f.page.bytes;
    f.page.identity = fingerprintOf(f.page.bytes);
    f.nameLines = std::make_unique<NamePage>();
    readNamePage(*f.nameLines, f.page.bytes);
    traceMark("name page read");

    loadTable(game, TableId::ships);
    loadTable(game, TableId::cockpits);
    traceMark("ships and cockpits read");
    fillRecordLists(f, TableId::ships);
    traceMark("ship list filled");

    addListedEntries(*f.maxShieldCountList, Shown::countEntry);
    addListedEntries(*f.maxMissileCountList, Shown::countEntry);
    for (RecordGroup* g : {&f.laser, &f.shield, &f.rocket, &f.ware})
        addListedEntries(*g->averagePriceChange, Shown::percentEntry);
    traceMark("count and percentage lists filled");

    loadTable(game, TableId::lasers);
    fillRecordLists(f, TableId::lasers);
    traceMark("lasers read, laser list filled");
    loadTable(game, TableId::bullets);
    traceMark("bullets read");
    loadTable(game, TableId::shields);
    fillRecordLists(f, TableId::shields);
    traceMark("shields read, two shield lists filled");
    loadTable(game, TableId::rockets);
    fillRecordLists(f, TableId::rockets);
    traceMark("missiles read, two missile lists filled");

    // Only now do the shield and missile lists hold the entries a ship selects.
    showShip(f);
    showLaser(f);
    showShield(f);
    showRocket(f);
    traceMark("first ship, laser, shield and missile shown");

    loadTable(game, TableId::stations);
    traceMark("stations read");
    fillRecordLists(f, TableId::stations);
    traceMark("station list filled");
    showStation(f);

    forEachWareFile(game, [&](TableId id, const Table<TWares>&) { loadTable(game, id); });
    traceMark("wares read");
    fillRecordLists(f, TableId::wareB); // the ware list names all five files' records
    traceMark("ware list filled");
    showWare(f);
    traceMark("first station and ware shown");

    rememberBases(game, f.tableBases);
    traceMark("tables kept for Save's merge");

    f.startupNotes = startupNotes(f, openElsewhere);
    if (!f.startupNotes.empty()) f.window->onShown = {showStartupNotes, &f};
    return true;
}
