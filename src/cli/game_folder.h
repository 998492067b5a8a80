#pragma once
// What every command does first: the game folder, its tables and its name page.

#include <memory>
#include <string>

#include "cli/commands.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/table_list.h"

struct LoadedGame {
    GameState state;
    std::unique_ptr<NamePage> page; // null when the folder has no name page
    std::string pagePath;
};

// Loads every table and the name page of `folder`. False, with the message in
// io.err, when the folder has no types folder.
bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io);
// Loads only the one table (a ware file with the other four, which place its
// records) and, when asked, the name page.
bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io, TableId table,
              bool withNames);

// "orvex-cli: <message>\n" on err (the message UTF-8).
void sayError(CliOutput& io, const std::string& message);
