#pragma once
// Save's merge with tables another program changed on disk: BASE is each table
// as the editor last read or wrote it, MINE the tables in the editor's memory,
// THEIRS the files now. The whole game merges at once, as `orvex-cli merge`
// merges it, so that a ship still names its shield when the other program
// reordered the shields.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tables/game_state.h"
#include "tables/table_list.h"
#include "tables/table_merge.h"

// The bytes each table file held when the editor last read or wrote it, by
// TableId. Bytes rather than a copy of the records: the file's text is the
// smallest form of the table, about the size of the types folder in all.
using TableBases = std::array<std::optional<std::string>, kTableCount>;

// Reads the file of table `id` again and keeps its bytes as the table's BASE when
// they are still what the state last read or wrote there (FileFingerprint); else, or
// for a table no save writes, forgets the BASE (a later change on disk is then
// asked about rather than merged).
void rememberBase(const GameState& state, TableId id, TableBases& bases);
// rememberBase for every table.
void rememberBases(const GameState& state, TableBases& bases);

struct SaveMerge {
    // By TableId, for the tables changed on disk: true when the merge settles the
    // table without a question (no conflict, both sides readable, a BASE known).
    std::array<bool, kTableCount> clean{};
    // The merge with MINE's value in each conflicting field; its tables differ
    // from MINE's where `merge.tables[id].changesMine` (a table not changed on
    // disk too, when its references follow records the other program moved).
    GameMerge merge;
};

// Merges the tables of `mine` with their BASE and, for those in `changedOnDisk`,
// their files now (under mine.folder); the other tables are their BASE on disk.
// A table changed on disk is not clean, with no conflicts listed, when it has no
// BASE, when a side cannot be read or is not in format, or when the file is gone.
SaveMerge mergeOnSave(const GameState& mine, std::span<const TableId> changedOnDisk, const TableBases& bases);

// The tables whose records name each other's by position, with `id`: a table left
// as it is on disk leaves these too, so that no reference points into another order.
std::vector<TableId> linkedTables(TableId id);
