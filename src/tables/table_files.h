#pragma once
// Every table file of a game with what was found at start-up, for whoever tells
// the user about them (the editor's warning, the command-line checker), and
// whether another program has changed one since.

#include <string_view>
#include <vector>

#include "tables/game_state.h"
#include "tables/table_list.h"

struct TableFileEntry {
    std::string_view name; // as the editor names it: "types\TShips.txt"
    const TableFile* file;
    TableId id;
};

// The twelve files in the order start-up loads them: ships, cockpits, lasers,
// bullets, shields, missiles, stations, then the ware files B, E, F, M, T.
std::vector<TableFileEntry> tableFiles(const GameState& state);

// What the state remembers of the table's file.
TableFile& tableFile(GameState& state, TableId id);

// The tables that a save would write whose file on disk is no longer what the
// program last read or wrote there (changed, replaced or removed since), in the
// order of tableFiles. Reads each such file once; reports nothing.
std::vector<TableFileEntry> tablesChangedOnDisk(const GameState& state);
