#pragma once
// The twelve table files of a game as one list: a row per file names the member
// of GameState that holds it (and so its record kind), a short key ("ships",
// "wareB"), the file as the editor names it and its price factor. The loader,
// the writer, the checks, diff, merge and the spreadsheet tools go over this
// list, so a new table is a row here, its TableId and its member in GameState,
// and its record kind with its column list (columns.h).

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <utility>

#include "tables/game_state.h"

enum class TableId { ships, lasers, bullets, shields, rockets, cockpits, stations,
                     wareB, wareE, wareF, wareM, wareT };

struct TableName {
    TableId id;
    std::string_view key;      // "ships", "lasers", …, "wareB" … "wareT"
    std::string_view fileName; // as the writer names it: "types\TShips.txt"
    // The basis of a record's price estimate is its price coefficient times this;
    // 0 for the tables without a price (bullets, cockpits).
    double priceFactor;
    // The game's modders know its editor's start-up, which reads the tables in
    // one order (its notes list the files so), and its save, which writes them in
    // another: each table's step in both (tablesInOrder).
    int readStep;
    int writeStep;
};

template <class Record> struct TableRow {
    TableName name;
    Table<Record> GameState::*table;
};

// The doubles nearest to 64.924 (just above) and 28.075 (just below).
inline constexpr double shipPriceFactor = 64.924;
inline constexpr double equipmentPriceFactor = 28.075;

// In TableId order, which is also the order in which the tools list the tables.
inline constexpr std::tuple kTables{
    TableRow<TShips>{{TableId::ships, "ships", "types\\TShips.txt", shipPriceFactor, 0, 2}, &GameState::ships},
    TableRow<TLasers>{{TableId::lasers, "lasers", "types\\TLaser.txt", equipmentPriceFactor, 2, 4},
                      &GameState::lasers},
    TableRow<TBullets>{{TableId::bullets, "bullets", "types\\TBullets.txt", 0, 3, 0}, &GameState::bullets},
    TableRow<TShields>{{TableId::shields, "shields", "types\\TShields.txt", equipmentPriceFactor, 4, 5},
                       &GameState::shields},
    TableRow<TRockets>{{TableId::rockets, "rockets", "types\\TRockets.txt", equipmentPriceFactor, 5, 6},
                       &GameState::rockets},
    TableRow<TCockpits>{{TableId::cockpits, "cockpits", "types\\TCockpits.txt", 0, 1, 1}, &GameState::cockpits},
    TableRow<TStations>{{TableId::stations, "stations", "types\\TFactories.txt", shipPriceFactor, 6, 3},
                        &GameState::stations},
    TableRow<TWares>{{TableId::wareB, "wareB", "types\\TWareB.txt", 5.25, 7, 7}, &GameState::wareB},
    TableRow<TWares>{{TableId::wareE, "wareE", "types\\TWareE.txt", 4.0, 8, 8}, &GameState::wareE},
    TableRow<TWares>{{TableId::wareF, "wareF", "types\\TWareF.txt", 12.135, 9, 9}, &GameState::wareF},
    TableRow<TWares>{{TableId::wareM, "wareM", "types\\TWareM.txt", 5.25, 10, 10}, &GameState::wareM},
    TableRow<TWares>{{TableId::wareT, "wareT", "types\\TWareT.txt", 28.075, 11, 11}, &GameState::wareT},
};
// How many table files a game has: the one place that counts them.
inline constexpr size_t kTableCount = std::tuple_size_v<decltype(kTables)>;

inline constexpr std::array<TableName, kTableCount> kTableNames =
    std::apply([](const auto&... row) { return std::array<TableName, kTableCount>{row.name...}; }, kTables);
static_assert(
    [] {
        for (size_t i = 0; i < kTableCount; ++i)
            if (kTableNames[i].id != static_cast<TableId>(i)) return false;
        return true;
    }(),
    "a row for each TableId, in its order");

inline const TableName& tableName(TableId id) { return kTableNames[static_cast<size_t>(id)]; }

// Calls f(table) with table `id` of `s` (a Table<Record>, const when `s` is) and
// returns what f returns, the same type for every record kind.
template <class State, class F, size_t I = 0> decltype(auto) visitTable(State& s, TableId id, F&& f) {
    if constexpr (I + 1 < kTableCount)
        if (static_cast<size_t>(id) != I) return visitTable<State, F, I + 1>(s, id, std::forward<F>(f));
    return f(s.*std::get<I>(kTables).table);
}

// The tables by their step in an order (&TableName::readStep, &TableName::writeStep).
std::array<TableId, kTableCount> tablesInOrder(int TableName::*step);
// The tables in the order saveAllTables writes them.
inline std::array<TableId, kTableCount> tablesInSaveOrder() { return tablesInOrder(&TableName::writeStep); }

// The table a user means by `name`: its key or its file name, without regard to
// the case of Latin letters, with or without "types\" (or "types/") and ".txt"
// ("ships", "TShips.txt", "types\tships.txt"). Null when none matches.
const TableName* findTable(std::string_view name);
