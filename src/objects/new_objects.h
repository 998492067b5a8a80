#pragma once
// New objects and new names: a copy of a record appended to its table under an
// identifier and a name of its own, and an object named anew. The window and
// orvex-cli make them through these functions, so that for the same input they
// change the tables and the name page's bytes alike.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "names/name_edit.h"
#include "names/name_page.h"
#include "tables/game_state.h"
#include "tables/table_list.h"
#include "text/language.h"
#include "text/safe_write.h"

// Why an object cannot be made or named; none: it was. name: the name page
// refused the name (ObjectEdit::nameFault says why).
enum class ObjectFault {
    none, noNames, unknownObject, tableKept, bulletsOutOfStep, noNamePage,
    idEmpty, idBadCharacter, idNotCp1251, idUsed, name
};

struct ObjectEdit {
    ObjectFault fault = ObjectFault::none;
    NameFault nameFault = NameFault::none;
    size_t index = 0;          // the record's place in its table
    std::string objectId;      // Windows-1251
    int32_t textId = 0;        // the text id that names it now
    std::optional<size_t> bullet; // a new laser's bullet: its place in the bullet table
    bool tableChanged = false; // a record of the table changed, not just the page
    TableId faultTable = TableId::ships; // the table a refusal is about
    bool ok() const { return fault == ObjectFault::none; }
};

// The reason a person reads (Windows-1251), the table's file and the identifier
// filled in where they matter.
std::string objectFaultText(const ObjectEdit& edit, TableId table, Language language);

// Whether the table's records carry a name on the name page (not bullets or cockpits).
bool hasNames(TableId table);

// The place of the record whose objectId is `objectId` (Windows-1251), if any.
std::optional<size_t> findObject(const GameState& s, TableId table, std::string_view objectId);

// What the copy dialog proposes for the record at `source`: its identifier with
// "_2", "_3" … (the first unused), and its name on `page` (Windows-1251, as
// the lists show it) with " 2", its objectId's where the page has none.
std::string proposedId(const GameState& s, TableId table, size_t source);
std::string proposedName(const GameState& s, const NamePage* page, TableId table, size_t source);

// Appends a copy of the record at `source` with objectId `newId` (Windows-1251)
// and a new text id naming it `name` (UTF-8) on page 17 of `page` (the name
// page's bytes). A laser gets a copy of its bullet too, which keeps laser i
// firing bullet i. Refused, with `s` and `page` unchanged: a table without names
// (bullets, cockpits), a table (or a laser's bullet table) that is missing or
// not in format, a bullet table not as long as the laser table, a name page
// without names (empty `page`), an identifier that is empty, holds ';', blanks
// or control codes, or is used in the table (for a ware, in any ware file), and
// every refusal of addName.
ObjectEdit addObject(GameState& s, std::string& page, TableId table, size_t source, std::string_view newId,
                     std::string_view name);

// Names the record at `index` `name` (UTF-8): its own line on page 17 changes, or,
// where its text id is shared with another object or has no line, it gets a new
// text id and line, so that no other object's name changes. The same refusals.
ObjectEdit renameObject(GameState& s, std::string& page, TableId table, size_t index, std::string_view name);

// The files an edit changed, as the writer writes them: the table (and a laser's
// bullet table) and the name page `pageName` ("t\70001.xml").
std::vector<FileBytes> editedFiles(const GameState& s, TableId table, const ObjectEdit& edit,
                                   std::string_view pageName, const std::string& page);
