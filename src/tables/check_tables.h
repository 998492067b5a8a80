#pragma once
// The checks a modder runs before the game does: everything in a loaded game's
// tables that the game will read differently from what the file seems to say,
// or that points outside what it names. Reads the table files again for what
// loading does not keep (the fields on each line); changes nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/game_state.h"
#include "text/language.h"

enum class Severity { error, warning };

struct Finding {
    std::string_view file; // as the editor names it: "types\TShips.txt" (static text)
    int line = 0;          // from 1; 0 for the file as a whole
    int field = 0;         // from 1; 0 for the line as a whole
    Severity severity = Severity::warning;
    std::string_view code; // "not-in-format", "unreadable", "count-lines", "field-count",
                           // "reference", "no-name", "duplicate-id", "manoeuvrability"
    std::string message;   // Windows-1251, with the field number where there is one
};

// What the name page says of a record, for the no-name findings: whether it
// holds a name for the id, and the entry the lists then show for the record (its
// race given for a station). An empty check skips those findings (no page to ask).
struct NameCheck {
    bool (*hasName)(const void* context, int32_t nameTextId) = nullptr;
    std::string (*listed)(const void* context, int32_t nameTextId, std::string_view objectId,
                          std::optional<int32_t> race, Language language) = nullptr;
    const void* context = nullptr;
};

// The findings for every table of `state` (loaded with loadAllTables from
// state.folder), table by table in the order of kTableNames, each table's in
// line order. A table that is missing gives none; one that is unreadable or not
// in format gives its error only; references into such a table are not judged.
// The messages are in `language`.
std::vector<Finding> checkTables(const GameState& state, NameCheck names,
                                 Language language);
