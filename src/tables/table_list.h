#pragma once
// The twelve table files of a game as one list: a short key for each ("ships",
// "wareB"), the file as the editor names it, and typed access to its records,
// header value, count and file state in a GameState, so that tools can go over
// every table without naming each one.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

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
    int savePosition; // saveAllTables writes the tables in this order
};

// The doubles nearest to 64.924 (just above) and 28.075 (just below).
inline constexpr double shipPriceFactor = 64.924;
inline constexpr double equipmentPriceFactor = 28.075;

// A new table is one row here (and its records in GameState). The five ware
// files follow each other in this order in GameState::wares.
inline constexpr TableName kTableNames[12] = {
    {TableId::ships, "ships", "types\\TShips.txt", shipPriceFactor, 2},
    {TableId::lasers, "lasers", "types\\TLaser.txt", equipmentPriceFactor, 4},
    {TableId::bullets, "bullets", "types\\TBullets.txt", 0, 0},
    {TableId::shields, "shields", "types\\TShields.txt", equipmentPriceFactor, 5},
    {TableId::rockets, "rockets", "types\\TRockets.txt", equipmentPriceFactor, 6},
    {TableId::cockpits, "cockpits", "types\\TCockpits.txt", 0, 1},
    {TableId::stations, "stations", "types\\TFactories.txt", shipPriceFactor, 3},
    {TableId::wareB, "wareB", "types\\TWareB.txt", 5.25, 7},
    {TableId::wareE, "wareE", "types\\TWareE.txt", 4.0, 8},
    {TableId::wareF, "wareF", "types\\TWareF.txt", 12.135, 9},
    {TableId::wareM, "wareM", "types\\TWareM.txt", 5.25, 10},
    {TableId::wareT, "wareT", "types\\TWareT.txt", 28.075, 11},
};

inline const TableName& tableName(TableId id) { return kTableNames[static_cast<int>(id)]; }

// True for the five ware files, whose records share GameState::wares.
inline bool isWareTable(TableId id) { return id >= TableId::wareB; }
// The place of a ware file among the five (B 0 … T 4).
inline int wareFileIndex(TableId id) { return static_cast<int>(id) - static_cast<int>(TableId::wareB); }
inline TableId wareTable(int index) {
    return static_cast<TableId>(static_cast<int>(TableId::wareB) + index);
}

// The ware file that holds record `index` of GameState::wares: each file's
// recordCount records follow those of the files before it. wareT for an index
// beyond them all.
inline TableId wareFileOf(const GameState& s, size_t index) {
    size_t end = 0;
    for (int g = 0; g < static_cast<int>(s.wareGroups.size()); ++g) {
        end += static_cast<size_t>(std::max(0, s.wareGroups[g].recordCount));
        if (index < end) return wareTable(g);
    }
    return TableId::wareT;
}

// The tables in the order saveAllTables writes them.
std::array<TableId, std::size(kTableNames)> tablesInSaveOrder();

// The table a user means by `name`: its key or its file name, without regard to
// the case of Latin letters, with or without "types\" (or "types/") and ".txt"
// ("ships", "TShips.txt", "types\tships.txt"). Null when none matches.
const TableName* findTable(std::string_view name);

// One table of a GameState as a tool sees it. For a ware file, `records` are its
// recordCount records within `wares`, starting at `first`.
template <class Record> struct TableView {
    const TableName& name;
    std::span<const Record> records;
    int32_t headerValue;
    int32_t count;
    const TableFile& file;
    size_t first = 0;
};

// Calls f(TableView<Record>) with the table's record kind.
template <class F> decltype(auto) visitTable(const GameState& s, TableId id, F&& f) {
    const TableName& n = tableName(id);
    switch (id) {
    case TableId::ships:
        return f(TableView<TShips>{n, s.ships, s.shipsHeader, s.shipCount, s.shipsFile});
    case TableId::lasers:
        return f(TableView<TLasers>{n, s.lasers, s.lasersHeader, s.laserCount, s.lasersFile});
    case TableId::bullets:
        return f(TableView<TBullets>{n, s.bullets, s.bulletsHeader, s.bulletCount, s.bulletsFile});
    case TableId::shields:
        return f(TableView<TShields>{n, s.shields, s.shieldsHeader, s.shieldCount, s.shieldsFile});
    case TableId::rockets:
        return f(TableView<TRockets>{n, s.rockets, s.rocketsHeader, s.rocketCount, s.rocketsFile});
    case TableId::cockpits:
        return f(
            TableView<TCockpits>{n, s.cockpits, s.cockpitsHeader, s.cockpitCount, s.cockpitsFile});
    case TableId::stations:
        return f(
            TableView<TStations>{n, s.stations, s.stationsHeader, s.stationCount, s.stationsFile});
    default: {
        // Ware file g holds the recordCount records after those of the earlier files.
        const int g = wareFileIndex(id);
        size_t first = 0;
        for (int i = 0; i < g; ++i) first += static_cast<size_t>(std::max(0, s.wareGroups[i].recordCount));
        const TWareInfo& info = s.wareGroups[g];
        const size_t begin = std::min(first, s.wares.size());
        const size_t end =
            std::min(begin + static_cast<size_t>(std::max(0, info.recordCount)), s.wares.size());
        return f(TableView<TWares>{n, std::span<const TWares>(s.wares).subspan(begin, end - begin),
                                   info.headerValue, info.recordCount, info.file, begin});
    }
    }
}
