#pragma once
// The program's one state object: every table with its header value, count and
// what is remembered of its file. Created at start-up and passed to whatever
// needs it; several can live side by side (tests load several game folders at
// once). What the editor shows is the editor's own (editor/selection.h).

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
    // The five ware files; the editor lists their records as one (ware_list.h).
    Table<TWares> wareB;
    Table<TWares> wareE;
    Table<TWares> wareF;
    Table<TWares> wareM;
    Table<TWares> wareT;
};
