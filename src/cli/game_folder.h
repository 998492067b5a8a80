#pragma once
// What every command does first: the game folder, its tables and its name page.

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "cli/commands.h"
#include "names/display_names.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/table_list.h"
#include "text/safe_write.h"

struct LoadedGame {
    GameState state;
    // Null when the folder has no name page; shared by a game made from another
    // (a merge's result has MINE's page).
    std::shared_ptr<NamePage> page;
    std::string pagePath;
};

// Loads every table and, unless told not to, the name page of `folder`. False,
// with the message in io.err, when the folder has no types folder.
bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io, bool withNames = true);
// Loads only the one table (a ware file with the other four, which place its
// records) and, when asked, the name page.
bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io, TableId table,
              bool withNames);

// False, with the message in io.err, when `folder` has no types folder.
bool isGameFolder(const std::string& folder, CliOutput& io);
// The name page of `folder`, when it has one.
void loadNames(const std::string& folder, LoadedGame& game);

// "orvex-cli: <message>\n" on err (the message UTF-8).
void sayError(CliOutput& io, const std::string& message);

// The record as the editor lists it (Windows-1251); empty for kinds it does not list.
template <class Record>
std::string recordName(const LoadedGame& game, const Record& r, Language language) {
    if constexpr (std::is_same_v<Record, TStations>) {
        return listedName(game.page.get(), r.nameTextId, r.objectId, r.race, language);
    } else if constexpr (requires { r.nameTextId; }) {
        return listedName(game.page.get(), r.nameTextId, r.objectId, std::nullopt, language);
    } else {
        return {};
    }
}

// The tables asked for, each once, in the order of kTableNames; all twelve without
// any. False, with the message on err, for a name that is no table.
bool chosenTables(const std::vector<std::string>& given, std::vector<const TableName*>& chosen, CliOutput& io);

// The table a user names (as findTable reads it), else null with the message and
// the list of tables on err.
const TableName* tableOrSay(const std::string& table, CliOutput& io);

// The system's reason for a file that could not be written, as the editor words it.
std::string faultWord(const CliOutput& io, FileFault fault);

// True when writeFilesTogether wrote every file into `folder`; else false, with
// the file that stopped it, the system's reason and any files written before it on err.
bool sayWritten(const std::string& folder, const TogetherReport& report, CliOutput& io);

// Warns on err when an Orvex window has `folder` open: what the command writes
// there is still written, and that window's Save merges it with its edits.
void warnIfOpenInEditor(const std::string& folder, CliOutput& io);
