#pragma once
// A three-way merge of one table: BASE, MINE and THEIRS, records matched by
// objectId as the diff matches them, fields merged one by one. A field changed on
// one side takes that side's value, changed alike on both takes it, changed
// differently is a conflict; a record added on either side is kept (MINE's order
// first, THEIRS' additions after), removed on one side and unchanged on the other
// is removed, removed on one side and changed on the other is a conflict. The
// header value and the kept text (remarks, text after the header, lines after the
// records) merge the same way. A conflict keeps MINE's value unless THEIRS is
// preferred.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/game_state.h"
#include "tables/table_diff.h"
#include "tables/table_list.h"

enum class Prefer { none, mine, theirs };
enum class MergeSide { base, mine, theirs };

struct MergeConflict {
    std::string objectId; // empty for the header and the kept text
    // A column as export names it, "rest", "header", "remarks" (the kept text),
    // "record" (removed on one side, changed on the other) or "file" (the table
    // file removed on one side, changed on the other).
    std::string_view column;
    std::string base, mine, theirs; // cells as export writes them (Windows-1251)
    bool inBase = true;             // false for a record both sides added
    std::optional<MergeSide> removedBy; // for "record" and "file"
    ShownField baseShown, mineShown, theirsShown;
    size_t index = 0; // the record's index on MINE's side (THEIRS' when MINE removed it)
};

struct TableMerge {
    TableId table = TableId::ships;
    bool merged = true;                 // false: a side unreadable or not in format
    MergeSide refusedSide = MergeSide::mine; // when not merged: whose file
    std::vector<MergeConflict> conflicts;
    bool changesMine = false; // the merged table differs from MINE's
    bool exists = true;       // false: no side's table to write (missing on MINE and THEIRS)
};

// Merges table `id` of the three sides into `result` (which holds MINE's tables
// on entry: the other tables are left as they are). A table unreadable or not in
// format on a side is not merged and `result` keeps MINE's.
TableMerge mergeTable(const GameState& base, const GameState& mine, const GameState& theirs, TableId id,
                      Prefer prefer, GameState& result);

// Puts table `id` of `from` (its records, header value, count and file state) in
// place of table `id` of `to`; the other tables of `to` are left as they are.
void copyTable(const GameState& from, TableId id, GameState& to);
