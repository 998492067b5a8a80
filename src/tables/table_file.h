#pragma once
// What the editor remembers of a table file besides its records, so that a save
// never loses or invents anything.

#include <string>
#include <vector>

struct TableFile {
    // The file could not be read at start-up: the table is empty and a save does
    // not create the file (an empty table would replace the game's own with nothing).
    bool missing = false;
    // The header count or a ship line's group count was out of bounds (see
    // load_table.h): the table is empty and a save never touches the file or its backup.
    bool unreadable = false;
    // Text after the header's second semicolon, written back after "%d;%d;".
    std::string headerRest;
    // Lines after the last record, written back unchanged after the records.
    std::vector<std::string> trailingLines;
};
