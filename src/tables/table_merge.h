#pragma once
// The three-way merge of a game: BASE, MINE and THEIRS, every table at once,
// since the tables name each other's records by position: a ship its shield,
// its missile (after the eight built-in ones) and each turret mount's cockpit,
// and laser i fires bullet i.
//
// Records are matched by objectId (repeated ids by their place among the equals,
// equal records first). Each reference is read as the record it names on its own
// side, merged as that record, and written back as that record's position in the
// merged tables, so re-pointing that only follows a move is no change. Fields
// merge one by one: a field changed on one side takes that side's value, changed
// alike on both takes it, changed differently is a conflict. Linked fields are
// one unit (a ship's item count with its groups, a bullet's flight time with its
// speed, a shield's power with its tenth): a change to the unit on both sides is
// a conflict. Records added on either side are kept; removed on one side and
// unchanged on the other are removed; removed on one side and changed on the
// other is a conflict. The order changed by one side only wins; when both
// changed it, MINE's order stands with THEIRS' additions after. A reference to a
// record the other side removed is a conflict, and the record stays. Bullets
// follow their lasers; a side whose lasers and bullets no longer pair is a
// conflict. A table only one side changed is that side's file, byte for byte.
// A conflict keeps MINE's value unless THEIRS is preferred.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/game_state.h"
#include "tables/table_diff.h"
#include "tables/table_list.h"

// Who wins a conflict: no one (it stays a conflict; the merged state holds MINE's
// value until a person settles it), MINE or THEIRS.
enum class Prefer { unsettled, mine, theirs };
enum class MergeSide { base, mine, theirs };

struct MergeConflict {
    std::string objectId; // empty for the header and the kept text
    // A column as export names it ("groups", "flightTime" and "shieldPower" for
    // the linked units), "rest", "header", "remarks" (the kept text), "record"
    // (removed on one side, changed on the other), "file" (the table file removed
    // on one side, changed on the other) or "pairs" (a side's lasers and bullets
    // no longer pair up).
    std::string_view column;
    std::string base, mine, theirs; // cells as export writes them (Windows-1251)
    bool inBase = true;             // false for a record both sides added
    std::optional<MergeSide> removedBy; // for "record" and "file"
    ShownField baseShown, mineShown, theirsShown;
    size_t index = 0; // the record's index on MINE's side (THEIRS' when MINE removed it)
    // A reference to a record the other side removed: the table and id it names.
    std::optional<TableId> namedTable;
    std::string namedId;
    // The other tables' versions were not at hand to tell what the reference
    // names: only a merge of the whole folders can.
    bool needsFolders = false;
};

struct TableMerge {
    TableId table = TableId::ships;
    bool readable = true;                    // false: a side unreadable or not in format: not merged
    MergeSide refusedSide = MergeSide::mine; // when not readable: whose file
    std::vector<MergeConflict> conflicts;
    bool changesMine = false; // the merged table differs from MINE's
    bool exists = true;       // false: no side's table to write (missing on MINE and THEIRS)
    // Set when only that side changed the table and the merge is its table: its
    // file is the merged file, byte for byte.
    std::optional<MergeSide> wholeFile;
    bool chosen = false; // merged and reported (asked for, or linked to a table asked for)
};

constexpr std::array<bool, kTableCount> allTables() {
    std::array<bool, kTableCount> all{};
    all.fill(true);
    return all;
}

struct MergeScope {
    // The tables to merge; empty: all twelve. A table brings those it is linked
    // with (ships, shields, missiles and cockpits; lasers and bullets).
    std::vector<TableId> tables;
    // False for a table whose three versions are not at hand (git hands its driver
    // one file): a reference into it that differs between the sides is a conflict.
    std::array<bool, kTableCount> known = allTables();
};

struct GameMerge {
    std::array<TableMerge, kTableCount> tables; // by TableId
    GameState merged;                  // MINE's state with each merged table in place
};

GameMerge mergeGame(const GameState& base, const GameState& mine, const GameState& theirs, Prefer prefer,
                    const MergeScope& scope = {});

// Puts table `id` of `from` (its records, header value, count and file state) in
// place of table `id` of `to`; the other tables of `to` are left as they are.
void copyTable(const GameState& from, TableId id, GameState& to);
