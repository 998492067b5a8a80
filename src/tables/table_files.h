#pragma once
// Every table file of a game with what was found at start-up, for whoever tells
// the user about them (the editor's warning, the command-line checker).

#include <string_view>
#include <vector>

#include "tables/game_state.h"

struct TableFileEntry {
    std::string_view name; // as the editor names it: "types\TShips.txt"
    const TableFile* file;
};

// The twelve files in the order start-up loads them: ships, cockpits, lasers,
// bullets, shields, missiles, stations, then the ware files B, E, F, M, T.
std::vector<TableFileEntry> tableFiles(const GameState& state);
