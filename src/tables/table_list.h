#pragma once
// The twelve table files of a game as one list: a short key for each ("ships",
// "wareB"), the file as the editor names it, and typed access to its records,
// header value, count and file state in a GameState, so that tools can go over
// every table without naming each one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

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

// A new table is one row here, its member in GameState and its line in
// withTable below. The five ware files follow each other in this order in
// GameState::wares.
inline constexpr TableName kTableNames[] = {
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
// How many table files a game has: the one place that counts them.
inline constexpr size_t kTableCount = std::size(kTableNames);
static_assert(kTableCount == static_cast<size_t>(TableId::wareT) + 1, "a row for each TableId");

inline const TableName& tableName(TableId id) { return kTableNames[static_cast<int>(id)]; }

// True for the five ware files, whose records share GameState::wares.
inline bool isWareTable(TableId id) { return id >= TableId::wareB; }
// The place of a ware file among the five (B 0 … T 4).
inline int wareFileIndex(TableId id) { return static_cast<int>(id) - static_cast<int>(TableId::wareB); }
inline TableId wareTable(int index) {
    return static_cast<TableId>(static_cast<int>(TableId::wareB) + index);
}

// The ware file that holds record `index` of GameState::wares: each file's
// count records follow those of the files before it. wareT for an index
// beyond them all.
inline TableId wareFileOf(const GameState& s, size_t index) {
    size_t end = 0;
    for (int g = 0; g < static_cast<int>(s.wareFiles.size()); ++g) {
        end += static_cast<size_t>(std::max(0, s.wareFiles[g].count));
        if (index < end) return wareTable(g);
    }
    return TableId::wareT;
}

// The tables in the order saveAllTables writes them.
std::array<TableId, kTableCount> tablesInSaveOrder();

// The table a user means by `name`: its key or its file name, without regard to
// the case of Latin letters, with or without "types\" (or "types/") and ".txt"
// ("ships", "TShips.txt", "types\tships.txt"). Null when none matches.
const TableName* findTable(std::string_view name);

// Table `id` of a GameState (const or not) where it lives: its facts and the
// records it owns, records[first] to records[first + size - 1] of `records`.
// A table of its own owns its whole vector; a ware file owns its `count`
// records in GameState::wares after those of the earlier ware files.
template <class Facts, class Records> struct TableSlot {
    using Record = typename std::remove_const_t<Records>::value_type;
    Facts& facts;
    Records& records;
    size_t first = 0;
    size_t size = 0;
};

template <class Facts, class Records>
TableSlot<Facts, Records> slotOf(Facts& facts, Records& records, size_t first, size_t size) {
    return {facts, records, first, size};
}

template <class Record> auto wholeSlot(Table<Record>& table) {
    return slotOf<TableFacts>(table, table.records, 0, table.records.size());
}
template <class Record> auto wholeSlot(const Table<Record>& table) {
    return slotOf<const TableFacts>(table, table.records, 0, table.records.size());
}

// Ware file g's records, cut to those `wares` holds.
template <class State> auto wareSlot(State& s, int g) {
    size_t first = 0;
    for (int i = 0; i < g; ++i) first += static_cast<size_t>(std::max(0, s.wareFiles[i].count));
    const size_t begin = std::min(first, s.wares.size());
    const size_t end = std::min(begin + static_cast<size_t>(std::max(0, s.wareFiles[g].count)), s.wares.size());
    return slotOf(s.wareFiles[g], s.wares, begin, end - begin);
}

// Calls f(TableSlot) for table `id` of `s`, with the table's record kind: the one
// place that knows which member of GameState holds which table.
template <class State, class F> decltype(auto) withTable(State& s, TableId id, F&& f) {
    switch (id) {
    case TableId::ships: return f(wholeSlot(s.ships));
    case TableId::lasers: return f(wholeSlot(s.lasers));
    case TableId::bullets: return f(wholeSlot(s.bullets));
    case TableId::shields: return f(wholeSlot(s.shields));
    case TableId::rockets: return f(wholeSlot(s.rockets));
    case TableId::cockpits: return f(wholeSlot(s.cockpits));
    case TableId::stations: return f(wholeSlot(s.stations));
    default: return f(wareSlot(s, wareFileIndex(id)));
    }
}

// Makes `records` the records of the table in `slot` (its facts are the caller's).
template <class Slot, class Record> void replaceRecords(const Slot& slot, std::vector<Record> records) {
    auto& all = slot.records;
    if (slot.first == 0 && slot.size == all.size()) {
        all = std::move(records);
        return;
    }
    const auto begin = all.begin() + static_cast<std::ptrdiff_t>(slot.first);
    all.erase(begin, begin + static_cast<std::ptrdiff_t>(slot.size));
    all.insert(all.begin() + static_cast<std::ptrdiff_t>(slot.first), std::make_move_iterator(records.begin()),
               std::make_move_iterator(records.end()));
}

// One table of a GameState as a tool sees it. For a ware file, `records` are its
// count records within `wares`, starting at `first`.
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
    return withTable(s, id, [&](const auto& slot) -> decltype(auto) {
        using Record = typename std::decay_t<decltype(slot)>::Record;
        return f(TableView<Record>{tableName(id),
                                   std::span<const Record>(slot.records).subspan(slot.first, slot.size),
                                   slot.facts.headerValue, slot.facts.count, slot.facts.file, slot.first});
    });
}
