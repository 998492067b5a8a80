#pragma once
// Save's merge of a table that another program changed on disk: BASE is the
// table as the editor last read or wrote it, MINE the table in the editor's
// memory, THEIRS the file now. Merged field by field as `orvex-cli merge` merges.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tables/game_state.h"
#include "tables/table_list.h"
#include "tables/table_merge.h"

// The bytes each table file held when the editor last read or wrote it, by
// TableId. Bytes rather than a copy of the records: the file's text is the
// smallest form of the table, about the size of the types folder in all.
using TableBases = std::array<std::optional<std::string>, 12>;

// Reads the file of table `id` again and keeps its bytes as the table's BASE when
// they are still what the state last read or wrote there (FileIdentity); else, or
// for a table no save writes, forgets the BASE (a later change on disk is then
// asked about rather than merged).
void rememberBase(const GameState& state, TableId id, TableBases& bases);
// rememberBase for every table.
void rememberBases(const GameState& state, TableBases& bases);

struct SaveMerge {
    TableId id = TableId::ships;
    // True: no conflict, so the merged table may be written without a question.
    bool clean = false;
    bool changesMine = false;        // the merged table differs from MINE's
    std::vector<MergeConflict> conflicts;
    GameState merged;                // the merged table `id` alone, when it changes MINE's
};

// Merges table `id` of `mine` with its BASE and its file now (under mine.folder).
// Not clean, with no conflicts listed, when there is no BASE, when a side cannot
// be read or is not in format, or when the file is gone. Records added, removed
// or reordered on either side merge as `orvex-cli merge` merges them.
SaveMerge mergeOnSave(const GameState& mine, TableId id, const TableBases& bases);
