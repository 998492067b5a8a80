#pragma once
// The table loaders. Each reads its file(s) from the game's `types` folder (under
// GameState::folder) and replaces its table, header value, count and file state:
// - lines starting with "//" at the top are remarks, kept in the file state; the
//   first other line is the header, and record k is read from the k-th line after it;
// - a file that cannot be read gives an empty table, header value 0, count 0,
//   and is marked missing;
// - a NUL byte anywhere, a header that does not start with two whole integer
//   fields, or a record line that the writer could not give back as it stands
//   (record_line.h), gives an empty table with count 0, marked not in format;
// - a header count below 0 or above 1,000,000, or (ships) a group count above
//   1,000,000 or more unfillable group entries than kMaxPaddingEntries
//   (record_line.h), gives an empty table with count 0, marked unreadable (the
//   header value is kept);
//   both remember the first place that failed (TableFile::problem);
// - a header count above the record lines the file has gives the records of
//   those lines, count their number, marked not in format (recordsLoaded): no
//   record is made up for a line the file lacks;
// - otherwise the table holds exactly `count` records; the text after the
//   header's count, the lines after the last record and how the lines ended are
//   kept in the file state.
// None of them reports anything or fails.

#include <string>
#include <string_view>

#include "tables/game_state.h"
#include "tables/table_list.h"

// Loads the table from its own file (table_list.h).
void loadTable(GameState& state, TableId id);

// Every table (for tools, tests and benchmarks that need the whole game in memory).
void loadAllTables(GameState& state);

// Loads the one table from `fileName` under GameState::folder: its own file (the
// loaders above) or another (its ".bak", say), by the same rules.
void loadTableFrom(GameState& state, TableId id, std::string_view fileName);

// Loads the one table from `bytes`, what its file held once (kept by the editor
// as the table it read), by the same rules; the file state's identity is theirs.
void loadTableBytes(GameState& state, TableId id, std::string bytes);
