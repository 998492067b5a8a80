#pragma once
#include <string>
#include <vector>

#include "tables/game_state.h"

// Writes the twelve table files under GameState::folder in the order TBullets,
// TCockpits, TShips, TFactories, TLaser, TShields, TRockets, then the five ware
// files, each rebuilt from memory: the remark lines read before the header, the
// header "%d;%d;" with the header value and the count, one line per record, then
// the kept trailing lines, every line ended by CR LF. Changes nothing in memory.
// Each file is replaced in one step by a completely written and flushed temporary;
// the first save that finds no ".bak" first copies the table's previous bytes to
// it, and an existing ".bak" is never changed. A table missing at start-up is not
// created; one kept from saving (table_file.h) is not touched. A file that cannot
// be written keeps its previous content and no temporary stays behind.
// Returns the paths, as the editor names them ("types\TShips.txt"), of the files
// that could not be written; empty when all went well.
std::vector<std::string> saveAllTables(const GameState& state);

