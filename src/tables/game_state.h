#pragma once
// The program's one state object: every table with its header value, count and
// what is remembered of its file. Created at start-up and passed to whatever
// needs it; several can live side by side (tests load several game folders at
// once). What the editor shows is the editor's own (editor/selection.h).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/records.h"
#include "tables/table_file.h"

// What a table file gives besides its records: the header's first value, the
// number of records read (the header's count as loaded) and the file's state.
struct TableFacts {
    int32_t headerValue = 0;
    int32_t count = 0;
    TableFile file;
};

// A table read from a file of its own.
template <class Record> struct Table : TableFacts {
    std::vector<Record> records;
};

struct GameState {
    // Prepended to every table path: empty for the current folder, otherwise a
    // folder ending in its separator ("/tmp/game/", "C:\\game\\").
    std::string folder;

    Table<TShips> ships;
    Table<TLasers> lasers;
    Table<TBullets> bullets;
    Table<TShields> shields;
    Table<TRockets> rockets;
    Table<TCockpits> cockpits;
    Table<TStations> stations;

    // The records of the five ware files in one list, as the editor shows them:
    // file B's first, then E's, F's, M's and T's (each file's `count` of them).
    std::vector<TWares> wares;
    // The facts of each ware file, in the same order (table_list.h names them).
    std::array<TableFacts, 5> wareFiles;
};
