#pragma once
// The name page of a merged game. The tables are merged record by record and
// the page line by line (names/name_page_merge.h); what joins them is the text
// id each record names. Two mods that each added an object usually gave their
// names the same new id (one above the page's largest): the merge keeps both
// names, THEIRS' under an id of its own, and the records THEIRS added under the
// old id take the new one, so that every record keeps the name its side gave it.

#include <string>
#include <string_view>
#include <vector>

#include "names/name_page_merge.h"
#include "tables/game_state.h"
#include "tables/table_list.h"

struct MergedNames {
    std::string bytes;      // the merged page (MINE's bytes when wholeFile)
    bool wholeFile = false; // both sides changed the page beyond its name lines
    std::vector<NameConflict> conflicts; // ids both sides gave different names; MINE's kept
    int renumbered = 0;     // names THEIRS added moved to an id of their own
    std::vector<TableId> tables; // the merged tables whose records took such an id
};

// The pages' bytes of BASE, MINE and THEIRS, and the three games' tables with
// the merged one, whose records the renumbering changes.
MergedNames mergeNames(std::string_view base, std::string_view mine, std::string_view theirs,
                       const GameState& mineGame, const GameState& theirsGame, GameState& merged);

// `page` with the name of `textId` set to THEIRS' (`theirs`, as lists show it),
// for a conflict settled for THEIRS.
void takeTheirName(std::string& page, const NameConflict& conflict, const GameState& merged);
