#pragma once
// The wares as the editor lists them: one list of the five ware files' records,
// the files in the order of the table list (B, E, F, M, T), each file's records
// in its own order. Computed from the tables whenever it is asked, so that it
// never disagrees with them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

#include "tables/game_state.h"
#include "tables/table_list.h"

// Calls f(id, table) for each ware file (a Table<TWares>, const when `s` is), in
// the list's order.
template <class State, class F> void forEachWareFile(State& s, F&& f) {
    for (const TableName& t : kTableNames)
        visitTable(s, t.id, [&](auto& table) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(table)>, Table<TWares>>) f(t.id, table);
        });
}

// Entry n of the list: the ware file and the record's index in it.
struct WarePlace {
    TableId table;
    size_t index;
};

// How many entries the list has: every ware file's records.
size_t wareCount(const GameState& s);

// Where entry `entry` lives; none for a negative entry or one past the last.
std::optional<WarePlace> warePlace(const GameState& s, int64_t entry);

// The record of entry `entry` (const when `s` is), or null.
template <class State> auto* wareAt(State& s, int64_t entry) {
    using Record = std::conditional_t<std::is_const_v<State>, const TWares, TWares>;
    const std::optional<WarePlace> place = warePlace(s, entry);
    if (!place) return static_cast<Record*>(nullptr);
    return visitTable(s, place->table, [&](auto& table) -> Record* {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(table)>, Table<TWares>>)
            return &table.records[place->index];
        else
            return nullptr;
    });
}
